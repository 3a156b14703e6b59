#pragma once
// Dominant wavelength and excitation purity of a chromaticity against the equal-energy white.
#include <optional>
#include <vector>

#include "ciedata/CieTables.h"
#include "tintcalc/Observer.h"

namespace tintcalc {

struct DominantResult {
    // For a purple the complementary wavelength, given as a negative number; none for the
    // white itself.
    std::optional<double> wavelength;
    bool complementary = false;
    double purity = 0.0;
};

class DominantWavelength {
  public:
    // Spectral locus of the given colour-matching functions over [shortNm, longNm] at 1 nm,
    // closed by the purple line; the white is the equal-energy white over the same range.
    DominantWavelength(const cie::SpectralTable& cmf, int shortNm, int longNm);

    static const DominantWavelength& forObserver(Observer observer);

    double whiteX() const { return whiteX_; }
    double whiteY() const { return whiteY_; }

    // Empty when the chromaticity is not finite.
    std::optional<DominantResult> compute(double x, double y) const;

  private:
    struct Hit {
        double wavelength;
        double distance;  // along the ray from the white, in units of the ray's direction
    };
    std::optional<Hit> spectralHit(double dx, double dy) const;

    int shortNm_ = 0;
    std::vector<double> xs_, ys_;  // spectral locus, one point per nm
    double whiteX_ = 1.0 / 3.0;
    double whiteY_ = 1.0 / 3.0;
};

}  // namespace tintcalc
