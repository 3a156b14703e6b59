#pragma once
// The measuring-condition commands: the lines that read and write each condition and the
// parsing of their replies, in the codes of SetupStatus (sensor/ConditionCodes.h).
#include <cstddef>
#include <optional>
#include <string>

#include "sensor/ConditionCodes.h"
#include "sensor/SetupStatus.h"

namespace protocol {

inline constexpr int kConditionTimeout = 10;

inline constexpr const char* kSpeedQuery = "SPMR\r\n";
inline constexpr const char* kSyncQuery = "SCMR\r\n";
inline constexpr const char* kLensQuery = "LNSR\r\n";
inline constexpr const char* kNdQuery = "NDFR\r\n";
inline constexpr const char* kAreaQuery = "STSR\r\n";
inline constexpr const char* kColorSpaceQuery = "CSMR\r\n";
inline constexpr const char* kDisplayModeQuery = "DIMR\r\n";
inline constexpr const char* kObserverQuery = "OBSR\r\n";
inline constexpr const char* kBackLightQuery = "BALR\r\n";
inline constexpr const char* kUnitQuery = "LUUR\r\n";

// Speed with its parameter: a count for the count modes, an integration time for the
// manual speed; the internal ND setting travels in the same line.
struct SpeedReading {
    int speed = codes::speed::kNormal;
    std::optional<float> count;
    std::optional<double> integrationSeconds;
    int insertNd = codes::insertnd::kAbsent;
};
SpeedReading parseSpeed(const std::string& reply, int firmwareLevel);
// Nothing for a speed that has no command.
std::optional<std::string> speedCommand(const SetupStatus& status, int firmwareLevel);

struct SyncReading {
    int sync = codes::sync::kExternal;
    std::optional<float> frequency;  // Hz, internal synchronisation
};
SyncReading parseSync(const std::string& reply);
std::optional<std::string> syncCommand(const SetupStatus& status);

int parseLens(const std::string& reply);
std::optional<std::string> lensCommand(int lens);

int parseNd(const std::string& reply);
std::optional<std::string> ndCommand(int nd);

// The measuring angle: the instrument's index and its area code.
struct AngleReading {
    int index = 0;
    int area = codes::area::kOneDegree;
};
AngleReading parseAngle(const std::string& reply);
// 0.1° for index 0, 0.2° for 1, 1° for any other.
int areaOfAngleIndex(int index);

// Display options pass their numbers unchanged: one digit after "OK00,".
int digitAt(const std::string& reply, std::size_t position);
inline int replyDigit(const std::string& reply) {
    return digitAt(reply, 5);
}
std::string valueCommand(const char* mnemonic, int value);  // "CSMS,%d\r\n"
std::string backLightCommand(int always, int measuring);
int parseUnit(const std::string& reply);
std::string unitCommand(int unit);

// The instrument's measuring key.
std::string triggerCommand(bool enable);
// A reply longer than "OK00" belongs to some other command.
bool isStrayTriggerReply(const std::string& reply);

}  // namespace protocol
