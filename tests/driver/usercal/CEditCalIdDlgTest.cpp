#include "usercal/CEditCalIdDlg.h"

#include <gtest/gtest.h>

#include "platform/ui/ScriptedUiTest.h"

using platform::IDCANCEL;
using platform::IDOK;

namespace {

class EditCalId : public ScriptedUiTest {};

TEST_F(EditCalId, CaptionNamesTheChannelAndFieldStartsWithTheId) {
    CEditCalIdDlg dlg;
    dlg.setChannel(3);
    dlg.setId("LAMP A");
    runner->when(1501)
        .inspect([](platform::ui::Dialog& d) {
            EXPECT_EQ(d.title(), "ID編集(CH03)");
            EXPECT_EQ(d.edit(1502).text(), "LAMP A");
            EXPECT_EQ(d.edit(1502).maxLength(), 10);
            EXPECT_EQ(d.focus(), 1502);
        })
        .type(1502, "OTHER")
        .click(IDCANCEL);
    EXPECT_EQ(dlg.doModal(), IDCANCEL);
    EXPECT_EQ(dlg.getId(), "LAMP A");  // Cancel keeps the old ID
}

TEST_F(EditCalId, TypedCharactersAreFilteredAndLimitedToTen) {
    CEditCalIdDlg dlg;
    dlg.setChannel(10);
    runner->when(1501).type(1502, "A!B#C$D\\E|F}G~H\tI\xC3\xA9J").click(IDOK);
    EXPECT_EQ(dlg.doModal(), IDOK);
    EXPECT_EQ(dlg.getId(), "ABCDEFGHIJ");

    CEditCalIdDlg longer;
    runner->when(1501).type(1502, "0123456789XYZ").key(platform::ui::Key::Enter);
    EXPECT_EQ(longer.doModal(), IDOK);
    EXPECT_EQ(longer.getId(), "0123456789");
}

TEST(EditCalIdFilter, AcceptsPrintableAsciiExceptTheReservedMarks) {
    int accepted = 0;
    for (char32_t c = 0; c < 0x3000; ++c) {
        accepted += CEditCalIdDlg::isIdCharacter(c) ? 1 : 0;
    }
    EXPECT_EQ(accepted, 95 - 7);
    for (char32_t c : {U' ', U'"', U'%', U'{', U'_', U'0', U'z'}) {
        EXPECT_TRUE(CEditCalIdDlg::isIdCharacter(c));
    }
}

}  // namespace
