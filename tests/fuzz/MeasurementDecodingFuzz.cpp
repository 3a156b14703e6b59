// The driver reading measurement and stored data, with every reply taken from the input:
// the first byte chooses what is read, each further line is the next reply the instrument
// gives (whatever was asked, so recoveries and repeated requests get fuzzed replies too).
// A read that succeeds must hold only values that were in a reply: 401 of them, each one
// a complete hexadecimal (or, in text mode, decimal) field, never a zero filled in for a
// missing or malformed one.
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "link/HexNumbers.h"
#include "link/MeasurementProtocol.h"
#include "platform/Numbers.h"
#include "platform/ScriptedUiServices.h"
#include "sensor/RegistryStore.h"
#include "sensor/TavoRX9100.h"
#include "support/ScriptedConnection.h"

namespace {

constexpr std::size_t kSpectralPoints = 401;

TavoRX9100& driver() {
    static TavoRX9100* const object = [] {
        // The driver keeps settings; never the user's.
        RegistryStore::setStoreFolder(fuzz::privateFolder());
        platform::setUiServices(std::make_shared<platform::ScriptedUiServices>());
        return new TavoRX9100;  // lives as long as the process, as the host's one object
    }();
    return *object;
}

std::set<std::uint32_t> hexValuesIn(const std::vector<std::string>& replies) {
    std::set<std::uint32_t> bits;
    for (const std::string& reply : replies) {
        for (const std::string& field : fuzz::splitFields(reply)) {
            if (fuzz::isHexValue(field)) {
                bits.insert(std::strtoul(field.c_str(), nullptr, 16));
            }
        }
    }
    return bits;
}

// Values of fields that are a number and nothing else.
std::set<double> decimalValuesIn(const std::vector<std::string>& replies) {
    std::set<double> values;
    for (const std::string& reply : replies) {
        for (const std::string& field : fuzz::splitFields(reply)) {
            char* end = nullptr;
            const double value = std::strtod(field.c_str(), &end);
            if (!field.empty() && end == field.c_str() + field.size() && !std::isnan(value)) {
                values.insert(value);
            }
        }
    }
    return values;
}

bool fromHexReply(double value, const std::set<std::uint32_t>& bits) {
    const float single = static_cast<float>(value);
    if (std::isnan(single)) {  // NaN payloads need not survive; any NaN in a reply will do
        for (const std::uint32_t b : bits) {
            if (std::isnan(std::bit_cast<float>(b))) {
                return true;
            }
        }
        return false;
    }
    return bits.contains(std::bit_cast<std::uint32_t>(single));
}

void checkSpectrum(const MeasuringData& record, const std::vector<std::string>& replies, bool hex) {
    const std::vector<double>& values = record.getData();
    fuzz::check(values.size() == kSpectralPoints,
                "a successful read holds " + std::to_string(values.size()) + " values, not 401");
    const auto bits = hexValuesIn(replies);
    const auto decimals = decimalValuesIn(replies);
    for (std::size_t i = 0; i < values.size(); ++i) {
        const bool found = hex ? fromHexReply(values[i], bits)
                               : (std::isnan(values[i]) || decimals.contains(values[i]));
        fuzz::check(found, "value " + std::to_string(i) + " (" + std::to_string(values[i]) +
                               ") was in no reply");
    }
}

// Without any error reply the exchange went header, block 1 to 4: each block that was
// accepted held exactly its 100 (the last 101) values.
void checkBlockLengths(const std::vector<std::string>& replies) {
    for (const std::string& reply : replies) {
        if (reply.starts_with("ER")) {
            return;  // recoveries and repeated requests: which reply answered what is unknown
        }
    }
    for (int block = 1; block <= protocol::kBlocks && block < static_cast<int>(replies.size());
         ++block) {
        const auto values = fuzz::splitFields(replies[block]).size() - 1;
        fuzz::check(values == static_cast<std::size_t>(protocol::blockValueCount(block)),
                    "block " + std::to_string(block) + " of " + std::to_string(values) +
                        " values was accepted");
    }
}

// A stored header either leaves the record as it was, marks it as holding no data, or sets
// every condition from a header whose fields 2 to 9 are all numbers.
void checkStoredHeader(const std::string& reply) {
    MeasuringData record;
    record.setSpeed(-99);
    driver().decodeStoredHeader(reply, record);
    const bool unchanged = record.getSpeed() == -99;
    const bool noData = record.getSpeed() == 0 && record.getIntegralTime() == -1.0f;
    if (unchanged || noData) {
        return;
    }
    const auto fields = fuzz::splitFields(reply);
    fuzz::check(fields.size() >= 9, "a stored header of " + std::to_string(fields.size()) +
                                        " fields set the record's conditions");
    for (std::size_t n = 1; n < 9; ++n) {
        fuzz::check(fuzz::isDecimalInteger(fields[n]),
                    "stored header field " + std::to_string(n + 1) + " \"" + fields[n] +
                        "\" is no number, yet the conditions were set");
    }
}

// Colour values of a stored record: three numbers from the reply, or none.
void checkStoredColour(const std::string& reply) {
    const auto values = protocol::parseColorValues(reply);
    if (!values) {
        return;
    }
    const auto decimals = decimalValuesIn({reply});
    for (double value : *values) {
        fuzz::check(decimals.contains(value),
                    "colour value " + std::to_string(value) + " was in no field of " + reply);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::vector<std::string> replies = fuzz::splitLines(fuzz::asText(data + 1, size - 1));
    const int mode = data[0] % 4;
    if (mode == 2) {
        if (fuzz::enabled("stored-header")) {
            checkStoredHeader(replies.front());
        }
        if (fuzz::enabled("stored-colour")) {
            checkStoredColour(replies.front());
        }
        return 0;
    }
    TavoRX9100& object = driver();
    auto link = std::make_unique<ScriptedConnection>();
    for (const std::string& reply : replies) {
        link->reply(reply);
    }
    object.setConnection(std::move(link));
    object.setErrorVisible(false);
    MeasuringData record;
    int status = 0;
    switch (mode) {
        case 0:
            status = object.getMeasurementData(record);
            break;
        case 1:
            status = object.getMesTextData(protocol::kHeaderRequest, record);
            break;
        default: {
            std::string header;
            status = object.readStoredHeader(true, 1, header);
            if (status == 0 && !header.empty()) {
                object.decodeStoredHeader(header, record);
                status = object.readStoredSpectrum(true, 1, record);
            } else {
                status = -1;  // nothing stored: no spectrum to check
            }
            break;
        }
    }
    if (status == 0 && fuzz::enabled("invented-values")) {
        checkSpectrum(record, replies, mode != 1);
    }
    if (status == 0 && mode != 1 && fuzz::enabled("block-length")) {
        checkBlockLengths(replies);
    }
    return 0;
}
