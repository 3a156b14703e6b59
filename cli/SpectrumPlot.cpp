#include "SpectrumPlot.h"

#ifdef RX9100_CLI_PLOT
#include <cstdlib>

#include "rx9100qt/ColourVectorPainter.h"
#include "rx9100qt/SpectrumPng.h"
#endif

namespace cli {

std::string plotTitle(const MeasurementResult& result) {
    const tintcalc::ColorResult& c = result.colour;
    return "Lv " + formatValue(c.Lv, "%.5g") + " cd/m²   x " + formatValue(c.x, "%.4f") + "  y " +
           formatValue(c.y, "%.4f") + "   CCT " + formatValue(c.cct, "%.0f") + " K  Duv " +
           formatValue(c.duv, "%.4f");
}

void PlotHistory::add(const MeasurementResult& result) {
    if (!vectorPath_.empty()) {
        last_ = result;
    }
    if (path_.empty()) {
        return;
    }
    if (kept_.size() == kPlottedMeasurements) {
        kept_.erase(kept_.begin());
    }
    kept_.push_back(result);
}

std::string PlotHistory::write(const ReportContext& context) const {
    if (!path_.empty() && !kept_.empty()) {
        if (std::string error = writePlot(path_, kept_, context); !error.empty()) {
            return error;
        }
    }
    if (!vectorPath_.empty() && last_) {
        return writeVectorPlot(vectorPath_, *last_, context);
    }
    return {};
}

#ifdef RX9100_CLI_PLOT

namespace {

// Outside a desktop session (ssh, containers) Qt warns on stderr that it has no runtime
// folder, which means nothing for drawing a file; the user's own rules win.
void quietQtOutsideADesktop() {
    if (std::getenv("XDG_RUNTIME_DIR") == nullptr && std::getenv("QT_LOGGING_RULES") == nullptr) {
        setenv("QT_LOGGING_RULES", "default.warning=false", 0);
    }
}

}  // namespace

bool plotAvailable() {
    return true;
}

std::string writePlot(const std::string& path, const std::vector<MeasurementResult>& results,
                      const ReportContext& context) {
    if (results.empty()) {
        return "no measurement to plot";
    }
    std::vector<platform::ui::SpectrumSeries> series;
    for (const MeasurementResult& result : results) {
        platform::ui::SpectrumSeries s;
        if (results.size() > 1) {
            s.name = "#" + std::to_string(result.index);
        }
        s.values = result.record.getData();
        s.firstNm = context.firstNm;
        s.stepNm = context.stepNm;
        series.push_back(std::move(s));
    }
    quietQtOutsideADesktop();
    const std::string title = context.identity.name + "   " + plotTitle(results.back());
    if (!rx9100qt::renderSpectrumPng(path, series, title)) {
        return "cannot write the plot " + path;
    }
    return {};
}

std::string writeVectorPlot(const std::string& path, const MeasurementResult& result,
                            const ReportContext& context) {
    const auto& r = result.rendition;
    if (!r || !tintcalc::isDefined(r->rf)) {
        return "no colour vector graphic: measurement " + std::to_string(result.index) +
               " could not be rated for its colour rendition";
    }
    quietQtOutsideADesktop();
    rx9100qt::ColourVectorView view;
    for (std::size_t j = 0; j < view.bins.size(); ++j) {
        const tintcalc::HueBin& bin = r->hueBins[j];
        view.bins[j] = {bin.referenceA, bin.referenceB, bin.testA, bin.testB};
    }
    view.title =
        QString::fromStdString(context.identity.name + "   #" + std::to_string(result.index));
    view.caption = QString::fromStdString(
        "Rf " + formatValue(r->rf, "%.0f") + "   Rg " + formatValue(r->rg, "%.0f") + "   CCT " +
        formatValue(r->cct, "%.0f") + " K   Duv " + formatValue(r->duv, "%.4f"));
    if (!rx9100qt::renderColourVectorPng(path, view)) {
        return "cannot write the colour vector graphic " + path;
    }
    return {};
}

#else

std::string writeVectorPlot(const std::string&, const MeasurementResult&, const ReportContext&) {
    return "--cvg is not available: this rx9100 was built without Qt (RX9100_QT=OFF)";
}

bool plotAvailable() {
    return false;
}

std::string writePlot(const std::string&, const std::vector<MeasurementResult>&,
                      const ReportContext&) {
    return "--plot is not available: this rx9100 was built without Qt (RX9100_QT=OFF)";
}

#endif

}  // namespace cli
