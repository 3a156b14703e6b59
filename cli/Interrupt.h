#pragma once
// Ctrl-C (SIGINT) and SIGTERM only raise a flag; the program looks at it where it
// can stop cleanly, so the instrument is always returned to local mode. A second
// signal ends the program at once.
#include <chrono>

namespace cli {

void installInterruptHandler();
bool interrupted();

// Sleeps for the duration; false when interrupted before it was over.
bool sleepUnlessInterrupted(std::chrono::milliseconds duration);

}  // namespace cli
