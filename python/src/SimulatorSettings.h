#pragma once
// The built-in simulator's options from Python keyword arguments, named as rx9100's
// --sim-... options without the prefix (time_scale for --sim-time-scale).
#include <pybind11/pybind11.h>

#include "Options.h"

namespace pyrx9100 {

// Throws TypeError for an unknown name, ValueError for a value out of range.
cli::SimulatorOptions simulatorOptions(const pybind11::dict& settings);

}  // namespace pyrx9100
