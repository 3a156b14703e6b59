#pragma once
// The commands that switch the instrument's remote mode and identify it, and their replies.
#include <string>

namespace protocol {

inline constexpr int kRemoteModeTimeout = 1;  // entering remote mode
inline constexpr int kIdentityTimeout = 10;
inline constexpr const char* kIdentityQuery = "IDDR\r\n";
inline constexpr const char* kVersionQuery = "VERR\r\n";
// Leaves the instrument's maintenance mode; part of every identification.
inline constexpr const char* kJigOff = "_jig,0\r\n";

// 1 enters remote mode, 0 returns the instrument to local mode.
std::string remoteModeCommand(int mode);
// Whether a line read as the reply to "RMTS" is one an earlier command was still owed: the
// instrument answers "RMTS" with a bare "OKnn" or "ERnn", never with fields.
bool isEarlierCommandsReply(const std::string& reply);
// How many such late lines a return to local mode reads past before giving up on its reply.
inline constexpr int kLateRepliesSkipped = 4;

enum class Model { Unknown, Standard, LowLuminance };

struct Identity {
    Model model = Model::Unknown;
    std::string bodyNumber;  // at most seven characters
};
Identity parseIdentity(const std::string& reply);

// The ROM version of a VERR reply ("1.10").
std::string parseRomVersion(const std::string& reply);
// The ROM version times 100, read in the C locale whatever the process uses: 1.10 gives 110;
// 0 for a version that is missing or not below kHighestRomVersion.
inline constexpr double kHighestRomVersion = 1000.0;
int firmwareLevelOf(const std::string& romVersion);

}  // namespace protocol
