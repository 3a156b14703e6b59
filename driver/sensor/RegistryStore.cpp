#include "sensor/RegistryStore.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <toml++/toml.h>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>
#include <mutex>
#include <sstream>
#include <string_view>
#include <vector>

#include "platform/UiServices.h"
#include "sensor/RegistryFile.h"
#include "sensor/RegistryPrescan.h"

// A settings file as one read of it found it.
struct RegistryDocument {
    enum class State { Missing, Unreadable, Damaged, Readable };
    State state = State::Missing;
    toml::table root;
    std::string problem;  // why a damaged file cannot be used
};

namespace {

using FileState = RegistryDocument::State;

std::mutex folderMutex;

std::string& chosenFolder() {
    static std::string folder;  // Empty: not chosen.
    return folder;
}

// Every access reads the file anew: another process may have changed it. A file beyond
// the limits is refused before the parser sees it.
RegistryDocument load(const std::string& path) {
    RegistryDocument doc;
    const auto raw = registry::readFile(path, registry::kMaxFileBytes + 1);
    if (!raw) {
        struct stat info {};
        doc.state = (::stat(path.c_str(), &info) != 0 && errno == ENOENT) ? FileState::Missing
                                                                          : FileState::Unreadable;
        return doc;
    }
    if (auto refusal = registry::prescanRefusal(*raw)) {
        doc.state = FileState::Damaged;
        doc.problem = std::move(*refusal);
        return doc;
    }
    try {
        doc.root = toml::parse(std::string_view(*raw), std::string_view(path));
        doc.state = FileState::Readable;
    } catch (const toml::parse_error& e) {
        doc.state = FileState::Damaged;
        doc.problem =
            "line " + std::to_string(e.source().begin.line) + ": " + std::string(e.description());
    }
    return doc;
}

const toml::node* find(const toml::table& root, const std::string& section,
                       const std::string& name) {
    const auto* table = root.get_as<toml::table>(section);
    return table ? table->get(name) : nullptr;
}

// Whether nan or inf stands anywhere in the node.
bool holdsNonFinite(const toml::node& node) {
    if (const auto* number = node.as_floating_point()) {
        return !std::isfinite(number->get());
    }
    if (const auto* array = node.as_array()) {
        return std::any_of(array->begin(), array->end(),
                           [](const toml::node& element) { return holdsNonFinite(element); });
    }
    if (const auto* table = node.as_table()) {
        return std::any_of(table->begin(), table->end(),
                           [](const auto& entry) { return holdsNonFinite(entry.second); });
    }
    return false;
}

// The TOML writer cannot lay out an array or inline table holding nan or inf: it measures
// the width of each number by its logarithm. No such value is ours; the values that hold
// one are removed, so that the rest of the file can be written. True when any was.
bool removeNonFiniteCollections(toml::table& table) {
    std::vector<std::string> doomed;
    bool removed = false;
    for (auto& [key, node] : table) {
        if (auto* inner = node.as_table(); inner && !inner->is_inline()) {
            removed = removeNonFiniteCollections(*inner) || removed;
        } else if ((node.is_array() || node.is_table()) && holdsNonFinite(node)) {
            doomed.emplace_back(key.str());
        }
    }
    for (const std::string& key : doomed) {
        table.erase(key);
    }
    return removed || !doomed.empty();
}

// The outcome of a write, for the store to tell the user about a damaged file.
struct Stored {
    bool ok = false;
    std::string problem;  // the damage found, if any
    std::string keptAs;   // where the damaged file was kept
};

// Changes one value under the file's lock. A file that no longer parses (edited by hand,
// or damaged outside our control) cannot be merged into. When the user changes a
// setting, that setting should take effect rather than every later write be refused, so
// the damaged file is kept beside it under a name of its own and the file starts over
// with this value. A value the driver only writes back when missing (onlyIfMissing)
// never replaces anything: neither a damaged file nor a stored value it could not read.
// A file that exists but cannot be read is left alone.
template <typename Value>
Stored storeValue(const std::string& path, const std::string& section, const std::string& name,
                  const Value& value, bool onlyIfMissing) {
    registry::ExclusiveLock lock(path + ".lock");
    if (!lock.locked()) {
        return {};
    }
    RegistryDocument doc = load(path);
    if (doc.state == FileState::Unreadable) {
        return {};
    }
    Stored result;
    if (const auto* current = find(doc.root, section, name);
        current && (onlyIfMissing || current->value_exact<Value>() == value)) {
        result.ok = true;  // The driver writes values back at every start; spare the disk.
        return result;
    }
    if (doc.state == FileState::Damaged) {
        result.problem = doc.problem;
    } else if (removeNonFiniteCollections(doc.root)) {
        result.problem =
            "an array or inline table holds nan or inf, which cannot be written "
            "back (the new file leaves it out)";
    }
    if (!result.problem.empty()) {
        if (onlyIfMissing) {
            return result;
        }
        auto kept = registry::keepCopy(path);
        if (!kept) {
            return result;
        }
        result.keptAs = std::move(*kept);
    }
    if (!doc.root.get_as<toml::table>(section)) {
        doc.root.insert_or_assign(section, toml::table{});
    }
    doc.root.get_as<toml::table>(section)->insert_or_assign(name, value);
    // In ASCII only: other characters of strings are escaped, so the file reads back
    // through the check for them.
    std::ostringstream text;
    text << toml::toml_formatter(
        doc.root, toml::toml_formatter::default_flags & ~toml::format_flags::allow_unicode_strings);
    const std::string content = text.str();

    // TOML holds only UTF-8: other bytes would come back changed. Such a value
    // is refused rather than stored as something else.
    try {
        const toml::table check = toml::parse(std::string_view(content), std::string_view(path));
        const auto* stored = find(check, section, name);
        if (!stored || stored->value_exact<Value>() != value) {
            return result;
        }
    } catch (const toml::parse_error&) {
        return result;
    }
    result.ok = registry::replaceFile(path, content);
    return result;
}

bool folderWritable(const std::string& folder) {
    return ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

}  // namespace

RegistryStore::RegistryStore() = default;

RegistryStore::~RegistryStore() {
    close();
}

void RegistryStore::setStoreFolder(const std::string& folder) {
    std::lock_guard lock(folderMutex);
    chosenFolder() = folder;
}

std::string RegistryStore::storeFolder() {
    std::lock_guard lock(folderMutex);
    if (!chosenFolder().empty()) {
        return chosenFolder();
    }
    // Relative values of XDG_CONFIG_HOME are invalid and must be ignored.
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && config[0] == '/') {
        return std::string(config) + "/rx9100";
    }
    if (const char* home = std::getenv("HOME"); home && home[0] != '\0') {
        return std::string(home) + "/.config/rx9100";
    }
    const passwd* user = ::getpwuid(::getuid());  // Serialised by folderMutex within the driver.
    return std::string(user && user->pw_dir ? user->pw_dir : "") + "/.config/rx9100";
}

