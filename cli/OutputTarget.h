#pragma once
// Where results go: stdout, or the file of --output.
#include <fstream>
#include <ostream>
#include <string>

namespace cli {

class OutputTarget {
  public:
    // An empty path means stdout. Returns an error text, empty on success.
    std::string open(const std::string& path);
    std::ostream& stream();
    // False when writing failed (disk full, closed pipe).
    bool good();

  private:
    std::ofstream file_;
    bool toFile_ = false;
};

}  // namespace cli
