#include "link/MeasurementProtocol.h"

#include <cmath>
#include <cstdio>

#include "link/ConditionProtocol.h"
#include "link/HexNumbers.h"
#include "link/ReplyFields.h"
#include "platform/Numbers.h"
#include "sensor/ConditionCodes.h"

namespace protocol {

namespace {

constexpr int kLastBlockValues = 101;
constexpr int kBlockValues = 100;
constexpr int kTextValues = 28;
constexpr int kLastTextValues = 9;  // 14 x 28 + 9 = 401
constexpr std::size_t kNameWidth = 10;

const char* storeCommand(bool target) {
    return target ? "TGDR" : "STDR";
}

std::string storedRequest(bool target, int number, const std::string& tail) {
    char line[64];
    std::snprintf(line, sizeof line, "%s,%02d,%s\r\n", storeCommand(target), number, tail.c_str());
    return line;
}

float microsecondsAsSeconds(const std::string& text) {
    return static_cast<float>(platform::cAtof(text) * 1e-6);
}

void setNoData(SetupStatus& record) {
    record.setSpeed(0);
    record.setLens(0);
    record.setSync(0);
    record.setIntegralTime(-1.0f);
    record.setCalibrationMode(codes::calmode::kNone);
    record.setNd(codes::nd::kNone);
    record.setMeasurementArea(0);
    record.setCalibrationCh(-1);
    record.setMeasurementMethod(0);
    record.setInsertNd(codes::insertnd::kAbsent);
}

}  // namespace

unsigned measuringHundredths(const std::string& startReply) {
    const float seconds =
        static_cast<float>(platform::cAtof(startReply.size() > 5 ? startReply.substr(5) : ""));
    return static_cast<unsigned>(std::trunc(seconds * 100.0));
}

std::string blockRequest(int block) {
    return "MEDR,1,1," + std::to_string(block) + "\r\n";
}

int blockValueCount(int block) {
    return block == kBlocks ? kLastBlockValues : kBlockValues;
}

void appendBlockValues(const std::string& reply, int block, std::vector<double>& values) {
    const ReplyFields fields(reply);
    for (int i = 0; i < blockValueCount(block); ++i) {
        values.push_back(hexnum::hexToDouble(fields.field(i + 2)));
    }
}

MeasurementHeader parseMeasurementHeader(const std::string& reply) {
    const ReplyFields fields(reply);
    MeasurementHeader header;
    header.angleIndex = platform::cAtoi(fields.field(8));
    header.area = areaOfAngleIndex(header.angleIndex);
    header.integralTime = microsecondsAsSeconds(fields.field(4));
    return header;
}

float integralTimeOf(const std::string& header) {
    return microsecondsAsSeconds(ReplyFields(header).field(4));
}

int textValueCount(int pass) {
    return pass == kTextPasses ? kLastTextValues : kTextValues;
}

void appendTextValues(const std::string& reply, int count, std::vector<double>& values) {
    const ReplyFields fields(reply);
    for (int i = 1; i <= count; ++i) {
        values.push_back(platform::cAtof(fields.field(i)));
    }
}

std::string storedHeaderRequest(bool target, int number) {
    return storedRequest(target, number, "0,0,001");
}

std::string storedBlockRequest(bool target, int number, int block) {
    return storedRequest(target, number, "1,1," + std::to_string(block));
}

std::string storedColorRequest(bool target, int number, int applicationObserver) {
    char tail[32];
    std::snprintf(tail, sizeof tail, "2,0,%02d",
                  applicationObserver == codes::observer::kTenDegree ? 11 : 1);
    return storedRequest(target, number, tail);
}

std::string targetNameRequest(int number) {
    return storedRequest(true, number, "3");
}

void decodeStoredHeader(std::string reply, int firmwareLevel, SetupStatus& record) {
    if (reply.empty() || reply.starts_with("ER")) {
        setNoData(record);
        return;
    }
    const ReplyFields fields(reply);
    auto index = [&fields](int n) { return platform::cAtoi(fields.field(n)); };
    const bool rom110 = codes::hasRom110Layout(firmwareLevel);
    const int speedIndex = index(2);
    // The header of the older ROMs knows only the first four speeds.
    const bool speedInLayout =
        rom110 || speedIndex != *codes::kSpeedWire.wire(codes::speed::kMulti2);
    const auto speed =
        speedInLayout ? codes::kSpeedWire.code(speedIndex, firmwareLevel) : std::nullopt;
    const auto sync = codes::kSyncWire.code(index(3));
    std::optional<int> insert = codes::insertnd::kAbsent;
    if (rom110) {
        insert = codes::kInsertNdWire.code(index(5));
    } else if (speedIndex == *codes::kSpeedWire.wire(codes::speed::kManual)) {
        insert = index(5) == 1 ? codes::insertnd::kOn : codes::insertnd::kOff;
    }
    const auto lens = codes::kLensWire.code(index(6));
    const auto nd = codes::kNdWire.code(index(7));
    const auto area = codes::kAreaWire.code(index(8));
    if (!speed || !sync || !insert || !lens || !nd || !area) {
        return;  // all or nothing: the record keeps its conditions
    }
    record.setSpeed(*speed);
    record.setLens(*lens);
    record.setSync(*sync);
    record.setIntegralTime(microsecondsAsSeconds(fields.field(4)));
    record.setCalibrationMode(codes::calmode::kNone);
    record.setNd(*nd);
    record.setInsertNd(*insert);
    record.setMeasurementArea(*area);
    record.setCalibrationCh(index(9));
    record.setMeasurementMethod(codes::method::kLightSource);
}

bool hasColorValues(const std::string& reply) {
    const ReplyFields fields(reply);
    for (int n = 2; n <= 4; ++n) {
        if (platform::cAtof(fields.field(n)) != 0.0) {
            return true;
        }
    }
    return false;
}

std::vector<double> parseColorValues(const std::string& reply) {
    const ReplyFields fields(reply);
    std::vector<double> values;
    for (int n = 2; n <= 4; ++n) {
        values.push_back(platform::cAtof(fields.field(n)));
    }
    return values;
}

std::string parseTargetName(const std::string& reply) {
    std::string name = ReplyFields(reply).field(2);
    return name.empty() ? std::string(kNameWidth, ' ') : name;
}

}  // namespace protocol
