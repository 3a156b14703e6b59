// Moving the whole set of measuring conditions between instrument and driver.
#include "platform/UiServices.h"
#include "sensor/TavoRX9100.h"

int TavoRX9100::checkSetupStatus() {
    for (int (TavoRX9100::*read)() :
         {&TavoRX9100::checkLens, &TavoRX9100::checkArea, &TavoRX9100::checkNd,
          &TavoRX9100::checkSpeed, &TavoRX9100::checkSync}) {
        if (int r = (this->*read)(); r != 0) {
            return r;
        }
    }
    return 0;
}

int TavoRX9100::setSetupStatus() {
    platform::WaitCursor wait;
    for (int (TavoRX9100::*write)() :
         {&TavoRX9100::setLens, &TavoRX9100::setSpeed, &TavoRX9100::setSync, &TavoRX9100::setNd}) {
        if (int r = (this->*write)(); r != 0) {
            return r;
        }
    }
    checkInstrumentState();
    return 0;
}
