#pragma once
// A transport that answers from a list the test writes and records what was sent.
#include <deque>
#include <string>
#include <vector>

#include "outside/PortwayEx.h"

class ScriptedConnection : public UnivSerialBus {
  public:
    // Replies without CR LF; an empty optional-like marker "<silent>" makes the receive throw.
    void reply(std::string line) { replies_.push_back(std::move(line)); }
    const std::vector<std::string>& sent() const { return sent_; }
    std::size_t unread() const { return replies_.size(); }
    int opens = 0;

    int setupPort(platform::WindowHandle, int) override { return 0; }
    void open() override {
        ++opens;
        open_ = true;
    }
    void close() override { open_ = false; }
    bool isOpen() override { return open_; }
    void setTimeout(int seconds) override { timeout_ = seconds; }
    int getTimeout() override { return timeout_; }
    void sendString(const char* text, int length) override {
        canceled_ = false;  // as the serial transport: a send ends a cancel
        sent_.emplace_back(text, length);
    }
    void recvString(std::string& line) override {
        if (canceled_) {
            throw SerialPortException("canceled");
        }
        if (replies_.empty() || replies_.front() == "<silent>") {
            if (!replies_.empty())
                replies_.pop_front();
            throw SerialPortException("no reply");
        }
        line = replies_.front();
        replies_.pop_front();
    }
    void cancel() override { canceled_ = true; }
    bool isCanceled() override { return canceled_; }

  private:
    std::deque<std::string> replies_;
    std::vector<std::string> sent_;
    bool open_ = true;
    int timeout_ = 1;
    bool canceled_ = false;
};
