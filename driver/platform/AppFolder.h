#pragma once
// Folder of the program that loaded the driver; the driver's settings and
// calibration files live relative to it.
#include <string>

namespace platform {

// The folder of the running executable with a trailing "/"; the current
// folder when the executable cannot be found.
std::string hostExecutableFolder();

}  // namespace platform
