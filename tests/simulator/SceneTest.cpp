// What the instrument reads for samples, line sources and its own deliberate errors, and how
// people set them.
#include <cmath>
#include <numeric>

#include "SimulatorFixture.h"
#include "simulator/ControlChannel.h"
#include "simulator/SettingParsers.h"

namespace rx9100sim::test {
namespace {

Sample sample(const char* name) {
    return *Sample::parse(name);
}

// Centroid 380 + Σ i·s[i] / Σ s[i] over [startNm, endNm], both included.
double centroid(const Spectrum& s, int startNm, int endNm) {
    double weighted = 0;
    double sum = 0;
    for (int nm = startNm; nm <= endNm; ++nm) {
        weighted += nm * s[nm - kFirstNm];
        sum += s[nm - kFirstNm];
    }
    return weighted / sum;
}

class Scene : public SimulatorTest {
  protected:
    void SetUp() override {
        SimulatorTest::SetUp();
        enterRemote();
    }
};

TEST_F(Scene, WhiteCalibrationOnTheWhiteTileMakesTheGreyReadItsReflectance) {
    instrument.setScene(*LightSource::parse("a"), 200.0);
    instrument.presentSamples({sample("white"), sample("grey"), sample("grey:0.18")});
    const Spectrum white = measureSpectrum();
    const Spectrum grey = measureSpectrum();
    const Spectrum darkGrey = measureSpectrum();
    for (int i = 0; i < kPoints; ++i) {
        // Coefficients from the white with a standard file of 1.0 everywhere.
        const double coefficient = white[i] / 1.0;
        EXPECT_NEAR(grey[i] / coefficient * 100.0, 50.0, i < 40 ? 0.35 : 0.03) << i;
        EXPECT_NEAR(darkGrey[i] / coefficient * 100.0, 18.0, i < 40 ? 0.15 : 0.01) << i;
    }
    EXPECT_NEAR(luminanceOf(grey), 100.0, 0.01);  // half the luminance of a perfect white

    // The last sample stays; with noise the grey still reads 50 % on average.
    instrument.setNoise(0.002, 3);
    const Spectrum noisy = measureSpectrum();
    double sum = 0;
    for (int i = 0; i < kPoints; ++i) {
        sum += noisy[i] / white[i] * 100.0;
    }
    EXPECT_NEAR(sum / kPoints, 18.0, 0.02);
}

TEST_F(Scene, SamplesFollowOnePerCompletedMeasurement) {
    instrument.presentSamples({sample("none"), sample("red"), sample("cyan")});
    const Spectrum source = measureSpectrum();
    instrument.setMeasuringTiming(MeasuringTiming{1.0, 5.0});
    ASSERT_TRUE(ask("MEAS,1").starts_with("OK00,"));
    ASSERT_EQ(ask("MEAS,0"), "OK00");  // a cancelled measurement does not use up the red
    instrument.setMeasuringTiming(MeasuringTiming{1.0, 0.02});
    const Spectrum red = measureSpectrum();
    const Spectrum cyan = measureSpectrum();
    // Transmittance arithmetic: the filter's reading over the open holder's.
    for (int nm : {400, 450, 500, 550, 600, 650, 700, 780}) {
        const int i = nm - kFirstNm;
        EXPECT_NEAR(red[i] / source[i], sample("red").factorAt(nm), 1e-6) << nm;
        EXPECT_NEAR(cyan[i] / source[i], sample("cyan").factorAt(nm), 1e-6) << nm;
    }
    // Believable colours: red is dark below 560 nm and bright above 650, cyan the other way.
    EXPECT_LT(red[500 - kFirstNm] / source[500 - kFirstNm], 0.06);
    EXPECT_GT(red[700 - kFirstNm] / source[700 - kFirstNm], 0.8);
    EXPECT_GT(cyan[490 - kFirstNm] / source[490 - kFirstNm], 0.65);
    EXPECT_LT(cyan[680 - kFirstNm] / source[680 - kFirstNm], 0.06);
    instrument.presentSamples({});
    EXPECT_EQ(measureSpectrum(), source);
}

TEST_F(Scene, LineCentroidsAppearShiftedByTheWavelengthError) {
    instrument.setScene(*LightSource::parse("lines:HG"), 100.0);
    for (double error : {0.0, 1.5, -2.25}) {
        instrument.setMiscalibration({error, 0.0});
        const Spectrum s = measureSpectrum();
        // Lines apart from their neighbours within ±8 nm; the argon pairs 10 and 12 nm apart
        // within ±5 nm, where the neighbour's tail still pulls a little.
        struct Line {
            double nm;
            int halfWindow;
            double tolerance;
        };
        for (const Line line :
             {Line{404.656, 8, 0.01}, Line{435.833, 8, 0.01}, Line{546.074, 8, 0.01},
              Line{696.543, 5, 0.05}, Line{706.722, 5, 0.05}, Line{738.398, 5, 0.05},
              Line{750.387, 5, 0.05}, Line{763.511, 5, 0.05}}) {
            const int centre = static_cast<int>(std::lround(line.nm + error));
            EXPECT_NEAR(centroid(s, centre - line.halfWindow, centre + line.halfWindow),
                        line.nm + error, line.tolerance)
                << line.nm << " with error " << error;
        }
        // The yellow doublet merges into one peak at its strength-weighted mean.
        const double doublet = (576.960 * 0.30 + 579.066 * 0.32) / 0.62;
        EXPECT_NEAR(centroid(s, 570 + int(error), 586 + int(error)), doublet + error, 0.05);
    }
    // Peaks are a few nm wide: half their height lies 2 nm from the line.
    instrument.setMiscalibration({});
    instrument.setScene(*LightSource::parse("lines:500,620.5"), 10.0);
    const Spectrum s = measureSpectrum();
    EXPECT_NEAR(s[502 - kFirstNm] / s[500 - kFirstNm], 0.5, 1e-3);
    EXPECT_NEAR(centroid(s, 612, 629), 620.5, 0.02);
    EXPECT_LT(s[560 - kFirstNm], 0.001 * s[500 - kFirstNm]);  // a faint background between
    EXPECT_GT(s[560 - kFirstNm], 0.0);
}

TEST_F(Scene, WavelengthErrorShiftsContinuaAndLevelErrorTiltsEveryReading) {
    instrument.setScene(*LightSource::parse("planck:3000"), 100.0);
    const Spectrum plain = measureSpectrum();
    instrument.setMiscalibration({0.0, 0.2});
    const Spectrum tilted = measureSpectrum();
    for (int i = 0; i < kPoints; i += 50) {
        EXPECT_NEAR(tilted[i] / plain[i], 1.0 + 0.2 * (kFirstNm + i - 580.0) / 200.0, 1e-6) << i;
    }
    EXPECT_NEAR(tilted[200] / plain[200], 1.0, 1e-6);  // 580 nm is the pivot
    // A smooth source read 1 nm long: value i is the true value one point lower.
    instrument.setMiscalibration({1.0, 0.0});
    const Spectrum shifted = measureSpectrum();
    for (int i = 1; i < kPoints; i += 57) {
        EXPECT_NEAR(shifted[i], plain[i - 1], 1e-5 * plain[i]) << i;
    }
}

TEST(SceneSettings, ValuesPeopleTypeAreCheckedWithAClearReason) {
    std::string error;
    EXPECT_EQ(parseWavelengthError("-1.5", &error), -1.5);
    EXPECT_EQ(parseLevelError("0.9", &error), 0.9);
    EXPECT_EQ(parseStoredCount("100", &error), 100);
    for (const char* bad : {"nan", "inf", "-inf", "10.01", "", "1,5", "x"}) {
        error.clear();
        EXPECT_FALSE(parseWavelengthError(bad, &error)) << bad;
        EXPECT_NE(error.find("from -10 to 10"), std::string::npos) << error;
    }
    for (const char* bad : {"nan", "-0.91", "1"}) {
        EXPECT_FALSE(parseLevelError(bad, &error)) << bad;
    }
    for (const char* bad : {"-1", "101", "2.5", "nan"}) {
        EXPECT_FALSE(parseStoredCount(bad, &error)) << bad;
    }
    EXPECT_FALSE(parseNonNegative("nan", "the luminance", &error));
    EXPECT_EQ(error, "the luminance is a number from 0 on (not \"nan\")");

    const auto list = Sample::parseList("White,grey:0.25,none", &error);
    ASSERT_TRUE(list);
    EXPECT_EQ(list->size(), 3u);
    EXPECT_EQ((*list)[1].describe(), "grey:0.2500");
    for (const char* bad : {"", "white,", "grey:0", "grey:1.5", "grey:nan", "blue"}) {
        EXPECT_FALSE(Sample::parseList(bad, &error)) << bad;
    }
    EXPECT_EQ(error, "unknown sample \"blue\" (none, white, grey, grey:R (0.01 to 1), red, cyan)");

    EXPECT_EQ(LightSource::parse("LINES:hg")->describe(), "lines:HG");
    EXPECT_EQ(LightSource::parse("lines:404.6566,546")->describe(), "lines:404.657,546.000");
    for (const char* bad : {"lines:", "lines:379.9", "lines:500,", "lines:nan", "lines:hgar"}) {
        EXPECT_FALSE(LightSource::parse(bad)) << bad;
    }
}

TEST(SceneSettings, ControlCommandsSetSamplesAndErrors) {
    Instrument instrument;
    EXPECT_EQ(runControlCommand(instrument, "present white,grey").text,
              "presenting white, then grey");
    EXPECT_EQ(instrument.scene().presented(), sample("white"));
    EXPECT_EQ(runControlCommand(instrument, "wavelength-error -1.5").text, "ok");
    EXPECT_EQ(runControlCommand(instrument, "level-error 0.1").text, "ok");
    EXPECT_EQ(instrument.miscalibration().wavelengthNm, -1.5);
    EXPECT_EQ(instrument.miscalibration().levelTilt, 0.1);
    const std::string status = runControlCommand(instrument, "status").text;
    EXPECT_NE(status.find("sample: white, then grey"), std::string::npos) << status;
    EXPECT_NE(status.find("wavelength error -1.500 nm, level error 0.1000"), std::string::npos);
    EXPECT_EQ(runControlCommand(instrument, "source lines:HG").text,
              "source lines:HG at 100.0000 cd/m2");
    for (const char* bad : {"present blue", "present", "wavelength-error nan", "level-error 2"}) {
        EXPECT_NE(runControlCommand(instrument, bad).text, "ok") << bad;
    }
    EXPECT_EQ(instrument.miscalibration().levelTilt, 0.1);  // refused values change nothing
}

}  // namespace
}  // namespace rx9100sim::test
