#pragma once
// An instrument on a pseudo-terminal of the test's own, reached by rx9100 with --port as a
// real one would be. A simulated instrument answers each line on its own
// (Instrument::exchange), so a measurement never announces its completion; `Answer` may
// replace any reply, to keep the instrument busy, say.
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "simulator/Instrument.h"

namespace clitest {

class StandInInstrument {
  public:
    // The reply to send instead of the instrument's (with its CR LF), or nullopt.
    using Answer = std::function<std::optional<std::string>(const std::string& line)>;

    explicit StandInInstrument(Answer answer = {});
    ~StandInInstrument();
    StandInInstrument(const StandInInstrument&) = delete;
    StandInInstrument& operator=(const StandInInstrument&) = delete;

    const std::string& port() const { return port_; }
    bool remoteMode() const { return instrument_.remoteMode(); }
    // The lines received, without CR LF.
    std::vector<std::string> received() const;

  private:
    void serve(const std::stop_token& stop);
    void answer(const std::string& line);

    Answer answer_;
    rx9100sim::Instrument instrument_;
    int master_ = -1;
    int keeper_ = -1;  // the terminal stays set up between rx9100's opens
    int wake_[2] = {-1, -1};
    std::string port_;
    mutable std::mutex mutex_;
    std::vector<std::string> received_;
    std::jthread thread_;
};

}  // namespace clitest
