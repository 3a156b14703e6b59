#include <gtest/gtest.h>

#include "measure/MeasureProgressHandler.h"
#include "sensor/TavoRX9100.h"

namespace {

class CancelRecorder : public TavoRX9100 {
  public:
    void setMeasurementCancel(bool cancel) override { cancelled = cancel; }
    bool cancelled = false;
};

}  // namespace

TEST(MeasureProgressHandlerTest, StartSetsRangeAndTimeProgressForwardsCancel) {
    CancelRecorder driver;
    CMeasureProgressDlg progress;
    MeasureProgressHandler handler(driver);
    EXPECT_EQ(handler.onMeasureProgress(5, 0), 0);  // no window yet: nothing happens
    handler.attach(&progress);
    handler.onMeasureStart(0, 1234);
    EXPECT_EQ(progress.timeText, "12.34");
    handler.onMeasureProgress(617, 0);
    EXPECT_FALSE(driver.cancelled);
    progress.cancel = true;  // the user pressed the window's Cancel
    handler.onMeasureProgress(618, 0);
    EXPECT_TRUE(driver.cancelled);
}
