#include "whitecal/CWhiteCalibrationDlg.h"

#include "resources/StringTable.h"
#include "resources/templates/DialogTemplates.h"
#include "sensor/ConditionCodes.h"
#include "sensor/TavoRX9100.h"
#include "whitecal/CWhiteMeasureDlg.h"
#include "whitecal/WhiteCalibrationFile.h"

namespace {

constexpr int kStandardReset = 20803;
constexpr int kUserReset = 20804;
constexpr int kStandardUnreadable = 20807;
constexpr int kUserUnreadable = 20808;
constexpr int kCopyFailed = 20812;
constexpr int kCalibrationFailed = 20813;
constexpr int kAskCalibrate = 20655;
constexpr int kUnlitRegion = 20658;

}  // namespace

CWhiteCalibrationDlg::CWhiteCalibrationDlg(TavoRX9100& driver, SetupCapability& capability,
                                           SetupStatus& status, WhiteCalibrationData& record,
                                           platform::WindowHandle parent)
    : Dialog(resources::templates::whiteCalibration(), parent),
      driver_(driver),
      capability_(capability),
      status_(status),
      record_(record) {}

bool CWhiteCalibrationDlg::reflection() const {
    return status_.getMeasurementMethod() == codes::method::kReflection;
}

int CWhiteCalibrationDlg::message(int textId, platform::MessageBoxButtons buttons,
                                  platform::MessageBoxIcon icon) {
    platform::MessageBoxRequest box;
    box.text = resources::loadString(textId);
    box.buttons = buttons;
    box.icon = icon;
    return platform::uiServices().messageBox(this, box);
}

bool CWhiteCalibrationDlg::fileAccepted(const std::string& path) {
    const int refusal = whitecal::checkFile(path);
    if (refusal != 0) {
        message(refusal);
    }
    return refusal == 0;
}

void CWhiteCalibrationDlg::onInitDialog() {
    standardPath_ = driver_.GetWhiteCalibrationPathStdFromReg();
    userPath_ = driver_.GetWhiteCalibrationPathUserFromReg();
    checkBox(IDC_USE_USER).setChecked(driver_.GetWhiteCalibrationUserOnFromReg() == 1);
    showStandardPath();
    showUserPath();

    if (!reflection()) {
        checkBox(IDC_USE_USER).setChecked(false);
        edit(IDC_USER_PATH).setText("");
        for (int id : {IDC_USER_GROUP, IDC_USE_USER, IDC_ERASE_USER, IDC_LOAD_USER}) {
            findControl(id)->setEnabled(false);
        }
    } else if (!standardPath_.empty()) {
        for (int id : {IDC_USE_USER, IDC_ERASE_USER, IDC_LOAD_USER}) {
            findControl(id)->setEnabled(true);
        }
        applyUserPathRules();
    } else {
        for (int id : {IDC_USE_USER, IDC_ERASE_USER, IDC_LOAD_USER}) {
            findControl(id)->setEnabled(false);
        }
    }

    auto& methods = combo(IDC_METHOD);
    methods.clear();
    if (CapIterator* modes = capability_.getListMode()) {
        for (modes->First(); modes->IsDone() == 0;) {
            const ItemMap item = modes->Next();
            methods.addItem(item.name, item.id);
        }
    }
    methods.selectData(status_.getMeasurementMethod());
    updateCalibrateButton();
}

void CWhiteCalibrationDlg::showStandardPath() {
    auto& name = edit(IDC_STANDARD_NAME);
    if (standardPath_.empty()) {
        name.setText("");
    } else if (fileAccepted(standardPath_)) {
        name.setText(whitecal::fileTitle(standardPath_));
    } else {
        standardPath_.clear();
        name.setText("");
        std::string none;
        driver_.SetWhiteCalirationPathStdToReg(none);
        driver_.SetWhiteCalibrationUserOnToReg(0);
        message(kStandardReset);
        centreOn(parent());
        checkBox(IDC_USE_USER).setEnabled(!userPath_.empty());
    }
    name.setToolTip(name.text());
}

void CWhiteCalibrationDlg::showUserPath() {
    auto& path = edit(IDC_USER_PATH);
    if (userPath_.empty()) {
        path.setText("");
    } else if (fileAccepted(userPath_)) {
        path.setText(userPath_);
    } else {
        std::string none;
        driver_.SetWhiteCalibrationPathUserToReg(none);
        driver_.SetWhiteCalibrationUserOnToReg(0);
        message(kUserReset);
        eraseUserPath();
    }
    path.setToolTip(path.text());
}

void CWhiteCalibrationDlg::eraseUserPath() {
    userPath_.clear();
    showUserPath();
    checkBox(IDC_USE_USER).setChecked(false);
    button(IDC_ERASE_USER).setEnabled(false);
    checkBox(IDC_USE_USER).setEnabled(false);
    updateCalibrateButton();
}

