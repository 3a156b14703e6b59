#include <gtest/gtest.h>

#include <cmath>

#include "link/HexNumbers.h"
#include "resources/StringTable.h"
#include "support/ProgressRecorder.h"
#include "support/ScriptedConnection.h"
#include "support/SimulatedDriver.h"

namespace {

// A block reply of count equal values.
std::string block(int count, double value) {
    std::string reply = "OK00";
    for (int i = 0; i < count; ++i) {
        reply += "," + hexnum::doubleToHex(value);
    }
    return reply;
}

// A driver talking to a script: the angle, "MEAS,1", completion, header and four blocks.
struct ScriptedMeasurement {
    explicit ScriptedMeasurement(const std::string& measuringTime, double value = 1.0,
                                 int busyReplies = 0) {
        auto link = std::make_unique<ScriptedConnection>();
        wire = link.get();
        driver.setConnection(std::move(link));
        driver.setErrorVisible(false);
        wire->reply("OK00,0");
        for (int i = 0; i < busyReplies; ++i)
            wire->reply("ER02");
        wire->reply("OK00," + measuringTime);
        wire->reply("OK00");
        wire->reply("OK00,0,0,500000,0,0,0,0,0");
        for (int b = 1; b <= 4; ++b)
            wire->reply(block(b == 4 ? 101 : 100, value));
    }
    TestableDriver driver;
    ScriptedConnection* wire = nullptr;
};

}  // namespace

TEST(MeasurementRunTest, ShortTimeGivesNoWaitAndOneFinalProgress) {
    ScriptedMeasurement m("0.005");
    ProgressRecorder window;
    std::vector<MeasuringData> out(2);
    ASSERT_EQ(m.driver.doMeasurement(out, &window), 0);
    EXPECT_EQ(window.starts, std::vector<long>{0});
    EXPECT_EQ(window.progress, std::vector<long>{0});
    EXPECT_EQ(m.wire->sent(), (std::vector<std::string>{
                                  "STSR\r\n", "MEAS,1\r\n", "MEDR,0,0,001\r\n", "MEDR,1,1,1\r\n",
                                  "MEDR,1,1,2\r\n", "MEDR,1,1,3\r\n", "MEDR,1,1,4\r\n"}));
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].getData().size(), 401u);
    EXPECT_FLOAT_EQ(out[0].getIntegralTime(), 0.5f);
    EXPECT_EQ(out[0].getMeasurementArea(), 23);
    EXPECT_EQ(m.driver.getInstrumentState()->getErrorCode(), 200);
}

TEST(MeasurementRunTest, MeasuringTimeIsHeldInSinglePrecision) {
    ScriptedMeasurement m("0.29");
    ProgressRecorder window;
    std::vector<MeasuringData> out;
    ASSERT_EQ(m.driver.doMeasurement(out, &window), 0);
    EXPECT_EQ(window.starts, std::vector<long>{28});
    ASSERT_GE(window.progress.size(), 2u);
    EXPECT_EQ(window.progress.back(), 28);
    EXPECT_TRUE(std::is_sorted(window.progress.begin(), window.progress.end()));
}

TEST(MeasurementRunTest, CancelDuringTheWaitSendsMeas0AndReturnsNothing) {
    ScriptedMeasurement m("12.34");
    m.wire->reply("OK00");  // consumed by MEAS,0 instead of the completion
    ProgressRecorder window(&m.driver, 2);
    std::vector<MeasuringData> out(1);
    EXPECT_EQ(m.driver.doMeasurement(out, &window), 10);
    EXPECT_EQ(window.starts, std::vector<long>{1234});
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(m.wire->sent().back(), "MEAS,0\r\n");
}

TEST(MeasurementRunTest, BusyInstrumentIsAskedAgainUntilItMeasures) {
    ScriptedMeasurement m("0.005", 1.0, 2);
    std::vector<MeasuringData> out;
    ASSERT_EQ(m.driver.doMeasurement(out, nullptr), 0);
    EXPECT_EQ(std::count(m.wire->sent().begin(), m.wire->sent().end(), "MEAS,1\r\n"), 3);
    EXPECT_EQ(out.size(), 1u);
}

