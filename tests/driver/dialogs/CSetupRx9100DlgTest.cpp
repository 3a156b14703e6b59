// The measuring-conditions dialog against the simulated instrument, driven by scripted
// user actions: the lists the instrument's tables allow, the numbers in their units and
// ranges, the internal ND by firmware, OK and Cancel; and setupInstrument around it.
#include "dialogs/CSetupRx9100Dlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/ui/ScriptedDialogRunner.h"
#include "platform/ui/Text.h"
#include "simulator/Fault.h"
#include "support/SimulatedDriver.h"

namespace {

using platform::IDCANCEL;
using platform::IDOK;
using platform::ui::Dialog;
using rx9100sim::identityWavelengthTable;
using rx9100sim::unitTable;
using Dlg = CSetupRx9100Dlg;

std::vector<std::intptr_t> itemData(Dialog& d, int id) {
    std::vector<std::intptr_t> data;
    for (const auto& item : d.combo(id).items()) {
        data.push_back(item.data);
    }
    return data;
}

class SetupDialog : public ::testing::Test {
  protected:
    explicit SetupDialog(rx9100sim::Identity identity = {}) : sim(identity) {}

    void SetUp() override {
        platform::ui::setDialogRunner(runner);
        sim.driver.setErrorVisible(false);
        memory = sim.instrument.memory();
    }
    void TearDown() override {
        platform::ui::setDialogRunner(nullptr);
        platform::ui::setUserDecimalSeparator(0);
        EXPECT_EQ(runner->problems(), std::vector<std::string>{});
    }
    // The prepared memory, then the connection, the conditions and the channel list.
    void connect() {
        sim.instrument.setMemory(memory);
        ASSERT_EQ(sim.driver.connect(), 0);
        ASSERT_EQ(sim.driver.checkSetupStatus(), 0);
        ASSERT_EQ(sim.driver.checkCalibrationCh(), 0);
        sim.takeSent();
    }
    int runDialog() {
        Dlg dialog(sim.driver, *sim.driver.getSetupCapability(), status());
        return dialog.doModal();
    }
    SetupStatus& status() { return *sim.driver.getSetupStatus(); }
    static bool enabled(Dialog& d, int id) { return d.findControl(id)->enabled(); }
    static bool checked(Dialog& d, int id) { return d.checkBox(id).checked(); }
    static const std::string& text(Dialog& d, int id) { return d.findControl(id)->text(); }

    SimulatedDriver sim;
    rx9100sim::Memory memory;
    std::shared_ptr<platform::ui::ScriptedDialogRunner> runner =
        std::make_shared<platform::ui::ScriptedDialogRunner>(sim.ui);
};

class OldFirmwareSetupDialog : public SetupDialog {
  protected:
    OldFirmwareSetupDialog() : SetupDialog(rx9100sim::Identity{0, "1000001", "1.00"}) {}
};

}  // namespace

