// A host that unloads the driver module while remote measurement runs: the module must
// stop and join its receive thread before its code goes away.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "sensor/AbstractSensorStrategy.h"
#include "simulator/Instrument.h"
#include "simulator/PtyServer.h"

namespace {

using GetInstance = AbstractSensorStrategy* (*)();

bool waitUntil(const std::function<bool()>& condition) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// Settings that send the driver to the simulator's pseudo-terminal, in a folder of this run.
class SettingsFolder {
  public:
    explicit SettingsFolder(const std::string& port) {
        std::string pattern = std::filesystem::temp_directory_path() / "rx9100-unload-XXXXXX";
        folder_ = ::mkdtemp(pattern.data());
        std::filesystem::create_directories(folder_ / "rx9100");
        std::ofstream(folder_ / "rx9100" / "QV-L40w.toml")
            << "[RX-9100]\nMeasurementCOM = \"" << port << "\"\n";
        ::setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
    }
    ~SettingsFolder() { std::filesystem::remove_all(folder_); }

  private:
    std::filesystem::path folder_;
};

}  // namespace

TEST(ModuleUnloadTest, UnloadingDuringRemoteMeasurementEndsTheReceiveThreadFirst) {
    rx9100sim::Instrument instrument;
    rx9100sim::PtyServer server(instrument);
    SettingsFolder settings(server.path());

    void* module = ::dlopen(RX9100_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << ::dlerror();
    auto getInstance = reinterpret_cast<GetInstance>(::dlsym(module, "rx9100_getInstance"));
    ASSERT_NE(getInstance, nullptr);
    AbstractSensorStrategy* driver = getInstance();
    ASSERT_NE(driver, nullptr);
    driver->setErrorVisible(false);
    ASSERT_EQ(driver->connect(), 0);
    ASSERT_EQ(driver->remoteMeasure(), 0);
    // The receive thread is at work: the key is enabled and it asks for data.
    ASSERT_TRUE(waitUntil([&] {
        const auto lines = instrument.receivedLines();
        return instrument.keyEnabled() &&
               std::count(lines.begin(), lines.end(), "MEDR,0,0,001") >= 2;
    }));

    EXPECT_EQ(::dlclose(module), 0);
#ifndef RX9100_SANITIZED
    // The module is gone from the process, and the process is still here to say so.
    // (Sanitizer runtimes keep unloaded libraries mapped for their reports.)
    void* again = ::dlopen(RX9100_MODULE_PATH, RTLD_NOW | RTLD_NOLOAD);
    EXPECT_EQ(again, nullptr);
    if (again != nullptr) {
        ::dlclose(again);
    }
#endif
}
