#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "outside/PortwayEx.h"
#include "platform/ScriptedUiServices.h"
#include "sensor/TavoRX9100.h"

namespace {

// A private store folder for one test; the previous one comes back afterwards.
class SettingsFolder {
  public:
    SettingsFolder() : previous_(RegistryStore::storeFolder()) {
        std::string pattern = std::filesystem::temp_directory_path() / "rx9100-settings-XXXXXX";
        folder_ = mkdtemp(pattern.data());
        RegistryStore::setStoreFolder(folder_);
    }
    ~SettingsFolder() {
        RegistryStore::setStoreFolder(previous_);
        std::filesystem::remove_all(folder_);
    }
    const std::string& path() const { return folder_; }

  private:
    std::string previous_;
    std::string folder_;
};

}  // namespace

TEST(DriverSettingsTest, FirstConstructionCreatesTheKeyWithWhiteCalibrationDefaults) {
    SettingsFolder folder;
    TavoRX9100 driver;
    RegistryStore store;
    ASSERT_TRUE(store.open(TavoRX9100::kApplicationKey));
    EXPECT_EQ(store.readString("RX-9100", "WCSFilePath", "missing", 256), "");
    EXPECT_EQ(store.readString("RX-9100", "WCUFilePath", "missing", 256), "");
    EXPECT_EQ(store.readInt("RX-9100", "WCUOnOff", -1), 0);
    // Port settings are only read at construction, not written.
    EXPECT_EQ(store.readString("RX-9100", "MeasurementCOM", "missing", 30), "missing");
}

TEST(DriverSettingsTest, StoredPortSettingsConfigureTheTransport) {
    SettingsFolder folder;
    {
        RegistryStore store;
        ASSERT_TRUE(store.open(TavoRX9100::kApplicationKey));
        store.writeString("RX-9100", "MeasurementCOM", "COM4");
        store.writeInt("RX-9100", "MeasurementBaudrate", 9600);
        store.writeString("RX-9100", "WCSFilePath", "/data/white.wcb");
    }
    TavoRX9100 driver;
    auto* port = dynamic_cast<SerialPort*>(driver.getConnection());
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(port->getPortName(), "COM4");
    EXPECT_EQ(port->getBaudRate(), 9600);
    EXPECT_EQ(port->getMethod(), 3);
    int baud = 0;
    std::string text;
    driver.getInstrumentState()->getComPropertyBaudrate(baud, text);
    EXPECT_EQ(text, "9600bps");
    EXPECT_EQ(driver.GetWhiteCalibrationPathStdFromReg(), "/data/white.wcb");

    std::string user = "/data/user.wcb";
    driver.SetWhiteCalibrationPathUserToReg(user);
    driver.SetWhiteCalibrationUserOnToReg(1);
    TavoRX9100 next;
    EXPECT_EQ(next.GetWhiteCalibrationPathUserFromReg(), user);
    EXPECT_EQ(next.GetWhiteCalibrationUserOnFromReg(), 1);
}

TEST(DriverSettingsTest, AppFolderIsTheHostsAndSystemFolderLiesBesideTheSettings) {
    TavoRX9100 driver;
    std::string app = driver.GetAppFolderPath();
    ASSERT_FALSE(app.empty());
    EXPECT_EQ(app.back(), '/');
    EXPECT_EQ(driver.GetRX9100SystemFolderPath(), RegistryStore::storeFolder() + "/RX9100/");
    EXPECT_TRUE(std::filesystem::exists(app));
}

std::string contentOf(const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::trunc) << text;
}

// What the store holds but the driver cannot use falls back to the defaults, and stays as
// it is until the user changes that setting.
TEST(DriverSettingsTest, ValuesThatCannotBeUsedAreNotWrittenBackAtStart) {
    SettingsFolder folder;
    const std::string file = folder.path() + "/" + TavoRX9100::kApplicationKey + ".toml";
    const std::string stored = "[RX-9100]\nMeasurementBaudrate = 12345\nWCSFilePath = \"/" +
                               std::string(300, 'p') + "\"\nWCUFilePath = 7\nWCUOnOff = 5\n";
    writeText(file, stored);
    {
        TavoRX9100 driver;
        EXPECT_EQ(dynamic_cast<SerialPort*>(driver.getConnection())->getBaudRate(), 38400);
        EXPECT_EQ(driver.GetWhiteCalibrationPathStdFromReg(), "");
        EXPECT_EQ(driver.GetWhiteCalibrationPathUserFromReg(), "");
        EXPECT_EQ(driver.GetWhiteCalibrationUserOnFromReg(), 0);
        EXPECT_EQ(contentOf(file), stored);
        // The one the user changes is replaced; the others stay.
        std::string path = "/data/white.wcb";
        driver.SetWhiteCalirationPathStdToReg(path);
        RegistryStore store;
        ASSERT_TRUE(store.open(TavoRX9100::kApplicationKey));
        EXPECT_EQ(store.readString("RX-9100", "WCSFilePath", "", 256), path);
        EXPECT_EQ(store.readInt("RX-9100", "MeasurementBaudrate", 0), 12345);
        EXPECT_EQ(store.readInt("RX-9100", "WCUFilePath", 0), 7);
        EXPECT_EQ(store.readInt("RX-9100", "WCUOnOff", 0), 5);
    }
    // A damaged file is not replaced by the values the driver writes back at start.
    auto ui = std::make_shared<platform::ScriptedUiServices>();
    platform::setUiServices(ui);
    const std::string damaged = "[RX-9100]\nWCUOnOff = \n";
    writeText(file, damaged);
    {
        TavoRX9100 driver;
        EXPECT_EQ(contentOf(file), damaged);
    }
    platform::setUiServices(nullptr);
    ASSERT_EQ(ui->messageBoxes().size(), 1u);
    EXPECT_NE(ui->messageBoxes()[0].text.find(file), std::string::npos);
}
