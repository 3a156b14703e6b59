#pragma once
// The calibrations' hidden "測定（D)" button: instead of measuring, a stored spectrum (401
// lines, one value each, 380 nm first) chosen in the program's folder is copied to
// "debugmes.l40" in the instrument's folder and read from there as the measurement.
#include <vector>

#include "platform/Window.h"
#include "sensor/MeasuringData.h"

class TavoRX9100;

namespace usercal {

inline constexpr const char* kDebugExtension = "l40";
inline constexpr const char* kDebugFileError = "DebugMeasure : Data File Error!!";

// Fills store with one record of the file's 401 values. When the user chooses nothing or
// the copy cannot be made, the store is left as it was; a file shorter than 401 lines
// empties it and says so.
void debugLoad(TavoRX9100& driver, platform::WindowHandle owner, std::vector<MeasuringData>& store);

}  // namespace usercal
