#include "whitecal/CWhiteCalibrationDlg.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/ui/ScriptedDialogRunner.h"
#include "resources/StringTable.h"
#include "simulator/Fault.h"
#include "support/SimulatedDriver.h"
#include "whitecal/CWhiteMeasureDlg.h"

namespace {

namespace fs = std::filesystem;
using platform::IDCANCEL;
using platform::IDOK;
using platform::ui::Dialog;
using Dlg = CWhiteCalibrationDlg;

// Each test keeps its settings and its white files in a folder of its own.
struct PrivateFolder {
    PrivateFolder() : previous(RegistryStore::storeFolder()) {
        std::string pattern = fs::temp_directory_path() / "rx9100-white-XXXXXX";
        path = mkdtemp(pattern.data());
        RegistryStore::setStoreFolder(path);
    }
    ~PrivateFolder() {
        RegistryStore::setStoreFolder(previous);
        fs::remove_all(path);
    }
    std::string previous;
    std::string path;
};

class WhiteCalibration : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::ui::setDialogRunner(runner);
        sim.driver.setErrorVisible(false);
        sim.instrument.setMeasuringTiming({1.0, 0.02});
        ASSERT_EQ(sim.driver.connect(), 0);
    }
    void TearDown() override {
        platform::ui::setDialogRunner(nullptr);
        EXPECT_EQ(runner->problems(), std::vector<std::string>{});
    }

    std::string writeWhite(const std::string& name, double value) {
        const std::string file = folder.path + "/" + name;
        std::ofstream out(file);
        for (int i = 0; i < 401; ++i) {
            out << value << "\n";
        }
        return file;
    }
    std::vector<std::string> boxTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : sim.ui->messageBoxes()) {
            texts.push_back(box.text);
        }
        return texts;
    }
    std::vector<double> measure() {
        std::vector<MeasuringData> out;
        EXPECT_EQ(sim.driver.doMeasurement(out, nullptr), 0);
        return out.empty() ? std::vector<double>{} : out.front().getData();
    }
    static bool enabled(Dialog& d, int id) { return d.findControl(id)->enabled(); }

    PrivateFolder folder;
    SimulatedDriver sim;
    std::shared_ptr<platform::ui::ScriptedDialogRunner> runner =
        std::make_shared<platform::ui::ScriptedDialogRunner>(sim.ui);
};

