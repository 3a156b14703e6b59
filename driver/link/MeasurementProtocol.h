#pragma once
// The commands of a measurement and of the data stored in the instrument, and the parsing
// of their replies: the last measurement ("MEDR"), stored targets ("TGDR") and samples
// ("STDR"), each a header and four blocks of hexadecimal single-precision values.
#include <optional>
#include <string>
#include <vector>

#include "sensor/SetupStatus.h"

namespace protocol {

// Every parser of measured or stored data gives nothing for a reply it cannot read
// completely: a missing, extra or malformed field is never read as zero. The callers fail
// the exchange with error 43 ("data could not be received correctly").

// Starting and cancelling a measurement; the completion reply follows on its own.
inline constexpr const char* kMeasureStart = "MEAS,1\r\n";
inline constexpr const char* kMeasureCancel = "MEAS,0\r\n";
inline constexpr int kMeasureStartTimeout = 15;
inline constexpr int kMeasureCancelTimeout = 10;
inline constexpr int kCompletionTimeout = 20;
// No measurement takes longer: the longest integration (120 s), run for the largest count
// (16) with a dark reading for each (x 2) is 3840 s; rounding every integration up to whole
// periods of the synchronisation (20 Hz at the slowest, so 50 ms each) stays below 4000 s.
inline constexpr double kLongestMeasuringSeconds = 4000.0;
// The measuring time of the start reply ("OKnn," and seconds) in 1/100 s, held in single
// precision first as the instrument means it (0.29 s gives 28). Nothing when the time is
// missing, not a decimal number, negative or longer than any measurement takes.
std::optional<unsigned> measuringHundredths(const std::string& startReply);

inline constexpr int kDataTimeout = 3;
inline constexpr const char* kHeaderRequest = "MEDR,0,0,001\r\n";
inline constexpr int kBlocks = 4;
// "MEDR,1,1,b": block b (1 to 4) of the last measurement.
std::string blockRequest(int block);
// Values per block: 100, 100, 100 and 101 for 380 to 780 nm.
int blockValueCount(int block);
// The values of block b: an "OK" status word and exactly its count of values, each eight
// hexadecimal digits.
std::optional<std::vector<double>> parseBlockValues(const std::string& reply, int block);

// The header of a measurement or of stored data: an "OK" status word and eight whole
// numbers, none negative (fields after the ninth are not read).
struct DataHeader {
    int speed = 0;
    int sync = 0;
    int integrationUs = 0;
    int internalNd = 0;
    int lens = 0;
    int nd = 0;
    int angle = 0;
    int channel = 0;
};
std::optional<DataHeader> parseDataHeader(const std::string& reply);

// What the driver takes from the header of a measurement: the measuring-angle index and the
// integration time.
struct MeasurementHeader {
    int angleIndex = 0;
    int area = 0;
    float integralTime = 0.0f;  // seconds
};
std::optional<MeasurementHeader> parseMeasurementHeader(const std::string& reply);

// Text mode: the header request, then fifteen continuations of 28 values (9 in the last).
inline constexpr const char* kContinuation = "&\r\n";
inline constexpr int kTextPasses = 15;
int textValueCount(int pass);  // pass 1 to 15
// A continuation: exactly count decimal numbers, without a status word.
std::optional<std::vector<double>> parseTextValues(const std::string& reply, int count);

// Stored data: target true (1 to 20) or sample (0 to 99).
std::string storedHeaderRequest(bool target, int number);
std::string storedBlockRequest(bool target, int number, int block);
// Colour values in the observer of the host: 10° when it uses 10°, else 2°.
std::string storedColorRequest(bool target, int number, int applicationObserver);
std::string targetNameRequest(int number);

// The conditions of a stored header into the record: all of them or, when the header cannot
// be read or one index is outside its table, none. An empty or "ER" reply gives the
// conditions of no data.
void decodeStoredHeader(std::string reply, int firmwareLevel, SetupStatus& record);
// Fields 2 to 4, three decimal numbers after an "OK" status word.
std::optional<std::vector<double>> parseColorValues(const std::string& reply);
// Three values that are all exactly 0.0 count as no colour values.
bool hasColorValues(const std::vector<double>& values);
// Ten spaces when the target has no name.
std::string parseTargetName(const std::string& reply);

}  // namespace protocol