TEST(MeasurementRunTest, BusyInstrumentIsAskedAgainOtherErrorsEndTheRun) {
    auto link = std::make_unique<ScriptedConnection>();
    ScriptedConnection* wire = link.get();
    TestableDriver driver;
    driver.setConnection(std::move(link));
    driver.setErrorVisible(false);
    for (const char* r : {"OK00,0", "ER02", "ER02", "ER30"})
        wire->reply(r);
    std::vector<MeasuringData> out;
    EXPECT_EQ(driver.doMeasurement(out, nullptr), 10);
    EXPECT_EQ(driver.getInstrumentState()->getErrorCode(), 30);
    EXPECT_EQ(std::count(wire->sent().begin(), wire->sent().end(), "MEAS,1\r\n"), 3);
}

TEST(MeasurementRunTest, WhiteCalibrationIsRequiredForMethodsOneAndTwo) {
    ScriptedMeasurement m("0.005", 1.0);
    m.driver.getSetupStatus()->setMeasurementMethod(1);
    std::vector<MeasuringData> out;
    EXPECT_EQ(m.driver.doMeasurement(out, nullptr), 10);
    EXPECT_EQ(m.driver.getInstrumentState()->getErrorCode(), 42);
    EXPECT_EQ(m.wire->sent(), std::vector<std::string>{"STSR\r\n"});

    ScriptedMeasurement during("0.005", 1.0);
    during.driver.getSetupStatus()->setMeasurementMethod(1);
    during.driver.setDoWhiteCalb(true);
    EXPECT_EQ(during.driver.doMeasurement(out, nullptr), 0);
    EXPECT_DOUBLE_EQ(out[0].getData()[0], 1.0);  // no valid record: left as measured

    ScriptedMeasurement corrected("0.005", 1.0);
    corrected.driver.getSetupStatus()->setMeasurementMethod(2);
    WhiteCalibrationData& white = *corrected.driver.whiteCalibrationTra(0);
    white.coefficient.assign(401, 2.0);
    white.valid = true;
    EXPECT_EQ(corrected.driver.doMeasurement(out, nullptr), 0);
    EXPECT_DOUBLE_EQ(out[0].getData()[200], 50.0);

    ScriptedMeasurement method3("0.005", 1.0);
    *method3.driver.whiteCalibrationTra(0) = white;
    EXPECT_EQ(method3.driver.doMeasurement(out, nullptr), 0);
    EXPECT_DOUBLE_EQ(out[0].getData()[200], 1.0);
}

TEST(MeasurementRunTest, NonFiniteValueGivesCode41AndAnEmptyRecord) {
    SimulatedDriver sim;
    sim.driver.setErrorVisible(false);
    ASSERT_EQ(sim.driver.connect(), 0);
    sim.instrument.setMeasuringTiming({1.0, 0.02});
    sim.instrument.injectFault(*rx9100sim::Fault::parse("MEDR,1,1,2:nan:5"));
    std::vector<MeasuringData> out;
    EXPECT_EQ(sim.driver.doMeasurement(out, nullptr), 10);
    EXPECT_EQ(sim.driver.getInstrumentState()->getErrorCode(), 41);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_TRUE(out[0].getData().empty());
}

TEST(MeasurementRunTest, UnreadableDataIsAFailureNeverARecord) {
    for (const char* fault : {
             "MEDR,1,1,2:drop",                // a block one value short
             "MEDR,1,1,4:value:101:3F800000",  // a block one value long
             "MEDR,1,1,1:value:17:3F80ZZ00",   // a value that is not hexadecimal
             "MEDR,1,1,3:value:0:3F8000",      // a value of six digits
             "MEDR,0,0,001:drop:2",            // a header without angle and channel
             "MEDR,0,0,001:value:2:250k",      // an integration time that is not a number
             "MEDR,1,1,2#1+:leave-remote",     // "ER00" to a block, and again when asked once more
             "MEAS,1:reply:OK00",              // no measuring time
             "MEAS,1:reply:OK00,-1.00",        // a negative one
             "MEAS,1:reply:OK00,NAN",          // not a number
             "MEAS,1:reply:OK00,86400.00",     // longer than any measurement
             "*#1+:reply:OK00",                // an instrument that answers OK00 to everything
         }) {
        SCOPED_TRACE(fault);
        SimulatedDriver sim;
        sim.driver.setErrorVisible(false);
        ASSERT_EQ(sim.driver.connect(), 0);
        sim.instrument.setMeasuringTiming({1.0, 0.02});
        sim.instrument.injectFault(*rx9100sim::Fault::parse(fault));
        std::vector<MeasuringData> out(1);
        EXPECT_EQ(sim.driver.doMeasurement(out, nullptr), 10);
        EXPECT_TRUE(out.empty());
        EXPECT_EQ(sim.driver.getInstrumentState()->getErrorCode(), 43);
        EXPECT_EQ(sim.driver.getInstrumentState()->getErrorMessage(), resources::loadString(20202));
        EXPECT_FALSE(sim.instrument.isMeasuring());
    }
}

