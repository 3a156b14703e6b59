#pragma once
// The commands that change what the instrument stores: writing a reference colour
// ("TGDS"), choosing the active target ("TGSR"/"TGSL") and deleting stored targets and
// samples ("TGDD", "STDD", "TGAD", "STAD"). Reading stored data: link/MeasurementProtocol.
#include <array>
#include <optional>
#include <string>

namespace protocol {

inline constexpr int kTargetWriteTimeout = 3;
inline constexpr int kActiveTargetTimeout = 10;
inline constexpr int kDeleteTimeout = 10;
inline constexpr int kFirstTarget = 1;
inline constexpr int kLastTarget = 20;
inline constexpr int kFirstSample = 0;
inline constexpr int kLastSample = 99;
inline constexpr std::size_t kTargetNameLength = 10;
// A reference colour whose colour values reach this cannot be written.
inline constexpr double kTargetValueLimit = 1000000.0;

// "TGDS,1,0,nn,iii,h": spectral point index (0 to 400, 380 + index nm) of target nn, its
// value as eight hexadecimal digits of the single-precision number.
std::string targetPointCommand(int number, int index, const std::string& hexValue);
// "TGDS,0,1,nn,oo,L,x,y": the colour values of target nn for the observer code oo, 01 for a
// host using the 2° observer and 11 for any other.
std::string targetColorCommand(int number, int applicationObserver,
                               const std::array<double, 3>& values);
int targetObserverCode(int applicationObserver);
// The luminance as the instrument takes it: eight characters, two decimals below 100 000,
// one below 1 000 000, none from there on.
std::string targetLuminanceText(double value);
// A chromaticity: four decimals ("%06.4lf"), the precision the instrument reports it with.
std::string targetChromaticityText(double value);
// "TGDS,0,3,nn,name".
std::string targetNameCommand(int number, const std::string& name);

inline constexpr const char* kActiveTargetQuery = "TGSR\r\n";
// "TGSL,nn".
std::string selectTargetCommand(int number);
// Field 2 of the reply: a target number 1 to 20; nothing for any other text.
std::optional<int> parseActiveTarget(const std::string& reply);

// "TGDD,nn" (target) or "STDD,nn" (sample): one stored record.
std::string deleteRecordCommand(bool target, int number);
// "STAD" (every sample) or "TGAD" (every target).
std::string deleteAllCommand(bool samples);

}  // namespace protocol
