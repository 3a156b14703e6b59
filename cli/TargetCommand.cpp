// `rx9100 target write N (--from FILE | --measure) [--name NAME]`: one reference colour
// into target N, from a file of rx9100 or from a measurement taken now.
#include <cstdio>

#include "Commands.h"
#include "ErrorReport.h"
#include "ExitCodes.h"
#include "InstrumentSession.h"
#include "Interrupt.h"
#include "StoredData.h"

namespace cli {

namespace {

// The record of the file: the one numbered --record, else the only one, else target N.
std::optional<std::size_t> chooseRecord(const LoadedRecords& loaded,
                                        const TargetWriteOptions& options, std::string& error) {
    const int wanted = options.record != 0 ? options.record : options.number;
    if (options.record == 0 && loaded.targets.size() == 1) {
        return 0;
    }
    for (std::size_t i = 0; i < loaded.targets.size(); ++i) {
        if (loaded.targets[i].targetNumber == wanted) {
            return i;
        }
    }
    error = options.fromFile +
            (loaded.targets.empty()
                 ? " holds no reference colour (samples are chosen with "
                   "--record only from a measurement file)"
                 : " holds no target " + std::to_string(wanted) + " (choose one with --record)");
    return std::nullopt;
}

}  // namespace

int runTargetWrite(CommandContext& context) {
    const TargetWriteOptions& options = context.line.targetWrite;
    if (options.fromFile.empty() == !options.measure) {
        printError("say where the reference colour comes from: --from FILE or --measure");
        return kExitUsage;
    }
    DataPack reference;
    int observer = 2;
    if (!options.fromFile.empty()) {
        std::string error;
        const auto loaded = loadStoredFile(options.fromFile, error);
        if (!loaded) {
            printError(error);
            return kExitUsage;
        }
        const auto index = chooseRecord(*loaded, options, error);
        if (!index) {
            printError(error);
            return kExitUsage;
        }
        reference = loaded->targets[*index];
        observer = loaded->observers[*index];
        if (!TavoRX9100::targetWritable(reference)) {
            printError(
                "the reference colour cannot be written: its colour values reach "
                "1 000 000");
            return kExitUsage;
        }
    }
    InstrumentSession session(context.driver, context.line.global, context.trace,
                              context.portOverride);
    if (const int failed = session.open(); failed != kExitOk) {
        return failed;
    }
    TavoRX9100& driver = context.driver;
    if (options.measure) {
        std::vector<MeasuringData> records;
        int status = 0;
        {
            const StopWatcher watcher([&driver] { driver.setMeasurementCancel(true); }, -1);
            status = driver.doMeasurement(records, nullptr);
        }
        if (interrupted()) {
            printError("the measurement was cancelled; nothing was written");
            return kExitStoppedBase + stopSignal();
        }
        if (status != 0 || records.empty()) {
            return session.fail("measuring the reference colour", status != 0 ? status : 10);
        }
        reference.format.setType(DataFormat::kSpectral, 401);
        reference.format.setWaveLength(1, 380, 780);
        reference.data.push_back(records.front());
    }
    const std::string name = options.name ? *options.name : reference.name;
    driver.setApplicationObserver(observer);
    if (interrupted()) {
        return kExitStoppedBase + stopSignal();
    }
    const int status = driver.writeTarget(options.number, reference, name);
    if (status != 0) {
        return session.fail("writing target " + std::to_string(options.number), status);
    }
    std::fprintf(
        stderr, "target %d written (%s)\n", options.number,
        reference.format.getType() == DataFormat::kSpectral ? "spectrum" : "colour values");
    return kExitOk;
}

}  // namespace cli
