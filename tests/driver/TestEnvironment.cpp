// Every driver test runs with its settings in a private folder, never the user's.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "sensor/RegistryStore.h"

namespace {

class PrivateSettingsFolder : public ::testing::Environment {
  public:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "rx9100-tests-XXXXXX");
        folder_ = mkdtemp(pattern.data());
        RegistryStore::setStoreFolder(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

  private:
    std::string folder_;
};

const auto* const environment =
    ::testing::AddGlobalTestEnvironment(new PrivateSettingsFolder);  // gtest owns it

}  // namespace
