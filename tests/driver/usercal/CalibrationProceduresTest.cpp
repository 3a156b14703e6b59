// The wavelength and level calibration dialogs against the simulated instrument: a line
// source measured with a wavelength error, lines marked and referred to their true
// wavelengths, the table the instrument then holds; the level factors of a tilted
// sensitivity; the buttons' rules and refusals.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/ui/ScriptedDialogRunner.h"
#include "resources/StringTable.h"
#include "simulator/Spectrum.h"
#include "support/SimulatedDriver.h"
#include "support/TempFolder.h"
#include "usercal/CCorrectLevelDlg.h"
#include "usercal/CCorrectWavelengthDlg.h"
#include "usercal/WavelengthCalibration.h"
#include "whitecal/CWhiteMeasureDlg.h"

namespace {

using platform::IDCANCEL;
using platform::IDOK;
using platform::ui::Dialog;
using Wave = CCorrectWavelengthDlg;
using Level = CCorrectLevelDlg;

class CalibrationProcedures : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::ui::setDialogRunner(runner);
        sim.driver.setErrorVisible(false);
        sim.instrument.setMeasuringTiming({0.05, 0.01});
        sim.instrument.setNoise(0);
        ASSERT_EQ(sim.driver.connect(), 0);
    }
    void TearDown() override {
        platform::ui::setDialogRunner(nullptr);
        EXPECT_EQ(runner->problems(), std::vector<std::string>{});
    }
    void lookAt(const char* source, double luminance = 100.0) {
        sim.instrument.setScene(*rx9100sim::LightSource::parse(source), luminance);
    }
    std::vector<std::string> boxTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : sim.ui->messageBoxes()) {
            texts.push_back(box.text);
        }
        return texts;
    }
    static bool enabled(Dialog& d, int id) { return d.findControl(id)->enabled(); }
    // Marks the line within [from, to] nm in the row the registration number points at.
    static void mark(platform::ui::ScriptedDialogRunner::Scene& scene, int from, int to) {
        scene.type(Wave::IDC_RANGE_START, std::to_string(from))
            .type(Wave::IDC_RANGE_END, std::to_string(to))
            .click(Wave::IDC_ADD);
    }

    SimulatedDriver sim;
    std::shared_ptr<platform::ui::ScriptedDialogRunner> runner =
        std::make_shared<platform::ui::ScriptedDialogRunner>(sim.ui);
};

TEST_F(CalibrationProcedures, LinesMeasuredOffByAnErrorAreReferredToTheirTrueWavelengths) {
    lookAt("lines:HG");
    sim.instrument.setMiscalibration({1.5, 0.0});
    auto& scene = runner->when(Wave::IDD);
    scene.inspect([](Dialog& d) {
        EXPECT_EQ(d.title(), "波長校正");
        EXPECT_FALSE(enabled(d, Wave::IDC_ADD));  // nothing measured yet
        EXPECT_FALSE(enabled(d, IDOK));
        EXPECT_FALSE(enabled(d, Wave::kRowIds[0].check));
        EXPECT_FALSE(d.findControl(Wave::IDC_DEBUG_LOAD)->visible());
    });
    scene.click(Wave::IDC_MEASURE);
    mark(scene, 431, 441);  // mercury 435.83 nm
    mark(scene, 541, 552);  // mercury 546.07 nm
    scene.inspect([](Dialog& d) {
        // Found 1.5 nm too long, shown with two decimals, and offered as the reference.
        EXPECT_NEAR(std::stod(d.edit(Wave::kRowIds[0].centroid).text()), 437.33, 0.05);
        EXPECT_NEAR(std::stod(d.edit(Wave::kRowIds[1].centroid).text()), 547.57, 0.05);
        EXPECT_EQ(d.edit(Wave::kRowIds[1].reference).text(),
                  d.edit(Wave::kRowIds[1].centroid).text());
        EXPECT_TRUE(d.checkBox(Wave::kRowIds[1].check).checked());
        EXPECT_EQ(d.numericEdit(Wave::IDC_ROW_NUMBER).value(), 2.0);
        EXPECT_TRUE(enabled(d, IDOK));
    });
    scene.type(Wave::kRowIds[0].reference, "435.83")
        .type(Wave::kRowIds[1].reference, "546.07")
        .click(IDOK);
    runner->when(CUserMeasureDlg::IDD);

    Wave dialog(sim.driver, 4, "HG-LAMP");
    ASSERT_EQ(dialog.doModal(), IDOK);
    const auto sent = sim.takeSent();
    ASSERT_GE(sent.size(), 403u);
    EXPECT_EQ(sent[sent.size() - 2], "UCPS,2,04,HG-LAMP");
    EXPECT_EQ(sent.back(), "UCPS,3");
    EXPECT_EQ(std::count_if(sent.begin(), sent.end(),
                            [](const std::string& s) { return s.starts_with("UCPS,1"); }),
              0);  // the level table is not touched
    const rx9100sim::Memory memory = sim.instrument.memory();
    const auto& table = memory.channels[4].wavelength;
    ASSERT_TRUE(table);
    for (int i = 0; i < 401; ++i) {
        EXPECT_NEAR((*table)[static_cast<std::size_t>(i)], 380 + i - 1.5, 0.05) << 380 + i;
    }
    EXPECT_FALSE(memory.channels[4].level);

    // The correction reads each point's value at its table entry, 1.5 nm short of the
    // nominal wavelength: the line, measured 1.5 nm long, moves 1.5 nm further.
    std::vector<MeasuringData> records;
    ASSERT_EQ(sim.driver.doMeasurement(records, nullptr), 0);
    sim.driver.getSetupStatus()->setCalibrationMode(5);
    sim.driver.CorrectMeasurementData(records.front(), 4);
    EXPECT_TRUE(sim.driver.getWaveCalSet(4));
    EXPECT_NEAR(*usercal::lineCentroid(records.front().getData(), 543, 556), 546.07 + 3.0, 0.1);
}

