#include "StoredData.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "ConditionReport.h"
#include "ErrorReport.h"
#include "Measurement.h"

namespace cli {

namespace {

constexpr int kFirstNm = 380;
constexpr int kPoints = 401;

nlohmann::json valueOrNull(double value) {
    return tintcalc::isDefined(value) ? nlohmann::json(value) : nlohmann::json(nullptr);
}

std::string formatted(double value, const char* format) {
    if (!tintcalc::isDefined(value)) {
        return "";
    }
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

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

int numberOf(const DataPack& pack, bool target) {
    return target ? pack.targetNumber : pack.sampleNumber;
}

bool isSpectral(const DataPack& pack) {
    return pack.format.getType() == DataFormat::kSpectral;
}

// A record of a file back into the form the driver reads from the instrument.
std::optional<DataPack> packFromJson(const nlohmann::json& object, bool target, int& observer,
                                     std::string& error) {
    DataPack pack;
    MeasuringData record;
    const int number = object.value("number", 0);
    (target ? pack.targetNumber : pack.sampleNumber) = number;
    pack.name = object.value("name", std::string());
    record.setCommonString(pack.name);
    const std::string type = object.value("type", std::string("spectral"));
    const auto where = "record " + std::to_string(number) + ": ";
    if (type == "colour") {
        const auto values = object.find("values");
        if (values == object.end() || !values->is_array() || values->size() != 3) {
            error = where + "a colour-only record needs its three values";
            return std::nullopt;
        }
        for (const auto& v : *values) {
            if (!v.is_number()) {
                error = where + "its values must be numbers";
                return std::nullopt;
            }
            record.getData().push_back(v.get<double>());
        }
        observer = object.value("observer", 2);
        if (observer != 2 && observer != 10) {
            error = where + "the observer is 2 or 10";
            return std::nullopt;
        }
        pack.format.setType(DataFormat::kColorimetric, 3);
    } else if (type == "spectral") {
        const auto spectrum = object.find("spectrum");
        if (spectrum == object.end() || !spectrum->is_object() ||
            spectrum->value("first_nm", 0) != kFirstNm || spectrum->value("step_nm", 0) != 1 ||
            !spectrum->contains("values") || !(*spectrum)["values"].is_array() ||
            (*spectrum)["values"].size() != kPoints) {
            error = where + "a spectrum needs 401 values from 380 nm in steps of 1 nm";
            return std::nullopt;
        }
        for (const auto& v : (*spectrum)["values"]) {
            if (!v.is_number()) {
                error = where + "every spectral value must be a number";
                return std::nullopt;
            }
            record.getData().push_back(v.get<double>());
        }
        pack.format.setType(DataFormat::kSpectral, kPoints);
        pack.format.setWaveLength(1, kFirstNm, kFirstNm + kPoints - 1);
        observer = 2;
    } else {
        error = where + "the type is spectral or colour, not \"" + type + "\"";
        return std::nullopt;
    }
    pack.data.push_back(std::move(record));
    return pack;
}

}  // namespace

const char* kindName(bool targets) {
    return targets ? "targets" : "samples";
}

tintcalc::ColorResult colourOf(const DataPack& pack, int observer) {
    if (pack.data.empty()) {
        return {};
    }
    const std::vector<double>& values = pack.data.front().getData();
    if (isSpectral(pack)) {
        return tintcalc::computeSpectrum(values, 1, kFirstNm, kFirstNm + kPoints - 1, observer);
    }
    if (values.size() != 3) {
        return {};
    }
    // Colour-only values are in the observer they were stored for.
    return tintcalc::computeLvxy(values[0], values[1], values[2],
                                 pack.data.front().getObserver() == 10 ? 10 : 2);
}

nlohmann::json recordJson(const DataPack& pack, bool target, const ConditionNames& names,
                          int observer) {
    nlohmann::json object;
    object["number"] = numberOf(pack, target);
    object["type"] = isSpectral(pack) ? "spectral" : "colour";
    if (target) {
        object["name"] = pack.name;
    }
    const tintcalc::ColorResult c = colourOf(pack, observer);
    const MeasuringData& record = pack.data.front();
    if (isSpectral(pack)) {
        object["colour"] = {{"observer", observer},
                            {"Lv", valueOrNull(c.Lv)},
                            {"x", valueOrNull(c.x)},
                            {"y", valueOrNull(c.y)}};
        object["conditions"] = conditionsJson(record, names);
        object["integration_time_s"] = record.getIntegralTime();
        object["spectrum"] = {{"first_nm", kFirstNm},
                              {"step_nm", 1},
                              {"unit", kRadianceUnit},
                              {"values", record.getData()}};
    } else {
        const int stored = record.getObserver() == 10 ? 10 : 2;
        object["colour"] = {{"observer", stored},
                            {"Lv", valueOrNull(c.Lv)},
                            {"x", valueOrNull(c.x)},
                            {"y", valueOrNull(c.y)}};
        object["observer"] = stored;
        object["values"] = record.getData();
    }
    return object;
}

nlohmann::json storedDocument(const StoredSet& set, const InstrumentIdentity& identity,
                              const ConditionNames& names, int observer) {
    nlohmann::json document;
    document["format"] = "rx9100 stored data";
    document["version"] = kStoredFileVersion;
    document["saved"] = isoTime(CTime::GetCurrentTime());
    document["instrument"] = {{"name", identity.name},
                              {"variation", identity.variation},
                              {"body_number", identity.bodyNumber},
                              {"rom_version", identity.romVersion}};
    for (bool targets : {true, false}) {
        const auto& records = targets ? set.targets : set.samples;
        if (!records) {
            continue;
        }
        nlohmann::json list = nlohmann::json::array();
        for (const auto& [number, pack] : records->records) {
            list.push_back(recordJson(pack, targets, names, observer));
        }
        document[kindName(targets)] = std::move(list);
    }
    return document;
}

std::optional<LoadedRecords> loadStoredFile(const std::string& path, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot read " + path + ": " + std::strerror(errno);
        return std::nullopt;
    }
    std::stringstream text;
    text << in.rdbuf();
    nlohmann::json document = nlohmann::json::parse(text.str(), nullptr, false);
    if (document.is_discarded() || !document.is_object()) {
        // A measurement of rx9100 measure --format json is one object per line: the first.
        std::string first;
        std::istringstream lines(text.str());
        std::getline(lines, first);
        document = nlohmann::json::parse(first, nullptr, false);
        if (document.is_discarded() || !document.is_object()) {
            error = path + " is not a JSON file of rx9100";
            return std::nullopt;
        }
    }
    LoadedRecords loaded;
    if (!document.contains("targets") && !document.contains("samples")) {
        if (!document.contains("spectrum")) {
            error = path + " holds neither stored records nor a measurement";
            return std::nullopt;
        }
        nlohmann::json record = document;
        record["number"] = 0;
        record["type"] = "spectral";
        int observer = 2;
        auto pack = packFromJson(record, true, observer, error);
        if (!pack) {
            error = path + ": " + error;
            return std::nullopt;
        }
        loaded.targets.push_back(std::move(*pack));
        loaded.observers.push_back(observer);
        return loaded;
    }
    if (document.contains("samples")) {
        if (!document["samples"].is_array()) {
            error = path + ": samples must be a list";
            return std::nullopt;
        }
        loaded.samples = document["samples"].size();
    }
    if (!document.contains("targets")) {
        return loaded;
    }
    if (!document["targets"].is_array()) {
        error = path + ": targets must be a list";
        return std::nullopt;
    }
    for (const auto& object : document["targets"]) {
        int observer = 2;
        if (!object.is_object()) {
            error = path + ": every record is an object";
            return std::nullopt;
        }
        auto pack = packFromJson(object, true, observer, error);
        if (!pack) {
            error = path + ": " + error;
            return std::nullopt;
        }
        loaded.targets.push_back(std::move(*pack));
        loaded.observers.push_back(observer);
    }
    return loaded;
}

std::string storedCsv(const StoredSet& set, int observer) {
    std::string text = "kind,number,type,name,observer,Lv,x,y";
    for (int nm = kFirstNm; nm < kFirstNm + kPoints; ++nm) {
        text += "," + std::to_string(nm);
    }
    text += "\n";
    for (bool targets : {true, false}) {
        const auto& records = targets ? set.targets : set.samples;
        if (!records) {
            continue;
        }
        for (const auto& [number, pack] : records->records) {
            const bool spectral = isSpectral(pack);
            const tintcalc::ColorResult c = colourOf(pack, observer);
            const int shownObserver =
                spectral ? observer : (pack.data.front().getObserver() == 10 ? 10 : 2);
            text += std::string(targets ? "target," : "sample,") + std::to_string(number) + "," +
                    (spectral ? "spectral" : "colour") + "," + csvField(targets ? pack.name : "") +
                    "," + std::to_string(shownObserver) + "," + formatted(c.Lv, "%.4f") + "," +
                    formatted(c.x, "%.4f") + "," + formatted(c.y, "%.4f");
            const auto& values = pack.data.front().getData();
            for (int i = 0; i < kPoints; ++i) {
                text += ",";
                if (spectral) {
                    text += formatted(values[static_cast<std::size_t>(i)], "%.9g");
                }
            }
            text += "\n";
        }
    }
    return text;
}

std::string storedCgats(const StoredSet& set, const InstrumentIdentity& identity,
                        std::vector<std::string>& skipped) {
    std::string rows;
    int sets = 0;
    for (bool targets : {true, false}) {
        const auto& records = targets ? set.targets : set.samples;
        if (!records) {
            continue;
        }
        for (const auto& [number, pack] : records->records) {
            const std::string id = (targets ? "T" : "S") + std::to_string(number);
            if (!isSpectral(pack)) {
                skipped.push_back(id);
                continue;
            }
            const tintcalc::ColorResult c = colourOf(pack, 2);
            std::string name = targets ? pack.name : std::string();
            for (char& ch : name) {
                ch = ch == '"' ? '\'' : ch;
            }
            rows += id + " \"" + name + "\" " + formatted(c.X, "%.7g") + " " +
                    formatted(c.Y, "%.7g") + " " + formatted(c.Z, "%.7g");
            for (double v : pack.data.front().getData()) {
                rows += " " + formatted(v * 1000.0, "%.7g");  // mW, as the measurements' CGATS
            }
            rows += "\n";
            ++sets;
        }
    }
    std::string text = "CTI3\n\n";
    text += "DESCRIPTOR \"RX-9100 stored data, spectral radiance in mW/(sr*m2*nm)\"\n";
    text += "ORIGINATOR \"rx9100\"\n";
    text += "TARGET_INSTRUMENT \"" + identity.name + " body " + identity.bodyNumber + " ROM " +
            identity.romVersion + "\"\n";
    text += "INSTRUMENT_TYPE_SPECTRAL \"YES\"\n";
    text +=
        "SPECTRAL_BANDS \"401\"\nSPECTRAL_START_NM \"380.000000\"\n"
        "SPECTRAL_END_NM \"780.000000\"\nSPECTRAL_NORM \"1.000000\"\n\n";
    text += "NUMBER_OF_FIELDS " + std::to_string(5 + kPoints) + "\nBEGIN_DATA_FORMAT\n";
    text += "SAMPLE_ID SAMPLE_NAME XYZ_X XYZ_Y XYZ_Z";
    for (int nm = kFirstNm; nm < kFirstNm + kPoints; ++nm) {
        text += " SPEC_" + std::to_string(nm);
    }
    text += "\nEND_DATA_FORMAT\n\nNUMBER_OF_SETS " + std::to_string(sets) + "\nBEGIN_DATA\n";
    return text + rows + "END_DATA\n";
}

std::string writeWhole(const std::string& path, const std::string& text) {
    namespace fs = std::filesystem;
    const fs::path target(path);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        return "cannot write " + path + ": " + std::strerror(errno);
    }
    const auto fail = [&](const std::string& what) {
        const std::string reason = std::strerror(errno);
        ::close(fd);
        ::unlink(pattern.c_str());
        return "cannot " + what + " " + path + ": " + reason;
    };
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return fail("write");
        }
        written += static_cast<std::size_t>(n);
    }
    if (::fchmod(fd, 0644) != 0 || ::fsync(fd) != 0) {
        return fail("write");
    }
    if (::close(fd) != 0) {
        ::unlink(pattern.c_str());
        return "cannot write " + path + ": " + std::strerror(errno);
    }
    if (std::rename(pattern.c_str(), path.c_str()) != 0) {
        const std::string reason = std::strerror(errno);
        ::unlink(pattern.c_str());
        return "cannot write " + path + ": " + reason;
    }
    return "";
}

}  // namespace cli
