#include "dialogs/CSetupRx9100Dlg.h"

#include <cstdio>
#include <cstdlib>

#include "resources/StringTable.h"
#include "resources/templates/DialogTemplates.h"
#include "sensor/ConditionCodes.h"
#include "sensor/TavoRX9100.h"

namespace {

// Lens items 4, 5 and 6 stand for accessory lenses the driver cannot tell are attached, so
// they are never offered (this instrument's lens list holds the standard and the adapter
// lens anyway).
bool lensOffered(int id) {
    return id != 4 && id != 5 && id != 6;
}

constexpr long long kMinMicroseconds = 5000;  // 0.005 s
constexpr long long kMaxMicroseconds = 120000000;
constexpr int kMinCount = 1;
constexpr int kMaxCount = 16;
constexpr long long kMinHundredths = 2000;  // 20.00 Hz
constexpr long long kMaxHundredths = 20000;

// trunc(value × scale + 0.5) as a whole number of the field's units. Values far beyond any
// range (or not numbers at all) are kept finite: the range check refuses them anyway.
long long scaledFrom(double value, double scale) {
    constexpr double kLimit = 1e15;
    const double scaled = value * scale + 0.5;
    if (!(scaled > -kLimit)) {
        return scaled < 0 ? static_cast<long long>(-kLimit) : 0;
    }
    return static_cast<long long>(scaled < kLimit ? scaled : kLimit);
}

}  // namespace

CSetupRx9100Dlg::CSetupRx9100Dlg(TavoRX9100& driver, SetupCapability& capability,
                                 SetupStatus& status, platform::WindowHandle parent)
    : Dialog(resources::templates::setupConditions(), parent),
      driver_(driver),
      capability_(capability),
      status_(status) {}

template <class Keep>
void CSetupRx9100Dlg::fillList(int boxId, CapIterator* list, int current, Keep keep) {
    auto& box = combo(boxId);
    box.clear();
    bool found = false;
    if (list != nullptr) {
        for (list->First(); list->IsDone() == 0;) {
            const ItemMap item = list->Next();
            if (!keep(item.id)) {
                continue;
            }
            const int index = box.addItem(item.name, item.id);
            if (item.id == current && !found) {
                box.select(index);
                found = true;
            }
        }
    }
    box.setEnabled(found && box.count() > 1);
}

void CSetupRx9100Dlg::fillLens() {
    const int current = status_.getLens();
    // No adapter-lens table for this angle: the lens cannot be changed.
    const bool tablePresent = driver_.checkAdapterLens() == 0;
    fillList(IDC_LENS, capability_.getListLens(), current,
             [&](int id) { return tablePresent ? lensOffered(id) : id == current; });
}

void CSetupRx9100Dlg::fillArea() {
    areaShown_ = status_.getMeasurementArea();
    std::string name;
    if (CapIterator* areas = capability_.getListArea()) {
        for (areas->First(); areas->IsDone() == 0;) {
            const ItemMap item = areas->Next();
            if (item.id == areaShown_) {
                name = item.name;
                break;
            }
        }
    }
    edit(IDC_AREA).setText(name);
}

void CSetupRx9100Dlg::fillNd() {
    const int current = status_.getNd();
    const bool filter1 = driver_.checkAdapterNd(1) == 0;
    const bool filter2 = driver_.checkAdapterNd(2) == 0;
    fillList(IDC_ND, capability_.getListNd(), current, [&](int id) {
        if (filter1 && filter2) {
            return true;
        }
        if (filter1) {
            return id != codes::nd::kNd2;
        }
        if (filter2) {
            return id != codes::nd::kNd1;
        }
        return id == current;
    });
}

