#pragma once
// The white calibration from the command line, with the driver's dialog answered from the
// options (--white-standard, --white-user).
#include <string>

#include "InstrumentSession.h"
#include "Options.h"
#include "WhiteCalibrationAnswers.h"

namespace cli {

// Runs doWhiteCalibration with the dialog answered from the options; returns the exit code
// (0 when the calibration is in force).
int calibrateWhite(InstrumentSession& session, const WhiteOptions& white);

}  // namespace cli
