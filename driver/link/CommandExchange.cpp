// One command line sent, one reply line received and classified.
#include <cstdlib>

#include "link/ErrorTexts.h"
#include "link/HexNumbers.h"
#include "outside/CommonWords.h"
#include "platform/System.h"
#include "platform/UiServices.h"
#include "sensor/TavoRX9100.h"

namespace {

// The number in characters 3 and 4 of a reply ("OK16" gives 16); non-digits count as 0.
int replyCode(const std::string& reply) {
    return reply.size() > 2 ? std::atoi(reply.substr(2, 2).c_str()) : 0;
}

}  // namespace

int TavoRX9100::openPort() {
    try {
        connection->open();
        return 0;
    } catch (const SerialPortException&) {
        if (errorVisible) {
            platform::messageBox(loadCommonWord(23001));
        }
        return -10;
    }
}

int TavoRX9100::closePort() {
    try {
        connection->close();
        return 0;
    } catch (const SerialPortException&) {
        if (errorVisible) {
            platform::messageBox(loadCommonWord(23002));
        }
        return -10;
    }
}

int TavoRX9100::doCommunication(const std::string& command, std::string& reply, int timeout,
                                bool expectOk) {
    if (transfer(&command, reply, timeout) != 0) {
        return -10;
    }
    if (expectOk && reply.starts_with("OK")) {
        return recordWarning(reply);
    }
    if (!expectOk && !reply.starts_with("ER")) {
        return 0;
    }
    int code = replyCode(reply);
    if (code != 0) {
        instrumentState.setErrorCode(code);
        setErrorMessage(code);
        return 10;
    }
    instrumentState.setErrorCode(0);
    return recoverRemoteMode(expectOk);
}

// The instrument answered ER00: it has left remote mode. Bring it back and
// re-identify it. An instrument that answers ER00 to the recovery's own
// commands is not recovered again from inside: that exchange fails with 10.
int TavoRX9100::recoverRemoteMode(bool expectOk) {
    if (recoveryDepth > 0) {
        return 10;
    }
    struct Depth {
        std::atomic<int>& depth;
        explicit Depth(std::atomic<int>& d) : depth(d) { ++depth; }
        ~Depth() { --depth; }
    } depth(recoveryDepth);

    int r = setRemoteMode(1);
    if (r != 0) {
        return r;
    }
    platform::sleepMs(50);
    r = checkInstrumentId();
    if (r != 0) {
        return r;
    }
    r = checkSetupStatus();
    if (r != 0 || !expectOk) {
        return r;
    }
    if (!remoteMeasuring) {
        return 0;
    }
    bool wasEnabled = triggerEnabled;
    r = setTriggerEnable(true, false);
    if (wasEnabled) {
        instrumentState.setErrorCode(20);
        return 10;
    }
    return r;
}

int TavoRX9100::doCommunication_Recv(std::string& reply, int timeout) {
    if (transfer(nullptr, reply, timeout) != 0) {
        return -10;
    }
    if (reply.starts_with("OK")) {
        return recordWarning(reply);
    }
    int code = replyCode(reply);
    instrumentState.setErrorCode(code);
    setErrorMessage(code);
    return 10;
}

int TavoRX9100::transfer(const std::string* command, std::string& reply, int timeout) {
    try {
        if (!connection->isOpen()) {
            connection->open();
        }
        instrumentState.clearError();
        instrumentState.clearState();
        connection->setTimeout(timeout);
        reply.clear();
        if (command != nullptr) {
            connection->sendString(command->c_str(), static_cast<int>(command->size()));
        }
        connection->recvString(reply);
        return 0;
    } catch (const SerialPortException&) {
        // A failed reopening is reported like a failed exchange: the instrument is out of reach.
        instrumentState.setErrorCode(99);
        setErrorMessage(99);
        return -10;
    }
}

int TavoRX9100::recordWarning(const std::string& reply) {
    instrumentState.setErrorCode(200 + replyCode(reply));
    setWarningMessage(instrumentState.getErrorCode());
    return 0;
}

void TavoRX9100::setErrorMessage(int code) {
    setErrorMessageTrgMode(code, this);
}

void TavoRX9100::setErrorMessageTrgMode(int code, TavoRX9100* driver) {
    errortexts::ErrorText text = errortexts::forError(code);
    driver->instrumentState.setErrorMessage(text.text);
    if (driver->errorVisible && text.shown) {
        platform::messageBox(text.text);
    }
}

void TavoRX9100::setWarningMessage(int code) {
    instrumentState.setErrorMessage(errortexts::forWarning(code));
}

std::string TavoRX9100::getFormatString(const double& value) const {
    if (value >= 100000000.0) {
        return "%10.0lf";
    }
    if (value >= 10000000.0) {
        return "%10.1lf";
    }
    return "%10.2lf";
}

void TavoRX9100::getDoubleToHex(double& value, std::string& text) const {
    text = hexnum::doubleToHex(value);
}

void TavoRX9100::getFloatToHex(float& value, std::string& text) const {
    text = hexnum::floatToHex(value);
}

void TavoRX9100::getHexToDouble(std::string text, double& value) const {
    value = hexnum::hexToDouble(text);
}

void TavoRX9100::getHexToFloat(std::string text, float& value) const {
    value = hexnum::hexToFloat(text);
}
