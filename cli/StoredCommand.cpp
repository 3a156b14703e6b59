// `rx9100 stored list|export|delete|restore`: the targets and samples kept in the
// instrument. Nothing is deleted that has not first been saved to a backup file and read
// back from it; files appear whole or not at all.
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <iostream>
#include <set>

#include "Commands.h"
#include "ConditionReport.h"
#include "ErrorReport.h"
#include "ExitCodes.h"
#include "InstrumentSession.h"
#include "Interrupt.h"
#include "Measurement.h"
#include "StoredData.h"
#include "StoredRead.h"

namespace cli {

namespace {

std::string joined(const std::vector<int>& numbers) {
    std::string text;
    for (int n : numbers) {
        text += (text.empty() ? "" : ", ") + std::to_string(n);
    }
    return text;
}

// Trailing blanks are the instrument's padding of short names.
std::string shownName(const std::string& name) {
    const auto end = name.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : name.substr(0, end + 1);
}

// Reads the kinds the options ask for (neither: both).
int readSet(InstrumentSession& session, const StoredOptions& options, StoredSet& set) {
    for (bool targets : {true, false}) {
        const bool wanted =
            targets ? (options.targets || !options.samples) : (options.samples || !options.targets);
        if (!wanted) {
            continue;
        }
        StoredRecords records;
        if (const int code = readStored(session, targets, records); code != kExitOk) {
            return code;
        }
        (targets ? set.targets : set.samples) = std::move(records);
    }
    return kExitOk;
}

std::string conditionSummary(const DataPack& pack, const ConditionNames& names) {
    if (pack.format.getType() != DataFormat::kSpectral) {
        return "colour values, " + std::to_string(pack.data.front().getObserver() == 10 ? 10 : 2) +
               "° observer";
    }
    std::string text;
    for (const auto& [label, value] : conditionLines(pack.data.front(), names)) {
        text += (text.empty() ? "" : ", ") + label + " " + value;
    }
    return text;
}

void printTable(const StoredSet& set, const ConditionNames& names, int observer,
                const InstrumentIdentity& id) {
    for (bool targets : {true, false}) {
        const auto& records = targets ? set.targets : set.samples;
        if (!records) {
            continue;
        }
        std::printf("Stored %s of %s (body %s): %zu\n", kindName(targets), id.name.c_str(),
                    id.bodyNumber.c_str(), records->records.size());
        if (records->records.empty()) {
            continue;
        }
        std::printf("  %3s  %-8s  %-10s  %10s  %6s  %6s  %s\n", "No.", "kind", "name", "Lv", "x",
                    "y", "conditions");
        for (const auto& [number, pack] : records->records) {
            const tintcalc::ColorResult c = colourOf(pack, observer);
            const bool spectral = pack.format.getType() == DataFormat::kSpectral;
            std::printf("  %3d  %-8s  %-10s  %10s  %6s  %6s  %s\n", number,
                        spectral ? "spectral" : "colour",
                        targets ? shownName(pack.name).c_str() : "",
                        formatValue(c.Lv, "%.2f").c_str(), formatValue(c.x, "%.4f").c_str(),
                        formatValue(c.y, "%.4f").c_str(), conditionSummary(pack, names).c_str());
        }
    }
}

std::string dumped(const nlohmann::json& document, int indent = 1) {
    return document.dump(indent, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

std::string defaultBackupName(bool targets) {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%dT%H%M%SZ", &utc);
    return std::string("rx9100-backup-") + kindName(targets) + "-" + stamp + ".json";
}

// Reads the backup back: the very bytes written, and records the restore would accept.
std::string verifyBackup(const std::string& path, const std::string& written, std::size_t expected,
                         bool targets) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return "the backup " + path + " cannot be read back";
    }
    std::string text;
    char chunk[65536];
    std::size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        text.append(chunk, n);
    }
    const bool readError = std::ferror(file) != 0;
    std::fclose(file);
    if (readError || text != written) {
        return "the backup " + path + " does not read back as written";
    }
    std::string error;
    const auto loaded = loadStoredFile(path, error);
    if (!loaded) {
        return "the backup " + path + " cannot be read back: " + error;
    }
    const std::size_t count = targets ? loaded->targets.size() : loaded->samples;
    if (count != expected) {
        return "the backup " + path + " does not hold every record to delete";
    }
    return "";
}

// Asks on the terminal; only "y" or "yes" agrees. No input, or a stop request while it
// waits (Ctrl-C does not interrupt a plain read), counts as no.
bool confirmed(const std::string& question) {
    std::fprintf(stderr, "%s [y/N] ", question.c_str());
    std::fflush(stderr);
    std::string answer;
    for (;;) {
        if (interrupted()) {
            std::fprintf(stderr, "\n");
            return false;
        }
        pollfd input{STDIN_FILENO, POLLIN, 0};
        if (::poll(&input, 1, 100) <= 0) {
            continue;
        }
        char c = 0;
        const ssize_t n = ::read(STDIN_FILENO, &c, 1);
        if (n <= 0) {
            std::fprintf(stderr, "\n");
            return false;
        }
        if (c == '\n') {
            break;
        }
        answer += c;
    }
    if (!answer.empty() && answer.back() == '\r') {
        answer.pop_back();
    }
    return answer == "y" || answer == "Y" || answer == "yes" || answer == "YES";
}

}  // namespace

