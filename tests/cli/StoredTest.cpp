// rx9100 stored, target write and options against the built-in simulator, whose memory a
// state file keeps from one command to the next.
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <nlohmann/json.hpp>

#include "CliTest.h"

namespace clitest {
namespace {

using namespace std::chrono_literals;

std::size_t countPrefix(const std::vector<std::string>& lines, const std::string& prefix) {
    return static_cast<std::size_t>(std::count_if(
        lines.begin(), lines.end(), [&](const auto& l) { return l.starts_with(prefix); }));
}

class Stored : public CliTest {
  protected:
    // The simulator with twelve stored samples and targets, kept in the test's state file.
    Finished stored(std::vector<std::string> more, const Launch& launch = {}) const {
        std::vector<std::string> args{"--sim-stored", "12", "--sim-keep-state",
                                      file("state.json").string()};
        args.insert(args.end(), more.begin(), more.end());
        return runCli(folder.path(), simulated(args), 30s, launch);
    }
    nlohmann::json json(const std::string& name) const {
        return nlohmann::json::parse(readFile(file(name)));
    }
    // What restore must bring back of a target: its kind, name and values.
    static nlohmann::json essence(const nlohmann::json& record) {
        nlohmann::json e = {
            {"number", record["number"]}, {"type", record["type"]}, {"name", record["name"]}};
        e["values"] = record["type"] == "colour" ? record["values"] : record["spectrum"]["values"];
        return e;
    }
};

TEST_F(Stored, ListShowsColourOnlyTargetsAsOneColourRow) {
    const Finished f = stored({"stored", "list", "--targets", "--format", "json"});
    ASSERT_EQ(f.exitCode, 0) << f.err;
    const auto document = nlohmann::json::parse(f.out);
    ASSERT_EQ(document["targets"].size(), 12u);
    EXPECT_FALSE(document.contains("samples"));
    const auto& t3 = document["targets"][2];
    EXPECT_EQ(t3["number"], 3);
    EXPECT_EQ(t3["type"], "colour");
    EXPECT_EQ(t3["values"], nlohmann::json::parse("[3.2,0.1552,0.0195]"));
    EXPECT_EQ(document["targets"][0]["type"], "spectral");
    EXPECT_FALSE(document["targets"][0].contains("spectrum"));  // a listing has no spectra
    const auto sent = receivedCommands(transcript());
    EXPECT_EQ(countPrefix(sent, "TGDR,03,2,0,01"), 1u);
    EXPECT_EQ(countPrefix(sent, "STDR"), 0u);
}

TEST_F(Stored, DeleteWhoseBackupCannotBeWrittenDeletesNothing) {
    const Finished f = stored({"stored", "delete", "--targets", "--all", "--yes", "--backup",
                               (folder.path() / "missing" / "b.json").string()});
    EXPECT_EQ(f.exitCode, 5) << f.err;
    EXPECT_NE(f.err.find("nothing was deleted"), std::string::npos) << f.err;
    const auto sent = receivedCommands(transcript());
    EXPECT_EQ(countPrefix(sent, "TGDD"), 0u);
    EXPECT_EQ(countPrefix(sent, "TGAD"), 0u);
    EXPECT_EQ(sent.back(), "RMTS,0");
}

TEST_F(Stored, DeleteWithoutAnAnswerDeletesNothingButKeepsTheBackup) {
    Launch noInput;
    noInput.closed = {0};
    const Finished f = stored(
        {"stored", "delete", "--samples", "4", "--backup", file("b.json").string()}, noInput);
    EXPECT_EQ(f.exitCode, 0) << f.err;
    EXPECT_EQ(countPrefix(receivedCommands(transcript()), "STDD"), 0u);
    EXPECT_EQ(json("b.json")["samples"].size(), 1u);
}

TEST_F(Stored, BackupRestoresTheTargetsExactly) {
    ASSERT_EQ(
        stored({"stored", "export", "--targets", "-o", file("before.json").string()}).exitCode, 0);
    const Finished deleted = stored({"stored", "delete", "--targets", "--all", "--yes", "--backup",
                                     file("backup.json").string()});
    ASSERT_EQ(deleted.exitCode, 0) << deleted.err;
    // Deleted one by one: exactly the records the backup holds.
    EXPECT_EQ(countPrefix(receivedCommands(transcript()), "TGDD"), 12u);
    const Finished empty = stored({"stored", "list", "--targets", "--format", "json"});
    EXPECT_EQ(nlohmann::json::parse(empty.out)["targets"].size(), 0u);

    const Finished restored = stored({"stored", "restore", file("backup.json").string()});
    ASSERT_EQ(restored.exitCode, 0) << restored.err;
    ASSERT_EQ(stored({"stored", "export", "--targets", "-o", file("after.json").string()}).exitCode,
              0);
    const auto before = json("before.json")["targets"];
    const auto after = json("after.json")["targets"];
    ASSERT_EQ(before.size(), after.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(essence(before[i]), essence(after[i])) << "target " << before[i]["number"];
    }
}

TEST_F(Stored, DeleteStopsAtTheFirstRefusal) {
    const Finished f = stored({"--sim-fault", "TGDD,12:error:20", "stored", "delete", "--targets",
                               "12", "3", "--yes", "--backup", file("b.json").string()});
    EXPECT_EQ(f.exitCode, 4) << f.err;
    const auto sent = receivedCommands(transcript());
    std::vector<std::string> deletes;
    std::copy_if(sent.begin(), sent.end(), std::back_inserter(deletes),
                 [](const std::string& l) { return l.starts_with("TGDD"); });
    EXPECT_EQ(deletes, (std::vector<std::string>{"TGDD,03", "TGDD,12"}));
    EXPECT_EQ(json("b.json")["targets"].size(), 2u);
    EXPECT_EQ(sent.back(), "RMTS,0");
}

TEST_F(Stored, SamplesCannotBeRestoredAndUnknownNumbersAreRefused) {
    ASSERT_EQ(stored({"stored", "export", "--samples", "-o", file("s.json").string()}).exitCode, 0);
    Finished f = stored({"stored", "restore", file("s.json").string()});
    EXPECT_EQ(f.exitCode, 2);
    EXPECT_NE(f.err.find("samples cannot be written back"), std::string::npos) << f.err;
    f = stored({"stored", "delete", "--targets", "15", "--yes"});
    EXPECT_EQ(f.exitCode, 2);
    EXPECT_NE(f.err.find("target 15 holds nothing"), std::string::npos) << f.err;
    EXPECT_EQ(countPrefix(receivedCommands(transcript()), "TGDS"), 0u);
}

TEST_F(Stored, CtrlCDuringAFullSampleExportLeavesNoFile) {
    std::vector<std::string> args =
        simulated({"--sim-stored", "100", "--sim-baud", "38400", "stored", "export", "--samples",
                   "-o", file("out.json").string()});
    CliProcess process(folder.path(), args);
    ASSERT_TRUE(waitUntil(
        [&] { return countPrefix(receivedCommands(transcript()), "STDR,02,1,1,4") > 0; }, 20s));
    process.signal(SIGINT);
    const Finished f = process.wait(20s);
    EXPECT_EQ(f.exitCode, 130) << f.err;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        EXPECT_EQ(entry.path().filename().string().find("out.json"), std::string::npos)
            << entry.path();
    }
    const auto sent = receivedCommands(transcript());
    EXPECT_LT(countPrefix(sent, "STDR"), 100u);
    EXPECT_EQ(sent.back(), "RMTS,0");
}

TEST_F(Stored, TargetWriteFromAnExportSends401PointsThenTheName) {
    ASSERT_EQ(stored({"stored", "export", "--samples", "-o", file("s.json").string()}).exitCode, 0);
    std::filesystem::remove(transcript());
    const Finished f = stored({"target", "write", "15", "--from", file("s.json").string(),
                               "--record", "2", "--name", "Panel W"});
    // A sample file holds no targets: only a measurement or target file can be written.
    EXPECT_EQ(f.exitCode, 2) << f.err;
    ASSERT_EQ(stored({"stored", "export", "--targets", "-o", file("t.json").string()}).exitCode, 0);
    std::filesystem::remove(transcript());
    const Finished w = stored({"target", "write", "15", "--from", file("t.json").string(),
                               "--record", "2", "--name", "Panel W"});
    ASSERT_EQ(w.exitCode, 0) << w.err;
    const auto sent = receivedCommands(transcript());
    EXPECT_EQ(countPrefix(sent, "TGDS,1,0,15,"), 401u);
    EXPECT_EQ(countPrefix(sent, "TGDS,0,3,15,Panel W"), 1u);
    const auto list = stored({"stored", "list", "--targets", "--format", "json"});
    const auto targets = nlohmann::json::parse(list.out)["targets"];
    EXPECT_EQ(targets.back()["number"], 15);
    EXPECT_EQ(targets.back()["name"], "Panel W");
}

TEST_F(Stored, TargetWriteMeasuresNowAndExportsInEveryFormat) {
    const Finished w = stored({"target", "write", "20", "--measure", "--name", "Now"});
    ASSERT_EQ(w.exitCode, 0) << w.err;
    const auto sent = receivedCommands(transcript());
    EXPECT_EQ(countPrefix(sent, "MEAS,1"), 1u);
    EXPECT_EQ(countPrefix(sent, "TGDS,1,0,20,"), 401u);
    EXPECT_EQ(sent.back(), "RMTS,0");

    const Finished csv =
        stored({"stored", "export", "--targets", "--format", "csv", "-o", file("t.csv").string()});
    ASSERT_EQ(csv.exitCode, 0) << csv.err;
    const std::string table = readFile(file("t.csv"));
    EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 14);  // header and 13 targets
    EXPECT_NE(table.find("\ntarget,3,colour,LED 450,2,3.2000,0.1552,0.0195,,"), std::string::npos);
    EXPECT_NE(table.find("\ntarget,20,spectral,Now,"), std::string::npos);

