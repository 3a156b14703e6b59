#pragma once
// Writing the host's reference colour into one of the instrument's twenty targets: the
// user sees the reference and what the chosen number holds now, may name it, and confirms
// before a stored target is overwritten.
#include <array>
#include <map>
#include <string>

#include "platform/ui/Dialog.h"
#include "sensor/DataPack.h"

class TavoRX9100;

class CDownloadTargetDlg : public platform::ui::Dialog {
  public:
    static constexpr int IDD = 8001;
    static constexpr int IDC_COLOR_SPACE = 8002;
    static constexpr int IDC_REFERENCE_1 = 8003;         // 8003 to 8005
    static constexpr int IDC_REFERENCE_HEADER_1 = 8006;  // 8006 to 8008
    static constexpr int IDC_STORED_HEADER_1 = 8009;     // 8009 to 8011
    static constexpr int IDC_STORED_1 = 8014;            // 8014 to 8016
    static constexpr int IDC_TARGET_NUMBER = 8017;
    static constexpr int IDC_TARGET_SPIN = 8018;
    static constexpr int IDC_NAME = 6246;

    static constexpr int IDS_OVERWRITE = 20800;
    static constexpr int IDS_OUT_OF_RANGE = 16201;

    CDownloadTargetDlg(TavoRX9100& driver, int colorSpace, platform::WindowHandle parent = nullptr);

    // Takes the host's reference; false when it cannot be written (a colour value of
    // 1 000 000 or more, or no values).
    bool prepare(const DataPack& reference);
    int getColorSpace() const { return colorSpace; }
    // 1 spectral, 2 colour values.
    int getWriteKind() const { return writeKind; }
    const std::array<double, 3>& getWriteValues() const { return writeValues; }

  protected:
    void onInitDialog() override;
    void onSelectionChange(int id) override;
    void onTextChange(int id) override;
    void onSpin(int id, int delta) override;
    void onOK() override;

  private:
    void showValues();
    void showStored();
    int currentNumber() const;

    TavoRX9100& driver_;
    int colorSpace;
    int targetNumber = 1;
    int writeKind = 2;
    std::array<double, 3> writeValues{};
    DataPack reference_;
    std::string targetName;
    std::map<int, DataPack> stored;
};