TEST_F(WhiteCalibration, ReflectanceIsRefusedUntilCalibratedThenReferredToTheStandardsValues) {
    sim.instrument.setMeasuringAngle(1);
    sim.driver.setMeasurementType(1);
    std::vector<MeasuringData> out;
    EXPECT_EQ(sim.driver.doMeasurement(out, nullptr), 10);
    EXPECT_EQ(sim.driver.getInstrumentState()->getErrorCode(), 42);
    EXPECT_EQ(sim.driver.getInstrumentState()->getErrorMessage(), resources::loadString(20815));

    const std::string standard = writeWhite("tile.wcb", 0.5);
    runner->when(Dlg::IDD)
        .inspect([](Dialog& d) {
            EXPECT_EQ(d.title(), "白色校正");
            EXPECT_FALSE(enabled(d, Dlg::IDC_METHOD));
            EXPECT_EQ(d.combo(Dlg::IDC_METHOD).selectedData(), 1);
            EXPECT_FALSE(enabled(d, IDOK));  // no standard file yet
            EXPECT_FALSE(enabled(d, Dlg::IDC_LOAD_USER));
        })
        .click(Dlg::IDC_CHANGE)
        .answerFileChooser(standard)
        .inspect([](Dialog& d) {
            EXPECT_EQ(d.edit(Dlg::IDC_STANDARD_NAME).text(), "tile.wcb");
            EXPECT_EQ(d.edit(Dlg::IDC_STANDARD_NAME).toolTip(), "tile.wcb");
            EXPECT_TRUE(enabled(d, IDOK));
            EXPECT_TRUE(enabled(d, Dlg::IDC_LOAD_USER));
            EXPECT_FALSE(enabled(d, Dlg::IDC_USE_USER));  // no user file
            EXPECT_FALSE(enabled(d, Dlg::IDC_ERASE_USER));
        })
        .click(IDOK)
        .answerMessageBox(IDOK);
    EXPECT_EQ(sim.driver.doWhiteCalibration(), IDOK);
    EXPECT_FALSE(sim.driver.getDoWhiteCalb());

    const auto chooser = sim.ui->fileChoosers().at(0);
    EXPECT_EQ(chooser.filter, "*.wcb|*.wcb||");
    EXPECT_EQ(chooser.defaultExtension, "wcb");
    EXPECT_EQ(boxTexts(), std::vector<std::string>{resources::loadString(20655)});
    EXPECT_EQ(sim.ui->messageBoxes()[0].buttons, platform::MessageBoxButtons::OkCancel);

    // The standard is kept as a copy in the instrument's folder, and remembered.
    const std::string copy = folder.path + "/RX9100/tile.wcb";
    EXPECT_TRUE(fs::exists(copy));
    EXPECT_EQ(sim.driver.GetWhiteCalibrationPathStdFromReg(), copy);
    EXPECT_EQ(sim.driver.GetWhiteCalibrationUserOnFromReg(), 0);
    EXPECT_EQ(TavoRX9100().GetWhiteCalibrationPathStdFromReg(), copy);

    // Only angle 1 of the reflectance group is calibrated.
    EXPECT_TRUE(sim.driver.whiteCalibrationRef(1)->valid);
    EXPECT_DOUBLE_EQ(sim.driver.whiteCalibrationRef(1)->standardData[7], 0.5);
    for (int angle : {0, 2}) {
        EXPECT_FALSE(sim.driver.whiteCalibrationRef(angle)->valid);
        EXPECT_EQ(sim.driver.whiteCalibrationRef(angle)->coefficient,
                  std::vector<double>(401, 1.0));
    }
    EXPECT_FALSE(sim.driver.whiteCalibrationTra(1)->valid);

    // The same white measured again is 50 % of a standard that reflects half.
    const std::vector<double> values = measure();
    ASSERT_EQ(values.size(), 401u);
    for (double v : values) {
        EXPECT_NEAR(v, 50.0, 1e-6);
    }
}

TEST_F(WhiteCalibration, TransmittanceKeepsTheUserFileOutAndDividesByTheMeasurementAlone) {
    sim.driver.setMeasurementType(2);
    std::string stored = writeWhite("glass.wcb", 0.8);
    std::string user = writeWhite("user.wcb", 0.9);
    sim.driver.SetWhiteCalibrationPathUserToReg(user);
    sim.driver.SetWhiteCalirationPathStdToReg(stored);
    sim.driver.SetWhiteCalibrationUserOnToReg(1);
    runner->when(Dlg::IDD)
        .inspect([&](Dialog& d) {
            EXPECT_EQ(d.combo(Dlg::IDC_METHOD).selectedData(), 2);
            EXPECT_FALSE(d.checkBox(Dlg::IDC_USE_USER).checked());
            EXPECT_EQ(d.edit(Dlg::IDC_USER_PATH).text(), "");
            for (int id : {Dlg::IDC_USER_GROUP, Dlg::IDC_USE_USER, Dlg::IDC_ERASE_USER,
                           Dlg::IDC_LOAD_USER}) {
                EXPECT_FALSE(enabled(d, id)) << id;
            }
            fs::remove(stored);  // not read when calibrating
        })
        .click(IDOK)
        .answerMessageBox(IDOK);
    EXPECT_EQ(sim.driver.doWhiteCalibration(), IDOK);
    EXPECT_EQ(sim.driver.GetWhiteCalibrationUserOnFromReg(), 0);
    const WhiteCalibrationData& record = *sim.driver.whiteCalibrationTra(0);
    ASSERT_TRUE(record.valid);
    sim.driver.setMeasurementType(3);
    const std::vector<double> raw = measure();
    EXPECT_EQ(record.coefficient, raw);
}

