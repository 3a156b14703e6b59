#include "ConditionsDialog.h"

#include <cstdlib>

#ifdef RX9100_CLI_PLOT
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include "Interrupt.h"
#include "rx9100qt/QtUi.h"
#include "sensor/TavoRX9100.h"
#endif

namespace cli {

#ifdef RX9100_CLI_PLOT

namespace {

bool displayPresent() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return true;
        }
    }
    return false;
}

class QtDialogHost : public DialogHost {
  public:
    QtDialogHost() : app_(argc_, argv_) { rx9100qt::installQtUi(); }

    // Outside a desktop session Qt warns that it has no runtime folder, which means nothing
    // here; the user's own rules win.
    static void quietenQt() {
        if (std::getenv("XDG_RUNTIME_DIR") == nullptr &&
            std::getenv("QT_LOGGING_RULES") == nullptr) {
            setenv("QT_LOGGING_RULES", "default.warning=false", 0);
        }
    }
    ~QtDialogHost() override { rx9100qt::uninstallQtUi(); }

    int runSetupInstrument(TavoRX9100& driver) override {
        // Ctrl-C and the other stop requests close the window, which cancels it.
        QTimer stops;
        QObject::connect(&stops, &QTimer::timeout, [] {
            if (interrupted()) {
                if (QWidget* window = QApplication::activeModalWidget()) {
                    window->close();
                }
            }
        });
        stops.start(100);
        return driver.setupInstrument();
    }

  private:
    int argc_ = 1;
    char name_[7] = "rx9100";
    char* argv_[2] = {name_, nullptr};
    QApplication app_;
};

}  // namespace

std::unique_ptr<DialogHost> openDialogHost(std::string& reason) {
    if (!displayPresent()) {
        reason =
            "--dialog needs a display: neither DISPLAY nor WAYLAND_DISPLAY is set (--set "
            "changes the conditions without one)";
        return nullptr;
    }
    QtDialogHost::quietenQt();
    return std::make_unique<QtDialogHost>();
}

#else

std::unique_ptr<DialogHost> openDialogHost(std::string& reason) {
    reason = "--dialog is not available: this rx9100 was built without Qt (RX9100_QT=OFF)";
    return nullptr;
}

#endif

}  // namespace cli
