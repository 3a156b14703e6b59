#include "link/HexNumbers.h"

#include <bit>
#include <cstdint>
#include <cstdio>

namespace hexnum {

std::string doubleToHex(double value) {
    char text[16];
    std::snprintf(text, sizeof text, "%08X",
                  std::bit_cast<std::uint32_t>(static_cast<float>(value)));
    return text;
}

std::string floatToHex(float value) {
    char text[16];
    std::snprintf(text, sizeof text, "%X", std::bit_cast<std::uint32_t>(value));
    return text;
}

float hexToFloat(const std::string& text) {
    unsigned int bits = 0;
    if (std::sscanf(text.c_str(), "%x", &bits) != 1) {
        bits = 0;
    }
    return std::bit_cast<float>(static_cast<std::uint32_t>(bits));
}

std::optional<float> parseHexValue(const std::string& text) {
    constexpr std::size_t kDigits = 8;
    if (text.size() != kDigits ||
        text.find_first_not_of("0123456789ABCDEFabcdef") != std::string::npos) {
        return std::nullopt;
    }
    return hexToFloat(text);
}

}  // namespace hexnum
