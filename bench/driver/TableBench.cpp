// Factor-table and channel transfers through the driver against the simulator on a pty:
// a 401-entry read and a 402-exchange write at emulated 38400 baud against the wire time of
// their bytes (goal: within 3 %), the read unthrottled against a bare write/poll/read loop
// of the same lines on the same pty (goal: within 1.2x), and the full-scan rebuild of the
// channel list with eleven channels whose tables are the identity.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstring>
#include <filesystem>

#include "link/FactorTableProtocol.h"
#include "sensor/RegistryStore.h"
#include "sensor/TavoRX9100.h"
#include "simulator/Instrument.h"
#include "simulator/PtyServer.h"

namespace {

constexpr int kBaud = 38400;
constexpr double kBitsPerByte = 10.0;
using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A driver connected to a simulator whose lens table at angle 0 and channels exist.
struct TableRig {
    explicit TableRig(int baud) {
        static bool settings = false;
        if (!settings) {
            std::string folder = std::filesystem::temp_directory_path() / "rx9100-bench-XXXXXX";
            RegistryStore::setStoreFolder(::mkdtemp(folder.data()));
            settings = true;
        }
        auto memory = instrument.memory();
        memory.lensTables[0] = rx9100sim::unitTable();
        for (int ch = 1; ch < rx9100sim::kChannels; ++ch) {
            memory.channels[ch].wavelength = rx9100sim::identityWavelengthTable();
            memory.channels[ch].level = rx9100sim::unitTable();
        }
        instrument.setMemory(memory);
        instrument.setWireTiming({baud, 10, std::chrono::microseconds(0)});
        server = std::make_unique<rx9100sim::PtyServer>(instrument);
        auto port = std::make_unique<SerialPort>(false, true);
        port->setPortName(server->path());
        driver.setConnection(std::move(port));
        driver.setErrorVisible(false);
        connected = driver.connect() == 0;
    }
    ~TableRig() { driver.disconnect(); }
    double wireSeconds() const {
        std::size_t bytes = 0;
        for (const auto& entry : instrument.transcript()) {
            bytes += entry.bytes.size();
        }
        return static_cast<double>(bytes) * kBitsPerByte / kBaud;
    }

    rx9100sim::Instrument instrument;
    std::unique_ptr<rx9100sim::PtyServer> server;
    TavoRX9100 driver;
    bool connected = false;
};

void BM_LensTableAt38400(benchmark::State& state) {
    const bool write = state.range(0) == 1;
    TableRig rig(kBaud);
    if (!rig.connected) {
        state.SkipWithError("cannot connect to the simulator");
        return;
    }
    std::array<double, 401> table{};
    table.fill(1.0);
    double total = 0, wire = 0;
    for (auto _ : state) {
        rig.instrument.clearTranscript();
        const auto start = Clock::now();
        const int r = write ? rig.driver.setAdapterLens(table.data(), 0)
                            : rig.driver.getAdapterLens(table.data());
        total += secondsSince(start);
        if (r != 0) {
            state.SkipWithError("table transfer failed");
            return;
        }
        wire += rig.wireSeconds();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["total_ms"] = total / n * 1e3;
    state.counters["wire_ms"] = wire / n * 1e3;
    state.counters["over_wire_pct"] = (total / wire - 1.0) * 100.0;
    state.counters["goal_pct"] = 3;
}
BENCHMARK(BM_LensTableAt38400)
    ->ArgName("write")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The floor: one write, then poll and read until the line end.
bool bareExchange(int fd, const std::string& command) {
    char buffer[256];
    if (::write(fd, command.data(), command.size()) != static_cast<ssize_t>(command.size())) {
        return false;
    }
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        ::poll(&p, 1, 3000);
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0) {
            return false;
        }
        if (std::memchr(buffer, '\n', static_cast<std::size_t>(n)) != nullptr) {
            return true;
        }
    }
}

void BM_LensTableReadUnthrottled(benchmark::State& state) {
    TableRig rig(0);
    if (!rig.connected) {
        state.SkipWithError("cannot connect to the simulator");
        return;
    }
    rig.driver.closePort();  // the bare loop and the driver take turns on the pty
    std::array<double, 401> table{};
    double driverSeconds = 0, bareSeconds = 0;
    for (auto _ : state) {
        const int fd = ::open(rig.server->path().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        termios tio{};
        ::tcgetattr(fd, &tio);
        ::cfmakeraw(&tio);
        ::tcsetattr(fd, TCSANOW, &tio);
        auto start = Clock::now();
        bool bareOk = bareExchange(fd, "STSR\r\n");
        for (int i = 0; i < protocol::kTableEntries && bareOk; ++i) {
            bareOk = bareExchange(fd, protocol::lensReadCommand(0, i));
        }
        bareSeconds += secondsSince(start);
        ::close(fd);
        start = Clock::now();
        const int r = rig.driver.getAdapterLens(table.data());
        driverSeconds += secondsSince(start);
        rig.driver.closePort();
        if (!bareOk || r != 0) {
            state.SkipWithError("table read failed");
            return;
        }
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["driver_ms"] = driverSeconds / n * 1e3;
    state.counters["bare_loop_ms"] = bareSeconds / n * 1e3;
    state.counters["ratio"] = driverSeconds / bareSeconds;
    state.counters["goal_ratio"] = 1.2;
}
BENCHMARK(BM_LensTableReadUnthrottled)
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_ChannelListRebuildAt38400(benchmark::State& state) {
    TableRig rig(kBaud);
    if (!rig.connected) {
        state.SkipWithError("cannot connect to the simulator");
        return;
    }
    double total = 0, wire = 0;
    for (auto _ : state) {
        rig.instrument.clearTranscript();
        const auto start = Clock::now();
        rig.driver.checkCalibrationCh();
        total += secondsSince(start);
        wire += rig.wireSeconds();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["rebuild_s"] = total / n;
    state.counters["wire_s"] = wire / n;
}
BENCHMARK(BM_ChannelListRebuildAt38400)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
