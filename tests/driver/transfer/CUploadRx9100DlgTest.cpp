// The import dialog and the deletion through the driver's own dialogs, against the
// simulated instrument.
#include "transfer/CUploadRx9100Dlg.h"

#include <gtest/gtest.h>

#include <cfloat>

#include "platform/ui/ScriptedDialogRunner.h"
#include "resources/StringTable.h"
#include "support/SimulatedDriver.h"
#include "transfer/StoredDataList.h"

namespace {

using platform::IDCANCEL;
using platform::IDOK;
using platform::ui::Dialog;
using platform::ui::ListView;
using Dlg = CUploadRx9100Dlg;

class Upload : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::ui::setDialogRunner(runner);
        sim.driver.setErrorVisible(false);
        sim.instrument.fillStoredData(12);
        sim.driver.getRegistry().writeInt("Common", "ColorSpace", 1300);  // the settings are shared
        ASSERT_EQ(sim.driver.connect(), 0);
        sim.takeSent();
    }
    void TearDown() override {
        platform::ui::setDialogRunner(nullptr);
        EXPECT_EQ(runner->problems(), std::vector<std::string>{});
    }
    std::vector<std::string> boxTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : sim.ui->messageBoxes()) {
            texts.push_back(box.text);
        }
        return texts;
    }
    static ListView& listOf(Dialog& d) { return d.list(Dlg::IDC_LIST); }

    SimulatedDriver sim;
    std::shared_ptr<platform::ui::ScriptedDialogRunner> runner =
        std::make_shared<platform::ui::ScriptedDialogRunner>(sim.ui);
};

TEST_F(Upload, TargetsAreListedOnceEachAndTheCheckedOnesHandedOver) {
    runner->when(Dlg::IDD)
        .inspect([](Dialog& d) {
            EXPECT_EQ(d.title(), "基準データ取り込み");
            ListView& view = listOf(d);
            ASSERT_EQ(view.columnCount(), 12);
            EXPECT_EQ(view.column(1).title, "データの種類");
            EXPECT_EQ(view.column(2).title, "Lv");
            EXPECT_EQ(view.column(11).width, 120);
            EXPECT_TRUE(view.checkBoxes());
            EXPECT_EQ(view.backgroundColor(), 0xC0C0C0u);
            ASSERT_EQ(view.rowCount(), 12);
            // Target 3 is kept as colour values only: one colorimetric row, no time.
            EXPECT_EQ(view.cell(2, 0), "3");
            EXPECT_EQ(view.cell(2, 1), "色彩値");
            EXPECT_EQ(view.cell(2, 2), "3.20");
            EXPECT_EQ(view.cell(2, 3), "0.1552");
            EXPECT_EQ(view.cell(2, 9), "------");
            EXPECT_EQ(view.cell(0, 1), "分光データ");
            EXPECT_EQ(view.cell(0, 5), "LCD B");
        })
        .checkRow(Dlg::IDC_LIST, 0)
        .checkRow(Dlg::IDC_LIST, 2)
        .click(IDOK);
    std::vector<DataPack> targets(3);  // emptied before the result is copied in
    ASSERT_EQ(sim.driver.uploadTargetData(targets, nullptr, nullptr), 0);
    ASSERT_EQ(targets.size(), 2u);
    EXPECT_EQ(targets[0].targetNumber, 1);
    EXPECT_EQ(targets[0].format.getType(), DataFormat::kSpectral);
    EXPECT_EQ(targets[1].targetNumber, 3);
    EXPECT_EQ(targets[1].format.getType(), DataFormat::kColorimetric);
    // Twenty headers, and no second read of a spectral target as colour values.
    const auto sent = sim.takeSent();
    EXPECT_EQ(std::count_if(sent.begin(), sent.end(),
                            [](const auto& l) { return l.ends_with(",0,0,001"); }),
              20);
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "TGDR,01,2,0,01"), 0);
}

TEST_F(Upload, EmptyTargetNumbersShowNoMessagesAndLeaveNoError) {
    sim.driver.setErrorVisible(true);
    runner->when(Dlg::IDD).click(IDCANCEL);
    std::vector<DataPack> targets;
    EXPECT_EQ(sim.driver.uploadTargetData(targets, nullptr, nullptr), 0);
    EXPECT_TRUE(sim.ui->messageBoxes().empty());  // eight empty numbers, no "ER20" boxes
    EXPECT_EQ(sim.driver.getInstrumentState()->getErrorCode(), 200);
    EXPECT_EQ(sim.driver.getInstrumentState()->getErrorMessage(), "エラーなし");
}

