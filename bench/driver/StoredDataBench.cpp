// Reading the instrument's stored samples through the driver against the simulator on a
// pty at emulated 38400 baud: the time of the whole reading (100 headers, four blocks per
// stored sample) against the wire time of every byte that crossed (10 bits per byte).
// Goal: within 3 % of the wire time.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>

#include "sensor/RegistryStore.h"
#include "sensor/TavoRX9100.h"
#include "simulator/Instrument.h"
#include "simulator/PtyServer.h"

namespace {

constexpr int kBaud = 38400;
constexpr double kBitsPerByte = 10.0;
using Clock = std::chrono::steady_clock;

void BM_StoredSamplesAt38400(benchmark::State& state) {
    static bool settings = false;
    if (!settings) {
        std::string folder = std::filesystem::temp_directory_path() / "rx9100-bench-XXXXXX";
        RegistryStore::setStoreFolder(::mkdtemp(folder.data()));
        settings = true;
    }
    rx9100sim::Instrument instrument;
    instrument.setNoise(0.0);
    instrument.fillStoredData(static_cast<int>(state.range(0)));
    instrument.setWireTiming({kBaud, 10, std::chrono::microseconds(0)});
    rx9100sim::PtyServer server(instrument);
    TavoRX9100 driver;
    auto port = std::make_unique<SerialPort>(false, true);
    port->setPortName(server.path());
    driver.setConnection(std::move(port));
    driver.setErrorVisible(false);
    if (driver.connect() != 0) {
        state.SkipWithError("the simulated instrument did not answer");
        return;
    }
    double total = 0, wire = 0;
    for (auto _ : state) {
        instrument.clearTranscript();
        StoredRecords records;
        const auto start = Clock::now();
        const int status = driver.readStoredRecords(false, true, records, {});
        total += std::chrono::duration<double>(Clock::now() - start).count();
        if (status != 0 || records.records.size() != static_cast<std::size_t>(state.range(0))) {
            state.SkipWithError("the reading failed");
            break;
        }
        std::size_t bytes = 0;
        for (const auto& entry : instrument.transcript()) {
            bytes += entry.bytes.size();
        }
        wire += static_cast<double>(bytes) * kBitsPerByte / kBaud;
    }
    driver.disconnect();
    const double n = static_cast<double>(state.iterations());
    state.counters["read_s"] = total / n;
    state.counters["wire_s"] = wire / n;
    state.counters["over_wire_pct"] = wire > 0 ? (total / wire - 1.0) * 100.0 : 0;
}
BENCHMARK(BM_StoredSamplesAt38400)
    ->ArgName("stored")
    ->Arg(10)
    ->Arg(100)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

}  // namespace
