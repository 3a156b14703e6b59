#pragma once
// --plot FILE.png: the spectra of a run drawn with the graph the driver's dialogs
// use, the colour values of the last measurement in the title.
#include <optional>
#include <string>
#include <vector>

#include "Measurement.h"

namespace cli {

// False when this build has no plotting (built without Qt).
bool plotAvailable();

// Returns an error text, empty when the file was written.
std::string writePlot(const std::string& path, const std::vector<MeasurementResult>& results,
                      const ReportContext& context);

// The colour vector graphic of the result's colour rendition; an error text, empty when
// the file was written.
std::string writeVectorPlot(const std::string& path, const MeasurementResult& result,
                            const ReportContext& context);

// "Lv 100.0 cd/m²  x 0.3127  y 0.3290  CCT 6504 K"
std::string plotTitle(const MeasurementResult& result);

// What --plot draws, and all a run keeps of its results: the last kPlottedMeasurements
// (more curves could not be told apart), nothing without --plot. An endless remote run
// stays the same size in memory.
class PlotHistory {
  public:
    static constexpr std::size_t kPlottedMeasurements = 20;

    explicit PlotHistory(std::string path, std::string vectorPath = {})
        : path_(std::move(path)), vectorPath_(std::move(vectorPath)) {}
    void add(const MeasurementResult& result);
    // Draws the kept measurements (and the last one's colour vector graphic); an error
    // text, empty when the files were written (or nothing was asked for or measured).
    std::string write(const ReportContext& context) const;

  private:
    std::string path_;
    std::string vectorPath_;
    std::vector<MeasurementResult> kept_;
    std::optional<MeasurementResult> last_;  // only for the colour vector graphic
};

}  // namespace cli