int runStoredList(CommandContext& context) {
    const StoredOptions& options = context.line.stored;
    InstrumentSession session(context.driver, context.line.global, context.trace,
                              context.portOverride);
    if (const int failed = session.open(); failed != kExitOk) {
        return failed;
    }
    context.driver.setApplicationObserver(options.observer);
    StoredSet set;
    if (const int code = readSet(session, options, set); code != kExitOk) {
        return code;
    }
    const ConditionNames names = ConditionNames::fromDriver(context.driver);
    if (options.format == Format::Json) {
        nlohmann::json document = storedDocument(set, session.identity(), names, options.observer);
        // A listing leaves the spectra out; export keeps them.
        for (const char* kind : {"targets", "samples"}) {
            if (document.contains(kind)) {
                for (auto& record : document[kind]) {
                    record.erase("spectrum");
                }
            }
        }
        std::cout << dumped(document, -1);
    } else {
        printTable(set, names, options.observer, session.identity());
    }
    return kExitOk;
}

int runStoredExport(CommandContext& context) {
    const StoredOptions& options = context.line.stored;
    InstrumentSession session(context.driver, context.line.global, context.trace,
                              context.portOverride);
    if (const int failed = session.open(); failed != kExitOk) {
        return failed;
    }
    context.driver.setApplicationObserver(options.observer);
    StoredSet set;
    if (const int code = readSet(session, options, set); code != kExitOk) {
        return code;  // a stopped or failed reading writes no file at all
    }
    std::string text;
    if (options.exportFormat == Format::Csv) {
        text = storedCsv(set, options.observer);
    } else if (options.exportFormat == Format::Cgats) {
        std::vector<std::string> skipped;
        text = storedCgats(set, session.identity(), skipped);
        if (!skipped.empty()) {
            std::string list;
            for (const auto& id : skipped) {
                list += (list.empty() ? "" : ", ") + id;
            }
            printError("not in the CGATS file (colour values only, no spectrum): " + list);
        }
    } else {
        const ConditionNames names = ConditionNames::fromDriver(context.driver);
        text = dumped(storedDocument(set, session.identity(), names, options.observer));
    }
    if (interrupted()) {
        return kExitStoppedBase + stopSignal();
    }
    if (const std::string error = writeWhole(options.outputFile, text); !error.empty()) {
        printError(error);
        return kExitOutput;
    }
    std::size_t count = 0;
    for (const auto* records : {&set.targets, &set.samples}) {
        count += *records ? (*records)->records.size() : 0;
    }
    std::fprintf(stderr, "%zu records written to %s\n", count, options.outputFile.c_str());
    return kExitOk;
}

