// White calibration from the command line: the driver's dialog answered from the options,
// then reflectance in per cent of the white standard, in the same run.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "CliTest.h"

namespace clitest {
namespace {

using WhiteCalibrationTest = CliTest;

const std::string kPerfectDiffuser =
    std::string(RX9100_SOURCE_DIR) + "/examples/perfect-diffuser.wcb";

// The CSV spectrum: 401 values.
std::vector<double> csvValues(const std::string& csv) {
    std::vector<double> values;
    std::istringstream lines(csv);
    std::string line;
    std::getline(lines, line);  // header
    while (std::getline(lines, line)) {
        values.push_back(std::stod(line.substr(line.find(',') + 1)));
    }
    return values;
}

TEST_F(WhiteCalibrationTest, CalibratedOnTheWhiteTileAGreyMeasuresItsReflectance) {
    const Finished r = run({"--sim-sample", "white,grey:0.18", "measure", "--type", "reflectance",
                            "--white-standard", kPerfectDiffuser, "--format", "csv"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::vector<double> values = csvValues(r.out);
    ASSERT_EQ(values.size(), 401u);
    // The tile falls short of 1.0 only near 380 nm.
    for (std::size_t i = 40; i < values.size(); ++i) {
        EXPECT_NEAR(values[i], 18.0, 0.18) << 380 + i << " nm";
    }
    // The standard was copied beside the settings and remembered there.
    EXPECT_TRUE(std::filesystem::exists(file("settings/RX9100/perfect-diffuser.wcb")));
    EXPECT_NE(readFile(file("settings/QV-L40w.toml")).find("perfect-diffuser.wcb"),
              std::string::npos);
    const auto sent = commands();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "MEAS,1"), 2);
    EXPECT_EQ(sent.back(), "RMTS,0");
}

TEST_F(WhiteCalibrationTest, WhitecalPrintsTheCoefficientsOfTheMeasuredWhite) {
    const Finished r = run({"--sim-sample", "grey:0.5", "whitecal", "--type", "transmittance",
                            "--white-standard", kPerfectDiffuser, "--format", "json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto json = nlohmann::json::parse(r.out);
    EXPECT_EQ(json["type"], "transmittance");
    ASSERT_EQ(json["coefficient"].size(), 401u);
    EXPECT_EQ(json["coefficient"], json["measured_white"]);  // against the empty path: 1.0
    EXPECT_GT(json["coefficient"][200].get<double>(), 0.0);
}

TEST_F(WhiteCalibrationTest, RefusalsPrintTheDriversMessageAndMeasureNothing) {
    std::ofstream(file("short.wcb")) << "1.0\n1.0\n";
    struct Case {
        std::vector<std::string> args;
        std::string expected;
    };
    const std::vector<Case> cases{
        {{"measure", "--type", "reflectance"}, "error 42: 測定角が変更されています"},
        {{"measure", "--type", "reflectance", "--white-standard", file("short.wcb").string()},
         "データファイルのデータが不足しています。 (the data file has fewer than 401 lines)"},
        {{"--sim-fault", "MEDR,1,1,4:value:100:00000000", "whitecal", "--white-standard",
          kPerfectDiffuser},
         "未発光領域が存在するため"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(transcript());
        const Finished r = run(c.args);
        EXPECT_EQ(r.exitCode, 4) << c.expected;
        EXPECT_NE(r.err.find(c.expected), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_EQ(commands().back(), "RMTS,0");
    }
    // Light sources are not calibrated: --white-standard needs --type.
    const Finished usage = run({"measure", "--white-standard", kPerfectDiffuser});
    EXPECT_EQ(usage.exitCode, 2);
}

TEST_F(WhiteCalibrationTest, CtrlCDuringTheWhiteMeasurementCancelsItAndReturnsToLocalMode) {
    CliProcess process(folder.path(), simulated({"--sim-measuring-time", "30", "whitecal",
                                                 "--white-standard", kPerfectDiffuser}));
    ASSERT_TRUE(waitUntil(
        [&] {
            const auto sent = commands();
            return std::find(sent.begin(), sent.end(), "MEAS,1") != sent.end();
        },
        std::chrono::seconds(10)));
    process.signal(SIGINT);
    const Finished r = process.wait(std::chrono::seconds(10));
    EXPECT_EQ(r.exitCode, 130) << r.err;
    EXPECT_TRUE(r.out.empty());
    const auto sent = commands();
    EXPECT_NE(std::find(sent.begin(), sent.end(), "MEAS,0"), sent.end());
    EXPECT_EQ(sent.back(), "RMTS,0");
}

}  // namespace
}  // namespace clitest
