#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Export.h"
#include "platform/ui/Control.h"

namespace platform::ui {

// Colours as the native list takes them: 0x00BBGGRR.
using ColorRef = std::uint32_t;
inline constexpr ColorRef kDefaultColor = 0xFFFFFFFFu;  // the renderer's own colour

// A list view in report mode: titled columns of given pixel widths, rows of
// cell texts, optional check boxes, and one selection mark.
class RX9100_RENDERER_API ListView : public Control {
  public:
    struct Column {
        std::string title;
        int width = 0;
    };
    struct Row {
        std::vector<std::string> cells;
        bool checked = false;
        std::intptr_t data = 0;
    };

    explicit ListView(const ControlTemplate& tmpl);

    bool checkBoxes() const { return checkBoxes_; }
    bool fullRowSelect() const { return fullRowSelect_; }
    bool gridLines() const { return gridLines_; }
    bool headerClickable() const { return headerClickable_; }
    void setStyles(bool checkBoxes, bool fullRowSelect, bool gridLines, bool headerClickable);

    ColorRef backgroundColor() const { return background_; }
    ColorRef textBackgroundColor() const { return textBackground_; }
    ColorRef textColor() const { return textColor_; }
    void setColors(ColorRef background, ColorRef textBackground, ColorRef text = kDefaultColor);

    int insertColumn(int index, Column column);
    void deleteColumn(int index);
    int columnCount() const { return static_cast<int>(columns_.size()); }
    // An empty column for an index out of range.
    const Column& column(int index) const;

    // Inserts a row whose first cell is `text`; returns its index.
    int insertRow(int index, std::string text);
    void setCell(int row, int column, std::string text);
    std::string cell(int row, int column) const;
    void deleteRow(int row);
    void deleteAllRows();
    int rowCount() const { return static_cast<int>(rows_.size()); }
    // An empty row for an index out of range.
    const Row& row(int index) const;

    bool checked(int row) const;
    void setChecked(int row, bool checked);
    void setRowData(int row, std::intptr_t data);

    int selectionMark() const { return selectionMark_; }
    void setSelectionMark(int row);  // -1 for none

  private:
    Row& at(int row) { return rows_[static_cast<std::size_t>(row)]; }  // row in range

    bool checkBoxes_;
    bool fullRowSelect_;
    bool gridLines_;
    bool headerClickable_;
    ColorRef background_ = kDefaultColor;
    ColorRef textBackground_ = kDefaultColor;
    ColorRef textColor_ = kDefaultColor;
    std::vector<Column> columns_;
    std::vector<Row> rows_;
    int selectionMark_ = -1;
};

}  // namespace platform::ui
