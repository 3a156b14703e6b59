// One measurement in every output format, checked by what reads it: JSON by a
// parser, CSV by its rows, CGATS by ArgyllCMS's spec2cie, the plot as a PNG.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "CliTest.h"

namespace clitest {
namespace {

using MeasureTest = CliTest;

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The first data row of a CGATS file as named fields.
std::map<std::string, double> firstCgatsRow(const std::string& text) {
    const auto formatStart = text.find("BEGIN_DATA_FORMAT\n") + 18;
    const auto formatEnd = text.find("\nEND_DATA_FORMAT");
    const auto dataStart = text.find("BEGIN_DATA\n") + 11;
    std::istringstream names(text.substr(formatStart, formatEnd - formatStart));
    std::istringstream values(text.substr(dataStart));
    std::map<std::string, double> row;
    std::string name;
    double value = 0;
    while (names >> name && values >> value) {
        row[name] = value;
    }
    return row;
}

TEST_F(MeasureTest, JsonLinesCarryColourConditionsIdentityAndSpectrum) {
    const Finished r = run({"measure", "--count", "2", "--format", "json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto lines = splitLines(r.out);
    ASSERT_EQ(lines.size(), 2u) << r.out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto m = nlohmann::json::parse(lines[i]);
        EXPECT_EQ(m["measurement"], i + 1);
        EXPECT_EQ(m["instrument"]["name"], "RX-9100");
        EXPECT_EQ(m["instrument"]["firmware_level"], 110);
        EXPECT_EQ(m["conditions"]["speed"]["code"], 3);
        EXPECT_TRUE(m["warning"].is_null());
        ASSERT_EQ(m["spectrum"]["values"].size(), 401u);
        const auto& colour = m["colour"];
        EXPECT_NEAR(colour["Lv"].get<double>(), 100.0, 1.0);  // the simulator's D65 at 100 cd/m²
        EXPECT_NEAR(colour["x"].get<double>(), 0.3127, 0.002);
        EXPECT_NEAR(colour["y"].get<double>(), 0.3290, 0.002);
        EXPECT_NEAR(colour["CCT"].get<double>(), 6504.0, 40.0);
        for (const char* key :
             {"u_prime", "v_prime", "Duv", "X", "Y", "Z", "dominant_wavelength_nm", "purity"}) {
            EXPECT_TRUE(colour[key].is_number()) << key;
        }
    }
}

TEST_F(MeasureTest, TheObserverChangesTheColourValuesNotTheSpectrum) {
    const Finished two = run({"measure", "--format", "json"});
    const Finished ten = run({"measure", "--format", "json", "--observer", "10"});
    ASSERT_EQ(two.exitCode, 0) << two.err;
    ASSERT_EQ(ten.exitCode, 0) << ten.err;
    const auto a = nlohmann::json::parse(two.out);
    const auto b = nlohmann::json::parse(ten.out);
    EXPECT_EQ(b["colour"]["observer"], 10);
    EXPECT_EQ(a["spectrum"]["values"], b["spectrum"]["values"]);  // exact readings: same light
    // D65 in the 10° system: x 0.3138, y 0.3310.
    EXPECT_NEAR(b["colour"]["x"].get<double>(), 0.3138, 0.002);
    EXPECT_NEAR(b["colour"]["y"].get<double>(), 0.3310, 0.002);
    EXPECT_GT(std::abs(a["colour"]["y"].get<double>() - b["colour"]["y"].get<double>()), 0.001);
}

TEST_F(MeasureTest, CsvHasAUnitHeaderAnd401Rows) {
    const Finished r = run({"measure", "--format", "csv", "--output", file("m.csv").string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(r.out.empty());
    const auto lines = splitLines(readFile(file("m.csv")));
    ASSERT_EQ(lines.size(), 402u);
    EXPECT_EQ(lines.front(), "wavelength_nm,spectral_radiance_W/(sr*m2*nm)");
    EXPECT_TRUE(lines[1].starts_with("380,"));
    EXPECT_TRUE(lines.back().starts_with("780,"));

    const Finished series = run({"measure", "--count", "2", "--format", "csv"});
    const auto rows = splitLines(series.out);
    ASSERT_EQ(rows.size(), 1u + 2u * 401u);
    EXPECT_TRUE(rows.front().starts_with("measurement,wavelength_nm,"));
    EXPECT_TRUE(rows.back().starts_with("2,780,"));
}

TEST_F(MeasureTest, ArgyllReadsTheCgatsFileAndAgreesOnXyz) {
    if (std::string(RX9100_SPEC2CIE).empty()) {
        GTEST_SKIP() << "spec2cie (ArgyllCMS) is not installed";
    }
    const Finished r = run({"measure", "--format", "cgats", "-o", file("m.ti3").string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string command = std::string(RX9100_SPEC2CIE) + " -n " + file("m.ti3").string() +
                                " " + file("argyll.ti3").string() + " >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << readFile(file("m.ti3")).substr(0, 600);
    const auto ours = firstCgatsRow(readFile(file("m.ti3")));
    const auto argyll = firstCgatsRow(readFile(file("argyll.ti3")));
    for (const char* field : {"XYZ_X", "XYZ_Y", "XYZ_Z"}) {
        ASSERT_TRUE(ours.contains(field) && argyll.contains(field)) << field;
        EXPECT_NEAR(argyll.at(field) / ours.at(field), 1.0, 0.001) << field;
    }
    EXPECT_NEAR(ours.at("XYZ_Y"), 100.0, 1.0);
}

TEST_F(MeasureTest, TableWithProgressWarningAndPlot) {
    std::vector<std::string> args{
        "--sim-luminance", "0.001", "--sim-measuring-time", "0.3", "measure",
        "--progress",      "always"};
#ifdef RX9100_CLI_PLOT
    args.insert(args.end(), {"--plot", file("spectrum.png").string()});
#endif
    const Finished r = run(args);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("RX-9100 (標準モデル), body 1000001, ROM 1.10"), std::string::npos);
    EXPECT_NE(r.out.find("Lv "), std::string::npos);
    EXPECT_NE(r.out.find("CCT  Duv"), std::string::npos);
    EXPECT_NE(r.out.find("warning      216: 露光量不足 (insufficient exposure)"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("speed        normal (3 ノーマル)"), std::string::npos);
    // The bar follows the driver's start and progress messages to the end.
    EXPECT_NE(r.err.find("[##############################]   0.3 / 0.3 s"), std::string::npos)
        << r.err;
#ifdef RX9100_CLI_PLOT
    const std::string png = readFile(file("spectrum.png"));
    ASSERT_GT(png.size(), 1000u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
#else
    const Finished plot = run({"measure", "--plot", file("spectrum.png").string()});
    EXPECT_EQ(plot.exitCode, 5);
    EXPECT_NE(plot.err.find("built without Qt"), std::string::npos);
#endif
}

// An incandescent lamp renders colours as its own reference does: every index near 100, in
// each format that carries them; a sample's reflectance has no rendition to rate.
TEST_F(MeasureTest, RenditionOfAnIncandescentLampIsNearOneHundredInEveryFormat) {
    const std::vector<std::string> lamp{"--sim-source", "a", "measure", "--rendition"};
    auto with = [&lamp](std::vector<std::string> more) {
        more.insert(more.begin(), lamp.begin(), lamp.end());
        return more;
    };
    const Finished table = run(with({}));
    ASSERT_EQ(table.exitCode, 0) << table.err;
    for (const char* label : {"Ra ", "R1-R8 ", "R9-R14 ", "Rf  Rg ", "(reference planckian)"}) {
        EXPECT_NE(table.out.find(label), std::string::npos) << label << "\n" << table.out;
    }

    const Finished json = run(with({"--format", "json"}));
    ASSERT_EQ(json.exitCode, 0) << json.err;
    const auto rendition = nlohmann::json::parse(json.out)["rendition"];
    EXPECT_EQ(rendition["cri"]["reference"], "planckian");
    EXPECT_TRUE(rendition["cri"]["reliable"].get<bool>());
    EXPECT_NEAR(rendition["cri"]["Ra"].get<double>(), 100.0, 1.0);
    ASSERT_EQ(rendition["cri"]["R"].size(), 14u);
    for (const auto& special : rendition["cri"]["R"]) {
        EXPECT_NEAR(special.get<double>(), 100.0, 2.0);
    }
    EXPECT_NEAR(rendition["tm30"]["Rf"].get<double>(), 100.0, 1.0);
    EXPECT_NEAR(rendition["tm30"]["Rg"].get<double>(), 100.0, 1.0);
    EXPECT_EQ(rendition["tm30"]["hue_bins"].size(), 16u);

    const Finished csv = run(with({"--format", "csv"}));
    ASSERT_EQ(csv.exitCode, 0) << csv.err;
    const auto rows = splitLines(csv.out);
    ASSERT_EQ(rows.size(), 402u);
    EXPECT_TRUE(rows[0].ends_with(",Ra,R1,R2,R3,R4,R5,R6,R7,R8,R9,R10,R11,R12,R13,R14,Rf,Rg"))
        << rows[0];
    EXPECT_EQ(std::count(rows[1].begin(), rows[1].end(), ','), 18);
    EXPECT_EQ(rows[1].substr(rows[1].find(',', 4)), rows[401].substr(rows[401].find(',', 4)));

    const Finished sample = run({"measure", "--type", "reflectance", "--rendition"});
    EXPECT_EQ(sample.exitCode, 2);
    EXPECT_NE(sample.err.find("--rendition rates a light source"), std::string::npos) << sample.err;
}

TEST_F(MeasureTest, ColourVectorGraphicOfTheLastLightAndOfOneThatCannotBeRated) {
    EXPECT_EQ(run({"measure", "--cvg", file("cvg.png").string()}).exitCode, 2);  // no --rendition
#ifdef RX9100_CLI_PLOT
    const Finished white = run({"--sim-source", "white", "measure", "--count", "2", "--rendition",
                                "--cvg", file("cvg.png").string()});
    ASSERT_EQ(white.exitCode, 0) << white.err;
    const std::string png = readFile(file("cvg.png"));
    ASSERT_GT(png.size(), 1000u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    // A blue LED has no correlated colour temperature to compare it with: said, exit 5.
    const Finished blue = run(
        {"--sim-source", "led:450", "measure", "--rendition", "--cvg", file("blue.png").string()});
    EXPECT_EQ(blue.exitCode, 5);
    EXPECT_NE(blue.err.find("could not be rated"), std::string::npos) << blue.err;
#endif
}

}  // namespace
}  // namespace clitest
