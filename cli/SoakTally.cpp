#include "SoakTally.h"

namespace cli::soak {

void SoakTally::add(const std::string& operation, const std::string& outcome, double seconds,
                    const std::string& fault) {
    ++rounds_;
    ++outcomes_[operation][outcome];
    double& slowest = slowest_[operation];
    if (seconds > slowest) {
        slowest = seconds;
    }
    if (seconds > worstSeconds_) {
        worstSeconds_ = seconds;
        worstRound_ =
            operation + " (" + outcome + ", fault " + (fault.empty() ? "none" : fault) + ")";
    }
}

void SoakTally::addFinding(const std::string& text, const std::string& fault) {
    ++findings_[text][fault.empty() ? "none" : fault];
    ++findingCount_;
}

void SoakTally::printFindings(std::FILE* out) const {
    std::fprintf(out, "  findings       %d\n", findingCount_);
    for (const auto& [text, faults] : findings_) {
        int count = 0;
        std::string with;
        for (const auto& [fault, times] : faults) {
            count += times;
            with += (with.empty() ? "" : ", ") + fault +
                    (times > 1 ? " x" + std::to_string(times) : "");
        }
        std::fprintf(out, "    %d x %s\n      faults: %s\n", count, text.c_str(), with.c_str());
    }
}

void SoakTally::print(std::FILE* out) const {
    std::fprintf(out, "  rounds         %d\n", rounds_);
    for (const auto& [operation, outcomes] : outcomes_) {
        int total = 0;
        for (const auto& entry : outcomes) {
            total += entry.second;
        }
        std::fprintf(out, "    %-12s %5d  slowest %.2f s:", operation.c_str(), total,
                     slowest_.at(operation));
        const char* separator = " ";
        for (const auto& [outcome, count] : outcomes) {
            std::fprintf(out, "%s%s %d", separator, outcome.c_str(), count);
            separator = ", ";
        }
        std::fprintf(out, "\n");
    }
    std::fprintf(out, "  worst latency  %.2f s: %s\n", worstSeconds_, worstRound_.c_str());
}

}  // namespace cli::soak
