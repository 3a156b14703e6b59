#include "Session.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "ConditionNames.h"
#include "ConditionReport.h"
#include "ConditionSettings.h"
#include "DriverFacts.h"
#include "ErrorReport.h"
#include "PortSetup.h"
#include "StoredData.h"
#include "TracingConnection.h"
#include "WhiteCalibrationAnswers.h"
#include "measure/MeasureMessages.h"
#include "platform/UiServices.h"
#include "platform/Window.h"
#include "sensor/ConditionCodes.h"
#include "sensor/ResultCodes.h"
#include "sensor/TavoRX9100.h"

namespace pyrx9100 {

namespace {

using namespace std::chrono_literals;

// How often a waiting operation looks at Ctrl-C and at the progress.
constexpr auto kPollInterval = 20ms;

TavoRX9100& theDriver() {
    auto* driver = dynamic_cast<TavoRX9100*>(TavoRX9100::getInstance());
    if (driver == nullptr) {
        throw FailureError(Failure::plain(Failure::Kind::Usage, "creating the driver object"));
    }
    return *driver;
}

// Message boxes kept as texts: nobody is at the screen, and a failure's exception tells them.
// Questions get the answer that changes nothing.
class RecordedMessages : public platform::UiServices {
  public:
    int messageBox(platform::WindowHandle, const platform::MessageBoxRequest& request) override {
        std::lock_guard lock(mutex_);
        texts_.push_back(request.text);
        return request.buttons == platform::MessageBoxButtons::Ok ? platform::IDOK
                                                                  : platform::IDCANCEL;
    }
    std::optional<std::string> chooseFile(platform::WindowHandle,
                                          const platform::FileChooserRequest&) override {
        return std::nullopt;
    }
    void beginWaitCursor() override {}
    void endWaitCursor() override {}

    std::string joined() const {
        std::lock_guard lock(mutex_);
        std::string out;
        for (const std::string& text : texts_) {
            out += (out.empty() ? "" : " / ") + text;
        }
        return out;
    }

  private:
    mutable std::mutex mutex_;
    std::vector<std::string> texts_;
};

std::string stripLineBreaks(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.pop_back();
    }
    return text;
}

}  // namespace

FailureError::FailureError(Failure failure)
    : std::runtime_error(failure.action), failure_(std::move(failure)) {}

// The thread that starts remote measurement needs a main window: the driver's receive
// thread posts its records there.
struct Session::Remote {
    platform::Window window;
    std::shared_ptr<const cli::ReportContext> context;
    int received = 0;
};

Session::Session(const cli::GlobalOptions& options) : driver_(theDriver()) {
    std::string portOverride;
    if (options.sim.enabled) {
        simulator_ = std::make_unique<cli::BuiltInSimulator>();
        if (const std::string error = simulator_->start(options.sim); !error.empty()) {
            throw FailureError(Failure::plain(Failure::Kind::Usage, error));
        }
        portOverride = simulator_->portPath();
    }
    auto* current = dynamic_cast<SerialPort*>(driver_.getConnection());
    auto port = cli::makePort(current, options, portOverride);
    portName_ = port->getPortName();
    auto link = std::make_unique<cli::TracingConnection>(std::move(port), nullptr);
    link_ = link.get();
    driver_.setConnection(std::move(link));
    // Failures become exceptions with the driver's words; nobody is there to click a box.
    driver_.setErrorVisible(false);
}

Session::~Session() {
    close();
}

void Session::open() {
    if (open_) {
        return;
    }
    if (const int status = driver_.connect(); status != 0) {
        fail("connecting to the instrument on " + portName_, status);
    }
    open_ = true;
    if (const int status = driver_.checkSetupStatus(); status != 0) {
        fail("reading the measuring conditions", status);
    }
    // The driver is one object for the process: an earlier instrument's type does not carry over.
    setMeasurementType(type_);
}

void Session::close() {
    stopRemote();
    if (open_) {
        open_ = false;
        driver_.disconnect();
    }
    simulator_.reset();
}

