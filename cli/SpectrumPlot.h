#pragma once
// --plot FILE.png: the spectra of a run drawn with the graph the driver's dialogs
// use, the colour values of the last measurement in the title.
#include <string>
#include <vector>

#include "Measurement.h"

namespace cli {

// False when this build has no plotting (built without Qt).
bool plotAvailable();

// Returns an error text, empty when the file was written.
std::string writePlot(const std::string& path, const std::vector<MeasurementResult>& results,
                      const ReportContext& context);

// "Lv 100.0 cd/m²  x 0.3127  y 0.3290  CCT 6504 K"
std::string plotTitle(const MeasurementResult& result);

}  // namespace cli
