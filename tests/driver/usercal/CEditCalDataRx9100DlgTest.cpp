// The user calibration editor against the simulated instrument: its enable rules, the
// channel files both ways, the refusals of a file part-way through, erasing, the factor
// tables and their viewers, and the channel put back when the editor closes.
#include "usercal/CEditCalDataRx9100Dlg.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/ui/ScriptedDialogRunner.h"
#include "resources/StringTable.h"
#include "simulator/Spectrum.h"
#include "support/SimulatedDriver.h"
#include "usercal/CCorrDataDlg.h"
#include "usercal/CCorrectLevelDlg.h"
#include "usercal/CCorrectWavelengthDlg.h"
#include "usercal/CEditCalIdDlg.h"
#include "whitecal/CWhiteMeasureDlg.h"

namespace {

namespace fs = std::filesystem;
using platform::IDCANCEL;
using platform::IDOK;
using platform::ui::Dialog;
using Dlg = CEditCalDataRx9100Dlg;
using rx9100sim::identityWavelengthTable;
using rx9100sim::unitTable;

class CalibrationEditor : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = fs::temp_directory_path() / "rx9100-editor-XXXXXX";
        folder = mkdtemp(pattern.data());
        platform::ui::setDialogRunner(runner);
        sim.driver.setErrorVisible(false);
        ASSERT_EQ(sim.driver.connect(), 0);
        memory = sim.instrument.memory();
    }
    void TearDown() override {
        platform::ui::setDialogRunner(nullptr);
        EXPECT_EQ(runner->problems(), std::vector<std::string>{});
        fs::remove_all(folder);
    }
    // The prepared memory goes to the instrument and the conditions are read from it, as
    // a host does before opening the editor.
    void load() {
        sim.instrument.setMemory(memory);
        ASSERT_EQ(sim.driver.checkSetupStatus(), 0);
        sim.takeSent();
    }
    // A channel with a slightly shifted wavelength table and a sloping level table.
    rx9100sim::CalibrationChannel calibrated(const std::string& id) {
        rx9100sim::CalibrationChannel channel;
        channel.wavelength = identityWavelengthTable();
        channel.level = unitTable();
        for (int i = 0; i < 401; ++i) {
            (*channel.wavelength)[i] += 0.375f;
            (*channel.level)[i] = 0.5f + i / 1024.0f;
        }
        channel.id = id;
        return channel;
    }
    std::vector<std::string> sentSince() { return sim.takeSent(); }
    static long count(const std::vector<std::string>& sent, const std::string& prefix) {
        return std::count_if(sent.begin(), sent.end(),
                             [&](const std::string& s) { return s.starts_with(prefix); });
    }
    std::vector<std::string> boxTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : sim.ui->messageBoxes()) {
            texts.push_back(box.text);
        }
        return texts;
    }
    std::string writeUcf(const std::string& name, const UserCalibrationFile& record) {
        const std::string path = folder + "/" + name;
        EXPECT_EQ(usercal::writeUcf(path, record), usercal::FileProblem::None);
        return path;
    }
    static UserCalibrationFile ucf(bool wave, bool level) {
        UserCalibrationFile record;
        record.id = "  FILE";
        record.hasWave = wave;
        record.hasLevel = level;
        for (int i = 0; i < 401; ++i) {
            record.wave[i] = 380.0 + i;
            record.level[i] = 0.75;
        }
        return record;
    }
    std::string writeFactors(const std::string& name, const std::string& header,
                             const std::string& first) {
        const std::string path = folder + "/" + name;
        std::ofstream out(path, std::ios::binary);
        out << header << "\r\n" << first << "\r\n";
        for (int i = 1; i < 401; ++i) {
            out << "0.5000000000\r\n";
        }
        return path;
    }
    static bool enabled(Dialog& d, int id) { return d.findControl(id)->enabled(); }
    int openEditor() { return sim.driver.setupWhiteCalibrationData(); }

    std::string folder;
    SimulatedDriver sim;
    rx9100sim::Memory memory;
    std::shared_ptr<platform::ui::ScriptedDialogRunner> runner =
        std::make_shared<platform::ui::ScriptedDialogRunner>(sim.ui);
};

