#include "DriverMessages.h"

#include "ErrorReport.h"

namespace cli {

int DriverMessages::messageBox(platform::WindowHandle, const platform::MessageBoxRequest& request) {
    std::string text = request.text;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.pop_back();
    }
    const std::string gloss = glossForMessage(text);
    printError("driver message: " + text + (gloss.empty() ? "" : " (" + gloss + ")"));
    return request.buttons == platform::MessageBoxButtons::Ok ? platform::IDOK : platform::IDCANCEL;
}

std::optional<std::string> DriverMessages::chooseFile(platform::WindowHandle,
                                                      const platform::FileChooserRequest&) {
    return std::nullopt;
}

}  // namespace cli
