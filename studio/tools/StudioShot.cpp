// rx9100-studio-shot OUTDIR: the studio's main window drawn for the documentation, after
// three measurements of different lights on the built-in simulator (spectra, colour values,
// the xy and u'v' diagrams, the progress window).
#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <QTest>
#include <cstdio>

#include <QAction>
#include "ChromaticityDiagram.h"
#include "MainWindow.h"
#include "MeasureProgressDialog.h"
#include "MeasureRunner.h"
#include "ResultsPanel.h"
#include "rx9100qt/QtUi.h"
#include "sensor/TavoRX9100.h"
#include "simulator/Spectrum.h"

namespace {

bool saveShot(QWidget* widget, const QDir& dir, const char* name) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    if (!widget->grab().save(path, "PNG")) {
        std::fprintf(stderr, "rx9100-studio-shot: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("rx9100-shot"));
    if (argc != 2) {
        std::fprintf(stderr, "usage: rx9100-studio-shot OUTDIR\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(dir.path());
    auto* driver = dynamic_cast<TavoRX9100*>(TavoRX9100::getInstance());
    rx9100qt::installQtUi();
    cli::GlobalOptions options;
    options.sim.enabled = true;
    options.sim.measuringTime = 0.2;
    int code = 0;
    {
        studio::MainWindow window(*driver, options);
        window.resize(1200, 780);
        window.show();
        if (!window.connectInstrument()) {
            return 1;
        }
        const auto idle = [&] {
            return QTest::qWaitFor([&] { return !window.runner()->measuring(); }, 10000);
        };
        for (const char* source : {"d65", "a", "led:450"}) {
            window.link().simulator()->instrument().setScene(*rx9100sim::LightSource::parse(source),
                                                             100.0);
            window.measure(1, 0);
            if (source == std::string("led:450")) {
                QTest::qWait(100);
                saveShot(window.progressDialog(), dir, "studio-progress.png");
            }
            idle();
        }
        window.panel()->selectAll();
        window.action(QStringLiteral("normalised"))->setChecked(true);
        QTest::qWait(50);
        const bool ok = saveShot(&window, dir, "studio-main-window.png") &&
                        (window.panel()->tabs()->setCurrentWidget(window.panel()->diagram()),
                         saveShot(&window, dir, "studio-chromaticity-xy.png")) &&
                        (window.panel()->diagram()->setPlane(studio::ChromaticityPlane::UvPrime),
                         saveShot(window.panel()->diagram(), dir, "studio-chromaticity-uv.png"));
        code = ok ? 0 : 1;
        window.results().clear();  // no closing question
    }
    rx9100qt::uninstallQtUi();
    return code;
}
