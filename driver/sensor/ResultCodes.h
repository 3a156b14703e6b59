#pragma once
// What operations return and what the instrument state's error code holds.

namespace codes {

// Results of the driver's operations.
namespace status {
inline constexpr int kOk = 0;
inline constexpr int kRefused = 10;           // by the instrument or by the driver
inline constexpr int kTransportFailed = -10;  // no reply, the port could not be used
inline constexpr int kStillReceiving = -7;    // lockRemote: the receive thread is handing data over
}  // namespace status

// Error codes. A reply "ERnn" gives nn; a reply "OKnn" gives the warning 200 + nn; the
// driver adds codes of its own.
namespace error {
inline constexpr int kLeftRemoteMode = 0;  // ER00: the instrument is no longer remote
inline constexpr int kMeasuring = 2;       // ER02: a measurement is still running
inline constexpr int kNoData = 20;  // ER20; also: the key was enabled when remote mode dropped
inline constexpr int kNoStoredData = 21;
inline constexpr int kWhiteCalibrationMissing = 40;
inline constexpr int kInvalidData = 41;   // a measured value is not a number
inline constexpr int kAngleChanged = 42;  // the white calibration of this angle is missing
inline constexpr int kDataNotReceived = 43;
inline constexpr int kNoResponse = 99;             // the transport failed
inline constexpr int kNoError = 200;               // "OK00"
inline constexpr int kInsufficientExposure = 216;  // "OK16"
}  // namespace error

// The status word of a reply and the error code it gives, both ways.
struct ReplyStatus {
    bool ok = false;  // "OK" rather than "ER"
    int number = 0;   // the two digits
    bool operator==(const ReplyStatus&) const = default;
};

constexpr int errorCodeOf(ReplyStatus status) {
    return status.ok ? error::kNoError + status.number : status.number;
}

constexpr ReplyStatus replyStatusOf(int errorCode) {
    if (errorCode >= error::kNoError) {
        return {true, errorCode - error::kNoError};
    }
    return {false, errorCode};
}

}  // namespace codes
