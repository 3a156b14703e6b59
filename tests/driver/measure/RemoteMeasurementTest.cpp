// Remote measurement: the user measures with the instrument's key, the receive
// thread hands each record to the host. These tests also run under ThreadSanitizer.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "measure/MeasureMessages.h"
#include "platform/System.h"
#include "support/SimulatedDriver.h"

using namespace std::chrono_literals;

namespace {

class RemoteTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::setMainWindow(&mainWindow);
        sim.driver.setErrorVisible(false);
        ASSERT_EQ(sim.driver.connect(), 0);
        sim.instrument.setMeasuringTiming({1.0, 0.02});
    }
    void TearDown() override { platform::setMainWindow(nullptr); }

    bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit = 3s) {
        auto end = std::chrono::steady_clock::now() + limit;
        while (!condition()) {
            if (std::chrono::steady_clock::now() > end) {
                return false;
            }
            std::this_thread::sleep_for(5ms);
        }
        return true;
    }
    // Waits for the receive thread's announcement on this (the main) thread.
    bool waitForAnnouncement(std::chrono::milliseconds limit = 3s) {
        platform::Message message;
        auto end = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < end) {
            if (platform::waitMessage(message, 20ms) && message.message == MSG_REMOTE_DATA) {
                return true;
            }
        }
        return false;
    }
    void pressWhenEnabled() {
        ASSERT_TRUE(waitFor([this] { return sim.instrument.keyEnabled(); }));
        ASSERT_TRUE(sim.instrument.pressKey());
    }

    platform::Window mainWindow;
    SimulatedDriver sim;
};

}  // namespace

TEST_F(RemoteTest, EveryKeyPressReachesTheHostInOrder) {
    ASSERT_EQ(sim.driver.remoteMeasure(), 0);
    std::vector<double> luminances = {10.0, 40.0, 160.0};
    std::vector<double> received;
    for (double lv : luminances) {
        sim.instrument.setScene(rx9100sim::LightSource{}, lv);
        pressWhenEnabled();
        ASSERT_TRUE(waitForAnnouncement());
        std::vector<MeasuringData> data;
        ASSERT_EQ(sim.driver.getRemoteData(data), 0);
        ASSERT_EQ(data.size(), 1u);
        ASSERT_EQ(data[0].getData().size(), 401u);
        received.push_back(data[0].getData()[175]);  // 555 nm
        sim.driver.approveGetData();
    }
    EXPECT_EQ(sim.driver.quitRemoteMeasure(true), 0);
    ASSERT_EQ(received.size(), 3u);
    EXPECT_NEAR(received[1] / received[0], 4.0, 0.05);
    EXPECT_NEAR(received[2] / received[1], 4.0, 0.05);
    EXPECT_FALSE(sim.instrument.keyEnabled());
}

TEST_F(RemoteTest, QuitWhileWaitingForDataAndStartAgain) {
    auto headerRequests = [this] {
        const auto lines = sim.instrument.receivedLines();
        return std::count(lines.begin(), lines.end(), "MEDR,0,0,001");
    };
    for (int session = 0; session < 3; ++session) {
        const auto before = headerRequests();
        ASSERT_EQ(sim.driver.remoteMeasure(), 0);
        // Quit once this session's thread waits for the key: it has asked for data.
        ASSERT_TRUE(waitFor([&] { return headerRequests() > before; }));
        EXPECT_EQ(sim.driver.quitRemoteMeasure(true), 0);
        EXPECT_FALSE(sim.driver.runRemote());
    }
    ASSERT_EQ(sim.driver.remoteMeasure(), 0);  // a later session still collects data
    pressWhenEnabled();
    EXPECT_TRUE(waitForAnnouncement());
    sim.driver.approveGetData();
    EXPECT_EQ(sim.driver.quitRemoteMeasure(true), 0);
}

TEST_F(RemoteTest, QuitWhileTheInstrumentIsStillMeasuring) {
    sim.instrument.setMeasuringTiming({1.0, 8.0});
    ASSERT_EQ(sim.driver.remoteMeasure(), 0);
    pressWhenEnabled();
    ASSERT_TRUE(waitFor([this] {  // the thread asks again and again while it measures
        auto lines = sim.instrument.receivedLines();
        return std::count(lines.begin(), lines.end(), "MEDR,0,0,001") >= 3;
    }));
    auto start = std::chrono::steady_clock::now();
    sim.driver.quitRemoteMeasure(true);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 4s);  // not the 8 s measurement
}

TEST_F(RemoteTest, QuitWithoutFetchingAnAnnouncedRecordDoesNotHang) {
    ASSERT_EQ(sim.driver.remoteMeasure(), 0);
    pressWhenEnabled();
    ASSERT_TRUE(waitForAnnouncement());
    EXPECT_EQ(sim.driver.quitRemoteMeasure(true), 0);
}