TEST_F(CalibrationEditor, ListAndEnableRulesFollowTheSelectedRow) {
    memory.channels[2] = calibrated("BOTH");
    memory.channels[3].wavelength = identityWavelengthTable();
    (*memory.channels[3].wavelength)[10] = 390.5f;
    memory.channels[3].id = "WAVE";
    memory.lensTables[0] = unitTable();
    memory.ndTables[0][1] = unitTable();  // filter 2 only
    load();
    runner->when(Dlg::IDD)
        .inspect([](Dialog& d) {
            EXPECT_EQ(d.title(), "ユーザ校正");
            auto& list = d.list(Dlg::IDC_CHANNELS);
            ASSERT_EQ(list.rowCount(), 11);
            EXPECT_EQ(list.column(2).title, "波長");
            EXPECT_EQ(list.column(0).width, 30);
            EXPECT_EQ(list.backgroundColor(), 0xC0C0C0u);
            EXPECT_EQ(list.cell(0, 0), "00");
            EXPECT_EQ(list.cell(10, 0), "10");
            EXPECT_EQ(list.cell(2, 1), "BOTH");
            EXPECT_EQ(list.cell(2, 2), "ON");
            EXPECT_EQ(list.cell(2, 3), "ON");
            EXPECT_EQ(list.cell(3, 2), "ON");
            EXPECT_EQ(list.cell(3, 3), "OFF");
            EXPECT_TRUE(enabled(d, Dlg::IDC_LENS_SHOW));
            EXPECT_FALSE(enabled(d, Dlg::IDC_ND_SHOW));  // filter 1 selected, no data
            EXPECT_EQ(static_cast<const Dlg&>(d).ndDataState(), 2);
            for (int id : {Dlg::IDC_EDIT_ID, Dlg::IDC_ERASE, Dlg::IDC_LOAD, Dlg::IDC_SAVE,
                           Dlg::IDC_WAVELENGTH_CAL, Dlg::IDC_LEVEL_CAL}) {
                EXPECT_FALSE(enabled(d, id)) << id;  // nothing selected
            }
        })
        .select(Dlg::IDC_ND_TABLE, 1)
        .inspect([](Dialog& d) { EXPECT_TRUE(enabled(d, Dlg::IDC_ND_SHOW)); })
        .select(Dlg::IDC_CHANNELS, 0)
        .inspect([](Dialog& d) {
            for (int id : {Dlg::IDC_EDIT_ID, Dlg::IDC_ERASE, Dlg::IDC_LOAD, Dlg::IDC_SAVE,
                           Dlg::IDC_WAVELENGTH_CAL, Dlg::IDC_LEVEL_CAL}) {
                EXPECT_FALSE(enabled(d, id)) << id;
            }
        })
        .doubleClickRow(Dlg::IDC_CHANNELS, 0)  // row 00 opens no ID editor
        .select(Dlg::IDC_CHANNELS, 3)
        .inspect([](Dialog& d) {
            EXPECT_TRUE(enabled(d, Dlg::IDC_SAVE));
            EXPECT_FALSE(enabled(d, Dlg::IDC_WAVELENGTH_CAL));  // has a wavelength table
            EXPECT_TRUE(enabled(d, Dlg::IDC_LEVEL_CAL));
        })
        .select(Dlg::IDC_CHANNELS, 2)
        .inspect([](Dialog& d) { EXPECT_FALSE(enabled(d, Dlg::IDC_LEVEL_CAL)); })
        .select(Dlg::IDC_CHANNELS, 5)
        .inspect([](Dialog& d) {
            EXPECT_TRUE(enabled(d, Dlg::IDC_WAVELENGTH_CAL));
            EXPECT_TRUE(enabled(d, Dlg::IDC_LEVEL_CAL));
        })
        .click(IDOK);
    EXPECT_EQ(openEditor(), 0);
}

