#pragma once
// The receiving side of the measurement messages in the driver's measuring
// dialogs: moves their progress window and turns its Cancel into a cancel of
// the measurement.
#include "measure/CMeasureProgressDlg.h"
#include "platform/Window.h"
#include "sensor/AbstractSensorStrategy.h"

class MeasureProgressHandler {
  public:
    explicit MeasureProgressHandler(AbstractSensorStrategy& driver) : driver_(driver) {}

    void attach(CMeasureProgressDlg* progress) { progress_ = progress; }

    // MSG_MEASURE_START: wParam 0, lParam the measuring time in 1/100 s.
    platform::LResult onMeasureStart(platform::WParam wParam, platform::LParam lParam);
    // MSG_MEASURE_PROGRESS: wParam the elapsed time in 1/100 s.
    platform::LResult onMeasureProgress(platform::WParam wParam, platform::LParam lParam);

  private:
    AbstractSensorStrategy& driver_;
    CMeasureProgressDlg* progress_ = nullptr;
};
