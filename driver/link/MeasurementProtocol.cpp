#include "link/MeasurementProtocol.h"

#include <algorithm>
#include <cctype>
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
constexpr int kHeaderFields = 9;                // the status word and eight numbers
constexpr long kWidestHeaderField = 999999999;  // nine digits: the integration time in µs

// "OK" and two digits.
bool isOkStatus(const std::string& word) {
    return word.size() == 4 && word.starts_with("OK") &&
           std::isdigit(static_cast<unsigned char>(word[2])) &&
           std::isdigit(static_cast<unsigned char>(word[3]));
}

// Fields first to last as decimal numbers, or nothing when one is not. Blanks around a
// number are padding ("%8.2lf"), not part of it.
std::optional<std::vector<double>> decimalFields(const ReplyFields& fields, int first, int last) {
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(last - first + 1));
    for (int n = first; n <= last; ++n) {
        std::string text = fields.field(n);
        text.erase(0, text.find_first_not_of(' '));
        text.erase(text.find_last_not_of(' ') + 1);
        const auto value = platform::cParseDecimal(text);
        if (!value) {
            return std::nullopt;
        }
        values.push_back(*value);
    }
    return values;
}

const char* storeCommand(bool target) {
    return target ? "TGDR" : "STDR";
}

std::string storedRequest(bool target, int number, const std::string& tail) {
    char line[64];
    std::snprintf(line, sizeof line, "%s,%02d,%s\r\n", storeCommand(target), number, tail.c_str());
    return line;
}

float microsecondsAsSeconds(int microseconds) {
    return static_cast<float>(microseconds * 1e-6);
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

std::optional<unsigned> measuringHundredths(const std::string& startReply) {
    constexpr std::size_t kTimeStart = 5;  // after "OKnn,"
    if (startReply.size() <= kTimeStart || startReply[kTimeStart - 1] != ',') {
        return std::nullopt;
    }
    const auto seconds = platform::cParseDecimal(startReply.substr(kTimeStart));
    if (!seconds || *seconds < 0.0 || *seconds > kLongestMeasuringSeconds) {
        return std::nullopt;
    }
    return static_cast<unsigned>(std::trunc(static_cast<float>(*seconds) * 100.0));
}

std::string blockRequest(int block) {
    return "MEDR,1,1," + std::to_string(block) + "\r\n";
}

int blockValueCount(int block) {
    return block == kBlocks ? kLastBlockValues : kBlockValues;
}

std::optional<std::vector<double>> parseBlockValues(const std::string& reply, int block) {
    const ReplyFields fields(reply);
    const int count = blockValueCount(block);
    if (!isOkStatus(fields.field(1)) || fields.count() != count + 1) {
        return std::nullopt;
    }
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(count));
    for (int n = 2; n <= count + 1; ++n) {
        const auto value = hexnum::parseHexValue(fields.field(n));
        if (!value) {
            return std::nullopt;
        }
        values.push_back(*value);
    }
    return values;
}

std::optional<DataHeader> parseDataHeader(const std::string& reply) {
    const ReplyFields fields(reply);
    if (!isOkStatus(fields.field(1)) || fields.count() < kHeaderFields) {
        return std::nullopt;
    }
    int numbers[kHeaderFields - 1] = {};
    for (int n = 2; n <= kHeaderFields; ++n) {
        const auto value = platform::cParseInteger(fields.field(n));
        if (!value || *value < 0 || *value > kWidestHeaderField) {
            return std::nullopt;
        }
        numbers[n - 2] = static_cast<int>(*value);
    }
    return DataHeader{numbers[0], numbers[1], numbers[2], numbers[3],
                      numbers[4], numbers[5], numbers[6], numbers[7]};
}

std::optional<MeasurementHeader> parseMeasurementHeader(const std::string& reply) {
    const auto data = parseDataHeader(reply);
    if (!data) {
        return std::nullopt;
    }
    MeasurementHeader header;
    header.angleIndex = data->angle;
    header.area = areaOfAngleIndex(data->angle);
    header.integralTime = microsecondsAsSeconds(data->integrationUs);
    return header;
}

int textValueCount(int pass) {
    return pass == kTextPasses ? kLastTextValues : kTextValues;
}

std::optional<std::vector<double>> parseTextValues(const std::string& reply, int count) {
    const ReplyFields fields(reply);
    if (fields.count() != count) {
        return std::nullopt;
    }
    return decimalFields(fields, 1, count);
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
    const auto header = parseDataHeader(reply);
    if (!header) {
        return;  // unreadable: the record keeps its conditions
    }
    const bool rom110 = codes::hasRom110Layout(firmwareLevel);
    // The header of the older ROMs knows only the first four speeds.
    const bool speedInLayout =
        rom110 || header->speed != *codes::kSpeedWire.wire(codes::speed::kMulti2);
    const auto speed =
        speedInLayout ? codes::kSpeedWire.code(header->speed, firmwareLevel) : std::nullopt;
    const auto sync = codes::kSyncWire.code(header->sync);
    std::optional<int> insert = codes::insertnd::kAbsent;
    if (rom110) {
        insert = codes::kInsertNdWire.code(header->internalNd);
    } else if (header->speed == *codes::kSpeedWire.wire(codes::speed::kManual)) {
        insert = header->internalNd == 1 ? codes::insertnd::kOn : codes::insertnd::kOff;
    }
    const auto lens = codes::kLensWire.code(header->lens);
    const auto nd = codes::kNdWire.code(header->nd);
    const auto area = codes::kAreaWire.code(header->angle);
    if (!speed || !sync || !insert || !lens || !nd || !area) {
        return;  // all or nothing: the record keeps its conditions
    }
    record.setSpeed(*speed);
    record.setLens(*lens);
    record.setSync(*sync);
    record.setIntegralTime(microsecondsAsSeconds(header->integrationUs));
    record.setCalibrationMode(codes::calmode::kNone);
    record.setNd(*nd);
    record.setInsertNd(*insert);
    record.setMeasurementArea(*area);
    record.setCalibrationCh(header->channel);
    record.setMeasurementMethod(codes::method::kLightSource);
}

std::optional<std::vector<double>> parseColorValues(const std::string& reply) {
    const ReplyFields fields(reply);
    if (!isOkStatus(fields.field(1)) || fields.count() != 4) {
        return std::nullopt;
    }
    return decimalFields(fields, 2, 4);
}

bool hasColorValues(const std::vector<double>& values) {
    return std::any_of(values.begin(), values.end(), [](double v) { return v != 0.0; });
}

std::string parseTargetName(const std::string& reply) {
    std::string name = ReplyFields(reply).field(2);
    return name.empty() ? std::string(kNameWidth, ' ') : name;
}

}  // namespace protocol