TEST_F(CalibrationEditor, SaveEraseLoadLeavesTheChannelAsItWas) {
    memory.channels[4] = calibrated("LAMP-A");
    memory.channels[6].level = unitTable();
    (*memory.channels[6].level)[0] = 0.25f;
    memory.channels[6].id = "LEVEL";
    load();
    const rx9100sim::CalibrationChannel original4 = memory.channels[4];
    const rx9100sim::CalibrationChannel original6 = memory.channels[6];
    const std::string file4 = folder + "/four.ucf";
    const std::string file6 = folder + "/six.ucf";
    runner->when(Dlg::IDD)
        .select(Dlg::IDC_CHANNELS, 4)
        .click(Dlg::IDC_SAVE)
        .answerFileChooser(file4)
        .select(Dlg::IDC_CHANNELS, 6)
        .click(Dlg::IDC_SAVE)
        .answerFileChooser(file6)
        .select(Dlg::IDC_CHANNELS, 4)
        .click(Dlg::IDC_ERASE)
        .answerMessageBox(IDOK)
        .select(Dlg::IDC_CHANNELS, 6)
        .click(Dlg::IDC_ERASE)
        .answerMessageBox(IDOK)
        .inspect([](Dialog& d) {
            EXPECT_EQ(d.list(Dlg::IDC_CHANNELS).cell(4, 1), "");
            EXPECT_EQ(d.list(Dlg::IDC_CHANNELS).cell(4, 2), "OFF");
        })
        .select(Dlg::IDC_CHANNELS, 4)
        .click(Dlg::IDC_LOAD)
        .answerFileChooser(file4)
        .select(Dlg::IDC_CHANNELS, 6)
        .click(Dlg::IDC_LOAD)
        .answerFileChooser(file6)
        .inspect([](Dialog& d) {
            EXPECT_EQ(d.list(Dlg::IDC_CHANNELS).cell(4, 1), "LAMP-A");
            EXPECT_EQ(d.list(Dlg::IDC_CHANNELS).cell(4, 2), "ON");
            EXPECT_EQ(d.list(Dlg::IDC_CHANNELS).cell(6, 3), "ON");
        })
        .click(IDOK);
    EXPECT_EQ(openEditor(), 0);
    EXPECT_EQ(boxTexts().size(), 2u);  // the two erase questions, no refusal
    EXPECT_EQ(fs::file_size(file4), 6464u);
    EXPECT_EQ(fs::file_size(file6), 48u + 401 * 8);
    EXPECT_EQ(sim.instrument.memory().channels[4], original4);
    EXPECT_EQ(sim.instrument.memory().channels[6], original6);  // still no wavelength table
    EXPECT_TRUE(sim.driver.userCalibrationFile.loaded);
}

TEST_F(CalibrationEditor, AFileIsRefusedPartWayWithTheEntriesBeforeAlreadySent) {
    memory.channels[5] = calibrated("KEEP");
    load();
    UserCalibrationFile far = ucf(true, true);
    far.wave[200] = 582.5;  // 2.5 nm from 580
    UserCalibrationFile falling = ucf(true, false);
    falling.wave[300] = 680.5;
    falling.wave[301] = 680.25;
    UserCalibrationFile flat = ucf(true, false);
    flat.wave[100] = 480.5;
    flat.wave[101] = 480.5;  // equal neighbours pass
    runner->when(Dlg::IDD)
        .select(Dlg::IDC_CHANNELS, 5)
        .inspect([this](Dialog&) { sentSince(); })
        .click(Dlg::IDC_LOAD)
        .answerFileChooser(writeUcf("far.ucf", far))
        .inspect([this](Dialog&) {
            const auto sent = sentSince();
            EXPECT_EQ(count(sent, "UCPS,0,05,"), 200);
            EXPECT_EQ(count(sent, "UCPS,1,05,"), 200);
            EXPECT_EQ(count(sent, "UCPS,2"), 0);
            EXPECT_EQ(count(sent, "UCPS,3"), 0);
        })
        .click(Dlg::IDC_LOAD)
        .answerFileChooser(writeUcf("falling.ucf", falling))
        .inspect([this](Dialog&) {
            const auto sent = sentSince();
            EXPECT_EQ(count(sent, "UCPS,0,05,"), 300);  // 300 is above 301: refused unsent
            EXPECT_EQ(count(sent, "UCPS,3"), 0);
        })
        .click(Dlg::IDC_LOAD)
        .answerFileChooser(writeUcf("flat.ucf", flat))
        .inspect([this](Dialog&) {
            const auto sent = sentSince();
            EXPECT_EQ(count(sent, "UCPS,0,05,"), 401);
            EXPECT_EQ(count(sent, "UCPS,1,"), 0);
            EXPECT_EQ(std::count(sent.begin(), sent.end(), "UCPS,2,05,  FILE"), 0);
            EXPECT_EQ(std::count(sent.begin(), sent.end(), "UCPS,2,05,FILE"), 1);
            EXPECT_EQ(count(sent, "UCPS,3"), 1);
        })
        .click(IDOK);
    EXPECT_EQ(openEditor(), 0);
    const std::string wrong = resources::loadString(Dlg::IDS_FORMAT_WRONG);
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{wrong, wrong}));
    const rx9100sim::Memory after = sim.instrument.memory();
    const auto& channel = after.channels[5];
    EXPECT_EQ((*channel.wavelength)[101], 480.5f);
    // The level entries the refused file sent before its refusal were stored with the
    // next complete write: the instrument keeps what it was sent.
    EXPECT_EQ((*channel.level)[199], 0.75f);
    EXPECT_EQ((*channel.level)[200], (*memory.channels[5].level)[200]);
    EXPECT_EQ(channel.id, "FILE");
}

