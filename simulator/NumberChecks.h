#pragma once
// CLI11 checks, for rx9100-sim and the command-line host alike, that say in words what a value must
// be: "the interval is a number of seconds from 0 to 86400 (not "nan")". Every number is finite and
// bounded, so nothing downstream overflows and no message quotes a 309-digit limit.
#include <CLI/CLI.hpp>
#include <string>
#include <vector>

namespace rx9100sim {

// A whole number from low to high (decimal digits, an optional sign).
CLI::Validator wholeNumberIn(const std::string& what, long long low, long long high);
// A finite number from low to high; unit, when given, is named in the message ("seconds").
CLI::Validator numberIn(const std::string& what, double low, double high,
                        const std::string& unit = "");
// A whole number that is one of the choices.
CLI::Validator oneOf(const std::string& what, const std::vector<long long>& choices);

}  // namespace rx9100sim
