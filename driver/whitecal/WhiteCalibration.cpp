// White calibration and its data dialog. Not part of this build yet: both refuse with 10
// instead of pretending to succeed.
#include "sensor/TavoRX9100.h"

int TavoRX9100::doWhiteCalibration() {
    return notAvailable();
}

int TavoRX9100::setupWhiteCalibrationData() {
    return notAvailable();
}