void CSetupRx9100Dlg::fillChannels() {
    auto& box = combo(IDC_CHANNEL);
    box.clear();
    wavelengthFlag_.fill(false);
    levelFlag_.fill(false);
    const int current = status_.getCalibrationCh();
    bool found = false;
    if (CapIterator* channels = capability_.getListCalList()) {
        for (channels->First(); channels->IsDone() == 0;) {
            const ItemMap item = channels->Next();
            // The name is the mode code in two digits followed by the calibration ID.
            const int code = std::atoi(item.name.substr(0, 2).c_str());
            const std::string id = item.name.size() > 2 ? item.name.substr(2) : std::string();
            if (item.id >= 0 && item.id < kChannels) {
                wavelengthFlag_[item.id] =
                    code == codes::calmode::kWavelength || code == codes::calmode::kWavelengthNd ||
                    code == codes::calmode::kWavelengthLevel || code == codes::calmode::kAll;
                levelFlag_[item.id] =
                    code == codes::calmode::kLevel || code == codes::calmode::kWavelengthLevel ||
                    code == codes::calmode::kNdLevel || code == codes::calmode::kAll;
            }
            // A channel is offered only when it corrects wavelength or level; the ND-only
            // code says nothing about the channel itself.
            const bool corrects =
                code == codes::calmode::kLevel || code == codes::calmode::kWavelength ||
                (code >= codes::calmode::kWavelengthNd && code <= codes::calmode::kAll);
            if (item.id != 0 && !corrects) {
                continue;
            }
            char text[64];
            std::snprintf(text, sizeof text, "CH%02d : %s", item.id, id.c_str());
            const int index = box.addItem(text, item.id);
            if (item.id == current && !found) {
                box.select(index);
                found = true;
            }
        }
    }
    box.setEnabled(found && box.count() > 1);
}

int CSetupRx9100Dlg::selectedData(int boxId) const {
    const auto data = const_cast<CSetupRx9100Dlg*>(this)->combo(boxId).selectedData();
    return data ? static_cast<int>(*data) : 0;
}

int CSetupRx9100Dlg::selectedSpeed() const {
    return initialised_ ? selectedData(IDC_SPEED) : status_.getSpeed();
}

bool CSetupRx9100Dlg::isCountSpeed(int speed) {
    return speed == codes::speed::kMulti || speed == codes::speed::kMulti2 ||
           speed == codes::speed::kMultiRom110;
}

bool CSetupRx9100Dlg::parameterInUse() const {
    const int speed = selectedSpeed();
    return speed == codes::speed::kManual || isCountSpeed(speed);
}

void CSetupRx9100Dlg::onInitDialog() {
    lensAtOpening_ = status_.getLens();
    const auto any = [](int) { return true; };
    fillList(IDC_METHOD, capability_.getListMode(), status_.getMeasurementMethod(), any);
    fillLens();
    fillArea();
    fillNd();
    fillList(IDC_SYNC, capability_.getListSync(), status_.getSync(), any);
    fillList(IDC_SPEED, capability_.getListSpeed(), status_.getSpeed(), any);
    fillChannels();

    auto& frequency = numericEdit(IDC_FREQUENCY);
    frequency.setRange(20.0, 200.0);
    frequency.setDecimals(2);
    hundredths_ = scaledFrom(status_.getSyncInternalParam(), 100.0);
    frequency.setScaledValue(hundredths_);
    spin(IDC_FREQUENCY_SPIN).setRange(kMinHundredths, kMaxHundredths);

    // The parameter field, its spin and the radios follow the speed (which re-reads the
    // instrument's parameter for the speeds that have one).
    applyInsertNdRule(status_.getSpeed(), driver_.getInsertNd());
    applySpeed(status_.getSpeed());
    applySync();
    showChannelFlags();
    initialised_ = true;
}

void CSetupRx9100Dlg::applySpeed(int speed) {
    auto& field = numericEdit(IDC_PARAMETER);
    auto& arrows = spin(IDC_PARAMETER_SPIN);
    if (speed == codes::speed::kManual) {
        field.setRange(0.005, 120.0);
        field.setDecimals(6);
        driver_.checkSpeed();  // a failure keeps the last known time
        micros_ = scaledFrom(status_.getSyncManualDouble(), 1000000.0);
        arrows.setRange(kMinMicroseconds, kMaxMicroseconds);
        field.setScaledValue(micros_);
        field.setEnabled(true);
        arrows.setEnabled(true);
    } else if (isCountSpeed(speed)) {
        field.setRange(kMinCount, kMaxCount);
        field.setDecimals(0);
        driver_.checkSpeed();
        const float parameter = status_.getSyncManualParam();
        count_ = parameter > kMaxCount    ? kMaxCount
                 : parameter >= kMinCount ? static_cast<int>(parameter + 0.5f)
                                          : kMinCount;
        arrows.setRange(kMinCount, kMaxCount);
        field.setScaledValue(count_);
        field.setEnabled(true);
        arrows.setEnabled(true);
    } else {
        field.setEnabled(false);
        arrows.setEnabled(false);
    }
    staticText(IDC_SECONDS).setVisible(speed == codes::speed::kManual);
    applyInsertNdRule(speed, insertNdState());
}

