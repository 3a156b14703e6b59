// Reading measured and stored data from the instrument into records.
#include <cstdio>

#include "link/HexNumbers.h"
#include "link/ReplyFields.h"
#include "platform/Numbers.h"
#include "platform/UiServices.h"
#include "resources/StringTable.h"
#include "sensor/TavoRX9100.h"

namespace {

constexpr int kTimeout = 3;

// Values per spectral block: 100, 100, 100 and 101 for 380 to 780 nm.
int blockValues(int block) {
    return block == 4 ? 101 : 100;
}

void appendHexValues(const std::string& reply, int count, std::vector<double>& values) {
    ReplyFields fields(reply);
    for (int i = 0; i < count; ++i) {
        values.push_back(hexnum::hexToDouble(fields.field(i + 2)));
    }
}

int areaCode(int angle) {
    return angle == 0 ? 23 : angle == 1 ? 22 : 21;
}

const char* storeCommand(bool target) {
    return target ? "TGDR" : "STDR";
}

std::string storedRequest(bool target, int number, const char* tail) {
    char line[64];
    std::snprintf(line, sizeof line, "%s,%02d,%s\r\n", storeCommand(target), number, tail);
    return line;
}

// Index-to-code tables of the stored header; -1 marks an index outside the table.
int lookup(std::initializer_list<int> table, int index) {
    if (index < 0 || index >= static_cast<int>(table.size())) {
        return -1;
    }
    return *(table.begin() + index);
}

}  // namespace

int TavoRX9100::getMeasurementData(MeasuringData& record) {
    return getMesHexData("MEDR,0,0,001\r\n", record);
}

int TavoRX9100::getMesHexData(const std::string& request, MeasuringData& record) {
    std::string reply;
    int r = doCommunication(request, reply, kTimeout, true);
    if (reply == "ER00") {
        std::string text = resources::loadString(20202);
        instrumentState.setErrorMessage(text);
        if (errorVisible) {
            platform::messageBox(text);
        }
        return 10;
    }
    if (r != 0) {
        return r;
    }
    ReplyFields header(reply);
    mesAng = platform::cAtoi(header.field(8));
    setupStatus.setMeasurementArea(areaCode(mesAng));
    record.setMeasurementArea(areaCode(mesAng));
    record.setIntegralTime(static_cast<float>(platform::cAtof(header.field(4)) * 1e-6));

    std::vector<double>& values = record.getData();
    std::vector<double>().swap(values);
    values.reserve(kSpectralPoints);
    for (int block = 1; block <= 4; ++block) {
        std::string line = "MEDR,1,1," + std::to_string(block) + "\r\n";
        r = doCommunication(line, reply, kTimeout, false);
        if (reply == "ER00") {
            r = doCommunication(line, reply, kTimeout, false);  // asked once more
        }
        if (r != 0) {
            return r;
        }
        appendHexValues(reply, blockValues(block), values);
    }
    return 0;
}

int TavoRX9100::getMesTextData(const std::string& request, MeasuringData& record) {
    std::string reply;
    int r = doCommunication(request, reply, kTimeout, true);
    if (r != 0) {
        return r;
    }
    std::vector<double>& values = record.getData();
    std::vector<double>().swap(values);
    for (int pass = 2; pass <= 16; ++pass) {
        r = doCommunication("&\r\n", reply, kTimeout, false);
        if (r != 0) {
            return r;
        }
        ReplyFields fields(reply);
        int count = pass == 16 ? 9 : 28;  // 14 x 28 + 9 = 401
        for (int i = 1; i <= count; ++i) {
            values.push_back(platform::cAtof(fields.field(i)));
        }
    }
    return 0;
}

int TavoRX9100::readStoredHeader(bool target, int number, std::string& reply) {
    bool visible = errorVisible;
    setErrorVisible(false);
    int r = doCommunication(storedRequest(target, number, "0,0,001"), reply, kTimeout, true);
    setErrorVisible(visible);
    if (r == 0) {
        return 0;
    }
    reply.clear();
    int code = instrumentState.getErrorCode();
    if (code == 20 || code == 21) {
        instrumentState.setErrorCode(200);  // nothing stored under that number: not an error
        return 0;
    }
    setErrorMessage(code);
    return r;
}