TEST_F(SetupDialog, ListsFollowTheInstrumentsTablesAndChannelCodes) {
    // No adapter-lens table, ND factors only for filter 2 with that filter in.
    memory.conditions.nd = 2;
    memory.ndTables[memory.measuringAngle][1] = unitTable();
    memory.channels[1].wavelength = identityWavelengthTable();
    (*memory.channels[1].wavelength)[3] = 383.5f;
    memory.channels[1].id = "LAMP-A";
    memory.channels[2].level = unitTable();
    (*memory.channels[2].level)[350] = 0.5f;
    memory.channels[2].id = "LEVEL";
    memory.channels[3].id = "EMPTY";  // no tables: ND alone, code 9, not offered
    memory.activeChannel = 2;
    connect();
    runner->when(Dlg::IDD)
        .inspect([](Dialog& d) {
            EXPECT_EQ(d.title(), "測定条件");
            EXPECT_EQ(itemData(d, Dlg::IDC_LENS), std::vector<std::intptr_t>{1});
            EXPECT_FALSE(enabled(d, Dlg::IDC_LENS));
            EXPECT_EQ(itemData(d, Dlg::IDC_ND), (std::vector<std::intptr_t>{0, 16}));
            EXPECT_EQ(*d.combo(Dlg::IDC_ND).selectedData(), 16);
            EXPECT_TRUE(enabled(d, Dlg::IDC_ND));
            EXPECT_FALSE(enabled(d, Dlg::IDC_METHOD));     // a light source has one method
            EXPECT_FALSE(text(d, Dlg::IDC_AREA).empty());  // the angle's name
            const auto& channels = d.combo(Dlg::IDC_CHANNEL).items();
            ASSERT_EQ(channels.size(), 3u);
            EXPECT_EQ(channels[0].text, "CH00 : ");
            EXPECT_EQ(channels[1].text, "CH01 : LAMP-A");
            EXPECT_EQ(channels[2].text, "CH02 : LEVEL");
            // Channel 2 (code 23): level, no wavelength; the boxes stay disabled.
            EXPECT_FALSE(checked(d, Dlg::IDC_WAVELENGTH_CAL));
            EXPECT_TRUE(checked(d, Dlg::IDC_LEVEL_CAL));
            EXPECT_FALSE(enabled(d, Dlg::IDC_LEVEL_CAL));
        })
        .selectData(Dlg::IDC_CHANNEL, 1)
        .inspect([](Dialog& d) {
            EXPECT_TRUE(checked(d, Dlg::IDC_WAVELENGTH_CAL));
            EXPECT_FALSE(checked(d, Dlg::IDC_LEVEL_CAL));
        })
        .click(IDCANCEL);
    EXPECT_EQ(runDialog(), IDCANCEL);
    // A missing table is no error for the host to see.
    EXPECT_EQ(sim.driver.getInstrumentState()->getErrorCode(), 200);

    // With an adapter-lens table and both ND tables every lens and ND is offered.
    memory.lensTables[memory.measuringAngle] = unitTable();
    memory.ndTables[memory.measuringAngle][0] = unitTable();
    connect();
    runner->when(Dlg::IDD)
        .inspect([](Dialog& d) {
            EXPECT_EQ(itemData(d, Dlg::IDC_LENS), (std::vector<std::intptr_t>{1, 11}));
            EXPECT_TRUE(enabled(d, Dlg::IDC_LENS));
            EXPECT_EQ(itemData(d, Dlg::IDC_ND), (std::vector<std::intptr_t>{0, 15, 16}));
        })
        .click(IDCANCEL);
    EXPECT_EQ(runDialog(), IDCANCEL);
}

TEST_F(SetupDialog, ManualTimeInMicrosecondsSpinsByOneAndWritesSecondsBack) {
    memory.conditions.speedMode = 3;
    memory.conditions.integrationUs = 500000;
    memory.conditions.internalNd = 1;
    connect();
    runner->when(Dlg::IDD)
        .inspect([](Dialog& d) {
            EXPECT_EQ(text(d, Dlg::IDC_PARAMETER), "0.500000");
            EXPECT_TRUE(d.findControl(Dlg::IDC_SECONDS)->visible());
            EXPECT_EQ(d.spin(Dlg::IDC_PARAMETER_SPIN).high(), 120000000);
            // Firmware 1.10: no automatic internal ND with the manual time.
            EXPECT_TRUE(checked(d, Dlg::IDC_INSERT_ND_ON));
            EXPECT_FALSE(enabled(d, Dlg::IDC_INSERT_ND_AUTO));
        })
        .click(IDOK);
    EXPECT_EQ(runDialog(), IDOK);
    EXPECT_EQ(status().getSpeed(), 7);
    EXPECT_DOUBLE_EQ(status().getSyncManualDouble(), 0.5);
    EXPECT_EQ(sim.driver.getInsertNd(), 1);
    EXPECT_EQ(status().getCalibrationMode(), 0);

    runner->when(Dlg::IDD)
        .spin(Dlg::IDC_PARAMETER_SPIN, 1)
        .inspect([](Dialog& d) { EXPECT_EQ(text(d, Dlg::IDC_PARAMETER), "0.500001"); })
        .click(IDOK);
    EXPECT_EQ(runDialog(), IDOK);
    EXPECT_NEAR(status().getSyncManualDouble(), 0.500001, 1e-12);
    sim.takeSent();
    ASSERT_EQ(sim.driver.setSetupStatus(), 0);
    const auto sent = sim.takeSent();
    EXPECT_NE(std::find(sent.begin(), sent.end(), "SPMS,3,000500001,1"), sent.end());
    EXPECT_EQ(sim.instrument.memory().conditions.integrationUs, 500001);
}

