// The driver's settings in the store: the port and the white-calibration files, and the
// folders it works in.
#include <algorithm>
#include <array>

#include "platform/AppFolder.h"
#include "sensor/TavoRX9100.h"

namespace {

constexpr std::size_t kPortNameBytes = 30;
constexpr std::size_t kPathBytes = 256;
constexpr const char* kDefaultPort = "COM1";
constexpr int kDefaultBaudRate = 38400;
// The line speeds the instrument offers.
constexpr std::array kBaudRates{1200, 2400, 4800, 9600, 19200, 38400};

}  // namespace

void TavoRX9100::loadSettings(std::string& port, int& baud) {
    // A value out of range counts as missing; what the file says stays there until the
    // user changes that setting.
    port = registry->readString(kSection, "MeasurementCOM", kDefaultPort, kPortNameBytes);
    baud = registry->readInt(kSection, "MeasurementBaudrate", kDefaultBaudRate);
    if (std::find(kBaudRates.begin(), kBaudRates.end(), baud) == kBaudRates.end()) {
        baud = kDefaultBaudRate;
    }
    // The white-calibration settings are written straight back, so the file lists them;
    // a value that is there but could not be read is not replaced by the default.
    whiteCalStdPath = registry->readString(kSection, "WCSFilePath", "", kPathBytes);
    registry->addStringIfMissing(kSection, "WCSFilePath", whiteCalStdPath);
    whiteCalUserPath = registry->readString(kSection, "WCUFilePath", "", kPathBytes);
    registry->addStringIfMissing(kSection, "WCUFilePath", whiteCalUserPath);
    whiteCalUserOn = registry->readInt(kSection, "WCUOnOff", 0);
    if (whiteCalUserOn != 0 && whiteCalUserOn != 1) {
        whiteCalUserOn = 0;
    }
    registry->addIntIfMissing(kSection, "WCUOnOff", whiteCalUserOn);
}

void TavoRX9100::storePortSettings(const std::string& port, int baud) {
    registry->writeString(kSection, "MeasurementCOM", port);
    registry->writeInt(kSection, "MeasurementBaudrate", baud);
}

void TavoRX9100::SetWhiteCalirationPathStdToReg(std::string& path) {
    whiteCalStdPath = path;
    registry->writeString(kSection, "WCSFilePath", path);
}

void TavoRX9100::SetWhiteCalibrationPathUserToReg(std::string& path) {
    whiteCalUserPath = path;
    registry->writeString(kSection, "WCUFilePath", path);
}

void TavoRX9100::SetWhiteCalibrationUserOnToReg(int on) {
    whiteCalUserOn = on;
    registry->writeInt(kSection, "WCUOnOff", on);
}

std::string TavoRX9100::GetAppFolderPath() const {
    return platform::hostExecutableFolder();
}

// Beside the settings, not beside the program: a program's folder is not the user's to
// write on Linux, and the copies of the white standards are the user's settings too.
std::string TavoRX9100::GetRX9100SystemFolderPath() const {
    return RegistryStore::storeFolder() + "/RX9100/";
}
