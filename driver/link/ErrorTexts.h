#pragma once
// The texts of the error and warning codes the exchange records.
#include <string>

namespace errortexts {

struct ErrorText {
    std::string text;
    bool shown = false;  // also put in a message box when error display is on
};

// Codes 1 to 99, the driver's own 40 to 43 and 100; unknown codes give an empty, unshown
// text.
ErrorText forError(int code);
// 200 "no error", 216 insufficient exposure; any other code an empty text.
std::string forWarning(int code);

}  // namespace errortexts
