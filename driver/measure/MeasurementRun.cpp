// One measurement on the host's request, with progress messages and cancel.
#include <mutex>

#include "link/ErrorTexts.h"
#include "link/MeasurementProtocol.h"
#include "measure/FiniteValues.h"
#include "measure/MeasureMessages.h"
#include "platform/System.h"
#include "sensor/ConditionCodes.h"
#include "sensor/DriverInternals.h"
#include "sensor/ErrorDisplayOff.h"
#include "sensor/ResultCodes.h"
#include "sensor/TavoRX9100.h"

namespace {

constexpr unsigned kProgressStepMs = 10;
constexpr unsigned kBusyRetryMs = 100;

using codes::status::kOk;
using codes::status::kRefused;
using codes::status::kTransportFailed;

}  // namespace

void TavoRX9100::setMeasurementCancel(bool cancel) {
    measurementCancel = cancel;
    if (cancel) {
        interruptCompletionWait();
    }
}

bool TavoRX9100::stopRequested() const {
    return measurementCancel || internals_->disconnecting;
}

bool TavoRX9100::pauseUnlessStopped(unsigned milliseconds) const {
    for (unsigned slept = 0; slept < milliseconds; slept += kProgressStepMs) {
        if (stopRequested()) {
            return false;
        }
        platform::sleepMs(kProgressStepMs);
    }
    return !stopRequested();
}

void TavoRX9100::interruptCompletionWait() {
    std::lock_guard lock(internals_->completionWait);
    if (internals_->awaitingCompletion && connection != nullptr) {
        // Until the next send every receive gives up at once, so the wait ends even if
        // it had not quite begun.
        connection->cancel();
    }
}

int TavoRX9100::awaitCompletion(std::string& reply) {
    {
        std::lock_guard lock(internals_->completionWait);
        if (stopRequested()) {
            return kRefused;  // the caller stops the measurement
        }
        internals_->awaitingCompletion = true;
    }
    const int r = doCommunication_Recv(reply, protocol::kCompletionTimeout);
    std::lock_guard lock(internals_->completionWait);
    internals_->awaitingCompletion = false;
    return r;
}

std::string TavoRX9100::getCompletionMessage() const {
    return errortexts::forWarning(completionCode);
}

int TavoRX9100::stopMeasurement() {
    std::string reply;
    const int r =
        doCommunication(protocol::kMeasureCancel, reply, protocol::kMeasureCancelTimeout, true);
    return r == kOk ? kRefused : r;
}

int TavoRX9100::doMeasurement(std::vector<MeasuringData>& out,
                              platform::WindowHandle progressWindow) {
    std::lock_guard run(internals_->measurementRun);
    out.clear();
    measurementCancel = false;
    completionCode = 0;
    int method = setupStatus.getMeasurementMethod();

    int r = checkArea();
    if (r != 0) {
        return r;
    }
    const WhiteCalibrationData* white = whiteCalibrationInForce();
    const bool whiteMissing =
        (method == codes::method::kReflection || method == codes::method::kTransmission) &&
        (white == nullptr || !white->valid);
    if (whiteMissing && !doWhiteCalb) {
        instrumentState.setErrorCode(codes::error::kAngleChanged);
        setErrorMessage(codes::error::kAngleChanged);
        return codes::status::kRefused;
    }
    setupStatus.setMeasurementTime(CTime::GetCurrentTime());

    // A transport cancel that someone else asked for ends an exchange of the run like a
    // cancel of the run.
    auto cutShort = [this](int result) { return result == kTransportFailed && isTriggerCancel(); };

    std::string reply;
    // "ER02": a measurement (one started at the instrument's key, say) is still running;
    // ask again until it is over. A stop ends this wait with 10 and without "MEAS,0":
    // this host started no measurement.
    for (;;) {
        if (stopRequested()) {
            return kRefused;
        }
        r = doCommunication(protocol::kMeasureStart, reply, protocol::kMeasureStartTimeout, true);
        if (r == kOk) {
            break;
        }
        if (cutShort(r)) {
            return stopMeasurement();  // the start may have reached the instrument
        }
        if (instrumentState.getErrorCode() != codes::error::kMeasuring) {
            return r;
        }
        if (!pauseUnlessStopped(kBusyRetryMs)) {
            return kRefused;
        }
    }

    const std::optional<unsigned> measuringTime = protocol::measuringHundredths(reply);
    if (!measuringTime) {
        // The instrument accepted the start, but its time cannot be read: stop what it may
        // have started, and report the reply.
        {
            ErrorDisplayOff quiet(errorVisible, ErrorDisplayOff::Afterwards::Restore);
            (void)stopMeasurement();
        }
        return dataNotReceived();
    }
    const unsigned hundredths = *measuringTime;
    if (progressWindow != nullptr) {
        platform::sendMessage(progressWindow, MSG_MEASURE_START, 0, hundredths);
    }
    std::uint32_t start = platform::tickCount();
    std::uint32_t elapsed = 0;
    while (elapsed < hundredths * 10u) {
        if (progressWindow != nullptr) {
            auto progress = static_cast<platform::WParam>(static_cast<float>(elapsed) * 0.1f);
            platform::sendMessage(progressWindow, MSG_MEASURE_PROGRESS, progress, 0);
        }
        if (stopRequested()) {
            return stopMeasurement();
        }
        platform::sleepMs(kProgressStepMs);
        elapsed = platform::tickCount() - start;  // unsigned: a wrap of the counter is harmless
    }
    if (progressWindow != nullptr) {
        platform::sendMessage(progressWindow, MSG_MEASURE_PROGRESS, hundredths, 0);
    }

    r = awaitCompletion(reply);
    // A stop during the wait, or just after it, ends the run: "MEAS,0" ends a measurement
    // still running and clears the transport's cancel for the exchanges after it.
    if (stopRequested() || cutShort(r)) {
        return stopMeasurement();
    }
    if (r != 0) {
        return r;
    }
    // The completion's status (OK16: insufficient exposure) is kept for getCompletionCode.
    completionCode = instrumentState.getErrorCode();

    MeasuringData record(setupStatus);
    r = getMeasurementData(record);
    if (r != 0) {
        return r;
    }
    // The error code follows the record's warning, which it took from the conditions: a
    // host reads warning ids in its own terms (the receive thread gives 9 and 10).
    instrumentState.setErrorCode(codes::errorCodeOf({true, record.getWarningId()}));
    setWarningMessage(instrumentState.getErrorCode());

    if (!allFinite(record.getData())) {
        std::vector<double>().swap(record.getData());
        out.push_back(record);
        instrumentState.setErrorCode(codes::error::kInvalidData);
        setErrorMessage(codes::error::kInvalidData);
        return codes::status::kRefused;
    }
    if (method != codes::method::kLightSource) {
        CalbMeasurementData(record);
    }
    out.push_back(std::move(record));
    return 0;
}