TEST_F(WhiteCalibration, AUserFileReplacesTheStandardWhenCheckedAndErasingForgetsIt) {
    sim.driver.setMeasurementType(1);
    std::string standard = writeWhite("std.wcb", 1.0);
    sim.driver.SetWhiteCalirationPathStdToReg(standard);
    const std::string user = writeWhite("user.wcb", 0.25);
    runner->when(Dlg::IDD)
        .inspect([](Dialog& d) {
            EXPECT_EQ(d.edit(Dlg::IDC_STANDARD_NAME).text(), "std.wcb");
            EXPECT_TRUE(enabled(d, Dlg::IDC_LOAD_USER));
            EXPECT_FALSE(enabled(d, Dlg::IDC_USE_USER));
        })
        .click(Dlg::IDC_LOAD_USER)
        .answerFileChooser(user)
        .inspect([&](Dialog& d) {
            EXPECT_EQ(d.edit(Dlg::IDC_USER_PATH).text(), user);
            EXPECT_EQ(d.edit(Dlg::IDC_USER_PATH).toolTip(), user);
            EXPECT_TRUE(enabled(d, Dlg::IDC_USE_USER));
            EXPECT_TRUE(enabled(d, Dlg::IDC_ERASE_USER));
        })
        .click(Dlg::IDC_USE_USER)
        .click(IDOK)
        .answerMessageBox(IDOK);
    EXPECT_EQ(sim.driver.doWhiteCalibration(), IDOK);
    EXPECT_EQ(sim.driver.GetWhiteCalibrationPathUserFromReg(), user);
    EXPECT_EQ(sim.driver.GetWhiteCalibrationUserOnFromReg(), 1);
    EXPECT_DOUBLE_EQ(sim.driver.whiteCalibrationRef(0)->standardData[0], 0.25);
    EXPECT_NEAR(measure()[100], 25.0, 1e-6);

    runner->when(Dlg::IDD)
        .inspect([](Dialog& d) { EXPECT_TRUE(d.checkBox(Dlg::IDC_USE_USER).checked()); })
        .click(Dlg::IDC_ERASE_USER)
        .inspect([](Dialog& d) {
            EXPECT_EQ(d.edit(Dlg::IDC_USER_PATH).text(), "");
            EXPECT_FALSE(d.checkBox(Dlg::IDC_USE_USER).checked());
            EXPECT_FALSE(enabled(d, Dlg::IDC_USE_USER));
            EXPECT_FALSE(enabled(d, Dlg::IDC_ERASE_USER));
            EXPECT_TRUE(enabled(d, IDOK));
        })
        .click(IDCANCEL);
    EXPECT_EQ(sim.driver.doWhiteCalibration(), IDCANCEL);
    EXPECT_EQ(sim.driver.GetWhiteCalibrationUserOnFromReg(), 1);  // cancelled: still stored
}

TEST_F(WhiteCalibration, RememberedFilesThatAreGoneOrBadAreForgottenWithTheirMessages) {
    sim.driver.setMeasurementType(1);
    std::string gone = folder.path + "/gone.wcb";
    std::string bad = writeWhite("bad.wcb", 3.0);
    sim.driver.SetWhiteCalirationPathStdToReg(gone);
    sim.driver.SetWhiteCalibrationPathUserToReg(bad);
    sim.driver.SetWhiteCalibrationUserOnToReg(1);
    runner->when(Dlg::IDD)
        .inspect([](Dialog& d) {
            EXPECT_EQ(d.edit(Dlg::IDC_STANDARD_NAME).text(), "");
            EXPECT_EQ(d.edit(Dlg::IDC_USER_PATH).text(), "");
            EXPECT_FALSE(d.checkBox(Dlg::IDC_USE_USER).checked());
            EXPECT_FALSE(enabled(d, IDOK));
            EXPECT_FALSE(enabled(d, Dlg::IDC_LOAD_USER));
        })
        .click(IDCANCEL);
    EXPECT_EQ(sim.driver.doWhiteCalibration(), IDCANCEL);
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{
                              resources::loadString(20811), resources::loadString(20803),
                              resources::loadString(20809), resources::loadString(20804)}));
    TavoRX9100 next;  // what the store holds now
    EXPECT_EQ(next.GetWhiteCalibrationPathStdFromReg(), "");
    EXPECT_EQ(next.GetWhiteCalibrationPathUserFromReg(), "");
    EXPECT_EQ(next.GetWhiteCalibrationUserOnFromReg(), 0);
}