bool RegistryStore::open(const std::string& applicationName) {
    close();
    try {
        const std::string folder = storeFolder();
        const std::string path = folder + "/" + applicationName + ".toml";
        std::error_code ignored;  // A folder we cannot create may still be readable.
        std::filesystem::create_directories(folder, ignored);

        // Writing needs the file, its lock file and the folder (for the rename).
        const registry::UniqueFd file(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644));
        const registry::UniqueFd lockFile(
            ::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644));
        if (file.valid() && lockFile.valid() && folderWritable(folder)) {
            access_ = Access::ReadWrite;
        } else if (registry::UniqueFd(::open(path.c_str(), O_RDONLY | O_CLOEXEC)).valid()) {
            access_ = Access::ReadOnly;
        } else {
            return false;
        }
        path_ = path;
        return true;
    } catch (const std::exception&) {
        close();
        return false;
    }
}

void RegistryStore::close() {
    access_ = Access::None;
    path_.clear();
}

RegistryDocument RegistryStore::load() const {
    RegistryDocument doc = ::load(path_);
    if (doc.state == FileState::Damaged) {
        tellOnce("The settings file " + path_ + " cannot be used: " + doc.problem +
                 ". The defaults are used; the file stays as it is until a setting is changed, "
                 "then it is kept as " +
                 path_ + ".bad-<UTC time> and a new file is started.");
    }
    return doc;
}

void RegistryStore::tellOnce(const std::string& text) const {
    if (!told_.exchange(true)) {
        platform::messageBox(text, platform::MessageBoxButtons::Ok,
                             platform::MessageBoxIcon::Exclamation);
    }
}

int RegistryStore::readInt(const std::string& section, const std::string& name,
                           int defaultValue) const {
    if (access_ == Access::None) {
        return defaultValue;
    }
    try {
        const RegistryDocument doc = load();
        const auto* node = find(doc.root, section, name);
        const auto value = node ? node->value_exact<std::int64_t>() : std::nullopt;
        if (!value || *value < std::numeric_limits<int>::min() ||
            *value > std::numeric_limits<int>::max()) {
            return defaultValue;
        }
        return static_cast<int>(*value);
    } catch (const std::exception&) {
        return defaultValue;
    }
}

std::string RegistryStore::readString(const std::string& section, const std::string& name,
                                      const std::string& defaultValue, std::size_t size) const {
    if (access_ == Access::None) {
        return defaultValue;
    }
    try {
        const RegistryDocument doc = load();
        const auto* node = find(doc.root, section, name);
        auto value = node ? node->value_exact<std::string>() : std::nullopt;
        // The size counts the terminator of the caller's buffer.
        if (!value || value->size() >= size) {
            return defaultValue;
        }
        return std::move(*value);
    } catch (const std::exception&) {
        return defaultValue;
    }
}

void RegistryStore::readString(const std::string& section, const std::string& name,
                               const std::string& defaultValue, char* buffer,
                               std::size_t size) const {
    if (!buffer || size == 0) {
        return;
    }
    const std::string text = readString(section, name, defaultValue, size);
    // Only a default longer than the buffer is cut; a stored value never is.
    const std::size_t length = std::min(text.size(), size - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

template <typename Value>
bool RegistryStore::write(const std::string& section, const std::string& name, const Value& value,
                          bool onlyIfMissing) {
    if (access_ != Access::ReadWrite) {
        return false;
    }
    try {
        const Stored stored = storeValue(path_, section, name, value, onlyIfMissing);
        if (!stored.keptAs.empty()) {
            tellOnce("The settings file " + path_ + " could not be used: " + stored.problem +
                     ". It is kept as " + stored.keptAs + " and a new file was started.");
        }
        return stored.ok;
    } catch (const std::exception&) {
        return false;
    }
}

bool RegistryStore::writeInt(const std::string& section, const std::string& name, int value) {
    return write(section, name, static_cast<std::int64_t>(value), false);
}

bool RegistryStore::writeString(const std::string& section, const std::string& name,
                                const std::string& text) {
    return write(section, name, text, false);
}

bool RegistryStore::addIntIfMissing(const std::string& section, const std::string& name,
                                    int value) {
    return write(section, name, static_cast<std::int64_t>(value), true);
}

bool RegistryStore::addStringIfMissing(const std::string& section, const std::string& name,
                                       const std::string& text) {
    return write(section, name, text, true);
}
