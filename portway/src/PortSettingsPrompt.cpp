#include "portway/PortSettingsPrompt.h"

#include <unistd.h>

#include <algorithm>
#include <iostream>
#include <mutex>
#include <string>
#include <string_view>

namespace portway {

namespace {

std::mutex promptMutex;
std::shared_ptr<PortSettingsPrompt> installedPrompt;

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

bool contains(const std::vector<int>& values, int value) {
    return std::find(values.begin(), values.end(), value) != values.end();
}

std::string methodName(int method) {
    const std::string_view name = comm::methodName(method);
    return name.empty() ? "method " + std::to_string(method) : std::string(name);
}

}  // namespace

ConsolePortSettingsPrompt::ConsolePortSettingsPrompt()
    : ConsolePortSettingsPrompt(std::cin, std::cout, ::isatty(STDIN_FILENO) == 1) {}

ConsolePortSettingsPrompt::ConsolePortSettingsPrompt(std::istream& in, std::ostream& out,
                                                     bool interactive)
    : in_(in), out_(out), interactive_(interactive) {}

std::optional<PortSettings> ConsolePortSettingsPrompt::ask(platform::WindowHandle,
                                                           const PortChoices& choices,
                                                           const PortSettings& current) {
    out_ << "Port settings\nPorts present:\n";
    if (choices.ports.empty()) {
        out_ << "  (none found)\n";
    }
    for (std::size_t i = 0; i < choices.ports.size(); ++i) {
        out_ << "  " << i + 1 << ") " << describePort(choices.ports[i]) << "\n";
    }
    out_ << "Methods:";
    for (int m : choices.methods) {
        out_ << "  " << m << " " << methodName(m);
    }
    out_ << "\nBaud rates:";
    for (int b : choices.baudRates) {
        out_ << " " << b;
    }
    out_ << "\nCurrent: " << methodName(current.method) << ", " << current.portName << ", "
         << current.baudRate << " baud\n";
    if (!interactive_) {
        out_ << "No terminal to ask on; settings unchanged.\n";
        return std::nullopt;
    }

    PortSettings chosen = current;
    std::string answer;
    // An empty answer keeps the current value; end of input cancels.
    auto ask = [&](const std::string& question) {
        out_ << question << std::flush;
        if (!std::getline(in_, answer)) {
            return false;
        }
        answer = trimmed(answer);
        return true;
    };
    for (;;) {
        if (!ask("Method [" + std::to_string(chosen.method) + "]: ")) {
            return std::nullopt;
        }
        if (answer.empty()) {
            break;
        }
        const int method = std::atoi(answer.c_str());
        if (contains(choices.methods, method)) {
            chosen.method = method;
            break;
        }
        out_ << "Choose one of the methods listed.\n";
    }
    if (!ask("Port (number from the list, device path, COMn or tcp:HOST:PORT) [" + chosen.portName +
             "]: ")) {
        return std::nullopt;
    }
    if (!answer.empty()) {
        const auto index =
            answer.size() <= 6 && answer.find_first_not_of("0123456789") == std::string::npos
                ? std::stoul(answer)
                : 0;
        chosen.portName =
            index >= 1 && index <= choices.ports.size() ? choices.ports[index - 1].device : answer;
    }
    for (;;) {
        if (!ask("Baud rate [" + std::to_string(chosen.baudRate) + "]: ")) {
            return std::nullopt;
        }
        if (answer.empty()) {
            break;
        }
        const int baud = std::atoi(answer.c_str());
        if (contains(choices.baudRates, baud)) {
            chosen.baudRate = baud;
            break;
        }
        out_ << "Choose one of the baud rates listed.\n";
    }
    if (!ask("Accept these settings? (y/n) [n]: ")) {
        return std::nullopt;
    }
    if (answer == "y" || answer == "Y" || answer == "yes") {
        return chosen;
    }
    return std::nullopt;
}

void setPortSettingsPrompt(std::shared_ptr<PortSettingsPrompt> prompt) {
    std::lock_guard lock(promptMutex);
    installedPrompt = std::move(prompt);
}

std::shared_ptr<PortSettingsPrompt> portSettingsPrompt() {
    std::lock_guard lock(promptMutex);
    if (!installedPrompt) {
        installedPrompt = std::make_shared<ConsolePortSettingsPrompt>();
    }
    return installedPrompt;
}

}  // namespace portway
