#include "simulator/Commands.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <set>
#include <vector>

#include "simulator/HexFloat.h"

namespace rx9100sim {
namespace {

using Fields = std::vector<std::string_view>;

Fields split(std::string_view line) {
    Fields f;
    std::size_t start = 0;
    while (true) {
        const auto comma = line.find(',', start);
        if (comma == std::string_view::npos) {
            f.push_back(line.substr(start));
            return f;
        }
        f.push_back(line.substr(start, comma - start));
        start = comma + 1;
    }
}

std::string er(int code) {
    char text[8];
    std::snprintf(text, sizeof text, "ER%02d", code);
    return text;
}

const std::string kOk = "OK00";
const std::string kParameterError = "ER01";  // malformed or unknown command
const std::string kMeasuring = "ER02";       // refused while a measurement runs
const std::string kNoTargetData = "ER20";  // empty target number, no measurement, no channel table
const std::string kNoSampleData = "ER21";  // empty sample number
// "&" with nothing left to send, and a missing adapter-lens or ND factor table. The host
// treats both "no data" codes alike; answering both keeps a host honest about that.
const std::string kNoData = "ER05";

std::string ok(const std::string& fields) {
    return kOk + "," + fields;
}

std::string two(int v) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", v);
    return text;
}

// A field of digits only, within [low, high].
std::optional<int> number(std::string_view field, int low, int high) {
    for (char c : field) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
    }
    const auto v = parseInteger(field);
    if (!v || *v < low || *v > high) {
        return std::nullopt;
    }
    return static_cast<int>(*v);
}

// Field idx as a number within [low, high]; -1 when missing or invalid.
int fieldNumber(const Fields& f, std::size_t idx, int low, int high) {
    return idx < f.size() ? number(f[idx], low, high).value_or(-1) : -1;
}

std::string joinFrom(const Fields& f, std::size_t first) {
    std::string s;
    for (std::size_t i = first; i < f.size(); ++i) {
        if (i > first) {
            s += ',';
        }
        s += f[i];
    }
    return s;
}

bool modern(const CommandContext& c) {
    return c.identity.firmwareLevel() >= 110;
}

// --- identification and conditions ---------------------------------------------------

std::string speedReply(const CommandContext& c) {
    const Conditions& k = c.memory.conditions;
    const std::string nd = std::to_string(k.internalNd);
    char time[16];
    std::snprintf(time, sizeof time, "%09d", k.integrationUs);
    switch (k.speedMode) {
        case 2:
            return ok("2," + two(k.count) + (modern(c) ? "," + nd : ""));
        case 3:
            return ok(std::string("3,") + time + "," + nd);
        case 4:
            return ok("4," + two(k.count) + "," + nd);
        default:
            return ok(std::to_string(k.speedMode) + (modern(c) ? "," + nd : ""));
    }
}

std::string setSpeed(CommandContext& c, const Fields& f) {
    const bool m = modern(c);
    const auto mode = f.size() > 1 ? number(f[1], 0, m ? 4 : 3) : std::nullopt;
    if (!mode) {
        return kParameterError;
    }
    Conditions k = c.memory.conditions;
    k.speedMode = *mode;
    const int maxNd = m ? 2 : 1;
    std::optional<int> nd = 0;
    switch (*mode) {
        case 0:
        case 1:
            if (f.size() != (m ? 3u : 2u)) {
                return kParameterError;
            }
            if (m) {
                nd = number(f[2], 0, maxNd);
            }
            break;
        case 2:
        case 4: {
            if (f.size() != (m ? 4u : 3u)) {
                return kParameterError;
            }
            const auto count = number(f[2], 1, 99);
            if (!count) {
                return kParameterError;
            }
            k.count = *count;
            if (m) {
                nd = number(f[3], 0, maxNd);
            }
            break;
        }
        case 3: {
            if (f.size() != 4) {
                return kParameterError;
            }
            const auto us = number(f[2], 5000, 120000000);
            if (!us) {
                return kParameterError;
            }
            k.integrationUs = *us;
            nd = number(f[3], 0, maxNd);
            break;
        }
    }
    if (!nd) {
        return kParameterError;
    }
    // Old firmware has the internal ND only with the manual integration time.
    k.internalNd = (m || *mode == 3) ? *nd : 0;
    c.memory.conditions = k;
    c.memoryChanged = true;
    return kOk;
}

