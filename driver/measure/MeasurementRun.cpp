// One measurement on the host's request, with progress messages and cancel.
#include <cmath>

#include "measure/FiniteValues.h"
#include "measure/MeasureMessages.h"
#include "platform/Numbers.h"
#include "platform/System.h"
#include "sensor/TavoRX9100.h"

int TavoRX9100::doMeasurement(std::vector<MeasuringData>& out,
                              platform::WindowHandle progressWindow) {
    out.clear();
    measurementCancel = false;
    int method = setupStatus.getMeasurementMethod();

    int r = checkArea();
    if (r != 0) {
        return r;
    }
    auto whiteValid = [this](const std::array<WhiteCalibrationData, 3>& records) {
        return mesAng >= 0 && mesAng < 3 && records[mesAng].valid;
    };
    bool whiteMissing =
        (method == 1 && !whiteValid(whiteCalRef)) || (method == 2 && !whiteValid(whiteCalTra));
    if (whiteMissing && !doWhiteCalb) {
        instrumentState.setErrorCode(42);
        setErrorMessage(42);
        return 10;
    }
    setupStatus.setMeasurementTime(CTime::GetCurrentTime());

    auto cancelMeasurement = [this] {
        std::string reply;
        int result = doCommunication("MEAS,0\r\n", reply, 10, true);
        return result == 0 ? 10 : result;
    };

    std::string reply;
    // "ER02": a measurement (one started at the instrument's key, say) is still
    // running; ask again until it is over. A cancel ends the wait too.
    while ((r = doCommunication("MEAS,1\r\n", reply, 15, true)) != 0) {
        if (instrumentState.getErrorCode() != 2) {
            return r;
        }
        if (measurementCancel) {
            return cancelMeasurement();
        }
        platform::sleepMs(100);
    }

    // Held in single precision first, as the instrument means it: 0.29 s gives 28.
    float seconds = static_cast<float>(platform::cAtof(reply.size() > 5 ? reply.substr(5) : ""));
    auto hundredths = static_cast<unsigned>(std::trunc(seconds * 100.0));
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
        platform::sleepMs(10);
        elapsed = platform::tickCount() - start;  // unsigned: a wrap of the counter is harmless
    }
    if (progressWindow != nullptr) {
        platform::sendMessage(progressWindow, MSG_MEASURE_PROGRESS, hundredths, 0);
    }

    r = doCommunication_Recv(reply, 20);
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
    if (completion != InstrumentState::kNoError) {
        record.setWarning(completion - 200, "");
    }
    instrumentState.setErrorCode(record.getWarningId() + 200);
    setWarningMessage(instrumentState.getErrorCode());
    record.setWarning(record.getWarningId(), instrumentState.getErrorMessage());

    if (!allFinite(record.getData())) {
        std::vector<double>().swap(record.getData());
        out.push_back(record);
        instrumentState.setErrorCode(41);
        setErrorMessage(41);
        return 10;
    }
    if (method != 3) {
        CalbMeasurementData(record);
    }
    out.push_back(std::move(record));
    return 0;
}
