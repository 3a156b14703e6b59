#pragma once
// The white calibration: the user picks the white standard's data file (kept as a copy in
// the instrument's folder) or a data file of their own, the driver measures the standard
// once and divides the measured spectrum by the file's values. The coefficients go into
// the calibration record of the current method group and measuring angle.
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/Dialog.h"
#include "sensor/SetupCapability.h"
#include "sensor/SetupStatus.h"
#include "whitecal/WhiteCalibrationData.h"

class TavoRX9100;

class CWhiteCalibrationDlg : public platform::ui::Dialog {
  public:
    static constexpr int IDD = 12001;
    static constexpr int IDC_METHOD = 12002;
    static constexpr int IDC_STANDARD_NAME = 12003;
    static constexpr int IDC_CHANGE = 12004;
    static constexpr int IDC_USE_USER = 12005;
    static constexpr int IDC_USER_PATH = 12006;
    static constexpr int IDC_LOAD_USER = 12007;
    static constexpr int IDC_ERASE_USER = 12008;
    static constexpr int IDC_USER_GROUP = 12009;
    // End code when the white measurement lost the instrument.
    static constexpr int kTransportFailed = -10;

    CWhiteCalibrationDlg(TavoRX9100& driver, SetupCapability& capability, SetupStatus& status,
                         WhiteCalibrationData& record, platform::WindowHandle parent = nullptr);

  protected:
    void onInitDialog() override;
    void onClicked(int id) override;
    void onOK() override;

  private:
    bool reflection() const;
    // Shows the path (validating it first), or forgets it with its message when the file is
    // gone or bad.
    void showStandardPath();
    void showUserPath();
    void eraseUserPath();
    void applyUserPathRules();
    void updateCalibrateButton();
    void changeStandardFile();
    void chooseUserFile();
    std::optional<std::string> askForFile();
    int message(int textId, platform::MessageBoxButtons buttons = platform::MessageBoxButtons::Ok,
                platform::MessageBoxIcon icon = platform::MessageBoxIcon::None);
    // A file check with its message; true when accepted.
    bool fileAccepted(const std::string& path);
    // The reference the measured white is divided by; false after the failure's messages.
    bool loadReference(std::vector<double>& reference);

    TavoRX9100& driver_;
    SetupCapability& capability_;
    SetupStatus& status_;
    WhiteCalibrationData& record_;
    std::string standardPath_;
    std::string userPath_;
};
