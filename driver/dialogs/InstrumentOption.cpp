// The instrument option dialog. Not part of this build yet: refused with 10.
#include "sensor/TavoRX9100.h"

int TavoRX9100::doInstrumentOption() {
    return notAvailable();
}