    const Finished cgats = stored(
        {"stored", "export", "--targets", "--format", "cgats", "-o", file("t.ti3").string()});
    ASSERT_EQ(cgats.exitCode, 0) << cgats.err;
    EXPECT_NE(cgats.err.find("T3, T6, T9, T12"), std::string::npos) << cgats.err;
    const std::string ti3 = readFile(file("t.ti3"));
    EXPECT_NE(ti3.find("NUMBER_OF_SETS 9\n"), std::string::npos);
    EXPECT_NE(ti3.find("\nT20 \"Now\" "), std::string::npos);
}

TEST_F(Stored, OptionsAreWrittenInOrderAndReadBack) {
    Finished f = stored({"options", "--set", "display-observer=10", "luminance-unit=ft-L",
                         "active-target=7", "--format", "json"});
    ASSERT_EQ(f.exitCode, 0) << f.err;
    const auto object = nlohmann::json::parse(f.out);
    EXPECT_EQ(object["display-observer"]["code"], 1);
    EXPECT_EQ(object["luminance-unit"]["name"], "ft-L");
    EXPECT_EQ(object["active-target"], 7);
    auto sent = receivedCommands(transcript());
    const auto first = std::find(sent.begin(), sent.end(), "OBSS,1");
    ASSERT_NE(first, sent.end());
    EXPECT_EQ(
        std::vector<std::string>(first, first + 6),
        (std::vector<std::string>{"OBSS,1", "CSMS,0", "DIMS,0", "BALS,1,1", "LUUS,0", "TGSL,07"}));
    f = stored({"options", "--set", "display-observer=2deg", "colour-mode=9"});
    EXPECT_EQ(f.exitCode, 2);
    EXPECT_NE(f.err.find("colour-mode is one of"), std::string::npos) << f.err;
}

}  // namespace
}  // namespace clitest
