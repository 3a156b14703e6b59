#include <gtest/gtest.h>

#include "platform/ui/Dialog.h"
#include "platform/ui/ScriptedUiTest.h"

using namespace platform::ui;

namespace {

std::unique_ptr<NumericEdit> makeField(int decimals, double low, double high) {
    auto field =
        std::make_unique<NumericEdit>(ControlTemplate{7, ControlKind::NumericEdit, "", {}});
    field->setDecimals(decimals);
    field->setRange(low, high);
    return field;
}

TEST(NumericEdit, ReadsTextAsScaledIntegerWithTheUsersSeparator) {
    setUserDecimalSeparator(',');
    const auto hzOwner = makeField(2, 20.0, 200.0);
    auto& hz = *hzOwner;
    hz.setText("1,5");
    EXPECT_EQ(hz.scaledValue(), 150);  // 1.50 Hz, below the range
    EXPECT_FALSE(hz.inRange());
    hz.setText("1.5");  // the other separator is not a separator here
    EXPECT_EQ(hz.scaledValue(), std::nullopt);
    hz.setText("200,00");
    EXPECT_TRUE(hz.inRange());
    hz.setText("200,01");
    EXPECT_FALSE(hz.inRange());
    setUserDecimalSeparator(0);
}

TEST(NumericEdit, PadsAndCutsTheFractionToItsDecimals) {
    setUserDecimalSeparator('.');
    const auto timeOwner = makeField(6, 0.005, 120.0);
    auto& time = *timeOwner;
    time.setText("0.5");
    EXPECT_EQ(time.scaledValue(), 500000);
    time.setText("0.5000019");
    EXPECT_EQ(time.scaledValue(), 500001);
    time.setText("12");
    EXPECT_EQ(time.scaledValue(), 12000000);
    for (const char* bad : {"", "-", ".", "1.2.3", "1e3", " 1"}) {
        time.setText(bad);
        EXPECT_EQ(time.scaledValue(), std::nullopt) << bad;
        EXPECT_FALSE(time.inRange()) << bad;
    }
    time.setScaledValue(500001);
    EXPECT_EQ(time.text(), "0.500001");
    time.setScaledValue(-5);
    EXPECT_EQ(time.text(), "-0.000005");
    const auto countOwner = makeField(0, 1, 16);
    auto& count = *countOwner;
    count.setScaledValue(16);
    EXPECT_EQ(count.text(), "16");
    setUserDecimalSeparator(0);
}

TEST(NumericEdit, RangePromptNamesTheBoundsInTheFieldsFormat) {
    setUserDecimalSeparator(',');
    const auto hzOwner = makeField(2, 20.0, 200.0);
    auto& hz = *hzOwner;
    const std::string prompt = hz.rangePrompt();
    EXPECT_NE(prompt.find("20,00"), std::string::npos) << prompt;
    EXPECT_NE(prompt.find("200,00"), std::string::npos) << prompt;
    EXPECT_EQ(prompt.find("%1"), std::string::npos);
    EXPECT_EQ(prompt.find("%2"), std::string::npos);
    setUserDecimalSeparator(0);
}

TEST(NumericEdit, TypingKeepsDigitsSignAndSeparatorOnly) {
    setUserDecimalSeparator('.');
    const auto hzOwner = makeField(2, 20.0, 200.0);
    auto& hz = *hzOwner;
    EXPECT_EQ(hz.typedResult("1a2.5x"), "12.5");
    const auto countOwner = makeField(0, 1, 16);
    auto& count = *countOwner;
    EXPECT_EQ(count.typedResult("1.5"), "15");  // no separator without decimals
    setUserDecimalSeparator(0);
}

// Two numeric fields with spins, as the measuring-condition dialogs have them.
class TwoFieldDialog : public Dialog {
  public:
    static const DialogTemplate& layout() {
        static const DialogTemplate t{
            900,
            "t",
            100,
            60,
            {{1004, ControlKind::NumericEdit, "", {0, 0, 40, 12}},
             {1005, ControlKind::Spin, "", {40, 0, 10, 12}, 0, 0, 1004},
             {1007, ControlKind::NumericEdit, "", {0, 20, 40, 12}},
             {platform::IDOK, ControlKind::Button, "OK", {0, 40, 40, 14}}}};
        return t;
    }
    TwoFieldDialog() : Dialog(layout()) {}

