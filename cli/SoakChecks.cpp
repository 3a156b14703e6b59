#include "SoakChecks.h"

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace cli::soak {

namespace {

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", value);
    return text;
}

}  // namespace

std::optional<std::string> differenceFromInstrument(
    const std::vector<double>& record, const std::array<float, kSpectralPoints>& sent) {
    if (record.size() != sent.size()) {
        return std::to_string(record.size()) + " values instead of " + std::to_string(sent.size());
    }
    for (std::size_t i = 0; i < sent.size(); ++i) {
        const double expected = sent[i];
        const bool same = std::isnan(expected) ? std::isnan(record[i]) : record[i] == expected;
        if (!same) {
            return "value " + std::to_string(i) + " (" + std::to_string(380 + i) + " nm) is " +
                   number(record[i]) + ", the instrument sent " + number(expected);
        }
    }
    return std::nullopt;
}

Usage currentUsage() {
    Usage usage;
    long pages = 0;
    long resident = 0;
    if (std::ifstream statm("/proc/self/statm"); statm >> pages >> resident) {
        usage.rssKiB = resident * (sysconf(_SC_PAGESIZE) / 1024);
    }
    std::error_code error;
    for (auto it = std::filesystem::directory_iterator("/proc/self/fd", error);
         !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        ++usage.descriptors;
    }
    --usage.descriptors;  // the one the listing itself holds open
    return usage;
}

std::vector<std::string> judgeLeaks(const Usage& warm, const Usage& end, long toleranceKiB) {
    std::vector<std::string> leaks;
    if (end.rssKiB - warm.rssKiB > toleranceKiB) {
        leaks.push_back("resident memory grew from " + std::to_string(warm.rssKiB) + " KiB to " +
                        std::to_string(end.rssKiB) + " KiB after warm-up (tolerance " +
                        std::to_string(toleranceKiB) + " KiB)");
    }
    if (end.descriptors > warm.descriptors) {
        leaks.push_back("open descriptors grew from " + std::to_string(warm.descriptors) + " to " +
                        std::to_string(end.descriptors) + " after warm-up");
    }
    return leaks;
}

bool saidLocalLast(const std::vector<rx9100sim::TranscriptEntry>& transcript) {
    using Direction = rx9100sim::TranscriptEntry::Direction;
    const rx9100sim::TranscriptEntry* reply = nullptr;
    for (auto entry = transcript.rbegin(); entry != transcript.rend(); ++entry) {
        if (entry->direction == Direction::Sent && reply == nullptr) {
            reply = &*entry;
        } else if (entry->direction == Direction::Received) {
            return reply != nullptr && entry->bytes == "RMTS,0\r\n" && reply->bytes == "ER00\r\n";
        }
    }
    return false;
}

}  // namespace cli::soak
