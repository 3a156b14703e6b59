#include "rx9100qt/QtUi.h"

#include <QApplication>
#include <QFontDatabase>

#include "dialogs/DialogPortSettingsPrompt.h"
#include "outside/PortSettings.h"
#include "platform/UiServices.h"
#include "platform/Window.h"
#include "platform/ui/DialogRunner.h"
#include "rx9100qt/QtDialogRunner.h"
#include "rx9100qt/QtUiServices.h"

namespace rx9100qt {

void applyDialogFont() {
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(13);
    QApplication::setFont(font);
}

std::shared_ptr<QtDialogRunner> installQtUi() {
    applyDialogFont();
    auto runner = std::make_shared<QtDialogRunner>();
    platform::ui::setDialogRunner(runner);
    platform::setUiServices(std::make_shared<QtUiServices>(runner));
    // The transport's port settings become a window instead of console questions.
    portway::setPortSettingsPrompt(std::make_shared<DialogPortSettingsPrompt>());
    // Messages posted to this thread's windows are dispatched by the Qt loop.
    platform::setQueueWaker([] {
        if (QCoreApplication* app = QCoreApplication::instance()) {
            QMetaObject::invokeMethod(
                app, [] { platform::dispatchPendingMessages(); }, Qt::QueuedConnection);
        }
    });
    return runner;
}

void uninstallQtUi() {
    portway::setPortSettingsPrompt(nullptr);
    platform::setQueueWaker(nullptr);
    platform::setUiServices(nullptr);
    platform::ui::setDialogRunner(nullptr);
}

}  // namespace rx9100qt
