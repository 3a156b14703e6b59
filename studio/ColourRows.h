#pragma once
// The colour values of one result as the studio's table shows them: a label and the
// value formatted as rx9100 prints it ("-" where the colour library has none).
#include <string>
#include <vector>

#include "tintcalc/Colorimetry.h"

namespace studio {

struct ColourRow {
    std::string label;
    std::string value;
};

std::vector<ColourRow> colourRows(const tintcalc::ColorResult& colour);

}  // namespace studio
