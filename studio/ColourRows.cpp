#include "ColourRows.h"

#include "Measurement.h"

namespace studio {

std::vector<ColourRow> colourRows(const tintcalc::ColorResult& c) {
    using cli::formatValue;
    std::string dominant = "-";
    if (tintcalc::isDefined(c.dominantWavelength)) {
        dominant = c.complementary ? formatValue(-c.dominantWavelength, "%.1f") + " nm (c)"
                                   : formatValue(c.dominantWavelength, "%.1f") + " nm";
    }
    return {{"Lv (cd/m²)", formatValue(c.Lv, "%.5g")},
            {"x", formatValue(c.x, "%.4f")},
            {"y", formatValue(c.y, "%.4f")},
            {"u′", formatValue(c.uPrime, "%.4f")},
            {"v′", formatValue(c.vPrime, "%.4f")},
            {"CCT (K)", formatValue(c.cct, "%.0f")},
            {"Duv", formatValue(c.duv, "%.4f")},
            {"X", formatValue(c.X, "%.5g")},
            {"Y", formatValue(c.Y, "%.5g")},
            {"Z", formatValue(c.Z, "%.5g")},
            {"Dominant λ", dominant},
            {"Purity (%)",
             tintcalc::isDefined(c.purity) ? formatValue(c.purity * 100.0, "%.1f") : "-"}};
}

std::vector<ColourRow> renditionRows(const std::optional<tintcalc::RenditionResult>& r) {
    using cli::formatValue;
    if (!r) {
        return {{"Ra", "-"}, {"R9", "-"}, {"Rf", "-"}, {"Rg", "-"}};
    }
    const std::string unreliable = r->criReliable ? "" : " *";
    return {{"Ra", formatValue(r->ra, "%.1f") + unreliable},
            {"R9", formatValue(r->r[8], "%.1f") + unreliable},
            {"Rf", formatValue(r->rf, "%.1f")},
            {"Rg", formatValue(r->rg, "%.1f")}};
}

}  // namespace studio
