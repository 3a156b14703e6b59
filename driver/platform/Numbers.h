#pragma once
// Number conversions that read and write as the "C" locale does whatever the
// user's locale is, without touching the process locale, so that any thread
// may use them.
#include <optional>
#include <string>

namespace platform {

// Like atof/atoi in the "C" locale: leading blanks skipped, the longest valid
// prefix converted, 0 when there is none.
double cAtof(const char* text);
inline double cAtof(const std::string& text) {
    return cAtof(text.c_str());
}
int cAtoi(const char* text);
inline int cAtoi(const std::string& text) {
    return cAtoi(text.c_str());
}

// The whole text as a finite decimal number ("12.34", "-5", "1e-3"), in the "C" locale;
// nothing for an empty text, surrounding blanks or other characters, "nan", "inf" or
// hexadecimal notation.
std::optional<double> cParseDecimal(const std::string& text);
// The whole text as a decimal integer ("42", "-7", "007"); nothing otherwise or when it
// does not fit a long.
std::optional<long> cParseInteger(const std::string& text);

// printf in the "C" locale.
std::string cFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Switches the process to the user's default locale (the empty locale name).
void setUserDefaultLocale();
// Switches the process to the "C" locale.
void setCLocale();

// The decimal separator of the user's default locale.
char userDecimalSeparator();

}  // namespace platform
