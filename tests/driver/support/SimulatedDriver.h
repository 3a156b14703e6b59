#pragma once
// A driver object wired to a simulated instrument in the same process, with
// scripted user-interface services, for tests that assert the exact bytes sent.
#include <memory>

#include "platform/ScriptedUiServices.h"
#include "sensor/TavoRX9100.h"
#include "simulator/InProcessConnection.h"
#include "simulator/Instrument.h"

// Opens the protected members tests look at.
class TestableDriver : public TavoRX9100 {
  public:
    using TavoRX9100::firmwareLevel;
    using TavoRX9100::insertNd;
    using TavoRX9100::listSpeed;
    using TavoRX9100::mesAng;
    using TavoRX9100::remoteData;
    using TavoRX9100::remoteLock;
    using TavoRX9100::remoteMeasuring;
    using TavoRX9100::remoteRunning;
    using TavoRX9100::triggerEnabled;
    using TavoRX9100::userCalibrationFile;
};

struct SimulatedDriver {
    explicit SimulatedDriver(rx9100sim::Identity identity = {});
    ~SimulatedDriver();

    // The commands the driver sent since the last call, without line ends.
    std::vector<std::string> takeSent();

    rx9100sim::Instrument instrument;
    rx9100sim::InProcessConnection* connection = nullptr;  // owned by the driver
    std::shared_ptr<platform::ScriptedUiServices> ui;
    TestableDriver driver;
};

// Speed list ids, for assertions.
std::vector<int> itemIds(CapIterator* list);
