#pragma once
// Everything the command line can ask for, and how it is declared to CLI11.
#include <optional>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace cli {

enum class Format { Table, Csv, Json, Cgats };
enum class ProgressMode { Auto, Always, Never };
// What is measured: a light source, or a sample against a white standard.
enum class MeasurementType { Light, Reflectance, Transmittance };

// The white calibration's files, as a user would choose them in its dialog.
struct WhiteOptions {
    std::string standardFile;  // empty: no calibration
    std::string userFile;
};

struct SimulatorOptions {
    bool enabled = false;
    std::string source = "d65";
    double luminance = 100.0;
    int variation = 0;
    std::string body = "1000001";
    std::string rom = "1.10";
    std::optional<int> angle;
    int baud = 0;  // emulated line speed; 0: no artificial delay
    double timeScale = 1.0;
    std::optional<double> measuringTime;
    double keyInterval = 0.0;  // seconds between automatic key presses; 0: never
    double noise = 0.002;
    std::vector<std::string> faults;
    std::string transcript;
    std::string state;    // a memory file of rx9100-sim --state to start from (read only)
    std::string samples;  // NAME[,NAME...]: presented one per measurement
    std::optional<int> stored;
    std::string keepState;         // a memory file the simulator starts from and writes back to
    double wavelengthError = 0.0;  // nm
    double levelError = 0.0;
};

struct GlobalOptions {
    std::string port;    // empty: the port in the settings store
    std::string method;  // empty: as configured; "usb" or "rs232c"
    std::optional<int> baud;
    std::string settingsDir;
    bool trace = false;     // every line with a timestamp to stderr
    std::string traceFile;  // ... or to this file
    SimulatorOptions sim;
};

struct OutputOptions {
    Format format = Format::Table;
    std::string outputFile;  // empty: stdout
    std::string plotFile;
    std::string vectorPlotFile;  // the colour vector graphic of the last light (--cvg)
    int observer = 2;
    bool rendition = false;  // colour rendition indices of a light source
};

struct MeasureOptions {
    OutputOptions output;
    MeasurementType type = MeasurementType::Light;
    WhiteOptions white;
    bool userCal = false;  // CorrectMeasurementData with the active channel
    int count = 1;
    double interval = 0.0;
    ProgressMode progress = ProgressMode::Auto;
};

struct RemoteOptions {
    OutputOptions output;
    int count = 0;  // 0: until Ctrl-C
};

struct WhitecalOptions {
    MeasurementType type = MeasurementType::Reflectance;
    WhiteOptions white;
    bool json = false;
};

struct ConditionsOptions {
    std::vector<std::string> assignments;  // NAME=VALUE
    bool json = false;                     // the same as --format json
    bool dialog = false;                   // edit them in the driver's window
    Format format = Format::Table;
};

// The factor tables and calibration channels: which exist, and their entries.
struct TableOptions {
    Format format = Format::Table;
    bool quick = false;  // channels: entry 000 of each table instead of the full scans
    int channel = 1;     // channel N
};

// Stored targets and samples: which kind, which numbers, where to.
struct StoredOptions {
    bool targets = false;
    bool samples = false;
    Format format = Format::Table;       // list
    Format exportFormat = Format::Json;  // export
    std::string outputFile;
    bool all = false;
    std::vector<int> numbers;
    bool yes = false;
    std::string backupFile;  // empty: rx9100-backup-<kind>-<UTC time>.json
    std::string inputFile;   // restore
    int observer = 2;        // of the colour values listed
};

// Writing one reference colour.
struct TargetWriteOptions {
    int number = 1;
    std::string fromFile;  // a backup or export, or a measurement in JSON
    int record = 0;        // the record of fromFile (0: the only one, or the same number)
    bool measure = false;
    std::optional<std::string> name;
    int observer = 2;  // of a colour-only reference
};

// The instrument's own display options.
struct InstrumentOptionsOptions {
    std::vector<std::string> assignments;  // NAME=VALUE
    Format format = Format::Table;
};

// The user-calibration editor's actions from the command line, and its files.
struct UsercalOptions {
    int channel = 1;
    std::string file;
    std::string id;
    bool force = false;  // save: replace an existing file
    bool yes = false;    // erase: no question
    Format format = Format::Table;
    std::vector<double> lines;  // wavelength: the lamp's lines (nm) to mark
    double window = 5.0;        // wavelength: each line is looked for within this (nm)
    std::string reference;      // level: the reference source's .lrv file
};

// factors --write-lens FILE / --write-nd FILTER FILE.
struct FactorWriteOptions {
    std::string lensFile;
    std::vector<std::string> nd;  // filter and file
};

struct CommandLine {
    GlobalOptions global;
    MeasureOptions measure;
    RemoteOptions remote;
    ConditionsOptions conditions;
    WhitecalOptions whitecal;
    TableOptions factors;
    TableOptions channels;
    TableOptions channel;
    StoredOptions stored;
    TargetWriteOptions targetWrite;
    InstrumentOptionsOptions options;
    UsercalOptions usercal;
    FactorWriteOptions factorWrite;
};

// The subcommands, for main() to tell which one was chosen.
struct Subcommands {
    CLI::App* ports = nullptr;
    CLI::App* identify = nullptr;
    CLI::App* conditions = nullptr;
    CLI::App* measure = nullptr;
    CLI::App* remote = nullptr;
    CLI::App* whitecal = nullptr;
    CLI::App* factors = nullptr;
    CLI::App* channels = nullptr;
    CLI::App* channel = nullptr;
    CLI::App* storedList = nullptr;
    CLI::App* storedExport = nullptr;
    CLI::App* storedDelete = nullptr;
    CLI::App* storedRestore = nullptr;
    CLI::App* targetWrite = nullptr;
    CLI::App* options = nullptr;
    CLI::App* usercal = nullptr;
    CLI::App* usercalSave = nullptr;
    CLI::App* usercalLoad = nullptr;
    CLI::App* usercalErase = nullptr;
    CLI::App* usercalId = nullptr;
    CLI::App* usercalShow = nullptr;
    CLI::App* usercalWavelength = nullptr;
    CLI::App* usercalLevel = nullptr;
};

Subcommands declareCommandLine(CLI::App& app, CommandLine& line);

}  // namespace cli