TEST_F(SetupDialog, CountBeyondSixteenIsShownAsSixteenAndSpinsStayInRange) {
    memory.conditions.speedMode = 2;
    memory.conditions.count = 20;
    connect();
    runner->when(Dlg::IDD)
        .inspect([](Dialog& d) {
            EXPECT_EQ(text(d, Dlg::IDC_PARAMETER), "16");
            EXPECT_FALSE(d.findControl(Dlg::IDC_SECONDS)->visible());
        })
        .spin(Dlg::IDC_PARAMETER_SPIN, 1)
        .inspect([](Dialog& d) { EXPECT_EQ(text(d, Dlg::IDC_PARAMETER), "16"); })
        .click(IDOK);
    EXPECT_EQ(runDialog(), IDOK);
    EXPECT_EQ(status().getSpeed(), 14);
    EXPECT_FLOAT_EQ(status().getSyncManualParam(), 16.0f);
}

TEST_F(SetupDialog, SpeedChangeReReadsTheInstrumentAndSetsTheFieldsRange) {
    connect();
    runner->when(Dlg::IDD)
        .inspect([&](Dialog& d) {
            EXPECT_FALSE(enabled(d, Dlg::IDC_PARAMETER));
            EXPECT_FALSE(enabled(d, Dlg::IDC_PARAMETER_SPIN));
            EXPECT_TRUE(enabled(d, Dlg::IDC_INSERT_ND_AUTO));
            // Meanwhile someone sets 1.5 s on the instrument itself.
            memory.conditions.speedMode = 3;
            memory.conditions.integrationUs = 1500000;
            sim.instrument.setMemory(memory);
        })
        .selectData(Dlg::IDC_SPEED, 7)
        .inspect([](Dialog& d) {
            EXPECT_TRUE(enabled(d, Dlg::IDC_PARAMETER));
            EXPECT_EQ(text(d, Dlg::IDC_PARAMETER), "1.500000");
            EXPECT_TRUE(d.findControl(Dlg::IDC_SECONDS)->visible());
        })
        .type(Dlg::IDC_PARAMETER, "0.001")
        .click(IDOK)  // below 0.005 s: refused, the dialog stays
        .answerMessageBox(IDOK)
        .inspect([](Dialog& d) {
            EXPECT_FALSE(d.ended());
            EXPECT_EQ(d.focus(), Dlg::IDC_PARAMETER);
        })
        .click(IDOK)  // still the same text: refused again
        .answerMessageBox(IDOK)
        .type(Dlg::IDC_PARAMETER, "1.25")
        .click(IDOK);
    EXPECT_EQ(runDialog(), IDOK);
    const auto boxes = sim.ui->messageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "0.005000 から 120.000000 までの数値を入力してください。");
    EXPECT_EQ(status().getSpeed(), 7);
    EXPECT_DOUBLE_EQ(status().getSyncManualDouble(), 1.25);
}

