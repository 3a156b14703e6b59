// rx9100-sim: the simulated RX-9100 on a pseudo-terminal, with a command channel on stdin.
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <iostream>
#include <mutex>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "simulator/ControlChannel.h"
#include "simulator/Instrument.h"
#include "simulator/NumberChecks.h"
#include "simulator/OptionChecks.h"
#include "simulator/PtyServer.h"

namespace {

std::atomic<bool> g_stop{false};

void onSignal(int) {
    g_stop = true;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace rx9100sim;

    Identity identity;
    std::string source = "d65";
    double luminance = 100.0;
    int angle = 0;
    int baud = 0;
    int latencyMs = 0;
    std::vector<std::string> faults;
    std::string stateFile;
    std::string transcriptFile;
    std::string linkPath;
    double timeScale = 1.0;
    double fixedTime = -1.0;
    double autoKey = 0.0;
    double noise = 0.002;
    unsigned seed = 1;
    std::string samples;
    Miscalibration errors;
    int stored = 0;

    CLI::App app{
        "Simulated RX-9100 spectroradiometer on a pseudo-terminal.\n\n"
        "Prints the pty's path; connect the driver's serial transport or a terminal to it, e.g.\n"
        "  socat STDIO /dev/pts/N,raw,echo=0,crlf    (then type RMTS,1 and Enter)\n"
        "Lines end in CR, LF or CR LF; replies end in CR LF.\n\n"
        "While it runs, stdin takes commands such as 'key', 'source d65 100', 'angle 1',\n"
        "'fault MEAS,1:error:30', 'status', 'help' and 'quit'.",
        "rx9100-sim"};
    app.footer(std::string("\n") + kFaultSyntaxHelp + "\n\n" + kControlHelp);
    app.add_option("--variation", identity.variation,
                   "Model variation reported by IDDR: 0 or 1 standard, 2 low-luminance")
        ->check(wholeNumberIn("the model variation", 0, 9))
        ->capture_default_str();
    app.add_option("--body", identity.bodyNumber, "Body (serial) number reported by IDDR")
        ->capture_default_str();
    app.add_option("--rom", identity.romVersion,
                   "ROM version reported by VERR (1.00, 1.09, 1.10, 1.20...); from 1.10 on the "
                   "speed commands carry the internal-ND field")
        ->capture_default_str();
    app.add_option("--source", source,
                   "Light source: a, d65, e, planck:K, led:NM[:FWHM], red, green, blue, white, "
                   "lines:HG (mercury and argon lines), lines:NM,NM,...")
        ->capture_default_str();
    app.add_option("--luminance", luminance,
                   "Luminance of the source in cd/m2 (with a sample: of a perfect white under it)")
        ->check(numberIn("the luminance", 0, 1e7, "cd/m2"))
        ->capture_default_str();
    app.add_option("--sample", samples,
                   std::string("Samples in front of the instrument, one per measurement, the last "
                               "one staying: ") +
                       kSampleNames + "; without one the instrument looks at the source")
        ->check(checkedBy(Sample::parseList))
        ->type_name("NAME[,NAME...]");
    app.add_option("--wavelength-error", errors.wavelengthNm,
                   "Wavelength scale error: every line appears NM too long (negative: too short)")
        ->check(checkedBy(parseWavelengthError))
        ->type_name("NM");
    app.add_option("--level-error", errors.levelTilt,
                   "Sensitivity error: every reading times 1 + X*(nm - 580)/200")
        ->check(checkedBy(parseLevelError))
        ->type_name("X");
    app.add_option("--angle", angle, "Measuring angle 0, 1 or 2")
        ->check(wholeNumberIn("the measuring angle setting", 0, 2));
    app.add_option("--baud", baud,
                   "Emulate a serial line of this speed (10 bits per byte); 0: "
                   "no artificial delay")
        ->check(wholeNumberIn("the emulated line speed", 0, 4000000))
        ->capture_default_str();
    app.add_option("--latency", latencyMs, "Extra time the instrument takes per command, in ms")
        ->check(wholeNumberIn("the latency in ms", 0, 60000))
        ->capture_default_str();
    app.add_option("--fault", faults, "Arm a fault (repeatable); syntax below");
    app.add_option("--stored", stored,
                   "Start with believable stored data: samples 00 to N-1 and targets 1 to "
                   "min(N, 20) of several sources, some targets as colour values only; replaces "
                   "the stored data of --state")
        ->check(checkedBy(parseStoredCount))
        ->type_name("N");
    app.add_option("--state", stateFile,
                   "Keep the instrument's memory (conditions, calibration channels, factor "
                   "tables, stored data) in this JSON file across restarts");
    app.add_option("--transcript", transcriptFile,
                   "Append every received and sent line with a timestamp to this file");
    app.add_option("--link", linkPath, "Also make a stable symbolic link PATH to the pty");
    app.add_option("--time-scale", timeScale,
                   "Multiply every measuring time by this factor (e.g. 0.01 for fast tests)")
        ->check(numberIn("the time scale", 0, 1000))
        ->capture_default_str();
    app.add_option("--measuring-time", fixedTime, "Make every measurement take this many seconds")
        ->check(numberIn("the measuring time", 0, 3600, "seconds"));
    app.add_option("--auto-key", autoKey, "Press the measuring key every N seconds (0: never)")
        ->check(numberIn("the key interval", 0, 86400, "seconds"))
        ->capture_default_str();
    app.add_option("--noise", noise, "Relative noise of the readings (0: exact)")
        ->check(numberIn("the noise", 0, 1))
        ->capture_default_str();
    app.add_option("--seed", seed, "Seed of the noise generator")->capture_default_str();
    CLI11_PARSE(app, argc, argv);

    const auto light = LightSource::parse(source);
    if (!light) {
        std::cerr << "rx9100-sim: unknown source \"" << source << "\"\n";
        return 2;
    }
    Instrument instrument(identity);
    instrument.setScene(*light, luminance);
    if (!samples.empty()) {
        instrument.presentSamples(*Sample::parseList(samples, nullptr));
    }
    instrument.setMiscalibration(errors);
    instrument.setNoise(noise, seed);
    MeasuringTiming timing;
    timing.scale = timeScale;
    if (fixedTime >= 0) {
        timing.fixedSeconds = fixedTime;
    }
    instrument.setMeasuringTiming(timing);
    instrument.setWireTiming(WireTiming{baud, 10, std::chrono::milliseconds(latencyMs)});
    instrument.setTranscriptKeptInMemory(false);
    if (!transcriptFile.empty() && !instrument.setTranscriptFile(transcriptFile)) {
        std::cerr << "rx9100-sim: cannot write " << transcriptFile << "\n";
        return 2;
    }
    for (const auto& item : faults) {
        std::string error;
        const auto f = Fault::parse(item, &error);
        if (!f) {
            std::cerr << "rx9100-sim: " << error << "\n";
            return 2;
        }
        instrument.injectFault(*f);
    }
    if (!stateFile.empty()) {
        if (::access(stateFile.c_str(), F_OK) == 0) {
            std::string error;
            if (!instrument.loadState(stateFile, &error)) {
                std::cerr << "rx9100-sim: cannot load state: " << error << "\n";
                return 2;
            }
        }
        instrument.setMemoryChangedHook(
            [&instrument, stateFile] { instrument.saveState(stateFile); });
    }
    if (app.count("--stored")) {
        instrument.fillStoredData(stored);
    }
    if (app.count("--angle")) {
        instrument.setMeasuringAngle(angle);
    }
    if (autoKey > 0) {
        instrument.setAutoKeyInterval(
            std::chrono::milliseconds(static_cast<long long>(autoKey * 1000)));
    }

    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::mutex printMutex;
    PtyServer::Options options;
    options.linkPath = linkPath;
    options.onOpened = [&printMutex, linkPath](const std::string& path) {
        std::lock_guard lock(printMutex);
        std::cout << "pty: " << path;
        if (!linkPath.empty()) {
            std::cout << " (link " << linkPath << ")";
        }
        std::cout << std::endl;
    };
    std::unique_ptr<PtyServer> server;
    try {
        server = std::make_unique<PtyServer>(instrument, options);
    } catch (const std::exception& e) {
        std::cerr << "rx9100-sim: " << e.what() << "\n";
        return 1;
    }

    bool stdinOpen = true;
    std::string pending;
    while (!g_stop) {
        pollfd p{STDIN_FILENO, POLLIN, 0};
        const int r = stdinOpen ? ::poll(&p, 1, 200) : 0;
        if (!stdinOpen) {
            ::usleep(200000);
            continue;
        }
        if (r <= 0 || !(p.revents & (POLLIN | POLLHUP))) {
            continue;
        }
        char buffer[512];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            stdinOpen = false;  // keep serving until a signal stops us
            continue;
        }
        pending.append(buffer, static_cast<std::size_t>(n));
        for (auto end = pending.find('\n'); end != std::string::npos; end = pending.find('\n')) {
            const std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            const ControlResult result = runControlCommand(instrument, line);
            if (!result.text.empty()) {
                std::lock_guard lock(printMutex);
                std::cout << result.text << std::endl;
            }
            if (result.quit) {
                g_stop = true;
            }
        }
    }
    server.reset();
    if (!stateFile.empty() && !instrument.saveState(stateFile)) {
        std::cerr << "rx9100-sim: cannot save state to " << stateFile << "\n";
        return 1;
    }
    return 0;
}
