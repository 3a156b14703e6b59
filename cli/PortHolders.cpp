#include "PortHolders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

#include "outside/PortwayEx.h"
#include "portway/PortName.h"

namespace cli {

namespace {

bool allDigits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(),
                                        [](unsigned char c) { return std::isdigit(c) != 0; });
}

std::string commandOf(const std::filesystem::path& process) {
    std::ifstream comm(process / "comm");
    std::string name;
    std::getline(comm, name);
    return name.empty() ? "a program" : name;
}

bool holds(const std::filesystem::path& process, dev_t device) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(process / "fd", error)) {
        struct stat info {};
        if (::stat(entry.path().c_str(), &info) == 0 && S_ISCHR(info.st_mode) &&
            info.st_rdev == device) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::vector<std::string> otherPortHolders(const std::string& portName, int method) {
    std::string device;
    try {
        const portway::Endpoint endpoint = portway::resolvePortName(portName, method);
        if (endpoint.kind != portway::Endpoint::Kind::Device) {
            return {};
        }
        device = endpoint.device;
    } catch (const SerialPortException&) {
        return {};
    }
    struct stat target {};
    if (::stat(device.c_str(), &target) != 0 || !S_ISCHR(target.st_mode)) {
        return {};
    }
    const std::string self = std::to_string(::getpid());
    std::vector<std::string> holders;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        const std::string pid = entry.path().filename().string();
        if (allDigits(pid) && pid != self && holds(entry.path(), target.st_rdev)) {
            holders.push_back(commandOf(entry.path()) + " (process " + pid + ")");
        }
    }
    return holders;
}

}  // namespace cli
