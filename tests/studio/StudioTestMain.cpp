// One QApplication on the offscreen platform; the studio's and the driver's settings in a
// folder of the test run, never the user's.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QStandardPaths>
#include <filesystem>
#include <string>

#include "rx9100qt/QtUi.h"
#include "sensor/RegistryStore.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    std::string pattern = std::filesystem::temp_directory_path() / "rx9100-studio-XXXXXX";
    const std::string folder = mkdtemp(pattern.data());
    RegistryStore::setStoreFolder(folder);
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("rx9100-tests"));
    QApplication::setApplicationName(QStringLiteral("rx9100-studio-tests"));
    rx9100qt::installQtUi();  // as rx9100-studio does: dialogs and the remote wake-up
    ::testing::InitGoogleTest(&argc, argv);
    const int code = RUN_ALL_TESTS();
    rx9100qt::uninstallQtUi();
    std::filesystem::remove_all(folder);
    return code;
}
