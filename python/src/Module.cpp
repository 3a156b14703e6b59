// _rx9100: the driver for Python. The package rx9100 wraps it in its Instrument class and
// raises its own exception classes from the failures this module reports.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <optional>
#include <sstream>

#include "Measurement.h"
#include "OutputFormat.h"
#include "Session.h"
#include "SimulatorSettings.h"
#include "sensor/ConditionCodes.h"
#include "sensor/RegistryStore.h"
#include "tintcalc/Colorimetry.h"

namespace py = pybind11;
using pyrx9100::Failure;
using pyrx9100::FailureError;
using pyrx9100::Progress;
using pyrx9100::Session;

namespace {

const std::pair<const char*, cli::MeasurementType> kTypes[] = {
    {"light", cli::MeasurementType::Light},
    {"reflectance", cli::MeasurementType::Reflectance},
    {"transmittance", cli::MeasurementType::Transmittance}};

cli::MeasurementType typeNamed(const std::string& name) {
    for (const auto& [text, type] : kTypes) {
        if (name == text) {
            return type;
        }
    }
    throw py::value_error("a measurement type is light, reflectance or transmittance, not '" +
                          name + "'");
}

const char* nameOf(cli::MeasurementType type) {
    for (const auto& [text, known] : kTypes) {
        if (known == type) {
            return text;
        }
    }
    return "light";
}

// One measurement with the context it was made in (observer, wavelength grid, names).
struct PyMeasurement {
    cli::MeasurementResult result;
    std::shared_ptr<const cli::ReportContext> context;
    std::vector<double> wavelengths;
};

PyMeasurement wrap(cli::MeasurementResult result,
                   const std::shared_ptr<const cli::ReportContext>& context) {
    PyMeasurement m{std::move(result), context, {}};
    const std::size_t n = m.result.record.getData().size();
    m.wavelengths.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        m.wavelengths.push_back(context->firstNm + context->stepNm * static_cast<double>(i));
    }
    return m;
}

py::object valueOrNone(double value) {
    return tintcalc::isDefined(value) ? py::object(py::float_(value)) : py::object(py::none());
}

// A read-only array over memory the measurement owns: no copy, alive as long as it is.
py::array_t<double> view(const std::vector<double>& values, py::handle owner) {
    py::array_t<double> array(static_cast<py::ssize_t>(values.size()), values.data(), owner);
    array.attr("setflags")(py::arg("write") = false);
    return array;
}

py::object jsonToPython(const std::string& text) {
    return py::module_::import("json").attr("loads")(text);
}

std::string measurementJson(const PyMeasurement& m) {
    std::ostringstream out;
    cli::makeJsonWriter(out, *m.context)->add(m.result);
    return out.str();
}

const char* kindName(Failure::Kind kind) {
    switch (kind) {
        case Failure::Kind::Link:
            return "link";
        case Failure::Kind::Cancelled:
            return "cancelled";
        case Failure::Kind::Usage:
            return "usage";
        default:
            return "instrument";
    }
}

// Ctrl-C and the progress callable, looked at on the caller's thread while the driver
// waits with the interpreter lock released. A Python exception stops the operation and
// is raised once the driver has returned the instrument to a settled state.
class PollFromPython {
  public:
    explicit PollFromPython(py::object progress) : progress_(std::move(progress)) {}

    bool operator()(const Progress& p) {
        py::gil_scoped_acquire gil;
        if (PyErr_CheckSignals() != 0) {
            pending_.emplace();
            return false;
        }
        if (progress_.is_none() || p.count == 0 ||
            (p.index == last_.index && p.elapsedHundredths == last_.elapsedHundredths &&
             p.totalHundredths == last_.totalHundredths)) {
            return true;
        }
        last_ = p;
        try {
            progress_(p.index, p.count, p.elapsedHundredths / 100.0, p.totalHundredths / 100.0);
        } catch (py::error_already_set& e) {
            pending_.emplace(std::move(e));
            return false;
        }
        return true;
    }