TEST_F(CalibrationProcedures, WavelengthRowsRangesAndRefusedCalculations) {
    lookAt("lines:HG");
    auto& scene = runner->when(Wave::IDD);
    scene.click(Wave::IDC_MEASURE)
        .type(Wave::IDC_RANGE_START, "552")
        .type(Wave::IDC_RANGE_END, "541")
        .click(Wave::IDC_ADD)
        .answerMessageBox(IDOK)
        .click(Wave::IDC_ZOOM)
        .answerMessageBox(IDOK)
        .inspect([](Dialog& d) {
            EXPECT_EQ(d.edit(Wave::kRowIds[0].centroid).text(), "");
            EXPECT_EQ(d.graph(Wave::IDC_GRAPH).rangeFrom(), 380.0);
            // The graph shows per cent of the spectrum's maximum.
            const auto& series = d.graph(Wave::IDC_GRAPH).series();
            ASSERT_EQ(series.size(), 1u);
            EXPECT_DOUBLE_EQ(*std::max_element(series[0].values.begin(), series[0].values.end()),
                             100.0);
        })
        .type(Wave::IDC_ROW_NUMBER, "9");
    mark(scene, 541, 552);
    scene.inspect([](Dialog& d) {
        EXPECT_NE(d.edit(Wave::kRowIds[9].centroid).text(), "");
        EXPECT_EQ(d.numericEdit(Wave::IDC_ROW_NUMBER).value(), 9.0);  // stays at the last row
        EXPECT_TRUE(enabled(d, IDOK));
    });
    // An empty reference in a checked row holds "演算" back; unchecking the row frees it.
    scene.type(Wave::kRowIds[9].reference, "")
        .inspect([](Dialog& d) { EXPECT_FALSE(enabled(d, IDOK)); })
        .type(Wave::kRowIds[9].reference, "546.07");
    // Two lines whose references run the other way: refused, the dialog stays.
    mark(scene, 431, 441);  // lands in row 9 again
    scene.type(Wave::IDC_ROW_NUMBER, "0");
    mark(scene, 541, 552);
    scene.type(Wave::kRowIds[0].reference, "435.83")
        .type(Wave::kRowIds[9].reference, "546.07")
        .click(IDOK)
        .answerMessageBox(IDOK)
        .inspect([](Dialog& d) { EXPECT_FALSE(d.ended()); })
        .click(IDCANCEL);
    runner->when(CUserMeasureDlg::IDD);

    Wave dialog(sim.driver, 2, "X");
    EXPECT_EQ(dialog.doModal(), IDCANCEL);
    const std::string reversed = resources::loadString(20910);
    EXPECT_EQ(boxTexts(),
              (std::vector<std::string>{reversed, reversed, resources::loadString(20906)}));
    for (const std::string& line : sim.takeSent()) {
        EXPECT_FALSE(line.starts_with("UCPS")) << line;  // nothing written
    }
}

