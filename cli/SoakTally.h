#pragma once
// The soak's figures: rounds by operation and outcome, the slowest round, and every
// finding with the fault that was armed.
#include <cstdio>
#include <map>
#include <string>

namespace cli::soak {

class SoakTally {
  public:
    void add(const std::string& operation, const std::string& outcome, double seconds,
             const std::string& fault);
    // A finding and the fault armed in its round (empty: none).
    void addFinding(const std::string& text, const std::string& fault);
    int findingCount() const { return findingCount_; }
    int rounds() const { return rounds_; }
    void print(std::FILE* out) const;
    // Each kind of finding once, with how often it came and the faults it came with.
    void printFindings(std::FILE* out) const;

  private:
    std::map<std::string, std::map<std::string, int>> outcomes_;
    std::map<std::string, double> slowest_;                       // by operation
    std::map<std::string, std::map<std::string, int>> findings_;  // text, fault, count
    int findingCount_ = 0;
    int rounds_ = 0;
    double worstSeconds_ = 0;
    std::string worstRound_;
};

}  // namespace cli::soak
