#pragma once
#include <deque>
#include <mutex>

#include "platform/UiServices.h"

namespace platform {

// For tests: records every request and answers from queues the test fills.
// An unscripted message box answers IDOK; an unscripted file chooser is cancelled.
class ScriptedUiServices : public UiServices {
  public:
    void answerNextMessageBox(int answer);
    void answerNextFileChooser(std::optional<std::string> path);

    int messageBox(WindowHandle owner, const MessageBoxRequest& request) override;
    std::optional<std::string> chooseFile(WindowHandle owner,
                                          const FileChooserRequest& request) override;
    void beginWaitCursor() override;
    void endWaitCursor() override;

    std::vector<MessageBoxRequest> messageBoxes() const;
    std::vector<FileChooserRequest> fileChoosers() const;
    int waitCursorDepth() const;
    int waitCursorShown() const;

  private:
    mutable std::mutex mutex_;
    std::deque<int> boxAnswers_;
    std::deque<std::optional<std::string>> fileAnswers_;
    std::vector<MessageBoxRequest> boxes_;
    std::vector<FileChooserRequest> files_;
    int cursorDepth_ = 0;
    int cursorShown_ = 0;
};

}  // namespace platform
