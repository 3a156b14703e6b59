#include "platform/ui/ReferenceGrid.h"

#include "platform/ui/Text.h"

namespace platform::ui {

namespace {
const std::string kEmpty;
}

void ReferenceGrid::setWavelengthRows(int firstNm, int lastNm) {
    std::vector<std::string> labels;
    for (int nm = firstNm; nm <= lastNm; ++nm) {
        labels.push_back(std::to_string(nm));
    }
    setRowLabels(std::move(labels));
}

void ReferenceGrid::setRowLabels(std::vector<std::string> labels) {
    labels_ = std::move(labels);
    cells_.resize(labels_.size());
    changed();
}

const std::string& ReferenceGrid::rowLabel(int row) const {
    return row >= 0 && row < rowCount() ? labels_[static_cast<std::size_t>(row)] : kEmpty;
}

void ReferenceGrid::setColumnTitle(std::string title) {
    columnTitle_ = std::move(title);
    changed();
}

const std::string& ReferenceGrid::cellText(int row) const {
    return row >= 0 && row < rowCount() ? cells_[static_cast<std::size_t>(row)] : kEmpty;
}

void ReferenceGrid::setCellText(int row, std::string text) {
    if (row < 0 || row >= rowCount() || cells_[static_cast<std::size_t>(row)] == text) {
        return;
    }
    cells_[static_cast<std::size_t>(row)] = std::move(text);
    changed();
}

bool ReferenceGrid::acceptsChar(char32_t c) {
    return (c >= U'0' && c <= U'9') || c == U'+' || c == U'-' || c == U'e' || c == U'E' ||
           c == static_cast<char32_t>(userDecimalSeparator());
}

std::string ReferenceGrid::typedResult(std::string_view typed) {
    std::u32string kept;
    for (const char32_t c : decodeUtf8(typed)) {
        if (acceptsChar(c)) {
            kept.push_back(c);
        }
    }
    return encodeUtf8(kept);
}

}  // namespace platform::ui
