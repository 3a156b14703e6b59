#include "DriverFacts.h"

#include "measure/MeasureMessages.h"
#include "sensor/TavoRX9100.h"

namespace cli {

InstrumentIdentity identityOf(TavoRX9100& driver, const std::string& port) {
    InstrumentId& id = *driver.getInstrumentId();
    InstrumentIdentity out;
    out.name = id.getName();
    out.variation = id.getVariation();
    out.bodyNumber = id.getBodyNo();
    out.romVersion = id.getRomVersion();
    out.firmwareLevel = driver.getFirmwareLevel();
    out.port = port;
    return out;
}

platform::LResult MeasuringProgressWindow::handleMessage(unsigned message, platform::WParam wParam,
                                                         platform::LParam lParam) {
    if (message == MSG_MEASURE_START) {
        total = static_cast<unsigned>(lParam);
        elapsed = 0;
        return 0;
    }
    if (message == MSG_MEASURE_PROGRESS) {
        elapsed = static_cast<unsigned>(wParam);
        return 0;
    }
    return platform::Window::handleMessage(message, wParam, lParam);
}

}  // namespace cli
