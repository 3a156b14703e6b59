#include "measure/CMeasureProgressDlg.h"

#include <gtest/gtest.h>

#include "platform/ui/ScriptedUiTest.h"

namespace {

// Counts the messages it is sent, standing for a window the measurement posts to.
class Recorder : public platform::Window {
  public:
    platform::LResult handleMessage(unsigned message, platform::WParam, platform::LParam) override {
        received.push_back(message);
        return 0;
    }
    std::vector<unsigned> received;
};

class MeasureProgress : public ScriptedUiTest {};

TEST_F(MeasureProgress, IsCreatedModelessWithAnEmptyTimeAndSetsRangeTextAndPosition) {
    CMeasureProgressDlg progress;
    EXPECT_TRUE(progress.isCreated());
    EXPECT_EQ(progress.templateId(), 1901);
    EXPECT_EQ(progress.title(), "測定中");
    EXPECT_EQ(progress.staticText(1902).text(), "");
    EXPECT_FALSE(progress.cancel);

    progress.setRange(0, 1234);
    progress.setTimeText("12.34");
    progress.setPos(617);
    EXPECT_EQ(progress.timeText, "12.34");
    EXPECT_EQ(progress.staticText(1902).text(), "12.34");
    EXPECT_EQ(progress.progress(1903).low(), 0);
    EXPECT_EQ(progress.progress(1903).high(), 1234);
    EXPECT_EQ(progress.progress(1903).pos(), 617);
    // The 16-bit bounds of the native bar hold the full measuring time.
    progress.setRange(28, 65535);
    EXPECT_EQ(progress.progress(1903).high(), 65535);
}

TEST_F(MeasureProgress, SetPosDispatchesWaitingMessagesAndPumpsTheToolkit) {
    CMeasureProgressDlg progress;
    Recorder host;
    platform::postMessage(&host, 5000, 0, 0);
    progress.setPos(1);
    EXPECT_EQ(host.received, std::vector<unsigned>{5000});
    EXPECT_EQ(runner->pumpCount(), 1);
}

TEST_F(MeasureProgress, CancelOnlyRaisesTheFlagAndTheWindowStays) {
    runner->when(1901).atPump(3).click(platform::IDCANCEL).key(platform::ui::Key::Escape);
    CMeasureProgressDlg progress;
    progress.show();
    for (int pos = 0; pos < 2; ++pos) {
        progress.setPos(pos);
        EXPECT_FALSE(progress.cancel);
    }
    progress.setPos(2);
    EXPECT_TRUE(progress.cancel);
    EXPECT_FALSE(progress.ended());
    EXPECT_TRUE(progress.isShown());
    EXPECT_TRUE(runner->problems().empty());
}

}  // namespace
