// Interface operations whose subsystems are not part of this build yet. They
// refuse with status 10 instead of pretending to succeed.
#include "sensor/TavoRX9100.h"

int TavoRX9100::notAvailable() {
    return 10;
}

int TavoRX9100::setupInstrument() {
    return notAvailable();
}
int TavoRX9100::doWhiteCalibration() {
    return notAvailable();
}
int TavoRX9100::uploadTargetData(std::vector<DataPack>&, ItemIterator*, ItemIterator*) {
    return notAvailable();
}
int TavoRX9100::uploadSampleData(std::vector<DataPack>&, std::vector<DataPack>&, ItemIterator*,
                                 ItemIterator*) {
    return notAvailable();
}
int TavoRX9100::downloadTargetData(DataPack&) {
    return notAvailable();
}
int TavoRX9100::doInstrumentOption() {
    return notAvailable();
}
int TavoRX9100::deleteInstrumentData() {
    return notAvailable();
}
int TavoRX9100::setupWhiteCalibrationData() {
    return notAvailable();
}