TEST_F(Upload, ColourSpaceChangesTheColumnsAndIsStoredOnOk) {
    runner->when(Dlg::IDD)
        .selectData(Dlg::IDC_COLOR_SPACE, 1500)
        .inspect([this](Dialog& d) {
            ListView& view = listOf(d);
            EXPECT_EQ(view.column(1).title, "Lv");
            EXPECT_EQ(view.column(2).title, "u'");
            EXPECT_EQ(view.column(3).title, "v'");
            EXPECT_EQ(view.columnCount(), 10);
            // The cells hold items 11301, 11502 and 11503 of the colour library.
            StoredRecords read;
            ASSERT_EQ(sim.driver.readStoredRecords(false, true, read, {}), 0);
            const auto texts = transfer::colourTexts(
                transfer::colourValues(read.records.at(0), 2, 1500, false), 1500);
            EXPECT_EQ(view.cell(0, 2), texts[1]);
            EXPECT_EQ(view.cell(0, 3), texts[2]);
            EXPECT_NE(view.cell(0, 2),
                      transfer::colourTexts(
                          transfer::colourValues(read.records.at(0), 2, 1300, false), 1300)[1]);
        })
        .click(Dlg::IDC_SELECT_ALL)
        .click(IDOK);
    std::vector<DataPack> first(2), samples;
    ASSERT_EQ(sim.driver.uploadSampleData(first, samples, nullptr, nullptr), 0);
    EXPECT_TRUE(first.empty());
    EXPECT_EQ(samples.size(), 12u);
    EXPECT_EQ(sim.driver.getRegistry().readInt("Common", "ColorSpace", 0), 1500);
}

TEST_F(Upload, OkWithoutACheckedRowAsksAgainAndCancelLeavesTheHostsVector) {
    runner->when(Dlg::IDD)
        .click(Dlg::IDC_SELECT_ALL)
        .click(Dlg::IDC_CLEAR_ALL)
        .click(IDOK)
        .inspect([](Dialog& d) { EXPECT_FALSE(d.ended()); })
        .click(IDCANCEL);
    std::vector<DataPack> targets(1);
    EXPECT_EQ(sim.driver.uploadTargetData(targets, nullptr, nullptr), 0);
    EXPECT_EQ(targets.size(), 1u);
    EXPECT_EQ(boxTexts(), std::vector<std::string>{resources::loadString(20783)});
}

TEST_F(Upload, CancelInTheProgressWindowEndsWith10) {
    runner->when(7001).atPump(4).click(IDCANCEL);
    std::vector<DataPack> first, samples;
    EXPECT_EQ(sim.driver.uploadSampleData(first, samples, nullptr, nullptr), 10);
    const auto sent = sim.takeSent();
    EXPECT_LT(std::count_if(sent.begin(), sent.end(),
                            [](const auto& l) { return l.ends_with(",0,0,001"); }),
              10);
}

TEST_F(Upload, NothingStoredShowsItsMessageAndClearsTheNoDataError) {
    sim.instrument.fillStoredData(0);
    std::vector<DataPack> first, samples;
    EXPECT_EQ(sim.driver.uploadSampleData(first, samples, nullptr, nullptr), 0);
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"データが存在しません"});
    EXPECT_EQ(sim.driver.getInstrumentState()->getErrorCode(), 150);
}

TEST_F(Upload, FailedReadEndsWithMinus10AfterTheRecordsSoFar) {
    sim.instrument.injectFault(*rx9100sim::Fault::parse("STDR,03,0,0,001:error:13"));
    std::vector<DataPack> first, samples;
    EXPECT_EQ(sim.driver.uploadSampleData(first, samples, nullptr, nullptr), -10);
    EXPECT_TRUE(samples.empty());
}

TEST_F(Upload, RecordsWithValuesThatAreNotFiniteAreNamedAndLeftOut) {
    sim.instrument.injectFault(*rx9100sim::Fault::parse("STDR,04,1,1,3:nan:1"));
    sim.instrument.injectFault(*rx9100sim::Fault::parse("STDR,09,1,1,1:nan:2"));
    runner->when(Dlg::IDD)
        .inspect([](Dialog& d) { EXPECT_EQ(listOf(d).rowCount(), 10); })
        .click(IDCANCEL);
    std::vector<DataPack> first, samples;
    EXPECT_EQ(sim.driver.uploadSampleData(first, samples, nullptr, nullptr), 0);
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"不正な測定値データです \n4,9\n"});
}

