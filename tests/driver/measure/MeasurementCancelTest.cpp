// Stopping a measurement from another thread, as a host does on Ctrl-C: a cancel or a
// disconnect ends every wait of the run promptly and leaves the instrument idle and, after
// the disconnect, in local mode. These tests also run under ThreadSanitizer.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

#include "measure/MeasureMessages.h"
#include "platform/System.h"
#include "support/SimulatedDriver.h"

using namespace std::chrono_literals;

namespace {

// Generous: a stopped run ends in milliseconds; the waits it must not sit out are 20 s
// and more.
constexpr auto kPrompt = 5s;

// Tells the test when the run has sent its last progress message: the completion wait
// follows at once.
class CompletionWatch : public platform::Window {
  public:
    platform::LResult handleMessage(unsigned message, platform::WParam w,
                                    platform::LParam l) override {
        if (message == MSG_MEASURE_START) {
            total_ = l;
        } else if (message == MSG_MEASURE_PROGRESS && static_cast<long>(w) == total_) {
            reached_.set_value();
        }
        return 0;
    }
    bool waitForCompletionWait() {
        return reached_.get_future().wait_for(kPrompt) == std::future_status::ready;
    }

  private:
    long total_ = -1;
    std::promise<void> reached_;
};

class MeasurementCancelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        sim.driver.setErrorVisible(false);
        ASSERT_EQ(sim.driver.connect(), 0);
        sim.instrument.setMeasuringTiming({1.0, 0.02});
        sim.takeSent();
    }
    void arm(const char* fault) { sim.instrument.injectFault(*rx9100sim::Fault::parse(fault)); }
    // Runs doMeasurement on a thread of its own, as a host's measuring thread.
    void startMeasuring(platform::WindowHandle window = nullptr) {
        run = std::async(std::launch::async,
                         [this, window] { return sim.driver.doMeasurement(out, window); });
    }
    bool waitFor(const std::function<bool()>& condition) {
        const auto end = std::chrono::steady_clock::now() + kPrompt;
        while (!condition()) {
            if (std::chrono::steady_clock::now() > end) {
                return false;
            }
            std::this_thread::sleep_for(2ms);
        }
        return true;
    }
    long received(const std::string& line) {
        const auto lines = sim.instrument.receivedLines();
        return std::count(lines.begin(), lines.end(), line);
    }
    bool runEnded() { return run.wait_for(kPrompt) == std::future_status::ready; }
    // The link still serves: a whole measurement afterwards.
    void expectAMeasurementStillWorks() {
        sim.instrument.clearFaults();
        sim.connection->setReceiveWaitOverride(200ms);
        std::vector<MeasuringData> again;
        EXPECT_EQ(sim.driver.doMeasurement(again, nullptr), 0);
        ASSERT_EQ(again.size(), 1u);
        EXPECT_EQ(again[0].getData().size(), 401u);
    }

    SimulatedDriver sim;
    std::vector<MeasuringData> out{1};
    std::future<int> run;
};

}  // namespace

TEST_F(MeasurementCancelTest, CancelEndsTheWaitForABusyInstrumentWithoutStoppingIt) {
    arm("MEAS,1#1+:error:2");  // a measurement someone else started never ends
    startMeasuring();
    ASSERT_TRUE(waitFor([this] { return received("MEAS,1") >= 3; }));
    sim.driver.setMeasurementCancel(true);
    ASSERT_TRUE(runEnded());
    EXPECT_EQ(run.get(), 10);
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(received("MEAS,0"), 0);  // this host started nothing
    expectAMeasurementStillWorks();
}

TEST_F(MeasurementCancelTest, CancelEndsTheCompletionWait) {
    // The instrument announces 0.05 s but its completion never comes.
    arm("MEAS,1:reply:OK00,0.05");
    sim.connection->setReceiveWaitOverride(60s);
    CompletionWatch watch;
    startMeasuring(&watch);
    ASSERT_TRUE(watch.waitForCompletionWait());
    // Not needed for the outcome; it makes the cancel usually find the receive waiting.
    std::this_thread::sleep_for(50ms);
    sim.driver.setMeasurementCancel(true);
    ASSERT_TRUE(runEnded());
    EXPECT_EQ(run.get(), 10);
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(received("MEAS,0"), 1);
    EXPECT_NE(sim.driver.getInstrumentState()->getErrorCode(), 99);  // the line is fine
    expectAMeasurementStillWorks();
}

TEST_F(MeasurementCancelTest, DisconnectFromAnotherThreadStopsTheRunAndLeavesRemoteMode) {
    struct Case {
        const char* waitingFor;  // when the host disconnects
        const char* fault;
        bool stopsAMeasurement;
    };
    for (const Case& c : {Case{"a busy instrument", "MEAS,1#1+:error:2", false},
                          Case{"a 30 s measurement", nullptr, true},
                          Case{"a completion that never comes", "MEAS,1:reply:OK00,0.05", true}}) {
        SCOPED_TRACE(c.waitingFor);
        if (!sim.connection->isOpen()) {
            ASSERT_EQ(sim.driver.connect(), 0);
        }
        sim.instrument.setMeasuringTiming({1.0, 30.0});
        sim.connection->setReceiveWaitOverride(60s);
        if (c.fault != nullptr) {
            arm(c.fault);
        }
        sim.instrument.clearTranscript();
        startMeasuring();
        ASSERT_TRUE(waitFor([this] { return received("MEAS,1") >= 1; }));
        auto disconnect = std::async(std::launch::async, [this] { sim.driver.disconnect(); });
        ASSERT_EQ(disconnect.wait_for(kPrompt), std::future_status::ready);
        ASSERT_TRUE(runEnded());
        EXPECT_EQ(run.get(), 10);
        const auto sent = sim.instrument.receivedLines();
        EXPECT_EQ(sent.back(), "RMTS,0");
        EXPECT_EQ(received("MEAS,0"), c.stopsAMeasurement ? 1 : 0);
        EXPECT_FALSE(sim.instrument.remoteMode());
        EXPECT_FALSE(sim.instrument.isMeasuring());
        EXPECT_FALSE(sim.connection->isOpen());
        sim.instrument.clearFaults();
    }
}

TEST_F(MeasurementCancelTest, DisconnectDuringRemoteMeasurementEndsItAndLeavesRemoteMode) {
    platform::Window mainWindow;
    platform::setMainWindow(&mainWindow);
    sim.connection->setReceiveWaitOverride(60s);
    arm("MEDR,0,0,001#2:silent");  // the receive thread waits for a reply that never comes
    ASSERT_EQ(sim.driver.remoteMeasure(), 0);
    ASSERT_TRUE(waitFor([this] { return received("MEDR,0,0,001") >= 2; }));
    auto disconnect = std::async(std::launch::async, [this] { sim.driver.disconnect(); });
    ASSERT_EQ(disconnect.wait_for(kPrompt), std::future_status::ready);
    EXPECT_FALSE(sim.driver.runRemote());
    EXPECT_FALSE(sim.driver.remoteMeasuring);
    EXPECT_EQ(sim.instrument.receivedLines().back(), "RMTS,0");
    EXPECT_FALSE(sim.instrument.remoteMode());
    EXPECT_FALSE(sim.connection->isOpen());
    platform::setMainWindow(nullptr);
}
