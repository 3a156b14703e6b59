#include "transfer/CUploadProgDlg.h"

#include <gtest/gtest.h>

#include "platform/ui/ScriptedUiTest.h"

namespace {

class UploadProgress : public ScriptedUiTest {};

TEST_F(UploadProgress, HandlesWaitingEventsBeforeMovingTheBar) {
    int posSeenAtCancel = -1;
    runner->when(7001).atPump(3).click(platform::IDCANCEL).inspect([&](platform::ui::Dialog& d) {
        posSeenAtCancel = d.progress(CUploadProgDlg::IDC_PROGRESS).pos();
    });
    CUploadProgDlg progress;
    progress.show();
    EXPECT_EQ(progress.title(), "データ取り込み中");
    progress.setRange(1, 100);
    for (int n = 0; n < 3 && !progress.cancel; ++n) {
        progress.setText(std::to_string(n) + " / 100");
        progress.setPos(n + 1);
    }
    // The click arrived while the third position was being set, before the bar moved.
    EXPECT_TRUE(progress.cancel);
    EXPECT_EQ(posSeenAtCancel, 2);
    EXPECT_EQ(progress.progress(CUploadProgDlg::IDC_PROGRESS).pos(), 3);
    EXPECT_EQ(progress.staticText(CUploadProgDlg::IDC_TEXT).text(), "2 / 100");
    EXPECT_FALSE(progress.ended());
}

}  // namespace
