#pragma once
// One command line sent and one reply line received and classified. A reply saying the
// instrument has left remote mode is reported as such and nothing more: bringing the
// instrument back is the business of the layer above (RemoteModeRecovery), so this
// exchange never runs inside itself.
#include <atomic>
#include <optional>
#include <string>

#include "link/Exchanger.h"
#include "outside/PortwayEx.h"
#include "sensor/InstrumentState.h"
#include "sensor/ResultCodes.h"

enum class ExchangeOutcome {
    Done,             // an "OK" reply, or a reply an exchange without expectOk accepts
    Refused,          // the instrument answered with an error
    LeftRemoteMode,   // "ER00": the instrument is no longer in remote mode
    TransportFailed,  // no reply, or the port could not be used
    Cancelled,        // the transport was told to give up the wait; the line itself is fine
};

class [[nodiscard]] ExchangeResult {
  public:
    constexpr explicit ExchangeResult(ExchangeOutcome outcome) : outcome_(outcome) {}
    constexpr ExchangeOutcome outcome() const { return outcome_; }
    constexpr bool leftRemoteMode() const { return outcome_ == ExchangeOutcome::LeftRemoteMode; }
    // What an operation returns for it; left remote mode, unrecovered, is a refusal.
    constexpr int status() const {
        switch (outcome_) {
            case ExchangeOutcome::Done:
                return codes::status::kOk;
            case ExchangeOutcome::TransportFailed:
            case ExchangeOutcome::Cancelled:
                return codes::status::kTransportFailed;
            default:
                return codes::status::kRefused;
        }
    }

  private:
    ExchangeOutcome outcome_;
};

// A reply's class and the error code it gives; without a code the state keeps the one
// the exchange started with (200).
struct ReplyClass {
    ExchangeOutcome outcome = ExchangeOutcome::Done;
    std::optional<int> errorCode;
    bool operator==(const ReplyClass&) const = default;
};

// The number in characters 3 and 4 of a reply ("OK16" gives 16); non-digits count as 0.
int replyNumber(const std::string& reply);
// A reply to a command. expectOk: anything but "OK" is an error reply; otherwise only "ER" is.
ReplyClass classifyReply(const std::string& reply, bool expectOk);
// A reply received without a command: anything but "OK" is a refusal, "ER00" included.
ReplyClass classifyReceived(const std::string& reply);

class LineExchange : public Exchanger {
  public:
    // Talks through the driver's current transport (it may be replaced between exchanges)
    // and reports into its state, showing texts while error display is on.
    LineExchange(HostConnection* const& connection, InstrumentState& state,
                 const std::atomic<bool>& errorVisible);

    ExchangeResult send(const std::string& command, std::string& reply, int timeout, bool expectOk);
    // Takes one more reply line without sending (a measurement's completion).
    ExchangeResult receive(std::string& reply, int timeout);
    // send(), with "ER00" a refusal: an exchanger that does not recover.
    int exchange(const std::string& command, std::string& reply, int timeout,
                 bool expectOk) override;

    // 0, or -10 with a message (shown while error display is on) when the port fails.
    [[nodiscard]] int openPort();
    int closePort();

    // Stores the text of an error code as the state's message (the code is the caller's)
    // and shows it when error display is on and the code is one that is shown.
    void reportError(int code);
    // Stores the text of a warning code; warnings are never shown.
    void reportWarning(int code);

  private:
    // Sends the command (none: only receives) and takes the reply line: Done, or
    // TransportFailed with code 99, or Cancelled (no code: the instrument is not lost).
    ExchangeOutcome transfer(const std::string* command, std::string& reply, int timeout);
    ExchangeResult record(const ReplyClass& reply);
    // Opens or closes the port; a failure gives -10 and, while shown, that common word.
    int portAction(void (HostConnection::*action)(), int failureWord);

    HostConnection* const& connection_;
    InstrumentState& state_;
    const std::atomic<bool>& errorVisible_;
};
