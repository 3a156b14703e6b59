// The settings store on a file of any content: reading every kind of value, then writing
// one (which merges into the file, or starts over when it no longer parses). Checks that a
// string read fits the caller's buffer, that a value written reads back, and that a file
// the store could not parse is kept beside it before it is replaced.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "sensor/RegistryFile.h"
#include "sensor/RegistryStore.h"

namespace {

constexpr const char* kKey = "QV-L40w";
constexpr const char* kSection = "RX-9100";

const std::string& folder() {
    static const std::string path = [] {
        const std::string& made = fuzz::privateFolder();
        if (made.empty()) {
            fuzz::fail("cannot make a folder for the settings");
        }
        RegistryStore::setStoreFolder(made);
        return made;
    }();
    return path;
}

bool writeFile(const std::string& path, std::string_view content) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    return std::fclose(file) == 0 && written;
}

// The copies the store kept of damaged files, removed before each input.
std::vector<std::string> keptCopies(const std::string& path, bool remove) {
    std::vector<std::string> copies;
    const std::string prefix = std::filesystem::path(path).filename().string() + ".bad-";
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder(), error)) {
        if (entry.path().filename().string().starts_with(prefix)) {
            if (remove) {
                std::filesystem::remove(entry.path(), error);
            } else {
                copies.push_back(entry.path().string());
            }
        }
    }
    return copies;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = folder() + "/" + kKey + ".toml";
    keptCopies(path, true);
    if (!writeFile(path, fuzz::asText(data, size))) {
        fuzz::fail("cannot write the settings file");
    }
    RegistryStore store;
    fuzz::check(store.open(kKey), "the store does not open its own file");
    (void)store.readInt(kSection, "Baud", 38400);
    for (const std::size_t bufferSize : {1u, 8u, 256u}) {
        const std::string text = store.readString(kSection, "Port", "COM1", bufferSize);
        fuzz::check(text == "COM1" || text.size() < bufferSize,
                    "a stored string does not fit the caller's buffer");
        char buffer[8];
        store.readString(kSection, "Port", "COM1", buffer, sizeof buffer);
        fuzz::check(std::string(buffer).size() < sizeof buffer, "buffer not terminated");
    }

    const std::string before(fuzz::asText(data, size));
    if (store.writeInt(kSection, "FuzzValue", 4711)) {
        fuzz::check(store.readInt(kSection, "FuzzValue", 0) == 4711,
                    "a value written does not read back");
        const auto copies = keptCopies(path, false);
        fuzz::check(copies.size() <= 1, "a damaged file kept more than once");
        for (const std::string& copy : copies) {
            const auto kept = registry::readFile(copy, before.size() + 1);
            fuzz::check(kept && *kept == before, "the kept copy is not the damaged file");
        }
    }
    if (store.writeString(kSection, "FuzzText", "a=\"b\"\n[c]")) {
        fuzz::check(store.readString(kSection, "FuzzText", "", 64) == "a=\"b\"\n[c]",
                    "a string written does not read back");
    }
    return 0;
}
