#pragma once
// Everything the instrument remembers between power cycles: measuring conditions,
// display options, calibration channels, factor tables and stored data.
#include <array>
#include <optional>
#include <string>

#include "simulator/Spectrum.h"

namespace rx9100sim {

using Table = std::array<float, kPoints>;

// Measuring conditions as the instrument numbers them on the wire.
struct Conditions {
    int speedMode = 0;           // 0 normal, 1 fast, 2 count, 3 manual time, 4 count (fast)
    int count = 1;               // speed modes 2 and 4
    int integrationUs = 500000;  // speed mode 3
    int internalNd = 0;          // 0 off, 1 on, 2 automatic
    int syncMode = 0;            // 0 none, 1 internal, 2 external
    int syncCentiHz = 6000;      // internal synchronisation frequency × 100
    int lens = 0;                // 0 standard, 1 adapter lens
    int nd = 0;                  // 0 none, 1 or 2: external ND filter
    bool operator==(const Conditions&) const = default;
};

struct DisplayOptions {
    int colorSpace = 0;
    int displayMode = 0;
    int observer = 0;
    int backlightAlways = 1;
    int backlightMeasuring = 1;
    int luminanceUnit = 1;  // 1 cd/m², 0 ft-L
    bool operator==(const DisplayOptions&) const = default;
};

struct CalibrationChannel {
    std::optional<Table> wavelength;  // entry i: wavelength in nm for nominal 380 + i
    std::optional<Table> level;       // entry i: factor for nominal 380 + i
    std::string id;
    bool operator==(const CalibrationChannel&) const = default;
};

// A measurement kept in memory: the last one, a sample or a target.
struct StoredRecord {
    bool spectral = true;
    Table spectrum{};
    Conditions conditions;
    int integrationUs = 0;
    int angle = 0;
    int channel = 0;
    std::array<double, 3> colour{};  // Lv, x, y of a colour-only target
    int observerCode = 1;            // 1: 2°, 11: 10°
    std::string name;
    bool operator==(const StoredRecord&) const = default;
};

constexpr int kChannels = 11;  // 0 is the uncorrected state
constexpr int kTargets = 20;   // numbered 1 to 20
constexpr int kSamples = 100;  // numbered 0 to 99
constexpr int kAngles = 3;
constexpr std::size_t kNameLength = 10;  // a target's name

struct Memory {
    Conditions conditions;
    DisplayOptions display;
    int measuringAngle = 0;
    int activeTarget = 1;
    int activeChannel = 0;
    std::array<CalibrationChannel, kChannels> channels;
    std::array<std::optional<Table>, kAngles> lensTables;
    std::array<std::array<std::optional<Table>, 2>, kAngles> ndTables;  // [angle][filter - 1]
    std::array<std::optional<StoredRecord>, kTargets + 1> targets;      // index = number
    std::array<std::optional<StoredRecord>, kSamples> samples;
    bool operator==(const Memory&) const = default;
};

// Identity tables that mean "no correction".
Table identityWavelengthTable();
Table unitTable();

// The memory as JSON text and back; nullopt (with a reason) for an unreadable text.
std::string memoryToJson(const Memory& memory);
std::optional<Memory> memoryFromJson(const std::string& text, std::string* error);

}  // namespace rx9100sim
