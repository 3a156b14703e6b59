// Writing a reference colour through its dialog, against the simulated instrument.
#include "transfer/CDownloadTargetDlg.h"

#include <gtest/gtest.h>

#include "platform/ui/ScriptedDialogRunner.h"
#include "resources/StringTable.h"
#include "support/SimulatedDriver.h"

namespace {

using platform::IDCANCEL;
using platform::IDOK;
using platform::ui::Dialog;
using Dlg = CDownloadTargetDlg;

class DownloadTarget : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::ui::setDialogRunner(runner);
        sim.driver.setErrorVisible(false);
        sim.instrument.fillStoredData(6);  // targets 1 to 6
        sim.driver.getRegistry().writeInt("Common", "ColorSpace", 1300);
        ASSERT_EQ(sim.driver.connect(), 0);
        StoredRecords samples;
        ASSERT_EQ(sim.driver.readStoredRecords(false, true, samples, {}), 0);
        spectral = samples.records.at(1);
        spectral.name = "D65 ref";
        sim.takeSent();
    }
    void TearDown() override {
        platform::ui::setDialogRunner(nullptr);
        EXPECT_EQ(runner->problems(), std::vector<std::string>{});
    }
    static DataPack colour(double lv, double x, double y) {
        DataPack pack;
        pack.format.setType(DataFormat::kColorimetric, 3);
        MeasuringData values;
        values.getData() = {lv, x, y};
        pack.data.push_back(values);
        return pack;
    }
    std::vector<std::string> writes() {
        auto sent = sim.takeSent();
        std::erase_if(sent, [](const std::string& l) { return !l.starts_with("TGDS"); });
        return sent;
    }

    SimulatedDriver sim;
    std::shared_ptr<platform::ui::ScriptedDialogRunner> runner =
        std::make_shared<platform::ui::ScriptedDialogRunner>(sim.ui);
    DataPack spectral;
};

TEST_F(DownloadTarget, SpectralReferenceToAnEmptyNumberWrites401PointsThenTheName) {
    runner->when(Dlg::IDD)
        .inspect([](Dialog& d) {
            EXPECT_EQ(d.title(), "基準色書き込み[D65 ref]");
            EXPECT_EQ(d.staticText(Dlg::IDC_REFERENCE_1).text(), "120.01");
            EXPECT_EQ(d.staticText(Dlg::IDC_STORED_1).text(), "18.50");  // target 1 now
        })
        .spin(Dlg::IDC_TARGET_SPIN, 8)
        .inspect([](Dialog& d) {
            EXPECT_EQ(d.numericEdit(Dlg::IDC_TARGET_NUMBER).text(), "9");
            EXPECT_EQ(d.staticText(Dlg::IDC_STORED_1).text(), "------");
        })
        .type(Dlg::IDC_NAME, "Daylight65")
        .click(IDOK);
    EXPECT_EQ(sim.driver.downloadTargetData(spectral), 0);
    EXPECT_TRUE(sim.ui->messageBoxes().empty());  // an empty number asks nothing
    const auto sent = writes();
    ASSERT_EQ(sent.size(), 402u);
    EXPECT_TRUE(sent[0].starts_with("TGDS,1,0,09,000,"));
    EXPECT_TRUE(sent[400].starts_with("TGDS,1,0,09,400,"));
    EXPECT_EQ(sent[401], "TGDS,0,3,09,Daylight65");
}

TEST_F(DownloadTarget, OverwritingAsksFirstAndTheNameCannotExceedTenCharacters) {
    runner->when(Dlg::IDD)
        .type(Dlg::IDC_TARGET_NUMBER, "4")
        .inspect([](Dialog& d) {
            EXPECT_NE(d.staticText(Dlg::IDC_STORED_1).text(), "------");
            EXPECT_EQ(d.edit(Dlg::IDC_NAME).maxLength(), 10);
        })
        .click(IDOK)
        .answerMessageBox(IDCANCEL)
        .inspect([](Dialog& d) { EXPECT_FALSE(d.ended()); })
        .click(IDCANCEL);
    sim.driver.setApplicationObserver(10);
    DataPack reference = colour(85.5, 0.4476, 0.4074);
    EXPECT_EQ(sim.driver.downloadTargetData(reference), 0);
    EXPECT_EQ(sim.ui->messageBoxes().at(0).text, resources::loadString(20800));
    EXPECT_TRUE(writes().empty());

    runner->when(Dlg::IDD).type(Dlg::IDC_TARGET_NUMBER, "4").click(IDOK).answerMessageBox(IDOK);
    EXPECT_EQ(sim.driver.downloadTargetData(reference), 0);
    EXPECT_EQ(writes(),
              (std::vector<std::string>{"TGDS,0,1,04,11,   85.50,0.4476,0.4074", "TGDS,0,3,04,"}));
}

TEST_F(DownloadTarget, ValuesTooLargeAreRefusedWithoutADialog) {
    DataPack reference = colour(1000000.0, 0.3, 0.3);
    EXPECT_EQ(sim.driver.downloadTargetData(reference), 10);
    EXPECT_EQ(sim.ui->messageBoxes().at(0).text, resources::loadString(16201));
    EXPECT_TRUE(sim.takeSent().empty());
}

TEST_F(DownloadTarget, FailingPointKeepsTheDialogOpen) {
    sim.instrument.injectFault(*rx9100sim::Fault::parse("TGDS,1,0,02,010:error:13"));
    runner->when(Dlg::IDD)
        .type(Dlg::IDC_TARGET_NUMBER, "2")
        .click(IDOK)
        .answerMessageBox(IDOK)
        .inspect([](Dialog& d) { EXPECT_FALSE(d.ended()); })
        .click(IDCANCEL);
    EXPECT_EQ(sim.driver.downloadTargetData(spectral), 0);
    EXPECT_EQ(writes().size(), 11u);  // points 000 to 010, no name
}

}  // namespace