std::string syncReply(const CommandContext& c) {
    const Conditions& k = c.memory.conditions;
    if (k.syncMode == 1) {
        char freq[16];
        std::snprintf(freq, sizeof freq, "%05d", k.syncCentiHz);
        return ok(std::string("1,") + freq);
    }
    return ok(std::to_string(k.syncMode));
}

std::string setSync(CommandContext& c, const Fields& f) {
    const auto mode = f.size() > 1 ? number(f[1], 0, 2) : std::nullopt;
    if (!mode || f.size() != (*mode == 1 ? 3u : 2u)) {
        return kParameterError;
    }
    if (*mode == 1) {
        const auto freq = number(f[2], 100, 99999);
        if (!freq) {
            return kParameterError;
        }
        c.memory.conditions.syncCentiHz = *freq;
    }
    c.memory.conditions.syncMode = *mode;
    c.memoryChanged = true;
    return kOk;
}

// A single value read with "XXXR" and written with "XXXS,v".
std::string setSingle(CommandContext& c, const Fields& f, int high, int& target) {
    const auto v = f.size() == 2 ? number(f[1], 0, high) : std::nullopt;
    if (!v) {
        return kParameterError;
    }
    target = *v;
    c.memoryChanged = true;
    return kOk;
}

// --- factor tables ---------------------------------------------------------------------

std::string tableEntry(const std::optional<Table>& table, int index, const std::string& missing) {
    return table ? ok(toHex((*table)[index])) : missing;
}

// A table entry as written by the host: eight hexadecimal digits of a finite value. The
// instrument cannot keep anything else in its tables.
std::optional<float> tableValue(std::string_view field) {
    const auto v = fromHex(field);
    return v && std::isfinite(*v) ? v : std::nullopt;
}

std::string readLens(CommandContext& c, const Fields& f) {
    const auto a = f.size() == 3 ? number(f[1], 0, kAngles - 1) : std::nullopt;
    const auto i = f.size() == 3 ? number(f[2], 0, kPoints - 1) : std::nullopt;
    if (!a || !i) {
        return kParameterError;
    }
    return tableEntry(c.memory.lensTables[*a], *i, kNoData);
}

std::string writeLens(CommandContext& c, const Fields& f) {
    Runtime& r = c.runtime;
    if (f.size() == 2 && f[1] == "3") {
        for (const auto& [angle, table] : r.stagedLens) {
            c.memory.lensTables[angle] = table;
        }
        r.stagedLens.clear();
        c.memoryChanged = true;
        return kOk;
    }
    const auto a = f.size() == 4 ? number(f[1], 0, kAngles - 1) : std::nullopt;
    const auto i = f.size() == 4 ? number(f[2], 0, kPoints - 1) : std::nullopt;
    const auto v = f.size() == 4 ? tableValue(f[3]) : std::nullopt;
    if (!a || !i || !v) {
        return kParameterError;
    }
    auto [it, fresh] = r.stagedLens.try_emplace(*a);
    if (fresh) {
        it->second = c.memory.lensTables[*a].value_or(unitTable());
    }
    it->second[*i] = *v;
    return kOk;
}

std::string readNd(CommandContext& c, const Fields& f) {
    const auto a = f.size() == 4 ? number(f[1], 0, kAngles - 1) : std::nullopt;
    const auto n = f.size() == 4 ? number(f[2], 1, 2) : std::nullopt;
    const auto i = f.size() == 4 ? number(f[3], 0, kPoints - 1) : std::nullopt;
    if (!a || !n || !i) {
        return kParameterError;
    }
    return tableEntry(c.memory.ndTables[*a][*n - 1], *i, kNoData);
}

