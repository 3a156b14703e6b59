#include "platform/ui/NumericEdit.h"

#include <cmath>
#include <limits>

#include "platform/ui/Text.h"
#include "resources/StringTable.h"

namespace platform::ui {

namespace {

constexpr long long kMaxMagnitude = std::numeric_limits<long long>::max() / 100;

}  // namespace

NumericEdit::NumericEdit(const ControlTemplate& tmpl) : Edit(tmpl) {
    // Digits, a sign and the separator the field is written with; anything else
    // typed is ignored like in any numeric field.
    setCharFilter([this](char32_t c) {
        return (c >= U'0' && c <= U'9') || c == U'-' ||
               (decimals_ > 0 && c == static_cast<char32_t>(userDecimalSeparator()));
    });
}

void NumericEdit::setText(std::string text) {
    if (text != text_) {
        rejected_ = false;
    }
    Edit::setText(std::move(text));
}

void NumericEdit::setRange(double low, double high) {
    low_ = low;
    high_ = high;
}

void NumericEdit::setDecimals(int decimals) {
    decimals_ = decimals < 0 ? 0 : decimals;
}

long long NumericEdit::scale() const {
    long long s = 1;
    for (int i = 0; i < decimals_; ++i) {
        s *= 10;
    }
    return s;
}

long long NumericEdit::scaledLow() const {
    return std::llround(low_ * static_cast<double>(scale()));
}

long long NumericEdit::scaledHigh() const {
    return std::llround(high_ * static_cast<double>(scale()));
}

std::optional<long long> NumericEdit::scaledValue() const {
    const char separator = userDecimalSeparator();
    std::size_t i = 0;
    bool negative = false;
    if (i < text_.size() && (text_[i] == '-' || text_[i] == '+')) {
        negative = text_[i] == '-';
        ++i;
    }
    long long whole = 0;
    bool anyDigit = false;
    for (; i < text_.size() && text_[i] >= '0' && text_[i] <= '9'; ++i) {
        if (whole > kMaxMagnitude) {
            return std::nullopt;
        }
        whole = whole * 10 + (text_[i] - '0');
        anyDigit = true;
    }
    long long fraction = 0;
    int fractionDigits = 0;
    if (i < text_.size() && text_[i] == separator) {
        for (++i; i < text_.size() && text_[i] >= '0' && text_[i] <= '9'; ++i) {
            anyDigit = true;
            if (fractionDigits < decimals_) {
                fraction = fraction * 10 + (text_[i] - '0');
                ++fractionDigits;
            }
        }
    }
    if (!anyDigit || i != text_.size()) {
        return std::nullopt;
    }
    for (; fractionDigits < decimals_; ++fractionDigits) {
        fraction *= 10;
    }
    const long long magnitude = whole * scale() + fraction;
    return negative ? -magnitude : magnitude;
}

std::optional<double> NumericEdit::value() const {
    const auto scaled = scaledValue();
    if (!scaled) {
        return std::nullopt;
    }
    return static_cast<double>(*scaled) / static_cast<double>(scale());
}

bool NumericEdit::inRange() const {
    const auto scaled = scaledValue();
    return scaled && *scaled >= scaledLow() && *scaled <= scaledHigh();
}

std::string NumericEdit::format(long long scaled) const {
    const bool negative = scaled < 0;
    const unsigned long long magnitude =
        negative ? 0ull - static_cast<unsigned long long>(scaled) : scaled;
    const auto s = static_cast<unsigned long long>(scale());
    std::string text = (negative ? "-" : "") + std::to_string(magnitude / s);
    if (decimals_ > 0) {
        std::string fraction = std::to_string(magnitude % s);
        text += userDecimalSeparator();
        text += std::string(static_cast<std::size_t>(decimals_) - fraction.size(), '0') + fraction;
    }
    return text;
}

void NumericEdit::setScaledValue(long long scaled) {
    setText(format(scaled));
}

void NumericEdit::setValue(double value) {
    setScaledValue(std::llround(value * static_cast<double>(scale())));
}

std::string NumericEdit::rangePrompt() const {
    std::string pattern = resources::loadString(IDS_RANGE_PROMPT);
    if (pattern.empty()) {
        pattern = "%1 - %2";
    }
    return substituteArgs(pattern, {format(scaledLow()), format(scaledHigh())});
}

}  // namespace platform::ui
