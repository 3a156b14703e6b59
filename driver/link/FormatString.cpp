#include "link/FormatString.h"

std::string formatStringFor(double value) {
    if (value >= 100000000.0) {
        return "%10.0lf";
    }
    if (value >= 10000000.0) {
        return "%10.1lf";
    }
    return "%10.2lf";
}
