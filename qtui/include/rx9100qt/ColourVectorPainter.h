#pragma once
// The colour vector graphic of a light's colour rendition (IES TM-30 / CIE 224): for each of
// the 16 hue bins, the mean chromaticity of its samples under the reference light placed on
// a unit circle and under the test light moved with it, so that the arrows show how the
// light shifts hue and saturation. Drawn in the style of the spectral graph.
#include <QRectF>
#include <QString>
#include <array>
#include <string>

#include "rx9100qt/QtExport.h"
#include "rx9100qt/SpectrumPng.h"

class QPainter;

namespace rx9100qt {

// Mean CAM02-UCS a′ and b′ of a bin's samples under the reference and the test light.
struct HueBinMeans {
    double referenceA = 0;
    double referenceB = 0;
    double testA = 0;
    double testB = 0;
};

struct ColourVectorView {
    std::array<HueBinMeans, 16> bins{};
    QString title;
    QString caption;  // e.g. "Rf 92  Rg 101  CCT 2856 K"
};

// Where the test light puts bin j's point when the reference point sits on the unit circle:
// (cos h, sin h) plus the test-minus-reference difference divided by the reference chroma.
// False when the reference mean has no chroma (nothing to normalise by).
RX9100QT_API bool normalisedTestPoint(const HueBinMeans& bin, double& x, double& y);

RX9100QT_API void paintColourVectorGraphic(QPainter& painter, const QRectF& area,
                                           const ColourVectorView& view);

// True when the file was written; like renderSpectrumPng, needs no Qt application.
RX9100QT_API bool renderColourVectorPng(const std::string& path, const ColourVectorView& view,
                                        PngSize size = {620, 660});

}  // namespace rx9100qt
