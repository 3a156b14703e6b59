// Measuring, the data replies, the measuring key and what the optics and calibration do.
#include <cmath>
#include <mutex>
#include <thread>

#include "SimulatorFixture.h"
#include "simulator/HexFloat.h"
#include "simulator/Spectrum.h"

namespace rx9100sim::test {
namespace {

class Measurement : public SimulatorTest {
  protected:
    // The announced time of one "MEAS,1", cancelled at once.
    std::string announcedTime() {
        const std::string reply = ask("MEAS,1");
        EXPECT_EQ(ask("MEAS,0"), "OK00");
        return reply;
    }
};

TEST_F(Measurement, AnnouncesTheTimeThenCompletesAndOffersTheHeader) {
    enterRemote();
    EXPECT_EQ(ask("MEDR,0,0,001"), "ER20");  // nothing measured yet
    EXPECT_EQ(ask("MEAS,1"), "OK00,0.02");
    EXPECT_EQ(receive(), "OK00");
    EXPECT_EQ(ask("MEDR,0,0,001"), "OK00,0,0,500000,0,0,0,0,00");
    instrument.setMeasuringAngle(1);
    EXPECT_EQ(ask("SPMS,3,001000000,1"), "OK00");
    EXPECT_EQ(measure(), "OK00");
    EXPECT_EQ(ask("MEDR,0,0,001"), "OK00,3,0,1000000,1,0,0,1,00");
    EXPECT_EQ(ask("MEDR,1,1,5"), "ER01");
}

// An instant measurement completes while its start reply is still being written (a
// slow line): the completion line must still come second.
TEST(MeasurementOrder, CompletionNeverOvertakesTheStartReply) {
    Instrument instrument;
    instrument.setMeasuringTiming(MeasuringTiming{1.0, 0.0});
    std::mutex mutex;
    std::vector<std::string> sent;
    const SessionId session = instrument.attach([&](const Emission& e) {
        if (e.bytes.starts_with("OK00,")) {
            std::this_thread::sleep_for(20ms);
        }
        std::lock_guard lock(mutex);
        sent.push_back(e.bytes);
    });
    instrument.receive(session, "RMTS,1\r\n");
    for (int round = 0; round < 5; ++round) {
        instrument.receive(session, "MEAS,1\r\n");
        ASSERT_TRUE(instrument.waitUntilIdle(2000ms));
        std::this_thread::sleep_for(5ms);  // the completion line is handed over after idle
    }
    instrument.detach(session);
    std::lock_guard lock(mutex);
    ASSERT_EQ(sent.size(), 11u);
    for (std::size_t i = 1; i < sent.size(); i += 2) {
        EXPECT_EQ(sent[i], "OK00,0.00\r\n");
        EXPECT_EQ(sent[i + 1], "OK00\r\n");
    }
}

TEST_F(Measurement, TimeDependsOnSpeedLightAndAngle) {
    instrument.setMeasuringTiming(MeasuringTiming{1.0, std::nullopt});
    enterRemote();
    EXPECT_EQ(announcedTime(), "OK00,2.00");  // normal speed, D65 at 100 cd/m²
    instrument.setScene(LightSource{}, 1000.0);
    EXPECT_EQ(announcedTime(), "OK00,1.10");  // brighter: shorter auto exposure
    instrument.setScene(LightSource{}, 100.0);
    instrument.setMeasuringAngle(1);
    EXPECT_EQ(announcedTime(), "OK00,6.00");  // narrower angle: less light
    instrument.setMeasuringAngle(0);
    ASSERT_EQ(ask("SPMS,1,0"), "OK00");
    EXPECT_EQ(announcedTime(), "OK00,1.00");
    ASSERT_EQ(ask("SPMS,2,04,0"), "OK00");
    EXPECT_EQ(announcedTime(), "OK00,2.50");
    ASSERT_EQ(ask("SPMS,3,000250000,0"), "OK00");
    EXPECT_EQ(announcedTime(), "OK00,1.00");
    instrument.setMeasuringTiming(MeasuringTiming{0.5, std::nullopt});
    EXPECT_EQ(announcedTime(), "OK00,0.50");
    instrument.setMeasuringTiming(MeasuringTiming{1.0, std::nullopt});
    ASSERT_EQ(ask("SPMS,1,0"), "OK00");
    ASSERT_EQ(ask("SCMS,1,04000"), "OK00");
    instrument.setScene(LightSource{}, 90.0);  // 0.556 s, synchronised to 40 Hz: 0.575 s
    EXPECT_EQ(announcedTime(), "OK00,1.08");
}

TEST_F(Measurement, HeaderLayoutFollowsTheFirmware) {
    instrument.setIdentity(Identity{0, "1000001", "1.00"});
    enterRemote();
    ASSERT_EQ(ask("SPMS,3,000500000,1"), "OK00");
    ASSERT_EQ(measure(), "OK00");
    EXPECT_EQ(ask("MEDR,0,0,001"), "OK00,3,0,500000,1,0,0,0,00");
    ASSERT_EQ(ask("SPMS,2,04"), "OK00");
    ASSERT_EQ(measure(), "OK00");
    EXPECT_EQ(ask("MEDR,0,0,001"), "OK00,2,0,500000,0,0,0,0,00");  // no internal ND here
}

TEST_F(Measurement, OnlyTheAskingConnectionGetsTheCompletion) {
    InProcessConnection other(instrument);
    other.open();
    other.setReceiveWaitOverride(50ms);
    enterRemote();
    ASSERT_EQ(measure(), "OK00");
    std::string line;
    EXPECT_THROW(other.recvString(line), SerialPortException);
    other.sendString("STSR\r\n", 6);
    other.recvString(line);
    EXPECT_EQ(line, "OK00,0");
}

TEST_F(Measurement, BusyWhileMeasuringAndCancelProducesNothing) {
    instrument.setMeasuringTiming(MeasuringTiming{1.0, 5.0});
    link.setReceiveWaitOverride(100ms);
    enterRemote();
    EXPECT_EQ(ask("MEAS,1"), "OK00,5.00");
    EXPECT_EQ(ask("MEAS,1"), "ER02");
    EXPECT_EQ(ask("MEDR,0,0,001"), "ER02");
    EXPECT_EQ(ask("SPMR"), "ER02");
    EXPECT_EQ(ask("MEAS,0"), "OK00");
    EXPECT_FALSE(instrument.isMeasuring());
    EXPECT_THROW(receive(), SerialPortException);  // no completion line after a cancel
    EXPECT_EQ(ask("MEDR,0,0,001"), "ER20");
}

TEST_F(Measurement, TooLittleLightCompletesWithInsufficientExposure) {
    instrument.setScene(LightSource{}, 0.001);
    enterRemote();
    EXPECT_EQ(measure(), "OK16");
    EXPECT_EQ(fields(ask("MEDR,0,0,001")).size(), 9u);
    instrument.setIdentity(Identity{2, "1000001", "1.10"});  // the low-luminance model sees it
    instrument.setScene(LightSource{}, 0.005);
    EXPECT_EQ(measure(), "OK00");
}

TEST_F(Measurement, SpectrumCarriesTheSceneLuminanceAndChromaticity) {
    instrument.setScene(*LightSource::parse("a"), 50.0);
    enterRemote();
    ASSERT_EQ(measure(), "OK00");
    const Spectrum s = readSpectrum();
    EXPECT_NEAR(luminanceOf(s), 50.0, 0.01);
    const auto colour = fields(ask("MEDR,2,0,01"));
    ASSERT_EQ(colour.size(), 4u);
    EXPECT_NEAR(std::stod(colour[1]), 50.0, 0.01);
    EXPECT_NEAR(std::stod(colour[2]), 0.4476, 0.0002);
    EXPECT_NEAR(std::stod(colour[3]), 0.4074, 0.0002);
}

TEST_F(Measurement, SourcesCoverTheLuminanceRangeAndTheirShapes) {
    for (const char* name :
         {"a", "d65", "e", "planck:3000", "led:530:30", "red", "green", "blue", "white"}) {
        const auto source = LightSource::parse(name);
        ASSERT_TRUE(source) << name;
        EXPECT_EQ(LightSource::parse(source->describe())->kind, source->kind) << name;
        for (double lv : {0.005, 1.0, 20000.0}) {
            EXPECT_NEAR(luminanceOf(radianceAt(*source, lv)) / lv, 1.0, 1e-9) << name;
        }
    }
    const auto white = colourOf(radianceAt(*LightSource::parse("white"), 100.0), false);
    EXPECT_NEAR(white.x, 0.3127, 1e-4);
    EXPECT_NEAR(white.y, 0.3290, 1e-4);
    const Spectrum led = relativeSpectrum(*LightSource::parse("led:450:20"));
    EXPECT_EQ(std::max_element(led.begin(), led.end()) - led.begin(), 70);
    EXPECT_FALSE(LightSource::parse("planck:100"));
    EXPECT_FALSE(LightSource::parse("led:900"));
    EXPECT_FALSE(LightSource::parse("sun"));
}

TEST_F(Measurement, TextModeSendsFifteenContinuations) {
    enterRemote();
    ASSERT_EQ(measure(), "OK00");
    const Spectrum hex = readSpectrum();
    EXPECT_EQ(ask("MEDR,1,0,001"), "OK00");
    int index = 0;
    for (int pass = 0; pass < 15; ++pass) {
        const auto f = fields(ask("&"));
        ASSERT_EQ(f.size(), pass == 14 ? 9u : 28u);
        for (const auto& v : f) {
            EXPECT_NEAR(std::stod(v), hex[index], std::abs(hex[index]) * 1e-5);
            ++index;
        }
    }
    EXPECT_EQ(index, 401);
    EXPECT_EQ(ask("&"), "ER05");
    ASSERT_TRUE(ask("MEDR,0,0,001").starts_with("OK00,"));  // a header request opens one too
    EXPECT_EQ(fields(ask("&")).size(), 28u);
    ask("STSR");  // any other command ends it
    EXPECT_EQ(ask("&"), "ER05");
}

TEST_F(Measurement, KeyMeasuresOnlyWhenEnabledAndIsOfferedOnce) {
    instrument.setMeasuringTiming(MeasuringTiming{1.0, 0.5});
    enterRemote();
    EXPECT_FALSE(instrument.pressKey());
    EXPECT_EQ(ask("MSWE,1"), "OK00");
    EXPECT_EQ(ask("MEDR,0,0,001"), "ER20");
    ASSERT_TRUE(instrument.pressKey());
    EXPECT_FALSE(instrument.pressKey());  // busy
    EXPECT_EQ(ask("MEDR,0,0,001"), "ER02");
    ASSERT_TRUE(instrument.waitUntilIdle(2s));
    EXPECT_TRUE(ask("MEDR,0,0,001").starts_with("OK00,0,0,500000"));
    readSpectrum();
    EXPECT_EQ(ask("MSWE,0"), "OK00");
    EXPECT_EQ(ask("MSWE,1"), "OK00");
    EXPECT_EQ(ask("MEDR,0,0,001"), "ER20");  // the same data are not offered again
}

TEST_F(Measurement, AutomaticKeyPressesRepeat) {
    instrument.setMeasuringTiming(MeasuringTiming{1.0, 0.0});
    enterRemote();
    ASSERT_EQ(ask("MSWE,1"), "OK00");
    instrument.setAutoKeyInterval(20ms);
    std::string header = "ER20";
    for (int i = 0; i < 200 && !header.starts_with("OK00"); ++i) {
        std::this_thread::sleep_for(5ms);
        header = ask("MEDR,0,0,001");
    }
    instrument.setAutoKeyInterval(0ms);
    EXPECT_TRUE(header.starts_with("OK00")) << header;
}

using Corrections = Measurement;

TEST_F(Corrections, ExternalNdAndAdapterLensAttenuateByTheirTables) {
    enterRemote();
    const Spectrum plain = measureSpectrum();
    ASSERT_EQ(ask("NDFS,1"), "OK00");
    Spectrum nd = measureSpectrum();
    EXPECT_NEAR(nd[200], plain[200] / 10.0, 1e-5 * plain[200]);  // nominal filter without a table
    writeEntries("NFCS,0,1", filled(4.0f));
    ASSERT_EQ(ask("NFCS,3"), "OK00");
    nd = measureSpectrum();
    EXPECT_NEAR(nd[200], plain[200] / 4.0, 1e-5 * plain[200]);
    ASSERT_EQ(ask("NDFS,0"), "OK00");
    ASSERT_EQ(ask("LNSS,1"), "OK00");
    EXPECT_NEAR(measureSpectrum()[200], plain[200], 1e-6 * plain[200]);  // no lens table: no effect
    writeEntries("ALFS,0", filled(0.5f));
    ASSERT_EQ(ask("ALFS,3"), "OK00");
    EXPECT_NEAR(measureSpectrum()[200], plain[200] * 2.0, 1e-5 * plain[200]);
}

TEST_F(Corrections, NoiseIsSmallAtNormalLightAndReproducibleBySeed) {
    instrument.setNoise(0.002, 7);
    enterRemote();
    const Spectrum a = measureSpectrum();
    instrument.setNoise(0.002, 7);
    const Spectrum b = measureSpectrum();
    EXPECT_EQ(a, b);
    EXPECT_NEAR(luminanceOf(a), 100.0, 0.5);
    EXPECT_NE(a, measureSpectrum());
}

}  // namespace
}  // namespace rx9100sim::test
