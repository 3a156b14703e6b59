#include "rx9100qt/QtUi.h"

#include <QApplication>
#include <QFontDatabase>

#include "dialogs/Renderer.h"
#include "platform/Window.h"
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
    renderer::install({
        runner,
        std::make_shared<QtUiServices>(runner),
        // Messages posted to this thread's windows are dispatched by the Qt loop.
        [] {
            if (QCoreApplication* app = QCoreApplication::instance()) {
                QMetaObject::invokeMethod(
                    app, [] { platform::dispatchPendingMessages(); }, Qt::QueuedConnection);
            }
        },
    });
    return runner;
}

void uninstallQtUi() {
    renderer::uninstall();
}

}  // namespace rx9100qt
