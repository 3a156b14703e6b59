#pragma once
// Spectral graph export for hosts without a window (the command line's
// --plot FILE.png). Needs no Qt header: when no Qt application exists, one is
// started on the offscreen platform for the drawing.
#include <string>
#include <vector>
#include "rx9100qt/QtExport.h"

#include "platform/ui/SpectralGraph.h"

namespace rx9100qt {

struct PngSize {
    int width = 900;
    int height = 520;
};

// True when the file was written.
RX9100QT_API bool renderSpectrumPng(const std::string& path,
                                    const std::vector<platform::ui::SpectrumSeries>& series,
                                    const std::string& title, PngSize size = {},
                                    double fromNm = platform::ui::kSpectrumFirstNm,
                                    double toNm = platform::ui::kSpectrumLastNm);

}  // namespace rx9100qt
