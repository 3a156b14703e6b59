// What the driver adds to a measurement: doMeasurement against the simulator on
// a pseudo-terminal at 38400 baud, less the instrument's measuring time and the
// wire time of every byte that crossed (10 bits per byte); and the cost of
// decoding one measurement next to its wire time.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <deque>
#include <filesystem>

#include "measure/MeasureMessages.h"
#include "platform/Numbers.h"
#include "platform/Window.h"
#include "sensor/RegistryStore.h"
#include "sensor/TavoRX9100.h"
#include "simulator/Instrument.h"
#include "simulator/PtyServer.h"

namespace {

constexpr int kBaud = 38400;
constexpr double kBitsPerByte = 10.0;
constexpr double kMeasuringSeconds = 0.1;

double wireSeconds(std::size_t bytes) {
    return static_cast<double>(bytes) * kBitsPerByte / kBaud;
}

void useScratchSettings() {
    static bool done = false;
    if (!done) {
        // A folder of this run's own: two runs may measure at once.
        std::string folder = std::filesystem::temp_directory_path() / "rx9100-bench-XXXXXX";
        RegistryStore::setStoreFolder(::mkdtemp(folder.data()));
        done = true;
    }
}

void BM_MeasurementOverheadAt38400(benchmark::State& state) {
    useScratchSettings();
    rx9100sim::Instrument instrument;
    instrument.setNoise(0.0);
    instrument.setMeasuringTiming({1.0, kMeasuringSeconds});
    instrument.setWireTiming({kBaud, 10, std::chrono::microseconds(0)});
    rx9100sim::PtyServer server(instrument);
    TavoRX9100 driver;
    auto port = std::make_unique<SerialPort>(false, true);
    port->setPortName(server.path());
    driver.setConnection(std::move(port));
    driver.setErrorVisible(false);
    if (driver.connect() != 0) {
        state.SkipWithError("cannot connect to the simulator");
        return;
    }
    double overhead = 0, wire = 0, total = 0;
    std::vector<MeasuringData> out;
    for (auto _ : state) {
        instrument.clearTranscript();
        auto start = std::chrono::steady_clock::now();
        int r = driver.doMeasurement(out, nullptr);
        double elapsed =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (r != 0) {
            state.SkipWithError("measurement failed");
            break;
        }
        std::size_t bytes = 0;
        for (const auto& entry : instrument.transcript()) {
            bytes += entry.bytes.size();
        }
        wire += wireSeconds(bytes);
        total += elapsed;
        overhead += elapsed - kMeasuringSeconds - wireSeconds(bytes);
    }
    driver.disconnect();
    double n = static_cast<double>(state.iterations());
    state.counters["total_ms"] = total / n * 1e3;
    state.counters["wire_ms"] = wire / n * 1e3;
    state.counters["measuring_ms"] = kMeasuringSeconds * 1e3;
    state.counters["driver_overhead_ms"] = overhead / n * 1e3;
    state.counters["goal_ms"] = 30;
}
BENCHMARK(BM_MeasurementOverheadAt38400)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Remote measurement with the key pressed far faster than the line can carry records
// (every 50 ms; a record is about a second of 38400-baud wire): how many records a second
// reach the host, against the wire time of the bytes that crossed per record.
void BM_RemoteKeyRateAt38400(benchmark::State& state) {
    useScratchSettings();
    constexpr auto kWindow = std::chrono::seconds(10);
    rx9100sim::Instrument instrument;
    instrument.setNoise(0.0);
    instrument.setMeasuringTiming({1.0, 0.02});
    instrument.setWireTiming({kBaud, 10, std::chrono::microseconds(0)});
    rx9100sim::PtyServer server(instrument);
    platform::Window mainWindow;
    platform::setMainWindow(&mainWindow);
    TavoRX9100 driver;
    auto port = std::make_unique<SerialPort>(false, true);
    port->setPortName(server.path());
    driver.setConnection(std::move(port));
    driver.setErrorVisible(false);
    if (driver.connect() != 0 || driver.remoteMeasure() != 0) {
        state.SkipWithError("cannot start remote measurement on the simulator");
        platform::setMainWindow(nullptr);
        return;
    }
    instrument.setAutoKeyInterval(std::chrono::milliseconds(50));
    double records = 0, seconds = 0, wire = 0;
    for (auto _ : state) {
        instrument.clearTranscript();
        int fetched = 0;
        const auto start = std::chrono::steady_clock::now();
        while (std::chrono::steady_clock::now() - start < kWindow) {
            platform::Message message;
            if (platform::waitMessage(message, std::chrono::milliseconds(50)) &&
                message.message == MSG_REMOTE_DATA) {
                std::vector<MeasuringData> data;
                driver.getRemoteData(data);
                fetched += data.size() == 1 && data[0].getData().size() == 401u ? 1 : 0;
                driver.approveGetData();
            }
        }
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        records += fetched;
        std::size_t bytes = 0;
        for (const auto& entry : instrument.transcript()) {
            bytes += entry.bytes.size();
        }
        wire += wireSeconds(bytes);
    }
    instrument.setAutoKeyInterval(std::chrono::milliseconds(0));
    driver.quitRemoteMeasure(true);
    driver.disconnect();
    platform::setMainWindow(nullptr);
    state.counters["records_per_s"] = records / seconds;
    state.counters["wire_ms_per_record"] = records > 0 ? wire / records * 1e3 : 0;
    // 1.0 would be a line busy with nothing but the records' bytes.
    state.counters["share_of_line_limit"] =
        records > 0 ? (records / seconds) * (wire / records) : 0;
}
BENCHMARK(BM_RemoteKeyRateAt38400)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// A transport that replays one measurement's replies from memory.
class ReplayConnection : public UnivSerialBus {
  public:
    explicit ReplayConnection(std::vector<std::string> replies) : replies_(std::move(replies)) {}
    int setupPort(platform::WindowHandle, int) override { return 0; }
    void open() override {}
    void close() override {}
    bool isOpen() override { return true; }
    void setTimeout(int) override {}
    int getTimeout() override { return 3; }
    void sendString(const char*, int) override {}
    void recvString(std::string& line) override {
        line = replies_[next_];
        next_ = (next_ + 1) % replies_.size();
    }
    void cancel() override {}
    bool isCanceled() override { return false; }

