#pragma once
// The white calibration without a user at the screen: the driver's own dialog, answered by
// pressing the buttons a user would press for the chosen files, so that every rule of the
// dialog applies (a file it refuses, an unlit region, the remembered settings).
#include <memory>
#include <string>

#include "Options.h"
#include "platform/UiServices.h"
#include "platform/ui/DialogRunner.h"

class TavoRX9100;

namespace cli {

// The measurement method of a type: 3 light, 1 reflectance, 2 transmittance.
int measurementMethodOf(MeasurementType type);

// Sets the measurement type and method in the driver before measuring.
void selectMeasurementType(TavoRX9100& driver, MeasurementType type);

// For its lifetime, the process's dialog runner answers the calibration dialog from white,
// and the file choosers get its files; every other message box goes to usual, which is
// installed again at the end. A question the dialog asks is answered OK (the caller's
// request is the user's yes).
class WhiteCalibrationAnswers {
  public:
    WhiteCalibrationAnswers(const WhiteOptions& white, std::shared_ptr<platform::UiServices> usual);
    ~WhiteCalibrationAnswers();
    WhiteCalibrationAnswers(const WhiteCalibrationAnswers&) = delete;
    WhiteCalibrationAnswers& operator=(const WhiteCalibrationAnswers&) = delete;

  private:
    std::shared_ptr<platform::ui::DialogRunner> previousRunner_;
    std::shared_ptr<platform::UiServices> usual_;
};

}  // namespace cli
