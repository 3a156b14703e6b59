#pragma once
// A bar on stderr for the long table transfers (one exchange per entry, 401 a table): the
// session's send gate advances it before every command line and refuses the next line once
// a stop was requested, so Ctrl-C ends the transfer at its next entry and the instrument is
// still returned to local mode.
#include <cstdio>
#include <string>

#include "InstrumentSession.h"

namespace cli {

class TableProgress {
  public:
    // visible false: no drawing, but a stop request still ends the transfer.
    TableProgress(InstrumentSession& session, bool visible, std::FILE* out = stderr);
    ~TableProgress();  // removes the bar and the gate
    TableProgress(const TableProgress&) = delete;
    TableProgress& operator=(const TableProgress&) = delete;

    // The next transfer: its label and the exchanges it will take (0: not known).
    void start(std::string label, int total);
    void clear();

    // "[#####-----] 123/401", or "123 lines" without a total.
    static std::string render(int done, int total, int width);

  private:
    bool step();  // the gate: true lets the line go out

    InstrumentSession& session_;
    bool visible_;
    std::FILE* out_;
    std::string label_;
    int total_ = 0;
    int done_ = 0;
    std::string lastDrawn_;
};

// Whether bars go to stderr: when it is a terminal.
bool stderrIsTerminal();

}  // namespace cli
