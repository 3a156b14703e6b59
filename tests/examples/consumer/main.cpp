#include <cstdio>

#include "sensor/TavoRX9100.h"

int main() {
    AbstractSensorStrategy* driver = TavoRX9100::getInstance();
    if (driver == nullptr) {
        return 1;
    }
    std::printf("found %s\n", driver->getInstrumentId()->getName().c_str());
    return 0;
}
