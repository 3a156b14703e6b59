#pragma once
// Where results go: stdout, or the file of --output.
#include <fstream>
#include <ostream>
#include <string>

#include "Options.h"

namespace cli {

class OutputTarget {
  public:
    // An empty path means stdout. Returns an error text, empty on success.
    std::string open(const std::string& path);
    // Checks that a requested plot can be drawn and its file written, then opens the output:
    // all before the instrument is touched. Returns an error text, empty on success.
    std::string openFor(const OutputOptions& output);
    std::ostream& stream();
    // Flushes; false when writing failed (disk full, closed pipe).
    bool good();
    // The pipe the results go to, for a StopWatcher to notice its reader leaving; else -1.
    int watchedPipe() const;

  private:
    std::ofstream file_;
    bool toFile_ = false;
};

// Empty when all that was written to stdout reached it; else what went wrong.
std::string standardOutputError();

}  // namespace cli