void CWhiteCalibrationDlg::applyUserPathRules() {
    const bool haveUser = !userPath_.empty();
    button(IDC_ERASE_USER).setEnabled(haveUser);
    checkBox(IDC_USE_USER).setEnabled(haveUser);
}

void CWhiteCalibrationDlg::updateCalibrateButton() {
    button(platform::IDOK).setEnabled(!edit(IDC_STANDARD_NAME).text().empty());
}

void CWhiteCalibrationDlg::onClicked(int id) {
    switch (id) {
        case IDC_CHANGE:
            changeStandardFile();
            break;
        case IDC_LOAD_USER:
            chooseUserFile();
            break;
        case IDC_ERASE_USER:
            eraseUserPath();
            break;
        default:
            break;
    }
}

std::optional<std::string> CWhiteCalibrationDlg::askForFile() {
    const std::string extension = whitecal::kExtension;
    platform::FileChooserRequest request;
    request.open = true;
    request.filter = "*." + extension + "|*." + extension + "||";
    request.defaultExtension = extension;
    request.hideReadOnly = true;
    request.overwritePrompt = true;
    request.initialFolder = driver_.GetAppFolderPath();
    request.initialName = driver_.GetAppFolderPath() + "*." + extension;
    return platform::uiServices().chooseFile(this, request);
}

void CWhiteCalibrationDlg::changeStandardFile() {
    const std::optional<std::string> chosen = askForFile();
    if (!chosen || !fileAccepted(*chosen)) {
        return;
    }
    std::string target;
    switch (whitecal::copyIntoFolder(*chosen, driver_.GetRX9100SystemFolderPath(), target)) {
        case whitecal::CopyResult::NoFolder:
            return;
        case whitecal::CopyResult::CopyFailed:
            message(kCopyFailed);
            return;
        case whitecal::CopyResult::Copied:
        case whitecal::CopyResult::AlreadyThere:
            break;
    }
    standardPath_ = target;
    showStandardPath();
    if (reflection()) {
        for (int id : {IDC_USE_USER, IDC_ERASE_USER, IDC_LOAD_USER}) {
            findControl(id)->setEnabled(true);
        }
        applyUserPathRules();
    }
    updateCalibrateButton();
}

void CWhiteCalibrationDlg::chooseUserFile() {
    const std::optional<std::string> chosen = askForFile();
    if (chosen && fileAccepted(*chosen)) {
        userPath_ = *chosen;
        showUserPath();
    }
    applyUserPathRules();
}

bool CWhiteCalibrationDlg::loadReference(std::vector<double>& reference) {
    if (!reflection()) {
        // Transmittance and the like are referred to the empty light path itself.
        reference.assign(kSpectralPoints, 1.0);
        return true;
    }
    const bool user = checkBox(IDC_USE_USER).checked();
    const std::string& path = user ? userPath_ : standardPath_;
    if (!fileAccepted(path)) {
        message(user ? kUserUnreadable : kStandardUnreadable);
        message(kCalibrationFailed);
        return false;
    }
    WhiteCalibrationData loaded;
    if (!loaded.load(path)) {
        message(kCalibrationFailed);
        return false;
    }
    reference = loaded.standardData;
    return true;
}

void CWhiteCalibrationDlg::onOK() {
    if (!button(platform::IDOK).enabled()) {
        return;  // Enter without a standard file
    }
    if (message(kAskCalibrate, platform::MessageBoxButtons::OkCancel,
                platform::MessageBoxIcon::Question) != platform::IDOK) {
        return;
    }
    driver_.SetWhiteCalirationPathStdToReg(standardPath_);
    driver_.SetWhiteCalibrationPathUserToReg(userPath_);
    driver_.SetWhiteCalibrationUserOnToReg(checkBox(IDC_USE_USER).checked() ? 1 : 0);

    // The white itself is measured uncorrected.
    const bool wasValid = record_.valid;
    record_.valid = false;
    CWhiteMeasureDlg measure(driver_, this);
    int result = 0;
    {
        platform::WaitCursor wait;
        result = measure.doModal();
    }
    if (result == kTransportFailed) {
        endDialog(kTransportFailed);
        return;
    }
    if (result != 0 || measure.records.empty()) {
        record_.valid = wasValid;
        return;
    }

    std::vector<double> reference;
    if (!loadReference(reference)) {
        return;
    }
    const std::vector<double>& white = measure.records.front().getData();
    if (white.size() != static_cast<std::size_t>(kSpectralPoints)) {
        message(kCalibrationFailed);
        return;
    }
    std::vector<double> coefficient(kSpectralPoints);
    for (int i = 0; i < kSpectralPoints; ++i) {
        if (!(white[i] > 0.0)) {
            message(kUnlitRegion);
            return;
        }
        coefficient[i] = white[i] / reference[i];
    }
    record_.standardData = std::move(reference);
    record_.coefficient = std::move(coefficient);
    record_.valid = true;
    endDialog(platform::IDOK);
}
