// `rx9100 conditions [--set NAME=VALUE ... | --dialog]`: show the measuring conditions, or
// write the requested ones (or those confirmed in the driver's window) through the driver
// and show what the instrument kept.
#include <cstdio>
#include <iostream>

#include "Commands.h"
#include "ConditionReport.h"
#include "ConditionSettings.h"
#include "ConditionsDialog.h"
#include "ErrorReport.h"
#include "ExitCodes.h"
#include "InstrumentSession.h"
#include "Interrupt.h"

namespace cli {

namespace {

// The active calibration channel with its mode and ID.
std::string channelText(const SetupStatus& status) {
    std::string text = std::to_string(status.getCalibrationCh()) + " (mode " +
                       std::to_string(status.getCalibrationMode());
    if (!status.getCalibrationId().empty()) {
        text += ", ID " + status.getCalibrationId();
    }
    return text + ")";
}

void printTable(const SetupStatus& status, const ConditionNames& names,
                const InstrumentIdentity& id) {
    std::printf("Measuring conditions of %s (body %s) on %s\n", id.name.c_str(),
                id.bodyNumber.c_str(), id.port.c_str());
    for (const auto& [label, value] : conditionLines(status, names)) {
        std::printf("  %-12s %s\n", label.c_str(), value.c_str());
    }
    std::printf("  %-12s %s\n", "channel", channelText(status).c_str());
    std::printf("Choices (name, code and display name; either may be given to --set)\n");
    for (Condition c : {Condition::Speed, Condition::Sync, Condition::Lens, Condition::Nd,
                        Condition::InternalNd}) {
        std::printf("  %-12s %s\n", conditionKey(c).c_str(), names.allowed(c).c_str());
    }
}

// A field quoted when it holds a separator, a quote or a line end.
std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + "\"";
}

// One row per condition: a choice fills code, name and alias, a number the value; the
// channel gives its number as the code, its ID as the name and its mode as the value.
// With `when`, a first column says which set the row belongs to ("before", "after").
void printCsv(const nlohmann::json& object, const std::string& when = {}, bool header = true) {
    if (header) {
        std::printf("%scondition,code,name,alias,value\n", when.empty() ? "" : "when,");
    }
    // A member the object lacks (the angle has no alias) is an empty field; reading it with
    // operator[] on a constant object would be undefined.
    const auto text = [](const nlohmann::json& object, const char* name) {
        const auto it = object.find(name);
        if (it == object.end() || it->is_null()) {
            return std::string();
        }
        return it->is_string() ? csvField(it->get<std::string>()) : it->dump();
    };
    for (const auto& [key, value] : object.items()) {
        std::string row = (when.empty() ? "" : when + ",") + key + ",";
        if (key == "channel") {
            row += text(value, "number") + "," + text(value, "id") + ",," + text(value, "mode");
        } else if (value.is_object()) {
            row +=
                text(value, "code") + "," + text(value, "name") + "," + text(value, "alias") + ",";
        } else if (value.is_string()) {
            row += ",,," + csvField(value.get<std::string>());
        } else {
            row += ",,," + (value.is_null() ? std::string() : value.dump());
        }
        std::printf("%s\n", row.c_str());
    }
}

void printConditions(const ConditionsOptions& options, const SetupStatus& status,
                     const ConditionNames& names, const InstrumentIdentity& id) {
    if (options.json || options.format == Format::Json) {
        std::cout << conditionsWithChannel(status, names)
                         .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace)
                  << "\n";
    } else if (options.format == Format::Csv) {
        printCsv(conditionsWithChannel(status, names));
    } else {
        printTable(status, names, id);
    }
}

// The conditions, the window, and what the instrument holds afterwards.
int runDialog(CommandContext& context, InstrumentSession& session, DialogHost& host) {
    const ConditionsOptions& options = context.line.conditions;
    TavoRX9100& driver = context.driver;
    const ConditionNames names = ConditionNames::fromDriver(driver);
    const nlohmann::json before = conditionsWithChannel(*driver.getSetupStatus(), names);
    const bool table = !options.json && options.format == Format::Table;
    if (table) {
        std::printf("Before the dialog\n");
        printTable(*driver.getSetupStatus(), names, session.identity());
        std::fflush(stdout);
    }
    if (const int status = host.runSetupInstrument(driver); status != 0) {
        return session.fail("writing the measuring conditions", status);
    }
    if (interrupted()) {
        return kExitStoppedBase + stopSignal();  // the window was closed: nothing written
    }
    if (const int status = driver.checkSetupStatus(); status != 0) {
        return session.fail("reading the measuring conditions back", status);
    }
    const nlohmann::json after = conditionsWithChannel(*driver.getSetupStatus(), names);
    if (table) {
        std::printf("After the dialog\n");
        printTable(*driver.getSetupStatus(), names, session.identity());
    } else if (options.format == Format::Csv) {
        printCsv(before, "before");
        printCsv(after, "after", false);
    } else {
        std::cout << nlohmann::json{{"before", before}, {"after", after}}.dump(
                         -1, ' ', false, nlohmann::json::error_handler_t::replace)
                  << "\n";
    }
    return kExitOk;
}

}  // namespace

int runConditions(CommandContext& context) {
    const ConditionsOptions& options = context.line.conditions;
    std::unique_ptr<DialogHost> host;
    if (options.dialog) {
        // Before the instrument is touched: without a window there is nothing to do.
        std::string reason;
        host = openDialogHost(reason);
        if (host == nullptr) {
            printError(reason);
            return kExitOutput;
        }
    }
    std::string error;
    const auto request = parseAssignments(options.assignments, error);
    if (!request) {
        printError(error);
        return kExitUsage;
    }
    InstrumentSession session(context.driver, context.line.global, context.trace,
                              context.portOverride);
    if (const int failed = session.open(); failed != kExitOk) {
        return failed;
    }
    if (host != nullptr) {
        return runDialog(context, session, *host);
    }
    TavoRX9100& driver = context.driver;
    const ConditionNames names = ConditionNames::fromDriver(driver);
    int exitCode = kExitOk;
    if (!options.assignments.empty()) {
        const auto wanted =
            applyRequest(*request, *driver.getSetupStatus(), names, limitsOf(driver), error);
        if (!wanted) {
            printError(error);
            return kExitUsage;
        }
        if (interrupted()) {
            return kExitStoppedBase + stopSignal();  // nothing written yet: leave it so
        }
        *driver.getSetupStatus() = *wanted;
        driver.setInsertNd(wanted->getInsertNd());
        if (const int status = driver.setSetupStatus(); status != 0) {
            return session.fail("writing the measuring conditions", status);
        }
        if (const int status = driver.checkSetupStatus(); status != 0) {
            return session.fail("reading the measuring conditions back", status);
        }
        for (const std::string& difference :
             compareConditions(*wanted, *driver.getSetupStatus(), names)) {
            printError(difference);
            exitCode = kExitInstrument;
        }
    }
    printConditions(options, *driver.getSetupStatus(), names, session.identity());
    return exitCode;
}

}  // namespace cli
