// `usercal save|load|erase|id|show` and `factors --write-lens|--write-nd` against a simulated
// instrument started from a prepared memory: the lines they send, the files they write and
// their refusals.
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <bit>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>

#include "CliTest.h"
#include "simulator/Memory.h"

namespace clitest {
namespace {

using rx9100sim::Memory;

std::string hexOf(float value) {
    char text[16];
    std::snprintf(text, sizeof text, "%08X", std::bit_cast<std::uint32_t>(value));
    return text;
}

class UsercalTest : public CliTest {
  protected:
    void SetUp() override {
        memory.channels[3].wavelength = rx9100sim::identityWavelengthTable();
        memory.channels[3].level = rx9100sim::unitTable();
        for (int i = 0; i < 401; ++i) {
            (*memory.channels[3].wavelength)[i] += 0.5f - i / 1000.0f;
            (*memory.channels[3].level)[i] = 0.25f + i / 300.0f;
        }
        memory.channels[3].id = "LAB-A";
        std::ofstream(file("state.json")) << rx9100sim::memoryToJson(memory);
    }
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
    std::string writeText(const std::string& name, const std::string& header,
                          const std::string& factor) const {
        std::ofstream out(file(name), std::ios::binary);
        out << header << "\r\n";
        for (int i = 0; i < 401; ++i) {
            out << factor << "\r\n";
        }
        return file(name).string();
    }

    Memory memory;
};

TEST_F(UsercalTest, SaveThenLoadSendsBackEveryEntryBitForBit) {
    const std::string saved = file("three.ucf").string();
    Finished r = runWith({"usercal", "save", "3", saved});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(std::filesystem::file_size(saved), 6464u);
    EXPECT_FALSE(std::filesystem::exists(saved + ".part"));
    EXPECT_EQ(commands().back(), "RMTS,0");

    r = runWith({"usercal", "load", "5", saved});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto lines = commands();
    std::vector<std::string> writes;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(writes),
                 [](const std::string& s) { return s.starts_with("UCPS"); });
    ASSERT_EQ(writes.size(), 804u);
    for (int i = 0; i < 401; ++i) {
        char index[8];
        std::snprintf(index, sizeof index, "%03d", i);
        EXPECT_EQ(writes[2 * i], "UCPS,0,05," + std::string(index) + "," +
                                     hexOf((*memory.channels[3].wavelength)[i]));
        EXPECT_EQ(writes[2 * i + 1],
                  "UCPS,1,05," + std::string(index) + "," + hexOf((*memory.channels[3].level)[i]));
    }
    EXPECT_EQ(writes[802], "UCPS,2,05,LAB-A");
    EXPECT_EQ(writes[803], "UCPS,3");
    EXPECT_EQ(lines.back(), "RMTS,0");

