#pragma once
// The studio's main window: the instrument (connect, status, failures), measuring, the
// results, and every dialog of the driver from the menus.
#include <QMainWindow>
#include <functional>
#include <memory>

#include "InstrumentLink.h"
#include "ResultList.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class TavoRX9100;

namespace studio {

class LinkBanner;
class MeasureProgressDialog;
class MeasureRunner;
class ResultsPanel;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    MainWindow(TavoRX9100& driver, const cli::GlobalOptions& options);
    ~MainWindow() override;

    // Connects; false (with the banner) when it failed.
    bool connectInstrument();
    void disconnectInstrument();
    void measure(int count, double intervalSeconds);
    void cancelMeasurement();
    void startRemote();
    void stopRemote();
    // Light source 3, reflectance 1, transmittance 2.
    void setMeasurementMethod(int method);
    void setObserver(int observer);

    // File operations without their choosers (the menus ask for the names).
    bool saveResults(const QString& path);
    bool loadResults(const QString& path);
    bool exportSelection(const QString& path);
    bool saveGraph(const QString& path);

    InstrumentLink& link() { return link_; }
    ResultList& results() { return results_; }
    ResultsPanel* panel() const { return panel_; }
    LinkBanner* banner() const { return banner_; }
    MeasureRunner* runner() const { return runner_; }
    MeasureProgressDialog* progressDialog() const { return progress_; }
    QLabel* identityLabel() const { return identity_; }
    QLabel* stateLabel() const { return state_; }
    // The menu action with this object name (the tests press them).
    QAction* action(const QString& name) const;

  signals:
    // A measurement, a series or a stop of remote measurement has ended.
    void idle();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildMenus();
    void buildDriverMenus(QMenu* instrument);
    void buildFileMenu();
    QAction* addAction(QMenu* menu, const QString& name, const QString& text,
                       std::function<void()> slot);
    void runDialog(const QString& what, const std::function<int()>& call);
    void importStored(bool samples);
    void writeReference();
    void reportFailure(const QString& action, int status);
    void updateState();
    void addResult(const MeasuringData& record, int warningCode, const QString& warningText,
                   const QString& source);
    cli::ReportContext reportContext() const;
    void restoreLayout();

    TavoRX9100& driver_;
    InstrumentLink link_;
    ResultList results_;
    ResultsPanel* panel_;
    LinkBanner* banner_;
    MeasureRunner* runner_;
    MeasureProgressDialog* progress_;
    QLabel* identity_;
    QLabel* state_;
    QActionGroup* methods_ = nullptr;
    int method_ = 3;
    bool usedPortDialog_ = false;
};

}  // namespace studio
