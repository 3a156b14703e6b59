#pragma once
// The format that prints a table value in ten characters.
#include <string>

// "%10.0lf" from 1e8 on, "%10.1lf" from 1e7 on, "%10.2lf" below.
std::string formatStringFor(double value);
