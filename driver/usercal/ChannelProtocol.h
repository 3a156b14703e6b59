#pragma once
// The user-calibration channel commands: which channel is active, a channel's tables
// entry by entry, its ID. Channel 0 is the instrument's uncorrected state; 1 to 10 hold
// a wavelength table, a level table and an ID each.
#include <optional>
#include <string>

namespace protocol {

inline constexpr int kChannelCount = 11;
inline constexpr int kAskActiveChannel = 99;  // not a channel: "which one is active?"
inline constexpr int kChannelQueryTimeout = 1;
inline constexpr int kChannelScanTimeout = 10;
inline constexpr int kChannelTableTimeout = 3;
inline constexpr int kChannelWriteTimeout = 10;
inline constexpr std::size_t kIdLength = 20;  // at most, as read back

inline constexpr const char* kChannelQuery = "UCCR\r\n";
inline constexpr const char* kChannelStore = "UCPS,3\r\n";

enum class ChannelTable { Wavelength = 0, Level = 1 };

constexpr bool isChannel(int ch) {
    return ch >= 0 && ch < kChannelCount;
}

std::string channelSelectCommand(int ch);                                // "UCCS,CC"
std::string channelClearCommand(int ch);                                 // "UCCD,CC"
std::string channelEntryCommand(ChannelTable table, int ch, int index);  // "UCPR,t,CC,III"
std::string channelIdQuery(int ch);                                      // "UCPR,2,CC"
std::string channelIdCommand(int ch, const std::string& id);             // "UCPS,2,CC,%10s"
// A table entry written, the value as eight hexadecimal digits: "UCPS,t,CC,III,hhhhhhhh".
std::string channelEntryWriteCommand(ChannelTable table, int ch, int index, double value);
// The ID as a file gives it, without alignment: "UCPS,2,CC,ID".
std::string channelFileIdCommand(int ch, const std::string& id);

// The active channel: the two digits after "OK00,"; nothing unless they name a channel.
std::optional<int> parseActiveChannel(const std::string& reply);
// A table entry: field 2 as the eight hexadecimal digits of a single-precision number.
std::optional<double> parseChannelEntry(const std::string& reply);
// The ID: at most 20 characters after "OK00,", leading blanks removed.
std::string parseChannelId(const std::string& reply);

// The entry of a table that corrects nothing: 380 + index nm, or the factor 1.0.
double identityEntry(ChannelTable table, int index);

// The calibration mode of a channel with those tables; withNd when ND factors apply.
int channelMode(bool withNd, bool wavelength, bool level);
// The channel list's item name: the mode as two digits, then the ID.
std::string channelItemName(int mode, const std::string& id);

}  // namespace protocol
