#pragma once
// The user calibration editor: the eleven calibration channels with their IDs and tables,
// a channel's ID, erasing it, loading it from a ".ucf" file and saving it into one, and
// the adapter-lens and ND factor tables from ".lcf" and ".ncf" files. The wavelength and
// level calibrations start from here too; their procedures are not part of this build, so
// their buttons follow their rules and open nothing yet.
#include <array>
#include <optional>
#include <string>

#include "platform/ui/Dialog.h"
#include "usercal/CalibrationFiles.h"

class TavoRX9100;

class CEditCalDataRx9100Dlg : public platform::ui::Dialog {
  public:
    static constexpr int IDD = 17008;
    static constexpr int IDC_CHANNELS = 1202;
    static constexpr int IDC_EDIT_ID = 1203;
    static constexpr int IDC_ERASE = 1206;
    static constexpr int IDC_LOAD = 1223;
    static constexpr int IDC_SAVE = 1224;
    static constexpr int IDC_WAVELENGTH_CAL = 6229;
    static constexpr int IDC_LEVEL_CAL = 6230;
    static constexpr int IDC_LENS = 1009;
    static constexpr int IDC_ND = 1013;
    static constexpr int IDC_LENS_TABLE = 1010;
    static constexpr int IDC_LENS_SHOW = 6232;
    static constexpr int IDC_LENS_WRITE = 6233;
    static constexpr int IDC_ND_TABLE = 1011;
    static constexpr int IDC_ND_SHOW = 6234;
    static constexpr int IDC_ND_WRITE = 6235;
    // Texts: the refusal of a file or of its write, the erase question.
    static constexpr int IDS_FORMAT_WRONG = 20156;
    static constexpr int IDS_ASK_ERASE = 20651;

    using Table = std::array<double, kCalibrationEntries>;

    CEditCalDataRx9100Dlg(TavoRX9100& driver, UserCalibrationFile& userFile,
                          NdCoefficientFile& ndFile, LensCoefficientFile& lensFile,
                          platform::WindowHandle parent = nullptr);

    // Validates and writes a whole channel; 0, 10 for a refused entry, or the exchange's code.
    int writeCalibrationData(int ch, const std::string& id, int writeWave, const Table& wave,
                             int writeLevel, const Table& level);
    // Reads a whole channel for a file.
    int readCalibrationData(int ch, std::string& id, int& hasWave, Table& wave, int& hasLevel,
                            Table& level);

    // Bit 1: the instrument holds ND factors for filter 1, bit 2 for filter 2.
    int ndDataState() const { return ndDataState_; }

  protected:
    void onInitDialog() override;
    void onClicked(int id) override;
    void onSelectionChange(int id) override;
    void onListItemChanged(int id, int row) override;
    void onListDoubleClick(int id, int row) override;

  private:
    void setUpList();
    void refreshList();
    void fillCombos();
    void updateButtons();
    const platform::ui::ListView* channelList() const;
    // The selected row when it is a channel other than 00, else nothing.
    std::optional<int> selectedChannel() const;
    // The column of the row reads "ON".
    bool columnOn(int row, int column) const;
    // ND filter 1 or 2 of the ND correction combo.
    int selectedNdFilter() const;
    void updateNdShowButton();

    void editId();
    void erase();
    void load();
    void save();
    void showLens();
    void writeLens();
    void showNd();
    void writeNd();
    // The calibration procedures of the selected channel; a successful wavelength
    // calibration goes straight on with the level calibration, measured on the channel.
    void calibrateWavelength();
    void calibrateLevel();
    // Puts the remembered channel back on the instrument, reads the list again and selects
    // the channel's row.
    void restoreChannel(int remembered, int row);
    // Refreshes the list when the channel rebuild succeeds.
    void rebuildList();
    std::optional<std::string> askForFile(const char* extension, bool open);
    int message(int textId, platform::MessageBoxButtons buttons = platform::MessageBoxButtons::Ok,
                platform::MessageBoxIcon icon = platform::MessageBoxIcon::None);
    void formatWrong();

    TavoRX9100& driver_;
    UserCalibrationFile& userFile_;
    NdCoefficientFile& ndFile_;
    LensCoefficientFile& lensFile_;
    int ndDataState_ = 0;
    bool chainLevelCalibration_ = false;
};
