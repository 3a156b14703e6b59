// What the transport adds to an exchange with the instrument simulator over a
// pty, as a ratio to a bare write/poll/read loop on the same pty in the same
// run; and how close a measurement read comes to the wire time at 38400 baud.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "outside/PortwayEx.h"
#include "simulator/Instrument.h"
#include "simulator/PtyServer.h"

namespace {

const std::string kTableCommand = "UCPR,0,01,123\r\n";
const std::vector<std::string> kMeasurementCommands = {
    "MEDR,0,0,001\r\n", "MEDR,1,1,1\r\n", "MEDR,1,1,2\r\n", "MEDR,1,1,3\r\n", "MEDR,1,1,4\r\n"};
constexpr int kTableExchanges = 401;

// The simulator with a measurement in memory and a unit table in channel 1,
// one SerialPort and one bare descriptor on its pty.
struct Rig {
    rx9100sim::Instrument instrument;
    std::unique_ptr<rx9100sim::PtyServer> server;
    int bareFd = -1;
    SerialPort port{false, true};

    Rig() {
        auto memory = instrument.memory();
        memory.channels[1].wavelength = rx9100sim::unitTable();
        instrument.setMemory(memory);
        instrument.setMeasuringTiming({1.0, 0.01});
        instrument.setNoise(0.0);
        instrument.exchange("RMTS,1");
        instrument.exchange("MEAS,1");
        instrument.waitUntilIdle(std::chrono::seconds(5));
        server = std::make_unique<rx9100sim::PtyServer>(instrument);

        bareFd = ::open(server->path().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        termios tio{};
        ::tcgetattr(bareFd, &tio);
        ::cfmakeraw(&tio);
        ::tcsetattr(bareFd, TCSANOW, &tio);

        port.setMethod(3);
        port.setPortName(server->path());
        port.open();
    }
    ~Rig() { ::close(bareFd); }
};

Rig& rig() {
    static Rig instance;
    return instance;
}

// The floor: one write, then poll and read until the line end.
std::size_t bareExchange(int fd, const std::string& command, char* buffer, std::size_t size) {
    if (::write(fd, command.data(), command.size()) != static_cast<ssize_t>(command.size())) {
        return 0;
    }
    std::size_t got = 0;
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        ::poll(&p, 1, 3000);
        const ssize_t n = ::read(fd, buffer + got, size - got);
        if (n <= 0) {
            return got;
        }
        got += static_cast<std::size_t>(n);
        if (std::memchr(buffer + got - n, '\n', static_cast<std::size_t>(n)) != nullptr) {
            return got;
        }
    }
}

// One exchange the way the driver makes it. Returns the bytes on the wire.
std::size_t portExchange(SerialPort& port, const std::string& command, std::string& reply) {
    if (!port.isOpen()) {
        port.open();
    }
    port.setTimeout(3);
    port.sendString(command.c_str(), static_cast<int>(command.size()));
    port.recvString(reply);
    return command.size() + reply.size() + 2;
}

using Micros = std::chrono::duration<double, std::micro>;

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// A round is one table read (or one measurement read) done both ways, the two
// alternating exchange by exchange so that both meet the same machine load. The
// figures are the medians over the rounds, per exchange (`perRound` divides).
void alternate(benchmark::State& state, const std::vector<std::string>& commands, int perRound) {
    char buffer[8192];
    std::string reply;
    std::vector<double> bareUs;
    std::vector<double> portwayUs;
    bool bareFirst = true;
    for (auto _ : state) {
        // An untimed exchange first: the start of a round is slower, and it
        // must not be charged to whichever side happens to go first.
        portExchange(rig().port, commands.front(), reply);
        double bare = 0;
        double portway = 0;
        for (const auto& command : commands) {
            for (int pass = 0; pass < 2; ++pass) {
                const bool runBare = (pass == 0) == bareFirst;
                const auto start = std::chrono::steady_clock::now();
                if (runBare) {
                    bareExchange(rig().bareFd, command, buffer, sizeof buffer);
                } else {
                    portExchange(rig().port, command, reply);
                }
                (runBare ? bare : portway) +=
                    Micros(std::chrono::steady_clock::now() - start).count();
            }
            bareFirst = !bareFirst;
        }
        bareUs.push_back(bare / perRound);
        portwayUs.push_back(portway / perRound);
    }
    if (!reply.starts_with("OK00,")) {
        state.SkipWithError(("unexpected reply " + reply).c_str());
    }
    state.counters["bare_us"] = median(bareUs);
    state.counters["portway_us"] = median(portwayUs);
    state.counters["ratio"] = median(portwayUs) / median(bareUs);
}

void tableRead(benchmark::State& state) {
    alternate(state, std::vector<std::string>(kTableExchanges, kTableCommand), kTableExchanges);
}

void measurementRead(benchmark::State& state) {
    alternate(state, kMeasurementCommands, 1);
}

void measurementReadAt38400(benchmark::State& state) {
    rig().instrument.setWireTiming({38400, 10, std::chrono::microseconds(0)});
    std::string reply;
    std::vector<double> ratios;
    for (auto _ : state) {
        std::size_t bytes = 0;
        const auto start = std::chrono::steady_clock::now();
        for (const auto& command : kMeasurementCommands) {
            bytes += portExchange(rig().port, command, reply);
        }
        const double us = Micros(std::chrono::steady_clock::now() - start).count();
        const double wireUs = static_cast<double>(bytes) * 10.0 / 38400.0 * 1e6;
        ratios.push_back(us / wireUs);
        state.counters["wire_bytes"] = static_cast<double>(bytes);
        state.counters["wire_ms"] = wireUs / 1000.0;
    }
    rig().instrument.setWireTiming({});
    state.counters["ratio"] = median(ratios);
}

// From cancel() on one thread to the throw in the receive waiting on another.
void cancelLatency(benchmark::State& state) {
    std::vector<double> latencies;
    std::string reply;
    for (auto _ : state) {
        std::atomic<bool> waiting{false};
        std::chrono::steady_clock::time_point thrown;
        std::thread receiver([&] {
            std::string line;
            rig().port.setTimeout(20);
            waiting = true;
            try {
                rig().port.recvString(line);
            } catch (const SerialPortException&) {
                thrown = std::chrono::steady_clock::now();
            }
        });
        while (!waiting) {
            std::this_thread::yield();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));  // let it reach poll
        const auto raised = std::chrono::steady_clock::now();
        rig().port.cancel();
        receiver.join();
        latencies.push_back(Micros(thrown - raised).count());
        portExchange(rig().port, kTableCommand, reply);  // the next send clears the request
    }
    state.counters["median_us"] = median(latencies);
    state.counters["max_us"] = *std::max_element(latencies.begin(), latencies.end());
}

