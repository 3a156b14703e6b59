#pragma once
#include <cstdio>

#include "platform/UiServices.h"

namespace platform {

// Message boxes on stderr. Questions are answered from stdin only when it is a
// terminal; otherwise (scripts, CI) they take the safe answer, Cancel.
class ConsoleUiServices : public UiServices {
  public:
    explicit ConsoleUiServices(std::FILE* out = stderr, bool interactive = false);
    int messageBox(WindowHandle owner, const MessageBoxRequest& request) override;
    std::optional<std::string> chooseFile(WindowHandle owner,
                                          const FileChooserRequest& request) override;
    void beginWaitCursor() override {}
    void endWaitCursor() override {}

  private:
    std::FILE* out_;
    bool interactive_;
};

}  // namespace platform
