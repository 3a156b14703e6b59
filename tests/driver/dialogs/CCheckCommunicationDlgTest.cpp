#include "dialogs/CCheckCommunicationDlg.h"

#include <gtest/gtest.h>

#include "platform/ui/ScriptedUiTest.h"
#include "resources/StringTable.h"

namespace {

class CheckCommunication : public ScriptedUiTest {};

TEST_F(CheckCommunication, ShowsItsCentredTextWithoutTitleOrVisibleButton) {
    const std::string measuring = resources::loadString(20151);
    EXPECT_EQ(measuring, "測定中");
    CCheckCommunicationDlg notice(measuring);
    EXPECT_TRUE(notice.isCreated());
    EXPECT_EQ(notice.templateId(), 1601);
    EXPECT_EQ(notice.title(), "");
    EXPECT_EQ(notice.widthDu(), 163);
    EXPECT_EQ(notice.heightDu(), 52);
    EXPECT_EQ(notice.staticText(1602).text(), measuring);
    EXPECT_EQ(notice.staticText(1602).align(), platform::ui::StaticText::Align::Centre);
    EXPECT_FALSE(notice.button(platform::IDOK).visible());
}

TEST_F(CheckCommunication, NeitherKeysNorCloseEndIt_OnlyItsOwner) {
    runner->when(1601)
        .atPump(1)
        .key(platform::ui::Key::Enter)
        .key(platform::ui::Key::Escape)
        .close();
    auto notice = std::make_unique<CCheckCommunicationDlg>("x");
    notice->show();
    notice->setText("waiting");  // repaints at once: pumps
    EXPECT_EQ(notice->text, "waiting");
    EXPECT_EQ(notice->staticText(1602).text(), "waiting");
    EXPECT_FALSE(notice->ended());
    notice.reset();
    EXPECT_EQ(runner->log().back(), "destroy 1601");
    EXPECT_TRUE(runner->problems().empty());
}

}  // namespace