TEST_F(CalibrationEditor, ALevelOnlyFileLeavesTheWavelengthTableAlone) {
    memory.channels[7] = calibrated("OLD");
    load();
    runner->when(Dlg::IDD)
        .select(Dlg::IDC_CHANNELS, 7)
        .inspect([this](Dialog&) { sentSince(); })
        .click(Dlg::IDC_LOAD)
        .answerFileChooser(writeUcf("level.ucf", ucf(false, true)))
        .inspect([this](Dialog&) {
            const auto sent = sentSince();
            EXPECT_EQ(count(sent, "UCPS,0"), 0);
            EXPECT_EQ(count(sent, "UCPS,1,07,"), 401);
            EXPECT_EQ(sent[401], "UCPS,2,07,FILE");
            EXPECT_EQ(sent[402], "UCPS,3");
        })
        .click(IDOK);
    EXPECT_EQ(openEditor(), 0);
    EXPECT_TRUE(boxTexts().empty());
    EXPECT_EQ(sim.instrument.memory().channels[7].wavelength, memory.channels[7].wavelength);
    EXPECT_EQ((*sim.instrument.memory().channels[7].level)[33], 0.75f);
}

TEST_F(CalibrationEditor, BrokenFilesAreRefusedWithoutSendingAnything) {
    load();
    std::string misheaded = usercal::ucfBytes(ucf(false, false));
    misheaded.replace(20, 6, "[WAVE]");
    const std::string bad = folder + "/bad.ucf";
    std::ofstream(bad, std::ios::binary) << misheaded;
    const std::string cut = folder + "/cut.ucf";
    std::ofstream(cut, std::ios::binary) << usercal::ucfBytes(ucf(true, true)).substr(0, 4000);
    runner->when(Dlg::IDD)
        .select(Dlg::IDC_CHANNELS, 1)
        .inspect([this](Dialog&) { sentSince(); })
        .click(Dlg::IDC_LOAD)
        .answerFileChooser(bad)
        .click(Dlg::IDC_LOAD)
        .answerFileChooser(cut)
        .click(Dlg::IDC_LOAD)
        .answerFileChooser(std::nullopt)
        .inspect([this](Dialog&) { EXPECT_EQ(sentSince(), std::vector<std::string>{}); })
        .click(IDOK);
    EXPECT_EQ(openEditor(), 0);
    EXPECT_EQ(boxTexts().size(), 2u);
    const auto chooser = sim.ui->fileChoosers().at(0);
    EXPECT_EQ(chooser.filter, "*.ucf|*.ucf||");
    EXPECT_EQ(chooser.defaultExtension, "ucf");
    EXPECT_TRUE(chooser.hideReadOnly);
}

TEST_F(CalibrationEditor, ErasingTheActiveChannelSwitchesToChannel00EvenWhenCancelled) {
    memory.channels[3] = calibrated("ACTIVE");
    memory.activeChannel = 3;
    load();
    ASSERT_EQ(sim.driver.checkSetupStatus(), 0);
    ASSERT_EQ(sim.driver.getSetupStatus()->getCalibrationCh(), 3);
    sim.takeSent();
    runner->when(Dlg::IDD)
        .select(Dlg::IDC_CHANNELS, 3)
        .inspect([this](Dialog&) { sentSince(); })
        .click(Dlg::IDC_ERASE)
        .answerMessageBox(IDCANCEL)
        .inspect([this](Dialog&) {
            const auto sent = sentSince();
            ASSERT_FALSE(sent.empty());
            EXPECT_EQ(sent.front(), "UCCS,00");
            EXPECT_EQ(count(sent, "UCPS"), 0);
            EXPECT_EQ(count(sent, "UCCD"), 0);
            EXPECT_EQ(sim.instrument.memory().activeChannel, 0);
        })
        .click(IDOK);
    EXPECT_EQ(openEditor(), 0);
    const auto box = sim.ui->messageBoxes().at(0);
    EXPECT_EQ(box.text, "校正CHデータを消去します。よろしいですか？");
    EXPECT_TRUE(box.cancelIsDefault);
    EXPECT_EQ(sim.instrument.memory().channels[3], memory.channels[3]);
    // The editor's entry puts back the channel it found active.
    EXPECT_EQ(sim.instrument.memory().activeChannel, 3);
    EXPECT_EQ(sim.driver.getSetupStatus()->getCalibrationCh(), 3);
}

