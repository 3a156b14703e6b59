// `factors`, `channels`, `channel N`, `conditions --set channel=N` and `measure --user-cal`
// against a simulated instrument started from a prepared memory.
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "CliTest.h"
#include "simulator/Memory.h"

namespace clitest {
namespace {

using namespace std::chrono_literals;
using rx9100sim::Memory;

class TablesTest : public CliTest {
  protected:
    void SetUp() override {
        memory.channels[3].wavelength = rx9100sim::identityWavelengthTable();
        (*memory.channels[3].wavelength)[0] = 380.5f;
        memory.channels[3].level = rx9100sim::unitTable();
        (*memory.channels[3].level)[400] = 2.0f;
        memory.channels[3].id = "     LAB-A";
        memory.channels[7].level = rx9100sim::unitTable();  // present, but corrects nothing
        memory.activeChannel = 3;
        memory.lensTables[0] = rx9100sim::unitTable();
        (*memory.lensTables[0])[1] = 0.5f;
        memory.ndTables[0][1] = rx9100sim::unitTable();
        save();
    }
    void save() const { std::ofstream(file("state.json")) << rx9100sim::memoryToJson(memory); }
    Finished runWith(const std::vector<std::string>& more) const {
        std::filesystem::remove(transcript());
        std::vector<std::string> args{"--sim-state", file("state.json").string()};
        args.insert(args.end(), more.begin(), more.end());
        return run(args);
    }
    long sent(const std::string& prefix) const {
        const auto lines = commands();
        return std::count_if(lines.begin(), lines.end(),
                             [&](const std::string& s) { return s.starts_with(prefix); });
    }
    static std::size_t lines(const std::string& text) {
        return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    }

    Memory memory;
};

TEST_F(TablesTest, ChannelsListModesIdsAndTheActiveOne) {
    Finished r = runWith({"channels", "--format", "json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    auto list = nlohmann::json::parse(r.out);
    ASSERT_EQ(list.size(), 11u);
    EXPECT_EQ(list[3]["mode"], 22);
    EXPECT_EQ(list[3]["id"], "LAB-A");
    EXPECT_EQ(list[3]["active"], true);
    EXPECT_EQ(list[7]["level"], false);  // full scans: an identity table corrects nothing
    EXPECT_EQ(commands().back(), "RMTS,0");

    r = runWith({"channels", "--quick"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("*  3    22  yes         yes    no   LAB-A"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("   7     4  no          yes"), std::string::npos) << r.out;
    EXPECT_EQ(sent("UCPR,1,07,"), 1);  // quick: entry 000 only
}

TEST_F(TablesTest, ChannelTablesAndFactorTablesIn401Rows) {
    Finished r = runWith({"channel", "3", "--format", "csv"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(lines(r.out), 402u);
    EXPECT_TRUE(r.out.starts_with("nm,wavelength,level\n380,380.5,1\n381,381,1\n")) << r.out;
    EXPECT_NE(r.out.find("\n780,780,2\n"), std::string::npos);
    EXPECT_EQ(sent("UCPR,0,03,200"), 1);  // never scanned, only read

    r = runWith({"channel", "5", "--format", "json"});  // no tables at all
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(nlohmann::json::parse(r.out)["wavelength"].is_null());
    EXPECT_EQ(runWith({"channel", "0"}).exitCode, 2);

    r = runWith({"factors", "--format", "json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto factors = nlohmann::json::parse(r.out);
    ASSERT_EQ(factors["lens"].size(), 401u);
    EXPECT_EQ(factors["lens"][1], 0.5);
    EXPECT_TRUE(factors["nd1"].is_null());
    EXPECT_EQ(factors["nd2"].size(), 401u);
    r = runWith({"factors", "--format", "csv"});
    EXPECT_TRUE(r.out.starts_with("nm,lens,nd1,nd2\n380,1,,1\n381,0.5,,1\n")) << r.out;
}

TEST_F(TablesTest, ConditionsSelectTheChannelAndMeasureAppliesItsCorrections) {
    Finished r = runWith({"conditions", "--format", "json", "--set", "channel=7"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(nlohmann::json::parse(r.out)["channel"]["number"], 7);
    EXPECT_EQ(sent("UCCS,07"), 1);
    r = runWith({"conditions", "--set", "channel=11"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("not a calibration channel 0 to 10"), std::string::npos) << r.err;

    r = runWith({"measure", "--user-cal", "--format", "json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.err.find("user calibration of channel 3 (mode 22): wavelength, level applied"),
              std::string::npos)
        << r.err;
}

TEST_F(TablesTest, CtrlCDuringATableReadStopsAtTheNextEntry) {
    memory.activeChannel = 0;  // nothing to scan before the read
    save();
    CliProcess process(folder.path(), simulated({"--sim-state", file("state.json").string(),
                                                 "--sim-baud", "19200", "channel", "3"}));
    ASSERT_TRUE(waitUntil([&] { return sent("UCPR,0,03,050") == 1; }, 10s)) << process.err();
    process.signal(SIGINT);
    const Finished r = process.wait(5s);
    EXPECT_EQ(r.exitCode, 130) << r.err;
    EXPECT_TRUE(r.out.empty());
    EXPECT_LT(sent("UCPR,0,03,"), 100);
    EXPECT_EQ(sent("UCPR,1,03,"), 0);
    EXPECT_EQ(commands().back(), "RMTS,0");
}

}  // namespace
}  // namespace clitest
