#include "link/FactorTables.h"

#include "link/ConditionProtocol.h"
#include "link/FactorTableProtocol.h"
#include "link/ReplyFields.h"
#include "sensor/ResultCodes.h"

namespace {

using codes::status::kOk;

// Field 2 of the "STSR" reply: one digit, 0 to 2.
std::optional<int> angleCodeOf(const std::string& reply) {
    const std::string field = ReplyFields(reply).field(2);
    if (field.size() != 1 || field[0] < '0' || field[0] > '2') {
        return std::nullopt;
    }
    return field[0] - '0';
}

}  // namespace

FactorTableLink::FactorTableLink(Exchanger& exchanger, LinkState state)
    : exchanger_(exchanger), state_(state) {}

int FactorTableLink::readAngle(int& angle) {
    std::string reply;
    if (int r = exchanger_.exchange(protocol::kAreaQuery, reply, protocol::kConditionTimeout, true);
        r != kOk) {
        return r;
    }
    const auto code = angleCodeOf(reply);
    if (!code) {
        return state_.malformed();
    }
    angle = *code;
    return kOk;
}

int FactorTableLink::readEntry(const std::string& command, double& factor) {
    std::string reply;
    if (int r = exchanger_.exchange(command, reply, protocol::kFactorReadTimeout, false);
        r != kOk) {
        return r;
    }
    const auto value = protocol::parseFactor(reply);
    if (!value) {
        return state_.malformed();
    }
    factor = *value;
    return kOk;
}

template <class Command>
int FactorTableLink::readTable(double* table, Command command) {
    for (int i = 0; i < protocol::kTableEntries; ++i) {
        if (int r = readEntry(command(i), table[i]); r != kOk) {
            return r;
        }
    }
    return kOk;
}

template <class Command>
int FactorTableLink::writeTable(const double* table, Command command, const char* commit) {
    std::string reply;
    for (int i = 0; i < protocol::kTableEntries; ++i) {
        if (int r = exchanger_.exchange(command(i, table[i]), reply, protocol::kFactorWriteTimeout,
                                        true);
            r != kOk) {
            return r;
        }
    }
    return exchanger_.exchange(commit, reply, protocol::kFactorWriteTimeout, true);
}

int FactorTableLink::probeLens() {
    int angle = 0;
    if (int r = readAngle(angle); r != kOk) {
        return r;
    }
    double unused = 0.0;
    const int r = readEntry(protocol::lensReadCommand(angle, 0), unused);
    if (r != kOk) {
        state_.forgiveMissingData();
    }
    return r;
}

int FactorTableLink::probeNd(int filter) {
    int angle = 0;
    if (int r = readAngle(angle); r != kOk) {
        return r;
    }
    double unused = 0.0;
    const int r = readEntry(protocol::ndReadCommand(angle, filter, 0), unused);
    if (r != kOk) {
        state_.forgiveMissingData();
    }
    return r;
}

int FactorTableLink::readLens(double* table) {
    int angle = 0;
    if (int r = readAngle(angle); r != kOk) {
        return r;
    }
    return readTable(table, [angle](int i) { return protocol::lensReadCommand(angle, i); });
}

int FactorTableLink::readNd(double* table, int filter) {
    int angle = 0;
    if (int r = readAngle(angle); r != kOk) {
        return r;
    }
    return readTable(table,
                     [angle, filter](int i) { return protocol::ndReadCommand(angle, filter, i); });
}

int FactorTableLink::writeLens(const double* table, std::optional<int> angle) {
    int a = angle.value_or(0);
    if (!angle) {
        if (int r = readAngle(a); r != kOk) {
            return r;
        }
    }
    return writeTable(
        table, [a](int i, double v) { return protocol::lensWriteCommand(a, i, v); },
        protocol::kLensCommit);
}

int FactorTableLink::writeNd(const double* table, int filter, std::optional<int> angle) {
    int a = angle.value_or(0);
    if (!angle) {
        if (int r = readAngle(a); r != kOk) {
            return r;
        }
    }
    return writeTable(
        table, [a, filter](int i, double v) { return protocol::ndWriteCommand(a, filter, i, v); },
        protocol::kNdCommit);
}
