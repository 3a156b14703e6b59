#pragma once
// One instrument opened from Python, in plain C++: the driver's transport (a port, or the
// built-in simulator's pseudo-terminal), connecting and disconnecting, and the operations
// that wait on the instrument. Those run on a worker thread while the caller's thread
// polls every few milliseconds, so that Ctrl-C and a cancel from another thread reach
// the driver however long it waits.
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "BuiltInSimulator.h"
#include "InstrumentSession.h"
#include "Measurement.h"
#include "Options.h"
#include "sensor/StoredRecords.h"

class TavoRX9100;
class SerialPort;

namespace cli {
class TracingConnection;
}

namespace pyrx9100 {

// A failed operation with the driver's own account of it.
struct Failure {
    enum class Kind { Instrument, Link, Cancelled, Usage };
    Kind kind = Kind::Instrument;
    std::string action;  // "measurement 2", "connecting to the instrument on /dev/ttyACM0"
    int status = 0;      // the driver's status: 10 refused, -10 transport
    int code = 0;        // the driver's error code (200: none)
    std::string text;    // the driver's text for the code
    std::string gloss;   // its English meaning

    // A failure of the caller's making or a cancel: nothing from the driver to add.
    static Failure plain(Kind kind, std::string action) {
        Failure failure;
        failure.kind = kind;
        failure.action = std::move(action);
        return failure;
    }
};

class FailureError : public std::runtime_error {
  public:
    explicit FailureError(Failure failure);
    const Failure& failure() const { return failure_; }

  private:
    Failure failure_;
};

// What a poll sees: the measurement in a series and the progress of its measuring time.
struct Progress {
    int index = 0;
    int count = 0;
    unsigned elapsedHundredths = 0;
    unsigned totalHundredths = 0;
};

// Called on the caller's thread while an operation waits; false asks it to stop.
using Poll = std::function<bool(const Progress&)>;

class Session {
  public:
    // The port, method and baud rate of options (as rx9100 takes them); with options.sim
    // enabled, the built-in simulator instead. Throws FailureError (Usage) for bad options.
    explicit Session(const cli::GlobalOptions& options);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Connects and reads the conditions; throws FailureError.
    void open();
    // Returns the instrument to local mode and closes the port; stops the simulator.
    void close();
    bool isOpen() const { return open_; }

    cli::InstrumentIdentity identity() const;
    // The conditions as `rx9100 conditions --format json` prints them.
    std::string conditionsJson();
    // NAME=VALUE items as `rx9100 conditions --set` takes them; throws FailureError.
    // Returns what the instrument kept differently, one text per condition.
    std::vector<std::string> setConditions(const std::vector<std::string>& assignments);

    // count measurements; throws FailureError (Cancelled when poll or cancel() stopped it).
    std::vector<cli::MeasurementResult> measure(int count, int observer, bool rendition,
                                                const Poll& poll);
    // count measurements by the driver alone, as a C++ host makes them (no worker thread, no
    // colour values): the baseline of the module's overhead. Seconds taken; throws FailureError.
    double timeDriverMeasurements(int count);

    // Asks a running measurement or remote wait to stop; any thread.
    void cancel();

    // The eleven calibration channels: mode, ID and whether each is the active one. quick:
    // one probe per channel instead of the driver's full scan.
    struct Channel {
        int number = 0;
        int mode = 0;
        std::string id;
        bool active = false;
    };
    std::vector<Channel> channels(bool quick, const Poll& poll);
    // A channel's wavelength and level tables (401 entries each, 380 to 780 nm); nothing for
    // a table the channel does not hold. Throws FailureError (Cancelled when stopped).
    struct ChannelTables {
        std::optional<std::vector<double>> wavelength;
        std::optional<std::vector<double>> level;
    };
    ChannelTables channelTables(int channel, const Poll& poll);

    // Every stored target or sample as `rx9100 stored export --format json` writes the
    // document; a stop ends the reading before the next record.
    std::string storedJson(bool targets, int observer, const Poll& poll);
    // Deletes stored records after saving them to backupPath and reading that back, as
    // `rx9100 stored delete` does: a record that holds nothing or cannot be backed up, a
    // backup that cannot be written or read back, delete nothing. numbers empty: all.
    // Deletes one by one and stops at the first refusal. Returns the numbers deleted.
    std::vector<int> deleteStored(bool targets, const std::vector<int>& numbers,
                                  const std::string& backupPath, const Poll& poll);

    // What measure() measures: light, or a sample's reflectance or transmittance against the
    // white calibration in force.
    void setMeasurementType(cli::MeasurementType type);
    cli::MeasurementType measurementType() const { return type_; }
    // Selects the type and runs the driver's white calibration with its dialog answered for
    // the standard's file (and the user's white data, when given); throws FailureError
    // (Cancelled when stopped; the driver's messages in the text when it did not calibrate).
    void whiteCalibrate(cli::MeasurementType type, const std::string& standardFile,
                        const std::string& userFile, const Poll& poll);

    // Key-triggered measurement: start, then take the records one by one, then stop.
    // The three belong to one thread (the driver posts its records to that thread).
    void startRemote(int observer, bool rendition);
    // The next key measurement, or nothing when timeoutSeconds passed (negative: no limit);
    // throws FailureError (Cancelled) when poll or cancel() stopped the wait.
    std::optional<cli::MeasurementResult> nextRemote(double timeoutSeconds, const Poll& poll);
    void stopRemote();

    // What the last measurement or remote start measured in: observer, grid, names.
    std::shared_ptr<const cli::ReportContext> lastContext() const { return context_; }

    // The simulator's pty path ("" without simulator) and its instrument's mode.
    std::string simulatorPort() const;
    bool simulatorRemote();

  private:
    [[noreturn]] void fail(const std::string& action, int status);
    Failure describe(const std::string& action, int status) const;
    // Runs work on a worker thread and polls on this one until it ends; once poll says
    // stop, stop() is called on every further poll (the driver clears its flag as a
    // measurement begins). True when poll asked to stop.
    bool runPolled(const std::function<void()>& work, const std::function<Progress()>& progress,
                   const Poll& poll, const std::function<void()>& stop);
    // runPolled for a sequence of exchanges: a stop holds back the next command line.
    bool runGated(const std::function<void()>& work, const Poll& poll);
    StoredRecords readStored(bool targets, const Poll& poll);
    std::shared_ptr<const cli::ReportContext> reportContext(int observer, bool rendition);

    TavoRX9100& driver_;
    std::unique_ptr<cli::BuiltInSimulator> simulator_;
    std::string portName_;
    cli::TracingConnection* link_ = nullptr;  // owned by the driver
    bool open_ = false;
    std::atomic<bool> cancelRequested_{false};
    std::shared_ptr<const cli::ReportContext> context_;
    cli::MeasurementType type_ = cli::MeasurementType::Light;

    struct Remote;
    std::unique_ptr<Remote> remote_;
};

}  // namespace pyrx9100
