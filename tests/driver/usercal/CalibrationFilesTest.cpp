#include "usercal/CalibrationFiles.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using usercal::FileProblem;

class CalibrationFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = fs::temp_directory_path() / "rx9100-ucf-XXXXXX";
        folder = mkdtemp(pattern.data());
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string write(const std::string& name, const std::string& content) {
        const std::string path = folder + "/" + name;
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
    // A header line and 401 factor lines of `value`, line `at` (0 = 380 nm) replaced.
    static std::string factorText(const std::string& header, int at = -1,
                                  const std::string& value = "0.5") {
        std::string text = header + "\r\n";
        for (int i = 0; i < kCalibrationEntries; ++i) {
            text += (i == at ? value : std::string("0.9876543210")) + "\r\n";
        }
        return text;
    }
    static UserCalibrationFile sample(bool wave, bool level) {
        UserCalibrationFile record;
        record.id = "LAMP-A";
        record.hasWave = wave ? 1 : 0;
        record.hasLevel = level ? 1 : 0;
        for (int i = 0; i < kCalibrationEntries; ++i) {
            record.wave[i] = 380.0 + i + 0.25;
            record.level[i] = 0.5 + i / 1000.0;
        }
        return record;
    }

    std::string folder;
};

TEST_F(CalibrationFiles, UcfSizesLayoutAndRoundTrip) {
    const std::string both = usercal::ucfBytes(sample(true, true));
    EXPECT_EQ(both.size(), 6464u);
    EXPECT_EQ(usercal::ucfBytes(sample(false, false)).size(), 48u);
    EXPECT_EQ(usercal::ucfBytes(sample(true, false)).size(), 48u + 401 * 8);
    // ID padded to 20, "[Wave]" to 10, the flag little-endian, then entry 0 as a double.
    EXPECT_EQ(both.substr(0, 7), std::string("LAMP-A\0", 7));
    EXPECT_EQ(both.substr(20, 7), std::string("[Wave]\0", 7));
    EXPECT_EQ(both.substr(30, 4), std::string("\1\0\0\0", 4));
    double first = 0;
    std::memcpy(&first, both.data() + 34, 8);
    EXPECT_EQ(first, 380.25);
    EXPECT_EQ(both.substr(34 + 3208, 8), std::string("[Level]\0", 8));

    const std::string path = folder + "/ch.ucf";
    ASSERT_EQ(usercal::writeUcf(path, sample(true, true)), FileProblem::None);
    UserCalibrationFile back;
    ASSERT_EQ(usercal::loadUcf(path, back), FileProblem::None);
    EXPECT_TRUE(back.loaded);
    EXPECT_EQ(back.id, "LAMP-A");
    EXPECT_EQ(back.wave, sample(true, true).wave);
    EXPECT_EQ(back.level, sample(true, true).level);

    // Without the wavelength table the level table follows the flag directly.
    UserCalibrationFile levelOnly;
    ASSERT_EQ(usercal::loadUcf(write("l.ucf", usercal::ucfBytes(sample(false, true))), levelOnly),
              FileProblem::None);
    EXPECT_EQ(levelOnly.hasWave, 0);
    EXPECT_EQ(levelOnly.level[400], 0.9);
    EXPECT_EQ(levelOnly.wave[0], 1.0);
}

TEST_F(CalibrationFiles, UcfTruncatedAnywhereIsRefusedAndLeavesTheRecordAlone) {
    const std::string both = usercal::ucfBytes(sample(true, true));
    UserCalibrationFile record;
    record.id = "KEEP";
    for (std::size_t cut : {std::size_t(0), std::size_t(19), std::size_t(33),
                            std::size_t(34 + 3207), std::size_t(34 + 3208 + 13), both.size() - 1}) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(both.data());
        EXPECT_EQ(usercal::parseUcf({bytes, cut}, record), FileProblem::Truncated) << cut;
    }
    EXPECT_EQ(record.id, "KEEP");
    EXPECT_FALSE(record.loaded);
    // A non-zero flag other than 1 still announces a table, which must then be there.
    std::string odd = usercal::ucfBytes(sample(false, false));
    odd[30] = 7;
    EXPECT_EQ(usercal::readUcf(write("odd.ucf", odd), record), FileProblem::Truncated);
    EXPECT_EQ(usercal::readUcf(folder + "/missing.ucf", record), FileProblem::CannotOpen);
}

