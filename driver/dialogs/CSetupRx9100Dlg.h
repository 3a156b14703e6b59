#pragma once
// The measuring conditions as the user edits them: the choices of the driver's capability
// lists, narrowed by what the instrument holds (adapter-lens and ND factor tables, the
// calibration channels), the integration time, count and internal sync frequency as
// numbers with their ranges, and the internal ND by the firmware's rules. OK writes the
// choices into the driver's SetupStatus; the caller sends them to the instrument.
#include <array>

#include "platform/ui/Dialog.h"
#include "sensor/SetupCapability.h"
#include "sensor/SetupStatus.h"

class TavoRX9100;

class CSetupRx9100Dlg : public platform::ui::Dialog {
  public:
    static constexpr int IDD = 17020;
    static constexpr int IDC_METHOD = 1002;
    static constexpr int IDC_SPEED = 1003;
    static constexpr int IDC_PARAMETER = 1004;  // integration time (s) or count
    static constexpr int IDC_PARAMETER_SPIN = 1005;
    static constexpr int IDC_SYNC = 1006;
    static constexpr int IDC_FREQUENCY = 1007;  // Hz, internal sync only
    static constexpr int IDC_FREQUENCY_SPIN = 1008;
    static constexpr int IDC_LENS = 1009;
    static constexpr int IDC_CHANNEL = 1011;
    static constexpr int IDC_ND = 1013;
    static constexpr int IDC_INSERT_ND_OFF = 6012;
    static constexpr int IDC_WAVELENGTH_CAL = 6222;
    static constexpr int IDC_LEVEL_CAL = 6223;
    static constexpr int IDC_INSERT_ND_ON = 6228;
    static constexpr int IDC_AREA = 6236;
    static constexpr int IDC_SECONDS = 6247;
    static constexpr int IDC_INSERT_ND_AUTO = 6248;
    static constexpr int kAskLensChange = 20570;

    CSetupRx9100Dlg(TavoRX9100& driver, SetupCapability& capability, SetupStatus& status,
                    platform::WindowHandle parent = nullptr);

    // The numbers as edited: microseconds, the count, hundredths of a hertz.
    long long integrationMicroseconds() const { return micros_; }
    int count() const { return count_; }
    long long frequencyHundredths() const { return hundredths_; }
    // The internal ND the radio buttons give: 0 off, 1 on, 2 automatic, -1 none usable.
    int insertNdState() const;

  protected:
    void onInitDialog() override;
    void onSelectionChange(int id) override;
    void onClicked(int id) override;
    void onTextChange(int id) override;
    void onSpin(int id, int delta) override;
    void onOutOfRangeReport(int fieldId, int newFocusId) override;
    void onOK() override;
    void onCancel() override;
    void onEnter() override;
    void onEscape() override;

  private:
    static constexpr int kChannels = 11;

    // Adds every item of a list (filtered by keep), selects the current one and enables
    // the box only when that was found among more than one item.
    template <class Keep>
    void fillList(int boxId, CapIterator* list, int current, Keep keep);
    void fillLens();
    void fillArea();
    void fillNd();
    void fillChannels();

    int selectedData(int boxId) const;
    int selectedSpeed() const;
    static bool isCountSpeed(int speed);
    bool parameterInUse() const;

    void applySpeed(int speed);
    void applyInsertNdRule(int speed, int state);
    void applySync();
    void showChannelFlags();
    // Rewrites an in-range field, or prompts; false when the field was refused.
    bool checkField(int id);

    TavoRX9100& driver_;
    SetupCapability& capability_;
    SetupStatus& status_;
    int lensAtOpening_ = 0;
    int areaShown_ = 0;
    long long micros_ = 0;
    int count_ = 1;
    long long hundredths_ = 0;
    std::array<bool, kChannels> wavelengthFlag_{};
    std::array<bool, kChannels> levelFlag_{};
    bool initialised_ = false;
    bool rangeReported_ = false;  // a field refused its value since the last OK
    bool keyPressed_ = false;     // Enter or Escape
};
