#pragma once
// A dialog runner for hosts that play the user's part in the driver's dialogs: each modal
// dialog is initialised (a measuring dialog measures there), handed to play(), and
// cancelled when it is still open afterwards; modeless windows (progress) stay models.
#include "platform/UiServices.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/DialogRunner.h"

namespace cli {

class PlayingRunner : public platform::ui::DialogRunner {
  public:
    int runModal(platform::ui::Dialog& dialog) final {
        dialog.initialize();
        if (!dialog.ended()) {
            play(dialog);
        }
        if (!dialog.ended()) {
            dialog.endDialog(platform::IDCANCEL);
        }
        return dialog.endCode();
    }
    void createModeless(platform::ui::Dialog& dialog) override { dialog.initialize(); }
    void showModeless(platform::ui::Dialog&, bool) override {}
    void centreModeless(platform::ui::Dialog&, platform::WindowHandle) override {}
    void destroyModeless(platform::ui::Dialog&) override {}
    void pumpEvents() override {}

  protected:
    // The user's clicks in an open dialog.
    virtual void play(platform::ui::Dialog& dialog) = 0;
};

}  // namespace cli
