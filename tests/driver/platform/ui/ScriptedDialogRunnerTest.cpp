#include <gtest/gtest.h>

#include "platform/ui/Dialog.h"
#include "platform/ui/ScriptedUiTest.h"

using namespace platform::ui;
using platform::IDCANCEL;
using platform::IDOK;

namespace {

// A measuring-conditions-like dialog: a speed box, a frequency field and a
// confirmation on OK.
class ConditionsDialog : public Dialog {
  public:
    static const DialogTemplate& layout() {
        static const DialogTemplate t{
            950,
            "conditions",
            200,
            80,
            {{1003, ControlKind::Combo, "", {0, 0, 80, 60}},
             {1007, ControlKind::NumericEdit, "", {0, 20, 40, 12}},
             {IDOK, ControlKind::Button, "OK", {0, 60, 40, 14}, DefaultButton},
             {IDCANCEL, ControlKind::Button, "Cancel", {50, 60, 40, 14}}}};
        return t;
    }
    explicit ConditionsDialog(platform::WindowHandle parent = nullptr) : Dialog(layout(), parent) {}
    long long hundredths = 0;

  protected:
    void onInitDialog() override {
        combo(1003).addItem("7", 7);
        combo(1003).addItem("14", 14);
        combo(1003).select(0);
        numericEdit(1007).setDecimals(2);
        numericEdit(1007).setRange(0.0, 200.0);
    }
    void onOK() override {
        if (platform::messageBox("sure?", platform::MessageBoxButtons::OkCancel) != IDOK) {
            return;
        }
        hundredths = numericEdit(1007).scaledValue().value_or(-1);
        endDialog(IDOK);
    }
};

class ScriptedRunner : public ScriptedUiTest {};

TEST_F(ScriptedRunner, PlaysTheUsersStepsAndQueuesAnswersAhead) {
    setUserDecimalSeparator(',');
    ConditionsDialog d;
    runner->when(950)
        .selectData(1003, 14)
        .type(1007, "1,5")
        .click(IDOK)
        .answerMessageBox(IDCANCEL)
        .inspect([](Dialog& dlg) { EXPECT_FALSE(dlg.ended()); })
        .click(IDCANCEL);
    EXPECT_EQ(d.doModal(), IDCANCEL);
    EXPECT_EQ(d.combo(1003).selectedData(), 14);
    EXPECT_EQ(d.numericEdit(1007).scaledValue(), 150);
    EXPECT_EQ(d.hundredths, 0);  // OK was declined in the box
    EXPECT_EQ(ui->messageBoxes().size(), 1u);
    EXPECT_TRUE(runner->problems().empty());
}

TEST_F(ScriptedRunner, ReportsMissingScenesUnfinishedDialogsAndUnusedScenes) {
    ConditionsDialog first;
    EXPECT_EQ(first.doModal(), IDCANCEL);  // no scene: cancelled
    ConditionsDialog second;
    runner->when(950).selectData(1003, 7);
    EXPECT_EQ(second.doModal(), IDCANCEL);  // scene ends with the dialog open
    runner->when(4242).click(IDOK);
    const auto problems = runner->problems();
    ASSERT_EQ(problems.size(), 3u);
    EXPECT_NE(problems[0].find("no scene"), std::string::npos);
    EXPECT_NE(problems[1].find("still open"), std::string::npos);
    EXPECT_NE(problems[2].find("4242"), std::string::npos);
}

// A dialog that opens another from a button, as the calibration editor does.
class OuterDialog : public Dialog {
  public:
    static const DialogTemplate& layout() {
        static const DialogTemplate t{951,
                                      "outer",
                                      100,
                                      40,
                                      {{5, ControlKind::Button, "nested", {0, 0, 40, 14}},
                                       {IDOK, ControlKind::Button, "OK", {50, 0, 40, 14}}}};
        return t;
    }
    OuterDialog() : Dialog(layout()) {}
    int nestedCode = 0;

  protected:
    void onClicked(int id) override {
        if (id == 5) {
            ConditionsDialog inner(this);
            nestedCode = inner.doModal();
        }
    }
};

TEST_F(ScriptedRunner, NestedModalDialogsTakeTheirOwnScenes) {
    OuterDialog outer;
    runner->when(951).click(5).click(IDOK);
    runner->when(950).click(IDOK);  // answered OK by the default of the services
    EXPECT_EQ(outer.doModal(), IDOK);
    EXPECT_EQ(outer.nestedCode, IDOK);
    EXPECT_EQ(runner->log().front(), "modal 951");
    EXPECT_TRUE(runner->problems().empty());
}

class Notice : public Dialog {
  public:
    static const DialogTemplate& layout() {
        static const DialogTemplate t{
            952, "notice", 100, 40, {{IDCANCEL, ControlKind::Button, "stop", {0, 0, 40, 14}}}};
        return t;
    }
    Notice() : Dialog(layout()) {}
    int cancels = 0;

  protected:
    void onCancel() override { ++cancels; }
};

TEST_F(ScriptedRunner, ModelessScenesRunAtTheirPump) {
    Notice notice;
    runner->when(952).atPump(2).click(IDCANCEL);
    notice.show();
    EXPECT_TRUE(notice.initialized());
    notice.pumpMessages();
    EXPECT_EQ(notice.cancels, 0);
    notice.pumpMessages();
    EXPECT_EQ(notice.cancels, 1);
    notice.destroyWindow();
    EXPECT_FALSE(notice.isCreated());
    EXPECT_TRUE(runner->problems().empty());
}

}  // namespace
