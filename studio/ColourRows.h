#pragma once
// The colour values of one result as the studio's table shows them: a label and the
// value formatted as rx9100 prints it ("-" where the colour library has none).
#include <string>
#include <vector>

#include <optional>

#include "tintcalc/Colorimetry.h"
#include "tintcalc/Rendition.h"

namespace studio {

struct ColourRow {
    std::string label;
    std::string value;
};

std::vector<ColourRow> colourRows(const tintcalc::ColorResult& colour);

// How a light renders colours: Ra and R9 (CIE 13.3, with "*" when the light is too far
// from the Planckian locus for the index to be reliable), Rf and Rg (TM-30). All "-" for a
// result that is no light source (nothing rated).
std::vector<ColourRow> renditionRows(const std::optional<tintcalc::RenditionResult>& rendition);

}  // namespace studio
