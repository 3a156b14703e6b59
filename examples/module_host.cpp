// Loads librx9100.so the way a host application does, takes the driver object
// and prints every record and capability list it offers.
#include <dlfcn.h>

#include <cstdio>
#include <string>

#include "sensor/AbstractSensorStrategy.h"

namespace {

void printList(const char* title, CapIterator* list) {
    std::printf("  %-10s", title);
    if (list == nullptr) {
        std::printf(" (none)\n");
        return;
    }
    for (list->First(); list->IsDone() == 0;) {
        ItemMap item = list->Next();
        std::printf(" %d:%s", item.id, item.name.c_str());
    }
    std::printf("\n");
}

void printRecords(AbstractSensorStrategy& driver) {
    InstrumentId* id = driver.getInstrumentId();
    std::printf("Instrument: %s\n", id->getName().c_str());
    DataFormat* format = driver.getDataFormat();
    std::printf("Data format: type %d, %d values, %d to %d nm at %d nm\n", format->getType(),
                format->getAmount(), format->getShortWave(), format->getLongWave(),
                format->getPitch());
    SetupStatus* status = driver.getSetupStatus();
    std::printf("Conditions: method %d, speed %d, sync %d, lens %d, area %d, ND %d\n",
                status->getMeasurementMethod(), status->getSpeed(), status->getSync(),
                status->getLens(), status->getMeasurementArea(), status->getNd());
    InstrumentState* state = driver.getInstrumentState();
    int kind = 0, number = 0, baud = 0;
    std::string kindText, port, baudText;
    state->getComPropertyCom(kind, kindText);
    state->getComPropertyPort(number, port);
    state->getComPropertyBaudrate(baud, baudText);
    std::printf("Port: %s %s %s; error code %d\n", kindText.c_str(), port.c_str(), baudText.c_str(),
                state->getErrorCode());
    InstrumentCapability* caps = driver.getInstrumentCapability();
    std::printf("Features: remote %d, upload %d/%d, download %d, delete %d, options %d\n",
                caps->isRemoteEnable(), caps->isUploadTarget(), caps->isUploadSample(),
                caps->isDownloadTarget(), caps->isDeleteData(), caps->isOptionEnable());
    SetupCapability* setup = driver.getSetupCapability();
    std::printf("Capability lists:\n");
    printList("Mode", setup->getListMode());
    printList("Lens", setup->getListLens());
    printList("Area", setup->getListArea());
    printList("Speed", setup->getListSpeed());
    printList("Sync", setup->getListSync());
    printList("CalMode", setup->getListCalMode());
    printList("Observer", setup->getListObserver());
    printList("Nd", setup->getListNd());
    printList("InsertNd", setup->getListInsertNd());
}

}  // namespace

int main(int argc, char** argv) {
    const char* path = argc > 1 ? argv[1] : RX9100_MODULE_PATH;
    void* module = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        std::fprintf(stderr, "cannot load %s: %s\n", path, dlerror());
        return 2;
    }
    using Entry = AbstractSensorStrategy* (*)();
    auto entry = reinterpret_cast<Entry>(dlsym(module, "rx9100_getInstance"));
    if (entry == nullptr) {
        std::fprintf(stderr, "%s has no rx9100_getInstance\n", path);
        return 2;
    }
    AbstractSensorStrategy* driver = entry();
    if (driver == nullptr || driver != entry()) {
        std::fprintf(stderr, "the module did not hand out one driver object\n");
        return 2;
    }
    printRecords(*driver);
    return 0;
}