    // Raises the Python exception that stopped the operation, if any.
    void raisePending() {
        if (pending_) {
            py::error_already_set error = std::move(*pending_);
            pending_.reset();
            throw error;
        }
    }

  private:
    py::object progress_;
    Progress last_{};
    std::optional<py::error_already_set> pending_;
};

template <typename Operation>
auto runReleased(PollFromPython& poll, Operation operation) {
    try {
        py::gil_scoped_release release;
        return operation();
    } catch (const FailureError&) {
        poll.raisePending();
        throw;
    }
}

// The settings folder can be chosen until the driver object exists.
std::optional<std::string> g_settingsFolder;
bool g_driverCreated = false;

}  // namespace

PYBIND11_MODULE(_rx9100, m) {
    m.doc() = "The RX-9100 driver, as the rx9100 package uses it";

    static py::exception<FailureError> failure(m, "Failure");
    py::register_exception_translator([](std::exception_ptr p) {
        try {
            if (p) {
                std::rethrow_exception(p);
            }
        } catch (const FailureError& e) {
            const Failure& f = e.failure();
            py::tuple args =
                py::make_tuple(kindName(f.kind), f.action, f.status, f.code, f.text, f.gloss);
            PyErr_SetObject(failure.ptr(), args.ptr());
        }
    });

    m.def(
        "set_settings_folder",
        [](const std::string& folder) {
            if (g_driverCreated && g_settingsFolder != folder) {
                throw py::value_error(
                    "the settings folder is chosen before the first instrument is opened");
            }
            g_settingsFolder = folder;
            RegistryStore::setStoreFolder(folder);
        },
        py::arg("folder"));

    py::class_<PyMeasurement>(m, "Measurement")
        .def_property_readonly("index", [](const PyMeasurement& x) { return x.result.index; })
        .def_property_readonly("time",
                               [](const PyMeasurement& x) {
                                   return cli::isoTime(x.result.record.getMeasurementTime());
                               })
        .def_property_readonly("wavelengths",
                               [](py::object self) {
                                   return view(self.cast<const PyMeasurement&>().wavelengths, self);
                               })
        .def_property_readonly(
            "spectrum",
            [](py::object self) {
                return view(self.cast<const PyMeasurement&>().result.record.getData(), self);
            })
        .def_property_readonly("quantity",
                               [](const PyMeasurement& x) { return x.context->quantity; })
        .def_property_readonly("unit", [](const PyMeasurement& x) { return x.context->unit; })
        .def_property_readonly("observer",
                               [](const PyMeasurement& x) { return x.context->observer; })
        .def_property_readonly(
            "Lv", [](const PyMeasurement& x) { return valueOrNone(x.result.colour.Lv); })
        .def_property_readonly(
            "x", [](const PyMeasurement& x) { return valueOrNone(x.result.colour.x); })
        .def_property_readonly(
            "y", [](const PyMeasurement& x) { return valueOrNone(x.result.colour.y); })
        .def_property_readonly(
            "u_prime", [](const PyMeasurement& x) { return valueOrNone(x.result.colour.uPrime); })
        .def_property_readonly(
            "v_prime", [](const PyMeasurement& x) { return valueOrNone(x.result.colour.vPrime); })
        .def_property_readonly(
            "CCT", [](const PyMeasurement& x) { return valueOrNone(x.result.colour.cct); })
        .def_property_readonly(
            "Duv", [](const PyMeasurement& x) { return valueOrNone(x.result.colour.duv); })
        .def_property_readonly(
            "X", [](const PyMeasurement& x) { return valueOrNone(x.result.colour.X); })
        .def_property_readonly(
            "Y", [](const PyMeasurement& x) { return valueOrNone(x.result.colour.Y); })
        .def_property_readonly(
            "Z", [](const PyMeasurement& x) { return valueOrNone(x.result.colour.Z); })
        .def_property_readonly(
            "dominant_wavelength",
            [](const PyMeasurement& x) { return valueOrNone(x.result.colour.dominantWavelength); })
        .def_property_readonly("complementary",
                               [](const PyMeasurement& x) { return x.result.colour.complementary; })
        .def_property_readonly(
            "purity", [](const PyMeasurement& x) { return valueOrNone(x.result.colour.purity); })
        .def_property_readonly(
            "integration_time",
            [](const PyMeasurement& x) { return x.result.record.getIntegralTime(); })
        .def_property_readonly("warning",
                               [](const PyMeasurement& x) -> py::object {
                                   if (x.result.warningCode == 200) {
                                       return py::none();
                                   }
                                   return py::make_tuple(x.result.warningCode,
                                                         x.result.warningText);
                               })
        .def_property_readonly("Ra",
                               [](const PyMeasurement& x) -> py::object {
                                   return x.result.rendition ? valueOrNone(x.result.rendition->ra)
                                                             : py::none();
                               })
        .def_property_readonly("Rf",
                               [](const PyMeasurement& x) -> py::object {
                                   return x.result.rendition ? valueOrNone(x.result.rendition->rf)
                                                             : py::none();
                               })
        .def_property_readonly("Rg",
                               [](const PyMeasurement& x) -> py::object {
                                   return x.result.rendition ? valueOrNone(x.result.rendition->rg)
                                                             : py::none();
                               })
        .def("to_json", &measurementJson)
        .def("to_dict", [](const PyMeasurement& x) { return jsonToPython(measurementJson(x)); });

    py::class_<Session>(m, "Session")
        .def(py::init([](std::string port, std::string method, std::optional<int> baud,
                         std::optional<py::dict> sim) {
                 cli::GlobalOptions options;
                 options.port = std::move(port);
                 options.method = std::move(method);
                 options.baud = baud;
                 if (sim) {
                     options.sim = pyrx9100::simulatorOptions(*sim);
                 }
                 auto session = std::make_unique<Session>(options);
                 g_driverCreated = true;
                 return session;
             }),
             py::arg("port") = "", py::arg("method") = "", py::arg("baud") = py::none(),
             py::arg("sim") = py::none())
        .def("open",
             [](Session& s) {
                 PollFromPython poll{py::none()};
                 runReleased(poll, [&] {
                     s.open();
                     return 0;
                 });
             })
        .def("close",
             [](Session& s) {
                 py::gil_scoped_release release;
                 s.close();
             })
        .def_property_readonly("is_open", &Session::isOpen)
        .def("identity",
             [](Session& s) {
                 const cli::InstrumentIdentity id = s.identity();
                 py::dict d;
                 d["name"] = id.name;
                 d["variation"] = id.variation;
                 d["body_number"] = id.bodyNumber;
                 d["rom_version"] = id.romVersion;
                 d["firmware_level"] = id.firmwareLevel;
                 d["port"] = id.port;
                 return d;
             })
        .def("conditions", [](Session& s) { return jsonToPython(s.conditionsJson()); })
        .def(
            "set_conditions",
            [](Session& s, const std::vector<std::string>& assignments) {
                PollFromPython poll{py::none()};
                return runReleased(poll, [&] { return s.setConditions(assignments); });
            },
            py::arg("assignments"))
        .def(
            "measure",
            [](Session& s, int count, int observer, bool rendition, py::object progress) {
                PollFromPython poll(std::move(progress));
                auto results = runReleased(poll, [&] {
                    return s.measure(count, observer, rendition,
                                     [&poll](const Progress& p) { return poll(p); });
                });
                const auto context = s.lastContext();
                py::list out;
                for (cli::MeasurementResult& r : results) {
                    out.append(py::cast(wrap(std::move(r), context)));
                }
                return out;
            },
            py::arg("count") = 1, py::arg("observer") = 2, py::arg("rendition") = false,
            py::arg("progress") = py::none())
        .def("cancel", &Session::cancel, py::call_guard<py::gil_scoped_release>())
        .def("_time_driver_measurements", &Session::timeDriverMeasurements, py::arg("count"),
             py::call_guard<py::gil_scoped_release>())
        .def(
            "start_remote",
            [](Session& s, int observer, bool rendition) {
                PollFromPython poll{py::none()};
                runReleased(poll, [&] {
                    s.startRemote(observer, rendition);
                    return 0;
                });
            },
            py::arg("observer") = 2, py::arg("rendition") = false)
        .def(
            "next_remote",
            [](Session& s, double timeout) -> py::object {
                PollFromPython poll{py::none()};
                auto result = runReleased(poll, [&] {
                    return s.nextRemote(timeout, [&poll](const Progress& p) { return poll(p); });
                });
                if (!result) {
                    return py::none();
                }
                return py::cast(wrap(std::move(*result), s.lastContext()));
            },
            py::arg("timeout") = -1.0)
        .def(
            "channels",
            [](Session& s, bool quick) {
                PollFromPython poll{py::none()};
                const auto channels = runReleased(poll, [&] {
                    return s.channels(quick, [&poll](const Progress& p) { return poll(p); });
                });
                py::list out;
                for (const Session::Channel& c : channels) {
                    const auto corrections =
                        codes::correctionsOf(c.mode).value_or(codes::CalibrationCorrections{});
                    py::dict d;
                    d["channel"] = c.number;
                    d["mode"] = c.mode;
                    d["id"] = c.id;
                    d["wavelength"] = corrections.wavelength;
                    d["level"] = corrections.level;
                    d["nd"] = corrections.nd;
                    d["active"] = c.active;
                    out.append(d);
                }
                return out;
            },
            py::arg("quick") = false)
        .def(
            "channel_tables",
            [](Session& s, int channel) {
                PollFromPython poll{py::none()};
                auto tables = runReleased(poll, [&] {
                    return s.channelTables(channel, [&poll](const Progress& p) { return poll(p); });
                });
                auto array = [](std::optional<std::vector<double>>& table) -> py::object {
                    if (!table) {
                        return py::none();
                    }
                    return py::array_t<double>(static_cast<py::ssize_t>(table->size()),
                                               table->data());
                };
                py::dict d;
                d["channel"] = channel;
                d["wavelength"] = array(tables.wavelength);
                d["level"] = array(tables.level);
                return d;
            },
            py::arg("channel"))
        .def_property(
            "measurement_type", [](const Session& s) { return nameOf(s.measurementType()); },
            [](Session& s, const std::string& name) { s.setMeasurementType(typeNamed(name)); })
        .def(
            "white_calibrate",
            [](Session& s, const std::string& type, const std::string& standard,
               const std::string& user) {
                const cli::MeasurementType chosen = typeNamed(type);
                PollFromPython poll{py::none()};
                runReleased(poll, [&] {
                    s.whiteCalibrate(chosen, standard, user,
                                     [&poll](const Progress& p) { return poll(p); });
                    return 0;
                });
            },
            py::arg("type"), py::arg("standard"), py::arg("user") = "")
        .def(
            "stored_json",
            [](Session& s, bool targets, int observer) {
                PollFromPython poll{py::none()};
                return runReleased(poll, [&] {
                    return s.storedJson(targets, observer,
                                        [&poll](const Progress& p) { return poll(p); });
                });
            },
            py::arg("targets"), py::arg("observer") = 2)
        .def(
            "delete_stored",
            [](Session& s, bool targets, const std::vector<int>& numbers,
               const std::string& backup) {
                PollFromPython poll{py::none()};
                return runReleased(poll, [&] {
                    return s.deleteStored(targets, numbers, backup,
                                          [&poll](const Progress& p) { return poll(p); });
                });
            },
            py::arg("targets"), py::arg("numbers"), py::arg("backup"))
        .def("stop_remote", &Session::stopRemote, py::call_guard<py::gil_scoped_release>())
        .def_property_readonly("simulator_port", &Session::simulatorPort)
        .def_property_readonly("simulator_remote", &Session::simulatorRemote);
}
