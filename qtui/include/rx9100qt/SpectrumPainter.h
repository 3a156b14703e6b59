#pragma once
#include <QColor>
#include <QRectF>
#include <QString>
#include <vector>
#include "rx9100qt/QtExport.h"

#include "platform/ui/SpectralGraph.h"

class QPainter;

namespace rx9100qt {

struct SpectrumView {
    std::vector<platform::ui::SpectrumSeries> series;
    double fromNm = platform::ui::kSpectrumFirstNm;
    double toNm = platform::ui::kSpectrumLastNm;
    QString title;
    QString valueCaption;
};

// Draws the graph into `area`: frame, grid, wavelength and value labels, the
// visible-spectrum colour band under the wavelength axis, every series clipped
// to the range, and a legend when series have names.
RX9100QT_API void paintSpectrum(QPainter& painter, const QRectF& area, const SpectrumView& view);

// An approximate display colour of a wavelength (black outside 380-780 nm).
RX9100QT_API QColor wavelengthColor(double nm);

}  // namespace rx9100qt