void CSetupRx9100Dlg::applyInsertNdRule(int speed, int state) {
    auto& off = radio(IDC_INSERT_ND_OFF);
    auto& on = radio(IDC_INSERT_ND_ON);
    auto& automatic = radio(IDC_INSERT_ND_AUTO);
    const bool manual = speed == codes::speed::kManual;
    if (codes::hasRom110Layout(driver_.getFirmwareLevel())) {
        automatic.setVisible(true);
        off.setEnabled(true);
        on.setEnabled(true);
        if (manual) {
            // The manual integration time has no automatic internal ND.
            automatic.setEnabled(false);
            automatic.setChecked(false);
            on.setChecked(state == codes::insertnd::kOn);
            off.setChecked(state != codes::insertnd::kOn);
        } else {
            automatic.setEnabled(true);
            if (state >= codes::insertnd::kOff && state <= codes::insertnd::kAuto) {
                off.setChecked(state == codes::insertnd::kOff);
                on.setChecked(state == codes::insertnd::kOn);
                automatic.setChecked(state == codes::insertnd::kAuto);
            }
        }
    } else {
        // Older firmware switches the internal ND only with the manual integration time.
        automatic.setVisible(false);
        off.setEnabled(manual);
        on.setEnabled(manual);
        if (manual) {
            off.setChecked(state == codes::insertnd::kOff);
            on.setChecked(state != codes::insertnd::kOff);
        }
    }
}

int CSetupRx9100Dlg::insertNdState() const {
    const auto usable = [this](int id) {
        const auto* r = dynamic_cast<const platform::ui::RadioButton*>(findControl(id));
        return r != nullptr && r->checked() && r->enabled();
    };
    if (usable(IDC_INSERT_ND_ON)) {
        return codes::insertnd::kOn;
    }
    if (usable(IDC_INSERT_ND_OFF)) {
        return codes::insertnd::kOff;
    }
    if (usable(IDC_INSERT_ND_AUTO)) {
        return codes::insertnd::kAuto;
    }
    return codes::insertnd::kAbsent;
}

void CSetupRx9100Dlg::applySync() {
    const int sync = initialised_ ? selectedData(IDC_SYNC) : status_.getSync();
    const bool internal = sync == codes::sync::kInternal;
    numericEdit(IDC_FREQUENCY).setEnabled(internal);
    spin(IDC_FREQUENCY_SPIN).setEnabled(internal);
}

void CSetupRx9100Dlg::showChannelFlags() {
    int channel = selectedData(IDC_CHANNEL);
    if (channel < 0 || channel >= kChannels) {
        channel = 0;
    }
    checkBox(IDC_WAVELENGTH_CAL).setChecked(wavelengthFlag_[channel]);
    checkBox(IDC_LEVEL_CAL).setChecked(levelFlag_[channel]);
}

void CSetupRx9100Dlg::onSelectionChange(int id) {
    if (id == IDC_SPEED) {
        applySpeed(selectedSpeed());
    } else if (id == IDC_SYNC) {
        applySync();
    } else if (id == IDC_CHANNEL) {
        showChannelFlags();
    }
}

void CSetupRx9100Dlg::onClicked(int id) {
    if (id == IDC_INSERT_ND_OFF || id == IDC_INSERT_ND_ON || id == IDC_INSERT_ND_AUTO) {
        checkRadioButton(IDC_INSERT_ND_OFF, IDC_INSERT_ND_AUTO, id);
    }
}

void CSetupRx9100Dlg::onTextChange(int id) {
    if (id == IDC_PARAMETER) {
        const auto& field = numericEdit(IDC_PARAMETER);
        const long long value = field.scaledValue().value_or(0);
        if (field.decimals() > 0) {
            micros_ = value;
        } else {
            count_ = static_cast<int>(value);
        }
    } else if (id == IDC_FREQUENCY) {
        hundredths_ = numericEdit(IDC_FREQUENCY).scaledValue().value_or(0);
    }
}

