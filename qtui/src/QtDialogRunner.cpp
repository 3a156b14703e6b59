#include "rx9100qt/QtDialogRunner.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QThread>

#include "DialogWidget.h"

namespace rx9100qt {

using platform::ui::Dialog;

namespace {

// Widgets belong to the GUI thread. A dialog made on another thread (the
// receive thread's notice) keeps working as a model but is not shown.
bool onGuiThread() {
    const QCoreApplication* app = QCoreApplication::instance();
    return app != nullptr && QThread::currentThread() == app->thread();
}

}  // namespace

QtDialogRunner::QtDialogRunner() = default;
QtDialogRunner::~QtDialogRunner() = default;

QWidget* QtDialogRunner::parentFor(platform::WindowHandle window) const {
    if (const auto* dialog = dynamic_cast<const Dialog*>(window)) {
        if (QDialog* shown = windowFor(*dialog)) {
            return shown;
        }
    }
    return QApplication::activeWindow();
}

QDialog* QtDialogRunner::windowFor(const Dialog& dialog) const {
    const auto it = shown_.find(&dialog);
    return it != shown_.end() ? it->second : nullptr;
}

QWidget* QtDialogRunner::widgetFor(const Dialog& dialog, int controlId) const {
    const auto it = shown_.find(&dialog);
    return it != shown_.end() ? it->second->widgetFor(controlId) : nullptr;
}

int QtDialogRunner::runModal(Dialog& dialog) {
    if (!onGuiThread()) {
        dialog.endDialog(platform::IDCANCEL);
        return platform::IDCANCEL;
    }
    DialogWidget window(dialog, parentFor(dialog.parent()), true);
    shown_[&dialog] = &window;
    dialog.initialize();
    if (!dialog.ended()) {
        window.syncAll();
        window.exec();
    }
    shown_.erase(&dialog);
    if (!dialog.ended()) {
        dialog.endDialog(platform::IDCANCEL);
    }
    return dialog.endCode();
}

void QtDialogRunner::createModeless(Dialog& dialog) {
    if (!onGuiThread()) {
        dialog.initialize();
        return;
    }
    auto window = std::make_unique<DialogWidget>(dialog, parentFor(dialog.parent()), false);
    shown_[&dialog] = window.get();
    modeless_[&dialog] = std::move(window);
    dialog.initialize();
}

void QtDialogRunner::showModeless(Dialog& dialog, bool visible) {
    if (!onGuiThread()) {
        return;
    }
    QDialog* window = windowFor(dialog);
    if (window == nullptr) {
        return;
    }
    if (visible) {
        window->show();
        window->raise();
    } else {
        window->hide();
    }
}

void QtDialogRunner::centreModeless(Dialog& dialog, platform::WindowHandle over) {
    if (!onGuiThread()) {
        return;
    }
    QDialog* window = windowFor(dialog);
    if (window == nullptr) {
        return;
    }
    QRect frame;
    if (QWidget* owner = over != nullptr ? parentFor(over) : nullptr) {
        frame = owner->frameGeometry();
    } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
        frame = screen->availableGeometry();
    }
    if (frame.isValid()) {
        QRect mine = window->frameGeometry();
        mine.moveCenter(frame.center());
        window->move(mine.topLeft());
    }
}

void QtDialogRunner::destroyModeless(Dialog& dialog) {
    if (!onGuiThread()) {
        return;
    }
    shown_.erase(&dialog);
    modeless_.erase(&dialog);
}

void QtDialogRunner::pumpEvents() {
    if (onGuiThread()) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

QImage QtDialogRunner::grab(Dialog& dialog) {
    std::unique_ptr<DialogWidget> temporary;
    DialogWidget* window = nullptr;
    if (const auto it = shown_.find(&dialog); it != shown_.end()) {
        window = it->second;
    } else {
        temporary = std::make_unique<DialogWidget>(dialog, nullptr, false);
        window = temporary.get();
        shown_[&dialog] = window;
        dialog.initialize();
    }
    window->syncAll();
    window->ensurePolished();
    QCoreApplication::processEvents();
    const QImage body = window->grab().toImage();
    if (temporary) {
        shown_.erase(&dialog);
    }

    // A plain title bar above the client area, as a window manager would draw it.
    const QString title = window->windowTitle();
    const int bar = title.isEmpty() ? 0 : window->fontMetrics().height() + 12;
    QImage framed(body.width() + 2, body.height() + bar + 2, QImage::Format_ARGB32_Premultiplied);
    framed.fill(QColor(120, 120, 120));
    QPainter painter(&framed);
    if (bar > 0) {
        QLinearGradient shade(0, 0, 0, bar);
        shade.setColorAt(0, QColor(74, 110, 170));
        shade.setColorAt(1, QColor(52, 84, 140));
        painter.fillRect(QRect(1, 1, body.width(), bar), shade);
        painter.setPen(Qt::white);
        QFont font = window->font();
        font.setBold(true);
        painter.setFont(font);
        painter.drawText(QRect(10, 1, body.width() - 40, bar), Qt::AlignVCenter | Qt::AlignLeft,
                         title);
        painter.drawText(QRect(body.width() - 26, 1, 20, bar), Qt::AlignCenter,
                         QStringLiteral("×"));
    }
    painter.drawImage(1, bar + 1, body);
    painter.end();
    return framed;
}

}  // namespace rx9100qt
