#pragma once
// Puts the driver's user interface on Qt Widgets: the dialog runner, the
// message boxes, file choosers and wait cursor, the transport's port settings
// dialog, and the wake-up of the Qt event
// loop when a driver message is posted to the GUI thread. Call it on the GUI
// thread after the QApplication exists.
#include <memory>

namespace rx9100qt {

class QtDialogRunner;

// Installs everything; returns the runner (also reachable as platform::ui::dialogRunner()).
std::shared_ptr<QtDialogRunner> installQtUi();
// Restores the headless runner, the console services and the console port prompt.
void uninstallQtUi();

// The dialog font: Noto Sans CJK JP (falls back to any CJK-capable font).
void applyDialogFont();

}  // namespace rx9100qt
