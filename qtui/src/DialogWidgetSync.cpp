// Keeping a dialog's widgets in step with its control models.
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <algorithm>
#include <cmath>

#include "DialogWidget.h"
#include "QtText.h"
#include "SpectrumWidget.h"

namespace rx9100qt {

using namespace platform::ui;

void DialogWidget::sync(const Control& control, QWidget* widget) {
    const bool wasSyncing = syncing_;
    syncing_ = true;
    const QString text = qs(control.text());
    widget->setEnabled(control.enabled());
    widget->setVisible(control.visible());
    widget->setToolTip(qs(control.toolTip()));

    switch (control.kind()) {
        case ControlKind::Static: {
            auto* label = static_cast<QLabel*>(widget);
            label->setText(text);
            const auto align = static_cast<const StaticText&>(control).align();
            label->setAlignment(Qt::AlignVCenter |
                                (align == StaticText::Align::Centre  ? Qt::AlignHCenter
                                 : align == StaticText::Align::Right ? Qt::AlignRight
                                                                     : Qt::AlignLeft));
            break;
        }
        case ControlKind::Group:
            static_cast<QGroupBox*>(widget)->setTitle(text);
            break;
        case ControlKind::Edit:
        case ControlKind::NumericEdit: {
            auto* line = static_cast<QLineEdit*>(widget);
            const auto& edit = static_cast<const Edit&>(control);
            line->setReadOnly(edit.readOnly());
            line->setMaxLength(edit.maxLength() > 0 ? edit.maxLength() : 32767);
            if (line->text() != text) {
                const int cursor = line->cursorPosition();
                line->setText(text);
                line->setCursorPosition(std::min(cursor, int(text.size())));
            }
            break;
        }
        case ControlKind::Combo: {
            auto* box = static_cast<QComboBox*>(widget);
            const auto& model = static_cast<const ComboBox&>(control);
            box->clear();
            for (const auto& item : model.items()) {
                box->addItem(qs(item.text), QVariant::fromValue<qlonglong>(item.data));
            }
            box->setCurrentIndex(model.selection());
            break;
        }
        case ControlKind::Check:
        case ControlKind::Radio: {
            auto* button = static_cast<QAbstractButton*>(widget);
            button->setText(text);
            button->setChecked(static_cast<const CheckBox&>(control).checked());
            break;
        }
        case ControlKind::Button:
            static_cast<QPushButton*>(widget)->setText(text);
            static_cast<QPushButton*>(widget)->setDefault(
                static_cast<const PushButton&>(control).isDefault());
            break;
        case ControlKind::List: {
            auto* table = static_cast<QTableWidget*>(widget);
            const auto& list = static_cast<const ListView&>(control);
            table->setColumnCount(list.columnCount());
            QStringList titles;
            for (int c = 0; c < list.columnCount(); ++c) {
                titles << qs(list.column(c).title);
                table->setColumnWidth(c, list.column(c).width);
            }
            table->setHorizontalHeaderLabels(titles);
            table->horizontalHeader()->setSectionsClickable(list.headerClickable());
            table->horizontalHeader()->setSectionResizeMode(
                list.headerClickable() ? QHeaderView::Interactive : QHeaderView::Fixed);
            table->setShowGrid(list.gridLines());
            table->setSelectionBehavior(list.fullRowSelect() ? QAbstractItemView::SelectRows
                                                             : QAbstractItemView::SelectItems);
            QPalette palette = table->palette();
            if (list.backgroundColor() != kDefaultColor) {
                palette.setColor(QPalette::Base, fromColorRef(list.backgroundColor()));
            }
            if (list.textColor() != kDefaultColor) {
                palette.setColor(QPalette::Text, fromColorRef(list.textColor()));
            }
            table->setPalette(palette);
            table->setRowCount(list.rowCount());
            for (int r = 0; r < list.rowCount(); ++r) {
                table->setRowHeight(r, int(baseY_ * 1.3));
                for (int c = 0; c < list.columnCount(); ++c) {
                    auto* item = new QTableWidgetItem(qs(list.cell(r, c)));  // the table owns it
                    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
                    if (c == 0 && list.checkBoxes()) {
                        flags |= Qt::ItemIsUserCheckable;
                        item->setCheckState(list.checked(r) ? Qt::Checked : Qt::Unchecked);
                    }
                    item->setFlags(flags);
                    if (list.textBackgroundColor() != kDefaultColor) {
                        item->setBackground(fromColorRef(list.textBackgroundColor()));
                    }
                    table->setItem(r, c, item);
                }
            }
            if (list.selectionMark() >= 0) {
                table->selectRow(list.selectionMark());
            } else {
                table->clearSelection();
            }
            break;
        }
        case ControlKind::Progress: {
            auto* bar = static_cast<QProgressBar*>(widget);
            const auto& model = static_cast<const ProgressBar&>(control);
            bar->setRange(std::min(model.low(), model.high()), std::max(model.low(), model.high()));
            bar->setValue(model.pos());
            break;
        }
        case ControlKind::Graph:
            widget->update();
            break;
        case ControlKind::Grid: {
            auto* table = static_cast<QTableWidget*>(widget);
            const auto& grid = static_cast<const ReferenceGrid&>(control);
            table->setHorizontalHeaderLabels({qs(grid.columnTitle())});
            if (table->rowCount() != grid.rowCount()) {
                table->setRowCount(grid.rowCount());
                QStringList labels;
                for (int r = 0; r < grid.rowCount(); ++r) {
                    labels << qs(grid.rowLabel(r));
                }
                table->setVerticalHeaderLabels(labels);
            }
            for (int r = 0; r < grid.rowCount(); ++r) {
                QTableWidgetItem* item = table->item(r, 0);
                if (item == nullptr) {
                    table->setItem(r, 0, new QTableWidgetItem(qs(grid.cellText(r))));
                } else if (item->text() != qs(grid.cellText(r))) {
                    item->setText(qs(grid.cellText(r)));
                }
            }
            break;
        }
        case ControlKind::Spin:
            break;
    }
    syncing_ = wasSyncing;
}

}  // namespace rx9100qt
