// `rx9100 remote`: the instrument's measuring key takes the measurements; each one
// is printed as the driver's receive thread hands it over, until Ctrl-C.
#include <chrono>
#include <cstdio>
#include <vector>

#include "Commands.h"
#include "ErrorReport.h"
#include "ExitCodes.h"
#include "InstrumentSession.h"
#include "Interrupt.h"
#include "OutputFormat.h"
#include "OutputTarget.h"
#include "SpectrumPlot.h"
#include "measure/MeasureMessages.h"
#include "platform/Window.h"

namespace cli {

namespace {

// So many failed exchanges in a row mean the instrument is gone (about 15 s at most).
constexpr int kDeadLinkFailures = 5;

// The thread that starts remote measurement must have a main window: the receive
// thread posts its announcements there.
class MainWindowScope {
  public:
    MainWindowScope() { platform::setMainWindow(&window_); }
    ~MainWindowScope() { platform::setMainWindow(nullptr); }
    MainWindowScope(const MainWindowScope&) = delete;
    MainWindowScope& operator=(const MainWindowScope&) = delete;

  private:
    platform::Window window_;
};

// Remote measurement from start to stop, stopped on every way out.
class RemoteMeasurement {
  public:
    explicit RemoteMeasurement(AbstractSensorStrategy& driver) : driver_(driver) {}
    ~RemoteMeasurement() { stop(); }
    RemoteMeasurement(const RemoteMeasurement&) = delete;
    RemoteMeasurement& operator=(const RemoteMeasurement&) = delete;

    int start() {
        running_ = true;
        return driver_.remoteMeasure();
    }
    // Disables the key and ends the receive thread; the result of disabling the key.
    int stop() {
        if (!running_) {
            return 0;
        }
        running_ = false;
        return driver_.quitRemoteMeasure(true);
    }

  private:
    AbstractSensorStrategy& driver_;
    bool running_ = false;
};

}  // namespace

int runRemote(CommandContext& context) {
    using namespace std::chrono_literals;
    const RemoteOptions& options = context.line.remote;
    OutputTarget target;
    if (const std::string error = target.openFor(options.output); !error.empty()) {
        printError(error);
        return kExitOutput;
    }
    InstrumentSession session(context.driver, context.line.global, context.trace,
                              context.portOverride);
    if (const int failed = session.open(); failed != kExitOk) {
        return failed;
    }
    TavoRX9100& driver = context.driver;
    ReportContext report = makeContext(session.identity(), ConditionNames::fromDriver(driver),
                                       *driver.getDataFormat(), options.output.observer);
    report.rendition = options.output.rendition;
    auto writer = makeWriter(options.output.format, target.stream(), report, options.count != 1);

    MainWindowScope mainWindow;
    RemoteMeasurement remote(driver);
    if (const int status = remote.start(); status != 0) {
        const int exitCode = session.fail("enabling the instrument's measuring key", status);
        remote.stop();
        return exitCode;
    }
    std::fprintf(stderr, "Waiting for the instrument's measuring key; Ctrl-C stops.\n");

    // Only a closed output pipe needs the watcher here: the loop below looks for a stop
    // request at least every 100 ms.
    const StopWatcher watcher({}, target.watchedPipe());
    PlotHistory plot(options.output.plotFile, options.output.vectorPlotFile);
    int received = 0;
    int exitCode = kExitOk;
    while (!interrupted() && (options.count == 0 || received < options.count)) {
        if (session.transportFailuresInARow() >= kDeadLinkFailures) {
            printError("the instrument stopped answering on " + session.portName() + ": " +
                       session.lastTransportError());
            exitCode = kExitLink;
            break;
        }
        platform::Message message;
        if (!platform::waitMessage(message, 100ms) || message.message != MSG_REMOTE_DATA) {
            continue;
        }
        std::vector<MeasuringData> records;
        driver.getRemoteData(records);
        driver.approveGetData();  // the receive thread waits for this before it goes on
        for (const MeasuringData& record : records) {
            if (record.getData().empty()) {
                printError("a measurement from the instrument held invalid values; skipped");
                continue;
            }
            const MeasurementResult result = makeResult(++received, record, report);
            writer->add(result);
            if (!target.good()) {
                printError("the results could not be written completely");
                exitCode = kExitOutput;
                break;
            }
            plot.add(result);
            if (const std::string error = plot.write(report); !error.empty()) {
                printError(error);
                exitCode = kExitOutput;
                break;
            }
        }
        if (exitCode != kExitOk) {
            break;
        }
    }
    if (const int status = remote.stop(); status != 0 && exitCode == kExitOk) {
        exitCode = session.fail("disabling the instrument's measuring key", status);
    }
    writer->finish();
    if (!target.good() && exitCode == kExitOk) {
        printError("the results could not be written completely");
        exitCode = kExitOutput;
    }
    std::fprintf(stderr, "%d measurement%s received.\n", received, received == 1 ? "" : "s");
    return exitCode;
}

}  // namespace cli
