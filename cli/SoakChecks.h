#pragma once
// What the soak judges, apart from the loop that drives the instrument: a measured
// spectrum against the one the simulated instrument produced, and the process's memory
// and descriptors after warm-up against the end.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "simulator/Transcript.h"

namespace cli::soak {

inline constexpr std::size_t kSpectralPoints = 401;

// Nothing when the record holds exactly the values the instrument sent (the driver keeps
// them as doubles of the instrument's single-precision values); else what differs.
std::optional<std::string> differenceFromInstrument(const std::vector<double>& record,
                                                    const std::array<float, kSpectralPoints>& sent);

struct Usage {
    long rssKiB = 0;
    int descriptors = 0;
};

// Resident memory and open descriptors of this process, from /proc.
Usage currentUsage();

// Texts of the leaks seen between warm-up and the end: resident memory grown by more
// than the tolerance, or descriptors that were not closed again.
std::vector<std::string> judgeLeaks(const Usage& warm, const Usage& end, long toleranceKiB);

// Whether the instrument's last words were "ER00" to "RMTS,0": it said it is in local mode
// (a fault can make it say so without acting, which is the instrument's fault, not the
// driver's).
bool saidLocalLast(const std::vector<rx9100sim::TranscriptEntry>& transcript);

}  // namespace cli::soak
