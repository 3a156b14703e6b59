#include "Options.h"

#include <CLI/CLI.hpp>
#include <map>

#include "simulator/Fault.h"
#include "simulator/NumberChecks.h"
#include "simulator/OptionChecks.h"
#include "simulator/Sample.h"
#include "simulator/Spectrum.h"

namespace cli {

namespace {

using rx9100sim::numberIn;
using rx9100sim::oneOf;
using rx9100sim::wholeNumberIn;

// The line speeds the instrument offers.
const std::vector<long long> kLineSpeeds{1200, 2400, 4800, 9600, 19200, 38400};
constexpr double kSecondsPerDay = 86400;
constexpr long long kMostMeasurements = 1000000;
constexpr const char* kSourceNames =
    "a, d65, e, planck:K, led:NM[:FWHM], red, green, blue, white, lines:HG (mercury and argon "
    "lines), lines:NM,NM,...";

void declareSimulator(CLI::App& app, SimulatorOptions& sim) {
    const std::string group = "Built-in simulator (with --sim)";
    CLI::Option* flag = app.add_flag("--sim", sim.enabled,
                                     "Measure with the built-in simulated instrument, served on a "
                                     "pseudo-terminal through the real serial transport");
    flag->group(group);
    auto simOption = [&](CLI::Option* option) { option->needs(flag)->group(group); };
    simOption(
        app.add_option("--sim-source", sim.source, std::string("Light source: ") + kSourceNames)
            ->check(CLI::Validator(
                [](std::string& text) {
                    return rx9100sim::LightSource::parse(text)
                               ? std::string()
                               : "the light source is one of " + std::string(kSourceNames) +
                                     " (not \"" + text + "\")";
                },
                ""))
            ->capture_default_str());
    simOption(app.add_option("--sim-luminance", sim.luminance, "Luminance of the source in cd/m2")
                  ->check(numberIn("the luminance", 0, 1e7, "cd/m2"))
                  ->capture_default_str());
    simOption(app.add_option("--sim-sample", sim.samples,
                             std::string("Samples in front of the instrument, one per "
                                         "measurement, the last one staying: ") +
                                 rx9100sim::kSampleNames)
                  ->check(rx9100sim::checkedBy(rx9100sim::Sample::parseList))
                  ->type_name("NAME[,NAME...]"));
    simOption(app.add_option("--sim-stored", sim.stored,
                             "Start with N believable stored samples and min(N, 20) targets")
                  ->check(rx9100sim::checkedBy(rx9100sim::parseStoredCount))
                  ->type_name("N"));
    simOption(app.add_option("--sim-wavelength-error", sim.wavelengthError,
                             "Every line appears NM too long (negative: too short)")
                  ->check(rx9100sim::checkedBy(rx9100sim::parseWavelengthError))
                  ->type_name("NM"));
    simOption(app.add_option("--sim-level-error", sim.levelError,
                             "Every reading times 1 + X*(nm - 580)/200")
                  ->check(rx9100sim::checkedBy(rx9100sim::parseLevelError))
                  ->type_name("X"));
    simOption(app.add_option("--sim-variation", sim.variation,
                             "Model variation: 0 or 1 standard, 2 low-luminance")
                  ->check(wholeNumberIn("the model variation", 0, 9))
                  ->capture_default_str());
    simOption(
        app.add_option("--sim-body", sim.body, "Body number it reports")->capture_default_str());
    simOption(app.add_option("--sim-rom", sim.rom,
                             "ROM version it reports (1.00, 1.09, 1.10, 1.20...); the firmware "
                             "level follows from it")
                  ->capture_default_str());
    simOption(app.add_option("--sim-angle", sim.angle, "Measuring angle setting 0, 1 or 2")
                  ->check(wholeNumberIn("the measuring angle setting", 0, 2)));
    simOption(app.add_option("--sim-baud", sim.baud,
                             "Emulate a serial line of this speed; 0: no artificial delay")
                  ->check(wholeNumberIn("the emulated line speed", 0, 4000000))
                  ->capture_default_str());
    simOption(app.add_option("--sim-time-scale", sim.timeScale,
                             "Multiply every measuring time by this factor")
                  ->check(numberIn("the time scale", 0, 1000))
                  ->capture_default_str());
    simOption(app.add_option("--sim-measuring-time", sim.measuringTime,
                             "Make every measurement take this many seconds")
                  ->check(numberIn("the measuring time", 0, 3600, "seconds")));
    simOption(app.add_option("--sim-key-interval", sim.keyInterval,
                             "Press the instrument's measuring key every N seconds (0: never)")
                  ->check(numberIn("the key interval", 0, kSecondsPerDay, "seconds"))
                  ->capture_default_str());
    simOption(app.add_option("--sim-noise", sim.noise, "Relative noise of the readings (0: exact)")
                  ->check(numberIn("the noise", 0, 1))
                  ->capture_default_str());
    simOption(app.add_option("--sim-fault", sim.faults,
                             "Make the instrument misbehave once, e.g. MEDR:hangup, "
                             "MEAS,1:error:12, '*:silent' (repeatable; see docs/simulator.md)")
                  ->check(rx9100sim::checkedBy(rx9100sim::Fault::parse)));
    simOption(app.add_option("--sim-state", sim.state,
                             "Start from the memory (channels, factor tables, conditions, stored "
                             "data) in FILE, as rx9100-sim --state keeps it; FILE is not changed")
                  ->check(CLI::ExistingFile)
                  ->type_name("FILE"));
    simOption(app.add_option("--sim-keep-state", sim.keepState,
                             "Keep the instrument's memory in FILE: start from it when it exists "
                             "(--sim-stored then only fills a new one) and write every change "
                             "back, so that writes and deletes outlive the command")
                  ->type_name("FILE"));
    simOption(app.add_option("--sim-transcript", sim.transcript,
                             "Append every line the instrument receives and sends to FILE"));
}

void declareOutput(CLI::App& command, OutputOptions& output) {
    command
        .add_option_function<std::string>(
            "--format",
            [&output](const std::string& name) {
                const std::map<std::string, Format> formats{{"table", Format::Table},
                                                            {"csv", Format::Csv},
                                                            {"json", Format::Json},
                                                            {"cgats", Format::Cgats}};
                output.format = formats.at(name);
            },
            "table (for people), csv (the spectrum), json (one object per measurement, one per "
            "line), cgats (ArgyllCMS .ti3)")
        ->transform(CLI::IsMember({"table", "csv", "json", "cgats"}, CLI::ignore_case))
        ->default_str("table");
    command.add_option("--output,-o", output.outputFile, "Write the results to FILE, not stdout")
        ->type_name("FILE");
    command
        .add_option("--plot", output.plotFile,
                    "Draw the spectrum with its colour values to FILE.png")
        ->type_name("FILE.png");
    command
        .add_option("--observer", output.observer, "Colour values for the 2 or 10 degree observer")
        ->check(oneOf("the observer", {2, 10}))
        ->capture_default_str();
    CLI::Option* rendition =
        command.add_flag("--rendition", output.rendition,
                         "Also rate the light's colour rendition: CIE 13.3 Ra and R1-R14, "
                         "TM-30 / CIE 224 Rf and Rg (table, json and csv)");
    command
        .add_option("--cvg", output.vectorPlotFile,
                    "Draw the last light's TM-30 colour vector graphic to FILE.png")
        ->type_name("FILE.png")
        ->needs(rendition);
}

void declareType(CLI::App& command, MeasurementType& type, const std::string& fallback,
                 bool withLight) {
    std::vector<std::string> names{"reflectance", "transmittance"};
    if (withLight) {
        names.insert(names.begin(), "light");
    }
    command
        .add_option_function<std::string>(
            "--type",
            [&type](const std::string& name) {
                type = name == "reflectance"     ? MeasurementType::Reflectance
                       : name == "transmittance" ? MeasurementType::Transmittance
                                                 : MeasurementType::Light;
            },
            withLight ? "light (a light source), reflectance or transmittance (a sample, in per "
                        "cent of the white standard)"
                      : "reflectance or transmittance")
        ->transform(CLI::IsMember(names, CLI::ignore_case))
        ->default_str(fallback);
}

// --white-user needs --white-standard, as the dialog needs a standard file to calibrate.
void declareWhiteFiles(CLI::App& command, WhiteOptions& white, bool standardRequired) {
    CLI::Option* standard =
        command
            .add_option("--white-standard", white.standardFile,
                        "The white standard's data file (.wcb, 401 values from 380 to 780 nm); "
                        "calibrate on the white standard before measuring")
            ->type_name("FILE.wcb");
    if (standardRequired) {
        standard->required();
    }
    command
        .add_option("--white-user", white.userFile,
                    "A data file of your own that replaces the standard's values (reflectance)")
        ->type_name("FILE")
        ->needs(standard);
}

// --format for the commands that print tables: a choice among those given.
void declareTableFormat(CLI::App& command, Format& format, const std::vector<std::string>& names) {
    const std::map<std::string, Format> formats{{"table", Format::Table},
                                                {"csv", Format::Csv},
                                                {"json", Format::Json},
                                                {"cgats", Format::Cgats}};
    std::string list;
    for (const std::string& name : names) {
        list += (list.empty() ? "" : ", ") + name;
    }
    command
        .add_option_function<std::string>(
            "--format", [&format, formats](const std::string& name) { format = formats.at(name); },
            "Output format: " + list)
        ->transform(CLI::IsMember(names, CLI::ignore_case))
        ->default_str("table");
}

// Which kind of stored data: at most one of --targets and --samples (the commands say
// whether neither means both kinds).
void declareKind(CLI::App& command, StoredOptions& stored) {
    CLI::Option* targets =
        command.add_flag("--targets", stored.targets, "Reference colours (targets 1 to 20)");
    CLI::Option* samples =
        command.add_flag("--samples", stored.samples, "Measurements (samples 0 to 99)");
    targets->excludes(samples);
}

void declareObserver(CLI::App& command, int& observer, const char* what) {
    command.add_option("--observer", observer, what)
        ->check(CLI::IsMember({2, 10}))
        ->capture_default_str();
}

void declareStored(CLI::App& app, CommandLine& line, Subcommands& commands) {
    StoredOptions& stored = line.stored;
    CLI::App* group = app.add_subcommand(
        "stored",
        "The targets and samples stored in the instrument: list, export, delete, restore");
    group->require_subcommand(1);

    commands.storedList =
        group->add_subcommand("list", "Number, kind, name, colour values and conditions of each");
    declareKind(*commands.storedList, stored);
    declareTableFormat(*commands.storedList, stored.format, {"table", "json"});
    declareObserver(*commands.storedList, stored.observer,
                    "Observer of the colour values: 2 or 10 degrees");

    commands.storedExport = group->add_subcommand(
        "export",
        "Every stored record with its 401 values (colour-only targets with their "
        "colour values) into a file, written whole or not at all");
    declareKind(*commands.storedExport, stored);
    commands.storedExport->add_option("-o,--output", stored.outputFile, "The file to write")
        ->required()
        ->type_name("FILE");
    commands.storedExport
        ->add_option_function<std::string>(
            "--format",
            [&stored](const std::string& name) {
                stored.exportFormat = name == "csv"     ? Format::Csv
                                      : name == "cgats" ? Format::Cgats
                                                        : Format::Json;
            },
            "json (restorable), csv or cgats (spectral records only)")
        ->transform(CLI::IsMember({"json", "csv", "cgats"}, CLI::ignore_case))
        ->default_str("json");
    declareObserver(*commands.storedExport, stored.observer,
                    "Observer of the colour values: 2 or 10 degrees");

    commands.storedDelete = group->add_subcommand(
        "delete", "Delete stored records, after saving them to a backup file and reading it back");
    declareKind(*commands.storedDelete, stored);
    CLI::Option* all =
        commands.storedDelete->add_flag("--all", stored.all, "Every record of the kind");
    CLI::Option* numbers =
        commands.storedDelete->add_option("N", stored.numbers, "Numbers of the records to delete")
            ->check(CLI::Range(0, 99));
    all->excludes(numbers);
    commands.storedDelete->add_flag("--yes,-y", stored.yes, "Do not ask on the terminal");
    commands.storedDelete
        ->add_option("--backup", stored.backupFile,
                     "Backup file (default rx9100-backup-<kind>-<UTC time>.json here)")
        ->type_name("FILE");

    commands.storedRestore = group->add_subcommand(
        "restore", "Write the targets of a backup or JSON export back into the instrument");
    commands.storedRestore->add_option("FILE", stored.inputFile, "The backup or export")
        ->required()
        ->check(CLI::ExistingFile);
    commands.storedRestore->add_option("--numbers", stored.numbers, "Only these target numbers")
        ->expected(1, -1)
        ->check(CLI::Range(1, 20));

    CLI::App* target = app.add_subcommand("target", "Reference colours (targets)");
    target->require_subcommand(1);
    TargetWriteOptions& write = line.targetWrite;
    commands.targetWrite = target->add_subcommand(
        "write", "Write a reference colour into target N: from a file or a new measurement");
    commands.targetWrite->add_option("N", write.number, "Target 1 to 20")
        ->required()
        ->check(wholeNumberIn("the target", 1, 20));
    CLI::Option* from = commands.targetWrite
                            ->add_option("--from", write.fromFile,
                                         "A backup or export of rx9100 stored, or the JSON of "
                                         "rx9100 measure")
                            ->check(CLI::ExistingFile)
                            ->type_name("FILE");
    commands.targetWrite
        ->add_option("--record", write.record,
                     "Which record of the file (its number; default: the only one, or N)")
        ->needs(from);
    CLI::Option* measure = commands.targetWrite->add_flag("--measure", write.measure,
                                                          "Measure now and write the spectrum");
    from->excludes(measure);
    commands.targetWrite->add_option("--name", write.name, "Up to 10 characters")
        ->check(CLI::Validator(
            [](std::string& text) {
                return text.size() <= 10 ? std::string() : "the name has at most 10 characters";
            },
            "TEXT"));

    commands.options = app.add_subcommand(
        "options", "The instrument's display options, or change them with --set and read back");
    commands.options
        ->add_option("--set", line.options.assignments,
                     "NAME=VALUE ... with NAME one of colour-mode, display-mode, "
                     "display-observer (the instrument's own display, not measure "
                     "--observer), luminance-unit, backlight, backlight-measuring, "
                     "active-target")
        ->expected(1, -1);
    declareTableFormat(*commands.options, line.options.format, {"table", "json"});
}

}  // namespace

Subcommands declareCommandLine(CLI::App& app, CommandLine& line) {
    GlobalOptions& global = line.global;
    app.require_subcommand(1);
    app.fallthrough();  // global options may also follow the command
    app.add_option("--port,-p", global.port,
                   "Port: /dev/ttyACM0, /dev/ttyUSB0, COM1 (the settings' name), tcp:HOST:PORT; "
                   "default: the port in the settings store");
    app.add_option("--method", global.method,
                   "How COMn names map to devices: usb (/dev/ttyACM, default) or rs232c "
                   "(/dev/ttyS)")
        ->check(CLI::IsMember({"usb", "rs232c"}, CLI::ignore_case));
    app.add_option("--baud", global.baud, "Line speed; default: the settings store's (38400)")
        ->check(oneOf("the line speed", kLineSpeeds));
    app.add_option("--settings", global.settingsDir,
                   "Folder of the settings store (default $XDG_CONFIG_HOME/rx9100)")
        ->type_name("DIR");
    app.add_flag("--trace", global.trace,
                 "Print every command line and reply with a timestamp on stderr");
    app.add_option("--trace-file", global.traceFile, "... or append them to FILE")
        ->type_name("FILE");
    declareSimulator(app, global.sim);

    Subcommands commands;
    commands.ports =
        app.add_subcommand("ports", "List the serial ports with descriptions and USB ids");
    commands.identify =
        app.add_subcommand("identify", "Connect and print name, variation, body number and ROM");

    commands.conditions = app.add_subcommand(
        "conditions",
        "Show the measuring conditions, or change them with --set and read them back");
    CLI::Option* set =
        commands.conditions
            ->add_option("--set", line.conditions.assignments,
                         "NAME=VALUE ... with NAME one of speed, integration (s), count, sync, "
                         "frequency (Hz), lens, nd, internal-nd, channel; an invalid value lists "
                         "what is allowed")
            ->expected(1, -1);
    commands.conditions
        ->add_flag("--dialog", line.conditions.dialog,
                   "Edit them in the driver's measuring-conditions window (needs a display) "
                   "and write what is confirmed; prints them before and after")
        ->excludes(set);
    commands.conditions->add_flag("--json", line.conditions.json,
                                  "Print them as one JSON object (--format json)");
    declareTableFormat(*commands.conditions, line.conditions.format, {"table", "json", "csv"});

    commands.factors = app.add_subcommand(
        "factors",
        "Which adapter-lens and ND factor tables exist at the current angle, and their "
        "401 factors");
    declareTableFormat(*commands.factors, line.factors.format, {"table", "json", "csv"});
    auto* writeLens = commands.factors->add_option(
        "--write-lens", line.factorWrite.lensFile,
        "Write the adapter-lens factors of FILE.lcf for all three measuring angles, as the "
        "user-calibration editor does");
    commands.factors
        ->add_option("--write-nd", line.factorWrite.nd,
                     "Write the ND factors of FILE.ncf (its header: its own name in brackets) "
                     "for ND filter 1 or 2 at all three measuring angles")
        ->expected(2)
        ->type_name("FILTER FILE")
        ->excludes(writeLens);
    commands.channels = app.add_subcommand(
        "channels", "Calibration channels 0 to 10: mode, ID, tables, the active one marked");
    commands.channels->add_flag("--quick", line.channels.quick,
                                "Count a table as present when its first entry reads, instead of "
                                "scanning for entries that correct something");
    declareTableFormat(*commands.channels, line.channels.format, {"table", "json"});
    commands.channel =
        app.add_subcommand("channel", "The wavelength and level tables of calibration channel N");
    commands.channel->add_option("N", line.channel.channel, "Channel 1 to 10")
        ->required()
        ->check(wholeNumberIn("the channel", 1, 10));
    declareTableFormat(*commands.channel, line.channel.format, {"table", "json", "csv"});

    commands.usercal = app.add_subcommand(
        "usercal", "Back up, restore, erase and name calibration channels; inspect their files");
    commands.usercal->require_subcommand(1);
    auto channelArgument = [&line](CLI::App& command) {
        command.add_option("N", line.usercal.channel, "Channel 1 to 10")
            ->required()
            ->check(wholeNumberIn("the channel", 1, 10));
    };
    commands.usercalSave = commands.usercal->add_subcommand(
        "save", "Save channel N (ID and the tables it holds) into FILE.ucf");
    channelArgument(*commands.usercalSave);
    commands.usercalSave->add_option("FILE", line.usercal.file, "The .ucf file")->required();
    commands.usercalSave->add_flag("--force", line.usercal.force, "Replace an existing file");
    commands.usercalLoad = commands.usercal->add_subcommand(
        "load", "Write channel N from FILE.ucf (checked entry by entry as it is sent)");
    channelArgument(*commands.usercalLoad);
    commands.usercalLoad->add_option("FILE", line.usercal.file, "The .ucf file")
        ->required()
        ->check(CLI::ExistingFile);
    commands.usercalErase =
        commands.usercal->add_subcommand("erase", "Reset channel N's tables and clear it");
    channelArgument(*commands.usercalErase);
    commands.usercalErase->add_flag("--yes", line.usercal.yes, "Do not ask first");
    commands.usercalId =
        commands.usercal->add_subcommand("id", "Set channel N's ID (at most 10 characters)");
    channelArgument(*commands.usercalId);
    commands.usercalId->add_option("TEXT", line.usercal.id, "The ID")->required();
    commands.usercalShow = commands.usercal->add_subcommand(
        "show", "Print a .ucf, .lcf or .ncf file and whether the editor would accept it");
    commands.usercalShow->add_option("FILE", line.usercal.file, "The file")
        ->required()
        ->check(CLI::ExistingFile);
    declareTableFormat(*commands.usercalShow, line.usercal.format, {"table", "json"});
    commands.usercalWavelength = commands.usercal->add_subcommand(
        "wavelength",
        "Measure a line lamp on channel 00, mark the lines near --lines and write channel N's "
        "wavelength table through them");
    channelArgument(*commands.usercalWavelength);
    commands.usercalWavelength
        ->add_option("--lines", line.usercal.lines,
                     "The lamp's true line wavelengths, e.g. 435.83,546.07 (at most 10)")
        ->required()
        ->delimiter(',')
        ->check(CLI::Range(380.0, 780.0));
    commands.usercalWavelength
        ->add_option("--window", line.usercal.window,
                     "Each line's centroid is taken within this many nm of it")
        ->check(CLI::Range(1.0, 20.0))
        ->capture_default_str();
    declareTableFormat(*commands.usercalWavelength, line.usercal.format, {"table", "json"});
    commands.usercalLevel = commands.usercal->add_subcommand(
        "level",
        "Measure a reference lamp on channel 00 and write channel N's level table as its "
        "reference spectrum (FILE.lrv) divided by the measurement");
    channelArgument(*commands.usercalLevel);
    commands.usercalLevel
        ->add_option("--reference", line.usercal.reference, "The lamp's spectrum, 401 lines")
        ->required()
        ->check(CLI::ExistingFile);
    declareTableFormat(*commands.usercalLevel, line.usercal.format, {"table", "json"});

    commands.measure = app.add_subcommand("measure", "Take one measurement or a series");
    declareOutput(*commands.measure, line.measure.output);
    declareType(*commands.measure, line.measure.type, "light", true);
    declareWhiteFiles(*commands.measure, line.measure.white, false);
    commands.measure->add_flag("--user-cal", line.measure.userCal,
                               "Apply the active calibration channel's corrections to every "
                               "result and say which were applied");
    commands.measure->add_option("--count,-n", line.measure.count, "Number of measurements")
        ->check(wholeNumberIn("the number of measurements", 1, kMostMeasurements))
        ->capture_default_str();
    commands.measure
        ->add_option("--interval", line.measure.interval,
                     "Seconds from the start of one measurement to the start of the next")
        ->check(numberIn("the interval", 0, kSecondsPerDay, "seconds"))
        ->capture_default_str();
    commands.measure
        ->add_option_function<std::string>(
            "--progress",
            [&line](const std::string& name) {
                line.measure.progress = name == "always"  ? ProgressMode::Always
                                        : name == "never" ? ProgressMode::Never
                                                          : ProgressMode::Auto;
            },
            "Progress bar on stderr: auto (when stderr is a terminal), always, never")
        ->transform(CLI::IsMember({"auto", "always", "never"}, CLI::ignore_case))
        ->default_str("auto");

    commands.remote = app.add_subcommand(
        "remote", "Print every measurement taken with the instrument's key until Ctrl-C");
    declareOutput(*commands.remote, line.remote.output);
    commands.remote
        ->add_option("--count,-n", line.remote.count,
                     "Stop after this many measurements (0: never)")
        ->check(wholeNumberIn("the number of measurements", 0, kMostMeasurements))
        ->capture_default_str();

    commands.whitecal = app.add_subcommand(
        "whitecal", "Calibrate on the white standard and print the coefficients and the white");
    declareType(*commands.whitecal, line.whitecal.type, "reflectance", false);
    declareWhiteFiles(*commands.whitecal, line.whitecal.white, true);
    commands.whitecal
        ->add_option_function<std::string>(
            "--format", [&line](const std::string& name) { line.whitecal.json = name == "json"; },
            "table (for people) or json (one object)")
        ->transform(CLI::IsMember({"table", "json"}, CLI::ignore_case))
        ->default_str("table");
    declareStored(app, line, commands);
    return commands;
}

}  // namespace cli
