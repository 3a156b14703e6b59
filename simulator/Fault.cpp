#include "simulator/Fault.h"

#include "simulator/HexFloat.h"

namespace rx9100sim {

const char* const kFaultSyntaxHelp =
    "FAULT is [PREFIX][#K[+]]:ACTION[:ARG]; it fires once, at the K-th (default 1st) command\n"
    "line starting with PREFIX (\"*\" or empty: any command), counted from when it is armed;\n"
    "with \"+\" after K it fires at every matching line from the K-th on, until cleared.\n"
    "ACTION: error:NN (answer ERNN), leave-remote (the command answers ER00), silent,\n"
    "stray[:LINE] (extra line, default OK00), garbage[:BYTES] (\\xHH escapes allowed),\n"
    "nan[:INDEX] / inf[:INDEX] (value INDEX of a hexadecimal reply), hangup (half the\n"
    "reply, then the line drops), slow:MILLISECONDS, reply:TEXT (answer TEXT; the command\n"
    "has no effect), drop[:N] (the last N values left out, default 1), value:INDEX:TEXT\n"
    "(value INDEX becomes TEXT; INDEX one past the last adds a value).\n"
    "Examples: \"MEAS,1#2:error:30\"  \"MEDR,1,1,4:nan:100\"  \"*:silent\"  \"IDDR:slow:3000\"\n"
    "          \"*#1+:reply:OK00\"  \"MEDR,1,1,2:drop\"  \"MEDR,1,1,1:value:5:3F80ZZ00\"";

namespace {

std::string unescape(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x') {
            unsigned value = 0;
            bool ok = true;
            for (int k = 2; k <= 3; ++k) {
                const char c = text[i + k];
                value <<= 4;
                if (c >= '0' && c <= '9') {
                    value |= c - '0';
                } else if (c >= 'a' && c <= 'f') {
                    value |= c - 'a' + 10;
                } else if (c >= 'A' && c <= 'F') {
                    value |= c - 'A' + 10;
                } else {
                    ok = false;
                }
            }
            if (ok) {
                out += static_cast<char>(value);
                i += 3;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

bool fail(std::string* error, const std::string& why) {
    if (error) {
        *error = why;
    }
    return false;
}

}  // namespace

std::optional<Fault> Fault::parse(std::string_view description, std::string* error) {
    const auto colon = description.find(':');
    if (colon == std::string_view::npos) {
        fail(error, "missing ':ACTION' in fault \"" + std::string(description) + "\"");
        return std::nullopt;
    }
    Fault f;
    std::string_view trigger = description.substr(0, colon);
    std::string_view rest = description.substr(colon + 1);
    if (const auto hash = trigger.find('#'); hash != std::string_view::npos) {
        std::string_view occurrence = trigger.substr(hash + 1);
        if (occurrence.ends_with('+')) {
            f.repeats = true;
            occurrence.remove_suffix(1);
        }
        const auto k = parseInteger(occurrence);
        if (!k || *k < 1) {
            fail(error, "bad occurrence in fault \"" + std::string(description) + "\"");
            return std::nullopt;
        }
        f.occurrence = static_cast<int>(*k);
        trigger = trigger.substr(0, hash);
    }
    f.match = trigger == "*" ? std::string() : std::string(trigger);

    const auto argColon = rest.find(':');
    const std::string_view action = rest.substr(0, argColon);
    const bool hasArg = argColon != std::string_view::npos;
    const std::string_view arg = hasArg ? rest.substr(argColon + 1) : std::string_view();
    const auto number = [&](long long low, long long high) -> std::optional<long long> {
        const auto v = parseInteger(arg);
        if (!v || *v < low || *v > high) {
            return std::nullopt;
        }
        return v;
    };

    if (action == "error") {
        const auto code = number(0, 99);
        if (!code) {
            fail(error, "error needs a code 0 to 99");
            return std::nullopt;
        }
        f.kind = Kind::ErrorReply;
        f.code = static_cast<int>(*code);
    } else if (action == "leave-remote") {
        f.kind = Kind::LeaveRemote;
    } else if (action == "silent") {
        f.kind = Kind::Silent;
    } else if (action == "stray") {
        f.kind = Kind::StrayLine;
        f.text = hasArg ? unescape(arg) : std::string("OK00");
    } else if (action == "garbage") {
        f.kind = Kind::Garbage;
        f.text = hasArg ? unescape(arg) : std::string("\xFF\x01~#");
    } else if (action == "nan" || action == "inf") {
        f.kind = action == "nan" ? Kind::NanValue : Kind::InfValue;
        if (hasArg) {
            const auto index = number(0, 1000);
            if (!index) {
                fail(error, "bad value index");
                return std::nullopt;
            }
            f.valueIndex = static_cast<int>(*index);
        }
    } else if (action == "hangup") {
        f.kind = Kind::HangUp;
    } else if (action == "slow") {
        const auto ms = number(0, 3600000);
        if (!ms) {
            fail(error, "slow needs milliseconds");
            return std::nullopt;
        }
        f.kind = Kind::Slow;
        f.delay = std::chrono::milliseconds(*ms);
    } else if (action == "reply") {
        f.kind = Kind::Replace;
        f.text = unescape(arg);
    } else if (action == "drop") {
        const auto n = hasArg ? number(1, 1000) : std::optional<long long>(1);
        if (!n) {
            fail(error, "drop needs a count 1 to 1000");
            return std::nullopt;
        }
        f.kind = Kind::DropValues;
        f.count = static_cast<int>(*n);
    } else if (action == "value") {
        const auto colon = arg.find(':');
        const auto index = parseInteger(arg.substr(0, colon));
        if (colon == std::string_view::npos || !index || *index < 0 || *index > 1000) {
            fail(error, "value needs INDEX:TEXT, INDEX 0 to 1000");
            return std::nullopt;
        }
        f.kind = Kind::SetValue;
        f.valueIndex = static_cast<int>(*index);
        f.text = unescape(arg.substr(colon + 1));
    } else {
        fail(error, "unknown fault action \"" + std::string(action) + "\"");
        return std::nullopt;
    }
    return f;
}

std::string Fault::describe() const {
    std::string s = (match.empty() ? std::string("*") : match) + "#" + std::to_string(occurrence) +
                    (repeats ? "+" : "") + ":";
    switch (kind) {
        case Kind::ErrorReply:
            return s + "error:" + std::to_string(code);
        case Kind::LeaveRemote:
            return s + "leave-remote";
        case Kind::Silent:
            return s + "silent";
        case Kind::StrayLine:
            return s + "stray:" + text;
        case Kind::Garbage:
            return s + "garbage";
        case Kind::NanValue:
            return s + "nan:" + std::to_string(valueIndex);
        case Kind::InfValue:
            return s + "inf:" + std::to_string(valueIndex);
        case Kind::HangUp:
            return s + "hangup";
        case Kind::Slow:
            return s + "slow:" + std::to_string(delay.count());
        case Kind::Replace:
            return s + "reply:" + text;
        case Kind::DropValues:
            return s + "drop:" + std::to_string(count);
        case Kind::SetValue:
            return s + "value:" + std::to_string(valueIndex) + ":" + text;
    }
    return s;
}

}  // namespace rx9100sim
