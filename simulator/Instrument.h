#pragma once
// The simulated RX-9100: its memory, its running state and the command protocol,
// shared by any number of connections (in-process or pseudo-terminal). Thread-safe.
// Connections and pty servers must be destroyed before the instrument they talk to.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <fstream>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <random>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "simulator/Commands.h"
#include "simulator/Fault.h"
#include "simulator/Identity.h"
#include "simulator/LineAssembler.h"
#include "simulator/Memory.h"
#include "simulator/Spectrum.h"
#include "simulator/Transcript.h"

namespace rx9100sim {

// Optional emulation of the serial line; all zero means no artificial delay.
struct WireTiming {
    int baud = 0;                          // 0: unthrottled
    int bitsPerByte = 10;                  // start, eight data bits, stop
    std::chrono::microseconds latency{0};  // instrument's thinking time per command

    std::chrono::microseconds transfer(std::size_t bytes) const;
};

// Bytes the instrument puts on the line for a connection.
struct Emission {
    std::string bytes;
    // Time from now until the last byte has arrived at the host (wire, latency, slow fault).
    std::chrono::microseconds delay{0};
    bool hangUp = false;  // the line drops after these bytes
};

class Instrument {
  public:
    using Sink = std::function<void(const Emission&)>;

    explicit Instrument(Identity identity = {});
    ~Instrument();
    Instrument(const Instrument&) = delete;
    Instrument& operator=(const Instrument&) = delete;

    // --- configuration -----------------------------------------------------------------
    void setIdentity(const Identity& identity);
    Identity identity() const;
    void setScene(const LightSource& source, double luminance);
    Scene scene() const;
    // Samples in front of the instrument, one per completed measurement, the last one staying;
    // none: the instrument looks at the source itself.
    void presentSamples(const std::vector<Sample>& samples);
    // Deliberate wavelength and sensitivity errors; callers keep them within the kMax limits.
    void setMiscalibration(const Miscalibration& errors);
    Miscalibration miscalibration() const;
    void setMeasuringAngle(int angle);  // 0, 1 or 2: the mechanical setting "STSR" reads
    int measuringAngle() const;
    void setMeasuringTiming(const MeasuringTiming& timing);
    void setWireTiming(const WireTiming& wire);
    WireTiming wireTiming() const;
    void setNoise(double relative, unsigned seed = 1);  // 0: exact readings

    // --- memory ------------------------------------------------------------------------
    Memory memory() const;
    void setMemory(const Memory& memory);
    bool loadState(const std::string& path, std::string* error = nullptr);
    bool saveState(const std::string& path) const;
    // Called (outside the lock) after a command changed something worth persisting.
    void setMemoryChangedHook(std::function<void()> hook);

    // --- running state -----------------------------------------------------------------
    bool remoteMode() const;
    void leaveRemoteMode();  // as the instrument's own local key: the next command gets "ER00"
    bool keyEnabled() const;
    bool isMeasuring() const;
    bool waitUntilIdle(std::chrono::milliseconds timeout) const;
    // Whether replies taken from the state are still being written (a slow or stray line).
    bool repliesPending() const;
    // The measuring key; true when it started a measurement ("MSWE,1" given, none running).
    bool pressKey();
    void setAutoKeyInterval(std::chrono::milliseconds interval);  // 0: off
    std::optional<StoredRecord> lastMeasurement() const;
    bool storeSample(int number);                           // the last measurement into 0..99
    bool storeTarget(int number, const std::string& name);  // the last measurement into 1..20
    // Believable stored data: samples 00 to count − 1 and targets 1 to min(count, 20), the
    // rest emptied (see StoredDataFill.h).
    void fillStoredData(int count);

    // --- faults ------------------------------------------------------------------------
    void injectFault(const Fault& fault);
    void clearFaults();
    std::size_t armedFaults() const;

    // --- transcript --------------------------------------------------------------------
    std::vector<TranscriptEntry> transcript() const;
    // Received lines only, as text without line ends: the commands the host sent.
    std::vector<std::string> receivedLines() const;
    void clearTranscript();
    void setTranscriptKeptInMemory(bool keep);
    bool setTranscriptFile(const std::string& path);  // empty path: stop writing

    // --- connections -------------------------------------------------------------------
    SessionId attach(Sink sink);
    void detach(SessionId session);
    // Bytes from the host; replies go to the session's sink before this returns.
    void receive(SessionId session, std::string_view bytes);

    // Processes one line without a transport and returns the reply bytes (for tools).
    std::string exchange(std::string_view line);

  private:
    struct Session {
        Sink sink;
        LineAssembler assembler;
        std::deque<std::string> continuation;
        std::optional<std::size_t> lastReceivedEntry;
        // Replies taken from the state but not yet handed to the sink: a completion
        // line waits for them, so that it never overtakes the reply to "MEAS,1".
        int repliesInFlight = 0;
    };
    struct ArmedFault {
        Fault fault;
        int seen = 0;
    };

    void processLine(Session& session, SessionId id, const LineAssembler::Line& line,
                     std::vector<Emission>& out, bool& changed);
    void record(TranscriptEntry::Direction direction, std::string bytes);
    CommandContext contextLocked(std::deque<std::string>& continuation,
                                 std::optional<SessionId> session);
    bool startKeyMeasurementLocked();
    void memoryChanged();  // runs the hook, outside the lock
    void timerLoop(std::stop_token stop);

    mutable std::mutex mutex_;
    mutable std::condition_variable_any wake_;
    Identity identity_;
    Scene scene_;
    Miscalibration errors_;
    MeasuringTiming timing_;
    WireTiming wire_;
    double noise_ = 0.002;
    std::mt19937 rng_{1};
    Memory memory_;
    Runtime runtime_;
    std::map<SessionId, Session> sessions_;
    SessionId nextSession_ = 1;
    std::vector<ArmedFault> faults_;
    std::vector<TranscriptEntry> transcript_;
    bool keepTranscript_ = true;
    std::ofstream transcriptFile_;
    std::function<void()> memoryHook_;
    std::chrono::milliseconds autoKey_{0};
    Clock::time_point nextAutoKey_{};
    std::deque<std::string> toolContinuation_;
    std::jthread timer_;  // last: started after everything it uses
};

}  // namespace rx9100sim