TEST_F(OldFirmwareSetupDialog, InternalNdOnlyWithTheManualTimeAndMinusOneOtherwise) {
    connect();
    ASSERT_EQ(sim.driver.getFirmwareLevel(), 100);
    runner->when(Dlg::IDD)
        .inspect([](Dialog& d) {
            EXPECT_FALSE(enabled(d, Dlg::IDC_INSERT_ND_OFF));
            EXPECT_FALSE(enabled(d, Dlg::IDC_INSERT_ND_ON));
            EXPECT_FALSE(d.findControl(Dlg::IDC_INSERT_ND_AUTO)->visible());
            EXPECT_EQ(itemData(d, Dlg::IDC_SPEED), (std::vector<std::intptr_t>{3, 2, 7, 12}));
        })
        .click(IDOK);
    EXPECT_EQ(runDialog(), IDOK);
    EXPECT_EQ(sim.driver.getInsertNd(), -1);
    EXPECT_EQ(status().getInsertNd(), -1);

    runner->when(Dlg::IDD)
        .selectData(Dlg::IDC_SPEED, 7)
        .inspect([](Dialog& d) {
            EXPECT_TRUE(enabled(d, Dlg::IDC_INSERT_ND_OFF));
            EXPECT_TRUE(checked(d, Dlg::IDC_INSERT_ND_ON));  // none before: not "off"
        })
        .click(Dlg::IDC_INSERT_ND_OFF)
        .click(IDOK);
    EXPECT_EQ(runDialog(), IDOK);
    EXPECT_EQ(sim.driver.getInsertNd(), 0);
}

TEST_F(SetupDialog, CommaDecimalFrequencyIsReadInHundredthsAndRangeChecked) {
    platform::ui::setUserDecimalSeparator(',');
    memory.conditions.syncMode = 1;
    memory.conditions.syncCentiHz = 6000;
    connect();
    long long held = 0;
    runner->when(Dlg::IDD)
        .inspect([](Dialog& d) {
            EXPECT_EQ(text(d, Dlg::IDC_FREQUENCY), "60,00");
            EXPECT_TRUE(enabled(d, Dlg::IDC_FREQUENCY_SPIN));
        })
        .type(Dlg::IDC_FREQUENCY, "1,5")
        .inspect([&](Dialog& d) { held = static_cast<Dlg&>(d).frequencyHundredths(); })
        .click(IDOK)
        .answerMessageBox(IDOK)
        .inspect([](Dialog& d) {
            EXPECT_FALSE(d.ended());
            EXPECT_EQ(d.focus(), Dlg::IDC_FREQUENCY);
        })
        .type(Dlg::IDC_FREQUENCY, "199,99")
        .spin(Dlg::IDC_FREQUENCY_SPIN, 5)  // clamped at 200,00
        .click(IDOK);
    EXPECT_EQ(runDialog(), IDOK);
    EXPECT_EQ(held, 150);
    ASSERT_EQ(sim.ui->messageBoxes().size(), 1u);
    EXPECT_EQ(sim.ui->messageBoxes()[0].text, "20,00 から 200,00 までの数値を入力してください。");
    EXPECT_EQ(sim.ui->messageBoxes()[0].icon, platform::MessageBoxIcon::Exclamation);
    EXPECT_FLOAT_EQ(status().getSyncInternalParam(), 200.0f);

    // Without internal sync the frequency is neither editable nor checked nor written.
    runner->when(Dlg::IDD)
        .selectData(Dlg::IDC_SYNC, 8)
        .inspect([](Dialog& d) { EXPECT_FALSE(enabled(d, Dlg::IDC_FREQUENCY)); })
        .key(platform::ui::Key::Enter);
    EXPECT_EQ(runDialog(), IDOK);
    EXPECT_EQ(status().getSync(), 8);
    EXPECT_FLOAT_EQ(status().getSyncInternalParam(), 200.0f);
}

