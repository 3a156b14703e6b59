#include "dialogs/COptionRx9100Dlg.h"

#include "platform/Numbers.h"
#include "resources/StringTable.h"
#include "resources/templates/DialogTemplates.h"
#include "sensor/TavoRX9100.h"

namespace {

constexpr int kXyzMode = 3;
constexpr int kXyzOnlyDisplay = 2;
constexpr int kFirstTarget = 1;
constexpr int kLastTarget = 20;
constexpr int kColourModeStrings = 20500;  // 20500 to 20505, values 0 to 5
constexpr int kColourModes = 6;
constexpr int kDisplayModeStrings = 20510;  // 20510, 20511
constexpr int kObserverStrings = 20520;     // 20520, 20521
constexpr int kRegionString = 11775;
constexpr int kNoValueString = 20420;

}  // namespace

COptionRx9100Dlg::COptionRx9100Dlg(TavoRX9100& driver, platform::WindowHandle parent)
    : Dialog(resources::templates::instrumentOption(), parent), driver_(driver) {}

int COptionRx9100Dlg::readOptions() {
    int r = driver_.checkColorSpace(colorSpace);
    if (r == 0) {
        r = driver_.checkDisplayMode(displayMode);
    }
    if (r == 0) {
        r = driver_.checkObserver(observer);
        observerAtOpening = observer;
    }
    if (r == 0) {
        r = driver_.checkBackLight(backlightAlways, backlightMeasuring);
    }
    if (r == 0) {
        r = driver_.checkLuminanceMode(luminanceUnit);
    }
    return r;
}

void COptionRx9100Dlg::onInitDialog() {
    if (const int r = readOptions(); r != 0) {
        endDialog(r);
        return;
    }
    platform::ui::ComboBox& observers = combo(IDC_OBSERVER);
    observers.clear();
    for (int v = 0; v < 2; ++v) {
        observers.addItem(resources::loadString(kObserverStrings + v), v);
    }
    observers.selectData(observer);
    fillDisplayModes();
    combo(IDC_DISPLAY_MODE).selectData(displayMode);
    fillColourModes();

    platform::ui::NumericEdit& target = numericEdit(IDC_ACTIVE_TARGET);
    target.setRange(kFirstTarget, kLastTarget);
    if (driver_.checkActiveTarget() == 0) {
        activeTarget = driver_.getActiveTarget();
        target.setText(platform::cFormat("%02d", activeTarget));
        spin(IDC_ACTIVE_TARGET_SPIN).setRange(kFirstTarget, kLastTarget);
        checkRadioButton(IDC_UNIT_CANDELA, IDC_UNIT_FOOT_LAMBERT, IDC_UNIT_CANDELA + luminanceUnit);
        checkRadioButton(IDC_BACKLIGHT_OFF, IDC_BACKLIGHT_ON, IDC_BACKLIGHT_OFF + backlightAlways);
        checkRadioButton(IDC_MEASURING_OFF, IDC_MEASURING_ON,
                         IDC_MEASURING_OFF + backlightMeasuring);
    }
    applyRegionRules();
}

void COptionRx9100Dlg::applyRegionRules() {
    // Foot-lamberts are not a unit of the Japanese market.
    if (resources::loadString(kRegionString) == "Japan") {
        radio(IDC_UNIT_FOOT_LAMBERT).setEnabled(false);
        radio(IDC_UNIT_FOOT_LAMBERT).setText(resources::loadString(kNoValueString));
    }
}

void COptionRx9100Dlg::fillDisplayModes() {
    platform::ui::ComboBox& box = combo(IDC_DISPLAY_MODE);
    const auto current = box.selectedData();
    box.clear();
    for (int v = 0; v < 2; ++v) {
        box.addItem(resources::loadString(kDisplayModeStrings + v), v);
    }
    if (!current || !box.selectData(*current)) {
        box.select(0);
    }
}

