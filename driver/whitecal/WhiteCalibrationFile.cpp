#include "whitecal/WhiteCalibrationFile.h"

#include <strings.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "platform/Numbers.h"
#include "whitecal/WhiteCalibrationData.h"

namespace whitecal {

int checkFile(const std::string& path) {
    std::ifstream file(path);
    if (!file.is_open()) {
        return kFileNotFound;
    }
    std::string line;
    for (int i = 0; i < kSpectralPoints; ++i) {
        if (!std::getline(file, line)) {
            return kTooFewValues;
        }
        const double value = platform::cAtof(line);
        // Written so that NaN fails too.
        if (!(value >= kLowest && value <= kHighest)) {
            return kValueOutOfRange;
        }
    }
    return 0;
}

std::string fileTitle(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

CopyResult copyIntoFolder(const std::string& source, const std::string& folder,
                          std::string& target) {
    return copyIntoFolderAs(source, folder, fileTitle(source), target);
}

CopyResult copyIntoFolderAs(const std::string& source, const std::string& folder,
                            const std::string& name, std::string& target) {
    std::string base = folder;
    if (!base.empty() && base.back() == '/') {
        base.pop_back();
    }
    if (::mkdir(base.c_str(), 0755) != 0 && (errno == ENOENT || errno == ENAMETOOLONG)) {
        return CopyResult::NoFolder;  // any other failure: the folder is there already
    }
    target = base + "/" + name;
    if (::strcasecmp(source.c_str(), target.c_str()) == 0) {
        return CopyResult::AlreadyThere;
    }
    std::error_code error;
    std::filesystem::copy_file(source, target, std::filesystem::copy_options::overwrite_existing,
                               error);
    return error ? CopyResult::CopyFailed : CopyResult::Copied;
}

}  // namespace whitecal

bool WhiteCalibrationData::load(const std::string& path) {
    std::ifstream file(path);
    if (!file.is_open()) {
        return false;
    }
    std::vector<double> values;
    values.reserve(kSpectralPoints);
    std::string line;
    while (static_cast<int>(values.size()) < kSpectralPoints && std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const auto first = line.find_first_not_of('"');
        const auto last = line.find_last_not_of('"');
        line = first == std::string::npos ? std::string() : line.substr(first, last - first + 1);
        values.push_back(platform::cAtof(line));
    }
    if (static_cast<int>(values.size()) < kSpectralPoints) {
        return false;
    }
    standardData = std::move(values);
    return true;
}
