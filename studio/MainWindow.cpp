#include "MainWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QLabel>
#include <QMessageBox>
#include <QSettings>
#include <QStatusBar>
#include <QVBoxLayout>

#include "BlockingCall.h"
#include "ConditionNames.h"
#include "LinkBanner.h"
#include "MeasureProgressDialog.h"
#include "MeasureRunner.h"
#include "ResultsPanel.h"
#include "sensor/TavoRX9100.h"

namespace studio {

MainWindow::MainWindow(TavoRX9100& driver, const cli::GlobalOptions& options)
    : driver_(driver),
      link_(driver, options),
      panel_(new ResultsPanel(results_, this)),
      banner_(new LinkBanner(this)),
      runner_(new MeasureRunner(driver, this)),
      progress_(new MeasureProgressDialog(this)),
      identity_(new QLabel(this)),
      state_(new QLabel(this)) {
    setWindowTitle(QStringLiteral("RX-9100 Studio"));
    // Failures reach the user in the banner; the driver's own boxes would come from the
    // measuring thread.
    driver_.setErrorVisible(false);
    auto* centre = new QWidget(this);
    auto* layout = new QVBoxLayout(centre);
    layout->addWidget(banner_);
    layout->addWidget(panel_, 1);
    setCentralWidget(centre);
    identity_->setObjectName(QStringLiteral("identity"));
    state_->setObjectName(QStringLiteral("state"));
    statusBar()->addPermanentWidget(identity_, 1);
    statusBar()->addPermanentWidget(state_);

    connect(banner_, &LinkBanner::reconnectRequested, this, [this] {
        if (connectInstrument()) {
            banner_->hide();
        }
    });
    connect(runner_, &MeasureRunner::measurementStarted, this, [this](int index, int count) {
        progress_->begin(index, count);
        progress_->show();
    });
    connect(runner_, &MeasureRunner::progress, progress_, &MeasureProgressDialog::setProgress);
    connect(progress_, &MeasureProgressDialog::cancelRequested, this,
            &MainWindow::cancelMeasurement);
    connect(runner_, &MeasureRunner::measured, this, &MainWindow::addResult);
    connect(runner_, &MeasureRunner::failed, this,
            [this](int status, const QString& action) { reportFailure(action, status); });
    connect(runner_, &MeasureRunner::cancelled, this,
            [this] { statusBar()->showMessage(tr("Measurement cancelled"), 5000); });
    connect(runner_, &MeasureRunner::finished, this, [this] {
        progress_->hide();
        updateState();
        emit idle();
    });
    buildMenus();
    restoreLayout();
    if (!link_.error().empty()) {
        banner_->showFailure(QString::fromStdString(link_.error()), false);
    }
    updateState();
}

MainWindow::~MainWindow() {
    delete runner_;  // ends a measurement or remote measurement before the link goes
    runner_ = nullptr;
    link_.disconnect();
}

void MainWindow::restoreLayout() {
    QSettings settings;
    restoreGeometry(settings.value(QStringLiteral("window/geometry")).toByteArray());
    restoreState(settings.value(QStringLiteral("window/state")).toByteArray());
    resize(size().expandedTo(QSize(1000, 680)));
}

bool MainWindow::connectInstrument() {
    if (runner_->measuring() || runner_->remoteRunning()) {
        return false;
    }
    if (!link_.error().empty()) {
        banner_->showFailure(QString::fromStdString(link_.error()), false);
        return false;
    }
    statusBar()->showMessage(tr("Connecting..."));
    const int status = callOffGuiThread([this] { return link_.connect(); });
    statusBar()->clearMessage();
    if (status != 0) {
        reportFailure(
            tr("Connecting to the instrument on %1").arg(QString::fromStdString(link_.portName())),
            status);
        link_.disconnect();
        updateState();
        return false;
    }
    banner_->hide();
    if (!link_.simulator()) {
        QSettings().setValue(QStringLiteral("instrument/lastPort"),
                             QString::fromStdString(link_.portName()));
    }
    setMeasurementMethod(method_);
    updateState();
    return true;
}

void MainWindow::disconnectInstrument() {
    if (runner_->remoteRunning()) {
        runner_->stopRemote([this](int) {
            callOffGuiThread([this] {
                link_.disconnect();
                return 0;
            });
            updateState();
        });
        return;
    }
    callOffGuiThread([this] {
        link_.disconnect();
        return 0;
    });
    updateState();
}

void MainWindow::measure(int count, double intervalSeconds) {
    if (!link_.connected() || runner_->measuring() || runner_->remoteRunning()) {
        return;
    }
    runner_->measure(count, intervalSeconds);
    updateState();
}

void MainWindow::cancelMeasurement() {
    runner_->cancel();
}

void MainWindow::startRemote() {
    if (!link_.connected() || runner_->measuring() || runner_->remoteRunning()) {
        return;
    }
    if (const int status = runner_->startRemote(); status != 0) {
        reportFailure(tr("Enabling the instrument's measuring key"), status);
    }
    updateState();
}

void MainWindow::stopRemote() {
    runner_->stopRemote([this](int status) {
        if (status != 0) {
            reportFailure(tr("Disabling the instrument's measuring key"), status);
        }
        updateState();
        emit idle();
    });
}

void MainWindow::setMeasurementMethod(int method) {
    method_ = method;
    for (QAction* action : methods_->actions()) {
        action->setChecked(action->data().toInt() == method);
    }
    if (link_.connected()) {
        driver_.setMeasurementType(method);
        // The type keeps a method of its group it already had; the menu names one.
        driver_.getSetupStatus()->setMeasurementMethod(method);
        driver_.checkInstrumentState();
    }
    updateState();
}

void MainWindow::setObserver(int observer) {
    panel_->setObserver(observer);
    if (QAction* two = action(QStringLiteral("observer2"))) {
        two->setChecked(observer == 2);
        action(QStringLiteral("observer10"))->setChecked(observer == 10);
    }
}

void MainWindow::addResult(const MeasuringData& record, int warningCode, const QString& warningText,
                           const QString& source) {
    results_.add(record, source.toStdString(), warningCode, warningText.toStdString());
    panel_->refresh(true);
    statusBar()->showMessage(tr("Result %1 added").arg(results_.items().back().number), 3000);
}

void MainWindow::reportFailure(const QString& action, int status) {
    const Failure failure = link_.failure(action.toStdString(), status);
    if (failure.linkLost()) {
        link_.markLost();
    }
    banner_->showFailure(QString::fromStdString(failure.describe()), failure.linkLost());
    updateState();
}

void MainWindow::updateState() {
    const InstrumentSummary summary = link_.summary(runner_ && runner_->remoteRunning());
    identity_->setText(summary.connected ? QString::fromStdString(summary.identity)
                                         : tr("Not connected"));
    QStringList state;
    if (summary.connected) {
        state << (summary.whiteCalibrated ? tr("white calibrated") : tr("no white calibration"));
        state << (summary.channel == 0 ? tr("channel 0 (uncorrected)")
                                       : tr("user channel %1").arg(summary.channel));
        state << (summary.remote ? tr("remote measurement on") : tr("remote measurement off"));
    }
    state_->setText(state.join(QStringLiteral(" · ")));
    const bool connected = summary.connected;
    const bool busy = runner_ != nullptr && (runner_->measuring() || runner_->remoteRunning());
    for (QAction* each : findChildren<QAction*>()) {
        const QString role = each->property("needs").toString();
        if (role == QStringLiteral("instrument")) {
            each->setEnabled(connected && !busy);
        } else if (role == QStringLiteral("idle")) {
            each->setEnabled(!busy);
        }
    }
    if (QAction* remote = action(QStringLiteral("remote"))) {
        remote->setEnabled(connected && !(runner_ && runner_->measuring()));
        const QSignalBlocker block(remote);
        remote->setChecked(summary.remote);
    }
    if (QAction* cancel = action(QStringLiteral("cancel"))) {
        cancel->setEnabled(runner_ && runner_->measuring());
    }
}

cli::ReportContext MainWindow::reportContext() const {
    cli::ReportContext context;
    if (link_.connected()) {
        context = cli::makeContext(link_.identity(), cli::ConditionNames::fromDriver(driver_),
                                   *driver_.getDataFormat(), panel_->observer());
    }
    context.observer = panel_->observer();
    return context;
}

QAction* MainWindow::action(const QString& name) const {
    return findChild<QAction*>(name);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (results_.unsaved()) {
        const auto answer = QMessageBox::question(
            this, windowTitle(), tr("The result list has results not saved. Save them first?"),
            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        if (answer == QMessageBox::Cancel) {
            event->ignore();
            return;
        }
        if (answer == QMessageBox::Save && !action(QStringLiteral("saveList"))->isEnabled()) {
            event->ignore();
            return;
        }
        if (answer == QMessageBox::Save) {
            action(QStringLiteral("saveList"))->trigger();
            if (results_.unsaved()) {
                event->ignore();
                return;
            }
        }
    }
    QSettings settings;
    settings.setValue(QStringLiteral("window/geometry"), saveGeometry());
    settings.setValue(QStringLiteral("window/state"), saveState());
    event->accept();
}

}  // namespace studio
