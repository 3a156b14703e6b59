#include "platform/Numbers.h"

#include <locale.h>
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {

locale_t cLocale() {
    static locale_t locale = newlocale(LC_ALL_MASK, "C", nullptr);
    return locale;
}

// Runs the conversion with the "C" locale for this thread only.
class ThreadCLocale {
  public:
    ThreadCLocale() : previous_(uselocale(cLocale())) {}
    ~ThreadCLocale() { uselocale(previous_); }
    ThreadCLocale(const ThreadCLocale&) = delete;
    ThreadCLocale& operator=(const ThreadCLocale&) = delete;

  private:
    locale_t previous_;
};

}  // namespace

double cAtof(const char* text) {
    return strtod_l(text, nullptr, cLocale());
}

int cAtoi(const char* text) {
    return static_cast<int>(strtol_l(text, nullptr, 10, cLocale()));
}

std::optional<double> cParseDecimal(const std::string& text) {
    // Digits, sign, point and exponent only: strtod would also take "nan", "inf" and "0x1p3".
    if (text.empty() || text.find_first_not_of("0123456789+-.eE") != std::string::npos) {
        return std::nullopt;
    }
    char* end = nullptr;
    const double value = strtod_l(text.c_str(), &end, cLocale());
    if (end != text.c_str() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<long> cParseInteger(const std::string& text) {
    if (text.empty() || text.find_first_not_of("0123456789+-") != std::string::npos) {
        return std::nullopt;
    }
    char* end = nullptr;
    errno = 0;
    const long value = strtol_l(text.c_str(), &end, 10, cLocale());
    if (end != text.c_str() + text.size() || errno == ERANGE) {
        return std::nullopt;
    }
    return value;
}

std::string cFormat(const char* format, ...) {
    ThreadCLocale scope;
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text;
    if (length > 0) {
        text.resize(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(text.data(), text.size(), format, args);
        text.resize(static_cast<std::size_t>(length));
    }
    va_end(args);
    return text;
}

void setUserDefaultLocale() {
    std::setlocale(LC_ALL, "");
}

void setCLocale() {
    std::setlocale(LC_ALL, "C");
}

char userDecimalSeparator() {
    locale_t user = newlocale(LC_ALL_MASK, "", nullptr);
    if (user == nullptr) {
        return '.';
    }
    locale_t previous = uselocale(user);
    char separator = *std::localeconv()->decimal_point;
    uselocale(previous);
    freelocale(user);
    return separator == '\0' ? '.' : separator;
}

}  // namespace platform
