#include "platform/ScriptedUiServices.h"

namespace platform {

void ScriptedUiServices::answerNextMessageBox(int answer) {
    std::lock_guard lock(mutex_);
    boxAnswers_.push_back(answer);
}

void ScriptedUiServices::answerNextFileChooser(std::optional<std::string> path) {
    std::lock_guard lock(mutex_);
    fileAnswers_.push_back(std::move(path));
}

int ScriptedUiServices::messageBox(WindowHandle, const MessageBoxRequest& request) {
    std::lock_guard lock(mutex_);
    boxes_.push_back(request);
    if (boxAnswers_.empty()) {
        return IDOK;
    }
    int answer = boxAnswers_.front();
    boxAnswers_.pop_front();
    return answer;
}

std::optional<std::string> ScriptedUiServices::chooseFile(WindowHandle,
                                                          const FileChooserRequest& request) {
    std::lock_guard lock(mutex_);
    files_.push_back(request);
    if (fileAnswers_.empty()) {
        return std::nullopt;
    }
    auto answer = fileAnswers_.front();
    fileAnswers_.pop_front();
    return answer;
}

void ScriptedUiServices::beginWaitCursor() {
    std::lock_guard lock(mutex_);
    ++cursorDepth_;
    ++cursorShown_;
}

void ScriptedUiServices::endWaitCursor() {
    std::lock_guard lock(mutex_);
    --cursorDepth_;
}

std::vector<MessageBoxRequest> ScriptedUiServices::messageBoxes() const {
    std::lock_guard lock(mutex_);
    return boxes_;
}

std::vector<FileChooserRequest> ScriptedUiServices::fileChoosers() const {
    std::lock_guard lock(mutex_);
    return files_;
}

int ScriptedUiServices::waitCursorDepth() const {
    std::lock_guard lock(mutex_);
    return cursorDepth_;
}

int ScriptedUiServices::waitCursorShown() const {
    std::lock_guard lock(mutex_);
    return cursorShown_;
}

}  // namespace platform