TEST(MeasurementRunTest, SimulatedLightSourceComesBackAsASpectrum) {
    SimulatedDriver sim;
    ASSERT_EQ(sim.driver.connect(), 0);
    sim.instrument.setMeasuringTiming({1.0, 0.03});
    sim.instrument.setScene(rx9100sim::LightSource{}, 100.0);
    std::vector<MeasuringData> out;
    ASSERT_EQ(sim.driver.doMeasurement(out, nullptr), 0);
    ASSERT_EQ(out[0].getData().size(), 401u);
    double photopic = 0;  // rough check: D65 peaks in the blue-green, nothing negative
    for (double v : out[0].getData()) {
        EXPECT_GE(v, 0.0);
        photopic += v;
    }
    EXPECT_GT(photopic, 0.0);

    EXPECT_EQ(sim.driver.getCompletionCode(), 200);
    EXPECT_EQ(sim.driver.getCompletionMessage(), "エラーなし");
}

TEST(MeasurementRunTest, ErrorCodeComesFromTheRecordsWarningTheCompletionFromTheExtension) {
    SimulatedDriver sim;
    ASSERT_EQ(sim.driver.connect(), 0);
    sim.instrument.setMeasuringTiming({1.0, 0.03});
    sim.instrument.setScene(rx9100sim::LightSource{}, 0.0001);  // far too little light: OK16
    std::vector<MeasuringData> out;
    ASSERT_EQ(sim.driver.doMeasurement(out, nullptr), 0);
    // The record's warning is the conditions' (none), and so is the error code ...
    EXPECT_EQ(out[0].getWarningId(), 0);
    EXPECT_EQ(out[0].getWarningMessage(), "");
    EXPECT_EQ(sim.driver.getInstrumentState()->getErrorCode(), 200);
    EXPECT_EQ(sim.driver.getInstrumentState()->getErrorMessage(), "エラーなし");
    // ... and the completion's own status is there for hosts that want it.
    EXPECT_EQ(sim.driver.getCompletionCode(), 216);
    EXPECT_EQ(sim.driver.getCompletionMessage(), "露光量不足");

    // A warning the host put in the conditions travels unchanged and gives the code.
    sim.driver.getSetupStatus()->setWarning(16, "host's own");
    sim.instrument.setScene(rx9100sim::LightSource{}, 100.0);
    ASSERT_EQ(sim.driver.doMeasurement(out, nullptr), 0);
    EXPECT_EQ(out[0].getWarningId(), 16);
    EXPECT_EQ(out[0].getWarningMessage(), "host's own");
    EXPECT_EQ(sim.driver.getInstrumentState()->getErrorCode(), 216);
    EXPECT_EQ(sim.driver.getCompletionCode(), 200);

    sim.instrument.injectFault(*rx9100sim::Fault::parse("MEAS,1:error:30"));
    EXPECT_EQ(sim.driver.doMeasurement(out, nullptr), 10);
    EXPECT_EQ(sim.driver.getCompletionCode(), 0);  // no completion this time
    EXPECT_EQ(sim.driver.getCompletionMessage(), "");
}

TEST(MeasurementRunTest, PulledCableEndsWithMinus10) {
    SimulatedDriver sim;
    sim.driver.setErrorVisible(false);
    ASSERT_EQ(sim.driver.connect(), 0);
    sim.instrument.setMeasuringTiming({1.0, 0.02});
    sim.instrument.injectFault(*rx9100sim::Fault::parse("MEDR,1,1,3:hangup"));
    std::vector<MeasuringData> out;
    EXPECT_EQ(sim.driver.doMeasurement(out, nullptr), -10);
    EXPECT_EQ(sim.driver.getInstrumentState()->getErrorCode(), 99);
    EXPECT_TRUE(out.empty());
}
