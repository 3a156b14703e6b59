#include "InstrumentLink.h"

#include "DriverFacts.h"

#include "ErrorReport.h"
#include "outside/CommunicationMethod.h"
#include "outside/PortwayEx.h"
#include "sensor/ResultCodes.h"
#include "sensor/TavoRX9100.h"

namespace studio {

namespace {

std::string withoutLineBreaks(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.pop_back();
    }
    return text;
}

}  // namespace

bool Failure::linkLost() const {
    return status == codes::status::kTransportFailed;
}

std::string Failure::describe() const {
    std::string out = action + ": status " + std::to_string(status);
    if (code != 0) {
        out += ", code " + std::to_string(code);
    }
    if (!text.empty()) {
        out += " " + text;
    }
    if (!gloss.empty()) {
        out += " (" + gloss + ")";
    }
    return out;
}

InstrumentLink::InstrumentLink(TavoRX9100& driver, const cli::GlobalOptions& options)
    : driver_(driver), options_(options) {
    if (options.sim.enabled) {
        simulator_ = std::make_unique<cli::BuiltInSimulator>();
        error_ = simulator_->start(options.sim);
    }
}

InstrumentLink::~InstrumentLink() {
    disconnect();
}

int InstrumentLink::connect() {
    disconnect();
    // The driver's own port object: its settings dialog is the one the Qt renderer
    // installed in the module.
    auto* port = dynamic_cast<SerialPort*>(driver_.getConnection());
    if (port == nullptr) {
        return codes::status::kTransportFailed;
    }
    if (options_.method == "rs232c") {
        port->setMethod(comm::kRs232c);
    } else if (options_.method == "usb") {
        port->setMethod(comm::kUsbCdc);
    }
    if (simulator_) {
        port->setPortName(simulator_->portPath());  // a new pty after each hang-up
    } else if (!options_.port.empty()) {
        port->setPortName(options_.port);
    }
    if (options_.baud) {
        port->setBaudRate(*options_.baud);
    }
    if (const int status = driver_.connect(); status != 0) {
        return status;
    }
    connected_ = true;
    return driver_.checkSetupStatus();
}

void InstrumentLink::disconnect() {
    if (connected_) {
        connected_ = false;
        driver_.disconnect();
    }
}

void InstrumentLink::forgetPortOptions() {
    options_.port.clear();
    options_.method.clear();
    options_.baud.reset();
}

void InstrumentLink::markLost() {
    connected_ = false;
    if (HostConnection* link = driver_.getConnection()) {
        try {
            link->close();
        } catch (const SerialPortException&) {
            // Already gone with the line.
        }
    }
}

Failure InstrumentLink::failure(const std::string& action, int status) const {
    const InstrumentState& state = *driver_.getInstrumentState();
    Failure out;
    out.action = action;
    out.status = status;
    out.code = state.getErrorCode();
    out.text = withoutLineBreaks(state.getErrorMessage());
    out.gloss = cli::glossFor(out.code);
    return out;
}

cli::InstrumentIdentity InstrumentLink::identity() const {
    return cli::identityOf(driver_, portName());
}

std::string InstrumentLink::portName() const {
    HostConnection* link = driver_.getConnection();
    auto* port = dynamic_cast<SerialPort*>(link);
    return port != nullptr ? port->getPortName() : std::string();
}

InstrumentSummary InstrumentLink::summary(bool remote) const {
    InstrumentSummary out;
    out.connected = connected_;
    out.remote = remote;
    if (!connected_) {
        return out;
    }
    const cli::InstrumentIdentity id = identity();
    out.identity = id.name + (id.variation.empty() ? "" : " " + id.variation) + " " +
                   id.bodyNumber + " ROM " + id.romVersion + " on " + id.port;
    out.whiteCalibrated =
        driver_.getInstrumentState()->getWhiteCal() == 1;  // 2: needed, none valid
    out.channel = driver_.getSetupStatus()->getCalibrationCh();
    return out;
}

}  // namespace studio
