#include "platform/ConsoleUiServices.h"

#include <unistd.h>

#include <iostream>
#include <string>

namespace platform {

ConsoleUiServices::ConsoleUiServices(std::FILE* out, bool interactive)
    : out_(out), interactive_(interactive) {}

int ConsoleUiServices::messageBox(WindowHandle, const MessageBoxRequest& request) {
    std::fprintf(out_, "%s%s%s\n", request.caption.c_str(), request.caption.empty() ? "" : ": ",
                 request.text.c_str());
    if (request.buttons == MessageBoxButtons::Ok) {
        return IDOK;
    }
    if (!interactive_ || isatty(STDIN_FILENO) == 0) {
        return IDCANCEL;  // nobody to ask: take the answer that changes nothing
    }
    std::fprintf(out_, "OK? [y/N] ");
    std::fflush(out_);
    std::string answer;
    std::getline(std::cin, answer);
    return (answer == "y" || answer == "Y") ? IDOK : IDCANCEL;
}

std::optional<std::string> ConsoleUiServices::chooseFile(WindowHandle,
                                                         const FileChooserRequest& request) {
    if (!interactive_ || isatty(STDIN_FILENO) == 0) {
        return std::nullopt;
    }
    std::fprintf(out_, "%s file (%s): ", request.open ? "Open" : "Save", request.filter.c_str());
    std::fflush(out_);
    std::string path;
    std::getline(std::cin, path);
    if (path.empty()) {
        return std::nullopt;
    }
    return path;
}

}  // namespace platform
