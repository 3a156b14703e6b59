#include "link/ConditionLink.h"

#include "link/ConditionProtocol.h"
#include "platform/System.h"
#include "platform/UiServices.h"
#include "resources/StringTable.h"
#include "sensor/ResultCodes.h"

namespace {

using codes::status::kOk;
using codes::status::kRefused;
using protocol::kConditionTimeout;

// An instrument that keeps refusing the measuring key is asked this many times at most,
// this far apart.
constexpr int kTriggerAttempts = 20;
constexpr unsigned kTriggerRetryMs = 50;
constexpr int kStrayReplyText = 20150;  // "data reception failed"

}  // namespace

ConditionLink::ConditionLink(Exchanger& exchanger, DriverConditions conditions)
    : exchanger_(exchanger), conditions_(conditions) {}

int ConditionLink::query(const char* command, std::string& reply) {
    return exchanger_.exchange(command, reply, kConditionTimeout, true);
}

int ConditionLink::send(const std::string& command) {
    // A recovery on the way reads the instrument's conditions into the driver's, then the
    // command goes out once more: the driver keeps the conditions it is writing, so that
    // this command and the ones after it carry the host's values.
    const SetupStatus writing = conditions_.status;
    const int writingInsertNd = conditions_.insertNd;
    std::string reply;
    const int r = exchanger_.exchange(command, reply, kConditionTimeout, true);
    const int area = conditions_.status.getMeasurementArea();  // read, never written
    conditions_.status = writing;
    conditions_.status.setMeasurementArea(area);
    conditions_.insertNd = writingInsertNd;
    return r;
}

void ConditionLink::setInsertNd(int value) {
    conditions_.insertNd = value;
    conditions_.status.setInsertNd(value);
}

int ConditionLink::readSpeed() {
    std::string reply;
    if (int r = query(protocol::kSpeedQuery, reply); r != kOk) {
        return r;
    }
    const protocol::SpeedReading reading = protocol::parseSpeed(reply, conditions_.firmwareLevel);
    SetupStatus& status = conditions_.status;
    status.setSpeed(reading.speed);
    if (reading.count) {
        status.setSyncManualParam(*reading.count);
    }
    if (reading.integrationSeconds) {
        status.setSyncManualDouble(*reading.integrationSeconds);
    }
    setInsertNd(reading.insertNd);
    return kOk;
}

int ConditionLink::writeSpeed() {
    const auto command = protocol::speedCommand(conditions_.status, conditions_.firmwareLevel);
    return command ? send(*command) : kRefused;
}

int ConditionLink::readSync() {
    std::string reply;
    if (int r = query(protocol::kSyncQuery, reply); r != kOk) {
        return r;
    }
    const protocol::SyncReading reading = protocol::parseSync(reply);
    conditions_.status.setSync(reading.sync);
    if (reading.frequency) {
        conditions_.status.setSyncInternalParam(*reading.frequency);
    }
    return kOk;
}

int ConditionLink::writeSync() {
    const auto command = protocol::syncCommand(conditions_.status);
    return command ? send(*command) : kRefused;
}

int ConditionLink::readLens() {
    std::string reply;
    int r = query(protocol::kLensQuery, reply);
    if (r == kOk) {
        conditions_.status.setLens(protocol::parseLens(reply));
    }
    return r;
}

int ConditionLink::writeLens() {
    const auto command = protocol::lensCommand(conditions_.status.getLens());
    return command ? send(*command) : kRefused;
}

int ConditionLink::readNd() {
    std::string reply;
    int r = query(protocol::kNdQuery, reply);
    if (r == kOk) {
        conditions_.status.setNd(protocol::parseNd(reply));
    }
    return r;
}

int ConditionLink::writeNd() {
    const auto command = protocol::ndCommand(conditions_.status.getNd());
    return command ? send(*command) : kRefused;
}

int ConditionLink::readAngle() {
    std::string reply;
    int r = query(protocol::kAreaQuery, reply);
    if (r == kOk) {
        const protocol::AngleReading reading = protocol::parseAngle(reply);
        conditions_.angleIndex = reading.index;
        conditions_.status.setMeasurementArea(reading.area);
    }
    return r;
}

int ConditionLink::readAll() {
    for (int (ConditionLink::*read)() :
         {&ConditionLink::readLens, &ConditionLink::readAngle, &ConditionLink::readNd,
          &ConditionLink::readSpeed, &ConditionLink::readSync}) {
        if (int r = (this->*read)(); r != kOk) {
            return r;
        }
    }
    return kOk;
}

int ConditionLink::readDigit(const char* command, int& out) {
    std::string reply;
    int r = query(command, reply);
    if (r == kOk) {
        out = protocol::replyDigit(reply);
    }
    return r;
}

int ConditionLink::writeValue(const char* mnemonic, int value) {
    return send(protocol::valueCommand(mnemonic, value));
}

int ConditionLink::readBackLight(int& always, int& measuring) {
    std::string reply;
    int r = query(protocol::kBackLightQuery, reply);
    always = protocol::digitAt(reply, 5);
    measuring = protocol::digitAt(reply, 7);
    return r;
}

int ConditionLink::writeBackLight(int always, int measuring) {
    return send(protocol::backLightCommand(always, measuring));
}

int ConditionLink::readUnit(int& unit) {
    std::string reply;
    int r = query(protocol::kUnitQuery, reply);
    if (r == kOk) {
        unit = protocol::parseUnit(reply);
    }
    return r;
}

int ConditionLink::writeUnit(int unit) {
    return send(protocol::unitCommand(unit));
}

int ConditionLink::setTriggerEnable(bool enable) {
    const std::string command = protocol::triggerCommand(enable);
    bool strayReply = false;
    int r = kOk;
    for (int attempt = 0; attempt < kTriggerAttempts; ++attempt) {
        std::string reply;
        r = exchanger_.exchange(command, reply, kConditionTimeout, true);
        if (r == kOk && protocol::isStrayTriggerReply(reply)) {
            strayReply = true;  // that reply belonged to something else: ask again
            continue;
        }
        if (r == kRefused && !strayReply) {
            platform::sleepMs(kTriggerRetryMs);  // a measuring instrument answers ER02 for a while
            continue;
        }
        break;
    }
    if (strayReply) {
        platform::messageBox(resources::loadString(kStrayReplyText));
        return kRefused;
    }
    return r;
}
