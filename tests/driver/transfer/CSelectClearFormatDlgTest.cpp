#include "transfer/CSelectClearFormatDlg.h"

#include <gtest/gtest.h>

#include "platform/ui/ScriptedUiTest.h"
#include "resources/StringTable.h"

using platform::IDCANCEL;
using platform::IDOK;

namespace {

class SelectClearFormat : public ScriptedUiTest {};

TEST_F(SelectClearFormat, StartsAtMeasuredValuesAndDeleteAll) {
    CSelectClearFormatDlg dlg;
    runner->when(17001)
        .inspect([](platform::ui::Dialog& d) {
            EXPECT_EQ(d.title(), "測定器保持データ消去");
            EXPECT_EQ(d.checkedRadioButton(17002, 17003), 17002);
            EXPECT_EQ(d.checkedRadioButton(17004, 17005), 17004);
        })
        .click(IDCANCEL);
    EXPECT_EQ(dlg.doModal(), IDCANCEL);
    EXPECT_TRUE(ui->messageBoxes().empty());
}

TEST_F(SelectClearFormat, DeleteAllAsksForTheChosenKindAndStaysOpenOnCancel) {
    CSelectClearFormatDlg dlg;
    runner->when(17001)
        .click(17003)
        .click(IDOK)
        .answerMessageBox(IDCANCEL)
        .inspect([](platform::ui::Dialog& d) { EXPECT_FALSE(d.ended()); })
        .click(17002)
        .click(IDOK)
        .answerMessageBox(IDOK);
    EXPECT_EQ(dlg.doModal(), IDOK);
    EXPECT_EQ(dlg.getKind(), 0);
    EXPECT_EQ(dlg.getMethod(), 0);

    const auto boxes = ui->messageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, resources::loadString(20560));  // all target colours
    EXPECT_EQ(boxes[0].text, "すべての基準色データを消去します。よろしいですか？");
    EXPECT_EQ(boxes[1].text, "すべての測定データを消去します。よろしいですか？");
    EXPECT_EQ(boxes[1].buttons, platform::MessageBoxButtons::OkCancel);
}

TEST_F(SelectClearFormat, DeletingASelectionClosesWithoutQuestion) {
    CSelectClearFormatDlg dlg;
    runner->when(17001).click(17003).click(17005).key(platform::ui::Key::Enter);
    EXPECT_EQ(dlg.doModal(), IDOK);
    EXPECT_EQ(dlg.getKind(), 1);
    EXPECT_EQ(dlg.getMethod(), 1);
    EXPECT_TRUE(ui->messageBoxes().empty());
}

}  // namespace
