#include "sensor/InstrumentState.h"

#include <cstdlib>

#include "outside/CommonWords.h"
#include "outside/CommunicationMethod.h"

InstrumentState::InstrumentState() {
    updatePortTexts();
}

void InstrumentState::clearCalibration() {
    blackCal_ = 0;
    whiteCal_ = 0;
    fluore_ = 0;
}

void InstrumentState::clearState() {
    stateCode_ = 0;
    stateMessage_.clear();
}

void InstrumentState::clearError() {
    errorCode_ = kNoError;
    errorMessage_.clear();
}

void InstrumentState::setComProperty(const int& kind) {
    if (const std::string_view text = comm::methodName(kind); !text.empty()) {
        comKind_ = kind;
        comKindText_ = text;
    }
}

void InstrumentState::setComProperty(const int& kind, const std::string& port, const int& baud,
                                     const int& byteSize, const int& stopBits, const int& parity) {
    if (comm::methodName(kind).empty()) {
        return;
    }
    setComProperty(kind);
    if (kind == comm::kUsb) {
        return;  // a USB link has no port settings of its own
    }
    portName_ = port;
    baudRate_ = baud;
    byteSize_ = byteSize;
    stopBits_ = stopBits;
    parity_ = parity;
    updatePortTexts();
}

void InstrumentState::updatePortTexts() {
    portNumber_ = portName_.size() > 3 ? std::atoi(portName_.c_str() + 3) : 0;
    byteText_ = std::to_string(byteSize_) + loadCommonWord(22804);
    switch (stopBits_) {
        case 0:
            stopText_ = "1" + loadCommonWord(22803);
            break;
        case 1:
            stopText_ = "1.5" + loadCommonWord(22804);
            break;
        case 2:
            stopText_ = "2" + loadCommonWord(22804);
            break;
        default:
            stopText_.clear();
            break;
    }
    static constexpr int kParityWords[] = {22740, 22801, 22802};
    parityText_ = (parity_ >= 0 && parity_ <= 2) ? loadCommonWord(kParityWords[parity_]) : "";
}