std::string writeNd(CommandContext& c, const Fields& f) {
    Runtime& r = c.runtime;
    if (f.size() == 2 && f[1] == "3") {
        for (const auto& [key, table] : r.stagedNd) {
            c.memory.ndTables[key.first][key.second - 1] = table;
        }
        r.stagedNd.clear();
        c.memoryChanged = true;
        return kOk;
    }
    const int a = fieldNumber(f, 1, 0, kAngles - 1);
    const int n = fieldNumber(f, 2, 1, 2);
    const int i = fieldNumber(f, 3, 0, kPoints - 1);
    const auto v = f.size() == 5 ? tableValue(f[4]) : std::nullopt;
    if (a < 0 || n < 0 || i < 0 || !v) {
        return kParameterError;
    }
    auto [it, fresh] = r.stagedNd.try_emplace({a, n});
    if (fresh) {
        const double nominal = n == 1 ? 10.0 : 100.0;
        Table t{};
        t.fill(static_cast<float>(nominal));
        it->second = c.memory.ndTables[a][n - 1].value_or(t);
    }
    it->second[i] = *v;
    return kOk;
}

// --- user calibration channels ---------------------------------------------------------

std::string readChannel(CommandContext& c, const Fields& f) {
    const auto type = f.size() >= 2 ? number(f[1], 0, 2) : std::nullopt;
    if (!type) {
        return kParameterError;
    }
    const auto ch = f.size() >= 3 ? number(f[2], 0, kChannels - 1) : std::nullopt;
    if (*type == 2) {
        if (!ch || f.size() != 3) {
            return kParameterError;
        }
        return ok(c.memory.channels[*ch].id);
    }
    const auto i = f.size() == 4 ? number(f[3], 0, kPoints - 1) : std::nullopt;
    if (!ch || !i) {
        return kParameterError;
    }
    const CalibrationChannel& channel = c.memory.channels[*ch];
    return tableEntry(*type == 0 ? channel.wavelength : channel.level, *i, kNoTargetData);
}

std::string writeChannel(CommandContext& c, const Fields& f) {
    Runtime& r = c.runtime;
    const auto type = f.size() >= 2 ? number(f[1], 0, 3) : std::nullopt;
    if (!type) {
        return kParameterError;
    }
    if (*type == 3) {
        if (f.size() != 2) {
            return kParameterError;
        }
        for (auto& [ch, staged] : r.stagedChannels) {
            c.memory.channels[ch] = staged;
        }
        r.stagedChannels.clear();
        c.memoryChanged = true;
        return kOk;
    }
    const auto ch = f.size() >= 3 ? number(f[2], 1, kChannels - 1) : std::nullopt;
    if (!ch) {
        return kParameterError;
    }
    const auto stage = [&]() -> CalibrationChannel& {
        auto [it, fresh] = r.stagedChannels.try_emplace(*ch);
        if (fresh) {
            it->second = c.memory.channels[*ch];
        }
        return it->second;
    };
    if (*type == 2) {
        if (f.size() < 4) {
            return kParameterError;
        }
        stage().id = joinFrom(f, 3).substr(0, 20);
        return kOk;
    }
    const auto i = f.size() == 5 ? number(f[3], 0, kPoints - 1) : std::nullopt;
    const auto v = f.size() == 5 ? tableValue(f[4]) : std::nullopt;
    if (!i || !v) {
        return kParameterError;
    }
    CalibrationChannel& staged = stage();
    std::optional<Table>& table = *type == 0 ? staged.wavelength : staged.level;
    if (!table) {
        table = *type == 0 ? identityWavelengthTable() : unitTable();
    }
    (*table)[*i] = *v;
    return kOk;
}

std::string clearChannel(CommandContext& c, const Fields& f) {
    const auto ch = f.size() == 2 ? number(f[1], 1, kChannels - 1) : std::nullopt;
    if (!ch) {
        return kParameterError;
    }
    c.memory.channels[*ch] = CalibrationChannel{};
    c.runtime.stagedChannels.erase(*ch);
    c.memoryChanged = true;
    return kOk;
}

// --- measurement and data --------------------------------------------------------------

std::string blockReply(const Table& values, int block) {
    const int first = (block - 1) * 100;
    const int count = block == 4 ? 101 : 100;
    std::string s = kOk;
    s.reserve(5 + count * 9);
    for (int i = first; i < first + count; ++i) {
        s += ',';
        s += toHex(values[i]);
    }
    return s;
}

