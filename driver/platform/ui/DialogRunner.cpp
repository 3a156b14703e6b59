#include "platform/ui/DialogRunner.h"

#include <mutex>

#include "platform/UiServices.h"
#include "platform/ui/Dialog.h"

namespace platform::ui {

namespace {

std::mutex runnerMutex;

std::shared_ptr<DialogRunner>& installedRunner() {
    static std::shared_ptr<DialogRunner> runner = std::make_shared<HeadlessDialogRunner>();
    return runner;
}

}  // namespace

int HeadlessDialogRunner::runModal(Dialog& dialog) {
    dialog.endDialog(IDCANCEL);
    return IDCANCEL;
}

void HeadlessDialogRunner::createModeless(Dialog& dialog) {
    dialog.initialize();
}

std::shared_ptr<DialogRunner> dialogRunner() {
    std::lock_guard lock(runnerMutex);
    return installedRunner();
}

void setDialogRunner(std::shared_ptr<DialogRunner> runner) {
    std::lock_guard lock(runnerMutex);
    installedRunner() = runner ? std::move(runner) : std::make_shared<HeadlessDialogRunner>();
}

}  // namespace platform::ui