    std::vector<std::pair<int, int>> reports;
    std::vector<int> rejections;
    int okSeen = 0;

  protected:
    void onInitDialog() override {
        numericEdit(1004).setDecimals(0);
        numericEdit(1004).setRange(1, 16);
        numericEdit(1004).setScaledValue(4);
        spin(1005).setRange(1, 16);
        numericEdit(1007).setDecimals(2);
        numericEdit(1007).setRange(20.0, 200.0);
        numericEdit(1007).setScaledValue(6000);
    }
    void onOutOfRangeReport(int field, int newFocus) override {
        reports.emplace_back(field, newFocus);
        Dialog::onOutOfRangeReport(field, newFocus);
    }
    void onNumericRejected(int id) override { rejections.push_back(id); }
    void onOK() override {
        ++okSeen;
        if (!anyNumericFieldRejected()) {
            endDialog(platform::IDOK);
        }
    }
};

class NumericFieldInDialog : public ScriptedUiTest {};

TEST_F(NumericFieldInDialog, OutOfRangeValueIsReportedWithTheNewFocusAndRejectedUntilEdited) {
    setUserDecimalSeparator(',');
    TwoFieldDialog dialog;
    runner->when(900)
        .type(1007, "1,5")
        .focus(1004)
        .inspect([](Dialog& d) {
            EXPECT_EQ(d.focus(), 1007);  // focus given back to the field
            EXPECT_TRUE(d.numericEdit(1007).rejected());
        })
        .click(platform::IDOK)  // ignored while rejected: the dialog stays open
        .type(1007, "150")
        .click(platform::IDOK);
    EXPECT_EQ(dialog.doModal(), platform::IDOK);
    EXPECT_TRUE(runner->problems().empty());

    // The report came from 1007 naming 1004, then again when OK took the focus
    // with the refused text; typing again cleared the rejection.
    ASSERT_GE(dialog.reports.size(), 1u);
    EXPECT_EQ(dialog.reports[0], std::make_pair(1007, 1004));
    EXPECT_EQ(dialog.rejections.front(), 1007);
    EXPECT_EQ(dialog.okSeen, 2);
    EXPECT_EQ(dialog.numericEdit(1007).text(), "150");

    const auto boxes = ui->messageBoxes();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes[0].icon, platform::MessageBoxIcon::Exclamation);
    EXPECT_NE(boxes[0].text.find("20,00"), std::string::npos);
}

TEST_F(NumericFieldInDialog, InRangeValueIsRewrittenWithoutPrompt) {
    TwoFieldDialog dialog;
    runner->when(900).type(1007, "21.5").focus(1004).click(platform::IDOK);
    EXPECT_EQ(dialog.doModal(), platform::IDOK);
    EXPECT_TRUE(dialog.reports.empty());
    EXPECT_EQ(dialog.numericEdit(1007).text(), "21.5");  // no report: value was in range
    EXPECT_TRUE(ui->messageBoxes().empty());
}

TEST_F(NumericFieldInDialog, SpinAddsDeltaAndClampsToItsRange) {
    TwoFieldDialog dialog;
    runner->when(900)
        .spin(1005, 1)
        .inspect([](Dialog& d) { EXPECT_EQ(d.numericEdit(1004).text(), "5"); })
        .spin(1005, 100)
        .inspect([](Dialog& d) { EXPECT_EQ(d.numericEdit(1004).text(), "16"); })
        .type(1004, "")
        .spin(1005, -1)  // empty field counts as the low end
        .inspect([](Dialog& d) { EXPECT_EQ(d.numericEdit(1004).text(), "1"); })
        .click(platform::IDOK);
    EXPECT_EQ(dialog.doModal(), platform::IDOK);
}

}  // namespace