int runStoredDelete(CommandContext& context) {
    const StoredOptions& options = context.line.stored;
    if (options.targets == options.samples) {
        printError("say what to delete: --targets or --samples");
        return kExitUsage;
    }
    if (!options.all && options.numbers.empty()) {
        printError("say which records to delete: --all or their numbers");
        return kExitUsage;
    }
    const bool targets = options.targets;
    for (int n : options.numbers) {
        if (targets ? (n < 1 || n > 20) : (n < 0 || n > 99)) {
            printError(std::to_string(n) + " is not a " +
                       (targets ? "target number (1 to 20)" : "sample number (0 to 99)"));
            return kExitUsage;
        }
    }
    InstrumentSession session(context.driver, context.line.global, context.trace,
                              context.portOverride);
    if (const int failed = session.open(); failed != kExitOk) {
        return failed;
    }
    // First read everything that is to go.
    StoredRecords stored;
    if (const int code = readStored(session, targets, stored); code != kExitOk) {
        printError("nothing was deleted");
        return code;
    }
    std::vector<int> numbers;
    if (options.all) {
        for (const auto& [number, pack] : stored.records) {
            numbers.push_back(number);
        }
    } else {
        const std::set<int> unique(options.numbers.begin(), options.numbers.end());
        for (int n : unique) {
            if (std::find(stored.invalid.begin(), stored.invalid.end(), n) !=
                stored.invalid.end()) {
                printError(std::string(targets ? "target " : "sample ") + std::to_string(n) +
                           " holds values that are not finite numbers and cannot be backed "
                           "up; nothing was deleted");
                return kExitInstrument;
            }
            if (stored.records.count(n) == 0) {
                printError(std::string(targets ? "target " : "sample ") + std::to_string(n) +
                           " holds nothing; nothing was deleted");
                return kExitUsage;
            }
            numbers.push_back(n);
        }
    }
    if (numbers.empty()) {
        std::fprintf(stderr, "no %s stored: nothing to delete\n", kindName(targets));
        return kExitOk;
    }
    // Then save them and read the file back.
    StoredRecords selected;
    for (int n : numbers) {
        selected.records.emplace(n, stored.records.at(n));
    }
    StoredSet set;
    (targets ? set.targets : set.samples) = std::move(selected);
    const ConditionNames names = ConditionNames::fromDriver(context.driver);
    const std::string text = dumped(storedDocument(set, session.identity(), names, 2));
    const std::string backup =
        options.backupFile.empty() ? defaultBackupName(targets) : options.backupFile;
    if (const std::string error = writeWhole(backup, text); !error.empty()) {
        printError(error + "; nothing was deleted");
        return kExitOutput;
    }
    if (const std::string error = verifyBackup(backup, text, numbers.size(), targets);
        !error.empty()) {
        printError(error + "; nothing was deleted");
        return kExitOutput;
    }
    std::fprintf(stderr, "backup of %s %s written to %s\n", kindName(targets),
                 joined(numbers).c_str(), backup.c_str());
    if (interrupted()) {
        return kExitStoppedBase + stopSignal();
    }
    if (!options.yes && !confirmed(std::string("Delete ") + kindName(targets) + " " +
                                   joined(numbers) + " from the instrument?")) {
        std::fprintf(stderr, "nothing was deleted\n");
        return kExitOk;
    }
    // Only what was saved is deleted, one record after the other.
    std::vector<int> deleted;
    for (int n : numbers) {
        if (interrupted()) {
            break;
        }
        const int status = context.driver.deleteStoredRecords(targets, {n});
        if (status != 0) {
            if (!deleted.empty()) {
                std::fprintf(stderr, "deleted %s %s\n", kindName(targets), joined(deleted).c_str());
            }
            return session.fail(
                std::string("deleting ") + (targets ? "target " : "sample ") + std::to_string(n),
                status);
        }
        deleted.push_back(n);
    }
    std::fprintf(stderr, "deleted %s %s\n", kindName(targets),
                 deleted.empty() ? "none" : joined(deleted).c_str());
    if (interrupted()) {
        return kExitStoppedBase + stopSignal();
    }
    return kExitOk;
}

int runStoredRestore(CommandContext& context) {
    const StoredOptions& options = context.line.stored;
    std::string error;
    const auto loaded = loadStoredFile(options.inputFile, error);
    if (!loaded) {
        printError(error);
        return kExitUsage;
    }
    if (loaded->targets.empty() && loaded->samples > 0) {
        printError(
            "samples cannot be written back: the instrument stores samples only from "
            "its own measurements; restore writes targets");
        return kExitUsage;
    }
    std::vector<std::size_t> chosen;
    for (std::size_t i = 0; i < loaded->targets.size(); ++i) {
        const int n = loaded->targets[i].targetNumber;
        if (n < 1 || n > 20) {
            printError(options.inputFile + ": " + std::to_string(n) +
                       " is not a target number (1 to 20)");
            return kExitUsage;
        }
        if (options.numbers.empty() ||
            std::find(options.numbers.begin(), options.numbers.end(), n) != options.numbers.end()) {
            chosen.push_back(i);
        }
    }
    for (int n : options.numbers) {
        if (std::none_of(chosen.begin(), chosen.end(),
                         [&](std::size_t i) { return loaded->targets[i].targetNumber == n; })) {
            printError(options.inputFile + " holds no target " + std::to_string(n));
            return kExitUsage;
        }
    }
    if (chosen.empty()) {
        printError(options.inputFile + " holds no targets");
        return kExitUsage;
    }
    if (loaded->samples > 0) {
        std::fprintf(stderr,
                     "the %zu samples of %s stay in the file: the instrument cannot "
                     "take samples from a host\n",
                     loaded->samples, options.inputFile.c_str());
    }
    InstrumentSession session(context.driver, context.line.global, context.trace,
                              context.portOverride);
    if (const int failed = session.open(); failed != kExitOk) {
        return failed;
    }
    std::vector<int> written;
    for (std::size_t i : chosen) {
        if (interrupted()) {
            break;
        }
        const DataPack& pack = loaded->targets[i];
        if (!TavoRX9100::targetWritable(pack)) {
            printError("target " + std::to_string(pack.targetNumber) +
                       ": its colour values cannot be written (1 000 000 or more)");
            return kExitUsage;
        }
        context.driver.setApplicationObserver(loaded->observers[i]);
        const int status = context.driver.writeTarget(pack.targetNumber, pack, pack.name);
        if (status != 0) {
            if (!written.empty()) {
                std::fprintf(stderr, "restored targets %s\n", joined(written).c_str());
            }
            return session.fail("writing target " + std::to_string(pack.targetNumber), status);
        }
        written.push_back(pack.targetNumber);
    }
    std::fprintf(stderr, "restored targets %s\n",
                 written.empty() ? "none" : joined(written).c_str());
    if (interrupted()) {
        return kExitStoppedBase + stopSignal();
    }
    return kExitOk;
}

}  // namespace cli
