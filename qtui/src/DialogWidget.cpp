#include "DialogWidget.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "QtText.h"
#include "SpectrumWidget.h"

namespace rx9100qt {

using namespace platform::ui;

namespace {

// The up-down arrows attached to a numeric field.
class SpinArrows : public QWidget {
  public:
    explicit SpinArrows(QWidget* parent) : QWidget(parent) {
        auto* layout = new QVBoxLayout(this);  // owned by this widget
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        up = new QToolButton(this);
        down = new QToolButton(this);
        up->setArrowType(Qt::UpArrow);
        down->setArrowType(Qt::DownArrow);
        for (QToolButton* b : {up, down}) {
            b->setAutoRepeat(true);
            b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
            b->setFocusPolicy(Qt::NoFocus);
            layout->addWidget(b);
        }
    }
    QToolButton* up;
    QToolButton* down;
};

}  // namespace

DialogWidget::DialogWidget(Dialog& dialog, QWidget* parent, bool modal)
    : QDialog(parent), dialog_(dialog), modal_(modal) {
    setModal(modal);
    if (dialog.title().empty()) {
        // An untitled template is a bare popup with a thin frame.
        setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    } else if (!modal) {
        setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    }
    setWindowTitle(qs(dialog.title()));

    const QFontMetricsF metrics(font());
    baseX_ = metrics.horizontalAdvance(
                 QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
             52.0;
    // The CJK fonts carry a tall line gap; the em size keeps the proportions
    // the templates were laid out for.
    baseY_ = std::max(metrics.height() * 0.8, QFontInfo(font()).pixelSize() * 1.15);
    setFixedSize(toPixels({0, 0, dialog.widthDu(), dialog.heightDu()}).size());

    for (const auto& control : dialog.controls()) {
        QWidget* w = createWidget(*control);
        w->setGeometry(toPixels(control->rect()));
        widgets_[control.get()] = w;
    }
    syncAll();
    connectFocusTracking();
    dialog_.setView(this);
}

DialogWidget::~DialogWidget() {
    if (dialog_.view() == this) {
        dialog_.setView(nullptr);
    }
}

QRect DialogWidget::toPixels(const Rect& du) const {
    const auto px = [](int v, double base, double per) { return int(std::lround(v * base / per)); };
    return QRect(px(du.x, baseX_, 4), px(du.y, baseY_, 8), px(du.width, baseX_, 4),
                 px(du.height, baseY_, 8));
}

QWidget* DialogWidget::widgetFor(int controlId) const {
    for (const auto& [control, widget] : widgets_) {
        if (control->id() == controlId) {
            return widget;
        }
    }
    return nullptr;
}

QWidget* DialogWidget::createWidget(Control& control) {
    const int id = control.id();
    switch (control.kind()) {
        case ControlKind::Static: {
            auto* label = new QLabel(this);
            label->setWordWrap(true);
            return label;
        }
        case ControlKind::Group:
            return new QGroupBox(this);
        case ControlKind::Edit:
        case ControlKind::NumericEdit: {
            auto* line = new QLineEdit(this);
            connect(line, &QLineEdit::textEdited, this, [this, id](const QString& text) {
                if (!syncing_) {
                    dialog_.userType(id, utf8(text));
                }
            });
            return line;
        }
        case ControlKind::Spin: {
            auto* arrows = new SpinArrows(this);
            connect(arrows->up, &QToolButton::clicked, this,
                    [this, id] { dialog_.userSpin(id, 1); });
            connect(arrows->down, &QToolButton::clicked, this,
                    [this, id] { dialog_.userSpin(id, -1); });
            return arrows;
        }
        case ControlKind::Combo: {
            auto* box = new QComboBox(this);
            connect(box, &QComboBox::activated, this, [this, id](int index) {
                if (!syncing_) {
                    dialog_.userSelect(id, index);
                }
            });
            return box;
        }
        case ControlKind::Check: {
            auto* box = new QCheckBox(this);
            connect(box, &QCheckBox::clicked, this, [this, id] { dialog_.userClick(id); });
            return box;
        }
        case ControlKind::Radio: {
            auto* radio = new QRadioButton(this);
            radio->setAutoExclusive(false);  // the model keeps the group exclusive
            connect(radio, &QRadioButton::clicked, this, [this, id] { dialog_.userClick(id); });
            return radio;
        }
        case ControlKind::Button: {
            auto* button = new QPushButton(this);
            button->setAutoDefault(false);  // Enter goes to the dialog, not the focused button
            connect(button, &QPushButton::clicked, this, [this, id] { dialog_.userClick(id); });
            return button;
        }
        case ControlKind::List: {
            auto* table = new QTableWidget(this);
            table->verticalHeader()->hide();
            table->setSelectionMode(QAbstractItemView::SingleSelection);
            table->setEditTriggers(QAbstractItemView::NoEditTriggers);
            table->horizontalHeader()->setHighlightSections(false);
            table->horizontalHeader()->setMinimumSectionSize(8);  // widths are the template's
            connect(table, &QTableWidget::cellClicked, this, [this, id](int row, int) {
                if (!syncing_) {
                    dialog_.userSelect(id, row);
                }
            });
            connect(table, &QTableWidget::cellDoubleClicked, this, [this, id](int row, int) {
                if (!syncing_) {
                    dialog_.userDoubleClickRow(id, row);
                }
            });
            connect(table, &QTableWidget::itemChanged, this, [this, id](QTableWidgetItem* item) {
                if (!syncing_ && item->column() == 0 && (item->flags() & Qt::ItemIsUserCheckable)) {
                    dialog_.userCheckRow(id, item->row(), item->checkState() == Qt::Checked);
                }
            });
            return table;
        }
        case ControlKind::Progress: {
            auto* bar = new QProgressBar(this);
            bar->setTextVisible(false);
            return bar;
        }
        case ControlKind::Graph:
            return new SpectrumWidget(static_cast<const SpectralGraph&>(control), this);
        case ControlKind::Grid: {
            auto* table = new QTableWidget(this);
            table->setColumnCount(1);
            table->horizontalHeader()->setStretchLastSection(true);
            table->horizontalHeader()->setSectionsClickable(false);
            connect(table, &QTableWidget::itemChanged, this, [this, id](QTableWidgetItem* item) {
                if (!syncing_) {
                    dialog_.userEditCell(id, item->row(), utf8(item->text()));
                }
            });
            return table;
        }
    }
    return new QWidget(this);
}

void DialogWidget::syncAll() {
    for (const auto& [control, widget] : widgets_) {
        sync(*control, widget);
    }
}

void DialogWidget::controlChanged(const Control& control) {
    const auto it = widgets_.find(&control);
    if (it == widgets_.end()) {
        return;
    }
    if (control.kind() != ControlKind::List) {
        sync(control, it->second);
        return;
    }
    if (std::find(pendingLists_.begin(), pendingLists_.end(), &control) != pendingLists_.end()) {
        return;
    }
    if (pendingLists_.empty()) {
        QMetaObject::invokeMethod(
            this,
            [this] {
                const auto lists = std::move(pendingLists_);
                pendingLists_.clear();
                for (const Control* list : lists) {
                    sync(*list, widgets_.at(list));
                }
            },
            Qt::QueuedConnection);
    }
    pendingLists_.push_back(&control);
}

void DialogWidget::titleChanged(const std::string& title) {
    setWindowTitle(qs(title));
}

void DialogWidget::focusChanged(int id, bool selectAll) {
    QWidget* w = widgetFor(id);
    if (w == nullptr) {
        return;
    }
    const bool wasSyncing = syncing_;
    syncing_ = true;
    w->setFocus(Qt::OtherFocusReason);
    if (auto* line = qobject_cast<QLineEdit*>(w); line != nullptr && selectAll) {
        line->selectAll();
    }
    syncing_ = wasSyncing;
}

void DialogWidget::connectFocusTracking() {
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (syncing_ || now == nullptr) {
            return;
        }
        for (const auto& [control, widget] : widgets_) {
            if (widget == now || widget->isAncestorOf(now)) {
                dialog_.userFocus(control->id());
                return;
            }
        }
    });
}

void DialogWidget::dialogEnded(int code) {
    if (modal_) {
        closing_ = true;
        done(code);
    } else {
        hide();
    }
}

void DialogWidget::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            dialog_.userKey(Key::Enter);
            return;
        case Qt::Key_Escape:
            dialog_.userKey(Key::Escape);
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

void DialogWidget::reject() {
    // Only the dialog decides when it ends.
    if (closing_) {
        QDialog::reject();
    } else {
        dialog_.userClose();
    }
}

void DialogWidget::closeEvent(QCloseEvent* event) {
    if (closing_ || !isVisible()) {
        event->accept();
        return;
    }
    event->ignore();
    dialog_.userClose();
}

void DialogWidget::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    if (windowFlags() & Qt::FramelessWindowHint) {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

}  // namespace rx9100qt
