#include "BuiltInSimulator.h"

#include <filesystem>

#include <chrono>
#include <exception>

namespace cli {

BuiltInSimulator::~BuiltInSimulator() {
    server_.reset();
}

std::string BuiltInSimulator::start(const SimulatorOptions& options) {
    using namespace rx9100sim;
    const auto light = LightSource::parse(options.source);
    if (!light) {
        return "unknown simulator source \"" + options.source +
               "\" (a, d65, e, planck:K, led:NM[:FWHM], red, green, blue, white, lines:HG, "
               "lines:NM,NM,...)";
    }
    Identity identity;
    identity.variation = options.variation;
    identity.bodyNumber = options.body;
    identity.romVersion = options.rom;
    instrument_.setIdentity(identity);
    instrument_.setScene(*light, options.luminance);
    if (!options.samples.empty()) {
        std::string error;
        const auto samples = Sample::parseList(options.samples, &error);
        if (!samples) {
            return "simulator sample: " + error;
        }
        instrument_.presentSamples(*samples);
    }
    instrument_.setMiscalibration({options.wavelengthError, options.levelError});
    if (!options.state.empty()) {
        std::string error;
        if (!instrument_.loadState(options.state, &error)) {
            return "simulator state " + options.state + ": " + error;
        }
    }
    bool keptStateExists = false;
    if (!options.keepState.empty()) {
        std::error_code ignored;
        keptStateExists = std::filesystem::exists(options.keepState, ignored);
        std::string error;
        if (keptStateExists && !instrument_.loadState(options.keepState, &error)) {
            return "simulator state " + options.keepState + ": " + error;
        }
    }
    if (options.stored && !keptStateExists) {
        instrument_.fillStoredData(*options.stored);
    }
    if (!options.keepState.empty()) {
        if (!instrument_.saveState(options.keepState)) {
            return "cannot write the simulator state " + options.keepState;
        }
        instrument_.setMemoryChangedHook(
            [this, path = options.keepState] { instrument_.saveState(path); });
    }
    instrument_.setNoise(options.noise);
    if (options.angle) {
        instrument_.setMeasuringAngle(*options.angle);
    }
    MeasuringTiming timing;
    timing.scale = options.timeScale;
    timing.fixedSeconds = options.measuringTime;
    instrument_.setMeasuringTiming(timing);
    instrument_.setWireTiming(WireTiming{options.baud, 10, std::chrono::microseconds(0)});
    instrument_.setTranscriptKeptInMemory(false);
    if (!options.transcript.empty() && !instrument_.setTranscriptFile(options.transcript)) {
        return "cannot write the simulator transcript " + options.transcript;
    }
    for (const std::string& text : options.faults) {
        std::string error;
        const auto fault = Fault::parse(text, &error);
        if (!fault) {
            return "simulator fault \"" + text + "\": " + error;
        }
        instrument_.injectFault(*fault);
    }
    if (options.keyInterval > 0) {
        instrument_.setAutoKeyInterval(
            std::chrono::milliseconds(static_cast<long long>(options.keyInterval * 1000)));
    }
    try {
        server_ = std::make_unique<PtyServer>(instrument_);
    } catch (const std::exception& e) {
        return std::string("cannot open a pseudo-terminal for the simulator: ") + e.what();
    }
    return {};
}

std::string BuiltInSimulator::portPath() const {
    return server_ ? server_->path() : std::string();
}

}  // namespace cli