TEST_F(WhiteCalibration, CancellingTheQuestionChangesNothingNotEvenTheSettings) {
    sim.driver.setMeasurementType(1);
    WhiteCalibrationData& record = *sim.driver.whiteCalibrationRef(0);
    record.valid = true;
    record.coefficient.assign(401, 3.0);
    const std::string standard = writeWhite("tile.wcb", 1.0);
    (void)sim.takeSent();
    runner->when(Dlg::IDD)
        .click(Dlg::IDC_CHANGE)
        .answerFileChooser(standard)
        .click(IDOK)
        .answerMessageBox(IDCANCEL)
        .inspect([](Dialog& d) { EXPECT_FALSE(d.ended()); })
        .click(IDCANCEL);
    EXPECT_EQ(sim.driver.doWhiteCalibration(), IDCANCEL);
    EXPECT_EQ(sim.driver.GetWhiteCalibrationPathStdFromReg(), "");
    EXPECT_EQ(TavoRX9100().GetWhiteCalibrationPathStdFromReg(), "");
    EXPECT_TRUE(record.valid);
    EXPECT_EQ(record.coefficient, std::vector<double>(401, 3.0));
    const auto sent = sim.takeSent();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "MEAS,1"), 0);
}

TEST_F(WhiteCalibration, FailedAttemptsKeepTheDialogOpenAndOnlyAFailedMeasurementRestoresValid) {
    sim.driver.setMeasurementType(1);
    std::string standard = writeWhite("tile.wcb", 1.0);
    sim.driver.SetWhiteCalirationPathStdToReg(standard);
    WhiteCalibrationData& record = *sim.driver.whiteCalibrationRef(0);
    record.valid = true;

    // A refused measurement: the previous calibration stays in force.
    sim.instrument.injectFault(*rx9100sim::Fault::parse("MEAS,1:error:12"));
    // A measured white that is dark at 780 nm: no coefficients, and none in force.
    sim.instrument.injectFault(*rx9100sim::Fault::parse("MEDR,1,1,4:value:100:00000000"));
    runner->when(Dlg::IDD)
        .click(IDOK)
        .answerMessageBox(IDOK)
        .inspect([&](Dialog& d) {
            EXPECT_FALSE(d.ended());
            EXPECT_TRUE(record.valid);
        })
        .click(IDOK)
        .answerMessageBox(IDOK)
        .inspect([&](Dialog& d) {
            EXPECT_FALSE(d.ended());
            EXPECT_FALSE(record.valid);
        })
        .click(IDCANCEL);
    EXPECT_EQ(sim.driver.doWhiteCalibration(), IDCANCEL);
    const auto texts = boxTexts();
    EXPECT_EQ(texts.back(), resources::loadString(20658));
    EXPECT_FALSE(record.valid);

    // A lost instrument ends the dialog with -10.
    record.valid = true;
    sim.instrument.injectFault(*rx9100sim::Fault::parse("MEAS,1:silent"));
    runner->when(Dlg::IDD).click(IDOK).answerMessageBox(IDOK);
    EXPECT_EQ(sim.driver.doWhiteCalibration(), -10);
    EXPECT_FALSE(record.valid);
}

TEST_F(WhiteCalibration, TheMeasuringDialogShowsProgressAndItsCancelStopsTheMeasurement) {
    sim.instrument.setMeasuringTiming({1.0, 0.5});
    runner->when(1901).atPump(3).inspect([](Dialog& d) {
        EXPECT_EQ(d.staticText(1902).text(), "0.50");
        EXPECT_EQ(d.progress(1903).high(), 50);
        d.userClick(IDCANCEL);
    });
    CUserMeasureDlg dlg(sim.driver);
    EXPECT_EQ(dlg.doModal(), 10);
    EXPECT_TRUE(dlg.records.empty());
    const auto sent = sim.takeSent();
    EXPECT_NE(std::find(sent.begin(), sent.end(), "MEAS,0"), sent.end());

    CWhiteMeasureDlg white(sim.driver);
    EXPECT_EQ(white.doModal(), 0);
    ASSERT_EQ(white.records.size(), 1u);
    EXPECT_EQ(white.records[0].getData().size(), 401u);
}

}  // namespace
