#pragma once
// `rx9100 conditions --dialog`: the driver's own measuring-conditions window, shown with
// the Qt renderer. The window needs Qt in this build and a display to show it on.
#include <memory>
#include <string>

class TavoRX9100;

namespace cli {

class DialogHost {
  public:
    virtual ~DialogHost() = default;
    // setupInstrument() with the window on screen: its status (0 also when the user
    // cancelled, or when a stop request closed the window).
    virtual int runSetupInstrument(TavoRX9100& driver) = 0;
};

// The toolkit, started before the instrument is talked to (a display it cannot reach must
// not leave the instrument in remote mode); null with the reason when there is none.
std::unique_ptr<DialogHost> openDialogHost(std::string& reason);

}  // namespace cli
