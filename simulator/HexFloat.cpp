#include "simulator/HexFloat.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace rx9100sim {

std::string toHex(float value) {
    char text[16];
    std::snprintf(text, sizeof text, "%08X",
                  static_cast<unsigned>(std::bit_cast<std::uint32_t>(value)));
    return text;
}

std::optional<float> fromHex(std::string_view text) {
    if (text.size() != 8) {
        return std::nullopt;
    }
    std::uint32_t bits = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), bits, 16);
    if (ec != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return std::bit_cast<float>(bits);
}

std::string toFixed(double value, int decimals) {
    char text[64];
    auto [end, ec] =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    return ec == std::errc{} ? std::string(text, end) : std::string("0");
}

std::string toScientific(double value, int decimals) {
    char text[64];
    auto [end, ec] =
        std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, decimals);
    std::string result = ec == std::errc{} ? std::string(text, end) : std::string("0");
    for (char& c : result) {
        if (c == 'e') {
            c = 'E';
        }
    }
    return result;
}

std::optional<long long> parseInteger(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    long long value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> parseDecimal(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    if (text.front() == '+') {
        text.remove_prefix(1);
    }
    double value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace rx9100sim
