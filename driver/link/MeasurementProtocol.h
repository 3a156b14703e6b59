#pragma once
// The commands of a measurement and of the data stored in the instrument, and the parsing
// of their replies: the last measurement ("MEDR"), stored targets ("TGDR") and samples
// ("STDR"), each a header and four blocks of hexadecimal single-precision values.
#include <string>
#include <vector>

#include "sensor/SetupStatus.h"

namespace protocol {

// Starting and cancelling a measurement; the completion reply follows on its own.
inline constexpr const char* kMeasureStart = "MEAS,1\r\n";
inline constexpr const char* kMeasureCancel = "MEAS,0\r\n";
inline constexpr int kMeasureStartTimeout = 15;
inline constexpr int kMeasureCancelTimeout = 10;
inline constexpr int kCompletionTimeout = 20;
// The measuring time of the start reply in 1/100 s, held in single precision first as
// the instrument means it (0.29 s gives 28).
unsigned measuringHundredths(const std::string& startReply);

inline constexpr int kDataTimeout = 3;
inline constexpr const char* kHeaderRequest = "MEDR,0,0,001\r\n";
inline constexpr int kBlocks = 4;
// "MEDR,1,1,b": block b (1 to 4) of the last measurement.
std::string blockRequest(int block);
// Values per block: 100, 100, 100 and 101 for 380 to 780 nm.
int blockValueCount(int block);
// Appends the block's values (fields 2 on); missing fields read as 0.0.
void appendBlockValues(const std::string& reply, int block, std::vector<double>& values);

// Header of a measurement: measuring-angle index (field 8) and integration time (field 4).
struct MeasurementHeader {
    int angleIndex = 0;
    int area = 0;
    float integralTime = 0.0f;  // seconds
};
MeasurementHeader parseMeasurementHeader(const std::string& reply);
float integralTimeOf(const std::string& header);

// Text mode: the header request, then fifteen continuations of 28 values (9 in the last).
inline constexpr const char* kContinuation = "&\r\n";
inline constexpr int kTextPasses = 15;
int textValueCount(int pass);  // pass 1 to 15
void appendTextValues(const std::string& reply, int count, std::vector<double>& values);

// Stored data: target true (1 to 20) or sample (0 to 99).
std::string storedHeaderRequest(bool target, int number);
std::string storedBlockRequest(bool target, int number, int block);
// Colour values in the observer of the host: 10° when it uses 10°, else 2°.
std::string storedColorRequest(bool target, int number, int applicationObserver);
std::string targetNameRequest(int number);

// The conditions of a stored header into the record: all of them or, when one index is
// outside its table, none. An empty or "ER" reply gives the conditions of no data.
void decodeStoredHeader(std::string reply, int firmwareLevel, SetupStatus& record);
// Fields 2 to 4; all three exactly 0.0 count as no colour values.
bool hasColorValues(const std::string& reply);
std::vector<double> parseColorValues(const std::string& reply);
// Ten spaces when the target has no name.
std::string parseTargetName(const std::string& reply);

}  // namespace protocol