TEST_F(RemoteTest, HostExchangesUnderTheLockWhileTheKeyKeepsBeingPressed) {
    // Not a multiple of the thread's 100 ms polling, which would always find it measuring.
    sim.instrument.setAutoKeyInterval(170ms);
    ASSERT_EQ(sim.driver.remoteMeasure(), 0);
    int fetched = 0, exchanges = 0;
    auto end = std::chrono::steady_clock::now() + 2500ms;
    auto nextExchange = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() < end) {
        platform::Message message;
        if (platform::waitMessage(message, 10ms) && message.message == MSG_REMOTE_DATA) {
            std::vector<MeasuringData> data;
            sim.driver.getRemoteData(data);
            fetched += static_cast<int>(data.size());
            sim.driver.approveGetData();
        }
        if (std::chrono::steady_clock::now() < nextExchange) {
            continue;
        }
        nextExchange += 250ms;
        int r = sim.driver.lockRemote();
        if (r == -7) {
            continue;  // the thread was handing over a record; it was let go
        }
        // A key measurement may be running: the instrument then answers ER02.
        EXPECT_TRUE(r == 0 || r == 10);
        if (sim.driver.checkLens() == 0) {
            ++exchanges;
        } else {
            EXPECT_EQ(sim.driver.getInstrumentState()->getErrorCode(), 2);
        }
        r = sim.driver.unlockRemote(false);
        EXPECT_TRUE(r == 0 || r == 10);
    }
    sim.instrument.setAutoKeyInterval(0ms);
    EXPECT_GT(fetched, 0);
    EXPECT_GT(exchanges, 0);
    sim.driver.lockRemote();
    sim.driver.quitRemoteMeasure(false);  // releases the host's lock
    EXPECT_FALSE(sim.driver.runRemote());
}

TEST_F(RemoteTest, KeyPressedFasterThanTheLineCarriesStillDeliversRecords) {
    // At 38400 baud a record (header and four blocks) takes about a second on the line;
    // the key is pressed every 150 ms and each measurement takes 100 ms, so the instrument
    // is measuring most of the time.
    sim.instrument.setMeasuringTiming({1.0, 0.1});
    sim.instrument.setWireTiming({38400, 10, 0us});
    sim.connection->setReceiveWaitOverride(3s);
    sim.instrument.setAutoKeyInterval(150ms);
    ASSERT_EQ(sim.driver.remoteMeasure(), 0);
    int records = 0;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(waitForAnnouncement(10s)) << "after " << records << " records";
        std::vector<MeasuringData> data;
        sim.driver.getRemoteData(data);
        ASSERT_EQ(data.size(), 1u);
        EXPECT_EQ(data[0].getData().size(), 401u);
        ++records;
        sim.driver.approveGetData();
    }
    sim.instrument.setAutoKeyInterval(0ms);
    EXPECT_EQ(sim.driver.quitRemoteMeasure(true), 0);
}

TEST_F(RemoteTest, KeyThatCannotBeSwitchedIsReportedRetriedAndLosesNoRecord) {
    sim.driver.setErrorVisible(true);
    ASSERT_EQ(sim.driver.remoteMeasure(), 0);
    auto keyRefusals = [this] {
        int shown = 0;
        for (const auto& box : sim.ui->messageBoxes()) {
            shown += box.text == "ER30 : 回路エラー" ? 1 : 0;
        }
        return shown;
    };
    auto keyCommands = [this] {
        const auto lines = sim.instrument.receivedLines();
        return std::count(lines.begin(), lines.end(), "MSWE,1");
    };
    // Fetches the record and waits until the thread has switched the key on again: a press
    // while the host fetches does not count, even with a key that stayed on.
    auto fetchOne = [&] {
        const auto before = keyCommands();
        std::vector<MeasuringData> data;
        sim.driver.getRemoteData(data);
        ASSERT_EQ(data.size(), 1u);
        EXPECT_EQ(data[0].getData().size(), 401u);
        sim.driver.approveGetData();
        ASSERT_TRUE(waitFor([&] { return keyCommands() > before; }));
    };

    // The key cannot be disabled: the record read is still handed over, the failure
    // reported once, and the next record tries again.
    sim.instrument.injectFault(*rx9100sim::Fault::parse("MSWE,0#1+:error:30"));
    for (int round = 1; round <= 2; ++round) {
        pressWhenEnabled();
        ASSERT_TRUE(waitForAnnouncement()) << "round " << round;
        EXPECT_EQ(keyRefusals(), round);
        fetchOne();
    }
    sim.instrument.clearFaults();

    // The key cannot be enabled again after the host fetched a record: reported, and
    // asked again until it works.
    sim.instrument.injectFault(*rx9100sim::Fault::parse("MSWE,1#1+:error:30"));
    pressWhenEnabled();
    ASSERT_TRUE(waitForAnnouncement());
    sim.instrument.clearTranscript();
    fetchOne();
    ASSERT_TRUE(waitFor([&] { return keyRefusals() == 3; }));
    // 20 attempts after the record, 20 more at the next pass; no data requests meanwhile:
    // the instrument still offers the record already handed over.
    ASSERT_TRUE(waitFor([&] { return keyCommands() >= 40; }, 5s));
    EXPECT_EQ(keyRefusals(), 3);  // reported once, however often it is asked
    const auto lines = sim.instrument.receivedLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "MEDR,0,0,001"), 0);
    sim.instrument.clearFaults();
    pressWhenEnabled();
    ASSERT_TRUE(waitForAnnouncement());
    fetchOne();
    EXPECT_EQ(sim.driver.quitRemoteMeasure(true), 0);
}

TEST_F(RemoteTest, PulledCableDuringRemoteMeasurementEndsWithoutHanging) {
    ASSERT_EQ(sim.driver.remoteMeasure(), 0);
    sim.instrument.injectFault(*rx9100sim::Fault::parse("MEDR:hangup"));
    // The line drops at the thread's first request; its pass ends with -10 and the
    // next one reopens the port. The host's state is only read once the thread is over.
    ASSERT_TRUE(waitFor([this] { return sim.instrument.armedFaults() == 0; }));
    ASSERT_TRUE(waitFor([this] {
        auto lines = sim.instrument.receivedLines();
        return std::count(lines.begin(), lines.end(), "MEDR,0,0,001") >= 2;
    }));
    sim.driver.quitRemoteMeasure(true);
    EXPECT_FALSE(sim.driver.runRemote());
}
