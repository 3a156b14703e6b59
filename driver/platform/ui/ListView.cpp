#include "platform/ui/ListView.h"

#include <algorithm>

namespace platform::ui {

ListView::ListView(const ControlTemplate& tmpl)
    : Control(tmpl),
      checkBoxes_((tmpl.style & ListCheckBoxes) != 0),
      fullRowSelect_((tmpl.style & ListFullRowSelect) != 0),
      gridLines_((tmpl.style & ListGridLines) != 0),
      headerClickable_((tmpl.style & ListHeaderClickable) != 0) {}

void ListView::setStyles(bool checkBoxes, bool fullRowSelect, bool gridLines,
                         bool headerClickable) {
    checkBoxes_ = checkBoxes;
    fullRowSelect_ = fullRowSelect;
    gridLines_ = gridLines;
    headerClickable_ = headerClickable;
    changed();
}

void ListView::setColors(ColorRef background, ColorRef textBackground, ColorRef text) {
    background_ = background;
    textBackground_ = textBackground;
    textColor_ = text;
    changed();
}

int ListView::insertColumn(int index, Column column) {
    index = std::clamp(index, 0, columnCount());
    columns_.insert(columns_.begin() + index, std::move(column));
    for (Row& r : rows_) {
        if (static_cast<int>(r.cells.size()) >= index) {
            r.cells.insert(r.cells.begin() + index, std::string());
        }
    }
    changed();
    return index;
}

void ListView::deleteColumn(int index) {
    if (index < 0 || index >= columnCount()) {
        return;
    }
    columns_.erase(columns_.begin() + index);
    for (Row& r : rows_) {
        if (index < static_cast<int>(r.cells.size())) {
            r.cells.erase(r.cells.begin() + index);
        }
    }
    changed();
}

int ListView::insertRow(int index, std::string text) {
    index = std::clamp(index, 0, rowCount());
    Row r;
    r.cells.resize(static_cast<std::size_t>(std::max(1, columnCount())));
    r.cells[0] = std::move(text);
    rows_.insert(rows_.begin() + index, std::move(r));
    if (selectionMark_ >= index) {
        ++selectionMark_;
    }
    changed();
    return index;
}

const ListView::Column& ListView::column(int index) const {
    static const Column none;
    return index >= 0 && index < columnCount() ? columns_[static_cast<std::size_t>(index)] : none;
}

const ListView::Row& ListView::row(int index) const {
    static const Row none;
    return index >= 0 && index < rowCount() ? rows_[static_cast<std::size_t>(index)] : none;
}

void ListView::setCell(int row, int column, std::string text) {
    if (row < 0 || row >= rowCount() || column < 0) {
        return;
    }
    Row& r = at(row);
    if (static_cast<int>(r.cells.size()) <= column) {
        r.cells.resize(static_cast<std::size_t>(column) + 1);
    }
    r.cells[static_cast<std::size_t>(column)] = std::move(text);
    changed();
}

std::string ListView::cell(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0) {
        return {};
    }
    const Row& r = rows_[static_cast<std::size_t>(row)];
    return column < static_cast<int>(r.cells.size()) ? r.cells[static_cast<std::size_t>(column)]
                                                     : std::string();
}

void ListView::deleteRow(int row) {
    if (row < 0 || row >= rowCount()) {
        return;
    }
    rows_.erase(rows_.begin() + row);
    if (selectionMark_ == row) {
        selectionMark_ = -1;
    } else if (selectionMark_ > row) {
        --selectionMark_;
    }
    changed();
}

void ListView::deleteAllRows() {
    rows_.clear();
    selectionMark_ = -1;
    changed();
}

bool ListView::checked(int row) const {
    return row >= 0 && row < rowCount() && rows_[static_cast<std::size_t>(row)].checked;
}

void ListView::setChecked(int row, bool checked) {
    if (row >= 0 && row < rowCount() && at(row).checked != checked) {
        at(row).checked = checked;
        changed();
    }
}

void ListView::setRowData(int row, std::intptr_t data) {
    if (row >= 0 && row < rowCount()) {
        at(row).data = data;
    }
}

void ListView::setSelectionMark(int row) {
    if (row < -1 || row >= rowCount()) {
        row = -1;
    }
    if (row != selectionMark_) {
        selectionMark_ = row;
        changed();
    }
}

}  // namespace platform::ui