TEST_F(CalibrationProcedures, ATiltedSensitivityIsCorrectedByReferenceOverMeasured) {
    lookAt("a");
    std::vector<MeasuringData> truth;
    ASSERT_EQ(sim.driver.doMeasurement(truth, nullptr), 0);
    sim.instrument.setMiscalibration({0.0, 0.1});
    TempFolder folder;
    std::ofstream reference(folder.file("a.lrv"));
    for (double v : truth.front().getData()) {
        reference << v << "\n";
    }
    reference.close();

    runner->when(Level::IDD)
        .inspect([](Dialog& d) {
            EXPECT_EQ(d.title(), "レベル校正");
            EXPECT_FALSE(enabled(d, IDOK));  // until measured
            EXPECT_EQ(d.grid(Level::IDC_GRID).rowCount(), 401);
            EXPECT_EQ(d.grid(Level::IDC_GRID).rowLabel(400), "780");
            EXPECT_EQ(d.grid(Level::IDC_GRID).columnTitle(), "基準データ");
        })
        .type(Level::IDC_RANGE_END, "380")
        .click(Level::IDC_MEASURE)
        .answerMessageBox(IDOK)
        .inspect([](Dialog& d) { EXPECT_FALSE(enabled(d, IDOK)); })  // nothing measured
        .type(Level::IDC_RANGE_END, "780")
        .click(Level::IDC_MEASURE)
        .click(Level::IDC_LOAD)
        .answerFileChooser(folder.file("a.lrv"))
        .click(Level::IDC_REGISTER)
        .inspect([](Dialog& d) { EXPECT_EQ(d.graph(Level::IDC_GRAPH).series().size(), 2u); })
        .click(IDOK);
    runner->when(CUserMeasureDlg::IDD);

    Level dialog(sim.driver, 6, "A-LAMP");
    ASSERT_EQ(dialog.doModal(), IDOK);
    EXPECT_EQ(boxTexts(), std::vector<std::string>{resources::loadString(20910)});
    const rx9100sim::Memory memory = sim.instrument.memory();
    const auto& level = memory.channels[6].level;
    ASSERT_TRUE(level);
    for (int nm : {380, 480, 580, 680, 780}) {
        // The instrument read 1 + 0.1 (nm - 580) / 200 times too much.
        EXPECT_NEAR((*level)[static_cast<std::size_t>(nm - 380)],
                    1.0 / (1.0 + 0.1 * (nm - 580) / 200.0), 1e-4)
            << nm;
    }
    EXPECT_FALSE(memory.channels[6].wavelength);
    const auto sent = sim.takeSent();
    EXPECT_EQ(sent[sent.size() - 2], "UCPS,2,06,A-LAMP");
}

TEST_F(CalibrationProcedures, ShortFilesAreRefused) {
    TempFolder folder;
    std::ofstream(folder.file("short.lrv")) << std::string(400, '\n');
    std::ofstream(folder.file("short.l40")) << std::string(400, '\n');
    runner->when(Level::IDD)
        .click(Level::IDC_LOAD)
        .answerFileChooser(folder.file("short.lrv"))
        .answerMessageBox(IDOK)
        .inspect([](Dialog& d) { EXPECT_EQ(d.grid(Level::IDC_GRID).cellText(0), ""); })
        .click(IDCANCEL);
    Level level(sim.driver, 1, "");
    EXPECT_EQ(level.doModal(), IDCANCEL);
    EXPECT_EQ(boxTexts(), std::vector<std::string>{resources::loadString(20909)});

    // The developers' debug load: a stored spectrum instead of a measurement.
    std::ofstream whole(folder.file("whole.l40"));
    for (int i = 0; i < 401; ++i) {
        whole << (i == 166 ? 1.0 : 0.0) << "\n";
    }
    whole.close();
    runner->when(Wave::IDD)
        .inspect([](Dialog& d) { d.findControl(Wave::IDC_DEBUG_LOAD)->setVisible(true); })
        .click(Wave::IDC_DEBUG_LOAD)
        .answerFileChooser(folder.file("whole.l40"))
        .inspect([](Dialog& d) { EXPECT_TRUE(enabled(d, Wave::IDC_ADD)); })
        .click(Wave::IDC_DEBUG_LOAD)
        .answerFileChooser(folder.file("short.l40"))
        .answerMessageBox(IDOK)
        .inspect([](Dialog& d) { EXPECT_FALSE(enabled(d, Wave::IDC_ADD)); })
        .click(IDCANCEL);
    Wave wave(sim.driver, 1, "");
    EXPECT_EQ(wave.doModal(), IDCANCEL);
    EXPECT_TRUE(wave.measurements().empty());
    EXPECT_EQ(boxTexts().back(), "DebugMeasure : Data File Error!!");
}

}  // namespace
