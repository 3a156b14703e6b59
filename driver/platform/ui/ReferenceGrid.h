#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/Export.h"
#include "platform/ui/Control.h"

namespace platform::ui {

// A grid of labelled rows with one editable numeric column, such as the 401
// reference values of a level calibration (rows "380" to "780").
class RX9100_RENDERER_API ReferenceGrid : public Control {
  public:
    using Control::Control;

    // One row per wavelength from first to last nm, labelled "%d".
    void setWavelengthRows(int firstNm, int lastNm);
    void setRowLabels(std::vector<std::string> labels);
    int rowCount() const { return static_cast<int>(labels_.size()); }
    const std::string& rowLabel(int row) const;

    const std::string& columnTitle() const { return columnTitle_; }
    void setColumnTitle(std::string title);

    const std::string& cellText(int row) const;
    void setCellText(int row, std::string text);
    const std::vector<std::string>& cells() const { return cells_; }

    // Cells take digits, a sign, an exponent letter and the user's decimal separator.
    static bool acceptsChar(char32_t c);
    // What a cell holds after the user typed `typed` into it.
    static std::string typedResult(std::string_view typed);

  private:
    std::vector<std::string> labels_;
    std::vector<std::string> cells_;
    std::string columnTitle_;
};

}  // namespace platform::ui
