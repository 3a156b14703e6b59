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
#include "WhiteCalibrationRun.h"
#include "sensor/ConditionCodes.h"

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

// The active channel's corrections applied to the record, and a note on stderr of which
// were: the driver skips a step whose table it cannot read and says so only in its flags.
void applyUserCalibration(TavoRX9100& driver, MeasuringData& record, int index) {
    const SetupStatus& status = *driver.getSetupStatus();
    const int channel = status.getCalibrationCh();
    const int mode = status.getCalibrationMode();
    const auto wanted = codes::correctionsOf(mode).value_or(codes::CalibrationCorrections{});
    std::string note = "measurement " + std::to_string(index) + ": user calibration of channel " +
                       std::to_string(channel) + " (mode " + std::to_string(mode) + "): ";
    if (!wanted.wavelength && !wanted.nd && !wanted.level) {
        printError(note + "no corrections for this mode");
        return;
    }
    // The ND step needs the filter's factor table; whether it exists is asked first.
    const bool ndReadable = wanted.nd && driver.checkAdapterNd() == 0;
    driver.setWaveCalSet(false, channel);
    driver.setLevelCalSet(false, channel);
    driver.CorrectMeasurementData(record, channel);
    std::string applied;
    std::string skipped;
    auto add = [](std::string& list, const char* name) {
        list += (list.empty() ? "" : ", ") + std::string(name);
    };
    if (wanted.wavelength) {
        add(driver.getWaveCalSet(channel) ? applied : skipped, "wavelength");
    }
    if (wanted.nd) {
        add(ndReadable ? applied : skipped, "nd");
    }
    if (wanted.level) {
        add(driver.getLevelCalSet(channel) ? applied : skipped, "level");
    }
    note += applied.empty() ? "none applied" : applied + " applied";
    if (!skipped.empty()) {
        note += "; " + skipped + " not applied (table not readable)";
    }
    printError(note);
}

}  // namespace

int runMeasure(CommandContext& context) {
    const MeasureOptions& options = context.line.measure;
    if (options.type == MeasurementType::Light && !options.white.standardFile.empty()) {
        printError("--white-standard calibrates reflectance or transmittance; give --type too");
        return kExitUsage;
    }
    if (options.type != MeasurementType::Light && options.output.rendition) {
        printError("--rendition rates a light source; it does not go with --type " +
                   std::string(options.type == MeasurementType::Reflectance ? "reflectance"
                                                                            : "transmittance"));
        return kExitUsage;
    }
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
    selectMeasurementType(driver, options.type);
    if (!options.white.standardFile.empty()) {
        if (const int failed = calibrateWhite(session, options.white); failed != kExitOk) {
            return failed;
        }
    }
    ReportContext report = makeContext(session.identity(), ConditionNames::fromDriver(driver),
                                       *driver.getDataFormat(), options.output.observer);
    report.rendition = options.output.rendition;
    if (options.type != MeasurementType::Light) {
        report.quantity =
            options.type == MeasurementType::Reflectance ? "reflectance" : "transmittance";
        report.unit = "%";
    }
    auto writer = makeWriter(options.output.format, target.stream(), report, options.count > 1);
    ProgressBar progress(driver, showProgress(options.progress));
    PlotHistory plot(options.output.plotFile, options.output.vectorPlotFile);
    // Cancels whatever wait the driver is in (the measuring time, an instrument still busy,
    // the completion) once a stop is requested.
    const StopWatcher watcher([&driver] { driver.setMeasurementCancel(true); },
                              target.watchedPipe());

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
            if (interrupted()) {
                printError("measurement " + std::to_string(index) + " cancelled");
                break;  // the stop, not the failure it caused, sets the exit code
            }
            exitCode = session.fail("measurement " + std::to_string(index), status);
            break;
        }
        if (options.userCal) {
            applyUserCalibration(driver, records.front(), index);
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
        if (!target.good()) {
            break;  // reported below; measuring on would only lose more results
        }
        plot.add(result);
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
    if (const std::string error = plot.write(report); !error.empty()) {
        printError(error);
        exitCode = exitCode == kExitOk ? kExitOutput : exitCode;
    }
    return exitCode;
}

}  // namespace cli