TEST_F(CalibrationEditor, EraseSendsBothIdentityTablesThenClears) {
    memory.channels[9] = calibrated("GONE");
    load();
    runner->when(Dlg::IDD)
        .select(Dlg::IDC_CHANNELS, 9)
        .inspect([this](Dialog&) { sentSince(); })
        .click(Dlg::IDC_ERASE)
        .answerMessageBox(IDOK)
        .inspect([this](Dialog&) {
            const auto sent = sentSince();
            ASSERT_GT(sent.size(), 803u);
            EXPECT_EQ(sent[0], "UCPS,0,09,000,43BE0000");    // 380.0
            EXPECT_EQ(sent[400], "UCPS,0,09,400,44430000");  // 780.0
            EXPECT_EQ(sent[401], "UCPS,1,09,000,3F800000");
            EXPECT_EQ(sent[802], "UCCD,09");
        })
        .click(IDOK);
    EXPECT_EQ(openEditor(), 0);
    EXPECT_EQ(sim.instrument.memory().channels[9], rx9100sim::CalibrationChannel{});
}

TEST_F(CalibrationEditor, TheIdEditorWritesTheIdPaddedAndShowsItInTheList) {
    memory.channels[2].id = "OLD";
    load();
    runner->when(Dlg::IDD)
        .doubleClickRow(Dlg::IDC_CHANNELS, 2)
        .inspect([](Dialog& d) { EXPECT_EQ(d.list(Dlg::IDC_CHANNELS).cell(2, 1), "NEW-1"); })
        .click(IDOK);
    runner->when(CEditCalIdDlg::IDD)
        .inspect([](Dialog& d) {
            EXPECT_EQ(d.title(), "ID編集(CH02)");
            EXPECT_EQ(d.edit(CEditCalIdDlg::IDC_ID).text(), "OLD");
        })
        .type(CEditCalIdDlg::IDC_ID, "NEW-1")
        .click(IDOK);
    EXPECT_EQ(openEditor(), 0);
    EXPECT_EQ(sim.instrument.memory().channels[2].id, "     NEW-1");
}

TEST_F(CalibrationEditor, FactorFilesAreWrittenForAllThreeAnglesAndShown) {
    load();
    const std::string lens = writeFactors("lens.lcf", "anything", "1.0000000001");
    const std::string badLens = writeFactors("bad.lcf", "anything", "1.001");
    const std::string nd = writeFactors("ND2.ncf", "[ND2]", "1.0");
    const std::string misnamed = writeFactors("other.ncf", "[ND2]", "1.0");
    runner->when(Dlg::IDD)
        .inspect([this](Dialog& d) {
            EXPECT_FALSE(enabled(d, Dlg::IDC_LENS_SHOW));
            sentSince();
        })
        .click(Dlg::IDC_LENS_WRITE)
        .answerFileChooser(badLens)
        .inspect([this](Dialog& d) {
            EXPECT_EQ(sentSince(), std::vector<std::string>{});
            EXPECT_FALSE(enabled(d, Dlg::IDC_LENS_SHOW));
        })
        .click(Dlg::IDC_LENS_WRITE)
        .answerFileChooser(lens)
        .inspect([this](Dialog& d) {
            const auto sent = sentSince();
            EXPECT_EQ(count(sent, "ALFS,0,"), 401);
            EXPECT_EQ(count(sent, "ALFS,2,"), 401);
            EXPECT_EQ(count(sent, "ALFS,3"), 3);
            EXPECT_EQ(sent.front(), "ALFS,0,000,3F800000");
            EXPECT_TRUE(enabled(d, Dlg::IDC_LENS_SHOW));
        })
        .select(Dlg::IDC_ND_TABLE, 1)
        .click(Dlg::IDC_ND_WRITE)
        .answerFileChooser(misnamed)
        .click(Dlg::IDC_ND_WRITE)
        .answerFileChooser(nd)
        .inspect([this](Dialog& d) {
            const auto sent = sentSince();
            EXPECT_EQ(count(sent, "NFCS,1,2,"), 401);
            EXPECT_EQ(count(sent, "NFCS,3"), 3);
            EXPECT_TRUE(enabled(d, Dlg::IDC_ND_SHOW));
            EXPECT_EQ(static_cast<const Dlg&>(d).ndDataState(), 2);
        })
        .click(Dlg::IDC_LENS_SHOW)
        .click(Dlg::IDC_ND_SHOW)
        .click(IDOK);
    runner->when(CLensCorrDataDlg::IDD)
        .inspect([](Dialog& d) {
            EXPECT_EQ(d.title(), "レンズ係数");
            auto& list = d.list(CLensCorrDataDlg::IDC_LIST);
            ASSERT_EQ(list.rowCount(), 401);
            EXPECT_EQ(list.cell(0, 0), "380nm");
            EXPECT_EQ(list.cell(400, 0), "780nm");
            EXPECT_EQ(list.cell(0, 1), "1.000000");
            EXPECT_EQ(list.cell(1, 1), "0.500000");
            EXPECT_EQ(list.column(1).width, 110);
            EXPECT_FALSE(list.headerClickable());
        })
        .click(IDOK);
    runner->when(CNdCorrDataDlg::IDD)
        .inspect([](Dialog& d) {
            EXPECT_EQ(d.title(), "ND補正係数");
            EXPECT_EQ(d.list(CNdCorrDataDlg::IDC_LIST).rowCount(), 401);
            EXPECT_EQ(d.list(CNdCorrDataDlg::IDC_LIST).cell(400, 1), "0.500000");
        })
        .click(IDOK);
    EXPECT_EQ(openEditor(), 0);
    const std::string wrong = resources::loadString(Dlg::IDS_FORMAT_WRONG);
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{wrong, wrong}));
    for (int angle = 0; angle < 3; ++angle) {
        EXPECT_EQ((*sim.instrument.memory().lensTables[angle])[0], 1.0f);
        EXPECT_EQ((*sim.instrument.memory().ndTables[angle][1])[7], 0.5f);
        EXPECT_FALSE(sim.instrument.memory().ndTables[angle][0].has_value());
    }
}

}  // namespace

