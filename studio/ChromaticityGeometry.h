#pragma once
// What the chromaticity diagram draws, in CIE 1931 xy or CIE 1976 u'v': the spectral
// locus, the Planckian locus and its isotemperature lines.
#include <vector>

namespace studio {

enum class ChromaticityPlane { Xy, UvPrime };

struct PlanePoint {
    double a = 0.0;  // x or u'
    double b = 0.0;  // y or v'
};

// From CIE 1931 xy into the plane.
PlanePoint toPlane(ChromaticityPlane plane, double x, double y);

struct LocusPoint {
    int nm = 0;
    PlanePoint p;
};

// The spectral locus of the observer (2 or 10) from 380 to 700 nm (beyond 700 nm the
// locus stands still) at 5 nm steps.
std::vector<LocusPoint> spectralLocus(ChromaticityPlane plane, int observer);

// The Planckian locus from 1000 K to 100000 K.
std::vector<PlanePoint> planckianLocus(ChromaticityPlane plane, int observer);

struct IsotemperatureLine {
    double kelvin = 0.0;
    PlanePoint from;  // Duv -0.02
    PlanePoint to;    // Duv +0.02
};

// Lines of constant correlated colour temperature across the locus (perpendicular to it
// in the CIE 1960 uv plane) at the usual marks.
std::vector<IsotemperatureLine> isotemperatureLines(ChromaticityPlane plane, int observer);

}  // namespace studio
