// The menus of the main window, and the driver's dialogs they open.
#include <QAction>
#include <QActionGroup>
#include <QFileDialog>
#include <QInputDialog>
#include <QMenuBar>
#include <QStatusBar>

#include "ChromaticityDiagram.h"
#include "LinkBanner.h"
#include "MainWindow.h"
#include "MeasureRunner.h"
#include "ResultsPanel.h"
#include "SpectrumPlot.h"
#include "sensor/ConditionCodes.h"
#include "sensor/DataPack.h"
#include "sensor/ResultCodes.h"
#include "sensor/TavoRX9100.h"

namespace studio {

QAction* MainWindow::addAction(QMenu* menu, const QString& name, const QString& text,
                               std::function<void()> slot) {
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, [slot = std::move(slot)] { slot(); });
    return action;
}

void MainWindow::buildMenus() {
    buildFileMenu();

    QMenu* instrument = menuBar()->addMenu(tr("&Instrument"));
    QAction* connectAction = addAction(instrument, QStringLiteral("connect"), tr("&Connect"),
                                       [this] { connectInstrument(); });
    connectAction->setProperty("needs", QStringLiteral("idle"));
    connectAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    addAction(instrument, QStringLiteral("disconnect"), tr("&Disconnect"), [this] {
        disconnectInstrument();
    })->setProperty("needs", QStringLiteral("instrument"));
    instrument->addSeparator();
    addAction(instrument, QStringLiteral("portSettings"), tr("&Port settings..."), [this] {
        // The choice takes effect at the next connection.
        if (driver_.setupRSProperty(nullptr, 0) != 0) {
            link_.forgetPortOptions();
            statusBar()->showMessage(tr("Port settings changed: reconnect to use them"), 5000);
        }
    })->setProperty("needs", QStringLiteral("idle"));
    buildDriverMenus(instrument);

    QMenu* measure = menuBar()->addMenu(tr("&Measure"));
    QAction* single = addAction(measure, QStringLiteral("measure"), tr("&Measure"),
                                [this] { this->measure(1, 0); });
    single->setShortcut(QKeySequence(Qt::Key_F5));
    single->setProperty("needs", QStringLiteral("instrument"));
    addAction(measure, QStringLiteral("series"), tr("Timed &series..."), [this] {
        bool ok = false;
        const int count = QInputDialog::getInt(this, tr("Timed series"), tr("Measurements:"), 5, 2,
                                               10000, 1, &ok);
        if (!ok) {
            return;
        }
        const double interval = QInputDialog::getDouble(this, tr("Timed series"),
                                                        tr("Seconds from one start to the next:"),
                                                        10, 0, 86400, 1, &ok);
        if (ok) {
            this->measure(count, interval);
        }
    })->setProperty("needs", QStringLiteral("instrument"));
    QAction* remote = addAction(measure, QStringLiteral("remote"),
                                tr("&Remote measurement (instrument key)"), [] {});
    remote->setCheckable(true);
    connect(remote, &QAction::toggled, this,
            [this](bool on) { on ? startRemote() : stopRemote(); });
    QAction* cancel = addAction(measure, QStringLiteral("cancel"), tr("&Cancel"),
                                [this] { cancelMeasurement(); });
    cancel->setShortcut(QKeySequence(Qt::Key_Escape));
    cancel->setShortcutContext(Qt::ApplicationShortcut);
    measure->addSeparator();
    methods_ = new QActionGroup(this);
    const std::pair<int, QString> methods[] = {
        {codes::method::kLightSource, tr("&Light source")},
        {codes::method::kReflection, tr("R&eflectance")},
        {codes::method::kTransmission, tr("&Transmittance")}};
    for (const auto& [code, text] : methods) {
        QAction* each = addAction(measure, QStringLiteral("method%1").arg(code), text,
                                  [this, code = code] { setMeasurementMethod(code); });
        each->setCheckable(true);
        each->setData(code);
        each->setChecked(code == method_);
        each->setProperty("needs", QStringLiteral("idle"));
        methods_->addAction(each);
    }

    QMenu* view = menuBar()->addMenu(tr("&View"));
    auto* observers = new QActionGroup(this);
    for (int observer : {2, 10}) {
        QAction* each = addAction(view, QStringLiteral("observer%1").arg(observer),
                                  tr("%1° observer").arg(observer),
                                  [this, observer] { setObserver(observer); });
        each->setCheckable(true);
        each->setChecked(observer == 2);
        observers->addAction(each);
    }
    view->addSeparator();
    QAction* normalised =
        addAction(view, QStringLiteral("normalised"), tr("&Normalised spectra"), [] {});
    normalised->setCheckable(true);
    connect(normalised, &QAction::toggled, panel_->spectrum(), &SpectrumPlot::setNormalised);
    addAction(view, QStringLiteral("zoomReset"), tr("Whole &wavelength range"), [this] {
        panel_->spectrum()->setRange(platform::ui::kSpectrumFirstNm, platform::ui::kSpectrumLastNm);
    });
    auto* planes = new QActionGroup(this);
    const std::pair<ChromaticityPlane, QString> planeItems[] = {
        {ChromaticityPlane::Xy, tr("CIE 1931 &xy diagram")},
        {ChromaticityPlane::UvPrime, tr("CIE 1976 &u′v′ diagram")}};
    for (const auto& [plane, text] : planeItems) {
        QAction* each = addAction(
            view,
            plane == ChromaticityPlane::Xy ? QStringLiteral("planeXy") : QStringLiteral("planeUv"),
            text, [this, plane = plane] {
                panel_->diagram()->setPlane(plane);
                panel_->tabs()->setCurrentWidget(panel_->diagram());
            });
        each->setCheckable(true);
        each->setChecked(plane == ChromaticityPlane::Xy);
        planes->addAction(each);
    }
}

