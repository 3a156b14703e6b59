#include "simulator/Transcript.h"

#include <cstdio>
#include <ctime>

namespace rx9100sim {

std::string escapeBytes(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (c < 0x20 || c >= 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string formatTranscriptEntry(const TranscriptEntry& entry) {
    using namespace std::chrono;
    const auto t = system_clock::to_time_t(entry.time);
    const auto micros =
        duration_cast<microseconds>(entry.time.time_since_epoch()).count() % 1000000;
    std::tm local{};
    localtime_r(&t, &local);
    char stamp[64];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
    char frac[16];
    std::snprintf(frac, sizeof frac, ".%06lld", static_cast<long long>(micros));
    const char* arrow = entry.direction == TranscriptEntry::Direction::Received ? " -> " : " <- ";
    return std::string(stamp) + frac + arrow + escapeBytes(entry.bytes);
}

}  // namespace rx9100sim
