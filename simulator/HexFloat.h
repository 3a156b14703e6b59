#pragma once
// Number texts of the wire protocol: single-precision values as eight upper-case
// hexadecimal digits, and locale-independent decimal texts.
#include <optional>
#include <string>
#include <string_view>

namespace rx9100sim {

// The 32 bits of value as "%08X".
std::string toHex(float value);
// Exactly eight hexadecimal digits read as the bits of a single-precision value.
std::optional<float> fromHex(std::string_view text);

// value with a fixed number of decimals, always with a dot.
std::string toFixed(double value, int decimals);
// value in scientific notation with the given number of decimals ("1.23456E-02").
std::string toScientific(double value, int decimals);

// Whole decimal number made of digits only (an optional leading minus); nothing else allowed.
std::optional<long long> parseInteger(std::string_view text);
// Finite decimal number; surrounding blanks are ignored ("nan" and "inf" are refused).
std::optional<double> parseDecimal(std::string_view text);

}  // namespace rx9100sim
