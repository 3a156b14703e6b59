// Measuring conditions written through the driver and read back from the
// instrument, the conditions a request implies, and refused values.
#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <sstream>

#include "CliTest.h"

namespace clitest {
namespace {

using ConditionsTest = CliTest;

bool contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// The CSV a spreadsheet reads: a row per condition, choices by code, numbers as values.
TEST_F(ConditionsTest, CsvHasARowPerConditionWithItsCodeOrValue) {
    const Finished r = run({"conditions", "--format", "csv", "--set", "speed=manual",
                            "integration=0.25", "lens=adapter"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::istringstream in(r.out);
    std::vector<std::string> rows;
    for (std::string row; std::getline(in, row);) {
        rows.push_back(row);
    }
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0], "condition,code,name,alias,value");
    EXPECT_TRUE(contains(rows, "integration_s,,,,0.25")) << r.out;
    EXPECT_TRUE(contains(rows, "channel,0,,,0")) << r.out;
    int speedRows = 0;
    for (const std::string& row : rows) {
        if (row.starts_with("speed,7,")) {
            ++speedRows;
            EXPECT_EQ(std::count(row.begin(), row.end(), ','), 4) << row;
        }
        if (row.starts_with("lens,")) {
            EXPECT_TRUE(row.starts_with("lens,11,")) << row;
        }
    }
    EXPECT_EQ(speedRows, 1) << r.out;
    EXPECT_EQ(rows.size(), 9u) << r.out;  // header, speed, integration, sync, lens, nd,
                                          // internal-nd, angle, channel
}

TEST_F(ConditionsTest, WrittenConditionsAreReadBackFromTheInstrument) {
    const Finished r =
        run({"conditions", "--json", "--set", "speed=manual", "integration=0.25", "sync=internal",
             "frequency=50", "lens=adapter", "nd=nd1", "internal-nd=auto"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto c = nlohmann::json::parse(r.out);
    EXPECT_EQ(c["speed"]["code"], 7);
    EXPECT_DOUBLE_EQ(c["integration_s"].get<double>(), 0.25);
    EXPECT_EQ(c["sync"]["code"], 3);
    EXPECT_DOUBLE_EQ(c["frequency_Hz"].get<double>(), 50.0);
    EXPECT_EQ(c["lens"]["code"], 11);
    EXPECT_EQ(c["nd"]["code"], 15);
    EXPECT_EQ(c["internal_nd"]["code"], 2);
    EXPECT_EQ(c["speed"]["name"], "マニュアル");  // the capability list's display word

    const auto sent = commands();
    EXPECT_TRUE(contains(sent, "SPMS,3,000250000,2"));
    EXPECT_TRUE(contains(sent, "SCMS,1,05000"));
    EXPECT_TRUE(contains(sent, "LNSS,1"));
    EXPECT_TRUE(contains(sent, "NDFS,1"));
    EXPECT_EQ(sent.back(), "RMTS,0");
}

TEST_F(ConditionsTest, CountChoosesTheMultiSpeedOfTheFirmware) {
    Finished r = run({"conditions", "--json", "--set", "count=4"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(nlohmann::json::parse(r.out)["speed"]["code"], 14);
    EXPECT_TRUE(contains(commands(), "SPMS,2,04,0"));

    std::filesystem::remove(transcript());
    r = run({"--sim-rom", "1.00", "conditions", "--json", "--set", "count=4"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto c = nlohmann::json::parse(r.out);
    EXPECT_EQ(c["speed"]["code"], 12);
    EXPECT_EQ(c["count"], 4);
    EXPECT_TRUE(c["internal_nd"].is_null());  // no internal ND before ROM 1.10
    EXPECT_TRUE(contains(commands(), "SPMS,2,04"));
}

TEST_F(ConditionsTest, InvalidRequestsListWhatIsAllowedAndWriteNothing) {
    struct Case {
        std::string assignment;
        std::string expected;
    };
    const std::vector<Case> cases{
        {"speed=slow", "normal (3 ノーマル), fast (2 ファスト), manual (7 マニュアル)"},
        {"lens=7", "standard (1 標準レンズ), adapter (11 アダプタレンズ)"},
        {"count=17", "outside 1 to 16"},
        {"integration=200", "outside 0.005 to 120 s"},
        {"frequency=5", "outside 20 to 200 Hz"},
        {"colour=red", "names: speed, integration, count"},
        {"speed", "not NAME=VALUE"},
        {"channel=11", "not a calibration channel 0 to 10"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(transcript());
        const Finished r = run({"conditions", "--set", c.assignment});
        EXPECT_EQ(r.exitCode, 2) << c.assignment;
        EXPECT_NE(r.err.find(c.expected), std::string::npos) << c.assignment << ": " << r.err;
        for (const std::string& sent : commands()) {
            EXPECT_FALSE(sent.starts_with("SPMS") || sent.starts_with("LNSS")) << sent;
        }
    }
    // Old firmware has the internal ND filter only with the manual speed.
    const Finished r = run({"--sim-rom", "1.00", "conditions", "--set", "internal-nd=on"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("only with the speed manual"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace clitest