namespace {

using Wave = CCorrectWavelengthDlg;
using Level = CCorrectLevelDlg;

TEST_F(CalibrationEditor, AWavelengthCalibrationOnChannel00ChainsTheLevelCalibrationOnTheChannel) {
    memory.channels[5] = calibrated("OTHER");
    memory.activeChannel = 5;
    load();
    sim.instrument.setScene(*rx9100sim::LightSource::parse("lines:HG"), 100.0);
    sim.instrument.setNoise(0);
    sim.instrument.setMeasuringTiming({0.05, 0.01});
    int activeWhileMeasuringLines = -1;
    int activeWhileMeasuringLevel = -1;
    runner->when(Dlg::IDD)
        .select(Dlg::IDC_CHANNELS, 2)
        .click(Dlg::IDC_WAVELENGTH_CAL)
        .inspect([this](Dialog& d) {
            // Back on the remembered channel, the new table in the list.
            EXPECT_EQ(sim.instrument.memory().activeChannel, 5);
            EXPECT_TRUE(sim.instrument.memory().channels[2].wavelength);
            EXPECT_EQ(d.list(Dlg::IDC_CHANNELS).selectionMark(), 2);
        })
        .click(IDOK);
    runner->when(Wave::IDD)
        .inspect(
            [&](Dialog&) { activeWhileMeasuringLines = sim.instrument.memory().activeChannel; })
        .click(Wave::IDC_MEASURE)
        .type(Wave::IDC_RANGE_START, "541")
        .type(Wave::IDC_RANGE_END, "552")
        .click(Wave::IDC_ADD)
        .click(IDOK);
    runner->when(CUserMeasureDlg::IDD);
    runner->when(Level::IDD)
        .inspect(
            [&](Dialog&) { activeWhileMeasuringLevel = sim.instrument.memory().activeChannel; })
        .click(IDCANCEL);
    EXPECT_EQ(openEditor(), 0);
    EXPECT_EQ(activeWhileMeasuringLines, 0);  // the lamp measured without correction
    EXPECT_EQ(activeWhileMeasuringLevel, 2);  // the level measured with the new table
    EXPECT_EQ(sim.instrument.memory().activeChannel, 5);

    // Started on its own, the level calibration measures on channel 00.
    runner->when(Dlg::IDD).select(Dlg::IDC_CHANNELS, 3).click(Dlg::IDC_LEVEL_CAL).click(IDOK);
    runner->when(Level::IDD)
        .inspect(
            [&](Dialog&) { activeWhileMeasuringLevel = sim.instrument.memory().activeChannel; })
        .click(IDCANCEL);
    EXPECT_EQ(openEditor(), 0);
    EXPECT_EQ(activeWhileMeasuringLevel, 0);
}

}  // namespace
