// `usercal wavelength` and `usercal level` end to end: a simulated instrument that reports
// every line 1.5 nm too long, or with a tilted sensitivity, calibrated through the driver's
// dialogs; what the instrument holds afterwards and what a corrected measurement gives.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "CliTest.h"

namespace clitest {
namespace {

using CalibrationProceduresCliTest = CliTest;

const std::vector<std::string> kLineLamp{"--sim-source", "lines:HG", "--sim-wavelength-error",
                                         "1.5"};

TEST_F(CalibrationProceduresCliTest, LinesFoundOffByTheErrorGiveATableShiftedByIt) {
    std::vector<std::string> args = kLineLamp;
    args.insert(args.end(), {"usercal", "wavelength", "3", "--lines", "404.66,435.83,546.07",
                             "--format", "json"});
    const Finished r = run(args);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto json = nlohmann::json::parse(r.out);
    ASSERT_EQ(json["lines"].size(), 3u);
    for (const auto& line : json["lines"]) {
        EXPECT_NEAR(line["centroid_nm"].get<double>() - line["reference_nm"].get<double>(), 1.5,
                    0.05);
    }
    const auto& table = json["wavelength_table"];
    ASSERT_EQ(table.size(), 401u);
    for (int i = 0; i < 401; ++i) {
        EXPECT_NEAR(table[i].get<double>(), 380 + i - 1.5, 0.05) << 380 + i;
    }
    // Measured on channel 00, the table written entry by entry with the ID and the store,
    // and the channel that was active put back.
    const auto sent = commands();
    const auto measure = std::find(sent.begin(), sent.end(), "MEAS,1");
    ASSERT_NE(measure, sent.end());
    EXPECT_NE(std::find(sent.begin(), measure, "UCCS,00"), measure);
    EXPECT_EQ(std::count_if(sent.begin(), sent.end(),
                            [](const std::string& s) { return s.starts_with("UCPS,0,03,"); }),
              401);
    EXPECT_EQ(sent.back(), "RMTS,0");
}

TEST_F(CalibrationProceduresCliTest, LinesTooCloseForTheWindowAreRefusedAndNothingIsStored) {
    std::vector<std::string> args = kLineLamp;
    args.insert(args.end(), {"usercal", "wavelength", "3", "--lines", "576.96,579.07"});
    const Finished r = run(args);
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_NE(r.err.find("波長校正係数の算出に失敗しました"), std::string::npos) << r.err;
    for (const std::string& line : commands()) {
        EXPECT_FALSE(line.starts_with("UCPS")) << line;
    }
}

// The reference spectrum of the lamp as an exact instrument reads it.
std::string referenceFile(const std::filesystem::path& path, const Finished& measured) {
    std::istringstream rows(measured.out);
    std::string row;
    std::getline(rows, row);  // header
    std::ofstream out(path);
    while (std::getline(rows, row)) {
        out << row.substr(row.find(',') + 1) << "\n";
    }
    return path.string();
}

TEST_F(CalibrationProceduresCliTest, ALevelCalibrationMakesACorrectedMeasurementMatchTheReference) {
    const Finished truth = run({"--sim-source", "a", "measure", "--format", "csv"});
    ASSERT_EQ(truth.exitCode, 0) << truth.err;
    const std::string reference = referenceFile(file("a.lrv"), truth);
    const std::vector<std::string> tilted{"--sim-source",      "a",
                                          "--sim-level-error", "0.1",
                                          "--sim-keep-state",  file("memory.json").string()};
    auto with = [&](std::vector<std::string> more) {
        more.insert(more.begin(), tilted.begin(), tilted.end());
        return run(more);
    };
    const Finished level =
        with({"usercal", "level", "4", "--reference", reference, "--format", "json"});
    ASSERT_EQ(level.exitCode, 0) << level.err;
    const auto json = nlohmann::json::parse(level.out);
    EXPECT_LT(json["residual_percent_400_700nm"]["largest"].get<double>(), 0.5);
    EXPECT_NEAR(json["level_table"][200].get<double>(), 1.0, 1e-3);  // the tilt's pivot, 580 nm

    // The same through the measuring command: channel 4 selected, its correction applied.
    ASSERT_EQ(with({"conditions", "--set", "channel=4"}).exitCode, 0);
    const Finished corrected = with({"measure", "--user-cal", "--format", "csv"});
    ASSERT_EQ(corrected.exitCode, 0) << corrected.err;
    std::istringstream got(corrected.out);
    std::istringstream want(truth.out);
    std::string a;
    std::string b;
    std::getline(got, a);
    std::getline(want, b);
    for (int nm = 380; std::getline(got, a) && std::getline(want, b); ++nm) {
        if (nm < 400 || nm > 700) {
            continue;
        }
        const double measured = std::stod(a.substr(a.find(',') + 1));
        const double expected = std::stod(b.substr(b.find(',') + 1));
        EXPECT_NEAR(measured / expected, 1.0, 0.005) << nm << " nm";
    }
}

}  // namespace
}  // namespace clitest
