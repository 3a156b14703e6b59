#pragma once
#include <QImage>
#include <map>
#include <memory>
#include "rx9100qt/QtExport.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/DialogRunner.h"

class QDialog;
class QWidget;

namespace rx9100qt {

class DialogWidget;

// Shows driver dialogs as Qt windows laid out from their templates: modal ones
// with QDialog::exec, modeless ones as tool windows that live until the dialog
// destroys them. pumpEvents lets Qt paint and take input while the driver's
// thread is busy (progress windows call it through setPos).
class RX9100QT_API QtDialogRunner : public platform::ui::DialogRunner {
  public:
    QtDialogRunner();
    ~QtDialogRunner() override;

    int runModal(platform::ui::Dialog& dialog) override;
    void createModeless(platform::ui::Dialog& dialog) override;
    void showModeless(platform::ui::Dialog& dialog, bool visible) override;
    void centreModeless(platform::ui::Dialog& dialog, platform::WindowHandle over) override;
    void destroyModeless(platform::ui::Dialog& dialog) override;
    void pumpEvents() override;

    // The window showing the dialog (null when it is not shown by this runner).
    QDialog* windowFor(const platform::ui::Dialog& dialog) const;
    // The widget of one control of a shown dialog.
    QWidget* widgetFor(const platform::ui::Dialog& dialog, int controlId) const;
    // The Qt parent for a driver window handle: its dialog window when it has
    // one, else the application's active window.
    QWidget* parentFor(platform::WindowHandle window) const;

    // The dialog drawn as it appears on screen, with a title bar, without
    // showing it to the user; initialises it first when needed.
    QImage grab(platform::ui::Dialog& dialog);

  private:
    std::map<const platform::ui::Dialog*, DialogWidget*> shown_;  // modal and modeless
    std::map<const platform::ui::Dialog*, std::unique_ptr<DialogWidget>> modeless_;
};

}  // namespace rx9100qt