// Fifteen "&" replies: 28 decimal values each, 9 in the last.
std::deque<std::string> textReplies(const Table& values) {
    std::deque<std::string> replies;
    for (int start = 0; start < kPoints; start += 28) {
        std::string line;
        for (int i = start; i < std::min(start + 28, kPoints); ++i) {
            if (i > start) {
                line += ',';
            }
            line += toScientific(values[i], 5);
        }
        replies.push_back(std::move(line));
    }
    return replies;
}

Spectrum toSpectrum(const Table& t) {
    Spectrum s{};
    for (int i = 0; i < kPoints; ++i) {
        s[i] = t[i];
    }
    return s;
}

std::string colourReply(const StoredRecord& r, int observerCode) {
    ColourValues v;
    if (r.spectral) {
        v = colourOf(toSpectrum(r.spectrum), observerCode == 11);
    } else {
        v = {r.colour[0], r.colour[1], r.colour[2]};
    }
    return ok(toFixed(v.lv, 4) + "," + toFixed(v.x, 4) + "," + toFixed(v.y, 4));
}

// The data requests shared by "MEDR" (fields from 1) and "TGDR"/"STDR" (fields from 2).
std::string dataRequest(CommandContext& c, const Fields& f, std::size_t first,
                        const StoredRecord& record, bool allowName) {
    const std::size_t n = f.size() - first;
    const auto kind = n >= 1 ? number(f[first], 0, 3) : std::nullopt;
    if (!kind) {
        return kParameterError;
    }
    if (*kind == 3) {
        return allowName && n == 1 ? ok(record.name) : kParameterError;
    }
    if (n != 3) {
        return kParameterError;
    }
    const auto format = number(f[first + 1], 0, 1);
    if (!format) {
        return kParameterError;
    }
    if (*kind == 2) {
        const auto observer = number(f[first + 2], 0, 99);
        if (*format != 0 || !observer || (*observer != 1 && *observer != 11)) {
            return kParameterError;
        }
        return colourReply(record, *observer);
    }
    if (!record.spectral) {
        return kNoTargetData;
    }
    if (*kind == 0) {
        if (!number(f[first + 2], 0, 999)) {
            return kParameterError;
        }
        // A header request also opens a text-mode transfer, so that "&" may follow it.
        c.continuation = textReplies(record.spectrum);
        return ok(headerFields(record, c.identity.firmwareLevel()));
    }
    if (*format == 0) {
        c.continuation = textReplies(record.spectrum);
        return kOk;
    }
    const auto block = number(f[first + 2], 1, 4);
    if (!block) {
        return kParameterError;
    }
    return blockReply(record.spectrum, *block);
}

std::string measure(CommandContext& c, const Fields& f) {
    const auto v = f.size() == 2 ? number(f[1], 0, 1) : std::nullopt;
    if (!v) {
        return kParameterError;
    }
    if (*v == 0) {
        c.runtime.measuring.reset();
        return kOk;
    }
    return ok(toFixed(startMeasurement(c), 2));
}

std::string readMeasurement(CommandContext& c, const Fields& f) {
    if (!c.runtime.dataAvailable || !c.runtime.lastMeasurement) {
        return kNoTargetData;
    }
    return dataRequest(c, f, 1, *c.runtime.lastMeasurement, false);
}

// --- stored targets and samples --------------------------------------------------------

std::string readStored(CommandContext& c, const Fields& f, bool target) {
    const auto n = f.size() >= 2
                       ? (target ? number(f[1], 1, kTargets) : number(f[1], 0, kSamples - 1))
                       : std::nullopt;
    if (!n) {
        return kParameterError;
    }
    const auto& slot = target ? c.memory.targets[*n] : c.memory.samples[*n];
    if (!slot) {
        return target ? kNoTargetData : kNoSampleData;
    }
    return dataRequest(c, f, 2, *slot, target);
}

StoredRecord freshRecord(const CommandContext& c) {
    StoredRecord r;
    r.conditions = c.memory.conditions;
    r.angle = c.memory.measuringAngle;
    r.channel = c.memory.activeChannel;
    return r;
}

