// The result list as a file, and export of selected results through rx9100's writers.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "ResultExport.h"
#include "ResultList.h"
#include "sensor/ConditionCodes.h"

namespace {

namespace fs = std::filesystem;

MeasuringData spectrum(double level, int method = codes::method::kLightSource) {
    MeasuringData record;
    std::vector<double> values(401);
    for (std::size_t i = 0; i < values.size(); ++i) {
        values[i] = level * (1.0 + 0.001 * static_cast<double>(i));
    }
    record.setData(values);
    record.setMeasurementMethod(method);
    record.setMeasurementTime(CTime(1767225600));
    record.setIntegralTime(0.125f);
    return record;
}

class ResultFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("rx9100-studio-files-" +
                  std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }
    std::string path(const std::string& name) const { return (folder / name).string(); }
    std::string read(const std::string& name) const {
        std::ifstream in(path(name));
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    fs::path folder;
};

TEST_F(ResultFiles, ListSurvivesSaveAndLoadAndKeepsCounting) {
    studio::ResultList list;
    list.add(spectrum(0.01), "measurement");
    list.add(spectrum(0.02, codes::method::kReflection), "remote", 216, "露光量不足");
    EXPECT_TRUE(list.unsaved());
    ASSERT_EQ(list.save(path("list.json")), "");
    EXPECT_FALSE(list.unsaved());

    studio::ResultList loaded;
    ASSERT_EQ(loaded.load(path("list.json")), "");
    ASSERT_EQ(loaded.size(), 2u);
    const auto& second = loaded.items()[1];
    EXPECT_EQ(second.number, 2);
    EXPECT_EQ(second.source, "remote");
    EXPECT_EQ(second.warningCode, 216);
    EXPECT_EQ(second.warningText, "露光量不足");
    EXPECT_EQ(second.record.getMeasurementMethod(), codes::method::kReflection);
    EXPECT_EQ(second.record.getMeasurementTime().GetTime(), 1767225600);
    EXPECT_FLOAT_EQ(second.record.getIntegralTime(), 0.125f);
    EXPECT_EQ(second.record.getData(), list.items()[1].record.getData());  // every bit
    EXPECT_FALSE(loaded.unsaved());
    // The next result continues the numbering of the file.
    EXPECT_EQ(loaded.add(spectrum(0.03), "measurement"), 3);
}

TEST(ResultList, RemovingKeepsTheOtherNumbersAndCountsOn) {
    studio::ResultList list;
    for (int i = 0; i < 5; ++i) {
        list.add(spectrum(0.01 * (i + 1)), "measurement");
    }
    ASSERT_EQ(list.save("/dev/null"), "");
    list.remove({3, 0, 3, 99});  // any order, repeats and positions past the end ignored
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list.items()[0].number, 2);
    EXPECT_EQ(list.items()[1].number, 3);
    EXPECT_EQ(list.items()[2].number, 5);
    EXPECT_TRUE(list.unsaved());
    EXPECT_EQ(list.add(spectrum(0.1), "measurement"), 6);
}

TEST_F(ResultFiles, LoadRefusesOtherFilesAndKeepsTheList) {
    studio::ResultList list;
    list.add(spectrum(0.01), "measurement");
    std::ofstream(path("other.json")) << R"({"kind":"something else","results":[]})";
    std::ofstream(path("broken.json"))
        << R"({"kind":"rx9100-studio results","results":[{"number":1}]})";
    std::ofstream(path("newer.json"))
        << R"({"kind":"rx9100-studio results","version":99,"results":[]})";
    for (const char* name : {"other.json", "broken.json", "newer.json", "missing.json"}) {
        EXPECT_NE(list.load(path(name)), "") << name;
        EXPECT_EQ(list.size(), 1u) << name;
    }
}

TEST_F(ResultFiles, ExportWritesTheSelectedResultsInEachFormat) {
    studio::ResultList list;
    list.add(spectrum(0.01), "measurement");
    list.add(spectrum(0.02), "measurement");
    list.add(spectrum(0.03), "measurement");
    cli::ReportContext context;
    context.observer = 10;

    ASSERT_EQ(studio::exportResults(list, {0, 2}, context, cli::Format::Json, path("out.json")),
              "");
    std::istringstream lines(read("out.json"));
    std::string line;
    std::vector<int> numbers;
    while (std::getline(lines, line)) {
        const auto object = nlohmann::json::parse(line);
        numbers.push_back(object["measurement"].get<int>());
        EXPECT_EQ(object["colour"]["observer"], 10);
        EXPECT_EQ(object["spectrum"]["values"].size(), 401u);
    }
    EXPECT_EQ(numbers, (std::vector<int>{1, 3}));

    ASSERT_EQ(studio::exportResults(list, {1, 2}, context, cli::Format::Csv, path("out.csv")), "");
    const std::string csv = read("out.csv");
    EXPECT_EQ(csv.rfind("measurement,wavelength_nm,", 0), 0u);
    EXPECT_NE(csv.find("\n2,380,"), std::string::npos);
    EXPECT_NE(csv.find("\n3,780,"), std::string::npos);

    ASSERT_EQ(studio::exportResults(list, {0}, context, cli::Format::Cgats, path("out.ti3")), "");
    EXPECT_NE(read("out.ti3").find("NUMBER_OF_SETS"), std::string::npos);

    EXPECT_NE(studio::exportResults(list, {}, context, cli::Format::Csv, path("none.csv")), "");
    EXPECT_NE(
        studio::exportResults(list, {0}, context, cli::Format::Csv, path("no/such/folder.csv")),
        "");
}

TEST_F(ResultFiles, ExportLabelsASamplesSpectrumInPerCent) {
    studio::ResultList list;
    list.add(spectrum(50.0, codes::method::kTransmission), "measurement");
    ASSERT_EQ(studio::exportResults(list, {0}, {}, cli::Format::Csv, path("t.csv")), "");
    EXPECT_EQ(read("t.csv").rfind("wavelength_nm,transmittance_%", 0), 0u);
}

TEST(ResultExport, FormatFollowsTheFileName) {
    EXPECT_EQ(studio::formatForPath("a.CSV"), cli::Format::Csv);
    EXPECT_EQ(studio::formatForPath("a.jsonl"), cli::Format::Json);
    EXPECT_EQ(studio::formatForPath("a.ti3"), cli::Format::Cgats);
    EXPECT_EQ(studio::formatForPath("a.png"), std::nullopt);
    EXPECT_EQ(studio::formatForPath("noextension"), std::nullopt);
}

}  // namespace