void Session::fail(const std::string& action, int status) {
    throw FailureError(describe(action, status));
}

Failure Session::describe(const std::string& action, int status) const {
    const InstrumentState& state = *driver_.getInstrumentState();
    Failure failure;
    failure.action = action;
    failure.status = status;
    failure.code = state.getErrorCode();
    failure.text = stripLineBreaks(state.getErrorMessage());
    failure.gloss = cli::glossFor(failure.code);
    failure.kind =
        status == codes::status::kTransportFailed ? Failure::Kind::Link : Failure::Kind::Instrument;
    return failure;
}

cli::InstrumentIdentity Session::identity() const {
    return cli::identityOf(driver_, portName_);
}

std::string Session::conditionsJson() {
    const cli::ConditionNames names = cli::ConditionNames::fromDriver(driver_);
    return cli::conditionsWithChannel(*driver_.getSetupStatus(), names)
        .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::vector<std::string> Session::setConditions(const std::vector<std::string>& assignments) {
    std::string error;
    const auto request = cli::parseAssignments(assignments, error);
    if (!request) {
        throw FailureError(Failure::plain(Failure::Kind::Usage, error));
    }
    const cli::ConditionNames names = cli::ConditionNames::fromDriver(driver_);
    const auto wanted = cli::applyRequest(*request, *driver_.getSetupStatus(), names,
                                          cli::limitsOf(driver_), error);
    if (!wanted) {
        throw FailureError(Failure::plain(Failure::Kind::Usage, error));
    }
    *driver_.getSetupStatus() = *wanted;
    driver_.setInsertNd(wanted->getInsertNd());
    if (const int status = driver_.setSetupStatus(); status != 0) {
        fail("writing the measuring conditions", status);
    }
    if (const int status = driver_.checkSetupStatus(); status != 0) {
        fail("reading the measuring conditions back", status);
    }
    return cli::compareConditions(*wanted, *driver_.getSetupStatus(), names);
}

std::shared_ptr<const cli::ReportContext> Session::reportContext(int observer, bool rendition) {
    cli::ReportContext context = cli::makeContext(
        identity(), cli::ConditionNames::fromDriver(driver_), *driver_.getDataFormat(), observer);
    context.rendition = rendition;
    if (type_ != cli::MeasurementType::Light) {
        context.quantity =
            type_ == cli::MeasurementType::Reflectance ? "reflectance" : "transmittance";
        context.unit = "%";
    }
    context_ = std::make_shared<const cli::ReportContext>(std::move(context));
    return context_;
}

bool Session::runPolled(const std::function<void()>& work,
                        const std::function<Progress()>& progress, const Poll& poll,
                        const std::function<void()>& stop) {
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    std::thread worker([&] {
        work();
        std::lock_guard lock(mutex);
        done = true;
        ended.notify_all();
    });
    bool stopping = false;
    for (;;) {
        {
            std::unique_lock lock(mutex);
            if (ended.wait_for(lock, kPollInterval, [&] { return done; })) {
                break;
            }
        }
        if (!stopping && (cancelRequested_ || !poll(progress()))) {
            stopping = true;
        }
        if (stopping) {
            stop();
        }
    }
    worker.join();
    return stopping;
}

bool Session::runGated(const std::function<void()>& work, const Poll& poll) {
    std::atomic<bool> stop{false};
    link_->setSendGate([&stop] { return !stop; });
    const bool stopped = runPolled(
        work, [] { return Progress{}; }, poll, [&stop] { stop = true; });
    link_->setSendGate(nullptr);
    return stopped;
}

std::vector<Session::Channel> Session::channels(bool quick, const Poll& poll) {
    cancelRequested_ = false;
    constexpr int kChannels = 11;
    std::vector<Channel> found;
    const bool stopped = runGated(
        [&] {
            if (quick) {
                for (int ch = 0; ch < kChannels; ++ch) {
                    Channel channel;
                    channel.number = ch;
                    int chOut = ch;
                    int reserved = 0;
                    (void)driver_.checkCalibrationCh(ch, chOut, channel.mode, reserved, channel.id,
                                                     false);
                    found.push_back(channel);
                }
                return;
            }
            driver_.checkCalibrationCh();  // the list rebuild: mode as two digits, then the ID
            CapIterator* list = driver_.getSetupCapability()->getListCalList();
            for (list->First(); list->IsDone() == 0;) {
                const std::string name = list->Next().name;
                found.push_back({static_cast<int>(found.size()),
                                 std::atoi(name.substr(0, 2).c_str()),
                                 name.size() > 2 ? name.substr(2) : ""});
            }
        },
        poll);
    if (stopped) {
        throw FailureError(
            Failure::plain(Failure::Kind::Cancelled, "reading the channels cancelled"));
    }
    const int active = driver_.getSetupStatus()->getCalibrationCh();
    for (Channel& channel : found) {
        channel.active = channel.number == active;
    }
    return found;
}

Session::ChannelTables Session::channelTables(int channel, const Poll& poll) {
    if (channel < 1 || channel > 10) {
        // Channel 0 is the factory's: its tables are not the user's to read.
        throw FailureError(Failure::plain(Failure::Kind::Usage, "a channel is 1 to 10"));
    }
    cancelRequested_ = false;
    constexpr std::size_t kEntries = 401;
    ChannelTables tables;
    int status = 0;
    std::string failedRead;
    const bool stopped = runGated(
        [&] {
            using Read = int (TavoRX9100::*)(double*, int);
            const std::pair<const char*, Read> reads[] = {
                {"wavelength", &TavoRX9100::checkWavelengthData},
                {"level", &TavoRX9100::checkLevelData}};
            for (const auto& [name, read] : reads) {
                std::vector<double> table(kEntries);
                auto& kept =
                    std::string_view(name) == "wavelength" ? tables.wavelength : tables.level;
                status = (driver_.*read)(table.data(), channel);
                if (status == 0) {
                    kept = std::move(table);
                    continue;
                }
                // "No such data" (the probe's 200, the instrument's 5 or 20): no table.
                const int code = driver_.getInstrumentState()->getErrorCode();
                if (status != codes::status::kRefused ||
                    (code != codes::error::kNoError && code != 5 &&
                     code != codes::error::kNoData)) {
                    failedRead = name;
                    return;
                }
            }
        },
        poll);
    if (stopped) {
        throw FailureError(
            Failure::plain(Failure::Kind::Cancelled, "reading the channel's tables cancelled"));
    }
    if (!failedRead.empty()) {
        fail("reading the " + failedRead + " table of channel " + std::to_string(channel), status);
    }
    return tables;
}

std::vector<cli::MeasurementResult> Session::measure(int count, int observer, bool rendition,
                                                     const Poll& poll) {
    cancelRequested_ = false;
    const auto context = reportContext(observer, rendition);
    std::vector<cli::MeasurementResult> results;
    for (int index = 1; index <= count; ++index) {
        cli::MeasuringProgressWindow window;
        std::vector<MeasuringData> records;
        int status = 0;
        const bool stopped =
            runPolled([&] { status = driver_.doMeasurement(records, &window); },
                      [&] {
                          return Progress{index, count, window.elapsed, window.total};
                      },
                      poll, [this] { driver_.setMeasurementCancel(true); });
        if (stopped || (status != 0 && cancelRequested_)) {
            throw FailureError(Failure::plain(
                Failure::Kind::Cancelled, "measurement " + std::to_string(index) + " cancelled"));
        }
        if (status != 0) {
            fail("measurement " + std::to_string(index), status);
        }
        if (records.empty() || records.front().getData().empty()) {
            fail("measurement " + std::to_string(index), codes::status::kRefused);
        }
        cli::MeasurementResult result = cli::makeResult(index, records.front(), *context);
        result.warningCode = driver_.getCompletionCode();
        result.warningText = driver_.getCompletionMessage();
        results.push_back(std::move(result));
    }
    return results;
}

double Session::timeDriverMeasurements(int count) {
    const auto start = std::chrono::steady_clock::now();
    for (int index = 1; index <= count; ++index) {
        std::vector<MeasuringData> records;
        if (const int status = driver_.doMeasurement(records, nullptr); status != 0) {
            fail("measurement " + std::to_string(index), status);
        }
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

StoredRecords Session::readStored(bool targets, const Poll& poll) {
    cancelRequested_ = false;
    StoredRecords records;
    StoredReadProgress progress;
    std::atomic<bool> stop{false};
    progress.cancelled = [&stop] { return stop.load(); };
    int status = 0;
    const bool stopped =
        runPolled([&] { status = driver_.readStoredRecords(targets, true, records, progress); },
                  [] { return Progress{}; }, poll, [&stop] { stop = true; });
    const std::string what = std::string("reading the stored ") + cli::kindName(targets);
    if (stopped || cancelRequested_) {
        throw FailureError(Failure::plain(Failure::Kind::Cancelled, what + " cancelled"));
    }
    if (status != 0) {
        fail(what, status);
    }
    return records;
}

std::string Session::storedJson(bool targets, int observer, const Poll& poll) {
    cli::StoredSet set;
    (targets ? set.targets : set.samples) = readStored(targets, poll);
    return cli::storedDocument(set, identity(), cli::ConditionNames::fromDriver(driver_), observer)
        .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::vector<int> Session::deleteStored(bool targets, const std::vector<int>& numbers,
                                       const std::string& backupPath, const Poll& poll) {
    const std::string kind = targets ? "target " : "sample ";
    for (int n : numbers) {
        if (targets ? (n < 1 || n > 20) : (n < 0 || n > 99)) {
            throw FailureError(Failure::plain(
                Failure::Kind::Usage,
                std::to_string(n) + " is not a " +
                    (targets ? "target number (1 to 20)" : "sample number (0 to 99)")));
        }
    }
    // First read everything that is to go, then save it and read the file back.
    const StoredRecords stored = readStored(targets, poll);
    std::vector<int> chosen = numbers;
    if (chosen.empty()) {
        for (const auto& [number, pack] : stored.records) {
            chosen.push_back(number);
        }
    }
    std::sort(chosen.begin(), chosen.end());
    chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
    StoredRecords selected;
    for (int n : chosen) {
        if (stored.records.count(n) == 0) {
            const bool invalid =
                std::find(stored.invalid.begin(), stored.invalid.end(), n) != stored.invalid.end();
            throw FailureError(Failure::plain(
                Failure::Kind::Usage,
                kind + std::to_string(n) +
                    (invalid ? " holds values that are not finite numbers and cannot be backed up"
                             : " holds nothing") +
                    "; nothing was deleted"));
        }
        selected.records.emplace(n, stored.records.at(n));
    }
    if (chosen.empty()) {
        return {};
    }
    cli::StoredSet set;
    (targets ? set.targets : set.samples) = std::move(selected);
    const std::string text =
        cli::storedDocument(set, identity(), cli::ConditionNames::fromDriver(driver_), 2)
            .dump(1, ' ', false, nlohmann::json::error_handler_t::replace) +
        "\n";
    std::string error = cli::writeWhole(backupPath, text);
    if (error.empty()) {
        const auto loaded = cli::loadStoredFile(backupPath, error);
        if (loaded && (targets ? loaded->targets.size() : loaded->samples) != chosen.size()) {
            error = "the backup " + backupPath + " does not hold every record to delete";
        }
    }
    if (!error.empty()) {
        throw FailureError(Failure::plain(Failure::Kind::Usage, error + "; nothing was deleted"));
    }
    // Only what was saved is deleted, one record after the other.
    std::vector<int> deleted;
    for (int n : chosen) {
        int status = 0;
        const bool stopped =
            runGated([&] { status = driver_.deleteStoredRecords(targets, {n}); }, poll);
        if (stopped || cancelRequested_) {
            throw FailureError(Failure::plain(
                Failure::Kind::Cancelled,
                "deleting stopped after " + std::to_string(deleted.size()) + " records"));
        }
        if (status != 0) {
            fail("deleting " + kind + std::to_string(n), status);
        }
        deleted.push_back(n);
    }
    return deleted;
}

void Session::setMeasurementType(cli::MeasurementType type) {
    type_ = type;
    cli::selectMeasurementType(driver_, type);
}

void Session::whiteCalibrate(cli::MeasurementType type, const std::string& standardFile,
                             const std::string& userFile, const Poll& poll) {
    if (type == cli::MeasurementType::Light) {
        throw FailureError(Failure::plain(
            Failure::Kind::Usage, "a white calibration is for reflectance or transmittance"));
    }
    cancelRequested_ = false;
    setMeasurementType(type);
    auto messages = std::make_shared<RecordedMessages>();
    int result = 0;
    bool stopped = false;
    {
        cli::WhiteCalibrationAnswers answers({standardFile, userFile}, messages);
        stopped =
            runPolled([&] { result = driver_.doWhiteCalibration(); }, [] { return Progress{}; },
                      poll, [this] { driver_.setMeasurementCancel(true); });
    }
    platform::setUiServices(nullptr);  // the driver's usual services again
    if (result == platform::IDOK) {
        return;
    }
    if (stopped || cancelRequested_) {
        throw FailureError(Failure::plain(Failure::Kind::Cancelled, "white calibration cancelled"));
    }
    if (result == platform::IDCANCEL) {
        Failure failure = describe("white calibration", codes::status::kRefused);
        failure.text = messages->joined();
        throw FailureError(std::move(failure));
    }
    fail("white calibration", result);
}

void Session::cancel() {
    cancelRequested_ = true;
    driver_.setMeasurementCancel(true);
}

void Session::startRemote(int observer, bool rendition) {
    stopRemote();
    cancelRequested_ = false;
    remote_ = std::make_unique<Remote>();
    remote_->context = reportContext(observer, rendition);
    platform::setMainWindow(&remote_->window);
    if (const int status = driver_.remoteMeasure(); status != 0) {
        Failure failure = describe("enabling the instrument's measuring key", status);
        stopRemote();
        throw FailureError(std::move(failure));
    }
}

std::optional<cli::MeasurementResult> Session::nextRemote(double timeoutSeconds, const Poll& poll) {
    if (!remote_) {
        throw FailureError(
            Failure::plain(Failure::Kind::Usage, "remote measurement is not running"));
    }
    const auto start = std::chrono::steady_clock::now();
    const auto limit = std::chrono::duration<double>(timeoutSeconds);
    for (;;) {
        platform::Message message;
        if (platform::waitMessage(message, kPollInterval) && message.message == MSG_REMOTE_DATA) {
            std::vector<MeasuringData> records;
            driver_.getRemoteData(records);
            driver_.approveGetData();  // the receive thread waits for this before it goes on
            for (const MeasuringData& record : records) {
                if (!record.getData().empty()) {
                    return cli::makeResult(++remote_->received, record, *remote_->context);
                }
            }
            continue;  // a record with invalid values: none handed out
        }
        if (cancelRequested_ || !poll(Progress{remote_->received + 1, 0, 0, 0})) {
            throw FailureError(
                Failure::plain(Failure::Kind::Cancelled, "remote measurement cancelled"));
        }
        if (timeoutSeconds >= 0 && std::chrono::steady_clock::now() - start >= limit) {
            return std::nullopt;
        }
    }
}

void Session::stopRemote() {
    if (!remote_) {
        return;
    }
    (void)driver_.quitRemoteMeasure(true);
    platform::setMainWindow(nullptr);
    remote_.reset();
}

std::string Session::simulatorPort() const {
    return simulator_ ? simulator_->portPath() : std::string();
}

bool Session::simulatorRemote() {
    return simulator_ && simulator_->instrument().remoteMode();
}

}  // namespace pyrx9100
