#pragma once
// An open connection to the instrument: a serial device or a TCP socket. All
// waits go through poll with a deadline; a receive also wakes on the cancel
// signal. Nothing here blocks without limit or spins.
#include <chrono>
#include <string>
#include <string_view>

#include "CancelSignal.h"
#include "LineReader.h"
#include "UniqueFd.h"
#include "outside/PortwayEx.h"

namespace portway {

using Clock = std::chrono::steady_clock;

// The connection is gone (hang-up, device removed, peer closed); the owner
// drops the link so that the next exchange opens the port again.
class LinkLost : public SerialPortException {
  public:
    using SerialPortException::SerialPortException;
};

class Link {
  public:
    enum class Kind { Terminal, Socket };

    Link(UniqueFd fd, Kind kind, std::string label);
    Link(Link&&) = default;
    Link& operator=(Link&&) = default;
    ~Link();

    // Drops whatever arrived before the next command was sent.
    void discardInput();
    void send(std::string_view data, Clock::time_point deadline);
    std::string receiveLine(Clock::time_point deadline, const CancelSignal& cancel);

    const std::string& label() const { return label_; }

  private:
    // Reads what is there into the line buffer; false when nothing was.
    bool readAvailable();
    [[noreturn]] void lost(const char* what, int error) const;

    UniqueFd fd_;
    Kind kind_;
    std::string label_;
    LineReader reader_;
};

}  // namespace portway
