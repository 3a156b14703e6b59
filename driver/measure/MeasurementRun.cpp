// One measurement on the host's request, with progress messages and cancel.
#include "link/MeasurementProtocol.h"
#include "measure/FiniteValues.h"
#include "measure/MeasureMessages.h"
#include "platform/System.h"
#include "sensor/ConditionCodes.h"
#include "sensor/ErrorDisplayOff.h"
#include "sensor/ResultCodes.h"
#include "sensor/TavoRX9100.h"

namespace {

constexpr unsigned kProgressStepMs = 10;
constexpr unsigned kBusyRetryMs = 100;

}  // namespace

int TavoRX9100::doMeasurement(std::vector<MeasuringData>& out,
                              platform::WindowHandle progressWindow) {
    out.clear();
    measurementCancel = false;
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

    auto cancelMeasurement = [this] {
        std::string reply;
        int result =
            doCommunication(protocol::kMeasureCancel, reply, protocol::kMeasureCancelTimeout, true);
        return result == 0 ? codes::status::kRefused : result;
    };

    std::string reply;
    // "ER02": a measurement (one started at the instrument's key, say) is still
    // running; ask again until it is over. A cancel ends the wait too.
    while ((r = doCommunication(protocol::kMeasureStart, reply, protocol::kMeasureStartTimeout,
                                true)) != 0) {
        if (instrumentState.getErrorCode() != codes::error::kMeasuring) {
            return r;
        }
        if (measurementCancel) {
            return cancelMeasurement();
        }
        platform::sleepMs(kBusyRetryMs);
    }

    const std::optional<unsigned> measuringTime = protocol::measuringHundredths(reply);
    if (!measuringTime) {
        // The instrument accepted the start, but its time cannot be read: stop what it may
        // have started, and report the reply.
        {
            ErrorDisplayOff quiet(errorVisible, ErrorDisplayOff::Afterwards::Restore);
            std::string stopReply;
            (void)doCommunication(protocol::kMeasureCancel, stopReply,
                                  protocol::kMeasureCancelTimeout, true);
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
        if (measurementCancel) {
            return cancelMeasurement();
        }
        platform::sleepMs(kProgressStepMs);
        elapsed = platform::tickCount() - start;  // unsigned: a wrap of the counter is harmless
    }
    if (progressWindow != nullptr) {
        platform::sendMessage(progressWindow, MSG_MEASURE_PROGRESS, hundredths, 0);
    }

    r = doCommunication_Recv(reply, protocol::kCompletionTimeout);
    if (r != 0) {
        return r;
    }
    int completion = instrumentState.getErrorCode();

    MeasuringData record(setupStatus);
    r = getMeasurementData(record);
    if (r != 0) {
        return r;
    }
    // The completion reply's warning (OK16: insufficient exposure) travels with the record.
    if (completion != codes::error::kNoError) {
        record.setWarning(codes::replyStatusOf(completion).number, "");
    }
    instrumentState.setErrorCode(codes::errorCodeOf({true, record.getWarningId()}));
    setWarningMessage(instrumentState.getErrorCode());
    record.setWarning(record.getWarningId(), instrumentState.getErrorMessage());

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
