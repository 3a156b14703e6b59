#pragma once
// The record of every line the instrument received and sent.
#include <chrono>
#include <string>

namespace rx9100sim {

struct TranscriptEntry {
    enum class Direction { Received, Sent };  // seen from the instrument
    std::chrono::system_clock::time_point time;
    Direction direction = Direction::Received;
    std::string bytes;  // exactly as on the wire, line end included
};

// One text line: local time with microseconds, "->" (received) or "<-" (sent), and the
// bytes with CR, LF, backslash and non-printable bytes escaped ("\r", "\n", "\\", "\xHH").
std::string formatTranscriptEntry(const TranscriptEntry& entry);
std::string escapeBytes(const std::string& bytes);

}  // namespace rx9100sim
