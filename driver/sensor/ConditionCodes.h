#pragma once
// The measuring-condition codes. SetupStatus, the records and the capability lists hold
// these codes (they are the item ids of the lists); the instrument writes its own numbers
// on the wire. Each condition has one table between the two, used both ways: reading a
// reply and building a command.
#include <array>
#include <cstddef>
#include <optional>

namespace codes {

// From ROM version 1.10 on (firmware level 110) several command layouts change.
inline constexpr int kRom110FirmwareLevel = 110;
constexpr bool hasRom110Layout(int firmwareLevel) {
    return firmwareLevel >= kRom110FirmwareLevel;
}

namespace speed {
inline constexpr int kFast = 2;
inline constexpr int kNormal = 3;
inline constexpr int kManual = 7;        // integration time set by hand
inline constexpr int kMulti = 12;        // repeated integrations (count) before ROM 1.10
inline constexpr int kMulti2 = 13;       // the second count mode of ROM 1.10 and later
inline constexpr int kMultiRom110 = 14;  // the count mode from ROM 1.10 on
}  // namespace speed

namespace sync {
inline constexpr int kExternal = 2;
inline constexpr int kInternal = 3;  // with a frequency
inline constexpr int kNone = 8;
}  // namespace sync

namespace lens {
inline constexpr int kStandard = 1;
inline constexpr int kAdapter = 11;
}  // namespace lens

// The external ND filters; 15 and 16 are filters 1 and 2 of the ND factor commands.
namespace nd {
inline constexpr int kNone = 0;
inline constexpr int kNd1 = 15;
inline constexpr int kNd2 = 16;
}  // namespace nd

// The internal ND setting; the instrument uses the same numbers.
namespace insertnd {
inline constexpr int kAbsent = -1;  // the instrument has none
inline constexpr int kOff = 0;
inline constexpr int kOn = 1;
inline constexpr int kAuto = 2;
}  // namespace insertnd

// Measuring angles (the measurement area of SetupStatus).
namespace area {
inline constexpr int kOneDegree = 21;
inline constexpr int kPointTwoDegree = 22;
inline constexpr int kPointOneDegree = 23;
}  // namespace area

// Luminance unit of the instrument's display.
namespace unit {
inline constexpr int kCandela = 0;  // cd/m²
inline constexpr int kFootLambert = 1;
}  // namespace unit

// Measurement methods: 1 and 2 are referred to a white standard, 3 measures light sources.
namespace method {
inline constexpr int kReflection = 1;
inline constexpr int kTransmission = 2;
inline constexpr int kLightSource = 3;
}  // namespace method

// Observers of the colour values the host computes.
namespace observer {
inline constexpr int kDefault = 0;
inline constexpr int kTwoDegree = 2;
inline constexpr int kTenDegree = 10;
}  // namespace observer

// Calibration modes: which user corrections of a channel apply.
namespace calmode {
inline constexpr int kNone = 0;
inline constexpr int kLevel = 4;
inline constexpr int kWavelength = 5;
inline constexpr int kNd = 9;
inline constexpr int kWavelengthNd = 21;
inline constexpr int kWavelengthLevel = 22;
inline constexpr int kNdLevel = 23;
inline constexpr int kAll = 24;
}  // namespace calmode

// Which firmware layouts a row of a wire table belongs to.
enum class Layout { Any, BeforeRom110, FromRom110 };

struct WireCode {
    int wire = 0;
    int code = 0;
    Layout layout = Layout::Any;
};

template <std::size_t N>
class WireTable {
  public:
    constexpr explicit WireTable(std::array<WireCode, N> rows) : rows_(rows) {}

    // The code of a number on the wire in the layout of that firmware; nothing for a
    // number the table lacks.
    constexpr std::optional<int> code(int wire, int firmwareLevel = kRom110FirmwareLevel) const {
        const Layout other =
            hasRom110Layout(firmwareLevel) ? Layout::BeforeRom110 : Layout::FromRom110;
        for (const WireCode& row : rows_) {
            if (row.wire == wire && row.layout != other) {
                return row.code;
            }
        }
        return std::nullopt;
    }
    // The number on the wire for a code; nothing for a code without one.
    constexpr std::optional<int> wire(int code) const {
        for (const WireCode& row : rows_) {
            if (row.code == code) {
                return row.wire;
            }
        }
        return std::nullopt;
    }
    constexpr const std::array<WireCode, N>& rows() const { return rows_; }

  private:
    std::array<WireCode, N> rows_;
};

// SPMR/SPMS mode and the header's speed index. Mode 2 is one count mode whose code
// changed with ROM 1.10.
inline constexpr WireTable kSpeedWire{std::array<WireCode, 6>{{
    {0, speed::kNormal},
    {1, speed::kFast},
    {2, speed::kMulti, Layout::BeforeRom110},
    {2, speed::kMultiRom110, Layout::FromRom110},
    {3, speed::kManual},
    {4, speed::kMulti2},
}}};
inline constexpr WireTable kSyncWire{std::array<WireCode, 3>{{
    {0, sync::kNone},
    {1, sync::kInternal},
    {2, sync::kExternal},
}}};
inline constexpr WireTable kLensWire{std::array<WireCode, 2>{{
    {0, lens::kStandard},
    {1, lens::kAdapter},
}}};
inline constexpr WireTable kNdWire{std::array<WireCode, 3>{{
    {0, nd::kNone},
    {1, nd::kNd1},
    {2, nd::kNd2},
}}};
inline constexpr WireTable kInsertNdWire{std::array<WireCode, 3>{{
    {0, insertnd::kOff},
    {1, insertnd::kOn},
    {2, insertnd::kAuto},
}}};
inline constexpr WireTable kAreaWire{std::array<WireCode, 3>{{
    {0, area::kPointOneDegree},
    {1, area::kPointTwoDegree},
    {2, area::kOneDegree},
}}};
inline constexpr WireTable kUnitWire{std::array<WireCode, 2>{{
    {0, unit::kFootLambert},
    {1, unit::kCandela},
}}};

// A calibration mode and the corrections it applies, both ways.
struct CalibrationCorrections {
    bool wavelength = false;
    bool nd = false;
    bool level = false;
    bool operator==(const CalibrationCorrections&) const = default;
};

struct CalibrationModeRow {
    int code = 0;
    CalibrationCorrections corrections;
};

inline constexpr std::array<CalibrationModeRow, 8> kCalibrationModes{{
    {calmode::kNone, {false, false, false}},
    {calmode::kWavelength, {true, false, false}},
    {calmode::kNd, {false, true, false}},
    {calmode::kWavelengthNd, {true, true, false}},
    {calmode::kLevel, {false, false, true}},
    {calmode::kWavelengthLevel, {true, false, true}},
    {calmode::kNdLevel, {false, true, true}},
    {calmode::kAll, {true, true, true}},
}};

constexpr int calibrationModeFor(CalibrationCorrections corrections) {
    for (const CalibrationModeRow& row : kCalibrationModes) {
        if (row.corrections == corrections) {
            return row.code;
        }
    }
    return calmode::kNone;
}

// Nothing for a code that is not a calibration mode.
constexpr std::optional<CalibrationCorrections> correctionsOf(int mode) {
    for (const CalibrationModeRow& row : kCalibrationModes) {
        if (row.code == mode) {
            return row.corrections;
        }
    }
    return std::nullopt;
}

}  // namespace codes
