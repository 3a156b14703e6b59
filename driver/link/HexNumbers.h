#pragma once
// Table values cross the wire as the 32 bits of a single-precision number in hexadecimal.
#include <optional>
#include <string>

namespace hexnum {

// "%08X" of the value rounded to single precision.
std::string doubleToHex(double value);
// "%X" of the single-precision bits (0.0 gives "0").
std::string floatToHex(float value);
// Reads a hexadecimal pattern ("%x"); text without hexadecimal digits gives 0.0.
float hexToFloat(const std::string& text);
inline double hexToDouble(const std::string& text) {
    return hexToFloat(text);
}
// A value as the instrument sends it in its data: exactly eight hexadecimal digits (either
// case); nothing for any other text.
std::optional<float> parseHexValue(const std::string& text);

}  // namespace hexnum
