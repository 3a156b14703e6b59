#pragma once
// Persistent settings of the driver, kept per host application. Linux has no
// registry: each application key is one TOML file
// <store folder>/<application name>.toml whose tables are the sections.
#include <cstddef>
#include <memory>
#include <string>

#include "platform/Export.h"

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

  private:
    Access access_ = Access::None;
    std::string path_;
};
