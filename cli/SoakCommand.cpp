// `rx9100 soak --sim`: rounds of measurements, condition writes and remote runs against
// the built-in simulator, a random fault armed in about half of them.
#include "SoakCommand.h"

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <random>
#include <thread>

#include <CLI/CLI.hpp>

#include "ErrorReport.h"
#include "ExitCodes.h"
#include "Interrupt.h"
#include "SoakChecks.h"
#include "SoakOperations.h"
#include "SoakTally.h"
#include "sensor/ResultCodes.h"
#include "sensor/TavoRX9100.h"
#include "simulator/Instrument.h"
#include "simulator/NumberChecks.h"
#include "simulator/PtyServer.h"

namespace cli {

namespace {

using namespace soak;
using Clock = std::chrono::steady_clock;

// The soak's own exit code: it ran, and found a fault.
constexpr int kExitFindings = 6;
// The rounds of the first tenth of the run (at most two minutes) fill caches and pools;
// memory is compared from there on.
constexpr double kWarmUpShare = 0.1;
constexpr double kWarmUpMaxMinutes = 2.0;
constexpr std::size_t kTranscriptLines = 40;

// Ends the process when a round takes longer than the limit: a call into the driver that
// never returns cannot be stopped from outside.
class Watchdog {
  public:
    Watchdog(std::chrono::milliseconds limit, std::function<void(const std::string&)> onHang)
        : limit_(limit),
          onHang_(std::move(onHang)),
          thread_([this](std::stop_token stop) { watch(stop); }) {}
    ~Watchdog() {
        thread_.request_stop();
        wake_.notify_all();
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    void arm(const std::string& what) {
        std::lock_guard lock(mutex_);
        what_ = what;
        deadline_ = Clock::now() + limit_;
        armed_ = true;
        wake_.notify_all();
    }
    void disarm() {
        std::lock_guard lock(mutex_);
        armed_ = false;
    }

  private:
    void watch(std::stop_token stop) {
        std::unique_lock lock(mutex_);
        while (!stop.stop_requested()) {
            if (!armed_) {
                wake_.wait(lock, stop, [this] { return armed_; });
                continue;
            }
            const auto deadline = deadline_;
            if (!wake_.wait_until(lock, stop, deadline,
                                  [&] { return !armed_ || deadline_ != deadline; }) &&
                armed_ && Clock::now() >= deadline_) {
                onHang_(what_);
            }
        }
    }

    std::chrono::milliseconds limit_;
    std::function<void(const std::string&)> onHang_;
    std::mutex mutex_;
    std::condition_variable_any wake_;
    std::string what_;
    Clock::time_point deadline_{};
    bool armed_ = false;
    std::jthread thread_;  // last: started when everything it uses exists
};

// Keeps the soak's report on the real stderr while the driver's and the session's own
// messages about the injected faults go nowhere (unless --verbose).
class QuietStderr {
  public:
    explicit QuietStderr(bool quiet) : report_(fdopen(dup(STDERR_FILENO), "w")) {
        if (report_ != nullptr) {
            setvbuf(report_, nullptr, _IOLBF, 0);  // findings show while the soak runs
        }
        if (quiet && report_ != nullptr) {
            const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
            if (null >= 0) {
                dup2(null, STDERR_FILENO);
                close(null);
            }
        }
    }
    ~QuietStderr() {
        if (report_ != nullptr) {
            std::fflush(stderr);
            dup2(fileno(report_), STDERR_FILENO);
            std::fclose(report_);
        }
    }
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;
    std::FILE* report() const { return report_ != nullptr ? report_ : stderr; }