void MainWindow::buildDriverMenus(QMenu* instrument) {
    const auto dialog = [this](QMenu* menu, const QString& name, const QString& text,
                               std::function<int()> call) {
        addAction(menu, name, text, [this, text, call = std::move(call)] {
            runDialog(QString(text).remove(QLatin1Char('&')).remove(QStringLiteral("...")), call);
        })->setProperty("needs", QStringLiteral("instrument"));
    };
    dialog(instrument, QStringLiteral("setupInstrument"), tr("Measuring &conditions..."),
           [this] { return driver_.setupInstrument(); });
    dialog(instrument, QStringLiteral("instrumentOption"), tr("Instrument &options..."),
           [this] { return driver_.doInstrumentOption(); });

    QMenu* calibration = menuBar()->addMenu(tr("&Calibration"));
    dialog(calibration, QStringLiteral("whiteCalibration"), tr("&White calibration..."),
           [this] { return driver_.doWhiteCalibration(); });
    dialog(calibration, QStringLiteral("userCalibration"), tr("&User calibration editor..."),
           [this] { return driver_.setupWhiteCalibrationData(); });

    QMenu* stored = menuBar()->addMenu(tr("&Stored data"));
    addAction(stored, QStringLiteral("importTargets"), tr("Import &targets..."), [this] {
        importStored(false);
    })->setProperty("needs", QStringLiteral("instrument"));
    addAction(stored, QStringLiteral("importSamples"), tr("Import &samples..."), [this] {
        importStored(true);
    })->setProperty("needs", QStringLiteral("instrument"));
    addAction(stored, QStringLiteral("writeReference"),
              tr("&Write the selected result as reference colour..."), [this] { writeReference(); })
        ->setProperty("needs", QStringLiteral("instrument"));
    dialog(stored, QStringLiteral("deleteData"), tr("&Delete stored data..."),
           [this] { return driver_.deleteInstrumentData(); });
}

void MainWindow::runDialog(const QString& what, const std::function<int()>& call) {
    // A dialog answers with its button (IDOK, IDCANCEL) or a status; only the statuses of
    // a refusal and of a lost link are failures. A refusal that leaves "no error" behind is
    // the user's Cancel (deleting stored data answers a cancelled choice so).
    const int status = call();
    const bool cancelled = status == codes::status::kRefused &&
                           driver_.getInstrumentState()->getErrorCode() == codes::error::kNoError;
    if (!cancelled &&
        (status == codes::status::kRefused || status == codes::status::kTransportFailed)) {
        reportFailure(what, status);
        return;
    }
    driver_.checkInstrumentState();
    updateState();
}

void MainWindow::importStored(bool samples) {
    std::vector<DataPack> first;
    std::vector<DataPack> records;
    const int status = samples ? driver_.uploadSampleData(first, records, nullptr, nullptr)
                               : driver_.uploadTargetData(records, nullptr, nullptr);
    if (status != 0) {
        reportFailure(samples ? tr("Importing stored samples") : tr("Importing stored targets"),
                      status);
        return;
    }
    int added = 0;
    for (const std::vector<DataPack>* list : {&first, &records}) {
        for (const DataPack& pack : *list) {
            for (const MeasuringData& record : pack.data) {
                if (!record.getData().empty()) {
                    results_.add(record, samples ? "stored sample" : "stored target");
                    ++added;
                }
            }
        }
    }
    panel_->refresh(added > 0);
    statusBar()->showMessage(tr("%1 stored records imported").arg(added), 5000);
}

void MainWindow::writeReference() {
    const auto rows = panel_->selection();
    if (rows.size() != 1) {
        statusBar()->showMessage(tr("Select one result to write as reference colour"), 5000);
        return;
    }
    const StudioResult& result = results_.items().at(rows.front());
    DataPack target;
    target.format = *driver_.getDataFormat();
    target.data.push_back(result.record);
    target.name = "Result " + std::to_string(result.number);
    if (const int status = driver_.downloadTargetData(target); status != 0) {
        reportFailure(tr("Writing the reference colour"), status);
    }
}

}  // namespace studio