// Keeps the counters of each benchmark for the closing summary.
class Collector : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& run : runs) {
            for (const auto& [name, counter] : run.counters) {
                figures[run.run_name.function_name][name] = counter.value;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, std::map<std::string, double>> figures;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RegisterBenchmark("table_read", tableRead)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(40);
    benchmark::RegisterBenchmark("measurement_read", measurementRead)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(400);
    benchmark::RegisterBenchmark("cancel_latency", cancelLatency)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(50);
    benchmark::RegisterBenchmark("measurement_read_38400", measurementReadAt38400)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(5);

    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();

    for (const char* name : {"table_read", "measurement_read"}) {
        if (auto it = collector.figures.find(name); it != collector.figures.end()) {
            auto& f = it->second;
            std::printf("%s: bare loop %.1f us, portway %.1f us per %s, ratio %.3f (goal <= 1.2)\n",
                        name, f["bare_us"], f["portway_us"],
                        std::string(name) == "table_read" ? "exchange" : "read", f["ratio"]);
        }
    }
    if (auto it = collector.figures.find("cancel_latency"); it != collector.figures.end()) {
        std::printf("cancel_latency: median %.0f us, max %.0f us (bound 50000 us)\n",
                    it->second["median_us"], it->second["max_us"]);
    }
    if (auto it = collector.figures.find("measurement_read_38400"); it != collector.figures.end()) {
        auto& f = it->second;
        std::printf(
            "measurement_read at 38400 baud: %.0f bytes, wire time %.1f ms, "
            "ratio %.4f (goal <= 1.03)\n",
            f["wire_bytes"], f["wire_ms"], f["ratio"]);
    }
    return 0;
}