TEST_F(CalibrationFiles, UcfTextFieldsEndAtTheirFirstZeroAndTrailingBytesAreIgnored) {
    std::string bytes = usercal::ucfBytes(sample(false, true));
    bytes.replace(0, 20, std::string("ABCDEFGHIJKLMNOPQRST"));  // no zero byte at all
    bytes.replace(20, 10, std::string("  [Wave]\0X", 10));      // blanks before, junk after
    bytes += "trailing garbage";
    UserCalibrationFile record;
    ASSERT_EQ(usercal::loadUcf(write("t.ucf", bytes), record), FileProblem::None);
    EXPECT_EQ(record.id, "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(record.waveHeader, "  [Wave]");

    bytes.replace(20, 10, std::string("[wave]\0\0\0\0", 10));
    EXPECT_EQ(usercal::loadUcf(write("h.ucf", bytes), record), FileProblem::BadHeader);
    EXPECT_TRUE(record.loaded);  // read, then judged
    bytes = usercal::ucfBytes(sample(false, false));
    bytes.replace(34, 10, std::string("[Levels]\0\0", 10));
    EXPECT_EQ(usercal::loadUcf(write("h2.ucf", bytes), record), FileProblem::BadHeader);
}

TEST_F(CalibrationFiles, FactorFilesRoundTripWithTenDecimalsAndCrLf) {
    LensCoefficientFile lens;
    lens.header = "[LENS]";
    for (int i = 0; i < kCalibrationEntries; ++i) {
        lens.factors[i] = 0.5f + i / 1000.0f;
    }
    const std::string text = usercal::coefficientText(lens);
    EXPECT_EQ(text.substr(0, 22), "[LENS]\r\n0.5000000000\r\n");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 402);
    const std::string path = folder + "/x.lcf";
    ASSERT_EQ(usercal::writeCoefficients(path, lens), FileProblem::None);
    LensCoefficientFile back;
    ASSERT_EQ(usercal::loadLens(path, back), FileProblem::None);
    EXPECT_EQ(back.header, "[LENS]");
    EXPECT_EQ(back.factors, lens.factors);
}

TEST_F(CalibrationFiles, FactorsAreJudgedInSinglePrecision) {
    LensCoefficientFile lens;
    EXPECT_EQ(usercal::loadLens(write("a.lcf", factorText("x", 0, "1.0")), lens),
              FileProblem::None);
    EXPECT_EQ(usercal::loadLens(write("b.lcf", factorText("x", 400, "1.0000000001")), lens),
              FileProblem::None);
    EXPECT_EQ(lens.factors[400], 1.0f);
    EXPECT_EQ(usercal::loadLens(write("c.lcf", factorText("x", 5, "0.0")), lens),
              FileProblem::BadFactor);
    EXPECT_EQ(usercal::loadLens(write("d.lcf", factorText("x", 5, "1.001")), lens),
              FileProblem::BadFactor);
    EXPECT_EQ(usercal::loadLens(write("e.lcf", factorText("x", 5, "-0.5")), lens),
              FileProblem::BadFactor);
    // Text that is no number reads as 0, "nan" is never in range.
    EXPECT_EQ(usercal::loadLens(write("f.lcf", factorText("x", 5, "abc")), lens),
              FileProblem::BadFactor);
    EXPECT_EQ(usercal::loadLens(write("g.lcf", factorText("x", 5, "nan")), lens),
              FileProblem::BadFactor);
    // Quotes at both ends are removed, LF alone also ends a line.
    EXPECT_EQ(usercal::loadLens(write("q.lcf", factorText("\"x\"", 7, "\"0.25\"")), lens),
              FileProblem::None);
    EXPECT_EQ(lens.header, "x");
    EXPECT_EQ(lens.factors[7], 0.25f);
}

TEST_F(CalibrationFiles, FactorFilesEndingEarlyAreRefusedLaterLinesIgnored) {
    std::string text = factorText("[ND1]");
    LensCoefficientFile lens;
    lens.header = "KEEP";
    const std::string short1 = text.substr(0, text.rfind("0.98"));  // 401 lines
    EXPECT_EQ(usercal::loadLens(write("s.lcf", short1), lens), FileProblem::Truncated);
    EXPECT_EQ(usercal::loadLens(write("z.lcf", ""), lens), FileProblem::Truncated);
    EXPECT_EQ(lens.header, "KEEP");
    // The last line without its line end still counts.
    EXPECT_EQ(usercal::loadLens(write("n.lcf", text.substr(0, text.size() - 2)), lens),
              FileProblem::None);
    EXPECT_EQ(usercal::loadLens(write("l.lcf", text + "5.0\r\nrubbish\r\n"), lens),
              FileProblem::None);
    EXPECT_EQ(usercal::loadLens(folder + "/none.lcf", lens), FileProblem::CannotOpen);
}

TEST_F(CalibrationFiles, AnNdFileMustNameItselfInItsHeader) {
    NdCoefficientFile nd;
    const std::string data = factorText("[ND1]");
    EXPECT_EQ(usercal::loadNd(write("ND1.ncf", data), nd), FileProblem::None);
    EXPECT_EQ(usercal::loadNd(write("ND2.ncf", data), nd), FileProblem::BadHeader);
    EXPECT_EQ(usercal::loadNd(write("nd1.ncf", data), nd), FileProblem::BadHeader);
    EXPECT_EQ(usercal::loadNd(write("ND1b.ncf", "  [ND1b]" + data.substr(5)), nd),
              FileProblem::None);
    EXPECT_EQ(usercal::loadNd(write("my.filter.ncf", factorText("[my.filter]")), nd),
              FileProblem::None);
    EXPECT_EQ(usercal::ndHeaderFor("/some/where/ND1.ncf"), "[ND1]");
    // The header is judged before the factors; a lens file has no header rule.
    EXPECT_EQ(usercal::loadNd(write("ND3.ncf", factorText("[ND3]", 0, "2")), nd),
              FileProblem::BadFactor);
    LensCoefficientFile lens;
    EXPECT_EQ(usercal::loadLens(write("ND2.lcf", data), lens), FileProblem::None);
}

}  // namespace
