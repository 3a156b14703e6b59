// Reading the instrument's measuring conditions into the driver's conditions
// and writing them back, with the mapping between wire codes and status codes.
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "link/ReplyFields.h"
#include "outside/CommonWords.h"
#include "platform/Numbers.h"
#include "platform/System.h"
#include "platform/UiServices.h"
#include "resources/StringTable.h"
#include "sensor/TavoRX9100.h"

namespace {

constexpr int kTimeout = 10;

// The one character at position 5, the first after "OK00,".
int digitAt(const std::string& reply, std::size_t position) {
    if (reply.size() <= position) {
        return 0;
    }
    return std::atoi(reply.substr(position, 1).c_str());
}

int field(const ReplyFields& fields, int n) {
    return platform::cAtoi(fields.field(n));
}

std::string format(const char* pattern, int value) {
    char text[32];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

}  // namespace

int TavoRX9100::readDigit(const char* command, int& out) {
    std::string reply;
    int r = doCommunication(command, reply, kTimeout, true);
    if (r == 0) {
        out = digitAt(reply, 5);
    }
    return r;
}

int TavoRX9100::checkSpeed() {
    std::string reply;
    int r = doCommunication("SPMR\r\n", reply, kTimeout, true);
    if (r != 0) {
        return r;
    }
    ReplyFields fields(reply);
    bool newLayout = firmwareLevel >= 110;
    int nd = -1;
    switch (field(fields, 2)) {
        case 0:
        case 1:
            setupStatus.setSpeed(field(fields, 2) == 0 ? 3 : 2);
            nd = newLayout ? field(fields, 3) : -1;
            break;
        case 2:
            setupStatus.setSpeed(newLayout ? 14 : 12);
            setupStatus.setSyncManualParam(static_cast<float>(field(fields, 3)));
            nd = newLayout ? field(fields, 4) : -1;
            break;
        case 3:
            setupStatus.setSpeed(7);
            setupStatus.setSyncManualDouble(platform::cAtof(fields.field(3)) * 1e-6);
            nd = field(fields, 4);
            break;
        case 4:
            setupStatus.setSpeed(13);
            setupStatus.setSyncManualParam(static_cast<float>(field(fields, 3)));
            nd = field(fields, 4);
            break;
        default:
            setupStatus.setSpeed(3);
            break;
    }
    setInsertNd(nd);
    return 0;
}

int TavoRX9100::setSpeed() {
    bool newLayout = firmwareLevel >= 110;
    std::string nd = "," + std::to_string(setupStatus.getInsertNd());
    auto count = [this] {
        return format("%02d", static_cast<int>(std::trunc(setupStatus.getSyncManualParam() + 0.5)));
    };
    std::string line = "SPMS,";
    switch (setupStatus.getSpeed()) {
        case 3:
            line += "0" + (newLayout ? nd : "");
            break;
        case 2:
            line += "1" + (newLayout ? nd : "");
            break;
        case 12:
            line += "2," + count();
            break;
        case 14:
            line += "2," + count() + (newLayout ? nd : "");
            break;
        case 13:
            line += "4," + count() + (newLayout ? nd : "");
            break;
        case 7: {
            double micros = std::trunc(setupStatus.getSyncManualDouble() * 1000000.0 + 0.5);
            line += "3," + format("%09d", static_cast<int>(micros)) + nd;
            break;
        }
        default:
            return 10;
    }
    std::string reply;
    return doCommunication(line + "\r\n", reply, kTimeout, true);
}

int TavoRX9100::checkSync() {
    std::string reply;
    int r = doCommunication("SCMR\r\n", reply, kTimeout, true);
    if (r != 0) {
        return r;
    }
    ReplyFields fields(reply);
    switch (field(fields, 2)) {
        case 0:
            setupStatus.setSync(8);
            break;
        case 1:
            setupStatus.setSync(3);
            setupStatus.setSyncInternalParam(
                static_cast<float>(platform::cAtof(fields.field(3)) * 0.01));
            break;
        default:
            setupStatus.setSync(2);
            break;
    }
    return 0;
}

int TavoRX9100::setSync() {
    std::string line;
    switch (setupStatus.getSync()) {
        case 8:
            line = "SCMS,0\r\n";
            break;
        case 3: {
            double hundredths = std::trunc(setupStatus.getSyncInternalParam() * 100.0 + 0.5);
            line = "SCMS,1," + format("%05d", static_cast<int>(hundredths)) + "\r\n";
            break;
        }
        case 2:
            line = "SCMS,2\r\n";
            break;
        default:
            return 10;
    }
    std::string reply;
    return doCommunication(line, reply, kTimeout, true);
}

int TavoRX9100::checkLens() {
    std::string reply;
    int r = doCommunication("LNSR\r\n", reply, kTimeout, true);
    if (r == 0) {
        setupStatus.setLens(field(ReplyFields(reply), 2) == 1 ? 11 : 1);
    }
    return r;
}

int TavoRX9100::setLens() {
    const char* line = nullptr;
    switch (setupStatus.getLens()) {
        case 1:
            line = "LNSS,0\r\n";
            break;
        case 11:
            line = "LNSS,1\r\n";
            break;
        default:
            return 10;
    }
    std::string reply;
    return doCommunication(line, reply, kTimeout, true);
}

int TavoRX9100::checkNd() {
    std::string reply;
    int r = doCommunication("NDFR\r\n", reply, kTimeout, true);
    if (r == 0) {
        int filter = field(ReplyFields(reply), 2);
        setupStatus.setNd(filter == 1 ? 15 : filter == 2 ? 16 : 0);
    }
    return r;
}

int TavoRX9100::setNd() {
    const char* line = nullptr;
    switch (setupStatus.getNd()) {
        case 0:
            line = "NDFS,0\r\n";
            break;
        case 15:
            line = "NDFS,1\r\n";
            break;
        case 16:
            line = "NDFS,2\r\n";
            break;
        default:
            return 10;
    }
    std::string reply;
    return doCommunication(line, reply, kTimeout, true);
}

int TavoRX9100::checkArea() {
    std::string reply;
    int r = doCommunication("STSR\r\n", reply, kTimeout, true);
    if (r == 0) {
        mesAng = field(ReplyFields(reply), 2);
        setupStatus.setMeasurementArea(mesAng == 0 ? 23 : mesAng == 1 ? 22 : 21);
    }
    return r;
}

int TavoRX9100::checkColorSpace(int& out) {
    return readDigit("CSMR\r\n", out);
}

int TavoRX9100::setColorSpace(int value) {
    std::string reply;
    return doCommunication("CSMS," + std::to_string(value) + "\r\n", reply, kTimeout, true);
}

int TavoRX9100::checkDisplayMode(int& out) {
    return readDigit("DIMR\r\n", out);
}

int TavoRX9100::setDisplayMode(int value) {
    std::string reply;
    return doCommunication("DIMS," + std::to_string(value) + "\r\n", reply, kTimeout, true);
}

int TavoRX9100::checkObserver(int& out) {
    return readDigit("OBSR\r\n", out);
}

int TavoRX9100::setObserver(int value) {
    std::string reply;
    int r = doCommunication("OBSS," + std::to_string(value) + "\r\n", reply, kTimeout, true);
    setupStatus.setObserver(0);  // the host's observer is a setting of its own
    return r;
}

int TavoRX9100::checkBackLight(int& always, int& measuring) {
    std::string reply;
    int r = doCommunication("BALR\r\n", reply, kTimeout, true);
    always = digitAt(reply, 5);
    measuring = digitAt(reply, 7);
    return r;
}

int TavoRX9100::setBackLight(int always, int measuring) {
    std::string reply;
    return doCommunication(
        "BALS," + std::to_string(always) + "," + std::to_string(measuring) + "\r\n", reply,
        kTimeout, true);
}

int TavoRX9100::checkLuminanceMode(int& out) {
    int wire = 0;
    int r = readDigit("LUUR\r\n", wire);
    if (r == 0) {
        out = wire == 0 ? 1 : 0;
    }
    return r;
}

int TavoRX9100::setLuminanceMode(int value) {
    std::string reply;
    return doCommunication(value != 0 ? "LUUS,0\r\n" : "LUUS,1\r\n", reply, kTimeout, true);
}

int TavoRX9100::setTriggerEnable(bool enable, bool) {
    // An instrument that keeps refusing is asked this many times at most.
    constexpr int kMaxAttempts = 20;
    const char* line = enable ? "MSWE,1\r\n" : "MSWE,0\r\n";
    bool strayReply = false;
    int r = 0;
    for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
        std::string reply;
        r = doCommunication(line, reply, kTimeout, true);
        if (r == 0 && reply.size() > 5) {
            strayReply = true;  // that reply belonged to something else: ask again
            continue;
        }
        if (r == 10 && !strayReply) {
            platform::sleepMs(50);  // a measuring instrument answers ER02 for a while
            continue;
        }
        break;
    }
    if (strayReply) {
        platform::messageBox(resources::loadString(20150));
        return 10;
    }
    return r;
}
