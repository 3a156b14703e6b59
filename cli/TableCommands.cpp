// `rx9100 factors`, `rx9100 channels` and `rx9100 channel N`: the instrument's factor tables
// and calibration channels as the driver reads them, entry by entry, with a bar on stderr.
#include <array>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "Commands.h"
#include "ErrorReport.h"
#include "ExitCodes.h"
#include "InstrumentSession.h"
#include "Interrupt.h"
#include "TableProgress.h"
#include "sensor/ConditionCodes.h"
#include "sensor/ResultCodes.h"

namespace cli {

namespace {

constexpr int kEntries = 401;
constexpr int kFirstNm = 380;
constexpr int kChannels = 11;
using Table = std::array<double, kEntries>;
using MaybeTable = std::optional<Table>;

// A probe or read that met "no such data": the driver then leaves the state at 200 (probe)
// or at the instrument's 5 or 20 (read).
bool missingData(TavoRX9100& driver, int status) {
    const int code = driver.getInstrumentState()->getErrorCode();
    return status == codes::status::kRefused &&
           (code == codes::error::kNoError || code == 5 || code == codes::error::kNoData);
}

// The exit code of a failed step: the stop when one was asked for, else the failure.
int failed(InstrumentSession& session, const std::string& action, int status) {
    if (interrupted()) {
        return kExitStoppedBase + stopSignal();
    }
    return session.fail(action, status);
}

std::string entry(const MaybeTable& table, int i, const char* format) {
    if (!table) {
        return "-";
    }
    char text[32];
    std::snprintf(text, sizeof text, format, (*table)[i]);
    return text;
}

nlohmann::json tableJson(const MaybeTable& table) {
    return table ? nlohmann::json(std::vector<double>(table->begin(), table->end()))
                 : nlohmann::json(nullptr);
}

void printJson(const nlohmann::json& object) {
    std::cout << object.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
}

// Rows "nm, column..." for the tables; absent tables print "-" (empty in CSV).
void printRows(const std::vector<std::pair<std::string, MaybeTable>>& columns, Format format,
               const char* valueFormat) {
    if (format == Format::Csv) {
        std::cout << "nm";
        for (const auto& [name, table] : columns) {
            std::cout << "," << name;
        }
        std::cout << "\n";
    } else {
        std::printf("  %-5s", "nm");
        for (const auto& [name, table] : columns) {
            std::printf(" %12s", name.c_str());
        }
        std::printf("\n");
    }
    for (int i = 0; i < kEntries; ++i) {
        if (format == Format::Csv) {
            std::cout << kFirstNm + i;
            for (const auto& [name, table] : columns) {
                const std::string value = entry(table, i, valueFormat);
                std::cout << "," << (value == "-" ? "" : value);
            }
            std::cout << "\n";
        } else {
            std::printf("  %-5d", kFirstNm + i);
            for (const auto& [name, table] : columns) {
                std::printf(" %12s", entry(table, i, valueFormat).c_str());
            }
            std::printf("\n");
        }
    }
    std::cout.flush();
}

}  // namespace

int runFactors(CommandContext& context) {
    const TableOptions& options = context.line.factors;
    InstrumentSession session(context.driver, context.line.global, context.trace,
                              context.portOverride);
    if (const int r = session.open(); r != kExitOk) {
        return r;
    }
    TavoRX9100& driver = context.driver;
    TableProgress progress(session, stderrIsTerminal());
    const int angle = driver.getMesAng();

    // Which tables exist: entry 000 of each.
    MaybeTable lens;
    std::array<MaybeTable, 2> nd;
    progress.start("Looking for factor tables", 6);
    int status = driver.checkAdapterLens();
    if (status == 0) {
        lens.emplace();
    } else if (!missingData(driver, status)) {
        return failed(session, "probing the adapter-lens table", status);
    }
    for (int filter = 1; filter <= 2; ++filter) {
        status = driver.checkAdapterNd(filter);
        if (status == 0) {
            nd[filter - 1].emplace();
        } else if (!missingData(driver, status)) {
            return failed(session, "probing the ND table of filter " + std::to_string(filter),
                          status);
        }
    }
    if (lens) {
        progress.start("Reading the adapter-lens table", kEntries + 1);
        if (status = driver.getAdapterLens(lens->data()); status != 0) {
            return failed(session, "reading the adapter-lens table", status);
        }
    }
    for (int filter = 1; filter <= 2; ++filter) {
        if (MaybeTable& table = nd[filter - 1]; table) {
            progress.start("Reading the ND table of filter " + std::to_string(filter),
                           kEntries + 1);
            if (status = driver.getAdapterNd(table->data(), filter); status != 0) {
                return failed(session, "reading the ND table of filter " + std::to_string(filter),
                              status);
            }
        }
    }
    progress.clear();

    if (options.format == Format::Json) {
        printJson({{"angle", angle},
                   {"lens", tableJson(lens)},
                   {"nd1", tableJson(nd[0])},
                   {"nd2", tableJson(nd[1])}});
        return kExitOk;
    }
    if (options.format == Format::Table) {
        auto present = [](const MaybeTable& t) { return t ? "present" : "none"; };
        std::printf("Factor tables at measuring-angle code %d\n", angle);
        std::printf("  adapter lens  %s\n  ND filter 1   %s\n  ND filter 2   %s\n", present(lens),
                    present(nd[0]), present(nd[1]));
    }
    printRows({{"lens", lens}, {"nd1", nd[0]}, {"nd2", nd[1]}}, options.format, "%.6g");
    return kExitOk;
}

int runChannels(CommandContext& context) {
    const TableOptions& options = context.line.channels;
    InstrumentSession session(context.driver, context.line.global, context.trace,
                              context.portOverride);
    if (const int r = session.open(); r != kExitOk) {
        return r;
    }
    TavoRX9100& driver = context.driver;
    const int active = driver.getSetupStatus()->getCalibrationCh();
    std::vector<std::pair<int, std::string>> found;  // mode and ID per channel
    {
        TableProgress progress(session, stderrIsTerminal());
        progress.start(options.quick ? "Checking channels" : "Scanning channels", 0);
        if (options.quick) {
            for (int ch = 0; ch < kChannels; ++ch) {
                std::string id;
                int chOut = ch;
                int mode = 0;
                (void)driver.checkCalibrationCh(ch, chOut, mode, mode, id, false);
                found.emplace_back(mode, id);
            }
        } else {
            driver.checkCalibrationCh();  // the list rebuild: mode as two digits, then the ID
            CapIterator* list = driver.getSetupCapability()->getListCalList();
            for (list->First(); list->IsDone() == 0;) {
                const std::string name = list->Next().name;
                found.emplace_back(std::atoi(name.substr(0, 2).c_str()),
                                   name.size() > 2 ? name.substr(2) : "");
            }
        }
    }
    if (interrupted()) {
        return kExitStoppedBase + stopSignal();
    }
    nlohmann::json array = nlohmann::json::array();
    if (options.format == Format::Table) {
        std::printf("Calibration channels (%s; * active)\n",
                    options.quick ? "quick check" : "full scans");
        std::printf("     ch  mode  wavelength  level  ND   ID\n");
    }
    for (int ch = 0; ch < static_cast<int>(found.size()); ++ch) {
        const auto& [mode, id] = found[ch];
        const auto corrections =
            codes::correctionsOf(mode).value_or(codes::CalibrationCorrections{});
        if (options.format == Format::Json) {
            array.push_back({{"channel", ch},
                             {"mode", mode},
                             {"id", id},
                             {"wavelength", corrections.wavelength},
                             {"level", corrections.level},
                             {"nd", corrections.nd},
                             {"active", ch == active}});
        } else {
            std::printf("  %s %2d  %4d  %-10s  %-5s  %-3s  %s\n", ch == active ? "*" : " ", ch,
                        mode, corrections.wavelength ? "yes" : "no",
                        corrections.level ? "yes" : "no", corrections.nd ? "yes" : "no",
                        id.c_str());
        }
    }
    if (options.format == Format::Json) {
        printJson(array);
    }
    return kExitOk;
}

int runChannel(CommandContext& context) {
    const TableOptions& options = context.line.channel;
    InstrumentSession session(context.driver, context.line.global, context.trace,
                              context.portOverride);
    if (const int r = session.open(); r != kExitOk) {
        return r;
    }
    TavoRX9100& driver = context.driver;
    const int ch = options.channel;
    MaybeTable wavelength(std::in_place);
    MaybeTable level(std::in_place);
    {
        TableProgress progress(session, stderrIsTerminal());
        progress.start("Reading the wavelength table of channel " + std::to_string(ch), kEntries);
        if (int status = driver.checkWavelengthData(wavelength->data(), ch); status != 0) {
            if (interrupted() || !missingData(driver, status)) {
                return failed(session,
                              "reading the wavelength table of channel " + std::to_string(ch),
                              status);
            }
            wavelength.reset();
        }
        progress.start("Reading the level table of channel " + std::to_string(ch), kEntries);
        if (int status = driver.checkLevelData(level->data(), ch); status != 0) {
            if (interrupted() || !missingData(driver, status)) {
                return failed(session, "reading the level table of channel " + std::to_string(ch),
                              status);
            }
            level.reset();
        }
    }
    if (options.format == Format::Json) {
        printJson(
            {{"channel", ch}, {"wavelength", tableJson(wavelength)}, {"level", tableJson(level)}});
        return kExitOk;
    }
    if (options.format == Format::Table) {
        std::printf("Calibration channel %d: wavelength table %s, level table %s\n", ch,
                    wavelength ? "present" : "none", level ? "present" : "none");
    }
    printRows({{"wavelength", wavelength}, {"level", level}}, options.format, "%.6g");
    return kExitOk;
}

}  // namespace cli
