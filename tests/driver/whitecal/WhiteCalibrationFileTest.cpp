#include "whitecal/WhiteCalibrationFile.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "whitecal/WhiteCalibrationData.h"

namespace {

namespace fs = std::filesystem;

class WhiteFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = fs::temp_directory_path() / "rx9100-wcb-XXXXXX";
        folder = mkdtemp(pattern.data());
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string write(const std::string& name, const std::vector<std::string>& lines) {
        const std::string path = folder + "/" + name;
        std::ofstream out(path);
        for (const auto& line : lines) {
            out << line << "\n";
        }
        return path;
    }
    // 401 lines of 1.0, with line `at` replaced.
    std::string withValue(int at, const std::string& value) {
        std::vector<std::string> lines(401, "1.0");
        lines[at] = value;
        return write("v.wcb", lines);
    }

    std::string folder;
};

TEST_F(WhiteFiles, ValuesFromTheLowestToTheHighestAreAcceptedAndNothingBeyond) {
    EXPECT_EQ(whitecal::checkFile(withValue(0, "0.0001")), 0);
    EXPECT_EQ(whitecal::checkFile(withValue(400, "2.0")), 0);
    EXPECT_EQ(whitecal::checkFile(withValue(0, "0.00009")), whitecal::kValueOutOfRange);
    EXPECT_EQ(whitecal::checkFile(withValue(400, "2.0001")), whitecal::kValueOutOfRange);
    EXPECT_EQ(whitecal::checkFile(withValue(200, "nan")), whitecal::kValueOutOfRange);
    EXPECT_EQ(whitecal::checkFile(withValue(200, "")), whitecal::kValueOutOfRange);
    EXPECT_EQ(whitecal::kValueOutOfRange, 20809);
}

TEST_F(WhiteFiles, ShortOrMissingFilesAreRefusedAndLinesAfterTheLastAreIgnored) {
    EXPECT_EQ(whitecal::checkFile(write("short.wcb", std::vector<std::string>(400, "1.0"))), 20810);
    EXPECT_EQ(whitecal::checkFile(folder + "/missing.wcb"), 20811);
    std::vector<std::string> longer(401, "1.0");
    longer.push_back("not a number");
    EXPECT_EQ(whitecal::checkFile(write("long.wcb", longer)), 0);
}

TEST_F(WhiteFiles, LoadTrimsQuotesAndReadsEveryLineInOrder) {
    std::vector<std::string> lines;
    for (int i = 0; i < 401; ++i) {
        std::string line(1, '"');
        line.append(std::to_string(0.5 + i * 0.001)).append("\"\r");
        lines.push_back(line);
    }
    WhiteCalibrationData data;
    ASSERT_TRUE(data.load(write("q.wcb", lines)));
    EXPECT_DOUBLE_EQ(data.standardData[0], 0.5);
    EXPECT_DOUBLE_EQ(data.standardData[400], 0.9);

    WhiteCalibrationData untouched;
    EXPECT_FALSE(untouched.load(write("s.wcb", std::vector<std::string>(10, "0.7"))));
    EXPECT_EQ(untouched.standardData, std::vector<double>(401, 1.0));
}

TEST_F(WhiteFiles, TheCopyInTheFolderChosenAgainInOtherLetterCaseIsNotCopied) {
    const std::string source = write("Tile.wcb", std::vector<std::string>(401, "0.9"));
    const std::string system = folder + "/RX9100/";
    std::string target;
    ASSERT_EQ(whitecal::copyIntoFolder(source, system, target), whitecal::CopyResult::Copied);
    EXPECT_EQ(target, folder + "/RX9100/Tile.wcb");
    EXPECT_EQ(whitecal::checkFile(target), 0);

    // The same folder reached under another spelling of its name.
    fs::create_directory_symlink(folder + "/RX9100", folder + "/rx9100");
    const auto written = fs::last_write_time(target);
    std::string again;
    EXPECT_EQ(whitecal::copyIntoFolder(folder + "/rx9100/Tile.wcb", system, again),
              whitecal::CopyResult::AlreadyThere);
    EXPECT_EQ(fs::last_write_time(target), written);

    EXPECT_EQ(whitecal::copyIntoFolder(source, folder + "/no/such/RX9100/", again),
              whitecal::CopyResult::NoFolder);
}

}  // namespace
