#include "platform/UiServices.h"

#include <mutex>

#include "platform/ConsoleUiServices.h"

namespace platform {
namespace {

std::mutex servicesMutex;
std::shared_ptr<UiServices>& installed() {
    static std::shared_ptr<UiServices> services = std::make_shared<ConsoleUiServices>();
    return services;
}

}  // namespace

std::vector<FileFilter> parseFileFilter(const std::string& filter) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : filter) {
        if (c == '|') {
            parts.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) {
        parts.push_back(current);
    }
    std::vector<FileFilter> filters;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty() && parts[i + 1].empty()) {
            break;  // the "||" that ends the list
        }
        filters.push_back(FileFilter{parts[i], parts[i + 1]});
    }
    return filters;
}

UiServices& uiServices() {
    std::lock_guard lock(servicesMutex);
    return *installed();
}

void setUiServices(std::shared_ptr<UiServices> services) {
    std::lock_guard lock(servicesMutex);
    installed() = services ? std::move(services) : std::make_shared<ConsoleUiServices>();
}

int messageBox(const std::string& text, MessageBoxButtons buttons, MessageBoxIcon icon,
               WindowHandle owner) {
    MessageBoxRequest request;
    request.text = text;
    request.buttons = buttons;
    request.icon = icon;
    return uiServices().messageBox(owner, request);
}

WaitCursor::WaitCursor() {
    uiServices().beginWaitCursor();
}
WaitCursor::~WaitCursor() {
    uiServices().endWaitCursor();
}

}  // namespace platform
