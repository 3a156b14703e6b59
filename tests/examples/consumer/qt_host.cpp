// A Qt host built against the installed driver: it loads the module and the Qt renderer,
// installs the Qt dialogs into the one driver object and asks for the port settings, the
// driver's own dialog, which must come up as a Qt window.
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <cstdio>

#include "rx9100qt/QtUi.h"
#include "sensor/TavoRX9100.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    rx9100qt::installQtUi();
    AbstractSensorStrategy* driver = TavoRX9100::getInstance();
    if (driver == nullptr) {
        return 1;
    }
    // Notes the title of the modal window the driver opens and cancels it.
    QString title;
    QTimer answer;
    answer.setInterval(20);
    QObject::connect(&answer, &QTimer::timeout, [&title] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            title = dialog->windowTitle();
            dialog->reject();
        }
    });
    answer.start();
    const int accepted = driver->setupRSProperty(nullptr, 0);
    answer.stop();
    rx9100qt::uninstallQtUi();
    std::printf("port settings window \"%s\", accepted %d\n", title.toUtf8().constData(), accepted);
    return title.isEmpty() || accepted != 0 ? 1 : 0;
}
