// The host's menu entry for the port settings.
#include "outside/PortwayEx.h"
#include "sensor/TavoRX9100.h"

int TavoRX9100::setupRSProperty(platform::WindowHandle window, int arg) {
    int r = connection->setupPort(window, arg);
    if (r == 0) {
        return 0;
    }
    // Only the library's own port carries settings to keep; takes effect at the next opening.
    if (auto* port = dynamic_cast<SerialPort*>(connection)) {
        registry->writeString(kSection, "MeasurementCOM", port->getPortName());
        registry->writeInt(kSection, "MeasurementBaudrate", port->getBaudRate());
        instrumentState.setComProperty(port->getMethod(), port->getPortName(), port->getBaudRate(),
                                       port->getByteSize(), port->getStopBits(), port->getParity());
    }
    return r;
}
