#pragma once
// The ways a user or the system asks rx9100 to stop: Ctrl-C (SIGINT), SIGTERM, SIGHUP (the
// terminal went away) and a closed output pipe (SIGPIPE). None of them ends the program
// where it stands: the handlers only note the request, and the program stops where it can
// do so cleanly, so the instrument is always returned to local mode. The program then exits
// with 128 + the signal's number, as a shell reports a program the signal ended. A second
// SIGINT, SIGTERM or SIGHUP ends the program at once.
#include <chrono>
#include <functional>
#include <string>
#include <thread>

namespace cli {

// Call before any thread is started.
void installStopHandlers();
bool interrupted();
// The signal of the first stop request; 0 when there was none.
int stopSignal();
// A stop the program itself found (a closed output pipe seen before writing to it).
void requestStop(int signal);
// "Ctrl-C (SIGINT)", "SIGTERM", ... for messages.
std::string stopReason(int signal);

// Sleeps for the duration; false when a stop was requested before it was over.
bool sleepUnlessInterrupted(std::chrono::milliseconds duration);

// A thread for the long waits of a command. From the first stop request on it calls onStop
// about every 50 ms until it is destroyed: the driver clears its cancel flag when a
// measurement starts, so a single call could come too early. It also watches `output`, the
// pipe the results go to (-1: none), and requests a stop with SIGPIPE as soon as the pipe's
// reader has gone, so that a wait for the next result does not outlive its reader.
class StopWatcher {
  public:
    StopWatcher(std::function<void()> onStop, int output);
    ~StopWatcher();
    StopWatcher(const StopWatcher&) = delete;
    StopWatcher& operator=(const StopWatcher&) = delete;

  private:
    void run(const std::stop_token& stop);

    std::function<void()> onStop_;
    int output_;
    int wake_[2] = {-1, -1};  // written to end the thread
    std::jthread thread_;
};

// The descriptor of stdout when it is a pipe or a socket (its reader can go away), else -1.
int pipedStandardOutput();

}  // namespace cli