TEST(StoredDataList, InvalidNumbersBreakAfterTheEleventhAndEveryTenthAfterIt) {
    std::vector<int> twelve;
    for (int n = 0; n < 12; ++n) {
        twelve.push_back(n * 3);
    }
    EXPECT_EQ(transfer::invalidNumbersText(twelve), "0,3,6,9,12,15,18,21,24,27,30\n,33\n");
    EXPECT_EQ(transfer::invalidNumbersText({5}), "5\n");
    std::vector<int> many(22, 1);
    const std::string text = transfer::invalidNumbersText(many);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'),
              3);  // after the 11th, the 21st, at the end
}

TEST(StoredDataList, FootLambertsDivideTheLuminanceOnly) {
    DataPack colour;
    colour.format.setType(DataFormat::kColorimetric, 3);
    MeasuringData values;
    values.getData() = {342.6, 0.3127, 0.329};
    colour.data.push_back(values);
    const auto lvxy = transfer::colourValues(colour, 2, 1300, true);
    EXPECT_EQ(transfer::colourTexts(lvxy, 1300)[0], "100.00");
    EXPECT_EQ(transfer::colourTexts(lvxy, 1300)[1], "0.3127");
    const auto xyz = transfer::colourValues(colour, 2, 1000, true);
    EXPECT_NEAR(xyz[1], 342.6, 1e-9);
    EXPECT_EQ(transfer::valueText(FLT_MAX, "%.2lf"), "------");
    EXPECT_EQ(transfer::integralTimeText(-1.0f), "------");
    EXPECT_EQ(transfer::integralTimeText(0.5f), "0.500(秒)");
}

class Delete : public Upload {};

TEST_F(Delete, CancelInTheChoiceSendsNothing) {
    runner->when(17001).click(IDCANCEL);
    EXPECT_EQ(sim.driver.deleteInstrumentData(), 10);
    EXPECT_TRUE(sim.takeSent().empty());
}

TEST_F(Delete, AllTargetsAfterTheQuestion) {
    runner->when(17001)
        .click(17003)
        .click(IDOK)
        .answerMessageBox(IDCANCEL)
        .click(IDOK)
        .answerMessageBox(IDOK);
    EXPECT_EQ(sim.driver.deleteInstrumentData(), 0);
    EXPECT_EQ(sim.takeSent(), std::vector<std::string>{"TGAD"});
}

TEST_F(Delete, SelectedTargetsInListOrderAfterTheQuestion) {
    runner->when(17001).click(17003).click(17005).click(IDOK);
    runner->when(Dlg::IDD)
        .inspect([](Dialog& d) { EXPECT_EQ(d.title(), "測定器保持データ消去（基準色）"); })
        .checkRow(Dlg::IDC_LIST, 11)
        .checkRow(Dlg::IDC_LIST, 2)
        .click(IDOK)
        .answerMessageBox(IDCANCEL)
        .inspect([](Dialog& d) { EXPECT_FALSE(d.ended()); })
        .click(IDOK)
        .answerMessageBox(IDOK);
    EXPECT_EQ(sim.driver.deleteInstrumentData(), 0);
    auto sent = sim.takeSent();
    std::erase_if(sent, [](const std::string& l) { return !l.starts_with("TGDD"); });
    EXPECT_EQ(sent, (std::vector<std::string>{"TGDD,03", "TGDD,12"}));
    EXPECT_EQ(boxTexts()[0], resources::loadString(20564));
}

TEST_F(Delete, SecondSampleRefusedReturns10AfterDeletingTheFirst) {
    sim.instrument.injectFault(*rx9100sim::Fault::parse("STDD,05:error:20"));
    runner->when(17001).click(17005).click(IDOK);
    runner->when(Dlg::IDD)
        .checkRow(Dlg::IDC_LIST, 2)
        .checkRow(Dlg::IDC_LIST, 5)
        .checkRow(Dlg::IDC_LIST, 7)
        .click(IDOK)
        .answerMessageBox(IDOK);
    EXPECT_EQ(sim.driver.deleteInstrumentData(), 10);
    EXPECT_FALSE(sim.instrument.memory().samples[2]);
    EXPECT_TRUE(sim.instrument.memory().samples[5]);
    EXPECT_TRUE(sim.instrument.memory().samples[7]);
}

}  // namespace
