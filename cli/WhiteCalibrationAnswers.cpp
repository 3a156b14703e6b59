#include "WhiteCalibrationAnswers.h"

#include <deque>
#include <filesystem>
#include <memory>
#include <optional>

#include "PlayingRunner.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/DialogRunner.h"
#include "sensor/ConditionCodes.h"
#include "sensor/TavoRX9100.h"
#include "whitecal/CWhiteCalibrationDlg.h"

namespace cli {

namespace {

// The white calibration dialog's template and controls, as the dialog names them.
using Calibration = CWhiteCalibrationDlg;

std::string absolute(const std::string& path) {
    std::error_code error;
    const auto full = std::filesystem::absolute(path, error);
    return error ? path : full.string();
}

// The file choosers get the files of the options in turn, the confirmation is answered
// with OK (the command is the user's yes); every other box goes to the usual services.
class AnsweringServices : public platform::UiServices {
  public:
    AnsweringServices(std::deque<std::string> files, std::shared_ptr<platform::UiServices> usual)
        : usual_(std::move(usual)), files_(std::move(files)) {}

    int messageBox(platform::WindowHandle owner,
                   const platform::MessageBoxRequest& request) override {
        if (request.buttons == platform::MessageBoxButtons::OkCancel) {
            return platform::IDOK;
        }
        return usual_->messageBox(owner, request);
    }
    std::optional<std::string> chooseFile(platform::WindowHandle,
                                          const platform::FileChooserRequest&) override {
        if (files_.empty()) {
            return std::nullopt;
        }
        std::string next = std::move(files_.front());
        files_.pop_front();
        return next;
    }
    void beginWaitCursor() override {}
    void endWaitCursor() override {}

  private:
    std::shared_ptr<platform::UiServices> usual_;
    std::deque<std::string> files_;
};

// Plays the user's part in the calibration dialog; the measuring dialogs run by themselves
// and their progress windows stay models.
class AnsweringRunner : public PlayingRunner {
  public:
    AnsweringRunner(std::string standardFile, std::string userFile)
        : standardFile_(std::move(standardFile)), userFile_(std::move(userFile)) {}

  protected:
    void play(platform::ui::Dialog& dialog) override {
        if (dialog.templateId() == Calibration::IDD) {
            answer(dialog);
        }
    }

  private:
    // A file the dialog refused leaves the one it showed before: the calibration is then not
    // what the command asked for, and the dialog is cancelled.
    void answer(platform::ui::Dialog& dialog) const {
        const std::string title = std::filesystem::path(standardFile_).filename().string();
        if (!dialog.userClick(Calibration::IDC_CHANGE) ||
            dialog.edit(Calibration::IDC_STANDARD_NAME).text() != title) {
            return;
        }
        const bool useUserFile = !userFile_.empty();
        if (useUserFile && (!dialog.userClick(Calibration::IDC_LOAD_USER) ||
                            dialog.edit(Calibration::IDC_USER_PATH).text() != userFile_)) {
            return;
        }
        // A user file remembered from an earlier run is used only when asked for again.
        if (dialog.checkBox(Calibration::IDC_USE_USER).checked() != useUserFile &&
            !dialog.userClick(Calibration::IDC_USE_USER)) {
            return;
        }
        dialog.userClick(platform::IDOK);
    }

    std::string standardFile_;
    std::string userFile_;
};

}  // namespace

WhiteCalibrationAnswers::WhiteCalibrationAnswers(const WhiteOptions& white,
                                                 std::shared_ptr<platform::UiServices> usual)
    : previousRunner_(platform::ui::dialogRunner()), usual_(usual) {
    const std::string standard = absolute(white.standardFile);
    const std::string user = white.userFile.empty() ? std::string() : absolute(white.userFile);
    std::deque<std::string> files{standard};
    if (!user.empty()) {
        files.push_back(user);
    }
    platform::ui::setDialogRunner(std::make_shared<AnsweringRunner>(standard, user));
    platform::setUiServices(
        std::make_shared<AnsweringServices>(std::move(files), std::move(usual)));
}

WhiteCalibrationAnswers::~WhiteCalibrationAnswers() {
    platform::ui::setDialogRunner(previousRunner_);
    platform::setUiServices(usual_);
}

int measurementMethodOf(MeasurementType type) {
    switch (type) {
        case MeasurementType::Reflectance:
            return codes::method::kReflection;
        case MeasurementType::Transmittance:
            return codes::method::kTransmission;
        case MeasurementType::Light:
            break;
    }
    return codes::method::kLightSource;
}

void selectMeasurementType(TavoRX9100& driver, MeasurementType type) {
    const int method = measurementMethodOf(type);
    driver.setMeasurementType(method);
    // The type keeps a method of its group it already had; the option names one.
    driver.getSetupStatus()->setMeasurementMethod(method);
    driver.checkInstrumentState();
}

}  // namespace cli
