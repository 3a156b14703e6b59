#pragma once
// Message boxes the driver raises on its own (its receive thread switches error
// display on around its exchanges) become lines on stderr; questions and file
// choosers get the answer that changes nothing, as nobody is there to click.
#include "platform/UiServices.h"

namespace cli {

class DriverMessages : public platform::UiServices {
  public:
    int messageBox(platform::WindowHandle owner,
                   const platform::MessageBoxRequest& request) override;
    std::optional<std::string> chooseFile(platform::WindowHandle owner,
                                          const platform::FileChooserRequest& request) override;
    void beginWaitCursor() override {}
    void endWaitCursor() override {}
};

}  // namespace cli
