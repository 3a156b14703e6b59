#include "support/SimulatedDriver.h"

SimulatedDriver::SimulatedDriver(rx9100sim::Identity identity)
    : instrument(identity), ui(std::make_shared<platform::ScriptedUiServices>()) {
    platform::setUiServices(ui);
    auto link = std::make_unique<rx9100sim::InProcessConnection>(instrument);
    connection = link.get();
    // A silent instrument should cost milliseconds, not the protocol's seconds.
    connection->setReceiveWaitOverride(std::chrono::milliseconds(200));
    instrument.setNoise(0.0);
    driver.setConnection(std::move(link));
}

SimulatedDriver::~SimulatedDriver() {
    platform::setUiServices(nullptr);
}

std::vector<std::string> SimulatedDriver::takeSent() {
    auto lines = instrument.receivedLines();
    instrument.clearTranscript();
    return lines;
}

std::vector<int> itemIds(CapIterator* list) {
    std::vector<int> ids;
    for (list->First(); list->IsDone() == 0;) {
        ids.push_back(list->Next().id);
    }
    return ids;
}
