#pragma once
// The command protocol: one received line in, one reply line out, acting on the
// instrument's memory and running state. No threads and no clocks of its own.
#include <bitset>
#include <chrono>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <utility>

#include "simulator/Identity.h"
#include "simulator/MeasurementModel.h"
#include "simulator/Memory.h"
#include "simulator/Spectrum.h"

namespace rx9100sim {

using Clock = std::chrono::steady_clock;
using SessionId = std::uint64_t;

struct MeasuringTiming {
    double scale = 1.0;                  // multiplies every measuring time
    std::optional<double> fixedSeconds;  // when set, every measurement takes this long
};

struct PendingMeasurement {
    Clock::time_point end;
    std::optional<SessionId> session;  // who asked with "MEAS,1"; none for the key
    StoredRecord result;
    bool insufficient = false;
};

// Points of a spectral target being written with "TGDS,1,0".
struct TargetPoints {
    Table values{};
    std::bitset<kPoints> written;
};

// What is lost when the instrument is switched off.
struct Runtime {
    bool remote = false;
    bool keyEnabled = false;
    bool dataAvailable = false;  // a finished measurement not yet superseded
    std::optional<StoredRecord> lastMeasurement;
    std::optional<PendingMeasurement> measuring;
    // Table writes wait here for their commit line ("UCPS,3", "ALFS,3", "NFCS,3").
    std::map<int, CalibrationChannel> stagedChannels;
    std::map<int, Table> stagedLens;
    std::map<std::pair<int, int>, Table> stagedNd;  // (angle, filter)
    std::map<int, TargetPoints> targetPoints;       // by target number
};

struct CommandContext {
    Memory& memory;
    Runtime& runtime;
    const Identity& identity;
    const Scene& scene;
    const Miscalibration& errors;
    const MeasuringTiming& timing;
    double noise;
    std::mt19937& rng;
    std::deque<std::string>& continuation;  // the session's pending "&" replies
    std::optional<SessionId> session;
    Clock::time_point now;
    bool memoryChanged = false;  // set when something worth persisting changed
};

// The reply line (without CR LF) to one received command line.
std::string executeCommand(CommandContext& context, std::string_view line);

// Reply to a line that was longer than the instrument's buffer.
std::string overrunReply();

// Starts a measurement; returns the announced measuring time in seconds (two decimals).
double startMeasurement(CommandContext& context);

// Header fields 2 to 9 of a data header reply, as the instrument writes them.
std::string headerFields(const StoredRecord& record, int firmwareLevel);

}  // namespace rx9100sim