void COptionRx9100Dlg::fillColourModes() {
    platform::ui::ComboBox& box = combo(IDC_COLOR_MODE);
    if (const auto current = box.selectedData()) {
        colorSpace = static_cast<int>(*current);
    }
    box.clear();
    const auto mode = combo(IDC_DISPLAY_MODE).selectedData();
    const int display = mode ? static_cast<int>(*mode) : displayMode;
    if (display == kXyzOnlyDisplay || displayMode == kXyzOnlyDisplay) {
        box.addItem(resources::loadString(kColourModeStrings + kXyzMode), kXyzMode);
        box.select(0);
        return;
    }
    for (int v = 0; v < kColourModes; ++v) {
        box.addItem(resources::loadString(kColourModeStrings + v), v);
    }
    if (!box.selectData(colorSpace)) {
        box.select(0);
    }
}

void COptionRx9100Dlg::onSelectionChange(int id) {
    if (id == IDC_COLOR_MODE) {
        combo(IDC_OBSERVER).setEnabled(true);
        fillDisplayModes();
    } else if (id == IDC_DISPLAY_MODE || id == IDC_OBSERVER) {
        if (id == IDC_DISPLAY_MODE) {
            displayMode = static_cast<int>(combo(IDC_DISPLAY_MODE).selectedData().value_or(0));
        }
        fillColourModes();
    }
}

void COptionRx9100Dlg::onSpin(int id, int delta) {
    if (id != IDC_ACTIVE_TARGET_SPIN) {
        return;
    }
    platform::ui::NumericEdit& field = numericEdit(IDC_ACTIVE_TARGET);
    const long long current = field.scaledValue().value_or(kFirstTarget);
    const long long next = spin(IDC_ACTIVE_TARGET_SPIN).clamp(current + delta);
    field.setText(platform::cFormat("%02d", static_cast<int>(next)));
}

void COptionRx9100Dlg::onFocusLost(int id, int /*newFocusId*/) {
    if (id == IDC_ACTIVE_TARGET && validateNumericField(id)) {
        const auto value = numericEdit(id).scaledValue();
        numericEdit(id).setText(platform::cFormat("%02d", static_cast<int>(value.value_or(1))));
    }
}

void COptionRx9100Dlg::onOK() {
    setFocus(platform::IDOK);
    if (anyNumericFieldRejected() || !validateNumericField(IDC_ACTIVE_TARGET)) {
        return;
    }
    luminanceUnit =
        checkedRadioButton(IDC_UNIT_CANDELA, IDC_UNIT_FOOT_LAMBERT) == IDC_UNIT_FOOT_LAMBERT ? 1
                                                                                             : 0;
    backlightAlways =
        checkedRadioButton(IDC_BACKLIGHT_OFF, IDC_BACKLIGHT_ON) == IDC_BACKLIGHT_ON ? 1 : 0;
    backlightMeasuring =
        checkedRadioButton(IDC_MEASURING_OFF, IDC_MEASURING_ON) == IDC_MEASURING_ON ? 1 : 0;
    colorSpace = static_cast<int>(combo(IDC_COLOR_MODE).selectedData().value_or(colorSpace));
    displayMode = static_cast<int>(combo(IDC_DISPLAY_MODE).selectedData().value_or(displayMode));
    observer = static_cast<int>(combo(IDC_OBSERVER).selectedData().value_or(observer));
    activeTarget = static_cast<int>(numericEdit(IDC_ACTIVE_TARGET).scaledValue().value_or(1));

    int r = 0;
    {
        platform::WaitCursor wait;
        r = driver_.setObserver(observer);
        if (r == 0) {
            r = driver_.setColorSpace(colorSpace);
        }
        if (r == 0) {
            r = driver_.setDisplayMode(displayMode);
        }
        if (r == 0) {
            r = driver_.setBackLight(backlightAlways, backlightMeasuring);
        }
        if (r == 0) {
            r = driver_.setLuminanceMode(luminanceUnit);
        }
        if (r == 0) {
            r = driver_.setActiveTarget(activeTarget);
        }
    }
    if (r != 0) {
        return;  // the exchange reported its error; the user's choices stay
    }
    // A new observer changes which calibration channel the instrument uses.
    if (observer != observerAtOpening && driver_.checkActiveCh() != 0) {
        return;
    }
    endDialog(platform::IDOK);
}
