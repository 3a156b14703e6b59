#pragma once
// The driver object's inner machinery, which hosts never see: its two exchanges and its
// receive thread.
#include <atomic>
#include <mutex>
#include <string>

#include "link/LineExchange.h"
#include "platform/System.h"
#include "sensor/TavoRX9100.h"

// The exchange of the driver's own operations: doCommunication, which runs the
// recovery when the instrument has left remote mode.
class RecoveringExchange : public Exchanger {
  public:
    explicit RecoveringExchange(TavoRX9100& driver) : driver_(driver) {}
    int exchange(const std::string& command, std::string& reply, int timeout,
                 bool expectOk) override {
        return driver_.doCommunication(command, reply, timeout, expectOk);
    }

  private:
    TavoRX9100& driver_;
};

struct TavoRX9100::Internals {
    Internals(TavoRX9100& driver, HostConnection* const& connection, InstrumentState& state,
              const std::atomic<bool>& errorVisible)
        : line(connection, state, errorVisible), recovering(driver) {}

    LineExchange line;  // the bare exchange: the recovery talks through it
    RecoveringExchange recovering;
    // Recoveries started so far: connect tells a refused "RMTS,1" from one whose recovery
    // put the instrument into remote mode before it failed.
    std::atomic<unsigned> recoveriesStarted{0};
    platform::WorkerThread receiveThread;
    // Held by doMeasurement for its whole run: a disconnect from another thread waits for it.
    std::recursive_mutex measurementRun;
    // Set while a disconnect runs: a measurement running or starting meanwhile stops.
    std::atomic<bool> disconnecting{false};
    // While the run waits for the completion reply, a stop request cancels the transport's
    // wait; the mutex makes "is it waiting" and "cancel it" one step.
    std::mutex completionWait;
    bool awaitingCompletion = false;
    // From the start of the receive thread until it is about to signal its end: while
    // set, the thread serves and a new remote measurement keeps it.
    std::atomic<bool> receiving{false};
};
