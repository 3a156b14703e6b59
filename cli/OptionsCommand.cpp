// `rx9100 options [--set NAME=VALUE ...]`: the instrument's own display options (what its
// display shows, in which unit, with which backlight, against which target). Written in
// the order the instrument's option dialog writes them, then read back.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>

#include "Commands.h"
#include "ErrorReport.h"
#include "ExitCodes.h"
#include "InstrumentSession.h"
#include "Interrupt.h"

namespace cli {

namespace {

struct DisplayOptions {
    int colourMode = 0;
    int displayMode = 0;
    int observer = 0;  // the instrument's: 0 is 2°, 1 is 10°
    int backlight = 0;
    int backlightMeasuring = 0;
    int unit = 0;  // 0 cd/m², 1 ft-L
    int activeTarget = 1;
    bool operator==(const DisplayOptions&) const = default;
};

struct Named {
    int value;
    const char* name;
};

const std::vector<Named> kColourModes{{0, "lvxy"}, {1, "lvu'v'"},   {2, "lvtduv"},
                                      {3, "xyz"},  {4, "dominant"}, {5, "spectrum"}};
const std::vector<Named> kDisplayModes{{0, "absolute"}, {1, "difference"}};
const std::vector<Named> kObservers{{0, "2"}, {1, "10"}};
const std::vector<Named> kUnits{{0, "cd/m2"}, {1, "ft-L"}};
const std::vector<Named> kSwitch{{0, "off"}, {1, "on"}};

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string nameOf(const std::vector<Named>& table, int value) {
    for (const Named& n : table) {
        if (n.value == value) {
            return n.name;
        }
    }
    return "code " + std::to_string(value);
}

std::string choices(const std::vector<Named>& table) {
    std::string text;
    for (const Named& n : table) {
        text += (text.empty() ? "" : ", ") + std::string(n.name);
    }
    return text;
}

struct Field {
    const char* key;
    int DisplayOptions::*member;
    const std::vector<Named>* table;  // null: a target number
};

const std::vector<Field> kFields{
    {"colour-mode", &DisplayOptions::colourMode, &kColourModes},
    {"display-mode", &DisplayOptions::displayMode, &kDisplayModes},
    {"display-observer", &DisplayOptions::observer, &kObservers},
    {"luminance-unit", &DisplayOptions::unit, &kUnits},
    {"backlight", &DisplayOptions::backlight, &kSwitch},
    {"backlight-measuring", &DisplayOptions::backlightMeasuring, &kSwitch},
    {"active-target", &DisplayOptions::activeTarget, nullptr},
};

bool apply(const std::string& assignment, DisplayOptions& options, std::string& error) {
    const auto equals = assignment.find('=');
    if (equals == std::string::npos) {
        error = "--set takes NAME=VALUE, not \"" + assignment + "\"";
        return false;
    }
    const std::string key = lower(assignment.substr(0, equals));
    const std::string value = lower(assignment.substr(equals + 1));
    for (const Field& field : kFields) {
        if (key != field.key) {
            continue;
        }
        if (field.table == nullptr) {
            char* end = nullptr;
            const long n = std::strtol(value.c_str(), &end, 10);
            if (value.empty() || *end != '\0' || n < 1 || n > 20) {
                error = "active-target is a target number 1 to 20, not \"" + value + "\"";
                return false;
            }
            options.*field.member = static_cast<int>(n);
            return true;
        }
        for (const Named& n : *field.table) {
            const bool observer = field.table == &kObservers;
            // Observers by degrees (2, 2deg); the others by name or by code.
            if (value == lower(n.name) || (observer && value == lower(n.name) + "deg") ||
                (!observer && value == std::to_string(n.value))) {
                options.*field.member = n.value;
                return true;
            }
        }
        error = std::string(field.key) + " is one of " + choices(*field.table) + ", not \"" +
                value + "\"";
        return false;
    }
    std::string keys;
    for (const Field& field : kFields) {
        keys += (keys.empty() ? "" : ", ") + std::string(field.key);
    }
    error = "unknown option \"" + key + "\"; the options are " + keys;
    return false;
}

int readOptions(TavoRX9100& driver, DisplayOptions& out, std::string& step) {
    int r = 0;
    if ((r = driver.checkColorSpace(out.colourMode)) != 0) {
        step = "colour mode";
    } else if ((r = driver.checkDisplayMode(out.displayMode)) != 0) {
        step = "display mode";
    } else if ((r = driver.checkObserver(out.observer)) != 0) {
        step = "display observer";
    } else if ((r = driver.checkBackLight(out.backlight, out.backlightMeasuring)) != 0) {
        step = "backlight";
    } else if ((r = driver.checkLuminanceMode(out.unit)) != 0) {
        step = "luminance unit";
    } else if ((r = driver.checkActiveTarget()) != 0) {
        step = "active target";
    } else {
        out.activeTarget = driver.getActiveTarget();
    }
    return r;
}

int writeOptions(TavoRX9100& driver, const DisplayOptions& in, std::string& step) {
    int r = 0;
    if ((r = driver.setObserver(in.observer)) != 0) {
        step = "display observer";
    } else if ((r = driver.setColorSpace(in.colourMode)) != 0) {
        step = "colour mode";
    } else if ((r = driver.setDisplayMode(in.displayMode)) != 0) {
        step = "display mode";
    } else if ((r = driver.setBackLight(in.backlight, in.backlightMeasuring)) != 0) {
        step = "backlight";
    } else if ((r = driver.setLuminanceMode(in.unit)) != 0) {
        step = "luminance unit";
    } else if ((r = driver.setActiveTarget(in.activeTarget)) != 0) {
        step = "active target";
    }
    return r;
}

std::string shown(const Field& field, const DisplayOptions& options) {
    const int value = options.*field.member;
    if (field.table == nullptr) {
        char text[8];
        std::snprintf(text, sizeof text, "%02d", value);
        return text;
    }
    return nameOf(*field.table, value) + (field.table == &kObservers ? "°" : "");
}

}  // namespace

int runOptions(CommandContext& context) {
    const InstrumentOptionsOptions& options = context.line.options;
    InstrumentSession session(context.driver, context.line.global, context.trace,
                              context.portOverride);
    if (const int failed = session.open(); failed != kExitOk) {
        return failed;
    }
    TavoRX9100& driver = context.driver;
    DisplayOptions current;
    std::string step;
    if (const int r = readOptions(driver, current, step); r != 0) {
        return session.fail("reading the " + step, r);
    }
    int exitCode = kExitOk;
    if (!options.assignments.empty()) {
        DisplayOptions wanted = current;
        for (const std::string& assignment : options.assignments) {
            std::string error;
            if (!apply(assignment, wanted, error)) {
                printError(error);
                return kExitUsage;
            }
        }
        if (interrupted()) {
            return kExitStoppedBase + stopSignal();
        }
        if (const int r = writeOptions(driver, wanted, step); r != 0) {
            return session.fail("writing the " + step, r);
        }
        // A new observer changes which calibration channel applies.
        if (wanted.observer != current.observer) {
            if (const int r = driver.checkActiveCh(); r != 0) {
                return session.fail("reading the active calibration channel", r);
            }
        }
        if (const int r = readOptions(driver, current, step); r != 0) {
            return session.fail("reading the " + step + " back", r);
        }
        for (const Field& field : kFields) {
            if (current.*field.member != wanted.*field.member) {
                printError(std::string(field.key) + ": the instrument kept " +
                           shown(field, current) + " instead of " + shown(field, wanted));
                exitCode = kExitInstrument;
            }
        }
    }
    if (options.format == Format::Json) {
        nlohmann::json object;
        for (const Field& field : kFields) {
            const int value = current.*field.member;
            if (field.table == nullptr) {
                object[field.key] = value;
            } else {
                object[field.key] = {{"code", value}, {"name", nameOf(*field.table, value)}};
            }
        }
        std::cout << object.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
    } else {
        const InstrumentIdentity id = session.identity();
        std::printf("Display options of %s (body %s)\n", id.name.c_str(), id.bodyNumber.c_str());
        for (const Field& field : kFields) {
            std::printf("  %-20s %s\n", field.key, shown(field, current).c_str());
        }
    }
    return exitCode;
}

}  // namespace cli
