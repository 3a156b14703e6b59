#include "WhiteCalibrationRun.h"

#include <memory>

#include "DriverMessages.h"
#include "ErrorReport.h"
#include "ExitCodes.h"
#include "Interrupt.h"
#include "WhiteCalibrationAnswers.h"

namespace cli {

int calibrateWhite(InstrumentSession& session, const WhiteOptions& white) {
    TavoRX9100& driver = session.driver();
    int result = 0;
    {
        WhiteCalibrationAnswers answers(white, std::make_shared<DriverMessages>());
        // A stop cancels the white measurement; the dialog then stays open and is cancelled.
        const StopWatcher watcher([&driver] { driver.setMeasurementCancel(true); }, -1);
        result = driver.doWhiteCalibration();
    }
    if (result == platform::IDOK) {
        return kExitOk;
    }
    if (interrupted()) {
        printError("white calibration cancelled");
        return kExitInstrument;  // the stop's own code replaces it
    }
    if (result == platform::IDCANCEL) {
        printError("white calibration not done (see the driver's messages above)");
        return kExitInstrument;
    }
    return session.fail("white calibration", result);
}

}  // namespace cli
