#pragma once
// How dialogs reach the screen. The process has one runner: a GUI host installs
// the Qt one (rx9100qt::installQtUi), tests install a ScriptedDialogRunner, and
// without either the headless runner below keeps the driver safe to call.
#include <memory>

#include "platform/Export.h"
#include "platform/Window.h"

namespace platform::ui {

class Dialog;

class RX9100_RENDERER_API DialogRunner {
  public:
    virtual ~DialogRunner() = default;
    // Initialises the dialog, lets the user work with it and returns its end code.
    virtual int runModal(Dialog& dialog) = 0;
    // Modeless windows: created hidden, shown and hidden on request, destroyed
    // with the dialog object at the latest.
    virtual void createModeless(Dialog& dialog) = 0;
    virtual void showModeless(Dialog& dialog, bool visible) = 0;
    virtual void centreModeless(Dialog& dialog, WindowHandle over) = 0;
    virtual void destroyModeless(Dialog& dialog) = 0;
    // Handles the toolkit's pending events (paint, input) of the calling thread.
    virtual void pumpEvents() = 0;
};

// Without a screen nobody can answer a dialog: a modal dialog ends at once with
// IDCANCEL without being initialised (so it starts no instrument exchange on its
// own), which every caller already treats as "the user declined". Modeless
// windows are initialised, so their models work, but nothing is shown.
class HeadlessDialogRunner : public DialogRunner {
  public:
    int runModal(Dialog& dialog) override;
    void createModeless(Dialog& dialog) override;
    void showModeless(Dialog&, bool) override {}
    void centreModeless(Dialog&, WindowHandle) override {}
    void destroyModeless(Dialog&) override {}
    void pumpEvents() override {}
};

// The runner of the process (the headless one until a host installs another).
RX9100_RENDERER_API std::shared_ptr<DialogRunner> dialogRunner();
// Installs a runner for the whole process; null restores the headless one.
// Dialogs already created keep the runner that created them.
RX9100_RENDERER_API void setDialogRunner(std::shared_ptr<DialogRunner> runner);

}  // namespace platform::ui
