#pragma once
// Puts the driver's user interface on Qt Widgets: the dialog runner, the
// message boxes, file choosers and wait cursor, the transport's port settings
// dialog, and the wake-up of the Qt event
// loop when a driver message is posted to the GUI thread. Call it on the GUI
// thread after the QApplication exists.
#include <memory>
#include "rx9100qt/QtExport.h"

namespace rx9100qt {

class QtDialogRunner;

// Installs everything; returns the runner (also reachable as platform::ui::dialogRunner()).
RX9100QT_API std::shared_ptr<QtDialogRunner> installQtUi();
// Restores the headless runner, the console services and the console port prompt.
RX9100QT_API void uninstallQtUi();

// The dialog font: Noto Sans CJK JP (falls back to any CJK-capable font).
RX9100QT_API void applyDialogFont();

}  // namespace rx9100qt
