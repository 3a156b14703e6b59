// rx9100: the command-line host of the RX-9100 driver. It drives the instrument
// only through the driver's host interface, as a GUI host does.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include <CLI/CLI.hpp>

#include "BuiltInSimulator.h"
#include "Commands.h"
#include "DriverMessages.h"
#include "ErrorReport.h"
#include "ExitCodes.h"
#include "Interrupt.h"
#include "Options.h"
#include "OutputTarget.h"
#include "SoakCommand.h"
#include "StandardDescriptors.h"
#include "sensor/RegistryStore.h"
#include "sensor/TavoRX9100.h"

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using TraceFile = std::unique_ptr<std::FILE, FileCloser>;

constexpr const char* kDescription =
    "rx9100: measure with an RX-9100 spectroradiometer from a terminal or a script.\n\n"
    "Examples:\n"
    "  rx9100 --sim measure --plot spectrum.png     the built-in simulator, no instrument needed\n"
    "  rx9100 --port /dev/ttyACM0 identify          an instrument on USB\n"
    "  rx9100 conditions --set speed=manual integration=0.5\n"
    "  rx9100 conditions --dialog                   edit them in the driver's window\n"
    "  rx9100 measure --count 10 --interval 5 --format json -o series.jsonl\n"
    "  rx9100 remote --format csv                   measurements taken with the instrument's key\n"
    "  rx9100 measure --type reflectance --white-standard tile.wcb   calibrate, then measure\n"
    "  rx9100 channels                              the calibration channels, the active one "
    "marked";

constexpr const char* kExitCodes =
    "\nExit codes: 0 done, 1 internal failure, 2 bad usage or condition value, 3 no link "
    "(port, no reply, line dropped, port busy), 4 refused by the instrument or driver, 5 "
    "output not written or no window for --dialog, 6 soak found a fault, 128 + signal when "
    "stopped: 129 SIGHUP, 130 Ctrl-C, "
    "141 closed output "
    "pipe, 143 SIGTERM.";

// A stop request wins over what the command made of it (a cancelled measurement is no
// failure), and output that was not written wins over success.
int finalExitCode(int commandExitCode) {
    using namespace cli;
    int exitCode = commandExitCode;
    if (const std::string error = standardOutputError(); !error.empty()) {
        printError(error);
        exitCode = exitCode == kExitOk ? kExitOutput : exitCode;
    }
    if (const int signal = stopSignal(); signal != 0) {
        printError("stopped by " + stopReason(signal));
        exitCode = kExitStoppedBase + signal;
    }
    return exitCode;
}

int runProgram(int argc, char** argv) {
    using namespace cli;
    CLI::App app{kDescription, "rx9100"};
    app.set_version_flag("--version", std::string("rx9100 ") + RX9100_VERSION);
    app.footer(kExitCodes);
    CommandLine line;
    const Subcommands commands = declareCommandLine(app, line);
    SoakOptions soak;
    CLI::App* soakCommand = declareSoakCommand(app, soak);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return finalExitCode(code == 0 ? kExitOk : kExitUsage);
    }
    const GlobalOptions& global = line.global;
    if (global.sim.enabled && !global.port.empty()) {
        printError("--sim and --port exclude each other");
        return kExitUsage;
    }
    installStopHandlers();

    if (commands.ports->parsed()) {
        return finalExitCode(runPorts());
    }
    if (commands.usercalShow->parsed()) {
        return finalExitCode(runUsercalShow(line.usercal));
    }
    if (!global.settingsDir.empty()) {
        std::error_code error;
        std::filesystem::create_directories(global.settingsDir, error);
        RegistryStore::setStoreFolder(global.settingsDir);  // before the driver exists
    }
    TraceFile traceFile;
    std::FILE* trace = nullptr;
    if (!global.traceFile.empty()) {
        traceFile.reset(std::fopen(global.traceFile.c_str(), "a"));
        if (!traceFile) {
            printError("cannot write the trace file " + global.traceFile + ": " +
                       std::strerror(errno));
            return kExitOutput;
        }
        trace = traceFile.get();
    } else if (global.trace) {
        trace = stderr;
    }
    // Like the other files, the transcript is checked before anything is started.
    if (const std::string& path = global.sim.transcript; !path.empty()) {
        if (!TraceFile(std::fopen(path.c_str(), "a"))) {
            printError("cannot write the simulator transcript " + path + ": " +
                       std::strerror(errno));
            return kExitOutput;
        }
    }

    // Declared before the driver is used so that it outlives every exchange.
    BuiltInSimulator simulator;
    std::string portOverride;
    if (global.sim.enabled) {
        if (const std::string error = simulator.start(global.sim); !error.empty()) {
            printError(error);
            return kExitInternal;
        }
        portOverride = simulator.portPath();
    }

    platform::setUiServices(std::make_shared<DriverMessages>());
    auto* driver = dynamic_cast<TavoRX9100*>(TavoRX9100::getInstance());
    if (driver == nullptr) {
        printError("the driver object could not be created");
        return kExitInternal;
    }
    CommandContext context{line, *driver, trace, portOverride};
    int exitCode = kExitUsage;
    if (commands.identify->parsed()) {
        exitCode = runIdentify(context);
    } else if (commands.conditions->parsed()) {
        exitCode = runConditions(context);
    } else if (commands.measure->parsed()) {
        exitCode = runMeasure(context);
    } else if (commands.remote->parsed()) {
        exitCode = runRemote(context);
    } else if (commands.whitecal->parsed()) {
        exitCode = runWhitecal(context);
    } else if (commands.factors->parsed()) {
        const bool writing = !line.factorWrite.lensFile.empty() || !line.factorWrite.nd.empty();
        exitCode = writing ? runFactorWrite(context) : runFactors(context);
    } else if (commands.usercalSave->parsed()) {
        exitCode = runUsercal(context, UsercalVerb::Save);
    } else if (commands.usercalLoad->parsed()) {
        exitCode = runUsercal(context, UsercalVerb::Load);
    } else if (commands.usercalErase->parsed()) {
        exitCode = runUsercal(context, UsercalVerb::Erase);
    } else if (commands.usercalId->parsed()) {
        exitCode = runUsercal(context, UsercalVerb::Id);
    } else if (commands.usercalWavelength->parsed()) {
        exitCode = runUsercalWavelength(context);
    } else if (commands.usercalLevel->parsed()) {
        exitCode = runUsercalLevel(context);
    } else if (commands.channels->parsed()) {
        exitCode = runChannels(context);
    } else if (commands.channel->parsed()) {
        exitCode = runChannel(context);
    } else if (commands.storedList->parsed()) {
        exitCode = runStoredList(context);
    } else if (commands.storedExport->parsed()) {
        exitCode = runStoredExport(context);
    } else if (commands.storedDelete->parsed()) {
        exitCode = runStoredDelete(context);
    } else if (commands.storedRestore->parsed()) {
        exitCode = runStoredRestore(context);
    } else if (commands.targetWrite->parsed()) {
        exitCode = runTargetWrite(context);
    } else if (commands.options->parsed()) {
        exitCode = runOptions(context);
    } else if (soakCommand->parsed()) {
        exitCode = runSoak(context, soak, global.sim.enabled ? &simulator.instrument() : nullptr);
    }
    // The driver object lives on (as in a host); its port is closed, so it no longer
    // refers to the simulator's pty.
    return finalExitCode(exitCode);
}

}  // namespace

int main(int argc, char** argv) {
    // First of all: nothing may be opened on a free standard descriptor.
    if (!cli::occupyStandardDescriptors()) {
        return cli::kExitInternal;
    }
    return runProgram(argc, argv);
}