// A spectral target written point by point becomes the stored target when its 401st
// distinct point arrives; until then the number keeps what it held.
std::string writeTargetPoint(CommandContext& c, int n, const Fields& f) {
    const auto i = f.size() == 6 ? number(f[4], 0, kPoints - 1) : std::nullopt;
    const auto v = f.size() == 6 ? tableValue(f[5]) : std::nullopt;
    if (!i || !v) {
        return kParameterError;
    }
    TargetPoints& points = c.runtime.targetPoints[n];
    points.values[*i] = *v;
    points.written.set(*i);
    if (points.written.all()) {
        StoredRecord r = freshRecord(c);
        r.spectrum = points.values;
        c.memory.targets[n] = r;
        c.runtime.targetPoints.erase(n);
        c.memoryChanged = true;
    }
    return kOk;
}

std::string writeTargetColour(CommandContext& c, int n, const Fields& f) {
    const auto observer = f.size() == 8 ? number(f[4], 0, 99) : std::nullopt;
    if (!observer || (*observer != 1 && *observer != 11)) {
        return kParameterError;
    }
    StoredRecord r = freshRecord(c);
    r.spectral = false;
    r.observerCode = *observer;
    for (int k = 0; k < 3; ++k) {
        // "%8.2lf" and its wider forms: leading blanks are part of the field.
        const auto v = parseDecimal(f[5 + k]);
        if (!v || *v < 0) {
            return kParameterError;
        }
        r.colour[k] = *v;
    }
    c.memory.targets[n] = r;
    c.runtime.targetPoints.erase(n);
    c.memoryChanged = true;
    return kOk;
}

std::string writeTarget(CommandContext& c, const Fields& f) {
    // "TGDS,1,0,nn,iii,h" spectral point; "TGDS,0,1,nn,oo,v,v,v" colour; "TGDS,0,3,nn,name".
    const int a = fieldNumber(f, 1, 0, 1);
    const int b = fieldNumber(f, 2, 0, 3);
    const int n = fieldNumber(f, 3, 1, kTargets);
    if (a < 0 || b < 0 || n < 0) {
        return kParameterError;
    }
    if (a == 1 && b == 0) {
        return writeTargetPoint(c, n, f);
    }
    if (a == 0 && b == 1) {
        return writeTargetColour(c, n, f);
    }
    if (a == 0 && b == 3 && f.size() >= 5) {
        auto& slot = c.memory.targets[n];
        if (!slot) {
            return kNoTargetData;
        }
        slot->name = joinFrom(f, 4).substr(0, kNameLength);
        c.memoryChanged = true;
        return kOk;
    }
    return kParameterError;
}

std::string deleteOne(CommandContext& c, const Fields& f, bool target) {
    const auto n = f.size() == 2
                       ? (target ? number(f[1], 1, kTargets) : number(f[1], 0, kSamples - 1))
                       : std::nullopt;
    if (!n) {
        return kParameterError;
    }
    auto& slot = target ? c.memory.targets[*n] : c.memory.samples[*n];
    if (target) {
        c.runtime.targetPoints.erase(*n);
    }
    if (!slot) {
        return target ? kNoTargetData : kNoSampleData;
    }
    slot.reset();
    c.memoryChanged = true;
    return kOk;
}

using Handler = std::function<std::string(CommandContext&, const Fields&)>;

