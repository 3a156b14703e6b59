#pragma once
// The white calibration from the command line: the driver's own dialog, answered from the
// options by pressing the buttons a user would press, so that every rule of the dialog
// applies (a file it refuses, an unlit region, the remembered settings).
#include <string>

#include "InstrumentSession.h"
#include "Options.h"

namespace cli {

// The measurement method of a --type name: 3 light, 1 reflectance, 2 transmittance.
int measurementMethodOf(MeasurementType type);

// Sets the measurement type and method in the driver before measuring.
void selectMeasurementType(TavoRX9100& driver, MeasurementType type);

// Runs doWhiteCalibration with the dialog answered from the options; returns the exit code
// (0 when the calibration is in force).
int calibrateWhite(InstrumentSession& session, const WhiteOptions& white);

}  // namespace cli
