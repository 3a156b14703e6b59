// Reading measured and stored data from the instrument into records
// (the request and reply formats: link/MeasurementProtocol).
#include "link/MeasurementProtocol.h"
#include "platform/UiServices.h"
#include "sensor/ErrorDisplayOff.h"
#include "sensor/ResultCodes.h"
#include "sensor/TavoRX9100.h"

namespace {

// The instrument's answer to a request it cannot serve outside remote mode.
constexpr const char* kLeftRemoteReply = "ER00";

}  // namespace

int TavoRX9100::dataNotReceived() {
    instrumentState.setErrorCode(codes::error::kDataNotReceived);
    setErrorMessage(codes::error::kDataNotReceived);
    return codes::status::kRefused;
}

int TavoRX9100::getMeasurementData(MeasuringData& record) {
    return getMesHexData(protocol::kHeaderRequest, record);
}

int TavoRX9100::getMesHexData(const std::string& request, MeasuringData& record) {
    std::string reply;
    int r = doCommunication(request, reply, protocol::kDataTimeout, true);
    if (r == codes::status::kTransportFailed) {
        return r;
    }
    if (reply == kLeftRemoteReply) {
        return dataNotReceived();  // still not in remote mode: the data cannot be read
    }
    if (r != 0) {
        return r;
    }
    const auto header = protocol::parseMeasurementHeader(reply);
    if (!header) {
        return dataNotReceived();
    }
    mesAng = header->angleIndex;
    setupStatus.setMeasurementArea(header->area);
    record.setMeasurementArea(header->area);
    record.setIntegralTime(header->integralTime);

    std::vector<double>& values = record.getData();
    std::vector<double>().swap(values);
    values.reserve(kSpectralPoints);
    for (int block = 1; block <= protocol::kBlocks; ++block) {
        const std::string line = protocol::blockRequest(block);
        r = doCommunication(line, reply, protocol::kDataTimeout, false);
        if (r != codes::status::kTransportFailed && reply == kLeftRemoteReply) {
            r = doCommunication(line, reply, protocol::kDataTimeout, false);  // asked once more
        }
        if (r == codes::status::kTransportFailed) {
            return r;
        }
        if (reply == kLeftRemoteReply) {
            return dataNotReceived();
        }
        if (r != 0) {
            return r;
        }
        const auto blockValues = protocol::parseBlockValues(reply, block);
        if (!blockValues) {
            return dataNotReceived();
        }
        values.insert(values.end(), blockValues->begin(), blockValues->end());
    }
    return 0;
}

int TavoRX9100::getMesTextData(const std::string& request, MeasuringData& record) {
    std::string reply;
    int r = doCommunication(request, reply, protocol::kDataTimeout, true);
    if (r != 0) {
        return r;
    }
    std::vector<double>& values = record.getData();
    std::vector<double>().swap(values);
    for (int pass = 1; pass <= protocol::kTextPasses; ++pass) {
        r = doCommunication(protocol::kContinuation, reply, protocol::kDataTimeout, false);
        if (r != 0) {
            return r;
        }
        const auto passValues = protocol::parseTextValues(reply, protocol::textValueCount(pass));
        if (!passValues) {
            return dataNotReceived();
        }
        values.insert(values.end(), passValues->begin(), passValues->end());
    }
    return 0;
}

int TavoRX9100::readStoredHeader(bool target, int number, std::string& reply) {
    int r = 0;
    {
        ErrorDisplayOff quiet(errorVisible, ErrorDisplayOff::Afterwards::Restore);
        r = doCommunication(protocol::storedHeaderRequest(target, number), reply,
                            protocol::kDataTimeout, true);
    }
    if (r == 0) {
        if (protocol::parseDataHeader(reply)) {
            return 0;
        }
        reply.clear();
        return dataNotReceived();
    }
    reply.clear();
    const int code = instrumentState.getErrorCode();
    if (code == codes::error::kNoData || code == codes::error::kNoStoredData) {
        instrumentState.setErrorCode(codes::error::kNoError);  // nothing stored there: no error
        return 0;
    }
    setErrorMessage(code);
    return r;
}

void TavoRX9100::decodeStoredHeader(std::string reply, MeasuringData& record) const {
    protocol::decodeStoredHeader(std::move(reply), firmwareLevel, record);
}

bool TavoRX9100::readStoredColor(bool target, int number, std::string& reply) {
    const int r = doCommunication(protocol::storedColorRequest(target, number, applicationObserver),
                                  reply, protocol::kDataTimeout, false);
    if (r == 0) {
        const auto values = protocol::parseColorValues(reply);
        if (!values) {
            dataNotReceived();
        } else if (protocol::hasColorValues(*values)) {
            return true;
        }
    }
    reply.clear();  // three zeros count as no colour data
    return false;
}

void TavoRX9100::decodeStoredColor(const std::string& reply, MeasuringData& record) const {
    record.getData() = protocol::parseColorValues(reply).value_or(std::vector<double>{});
}

void TavoRX9100::readTargetName(int number, MeasuringData& record) {
    std::string reply;
    if (doCommunication(protocol::targetNameRequest(number), reply, protocol::kDataTimeout,
                        false) != 0) {
        reply.clear();
    }
    record.setCommonString(protocol::parseTargetName(reply));
}

int TavoRX9100::readStoredSpectrum(bool target, int number, MeasuringData& record) {
    std::vector<double>& values = record.getData();
    for (int block = 1; block <= protocol::kBlocks; ++block) {
        std::string reply;
        int r = 0;
        {
            platform::WaitCursor wait;
            r = doCommunication(protocol::storedBlockRequest(target, number, block), reply,
                                protocol::kDataTimeout, false);
        }
        if (r != 0) {
            return r;
        }
        const auto blockValues = protocol::parseBlockValues(reply, block);
        if (!blockValues) {
            return dataNotReceived();
        }
        values.insert(values.end(), blockValues->begin(), blockValues->end());
    }
    return 0;
}
