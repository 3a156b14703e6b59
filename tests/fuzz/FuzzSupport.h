#pragma once
// What the fuzz targets share: cutting an input into reply lines, the strict number
// forms a value must have to count as "in the reply", and a loud stop when an
// invariant breaks (libFuzzer keeps the input that did it).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

inline std::string_view asText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Lines separated by LF; a CR before the LF is dropped, as the transport does.
inline std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string line(text.substr(start, end - start));
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

inline std::vector<std::string> splitFields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = line.find(',', start);
        fields.push_back(line.substr(start, comma == std::string::npos ? comma : comma - start));
        if (comma == std::string::npos) {
            return fields;
        }
        start = comma + 1;
    }
}

inline bool isHexValue(const std::string& field) {
    if (field.size() != 8) {
        return false;
    }
    for (char c : field) {
        const bool digit =
            (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
        if (!digit) {
            return false;
        }
    }
    return true;
}

inline bool isDecimalInteger(const std::string& field) {
    if (field.empty()) {
        return false;
    }
    for (char c : field) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

// A folder of the process's own, made at the first call and removed at exit; in memory
// where the system has it (the settings store syncs every file it writes).
inline const std::string& privateFolder() {
    struct Folder {
        std::string path;
        Folder() {
            const bool shm = std::filesystem::is_directory("/dev/shm");
            std::string pattern = std::string(shm ? "/dev/shm" : "/tmp") + "/rx9100-fuzz-XXXXXX";
            const char* made = mkdtemp(pattern.data());
            path = made != nullptr ? made : "";
        }
        ~Folder() {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    };
    static const Folder folder;
    return folder.path;
}

// Stops the run with the input kept as a crash: an invariant of the code under test broke.
[[noreturn]] inline void fail(const std::string& what) {
    std::fprintf(stderr, "fuzz invariant broken: %s\n", what.c_str());
    std::abort();
}

// A check named in RX9100_FUZZ_SKIP (comma separated) is left out, so that a run can look
// past a finding that is known and being fixed; every check runs by default.
inline bool enabled(std::string_view name) {
    const char* skip = std::getenv("RX9100_FUZZ_SKIP");
    for (std::string_view rest = skip != nullptr ? skip : ""; !rest.empty();) {
        const std::size_t comma = rest.find(',');
        if (rest.substr(0, comma) == name) {
            return false;
        }
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    }
    return true;
}

inline void check(bool holds, const std::string& what) {
    if (!holds) {
        fail(what);
    }
}

}  // namespace fuzz
