#include "SimulatorSettings.h"

#include <pybind11/stl.h>

#include <cmath>
#include <functional>
#include <map>

#include "simulator/SettingParsers.h"

namespace py = pybind11;

namespace pyrx9100 {

namespace {

using Setter = std::function<void(cli::SimulatorOptions&, const py::handle&)>;

double number(const py::handle& value, const char* name, double low, double high) {
    const double x = value.cast<double>();
    if (!std::isfinite(x) || x < low || x > high) {
        throw py::value_error(std::string(name) + " must lie between " +
                              py::str(py::float_(low)).cast<std::string>() + " and " +
                              py::str(py::float_(high)).cast<std::string>());
    }
    return x;
}

int whole(const py::handle& value, const char* name, int low, int high) {
    const int x = value.cast<int>();
    if (x < low || x > high) {
        throw py::value_error(std::string(name) + " must lie between " + std::to_string(low) +
                              " and " + std::to_string(high));
    }
    return x;
}

// The simulator's own reading of a setting, as rx9100 checks its option.
template <typename Parse>
auto parsed(const py::handle& value, Parse parse) {
    std::string error;
    const auto result = parse(py::str(value).cast<std::string>(), &error);
    if (!result) {
        throw py::value_error(error);
    }
    return *result;
}

const std::map<std::string, Setter>& setters() {
    static const std::map<std::string, Setter> table = {
        {"source", [](auto& o, auto v) { o.source = v.template cast<std::string>(); }},
        {"luminance", [](auto& o, auto v) { o.luminance = number(v, "luminance", 0.0, 1e7); }},
        {"variation", [](auto& o, auto v) { o.variation = whole(v, "variation", 0, 9); }},
        {"body", [](auto& o, auto v) { o.body = v.template cast<std::string>(); }},
        {"rom", [](auto& o, auto v) { o.rom = v.template cast<std::string>(); }},
        {"angle", [](auto& o, auto v) { o.angle = whole(v, "angle", 0, 2); }},
        {"baud", [](auto& o, auto v) { o.baud = whole(v, "baud", 0, 4000000); }},
        {"time_scale", [](auto& o, auto v) { o.timeScale = number(v, "time_scale", 1e-6, 1e3); }},
        {"measuring_time",
         [](auto& o, auto v) { o.measuringTime = number(v, "measuring_time", 0.0, 3600.0); }},
        {"key_interval",
         [](auto& o, auto v) { o.keyInterval = number(v, "key_interval", 0.0, 86400.0); }},
        {"noise", [](auto& o, auto v) { o.noise = number(v, "noise", 0.0, 1.0); }},
        {"faults", [](auto& o, auto v) { o.faults = v.template cast<std::vector<std::string>>(); }},
        {"transcript", [](auto& o, auto v) { o.transcript = v.template cast<std::string>(); }},
        {"state", [](auto& o, auto v) { o.state = v.template cast<std::string>(); }},
        {"samples", [](auto& o, auto v) { o.samples = v.template cast<std::string>(); }},
        {"stored", [](auto& o, auto v) { o.stored = parsed(v, rx9100sim::parseStoredCount); }},
        {"wavelength_error",
         [](auto& o, auto v) { o.wavelengthError = parsed(v, rx9100sim::parseWavelengthError); }},
        {"level_error",
         [](auto& o, auto v) { o.levelError = parsed(v, rx9100sim::parseLevelError); }},
    };
    return table;
}

}  // namespace

cli::SimulatorOptions simulatorOptions(const py::dict& settings) {
    cli::SimulatorOptions options;
    options.enabled = true;
    for (const auto& [key, value] : settings) {
        const std::string name = py::str(key);
        const auto setter = setters().find(name);
        if (setter == setters().end()) {
            std::string known;
            for (const auto& [known_name, unused] : setters()) {
                known += (known.empty() ? "" : ", ") + known_name;
            }
            throw py::type_error("unknown simulator option '" + name + "' (known: " + known + ")");
        }
        setter->second(options, value);
    }
    return options;
}

}  // namespace pyrx9100