const std::map<std::string, Handler, std::less<>>& handlers() {
    static const std::map<std::string, Handler, std::less<>> table = {
        {"RMTS",
         [](CommandContext& c, const Fields& f) {
             const auto v = f.size() == 2 ? number(f[1], 0, 1) : std::nullopt;
             if (!v) {
                 return kParameterError;
             }
             c.runtime.remote = *v == 1;
             if (!c.runtime.remote) {
                 c.runtime.keyEnabled = false;
             }
             return kOk;
         }},
        {"IDDR",
         [](CommandContext& c, const Fields& f) {
             return f.size() == 1 ? ok("RX-9100," + std::to_string(c.identity.variation) + "," +
                                       c.identity.bodyNumber)
                                  : kParameterError;
         }},
        {"VERR",
         [](CommandContext& c, const Fields& f) {
             return f.size() == 1 ? ok(c.identity.romVersion) : kParameterError;
         }},
        {"_jig",
         [](CommandContext&, const Fields& f) {
             return f.size() == 2 && f[1] == "0" ? kOk : kParameterError;
         }},
        {"SPMR", [](CommandContext& c,
                    const Fields& f) { return f.size() == 1 ? speedReply(c) : kParameterError; }},
        {"SPMS", setSpeed},
        {"SCMR", [](CommandContext& c,
                    const Fields& f) { return f.size() == 1 ? syncReply(c) : kParameterError; }},
        {"SCMS", setSync},
        {"LNSR", [](CommandContext& c,
                    const Fields&) { return ok(std::to_string(c.memory.conditions.lens)); }},
        {"LNSS", [](CommandContext& c,
                    const Fields& f) { return setSingle(c, f, 1, c.memory.conditions.lens); }},
        {"NDFR", [](CommandContext& c,
                    const Fields&) { return ok(std::to_string(c.memory.conditions.nd)); }},
        {"NDFS", [](CommandContext& c,
                    const Fields& f) { return setSingle(c, f, 2, c.memory.conditions.nd); }},
        {"STSR", [](CommandContext& c,
                    const Fields&) { return ok(std::to_string(c.memory.measuringAngle)); }},
        {"CSMR", [](CommandContext& c,
                    const Fields&) { return ok(std::to_string(c.memory.display.colorSpace)); }},
        {"CSMS", [](CommandContext& c,
                    const Fields& f) { return setSingle(c, f, 5, c.memory.display.colorSpace); }},
        {"DIMR", [](CommandContext& c,
                    const Fields&) { return ok(std::to_string(c.memory.display.displayMode)); }},
        {"DIMS", [](CommandContext& c,
                    const Fields& f) { return setSingle(c, f, 2, c.memory.display.displayMode); }},
        {"OBSR", [](CommandContext& c,
                    const Fields&) { return ok(std::to_string(c.memory.display.observer)); }},
        {"OBSS", [](CommandContext& c,
                    const Fields& f) { return setSingle(c, f, 1, c.memory.display.observer); }},
        {"BALR",
         [](CommandContext& c, const Fields&) {
             return ok(std::to_string(c.memory.display.backlightAlways) + "," +
                       std::to_string(c.memory.display.backlightMeasuring));
         }},
        {"BALS",
         [](CommandContext& c, const Fields& f) {
             const auto a = f.size() == 3 ? number(f[1], 0, 1) : std::nullopt;
             const auto m = f.size() == 3 ? number(f[2], 0, 1) : std::nullopt;
             if (!a || !m) {
                 return kParameterError;
             }
             c.memory.display.backlightAlways = *a;
             c.memory.display.backlightMeasuring = *m;
             c.memoryChanged = true;
             return kOk;
         }},
        {"LUUR", [](CommandContext& c,
                    const Fields&) { return ok(std::to_string(c.memory.display.luminanceUnit)); }},
        {"LUUS",
         [](CommandContext& c, const Fields& f) {
             return setSingle(c, f, 1, c.memory.display.luminanceUnit);
         }},
        {"MSWE",
         [](CommandContext& c, const Fields& f) {
             const auto v = f.size() == 2 ? number(f[1], 0, 1) : std::nullopt;
             if (!v) {
                 return kParameterError;
             }
             c.runtime.keyEnabled = *v == 1;
             // Re-enabling the key starts a new wait: the data already read are not offered again.
             if (c.runtime.keyEnabled) {
                 c.runtime.dataAvailable = false;
             }
             return kOk;
         }},
        {"ALFR", readLens},
        {"ALFS", writeLens},
        {"NFCR", readNd},
        {"NFCS", writeNd},
        {"MEAS", measure},
        {"MEDR", readMeasurement},
        {"TGDR", [](CommandContext& c, const Fields& f) { return readStored(c, f, true); }},
        {"STDR", [](CommandContext& c, const Fields& f) { return readStored(c, f, false); }},
        {"TGDS", writeTarget},
        {"TGSR",
         [](CommandContext& c, const Fields& f) {
             return f.size() == 1 ? ok(two(c.memory.activeTarget)) : kParameterError;
         }},
        {"TGSL",
         [](CommandContext& c, const Fields& f) {
             const auto n = f.size() == 2 ? number(f[1], 1, kTargets) : std::nullopt;
             if (!n) {
                 return kParameterError;
             }
             c.memory.activeTarget = *n;
             c.memoryChanged = true;
             return kOk;
         }},
        {"TGDD", [](CommandContext& c, const Fields& f) { return deleteOne(c, f, true); }},
        {"STDD", [](CommandContext& c, const Fields& f) { return deleteOne(c, f, false); }},
        {"TGAD",
         [](CommandContext& c, const Fields& f) {
             if (f.size() != 1) {
                 return kParameterError;
             }
             c.memory.targets = {};
             c.runtime.targetPoints.clear();
             c.memoryChanged = true;
             return kOk;
         }},
        {"STAD",
         [](CommandContext& c, const Fields& f) {
             if (f.size() != 1) {
                 return kParameterError;
             }
             c.memory.samples = {};
             c.memoryChanged = true;
             return kOk;
         }},
        {"UCCR",
         [](CommandContext& c, const Fields& f) {
             return f.size() == 1 ? ok(two(c.memory.activeChannel)) : kParameterError;
         }},
        {"UCCS",
         [](CommandContext& c, const Fields& f) {
             const auto ch = f.size() == 2 ? number(f[1], 0, kChannels - 1) : std::nullopt;
             if (!ch) {
                 return kParameterError;
             }
             c.memory.activeChannel = *ch;
             c.memoryChanged = true;
             return kOk;
         }},
        {"UCCD", clearChannel},
        {"UCPR", readChannel},
        {"UCPS", writeChannel},
    };
    return table;
}

