// The host's menu entry for the port settings.
#include <exception>

#include "outside/InstrumentPort.h"
#include "sensor/TavoRX9100.h"

int TavoRX9100::setupRSProperty(platform::WindowHandle window, int arg) {
    int accepted = 0;
    try {
        accepted = connection->setupPort(window, arg);
    } catch (const std::exception&) {
        return 0;  // a transport that failed to ask changed nothing; nothing leaves the module
    }
    if (accepted == 0) {
        return 0;
    }
    // Only the library's own port carries settings to keep; they take effect at the next opening.
    if (const auto settings = portSettingsOf(connection)) {
        storePortSettings(settings->portName, settings->baudRate);
        instrumentState.setComProperty(settings->method, settings->portName, settings->baudRate,
                                       settings->byteSize, settings->stopBits, settings->parity);
    }
    return accepted;
}
