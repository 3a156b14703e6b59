#include "platform/AppFolder.h"

#include <filesystem>
#include <system_error>

namespace platform {

std::string hostExecutableFolder() {
    std::error_code error;
    std::filesystem::path folder = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        folder = std::filesystem::current_path(error);
    } else {
        // The link names the file itself (possibly with " (deleted)" appended);
        // only its folder matters.
        folder = folder.parent_path();
    }
    std::string text = error ? std::string(".") : folder.string();
    if (text.empty() || text.back() != '/') {
        text += '/';
    }
    return text;
}

}  // namespace platform
