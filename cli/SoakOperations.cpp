#include "SoakOperations.h"

#include <chrono>
#include <cmath>
#include <thread>

#include "ExitCodes.h"
#include "InstrumentSession.h"
#include "SoakChecks.h"
#include "measure/MeasureMessages.h"
#include "platform/Window.h"
#include "sensor/ConditionCodes.h"
#include "sensor/TavoRX9100.h"
#include "simulator/Instrument.h"

namespace cli::soak {

namespace {

using namespace std::chrono_literals;

std::string outcomeOf(int status) {
    switch (status) {
        case 0:
            return "ok";
        case 10:
            return "refused";
        case -10:
            return "no link";
        default:
            return "status " + std::to_string(status);
    }
}

std::string connectOutcome(int exitCode) {
    return exitCode == kExitLink ? "connect: no link" : "connect: refused";
}

template <typename T>
T pick(std::initializer_list<T> items, std::mt19937& random) {
    const auto index = std::uniform_int_distribution<std::size_t>(0, items.size() - 1)(random);
    return *(items.begin() + index);
}

// The record against what the instrument produced for it.
std::vector<std::string> checkRecord(const MeasuringData& record, rx9100sim::Instrument& instrument,
                                     const std::string& what) {
    const auto sent = instrument.lastMeasurement();
    if (!sent) {
        return {what + " succeeded, but the instrument has measured nothing"};
    }
    if (const auto difference = differenceFromInstrument(record.getData(), sent->spectrum)) {
        return {what + " holds values the instrument did not send: " + *difference};
    }
    return {};
}

RoundResult measureRound(SoakLine& line) {
    std::vector<MeasuringData> records;
    const int status = line.driver.doMeasurement(records, nullptr);
    if (status != 0) {
        return {outcomeOf(status), {}};
    }
    if (records.size() != 1) {
        return {"ok", {"a measurement gave " + std::to_string(records.size()) + " records"}};
    }
    return {"ok", checkRecord(records.front(), line.instrument, "a measurement")};
}

// Random conditions the instrument can take; the lens and ND filters stay out, as the
// comparison with the instrument's values assumes no factor tables in between.
SetupStatus randomConditions(const SetupStatus& current, int firmwareLevel, std::mt19937& random) {
    namespace speed = codes::speed;
    SetupStatus wanted = current;
    const bool rom110 = codes::hasRom110Layout(firmwareLevel);
    const int multi = rom110 ? speed::kMultiRom110 : speed::kMulti;
    wanted.setSpeed(pick({speed::kNormal, speed::kFast, speed::kManual, multi}, random));
    if (wanted.getSpeed() == speed::kManual) {
        wanted.setSyncManualDouble(pick({0.01, 0.05, 0.2}, random));
    } else if (wanted.getSpeed() == multi) {
        wanted.setSyncManualParam(static_cast<float>(pick({1, 2, 4}, random)));
    }
    wanted.setSync(pick({codes::sync::kNone, codes::sync::kInternal}, random));
    if (wanted.getSync() == codes::sync::kInternal) {
        wanted.setSyncInternalParam(pick({50.0f, 60.0f, 100.0f}, random));
    }
    const bool insertNdAllowed = rom110 || wanted.getSpeed() == speed::kManual;
    wanted.setInsertNd(insertNdAllowed ? pick({codes::insertnd::kOff, codes::insertnd::kOn}, random)
                                       : codes::insertnd::kOff);
    wanted.setLens(codes::lens::kStandard);
    wanted.setNd(codes::nd::kNone);
    return wanted;
}

std::vector<std::string> conditionDifferences(const SetupStatus& wanted, const SetupStatus& got) {
    std::vector<std::string> differences;
    auto compare = [&](const char* name, double a, double b, double tolerance) {
        if (std::fabs(a - b) > tolerance) {
            differences.push_back(std::string(name) + " written " + std::to_string(a) +
                                  ", read back " + std::to_string(b));
        }
    };
    compare("speed", wanted.getSpeed(), got.getSpeed(), 0);
    compare("sync", wanted.getSync(), got.getSync(), 0);
    compare("internal ND", wanted.getInsertNd(), got.getInsertNd(), 0);
    if (wanted.getSpeed() == codes::speed::kManual) {
        compare("integration", wanted.getSyncManualDouble(), got.getSyncManualDouble(), 1e-6);
    } else if (wanted.getSpeed() != codes::speed::kNormal &&
               wanted.getSpeed() != codes::speed::kFast) {
        compare("count", wanted.getSyncManualParam(), got.getSyncManualParam(), 0);
    }
    if (wanted.getSync() == codes::sync::kInternal) {
        compare("frequency", wanted.getSyncInternalParam(), got.getSyncInternalParam(), 0.005);
    }
    return differences;
}

RoundResult conditionsRound(SoakLine& line) {
    TavoRX9100& driver = line.driver;
    const SetupStatus wanted =
        randomConditions(*driver.getSetupStatus(), driver.getFirmwareLevel(), line.random);
    *driver.getSetupStatus() = wanted;
    driver.setInsertNd(wanted.getInsertNd());
    if (const int status = driver.setSetupStatus(); status != 0) {
        return {"write: " + outcomeOf(status), {}};
    }
    if (const int status = driver.checkSetupStatus(); status != 0) {
        return {"read back: " + outcomeOf(status), {}};
    }
    RoundResult result{"ok", {}};
    for (const std::string& difference : conditionDifferences(wanted, *driver.getSetupStatus())) {
        result.outcome = "not kept";
        result.findings.push_back("conditions written without error but not kept: " + difference);
    }
    return result;
}

// The receive thread posts its announcements to the main window of the thread that
// started remote measurement.
class RemoteWindow {
  public:
    RemoteWindow() { platform::setMainWindow(&window_); }
    ~RemoteWindow() { platform::setMainWindow(nullptr); }
    RemoteWindow(const RemoteWindow&) = delete;
    RemoteWindow& operator=(const RemoteWindow&) = delete;

