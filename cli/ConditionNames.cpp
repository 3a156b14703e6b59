#include "ConditionNames.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "sensor/AbstractSensorStrategy.h"
#include "sensor/ConditionCodes.h"

namespace cli {

namespace {

// English words for the codes; the list names themselves are the instrument's
// (Japanese) display words.
const std::map<int, std::string>& aliases(Condition condition) {
    using namespace codes;
    static const std::map<Condition, std::map<int, std::string>> table{
        {Condition::Speed,
         {{speed::kNormal, "normal"},
          {speed::kFast, "fast"},
          {speed::kManual, "manual"},
          {speed::kMulti, "multi"},
          {speed::kMultiRom110, "multi"},
          {speed::kMulti2, "multi2"}}},
        {Condition::Sync,
         {{sync::kNone, "none"}, {sync::kInternal, "internal"}, {sync::kExternal, "external"}}},
        {Condition::Lens, {{lens::kStandard, "standard"}, {lens::kAdapter, "adapter"}}},
        {Condition::Nd, {{nd::kNone, "none"}, {nd::kNd1, "nd1"}, {nd::kNd2, "nd2"}}},
        {Condition::InternalNd,
         {{insertnd::kOff, "off"}, {insertnd::kOn, "on"}, {insertnd::kAuto, "auto"}}},
        {Condition::Angle, {}},  // its list names ("1°") read well as they are
    };
    return table.at(condition);
}

std::vector<Choice> copyList(CapIterator* list, Condition condition) {
    std::vector<Choice> out;
    if (list == nullptr) {
        return out;
    }
    const auto& words = aliases(condition);
    for (list->First(); list->IsDone() == 0;) {
        const ItemMap item = list->Next();
        const auto word = words.find(item.id);
        out.push_back(Choice{item.id, item.name, word == words.end() ? "" : word->second});
    }
    return out;
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string format(const Choice& c) {
    const std::string code = std::to_string(c.code);
    if (c.alias.empty()) {
        return c.name.empty() ? code : c.name + " (" + code + ")";
    }
    return c.alias + " (" + code + (c.name.empty() ? "" : " " + c.name) + ")";
}

}  // namespace

std::string conditionKey(Condition condition) {
    switch (condition) {
        case Condition::Speed:
            return "speed";
        case Condition::Sync:
            return "sync";
        case Condition::Lens:
            return "lens";
        case Condition::Nd:
            return "nd";
        case Condition::InternalNd:
            return "internal-nd";
        case Condition::Angle:
            return "angle";
    }
    return "";
}

ConditionNames ConditionNames::fromDriver(AbstractSensorStrategy& driver) {
    SetupCapability& caps = *driver.getSetupCapability();
    ConditionNames names;
    names.lists_[Condition::Speed] = copyList(caps.getListSpeed(), Condition::Speed);
    names.lists_[Condition::Sync] = copyList(caps.getListSync(), Condition::Sync);
    names.lists_[Condition::Lens] = copyList(caps.getListLens(), Condition::Lens);
    names.lists_[Condition::Nd] = copyList(caps.getListNd(), Condition::Nd);
    names.lists_[Condition::InternalNd] = copyList(caps.getListInsertNd(), Condition::InternalNd);
    names.lists_[Condition::Angle] = copyList(caps.getListArea(), Condition::Angle);
    return names;
}

const std::vector<Choice>& ConditionNames::choices(Condition condition) const {
    static const std::vector<Choice> none;
    const auto found = lists_.find(condition);
    return found == lists_.end() ? none : found->second;
}

std::optional<Choice> ConditionNames::choice(Condition condition, int code) const {
    for (const Choice& c : choices(condition)) {
        if (c.code == code) {
            return c;
        }
    }
    return std::nullopt;
}

std::string ConditionNames::describe(Condition condition, int code) const {
    const auto c = choice(condition, code);
    return c ? format(*c) : "code " + std::to_string(code);
}

std::optional<int> ConditionNames::find(Condition condition, std::string_view text) const {
    for (const Choice& c : choices(condition)) {
        if ((!c.alias.empty() && equalIgnoringCase(c.alias, text)) || c.name == text) {
            return c.code;
        }
    }
    int code = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), code);
    if (error == std::errc() && end == text.data() + text.size() && choice(condition, code)) {
        return code;
    }
    return std::nullopt;
}

std::string ConditionNames::allowed(Condition condition) const {
    std::string text;
    for (const Choice& c : choices(condition)) {
        text += (text.empty() ? "" : ", ") + format(c);
    }
    return text;
}

}  // namespace cli