  private:
    std::FILE* report_;
};

Operation pickOperation(std::mt19937& random) {
    const int n = std::uniform_int_distribution<int>(0, 3)(random);
    return n < 2 ? Operation::Measure : (n == 2 ? Operation::Conditions : Operation::Remote);
}

// Waits for the simulated instrument to act on what is on the line: the lines a fault
// delayed are written, and a last "RMTS,0" is carried out. Bounded: a round that left the
// instrument in remote mode still ends within half a second of its last line.
void settle(rx9100sim::Instrument& instrument) {
    const auto written = Clock::now() + std::chrono::seconds(3);  // the slowest fault: 1.5 s
    while (instrument.repliesPending() && Clock::now() < written) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    const auto deadline = Clock::now() + std::chrono::milliseconds(500);
    while (instrument.remoteMode() && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

std::string transcriptTail(const rx9100sim::Instrument& instrument) {
    const auto entries = instrument.transcript();
    const std::size_t first =
        entries.size() > kTranscriptLines ? entries.size() - kTranscriptLines : 0;
    std::string text;
    for (std::size_t i = first; i < entries.size(); ++i) {
        text += "      " + rx9100sim::formatTranscriptEntry(entries[i]) + "\n";
    }
    return text;
}

// After a dropped line the server opens a new pty and moves the link to it, a moment
// later; the next round must not find the link missing or still on the old pty.
void waitForReopenedLine(const rx9100sim::PtyServer& server, int dropsBefore) {
    const auto deadline = Clock::now() + std::chrono::seconds(2);
    while ((server.reopenCount() == dropsBefore || !std::filesystem::exists(server.linkPath())) &&
           Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void printUsage(std::FILE* out, const char* when, const Usage& usage) {
    std::fprintf(out, "  %-14s RSS %ld KiB, %d open descriptors\n", when, usage.rssKiB,
                 usage.descriptors);
}

}  // namespace

CLI::App* declareSoakCommand(CLI::App& app, SoakOptions& options) {
    CLI::App* soak = app.add_subcommand(
        "soak",
        "Measure, write conditions and run remote measurement for a time, with random "
        "faults in the built-in simulator (needs --sim); exits 6 on a hang, a leak, "
        "invented values or an instrument left in remote mode");
    soak->add_option("--minutes", options.minutes, "how long to run (default 10)")
        ->check(rx9100sim::numberIn("the soak time", 0, 525600, "minutes"));
    soak->add_option("--seed", options.seed, "seed of the random choices (default: the clock)");
    soak->add_option("--fault-rate", options.faultRate,
                     "share of rounds with a fault armed, 0 to 1 (default 0.5)")
        ->check(rx9100sim::numberIn("the fault rate", 0, 1));
    soak->add_option("--rss-tolerance", options.rssToleranceMiB,
                     "MiB of resident memory growth after warm-up still accepted (default 4)")
        ->check(rx9100sim::numberIn("the tolerance", 0, 1e6, "MiB"));
    soak->add_option("--hang-seconds", options.hangSeconds,
                     "a round taking longer is a hang, 1 to 86400 (default 120)")
        ->check(rx9100sim::numberIn("the hang limit", 1, 86400, "seconds"));
    soak->add_flag("--verbose", options.verbose,
                   "show each round with its outcome, and the driver's messages");
    return soak;
}

int runSoak(CommandContext& context, const SoakOptions& options,
            rx9100sim::Instrument* instrument) {
    if (instrument == nullptr) {
        printError("soak runs against the built-in simulator: add --sim");
        return kExitUsage;
    }
    const unsigned seed = options.seed.value_or(
        static_cast<unsigned>(std::chrono::system_clock::now().time_since_epoch().count()));
    std::mt19937 random(seed);
    const Usage start = currentUsage();

    // A pty of the soak's own with a link that follows it when a fault drops the line.
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("rx9100-soak-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string link = (folder / "pty").string();
    QuietStderr quiet(!options.verbose);
    std::FILE* out = quiet.report();
    int exitCode = kExitOk;
    {
        rx9100sim::PtyServer server(*instrument, {link, {}});
        instrument->setTranscriptKeptInMemory(true);
        SoakLine line{context.driver, context.line.global, context.trace,
                      link,           *instrument,         random};
        SoakTally tally;
        std::fprintf(out, "Soak: %.1f min, seed %u, faults in %.0f %% of the rounds\n",
                     options.minutes, seed, options.faultRate * 100);

        Watchdog watchdog(
            std::chrono::milliseconds(static_cast<long long>(options.hangSeconds * 1000)),
            [&](const std::string& round) {
                std::fprintf(out,
                             "HANG: %s took more than %.0f s; the instrument is in %s mode\n%s",
                             round.c_str(), options.hangSeconds,
                             instrument->remoteMode() ? "remote" : "local",
                             transcriptTail(*instrument).c_str());
                tally.print(out);
                std::fflush(out);
                std::_Exit(kExitFindings);
            });
        const auto began = Clock::now();
        const auto minutesSince = [&began] {
            return std::chrono::duration<double, std::ratio<60>>(Clock::now() - began).count();
        };
        const double warmUpMinutes = std::min(options.minutes * kWarmUpShare, kWarmUpMaxMinutes);
        std::optional<Usage> warm;
        do {
            const Operation operation = pickOperation(random);
            std::string fault;
            if (std::uniform_real_distribution<double>(0, 1)(random) < options.faultRate) {
                fault = randomFault(operation, random);
            }
            instrument->clearFaults();
            instrument->clearTranscript();
            if (!fault.empty()) {
                instrument->injectFault(*rx9100sim::Fault::parse(fault));
            }
            const int drops = server.reopenCount();
            const std::string round = std::string(operationName(operation)) + " with fault " +
                                      (fault.empty() ? "none" : fault);
            watchdog.arm(round);
            const auto roundStart = Clock::now();
            RoundResult result = runRound(operation, line);
            const double seconds = std::chrono::duration<double>(Clock::now() - roundStart).count();
            watchdog.disarm();
            // The server reopens the pty a moment after the driver has seen it close.
            const bool dropped = server.reopenCount() != drops ||
                                 (fault.ends_with(":hangup") && instrument->armedFaults() == 0);
            instrument->clearFaults();
            if (dropped) {
                waitForReopenedLine(server, drops);
            } else if (!fault.empty()) {
                // A fault's late line (a stray one, a slow reply) may still be on its way:
                // it must not land in the next round, and a command the driver sent last
                // (after reading a late line as its reply) may not be acted on yet.
                settle(*instrument);
            }
            // A stray line that arrives once the next command is on its way reads as that
            // command's reply; a condition reply without its fields takes their defaults, so
            // only the read-back can tell, and it did: the host reports the write as not kept.
            if (result.outcome == "not kept" && fault.find(":stray") != std::string::npos) {
                result.outcome = "not kept (stray line read as a reply)";
                result.findings.clear();
            }
            // After no reply the driver leaves the instrument alone (it cannot tell a
            // silent instrument from a dead line), and an instrument that answered "ER00"
            // to "RMTS,0" said it is local: neither is the driver leaving it in remote mode.
            const bool outOfReach =
                context.driver.getInstrumentState()->getErrorCode() == codes::error::kNoResponse;
            if (instrument->remoteMode() && !dropped && !outOfReach &&
                !saidLocalLast(instrument->transcript())) {
                result.findings.push_back(
                    "the instrument was left in remote mode on a working line");
            }
            tally.add(operationName(operation), result.outcome, seconds, fault);
            if (options.verbose) {
                std::fprintf(out, "round %d: %s: %s, %.2f s\n", tally.rounds(), round.c_str(),
                             result.outcome.c_str(), seconds);
            }
            for (const std::string& finding : result.findings) {
                tally.addFinding(finding, fault);
                std::fprintf(out, "FINDING (round %d, %s): %s\n", tally.rounds(), round.c_str(),
                             finding.c_str());
            }
            if (!result.findings.empty()) {
                std::fprintf(out, "%s", transcriptTail(*instrument).c_str());
            }
            if (instrument->remoteMode()) {
                instrument->leaveRemoteMode();  // the next round starts from local mode
            }
            if (!warm && minutesSince() >= warmUpMinutes) {
                warm = currentUsage();
            }
        } while (minutesSince() < options.minutes && !interrupted());

        const Usage end = currentUsage();
        if (!warm) {
            warm = end;  // a run shorter than its warm-up: nothing to compare
        }
        std::fprintf(out, "Soak finished after %.1f min%s\n", minutesSince(),
                     interrupted() ? " (interrupted)" : "");
        tally.print(out);
        printUsage(out, "at start", start);
        printUsage(out, "after warm-up", *warm);
        printUsage(out, "at end", end);
        for (const std::string& leak :
             judgeLeaks(*warm, end, static_cast<long>(options.rssToleranceMiB * 1024))) {
            tally.addFinding("leak: " + leak, "");
        }
        tally.printFindings(out);
        if (tally.findingCount() > 0) {
            exitCode = kExitFindings;
        } else if (interrupted()) {
            exitCode = kExitStoppedBase + stopSignal();
        }
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return exitCode;
}

}  // namespace cli
