// `rx9100 measure`: one measurement or a series, with a progress bar and Ctrl-C.
#include <unistd.h>

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
#include "ProgressBar.h"
#include "SpectrumPlot.h"

namespace cli {

namespace {

bool showProgress(ProgressMode mode) {
    if (mode == ProgressMode::Auto) {
        return isatty(STDERR_FILENO) != 0;
    }
    return mode == ProgressMode::Always;
}

void noteWarning(const MeasurementResult& result) {
    std::string text = "measurement " + std::to_string(result.index) + ": warning " +
                       std::to_string(result.warningCode);
    if (!result.warningText.empty()) {
        text += ": " + result.warningText;
    }
    if (const std::string gloss = glossFor(result.warningCode); !gloss.empty()) {
        text += " (" + gloss + ")";
    }
    printError(text);
}

}  // namespace

int runMeasure(CommandContext& context) {
    const MeasureOptions& options = context.line.measure;
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
    const ReportContext report = makeContext(session.identity(), ConditionNames::fromDriver(driver),
                                             *driver.getDataFormat(), options.output.observer);
    auto writer = makeWriter(options.output.format, target.stream(), report, options.count > 1);
    ProgressBar progress(driver, showProgress(options.progress));

    std::vector<MeasurementResult> results;
    int exitCode = kExitOk;
    const auto interval =
        std::chrono::milliseconds(static_cast<long long>(options.interval * 1000));
    for (int index = 1; index <= options.count && !interrupted(); ++index) {
        const auto start = std::chrono::steady_clock::now();
        progress.setLabel(options.count > 1 ? "Measuring " + std::to_string(index) + "/" +
                                                  std::to_string(options.count)
                                            : "Measuring");
        std::vector<MeasuringData> records;
        const int status = driver.doMeasurement(records, &progress);
        progress.clear();
        if (status != 0) {
            if (progress.cancelSent()) {
                break;  // reported below as cancelled
            }
            exitCode = session.fail("measurement " + std::to_string(index), status);
            break;
        }
        MeasurementResult result = makeResult(index, records.front(), report);
        // The completion's warning (216: insufficient exposure), from the driver's extension.
        result.warningCode = driver.getCompletionCode();
        result.warningText = driver.getCompletionMessage();
        if (result.warningCode != codes::error::kNoError &&
            options.output.format != Format::Table) {
            noteWarning(result);
        }
        writer->add(result);
        results.push_back(std::move(result));
        if (index < options.count) {
            const auto elapsed = std::chrono::steady_clock::now() - start;
            if (elapsed < interval) {
                sleepUnlessInterrupted(
                    std::chrono::duration_cast<std::chrono::milliseconds>(interval - elapsed));
            }
        }
    }
    writer->finish();
    if (!target.good()) {
        printError("the results could not be written completely");
        exitCode = exitCode == kExitOk ? kExitOutput : exitCode;
    }
    if (!options.output.plotFile.empty() && !results.empty()) {
        if (const std::string error = writePlot(options.output.plotFile, results, report);
            !error.empty()) {
            printError(error);
            exitCode = exitCode == kExitOk ? kExitOutput : exitCode;
        }
    }
    if (interrupted() && exitCode == kExitOk) {
        printError(progress.cancelSent() ? "measurement cancelled" : "stopped");
        exitCode = kExitCancelled;
    }
    return exitCode;
}

}  // namespace cli
