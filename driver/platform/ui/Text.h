#pragma once
// Small text helpers shared by the control models: UTF-8 walking, the user's
// decimal separator and the "%1"/"%2" substitution of framework prompts.
#include <string>
#include <string_view>
#include <vector>

namespace platform::ui {

// The code points of a UTF-8 string; malformed bytes come out as U+FFFD.
std::u32string decodeUtf8(std::string_view text);
std::string encodeUtf8(std::u32string_view text);

// The decimal separator of the user's locale (the environment's LC_NUMERIC),
// '.' when the locale names none. Tests pin it with setUserDecimalSeparator.
char userDecimalSeparator();
// 0 returns to the locale's own separator.
void setUserDecimalSeparator(char separator);

// Replaces every "%1", "%2", ... with the argument of that number.
std::string substituteArgs(std::string_view pattern, const std::vector<std::string>& args);

// printf("%0Nd")-like helpers that never depend on the process locale.
std::string formatFixed(double value, int decimals, char separator = '.');

}  // namespace platform::ui
