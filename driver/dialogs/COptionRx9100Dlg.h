#pragma once
// The instrument's own options: colour mode, display mode, observer of its display, active
// target, luminance unit and the two backlight settings. Read from the instrument when the
// dialog opens, all written back on OK.
#include "platform/ui/Dialog.h"

class TavoRX9100;

class COptionRx9100Dlg : public platform::ui::Dialog {
  public:
    static constexpr int IDD = 17015;
    static constexpr int IDC_COLOR_MODE = 1102;
    static constexpr int IDC_DISPLAY_MODE = 1103;
    static constexpr int IDC_OBSERVER = 1104;
    static constexpr int IDC_BACKLIGHT_OFF = 1106;
    static constexpr int IDC_BACKLIGHT_ON = 1107;
    static constexpr int IDC_MEASURING_OFF = 1108;
    static constexpr int IDC_MEASURING_ON = 1109;
    static constexpr int IDC_UNIT_CANDELA = 1118;
    static constexpr int IDC_UNIT_FOOT_LAMBERT = 1119;
    static constexpr int IDC_ACTIVE_TARGET = 6239;
    static constexpr int IDC_ACTIVE_TARGET_SPIN = 6240;

    explicit COptionRx9100Dlg(TavoRX9100& driver, platform::WindowHandle parent = nullptr);

  protected:
    void onInitDialog() override;
    void onSelectionChange(int id) override;
    void onSpin(int id, int delta) override;
    void onFocusLost(int id, int newFocusId) override;
    void onOK() override;

  private:
    int readOptions();
    void fillDisplayModes();
    void fillColourModes();
    void applyRegionRules();

    TavoRX9100& driver_;
    int colorSpace = 0;
    int displayMode = 0;
    int observer = 0;
    int observerAtOpening = 0;
    int activeTarget = 1;
    int backlightAlways = 0;
    int backlightMeasuring = 0;
    int luminanceUnit = 0;
};
