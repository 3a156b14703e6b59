#pragma once
#include <QStringList>
#include <memory>
#include <string>
#include "rx9100qt/QtExport.h"

#include "platform/UiServices.h"

namespace rx9100qt {

class QtDialogRunner;

// Message boxes, file choosers and the wait cursor as Qt widgets.
class RX9100QT_API QtUiServices : public platform::UiServices {
  public:
    // The runner gives the message boxes their parent dialog; it may be null.
    explicit QtUiServices(std::shared_ptr<QtDialogRunner> runner = nullptr);

    int messageBox(platform::WindowHandle owner,
                   const platform::MessageBoxRequest& request) override;
    std::optional<std::string> chooseFile(platform::WindowHandle owner,
                                          const platform::FileChooserRequest& request) override;
    void beginWaitCursor() override;
    void endWaitCursor() override;

  private:
    std::shared_ptr<QtDialogRunner> runner_;
};

// "*.ucf|*.ucf||" -> {"*.ucf (*.ucf)"}; ';' separated patterns become spaces.
RX9100QT_API QStringList qtNameFilters(const std::string& filter);

}  // namespace rx9100qt