  private:
    std::vector<std::string> replies_;
    std::size_t next_ = 0;
};

void BM_DecodeOneMeasurement(benchmark::State& state) {
    useScratchSettings();
    rx9100sim::Instrument instrument;
    instrument.setMeasuringTiming({1.0, 0.0});
    instrument.exchange("RMTS,1");
    instrument.exchange("MEAS,1");
    instrument.waitUntilIdle(std::chrono::seconds(2));
    std::vector<std::string> replies;
    std::size_t bytes = 0;
    for (const char* line :
         {"MEDR,0,0,001", "MEDR,1,1,1", "MEDR,1,1,2", "MEDR,1,1,3", "MEDR,1,1,4"}) {
        std::string reply = instrument.exchange(line);
        bytes += std::string(line).size() + 2 + reply.size();
        while (!reply.empty() && (reply.back() == '\n' || reply.back() == '\r')) {
            reply.pop_back();
        }
        replies.push_back(reply);
    }
    TavoRX9100 driver;
    driver.setConnection(std::make_unique<ReplayConnection>(replies));
    MeasuringData record;
    for (auto _ : state) {
        driver.getMeasurementData(record);
        benchmark::DoNotOptimize(record.getData().data());
    }
    state.counters["wire_ms"] = wireSeconds(bytes) * 1e3;
    state.counters["decode_time_per_wire_time"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * wireSeconds(bytes),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_DecodeOneMeasurement)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
