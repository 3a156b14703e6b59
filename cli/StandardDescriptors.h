#pragma once
// Descriptors 0 to 2 that are closed when rx9100 starts are opened on /dev/null. Otherwise
// the first files the program opens (the serial port among them) would get those numbers,
// and the results, messages or trace would be written onto the instrument's line.

namespace cli {

// False when a closed one could not be opened (nothing else should be opened then).
bool occupyStandardDescriptors();

}  // namespace cli
