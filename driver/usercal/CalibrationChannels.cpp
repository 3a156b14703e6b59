// The calibration mode of the conditions and the flags the driver keeps per calibration
// channel (0 to 10; any other channel reads false and changes nothing).
#include "sensor/ConditionCodes.h"
#include "sensor/TavoRX9100.h"

void TavoRX9100::setCalibrationMode(bool wavelength, bool nd, bool level) {
    setCalibrationMode(codes::calibrationModeFor({wavelength, nd, level}));
}

void TavoRX9100::setCalibrationMode(int mode) {
    setupStatus.setCalibrationMode(mode);
}

int TavoRX9100::getCalibrationMode() const {
    return setupStatus.getCalibrationMode();
}

namespace {

bool inRange(int ch) {
    return ch >= 0 && ch < TavoRX9100::kChannels;
}

}  // namespace

void TavoRX9100::setWaveCalSet(bool value, int ch) {
    if (inRange(ch))
        waveCalSet[ch] = value;
}
bool TavoRX9100::getWaveCalSet(int ch) const {
    return inRange(ch) && waveCalSet[ch];
}
void TavoRX9100::setLevelCalSet(bool value, int ch) {
    if (inRange(ch))
        levelCalSet[ch] = value;
}
bool TavoRX9100::getLevelCalSet(int ch) const {
    return inRange(ch) && levelCalSet[ch];
}
void TavoRX9100::setWaveCoef(bool value, int ch) {
    if (inRange(ch))
        waveCoef[ch] = value;
}
bool TavoRX9100::getWaveCoef(int ch) const {
    return inRange(ch) && waveCoef[ch];
}
void TavoRX9100::setLevelCoef(bool value, int ch) {
    if (inRange(ch))
        levelCoef[ch] = value;
}
bool TavoRX9100::getLevelCoef(int ch) const {
    return inRange(ch) && levelCoef[ch];
}
