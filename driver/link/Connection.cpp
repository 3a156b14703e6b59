// Connecting, identifying and disconnecting the instrument.
#include "link/ReplyFields.h"
#include "platform/Locale.h"
#include "platform/Numbers.h"
#include "resources/StringTable.h"
#include "sensor/TavoRX9100.h"

int TavoRX9100::connect() {
    int r = openPort();
    if (r != 0) {
        return r;
    }
    r = setRemoteMode(1);
    if (r == 0) {
        r = checkInstrumentId();
    }
    if (r != 0) {
        closePort();
        return r;
    }

    {
        platform::CLocaleScope cLocale;  // leaves the process in the user's default locale
        double version = platform::cAtof(instrumentId.getRomVersion());
        firmwareLevel = static_cast<int>(version * 100.0 + 0.01);
    }

    if (firmwareLevel >= 110) {
        bool lowLuminance = instrumentId.getVariation() == resources::loadString(16120);
        instrumentId.setName(lowLuminance ? "RX-9100A" : "RX-9100");
        setSpeedList({3, 2, 7, 14, 13});
    } else {
        instrumentId.setName("RX-9100");
        setSpeedList({3, 2, 7, 12});
    }
    return 0;
}

int TavoRX9100::setRemoteMode(int mode) {
    // Leaving remote mode keeps the wait the caller had set up.
    int timeout = mode == 0 ? connection->getTimeout() : 1;
    std::string reply;
    return doCommunication("RMTS," + std::to_string(mode) + "\r\n", reply, timeout, true);
}

int TavoRX9100::checkInstrumentId() {
    std::string reply;
    int r = doCommunication("IDDR\r\n", reply, 10, true);
    if (r != 0) {
        return r;
    }
    ReplyFields id(reply);
    int variation = platform::cAtoi(id.field(3));
    if (variation == 0 || variation == 1) {
        instrumentId.setVariationCode(InstrumentId::kStandardModel);
        instrumentId.setVariation(resources::loadString(16121));
    } else if (variation == 2) {
        instrumentId.setVariationCode(InstrumentId::kLowLuminanceModel);
        instrumentId.setVariation(resources::loadString(16120));
    } else {
        instrumentId.setVariationCode(0);
        instrumentId.setVariation("");
    }
    instrumentId.setBodyNo(id.field(4).substr(0, 7));

    r = doCommunication("VERR\r\n", reply, 10, true);
    if (r != 0) {
        return r;
    }
    instrumentId.setRomVersion(ReplyFields(reply).field(2));
    return doCommunication("_jig,0\r\n", reply, 10, true);
}

void TavoRX9100::disconnect() {
    if (!connection->isOpen()) {
        return;
    }
    if (instrumentState.getErrorCode() == 99) {
        closePort();  // the instrument stopped answering: do not talk to it
        return;
    }
    setErrorVisible(false);
    setRemoteMode(0);
    setErrorVisible(true);
    closePort();
}