void TavoRX9100::decodeStoredHeader(std::string reply, MeasuringData& record) const {
    if (reply.empty()) {
        reply = "ER";
    }
    if (reply.starts_with("ER")) {
        record.setSpeed(0);
        record.setLens(0);
        record.setSync(0);
        record.setIntegralTime(-1.0f);
        record.setCalibrationMode(0);
        record.setNd(0);
        record.setMeasurementArea(0);
        record.setCalibrationCh(-1);
        record.setMeasurementMethod(0);
        record.setInsertNd(-1);
        return;
    }
    ReplyFields fields(reply);
    auto index = [&fields](int n) { return platform::cAtoi(fields.field(n)); };
    bool newLayout = firmwareLevel >= 110;
    int speed = newLayout ? lookup({3, 2, 14, 7, 13}, index(2)) : lookup({3, 2, 12, 7}, index(2));
    int sync = lookup({8, 3, 2}, index(3));
    int insert = 0;
    if (newLayout) {
        insert = lookup({0, 1, 2}, index(5));
    } else if (speed == 7) {
        insert = index(5) == 1 ? 1 : 0;
    } else {
        insert = -1;
    }
    int lens = lookup({1, 11}, index(6));
    int nd = lookup({0, 15, 16}, index(7));
    int area = lookup({23, 22, 21}, index(8));
    bool insertInvalid = newLayout && insert < 0;
    if (speed < 0 || sync < 0 || insertInvalid || lens < 0 || nd < 0 || area < 0) {
        return;  // all or nothing: the record keeps its conditions
    }
    record.setSpeed(speed);
    record.setLens(lens);
    record.setSync(sync);
    record.setIntegralTime(static_cast<float>(platform::cAtof(fields.field(4)) * 1e-6));
    record.setCalibrationMode(0);
    record.setNd(nd);
    record.setInsertNd(insert);
    record.setMeasurementArea(area);
    record.setCalibrationCh(index(9));
    record.setMeasurementMethod(3);
}

bool TavoRX9100::readStoredColor(bool target, int number, std::string& reply) {
    char tail[32];
    std::snprintf(tail, sizeof tail, "2,0,%02d", applicationObserver == 10 ? 11 : 1);
    int r = doCommunication(storedRequest(target, number, tail), reply, kTimeout, false);
    if (r == 0) {
        ReplyFields fields(reply);
        for (int n = 2; n <= 4; ++n) {
            if (platform::cAtof(fields.field(n)) != 0.0) {
                return true;
            }
        }
    }
    reply.clear();  // three zeros count as no colour data
    return false;
}

void TavoRX9100::decodeStoredColor(const std::string& reply, MeasuringData& record) const {
    ReplyFields fields(reply);
    std::vector<double>& values = record.getData();
    values.clear();
    for (int n = 2; n <= 4; ++n) {
        values.push_back(platform::cAtof(fields.field(n)));
    }
}

void TavoRX9100::readTargetName(int number, MeasuringData& record) {
    std::string reply;
    std::string name;
    if (doCommunication(storedRequest(true, number, "3"), reply, kTimeout, false) == 0) {
        name = ReplyFields(reply).field(2);
    }
    record.setCommonString(name.empty() ? std::string(10, ' ') : name);
}

int TavoRX9100::readStoredSpectrum(bool target, int number, MeasuringData& record) {
    std::vector<double>& values = record.getData();
    for (int block = 1; block <= 4; ++block) {
        std::string reply;
        int r = 0;
        {
            platform::WaitCursor wait;
            std::string tail = "1,1," + std::to_string(block);
            r = doCommunication(storedRequest(target, number, tail.c_str()), reply, kTimeout,
                                false);
        }
        if (r != 0) {
            return r;
        }
        appendHexValues(reply, blockValues(block), values);
    }
    return 0;
}
