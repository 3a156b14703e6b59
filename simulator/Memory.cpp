#include "simulator/Memory.h"

#include <nlohmann/json.hpp>

namespace rx9100sim {
namespace {

using nlohmann::json;

json tableJson(const std::optional<Table>& t) {
    return t ? json(*t) : json(nullptr);
}

std::optional<Table> tableFrom(const json& j) {
    if (j.is_null()) {
        return std::nullopt;
    }
    Table t = j.get<Table>();
    return t;
}

json conditionsJson(const Conditions& c) {
    return {{"speedMode", c.speedMode},
            {"count", c.count},
            {"integrationUs", c.integrationUs},
            {"internalNd", c.internalNd},
            {"syncMode", c.syncMode},
            {"syncCentiHz", c.syncCentiHz},
            {"lens", c.lens},
            {"nd", c.nd}};
}

Conditions conditionsFrom(const json& j) {
    Conditions c;
    c.speedMode = j.value("speedMode", c.speedMode);
    c.count = j.value("count", c.count);
    c.integrationUs = j.value("integrationUs", c.integrationUs);
    c.internalNd = j.value("internalNd", c.internalNd);
    c.syncMode = j.value("syncMode", c.syncMode);
    c.syncCentiHz = j.value("syncCentiHz", c.syncCentiHz);
    c.lens = j.value("lens", c.lens);
    c.nd = j.value("nd", c.nd);
    return c;
}

json recordJson(const std::optional<StoredRecord>& r) {
    if (!r) {
        return nullptr;
    }
    return {{"spectral", r->spectral},
            {"spectrum", r->spectrum},
            {"conditions", conditionsJson(r->conditions)},
            {"integrationUs", r->integrationUs},
            {"angle", r->angle},
            {"channel", r->channel},
            {"colour", r->colour},
            {"observerCode", r->observerCode},
            {"name", r->name}};
}

std::optional<StoredRecord> recordFrom(const json& j) {
    if (j.is_null()) {
        return std::nullopt;
    }
    StoredRecord r;
    r.spectral = j.at("spectral").get<bool>();
    r.spectrum = j.at("spectrum").get<Table>();
    r.conditions = conditionsFrom(j.at("conditions"));
    r.integrationUs = j.value("integrationUs", 0);
    r.angle = j.value("angle", 0);
    r.channel = j.value("channel", 0);
    r.colour = j.at("colour").get<std::array<double, 3>>();
    r.observerCode = j.value("observerCode", 1);
    r.name = j.value("name", std::string());
    return r;
}

}  // namespace

Table identityWavelengthTable() {
    Table t{};
    for (int i = 0; i < kPoints; ++i) {
        t[i] = static_cast<float>(kFirstNm + i);
    }
    return t;
}

Table unitTable() {
    Table t{};
    t.fill(1.0f);
    return t;
}

std::string memoryToJson(const Memory& m) {
    json j;
    j["format"] = 1;
    j["conditions"] = conditionsJson(m.conditions);
    j["display"] = {{"colorSpace", m.display.colorSpace},
                    {"displayMode", m.display.displayMode},
                    {"observer", m.display.observer},
                    {"backlightAlways", m.display.backlightAlways},
                    {"backlightMeasuring", m.display.backlightMeasuring},
                    {"luminanceUnit", m.display.luminanceUnit}};
    j["measuringAngle"] = m.measuringAngle;
    j["activeTarget"] = m.activeTarget;
    j["activeChannel"] = m.activeChannel;
    json channels = json::array();
    for (const auto& c : m.channels) {
        channels.push_back(
            {{"wavelength", tableJson(c.wavelength)}, {"level", tableJson(c.level)}, {"id", c.id}});
    }
    j["channels"] = channels;
    json lens = json::array();
    json nd = json::array();
    for (int a = 0; a < kAngles; ++a) {
        lens.push_back(tableJson(m.lensTables[a]));
        nd.push_back({tableJson(m.ndTables[a][0]), tableJson(m.ndTables[a][1])});
    }
    j["lensTables"] = lens;
    j["ndTables"] = nd;
    json targets = json::array();
    for (const auto& t : m.targets) {
        targets.push_back(recordJson(t));
    }
    j["targets"] = targets;
    json samples = json::array();
    for (const auto& s : m.samples) {
        samples.push_back(recordJson(s));
    }
    j["samples"] = samples;
    return j.dump(1);
}

std::optional<Memory> memoryFromJson(const std::string& text, std::string* error) {
    try {
        const json j = json::parse(text);
        Memory m;
        m.conditions = conditionsFrom(j.at("conditions"));
        const json& d = j.at("display");
        m.display.colorSpace = d.value("colorSpace", 0);
        m.display.displayMode = d.value("displayMode", 0);
        m.display.observer = d.value("observer", 0);
        m.display.backlightAlways = d.value("backlightAlways", 1);
        m.display.backlightMeasuring = d.value("backlightMeasuring", 1);
        m.display.luminanceUnit = d.value("luminanceUnit", 1);
        m.measuringAngle = j.value("measuringAngle", 0);
        m.activeTarget = j.value("activeTarget", 1);
        m.activeChannel = j.value("activeChannel", 0);
        const json& channels = j.at("channels");
        for (int c = 0; c < kChannels && c < static_cast<int>(channels.size()); ++c) {
            m.channels[c].wavelength = tableFrom(channels[c].at("wavelength"));
            m.channels[c].level = tableFrom(channels[c].at("level"));
            m.channels[c].id = channels[c].value("id", std::string());
        }
        for (int a = 0; a < kAngles; ++a) {
            m.lensTables[a] = tableFrom(j.at("lensTables").at(a));
            m.ndTables[a][0] = tableFrom(j.at("ndTables").at(a).at(0));
            m.ndTables[a][1] = tableFrom(j.at("ndTables").at(a).at(1));
        }
        for (int n = 0; n <= kTargets; ++n) {
            m.targets[n] = recordFrom(j.at("targets").at(n));
        }
        for (int n = 0; n < kSamples; ++n) {
            m.samples[n] = recordFrom(j.at("samples").at(n));
        }
        return m;
    } catch (const std::exception& e) {
        if (error) {
            *error = e.what();
        }
        return std::nullopt;
    }
}

}  // namespace rx9100sim
