#include "link/LineExchange.h"

#include <cstdlib>

#include "link/ErrorTexts.h"
#include "outside/CommonWords.h"
#include "outside/InstrumentPort.h"
#include "platform/UiServices.h"

namespace {

// Common words: the port could not be opened, could not be closed.
constexpr int kOpenFailedWord = 23001;
constexpr int kCloseFailedWord = 23002;

bool startsWith(const std::string& reply, const char* prefix) {
    return reply.starts_with(prefix);
}

ReplyClass errorReply(int number) {
    if (number == codes::error::kLeftRemoteMode) {
        return {ExchangeOutcome::LeftRemoteMode, number};
    }
    return {ExchangeOutcome::Refused, number};
}

ReplyClass okReply(const std::string& reply) {
    return {ExchangeOutcome::Done, codes::errorCodeOf({true, replyNumber(reply)})};
}

}  // namespace

int replyNumber(const std::string& reply) {
    return reply.size() > 2 ? std::atoi(reply.substr(2, 2).c_str()) : 0;
}

ReplyClass classifyReply(const std::string& reply, bool expectOk) {
    if (expectOk) {
        return startsWith(reply, "OK") ? okReply(reply) : errorReply(replyNumber(reply));
    }
    return startsWith(reply, "ER") ? errorReply(replyNumber(reply)) : ReplyClass{};
}

ReplyClass classifyReceived(const std::string& reply) {
    if (startsWith(reply, "OK")) {
        return okReply(reply);
    }
    return {ExchangeOutcome::Refused, replyNumber(reply)};
}

LineExchange::LineExchange(HostConnection* const& connection, InstrumentState& state,
                           const std::atomic<bool>& errorVisible)
    : connection_(connection), state_(state), errorVisible_(errorVisible) {}

ExchangeResult LineExchange::send(const std::string& command, std::string& reply, int timeout,
                                  bool expectOk) {
    if (const ExchangeOutcome sent = transfer(&command, reply, timeout);
        sent != ExchangeOutcome::Done) {
        return ExchangeResult(sent);
    }
    return record(classifyReply(reply, expectOk));
}

ExchangeResult LineExchange::receive(std::string& reply, int timeout) {
    if (const ExchangeOutcome received = transfer(nullptr, reply, timeout);
        received != ExchangeOutcome::Done) {
        return ExchangeResult(received);
    }
    return record(classifyReceived(reply));
}

int LineExchange::exchange(const std::string& command, std::string& reply, int timeout,
                           bool expectOk) {
    return send(command, reply, timeout, expectOk).status();
}

ExchangeResult LineExchange::record(const ReplyClass& reply) {
    if (reply.errorCode) {
        state_.setErrorCode(*reply.errorCode);
    }
    switch (reply.outcome) {
        case ExchangeOutcome::Done:
            if (reply.errorCode) {
                reportWarning(*reply.errorCode);
            }
            break;
        case ExchangeOutcome::Refused:
            reportError(*reply.errorCode);
            break;
        default:
            break;  // left remote mode: the code says so, the recovery speaks for itself
    }
    return ExchangeResult(reply.outcome);
}

ExchangeOutcome LineExchange::transfer(const std::string* command, std::string& reply,
                                       int timeout) {
    try {
        if (!connection_->isOpen()) {
            connection_->open();
        }
        state_.clearError();
        state_.clearState();
        connection_->setTimeout(timeout);
        reply.clear();
        if (command != nullptr) {
            connection_->sendString(command->c_str(), static_cast<int>(command->size()));
        }
        connection_->recvString(reply);
        return ExchangeOutcome::Done;
    } catch (const SerialPortException&) {
        if (isCanceled(connection_)) {
            // Someone gave up the wait on purpose (a cancelled measurement, the end of a
            // remote measurement): the instrument still answers, so it is not reported lost.
            return ExchangeOutcome::Cancelled;
        }
        // A failed reopening is reported like a failed exchange: the instrument is out of reach.
        state_.setErrorCode(codes::error::kNoResponse);
        reportError(codes::error::kNoResponse);
        return ExchangeOutcome::TransportFailed;
    }
}

int LineExchange::openPort() {
    return portAction(&HostConnection::open, kOpenFailedWord);
}

int LineExchange::closePort() {
    return portAction(&HostConnection::close, kCloseFailedWord);
}

int LineExchange::portAction(void (HostConnection::*action)(), int failureWord) {
    try {
        (connection_->*action)();
        return codes::status::kOk;
    } catch (const SerialPortException&) {
        if (errorVisible_) {
            platform::messageBox(loadCommonWord(failureWord));
        }
        return codes::status::kTransportFailed;
    }
}

void LineExchange::reportError(int code) {
    errortexts::ErrorText text = errortexts::forError(code);
    state_.setErrorMessage(text.text);
    if (errorVisible_ && text.shown) {
        platform::messageBox(text.text);
    }
}

void LineExchange::reportWarning(int code) {
    state_.setErrorMessage(errortexts::forWarning(code));
}
