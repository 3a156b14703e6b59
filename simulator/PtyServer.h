#pragma once
// Serves the simulated instrument on a pseudo-terminal, so that a real serial
// transport (or a terminal program) can talk to it. A background thread reads the
// commands in blocks and writes each reply with one write.
//
// When the instrument drops the line (fault "hangup", or hangUp()), the pty is closed,
// which the other side sees as a hang-up, and a new one is opened at once: path()
// changes and the optional symbolic link is moved to the new pty.
#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "simulator/Instrument.h"

namespace rx9100sim {

class PtyServer {
  public:
    struct Options {
        std::string linkPath;  // empty: no symbolic link
        // Told the new path whenever the pty is (re)opened, from the server thread.
        std::function<void(const std::string&)> onOpened;
    };

    // Throws std::system_error when no pty can be opened or the link cannot be made.
    explicit PtyServer(Instrument& instrument, Options options = {});
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    std::string path() const;      // the pty's device path (/dev/pts/N)
    std::string linkPath() const;  // the symbolic link, empty when none
    void hangUp();                 // drop the line now, as when the cable is pulled
    int reopenCount() const;       // how many times the line was dropped

  private:
    struct Impl;
    // Shared with the instrument's reply sink, which may still be running on the
    // instrument's timer thread while this server is destroyed.
    std::shared_ptr<Impl> impl_;
};

}  // namespace rx9100sim
