// The measuring-condition operations of the driver: each reads one condition from the
// instrument into the driver's conditions or writes it back (link/ConditionLink).
#include "link/ConditionLink.h"
#include "link/ConditionProtocol.h"
#include "sensor/ConditionCodes.h"
#include "sensor/TavoRX9100.h"

int TavoRX9100::checkSpeed() {
    return conditionLink(exchanger()).readSpeed();
}

int TavoRX9100::setSpeed() {
    return conditionLink(exchanger()).writeSpeed();
}

int TavoRX9100::checkSync() {
    return conditionLink(exchanger()).readSync();
}

int TavoRX9100::setSync() {
    return conditionLink(exchanger()).writeSync();
}

int TavoRX9100::checkLens() {
    return conditionLink(exchanger()).readLens();
}

int TavoRX9100::setLens() {
    return conditionLink(exchanger()).writeLens();
}

int TavoRX9100::checkNd() {
    return conditionLink(exchanger()).readNd();
}

int TavoRX9100::setNd() {
    return conditionLink(exchanger()).writeNd();
}

int TavoRX9100::checkArea() {
    return conditionLink(exchanger()).readAngle();
}

int TavoRX9100::checkColorSpace(int& out) {
    return conditionLink(exchanger()).readDigit(protocol::kColorSpaceQuery, out);
}

int TavoRX9100::setColorSpace(int value) {
    return conditionLink(exchanger()).writeValue("CSMS", value);
}

int TavoRX9100::checkDisplayMode(int& out) {
    return conditionLink(exchanger()).readDigit(protocol::kDisplayModeQuery, out);
}

int TavoRX9100::setDisplayMode(int value) {
    return conditionLink(exchanger()).writeValue("DIMS", value);
}

int TavoRX9100::checkObserver(int& out) {
    return conditionLink(exchanger()).readDigit(protocol::kObserverQuery, out);
}

int TavoRX9100::setObserver(int value) {
    const int r = conditionLink(exchanger()).writeValue("OBSS", value);
    // The host's observer is a setting of its own; the conditions always hold the default.
    setupStatus.setObserver(codes::observer::kDefault);
    return r;
}

int TavoRX9100::checkBackLight(int& always, int& measuring) {
    return conditionLink(exchanger()).readBackLight(always, measuring);
}

int TavoRX9100::setBackLight(int always, int measuring) {
    return conditionLink(exchanger()).writeBackLight(always, measuring);
}

int TavoRX9100::checkLuminanceMode(int& out) {
    return conditionLink(exchanger()).readUnit(out);
}

int TavoRX9100::setLuminanceMode(int value) {
    return conditionLink(exchanger()).writeUnit(value);
}

int TavoRX9100::setTriggerEnable(bool enable, bool) {
    return conditionLink(exchanger()).setTriggerEnable(enable);
}
