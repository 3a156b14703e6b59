#include "platform/ui/SpectralGraph.h"

#include <algorithm>

namespace platform::ui {

void SpectralGraph::setSeries(std::vector<SpectrumSeries> series) {
    series_ = std::move(series);
    changed();
}

void SpectralGraph::addSeries(SpectrumSeries series) {
    series_.push_back(std::move(series));
    changed();
}

void SpectralGraph::clearSeries() {
    series_.clear();
    changed();
}

bool SpectralGraph::setRange(double from, double to) {
    from = std::clamp(from, kSpectrumFirstNm, kSpectrumLastNm);
    to = std::clamp(to, kSpectrumFirstNm, kSpectrumLastNm);
    if (!(from < to)) {
        return false;
    }
    from_ = from;
    to_ = to;
    changed();
    return true;
}

void SpectralGraph::showFullRange() {
    setRange(kSpectrumFirstNm, kSpectrumLastNm);
}

void SpectralGraph::setValueCaption(std::string caption) {
    valueCaption_ = std::move(caption);
    changed();
}

}  // namespace platform::ui
