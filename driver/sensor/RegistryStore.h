#pragma once
// Persistent settings of the driver, kept per host application. Linux has no
// registry: each application key is one TOML file
// <store folder>/<application name>.toml whose tables are the sections.
// A file that is damaged, too large or too deeply nested reads as defaults; the user is
// told once, and the file is kept under a name of its own when a setting is changed.
#include <atomic>
#include <cstddef>
#include <memory>
#include <string>

#include "platform/Export.h"

struct RegistryDocument;

class RX9100_API RegistryStore {
  public:
    enum class Access { None, ReadOnly, ReadWrite };

    RegistryStore();
    ~RegistryStore();
    RegistryStore(const RegistryStore&) = delete;
    RegistryStore& operator=(const RegistryStore&) = delete;

    // Where application keys live: the folder set here, else
    // $XDG_CONFIG_HOME/rx9100, else ~/.config/rx9100. Hosts and tests choose
    // another place before the driver is constructed.
    static void setStoreFolder(const std::string& folder);
    static std::string storeFolder();

    // Creates or opens the key read-write; else opens it read-only; else no key.
    bool open(const std::string& applicationName);
    void close();
    Access access() const { return access_; }
    std::string path() const { return path_; }

    int readInt(const std::string& section, const std::string& name, int defaultValue) const;
    bool writeInt(const std::string& section, const std::string& name, int value);
    // Copies the value (or defaultValue when it cannot be read or does not fit
    // in size bytes with its terminator) into buffer.
    void readString(const std::string& section, const std::string& name,
                    const std::string& defaultValue, char* buffer, std::size_t size) const;
    std::string readString(const std::string& section, const std::string& name,
                           const std::string& defaultValue, std::size_t size) const;
    bool writeString(const std::string& section, const std::string& name, const std::string& text);
    // Stores the value only where the file has none: a value that is present but could
    // not be read (another type, too long, out of range) and a damaged file stay as they
    // are. True when the file holds a value under that name afterwards.
    bool addIntIfMissing(const std::string& section, const std::string& name, int value);
    bool addStringIfMissing(const std::string& section, const std::string& name,
                            const std::string& text);

  private:
    // The file as it is now; a damaged one is reported (once).
    RegistryDocument load() const;
    template <typename Value>
    bool write(const std::string& section, const std::string& name, const Value& value,
               bool onlyIfMissing);
    // A damaged file is worth one message per store, not one per value.
    void tellOnce(const std::string& text) const;

    Access access_ = Access::None;
    std::string path_;
    mutable std::atomic<bool> told_{false};
};
