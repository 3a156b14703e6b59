#pragma once
// The adapter-lens and ND factor tables: one command per entry, 401 entries a table, each
// factor as the eight hexadecimal digits of its single-precision bits.
#include <optional>
#include <string>

namespace protocol {

inline constexpr int kTableEntries = 401;  // 380 to 780 nm at 1 nm
inline constexpr int kFactorReadTimeout = 3;
inline constexpr int kFactorWriteTimeout = 10;

inline constexpr const char* kLensCommit = "ALFS,3\r\n";
inline constexpr const char* kNdCommit = "NFCS,3\r\n";

std::string lensReadCommand(int angle, int index);                  // "ALFR,a,iii"
std::string lensWriteCommand(int angle, int index, double factor);  // "ALFS,a,iii,hhhhhhhh"
std::string ndReadCommand(int angle, int filter, int index);        // "NFCR,a,f,iii"
std::string ndWriteCommand(int angle, int filter, int index, double factor);

// The factor of an entry reply: the eight hexadecimal digits after "OK00,"; nothing
// when they are not there.
std::optional<double> parseFactor(const std::string& reply);

// The external ND filter (1 or 2) of a conditions ND code: nothing when no filter is in.
std::optional<int> ndFilterOf(int ndCode);
// The filter a table written "for the conditions" goes to: filter 2 only for its code.
int ndFilterToWrite(int ndCode);

}  // namespace protocol