bool printable(std::string_view line) {
    for (unsigned char ch : line) {
        if (ch < 0x20 || ch >= 0x7F) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string overrunReply() {
    return "ER03";
}

std::string headerFields(const StoredRecord& r, int firmwareLevel) {
    const Conditions& k = r.conditions;
    int internalNd = k.internalNd;
    if (firmwareLevel < 110 && k.speedMode != 3) {
        internalNd = 0;
    }
    return std::to_string(k.speedMode) + "," + std::to_string(k.syncMode) + "," +
           std::to_string(r.integrationUs) + "," + std::to_string(internalNd) + "," +
           std::to_string(k.lens) + "," + std::to_string(k.nd) + "," + std::to_string(r.angle) +
           "," + two(r.channel);
}

double startMeasurement(CommandContext& c) {
    const Spectrum sensor = throughOptics(sceneRadiance(c.scene, c.errors.wavelengthNm), c.memory);
    const Exposure x = planExposure(c.memory.conditions, luminanceOf(sensor),
                                    c.memory.measuringAngle, c.identity.lowLuminanceModel());
    double seconds = c.timing.fixedSeconds.value_or(x.measuringSeconds * c.timing.scale);
    seconds = std::max(0.0, std::round(seconds * 100.0) / 100.0);

    PendingMeasurement p;
    p.end =
        c.now + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    p.session = c.session;
    p.insufficient = x.insufficient;
    p.result = freshRecord(c);
    p.result.integrationUs = static_cast<int>(std::lround(x.integrationSeconds * 1e6));
    p.result.spectrum = produceReading(sensor, c.memory, x, c.errors, c.noise, c.rng);
    c.runtime.measuring = std::move(p);
    c.runtime.dataAvailable = false;
    return seconds;
}

std::string executeCommand(CommandContext& c, std::string_view line) {
    if (!c.runtime.remote && line != "RMTS,1") {
        return er(0);
    }
    if (line == "&") {
        if (c.continuation.empty()) {
            return kNoData;
        }
        std::string reply = std::move(c.continuation.front());
        c.continuation.pop_front();
        return reply;
    }
    if (!printable(line)) {
        return kParameterError;
    }
    const Fields f = split(line);
    if (c.runtime.measuring && line != "MEAS,0" && f[0] != "RMTS") {
        return kMeasuring;
    }
    const auto& table = handlers();
    const auto it = table.find(f[0]);
    if (it == table.end()) {
        return kParameterError;
    }
    static const std::set<std::string_view> plainReads = {"LNSR", "NDFR", "STSR", "CSMR",
                                                          "DIMR", "OBSR", "BALR", "LUUR"};
    if (f.size() != 1 && plainReads.contains(f[0])) {
        return kParameterError;
    }
    // A new request ends any text-mode transfer still pending.
    c.continuation.clear();
    return it->second(c, f);
}

}  // namespace rx9100sim
