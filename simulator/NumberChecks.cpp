#include "simulator/NumberChecks.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <sstream>

namespace rx9100sim {

namespace {

std::string_view withoutPlus(std::string_view text) {
    return text.starts_with('+') ? text.substr(1) : text;
}

template <typename Number>
std::optional<Number> parseWhole(std::string_view text) {
    text = withoutPlus(text);
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> parseFinite(std::string_view text) {
    text = withoutPlus(text);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// Limits are chosen by hand: whole ones print without an exponent.
std::string shown(double value) {
    if (value == std::floor(value) && std::fabs(value) < 1e15) {
        return std::to_string(static_cast<long long>(value));
    }
    std::ostringstream text;
    text << value;
    return text.str();
}

std::string refusal(const std::string& rule, const std::string& text) {
    return rule + " (not \"" + text + "\")";
}

}  // namespace

CLI::Validator wholeNumberIn(const std::string& what, long long low, long long high) {
    const std::string rule = what + " is a whole number from " + shown(static_cast<double>(low)) +
                             " to " + shown(static_cast<double>(high));
    return CLI::Validator(
        [=](std::string& text) {
            const auto value = parseWhole<long long>(text);
            return value && *value >= low && *value <= high ? std::string() : refusal(rule, text);
        },
        "");
}

CLI::Validator numberIn(const std::string& what, double low, double high, const std::string& unit) {
    const std::string rule = what + " is a number" + (unit.empty() ? "" : " of " + unit) +
                             " from " + shown(low) + " to " + shown(high);
    return CLI::Validator(
        [=](std::string& text) {
            const auto value = parseFinite(text);
            return value && *value >= low && *value <= high ? std::string() : refusal(rule, text);
        },
        "");
}

CLI::Validator oneOf(const std::string& what, const std::vector<long long>& choices) {
    std::string rule = what + " is one of";
    for (std::size_t i = 0; i < choices.size(); ++i) {
        rule += (i == 0 ? " " : ", ") + std::to_string(choices[i]);
    }
    return CLI::Validator(
        [=](std::string& text) {
            const auto value = parseWhole<long long>(text);
            for (long long choice : choices) {
                if (value && *value == choice) {
                    return std::string();
                }
            }
            return refusal(rule, text);
        },
        "");
}

}  // namespace rx9100sim