  private:
    platform::Window window_;
};

// Presses the key once the driver has enabled it (its receive thread may take a pass or
// two when enabling failed).
bool pressKeyWhenEnabled(rx9100sim::Instrument& instrument) {
    const auto deadline = std::chrono::steady_clock::now() + 3s;
    while (std::chrono::steady_clock::now() < deadline) {
        if (instrument.pressKey()) {
            return true;
        }
        std::this_thread::sleep_for(20ms);
    }
    return false;
}

RoundResult remoteRound(SoakLine& line) {
    TavoRX9100& driver = line.driver;
    RemoteWindow window;
    if (const int status = driver.remoteMeasure(); status != 0) {
        driver.quitRemoteMeasure(true);
        return {"start: " + outcomeOf(status), {}};
    }
    const int keys = std::uniform_int_distribution<int>(1, 3)(line.random);
    int received = 0;
    RoundResult result;
    for (int key = 0; key < keys; ++key) {
        if (!pressKeyWhenEnabled(line.instrument)) {
            continue;
        }
        line.instrument.waitUntilIdle(std::chrono::milliseconds(25000));
        // The receive thread asks every 100 ms; a record comes within a few passes.
        const auto deadline = std::chrono::steady_clock::now() + 3s;
        platform::Message message;
        while (std::chrono::steady_clock::now() < deadline) {
            if (!platform::waitMessage(message, 100ms) || message.message != MSG_REMOTE_DATA) {
                continue;
            }
            std::vector<MeasuringData> records;
            driver.getRemoteData(records);
            driver.approveGetData();
            for (const MeasuringData& record : records) {
                if (record.getData().empty()) {
                    continue;  // the driver marks a record it found invalid so
                }
                ++received;
                for (std::string& finding :
                     checkRecord(record, line.instrument, "a remote measurement")) {
                    result.findings.push_back(std::move(finding));
                }
            }
            break;
        }
    }
    const int status = driver.quitRemoteMeasure(true);
    result.outcome = received == keys ? "ok"
                                      : "lost " + std::to_string(keys - received) + " of " +
                                            std::to_string(keys);
    if (status != 0) {
        result.outcome += ", stop: " + outcomeOf(status);
    }
    return result;
}

}  // namespace

RoundResult runRound(Operation operation, SoakLine& line) {
    // Disconnects on every way out, which returns the instrument to local mode.
    InstrumentSession session(line.driver, line.global, line.trace, line.port);
    if (const int failed = session.open(); failed != kExitOk) {
        return {connectOutcome(failed), {}};
    }
    switch (operation) {
        case Operation::Measure:
            return measureRound(line);
        case Operation::Conditions:
            return conditionsRound(line);
        case Operation::Remote:
            return remoteRound(line);
    }
    return {};
}

}  // namespace cli::soak
