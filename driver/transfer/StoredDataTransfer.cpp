// Importing stored targets and samples, writing a reference colour and deleting stored
// data. Not part of this build yet: each refuses with 10 and changes nothing.
#include "sensor/TavoRX9100.h"

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

int TavoRX9100::deleteInstrumentData() {
    return notAvailable();
}
