#include "StoredRead.h"

#include <cstdio>
#include <string>

#include "ErrorReport.h"
#include "ExitCodes.h"
#include "Interrupt.h"
#include "StoredData.h"
#include "TableProgress.h"

namespace cli {

int readStored(InstrumentSession& session, bool targets, StoredRecords& out) {
    TavoRX9100& driver = session.driver();
    const bool visible = stderrIsTerminal();
    int shown = -1;
    StoredReadProgress progress;
    progress.step = [&](int number, int total) {
        if (visible) {
            const int done = targets ? number - 1 : number;
            std::fprintf(stderr, "\r%s %s", kindName(targets),
                         TableProgress::render(done, total, 30).c_str());
            shown = done;
        }
    };
    progress.cancelled = [] { return interrupted(); };
    const int status = driver.readStoredRecords(targets, true, out, progress);
    if (visible && shown >= 0) {
        std::fprintf(stderr, "\r%*s\r", 60, "");
    }
    if (interrupted()) {
        return kExitStoppedBase + stopSignal();
    }
    if (status != 0) {
        return session.fail(std::string("reading the stored ") + kindName(targets), status);
    }
    if (!out.invalid.empty()) {
        std::string list;
        for (int n : out.invalid) {
            list += (list.empty() ? "" : ", ") + std::to_string(n);
        }
        printError(std::string("left out: ") + (targets ? "targets " : "samples ") + list +
                   " hold values that are not finite numbers");
    }
    return kExitOk;
}

}  // namespace cli
