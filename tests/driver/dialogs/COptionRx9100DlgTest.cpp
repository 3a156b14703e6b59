// The instrument option dialog against the simulated instrument.
#include "dialogs/COptionRx9100Dlg.h"

#include <gtest/gtest.h>

#include "platform/ui/ScriptedDialogRunner.h"
#include "support/SimulatedDriver.h"

namespace {

using platform::IDCANCEL;
using platform::IDOK;
using platform::ui::Dialog;
using Dlg = COptionRx9100Dlg;

class InstrumentOption : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::ui::setDialogRunner(runner);
        sim.driver.setErrorVisible(false);
        ASSERT_EQ(sim.driver.connect(), 0);
        sim.takeSent();
    }
    void TearDown() override {
        platform::ui::setDialogRunner(nullptr);
        EXPECT_EQ(runner->problems(), std::vector<std::string>{});
    }
    static int itemCount(Dialog& d, int id) { return d.combo(id).count(); }

    SimulatedDriver sim;
    std::shared_ptr<platform::ui::ScriptedDialogRunner> runner =
        std::make_shared<platform::ui::ScriptedDialogRunner>(sim.ui);
};

TEST_F(InstrumentOption, OpeningReadsEveryOptionAndOnlyTheBacklightChangeSendsAllSixSets) {
    runner->when(Dlg::IDD)
        .inspect([](Dialog& d) {
            EXPECT_EQ(d.title(), "測定器設定");
            EXPECT_EQ(itemCount(d, Dlg::IDC_COLOR_MODE), 6);
            EXPECT_EQ(d.numericEdit(Dlg::IDC_ACTIVE_TARGET).text(), "01");
            EXPECT_EQ(d.checkedRadioButton(Dlg::IDC_UNIT_CANDELA, Dlg::IDC_UNIT_FOOT_LAMBERT),
                      Dlg::IDC_UNIT_CANDELA);
            // A Japanese text set has no foot-lamberts.
            EXPECT_FALSE(d.radio(Dlg::IDC_UNIT_FOOT_LAMBERT).enabled());
            EXPECT_EQ(d.radio(Dlg::IDC_UNIT_FOOT_LAMBERT).text(), "------");
        })
        .click(Dlg::IDC_BACKLIGHT_OFF)
        .spin(Dlg::IDC_ACTIVE_TARGET_SPIN, 4)
        .inspect([](Dialog& d) { EXPECT_EQ(d.numericEdit(Dlg::IDC_ACTIVE_TARGET).text(), "05"); })
        .click(IDOK);
    EXPECT_EQ(sim.driver.doInstrumentOption(), 0);
    EXPECT_EQ(sim.takeSent(),
              (std::vector<std::string>{"CSMR", "DIMR", "OBSR", "BALR", "LUUR", "TGSR", "OBSS,0",
                                        "CSMS,0", "DIMS,0", "BALS,0,1", "LUUS,1", "TGSL,05"}));
    EXPECT_EQ(sim.instrument.memory().activeTarget, 5);
}

TEST_F(InstrumentOption, DisplayModeTwoListsOnlyXyzAndANewObserverAsksForTheChannel) {
    sim.instrument.injectFault(*rx9100sim::Fault::parse("DIMR:reply:OK00,2"));
    runner->when(Dlg::IDD)
        .inspect([](Dialog& d) {
            EXPECT_EQ(itemCount(d, Dlg::IDC_COLOR_MODE), 1);
            EXPECT_EQ(d.combo(Dlg::IDC_COLOR_MODE).selectedData(), 3);
        })
        .selectData(Dlg::IDC_OBSERVER, 1)
        .click(IDOK);
    EXPECT_EQ(sim.driver.doInstrumentOption(), 0);
    const auto sent = sim.takeSent();
    ASSERT_GE(sent.size(), 13u);
    EXPECT_EQ(sent[6], "OBSS,1");
    EXPECT_EQ(sent[7], "CSMS,3");
    EXPECT_TRUE(sent[12].starts_with("UC")) << sent[12];  // the active calibration channel
}

TEST_F(InstrumentOption, FailingReadAtOpeningIsTheResultAndFailingTgsrLeavesTheFieldEmpty) {
    sim.instrument.injectFault(*rx9100sim::Fault::parse("OBSR:error:13"));
    EXPECT_EQ(sim.driver.doInstrumentOption(), 10);

    sim.instrument.injectFault(*rx9100sim::Fault::parse("TGSR:error:13"));
    runner->when(Dlg::IDD)
        .inspect([](Dialog& d) {
            EXPECT_EQ(d.numericEdit(Dlg::IDC_ACTIVE_TARGET).text(), "");
            EXPECT_FALSE(d.ended());
        })
        .click(IDCANCEL);
    sim.takeSent();
    EXPECT_EQ(sim.driver.doInstrumentOption(), 0);
    const auto sent = sim.takeSent();
    EXPECT_EQ(std::count_if(sent.begin(), sent.end(),
                            [](const std::string& l) { return l.find('S', 3) == 3; }),
              0);  // Cancel writes nothing
}

TEST_F(InstrumentOption, FailingWriteKeepsTheDialogOpen) {
    sim.instrument.injectFault(*rx9100sim::Fault::parse("DIMS:error:13"));
    runner->when(Dlg::IDD)
        .click(IDOK)
        .inspect([](Dialog& d) { EXPECT_FALSE(d.ended()); })
        .click(IDCANCEL);
    EXPECT_EQ(sim.driver.doInstrumentOption(), 0);
    const auto sent = sim.takeSent();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "BALS,1,1"), 0);
}

}  // namespace
