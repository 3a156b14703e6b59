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
    // Checks that a requested plot can be drawn, then opens the output: both
    // before the instrument is touched. Returns an error text, empty on success.
    std::string openFor(const OutputOptions& output);
    std::ostream& stream();
    // False when writing failed (disk full, closed pipe).
    bool good();

  private:
    std::ofstream file_;
    bool toFile_ = false;
};

}  // namespace cli
