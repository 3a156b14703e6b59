#pragma once
// A connection to the simulated instrument inside the same process, with the
// transport interface the driver talks through.
//
// Cancel semantics, as the serial transport's: cancel() makes a waiting receive
// throw and turns isCanceled() true; until the next send (or open()) every
// receive throws at once and isCanceled() stays true. Sending is never affected.
//
// When the instrument drops the line (fault "hangup"), receives and sends throw and
// isOpen() reports false until open() is called again, as with a re-plugged cable.
#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "outside/PortwayEx.h"
#include "simulator/Instrument.h"

namespace rx9100sim {

class InProcessConnection : public UnivSerialBus {
  public:
    explicit InProcessConnection(Instrument& instrument);
    ~InProcessConnection() override;
    InProcessConnection(const InProcessConnection&) = delete;
    InProcessConnection& operator=(const InProcessConnection&) = delete;

    int setupPort(platform::WindowHandle window, int arg) override;  // no dialog: always 0
    void open() override;
    void close() override;
    bool isOpen() override;
    void setTimeout(int seconds) override;
    int getTimeout() override;
    void sendString(const char* text, int length) override;
    void recvString(std::string& line) override;
    void cancel() override;
    bool isCanceled() override;

    // Tests: wait this long instead of the timeout in seconds, so that a silent
    // instrument does not cost whole seconds. nullopt restores the seconds.
    void setReceiveWaitOverride(std::optional<std::chrono::milliseconds> wait);
    // Tests: the next open() calls throw, as for a missing device.
    void setOpenFails(bool fails);
    Instrument& instrument() { return instrument_; }

  private:
    struct Shared;

    Instrument& instrument_;
    std::shared_ptr<Shared> shared_;
};

}  // namespace rx9100sim