void CSetupRx9100Dlg::onSpin(int id, int delta) {
    if (id == IDC_FREQUENCY_SPIN) {
        hundredths_ = spin(id).clamp(hundredths_ + delta);
        numericEdit(IDC_FREQUENCY).setScaledValue(hundredths_);
    } else if (id == IDC_PARAMETER_SPIN) {
        auto& field = numericEdit(IDC_PARAMETER);
        if (field.decimals() > 0) {
            micros_ = spin(id).clamp(micros_ + delta);
            field.setScaledValue(micros_);
        } else {
            count_ = static_cast<int>(spin(id).clamp(static_cast<long long>(count_) + delta));
            field.setScaledValue(count_);
        }
    }
}

bool CSetupRx9100Dlg::checkField(int id) {
    if (id == IDC_PARAMETER ? !parameterInUse() : !numericEdit(id).enabled()) {
        return true;
    }
    if (validateNumericField(id)) {
        return true;
    }
    rangeReported_ = true;
    return false;
}

void CSetupRx9100Dlg::onOutOfRangeReport(int /*fieldId*/, int newFocusId) {
    // The field that lost the focus is the other one when the focus went to one of them.
    if (newFocusId == IDC_FREQUENCY) {
        checkField(IDC_PARAMETER);
    } else if (newFocusId == IDC_PARAMETER) {
        checkField(IDC_FREQUENCY);
    } else if (checkField(IDC_PARAMETER)) {
        checkField(IDC_FREQUENCY);
    }
}

void CSetupRx9100Dlg::onEnter() {
    keyPressed_ = true;
    Dialog::onEnter();
}

void CSetupRx9100Dlg::onEscape() {
    keyPressed_ = true;
    command(platform::IDCANCEL);
}

void CSetupRx9100Dlg::onOK() {
    if (keyPressed_) {
        // A field being edited reports its range when it loses the focus.
        keyPressed_ = false;
        userFocus(platform::IDOK);
    }
    if (rangeReported_) {
        rangeReported_ = false;
        return;
    }
    for (int id : {IDC_PARAMETER, IDC_FREQUENCY}) {
        const auto& field = numericEdit(id);
        if (field.enabled() && field.rejected()) {
            return;
        }
    }
    const int lens = selectedData(IDC_LENS);
    if (lens != lensAtOpening_) {
        platform::MessageBoxRequest box;
        box.text = resources::loadString(kAskLensChange);
        box.buttons = platform::MessageBoxButtons::OkCancel;
        box.icon = platform::MessageBoxIcon::Question;
        if (platform::uiServices().messageBox(this, box) != platform::IDOK) {
            return;
        }
    }
    const int speed = selectedData(IDC_SPEED);
    const int sync = selectedData(IDC_SYNC);
    status_.setLens(lens);
    status_.setMeasurementMethod(selectedData(IDC_METHOD));
    status_.setMeasurementArea(areaShown_);
    status_.setSpeed(speed);
    status_.setNd(selectedData(IDC_ND));
    if (speed == codes::speed::kManual) {
        status_.setSyncManualDouble(static_cast<double>(micros_) * 0.000001);
    } else if (isCountSpeed(speed)) {
        status_.setSyncManualParam(static_cast<float>(count_));
    }
    status_.setSync(sync);
    if (sync == codes::sync::kInternal) {
        status_.setSyncInternalParam(static_cast<float>(static_cast<double>(hundredths_) * 0.01));
    }
    status_.setCalibrationCh(selectedData(IDC_CHANNEL));
    driver_.setInsertNd(insertNdState());
    status_.setCalibrationMode(codes::calmode::kNone);
    endDialog(platform::IDOK);
}

void CSetupRx9100Dlg::onCancel() {
    // The fields are left with plain texts; nothing reaches SetupStatus.
    numericEdit(IDC_PARAMETER).setText("0");
    numericEdit(IDC_FREQUENCY).setText("60");
    endDialog(platform::IDCANCEL);
}
