#pragma once
// What every host of ours reads from the driver the same way: the instrument's identity,
// and the measuring progress the driver announces to the window it is given.
#include <atomic>
#include <string>

#include "InstrumentSession.h"
#include "platform/Window.h"

class TavoRX9100;

namespace cli {

InstrumentIdentity identityOf(TavoRX9100& driver, const std::string& port);

// The window passed to doMeasurement: the driver calls it on the measuring thread with the
// measuring time and then the time elapsed, both in hundredths of a second.
class MeasuringProgressWindow : public platform::Window {
  public:
    platform::LResult handleMessage(unsigned message, platform::WParam wParam,
                                    platform::LParam lParam) override;
    std::atomic<unsigned> total{0};
    std::atomic<unsigned> elapsed{0};
};

}  // namespace cli