TEST_F(SetupDialog, LensChangeIsAskedAndCancelWritesNothing) {
    memory.lensTables[memory.measuringAngle] = unitTable();
    connect();
    const SetupStatus before = status();
    runner->when(Dlg::IDD)
        .selectData(Dlg::IDC_LENS, 11)
        .selectData(Dlg::IDC_SPEED, 2)
        .click(IDOK)
        .answerMessageBox(IDCANCEL)  // "no": the dialog stays
        .inspect([](Dialog& d) { EXPECT_FALSE(d.ended()); })
        .key(platform::ui::Key::Escape);
    EXPECT_EQ(runDialog(), IDCANCEL);
    ASSERT_EQ(sim.ui->messageBoxes().size(), 1u);
    EXPECT_EQ(sim.ui->messageBoxes()[0].text, "レンズの設定を変更します。よろしいですか？ ");
    EXPECT_EQ(status().getLens(), before.getLens());
    EXPECT_EQ(status().getSpeed(), before.getSpeed());

    runner->when(Dlg::IDD).selectData(Dlg::IDC_LENS, 11).click(IDOK).answerMessageBox(IDOK);
    EXPECT_EQ(runDialog(), IDOK);
    EXPECT_EQ(status().getLens(), 11);
}

TEST_F(SetupDialog, SetupInstrumentWritesWhatTheUserConfirmed) {
    connect();
    runner->when(Dlg::IDD)
        .selectData(Dlg::IDC_SPEED, 7)
        .type(Dlg::IDC_PARAMETER, "0.25")
        .selectData(Dlg::IDC_SYNC, 3)
        .type(Dlg::IDC_FREQUENCY, "50")
        .click(IDOK);
    EXPECT_EQ(sim.driver.setupInstrument(), 0);
    const rx9100sim::Conditions held = sim.instrument.memory().conditions;
    EXPECT_EQ(held.speedMode, 3);
    EXPECT_EQ(held.integrationUs, 250000);
    EXPECT_EQ(held.syncMode, 1);
    EXPECT_EQ(held.syncCentiHz, 5000);
}

TEST_F(SetupDialog, SetupInstrumentRestoresTheKeptConditionsWhenWritingFails) {
    connect();
    const SetupStatus before = status();
    const int insertNdBefore = sim.driver.getInsertNd();
    sim.instrument.injectFault(*rx9100sim::Fault::parse("SPMS:error:30"));
    runner->when(Dlg::IDD)
        .selectData(Dlg::IDC_SPEED, 7)
        .selectData(Dlg::IDC_SYNC, 2)
        .click(Dlg::IDC_INSERT_ND_ON)
        .click(IDOK);
    EXPECT_EQ(sim.driver.setupInstrument(), 10);
    EXPECT_EQ(status().getSpeed(), before.getSpeed());
    EXPECT_EQ(status().getSync(), before.getSync());
    EXPECT_EQ(status().getInsertNd(), before.getInsertNd());
    EXPECT_EQ(status().getSyncManualDouble(), before.getSyncManualDouble());
    EXPECT_EQ(status().getCalibrationMode(), before.getCalibrationMode());
    EXPECT_EQ(sim.driver.getInsertNd(), insertNdBefore);
    const auto sent = sim.takeSent();
    EXPECT_TRUE(std::any_of(sent.begin(), sent.end(),
                            [](const std::string& s) { return s.starts_with("SPMS"); }));
    EXPECT_FALSE(std::any_of(sent.begin(), sent.end(),
                             [](const std::string& s) { return s.starts_with("SCMS"); }));
}

TEST_F(SetupDialog, SetupInstrumentCancelledSendsNoWrite) {
    connect();
    runner->when(Dlg::IDD).selectData(Dlg::IDC_SPEED, 7).click(IDCANCEL);
    EXPECT_EQ(sim.driver.setupInstrument(), 0);
    for (const std::string& line : sim.takeSent()) {
        for (const char* write : {"SPMS", "SCMS", "LNSS", "NDFS", "UCCS", "ALFS", "NFCS"}) {
            EXPECT_FALSE(line.starts_with(write)) << line;
        }
    }
    EXPECT_EQ(sim.instrument.memory().conditions, memory.conditions);
}

TEST_F(SetupDialog, SetupInstrumentStopsWhenTheConditionsCannotBeRead) {
    connect();
    sim.instrument.injectFault(*rx9100sim::Fault::parse("LNSR:error:30"));
    EXPECT_EQ(sim.driver.setupInstrument(), 10);  // no dialog: the runner has no scene
}
