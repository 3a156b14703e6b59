// The driver's command exchange: one command line sent, one reply line received and
// classified; an instrument that has left remote mode is brought back and asked again.
#include "link/ConditionLink.h"
#include "link/ConnectionLink.h"
#include "link/FormatString.h"
#include "link/HexNumbers.h"
#include "link/RemoteModeRecovery.h"
#include "sensor/DriverInternals.h"
#include "sensor/ResultCodes.h"

int TavoRX9100::openPort() {
    return internals_->line.openPort();
}

int TavoRX9100::closePort() {
    return internals_->line.closePort();
}

int TavoRX9100::doCommunication(const std::string& command, std::string& reply, int timeout,
                                bool expectOk) {
    const ExchangeResult result = internals_->line.send(command, reply, timeout, expectOk);
    if (!result.leftRemoteMode()) {
        return result.status();
    }
    ++internals_->recoveriesStarted;
    if (int r = recoverRemoteMode(expectOk); r != codes::status::kOk) {
        return r;
    }
    // Back in remote mode: the command goes out once more and its reply is the exchange's,
    // so the caller reads a real reply, not the "ER00". An instrument that drops out again
    // is refused (10) without another recovery.
    return internals_->line.send(command, reply, timeout, expectOk).status();
}

int TavoRX9100::recoverRemoteMode(bool expectOk) {
    // Only the bare exchange: an instrument that drops out again fails the recovery.
    Exchanger& bare = internals_->line;
    ConnectionLink connection = connectionLink(bare);
    ConditionLink conditions = conditionLink(bare);
    ChannelLink channels = channelLink(bare);
    return ::recoverRemoteMode(connection, conditions, channels, instrumentState, expectOk,
                               RemoteSession{remoteMeasuring, triggerEnabled});
}

int TavoRX9100::doCommunication_Recv(std::string& reply, int timeout) {
    return internals_->line.receive(reply, timeout).status();
}

void TavoRX9100::setErrorMessage(int code) {
    setErrorMessageTrgMode(code, this);
}

void TavoRX9100::setErrorMessageTrgMode(int code, TavoRX9100* driver) {
    driver->internals_->line.reportError(code);
}

void TavoRX9100::setWarningMessage(int code) {
    internals_->line.reportWarning(code);
}

std::string TavoRX9100::getFormatString(const double& value) const {
    return formatStringFor(value);
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