    r = run({"usercal", "show", saved, "--format", "json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto shown = nlohmann::json::parse(r.out);
    EXPECT_EQ(shown["id"], "LAB-A");
    EXPECT_EQ(shown["accepted"], true);
    EXPECT_EQ(shown["wavelength"][0], 380.5);
}

TEST_F(UsercalTest, CtrlCStopsALoadBetweenEntriesWithoutTheIdAndStore) {
    const std::string saved = file("three.ucf").string();
    ASSERT_EQ(runWith({"usercal", "save", "3", saved}).exitCode, 0);
    std::filesystem::remove(transcript());
    CliProcess process(folder.path(),
                       simulated({"--sim-state", file("state.json").string(), "--sim-baud", "9600",
                                  "usercal", "load", "5", saved}));
    ASSERT_TRUE(waitUntil([&] { return sent("UCPS,1,05,") >= 20; }, std::chrono::seconds(20)));
    process.signal(SIGINT);
    const Finished r = process.wait(std::chrono::seconds(10));
    EXPECT_EQ(r.exitCode, 130) << r.err;
    EXPECT_NE(r.err.find("channel 5 holds part of the file's entries"), std::string::npos) << r.err;
    EXPECT_LT(sent("UCPS,0,05,"), 401);
    EXPECT_EQ(sent("UCPS,2"), 0);
    EXPECT_EQ(sent("UCPS,3"), 0);
    EXPECT_EQ(commands().back(), "RMTS,0");
}

TEST_F(UsercalTest, SaveRefusesToReplaceAFileUnlessForced) {
    const std::string path = file("kept.ucf").string();
    std::ofstream(path) << "precious";
    Finished r = runWith({"usercal", "save", "3", path});
    EXPECT_EQ(r.exitCode, 5);
    EXPECT_NE(r.err.find("--force"), std::string::npos) << r.err;
    EXPECT_EQ(std::filesystem::file_size(path), 8u);
    r = runWith({"usercal", "save", "3", path, "--force"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(std::filesystem::file_size(path), 6464u);
}

TEST_F(UsercalTest, BrokenFilesAreRefusedAndAFarEntryStopsTheWriteThere) {
    const std::string saved = file("three.ucf").string();
    ASSERT_EQ(runWith({"usercal", "save", "3", saved}).exitCode, 0);
    std::string bytes;
    {
        std::ifstream in(saved, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    std::ofstream(file("cut.ucf"), std::ios::binary) << bytes.substr(0, 3000);
    Finished r = runWith({"usercal", "load", "4", file("cut.ucf").string()});
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_NE(r.err.find("ends before all its fields"), std::string::npos) << r.err;
    EXPECT_EQ(sent("UCPS"), 0);

    const double far = 582.5;  // entry 200: 2.5 nm from 580
    bytes.replace(34 + 200 * 8, 8, reinterpret_cast<const char*>(&far), 8);
    std::ofstream(file("far.ucf"), std::ios::binary) << bytes;
    r = runWith({"usercal", "load", "4", file("far.ucf").string()});
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_NE(r.err.find("ファイルフォーマットが正しくありません"), std::string::npos) << r.err;
    EXPECT_EQ(sent("UCPS,0,04,"), 200);
    EXPECT_EQ(sent("UCPS,2"), 0);
    EXPECT_EQ(sent("UCPS,3"), 0);
    EXPECT_EQ(commands().back(), "RMTS,0");
}

TEST_F(UsercalTest, EraseAsksUnlessToldAndIdsFollowTheEditorsRules) {
    Finished r = runWith({"usercal", "erase", "3"});  // no terminal to ask on
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(sent("UCCD"), 0);
    r = runWith({"usercal", "erase", "3", "--yes"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(sent("UCPS,0,03,"), 401);
    EXPECT_EQ(sent("UCCD,03"), 1);

    r = runWith({"usercal", "id", "3", "NEW ID"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(sent("UCPS,2,03,    NEW ID"), 1);
    for (const char* bad : {"A!B", "ELEVEN-CHAR"}) {
        r = runWith({"usercal", "id", "3", bad});
        EXPECT_EQ(r.exitCode, 2) << bad;
        EXPECT_EQ(sent("UCPS"), 0) << bad;
    }
}

TEST_F(UsercalTest, FactorFilesAreWrittenForAllAnglesOrRefusedBeforeSending) {
    const std::string nd = writeText("ND1.ncf", "[ND1]", "1.0000000001");
    Finished r = runWith({"factors", "--write-nd", "1", nd});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    for (const char* angle : {"NFCS,0,1,", "NFCS,1,1,", "NFCS,2,1,"}) {
        EXPECT_EQ(sent(angle), 401) << angle;
    }
    EXPECT_EQ(sent("NFCS,0,1,000,3F800000"), 1);
    EXPECT_EQ(sent("NFCS,3"), 3);

    const std::string misnamed = writeText("other.ncf", "[ND1]", "0.5");
    r = runWith({"factors", "--write-nd", "1", misnamed});
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_NE(r.err.find("[other]"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(transcript()) && sent("NFCS") > 0);

    const std::string lens = writeText("lens.lcf", "any", "1.001");
    r = runWith({"factors", "--write-lens", lens});
    EXPECT_EQ(r.exitCode, 4);
    r = run({"usercal", "show", lens});
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_NE(r.out.find("outside 0 < f <= 1"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\n  780     1.0010000467\n"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace clitest
