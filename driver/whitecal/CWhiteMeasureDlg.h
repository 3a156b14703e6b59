#pragma once
// The calibrations' single measurements: a modal dialog that runs one doMeasurement with
// the progress window (its Cancel cancels the measurement) and ends with the result; after
// an end code of 0 `records` holds the measurement, after any other it is empty.
#include <vector>

#include "measure/MeasureProgressHandler.h"
#include "platform/ui/Dialog.h"
#include "sensor/AbstractSensorStrategy.h"
#include "sensor/MeasuringData.h"

class MeasureOnceDlg : public platform::ui::Dialog {
  public:
    MeasureOnceDlg(const platform::ui::DialogTemplate& tmpl, AbstractSensorStrategy& driver,
                   platform::WindowHandle parent);

    std::vector<MeasuringData> records;

    platform::LResult handleMessage(unsigned message, platform::WParam wParam,
                                    platform::LParam lParam) override;

  protected:
    void onInitDialog() override;
    // The dialog ends itself when the measurement is over.
    void onOK() override {}
    void onCancel() override {}

  private:
    AbstractSensorStrategy& driver_;
    MeasureProgressHandler progress_;
};

// Measures the white standard for the white calibration.
class CWhiteMeasureDlg : public MeasureOnceDlg {
  public:
    static constexpr int IDD = 17014;
    explicit CWhiteMeasureDlg(AbstractSensorStrategy& driver,
                              platform::WindowHandle parent = nullptr);
};

// Measures for the wavelength and level calibrations.
class CUserMeasureDlg : public MeasureOnceDlg {
  public:
    static constexpr int IDD = 17006;
    explicit CUserMeasureDlg(AbstractSensorStrategy& driver,
                             platform::WindowHandle parent = nullptr);
};
