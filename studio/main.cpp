// rx9100-studio: the driver's every operation and dialog from one Qt window.
#include <QApplication>
#include <QMessageBox>
#include <QSettings>
#include <cstdio>
#include <filesystem>

#include "MainWindow.h"
#include "StudioOptions.h"
#include "rx9100qt/QtUi.h"
#include "sensor/RegistryStore.h"
#include "sensor/TavoRX9100.h"

int main(int argc, char** argv) {
    QApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("rx9100"));
    QApplication::setApplicationName(QStringLiteral("rx9100-studio"));

    studio::StudioOptions options;
    if (const auto message = studio::parseOptions(QApplication::arguments(), options)) {
        std::fprintf(stderr, "%s\n", qPrintable(*message));
        return message->startsWith(QStringLiteral("Usage")) ? 0 : 2;
    }
    if (!options.global.settingsDir.empty()) {
        std::error_code error;
        std::filesystem::create_directories(options.global.settingsDir, error);
        RegistryStore::setStoreFolder(options.global.settingsDir);  // before the driver exists
    }
    if (options.global.port.empty() && !options.global.sim.enabled) {
        // The port of the last good connection.
        options.global.port =
            QSettings().value(QStringLiteral("instrument/lastPort")).toString().toStdString();
    }
    auto* driver = dynamic_cast<TavoRX9100*>(TavoRX9100::getInstance());
    if (driver == nullptr) {
        std::fprintf(stderr, "rx9100-studio: the driver object could not be created\n");
        return 1;
    }
    rx9100qt::installQtUi();
    int code = 0;
    {
        studio::MainWindow window(*driver, options.global);
        window.show();
        if (options.connectAtStart) {
            window.connectInstrument();
        }
        code = QApplication::exec();
    }
    rx9100qt::uninstallQtUi();
    return code;
}
