#include "InstrumentSession.h"

#include <algorithm>
#include <cctype>
#include <memory>

#include "DriverFacts.h"
#include "ErrorReport.h"
#include "ExitCodes.h"
#include "Interrupt.h"
#include "PortHolders.h"
#include "PortSetup.h"
#include "TracingConnection.h"
#include "outside/CommunicationMethod.h"
#include "sensor/ResultCodes.h"

namespace cli {

namespace {

// What the transport says of a port another program has locked.
constexpr const char* kPortBusy = "in use by another program";

}  // namespace

InstrumentSession::InstrumentSession(TavoRX9100& driver, const GlobalOptions& options,
                                     std::FILE* trace, const std::string& portOverride)
    : driver_(driver) {
    auto* current = dynamic_cast<SerialPort*>(driver_.getConnection());
    auto link =
        std::make_unique<TracingConnection>(makePort(current, options, portOverride), trace);
    link_ = link.get();
    driver_.setConnection(std::move(link));
    // Failures are reported here, with more detail than a message box could give.
    driver_.setErrorVisible(false);
}

InstrumentSession::~InstrumentSession() {
    if (connected_) {
        driver_.disconnect();
    }
}

void InstrumentSession::setSendGate(std::function<bool()> gate) {
    link_->setSendGate(std::move(gate));
}

int InstrumentSession::open() {
    int status = driver_.connect();
    if (status != 0) {
        // A connect that fails leaves the instrument as it found it (local mode).
        return fail("connecting to the instrument on " + portName(), status);
    }
    connected_ = true;
    if (interrupted()) {
        return kExitStoppedBase + stopSignal();
    }
    status = driver_.checkSetupStatus();
    if (interrupted()) {
        return kExitStoppedBase + stopSignal();
    }
    if (status != 0) {
        return fail("reading the measuring conditions", status);
    }
    return kExitOk;
}

int InstrumentSession::fail(const std::string& action, int status) {
    const bool transport = status == codes::status::kTransportFailed;
    const int exitCode =
        reportFailure(action, driver_, status, transport ? lastTransportError() : "");
    if (transport) {
        explainPortConflict();
    }
    return exitCode;
}

void InstrumentSession::explainPortConflict() const {
    const SerialPort& port = link_->port();
    const auto holders = otherPortHolders(port.getPortName(), port.getMethod());
    std::string names;
    for (const std::string& holder : holders) {
        names += (names.empty() ? "" : ", ") + holder;
    }
    if (lastTransportError().find(kPortBusy) != std::string::npos) {
        printError(portName() + " is busy: " +
                   (names.empty() ? std::string("another program holds it") : "held by " + names) +
                   ". Close that program, or choose another port with --port.");
    } else if (!names.empty()) {
        // Whoever else reads the port takes the instrument's replies.
        printError(portName() + " is also open in " + names +
                   ", which may be taking the instrument's replies.");
    }
}

std::string InstrumentSession::portName() const {
    return link_->port().getPortName();
}

std::string InstrumentSession::lastTransportError() const {
    return link_->lastError();
}

int InstrumentSession::transportFailuresInARow() const {
    return link_->consecutiveFailures();
}

InstrumentIdentity InstrumentSession::identity() const {
    return identityOf(driver_, portName());
}

}  // namespace cli
