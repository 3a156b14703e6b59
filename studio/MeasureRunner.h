#pragma once
// Measuring from the studio: single measurements and timed series by doMeasurement on a
// worker thread (its progress messages read on the GUI thread), and key-triggered remote
// measurement, whose records the driver announces to the GUI thread's main window.
#include <QObject>
#include <QString>
#include <QTimer>
#include <atomic>
#include <functional>
#include <memory>

#include "DriverFacts.h"

#include "OffThread.h"
#include "platform/Window.h"
#include "sensor/MeasuringData.h"

class TavoRX9100;

namespace studio {

class MeasureRunner : public QObject {
    Q_OBJECT
  public:
    explicit MeasureRunner(TavoRX9100& driver, QObject* parent = nullptr);
    ~MeasureRunner() override;

    bool measuring() const { return measuring_; }
    bool remoteRunning() const { return remote_ != nullptr; }

    // count measurements, intervalSeconds from the start of one to the start of the next.
    void measure(int count, double intervalSeconds);
    // Stops the measurement under way (the driver sends the instrument's stop) and the series.
    void cancel();

    // Enables the instrument's key; the driver's status (0: running).
    int startRemote();
    // Disables the key and ends the driver's receive thread off the GUI thread (records
    // still arriving are taken); done runs once it has ended.
    void stopRemote(std::function<void(int)> done);

  signals:
    void measurementStarted(int index, int count);
    // Hundredths of a second, as the driver reports them.
    void progress(unsigned elapsed, unsigned total);
    void measured(const MeasuringData& record, int warningCode, const QString& warningText,
                  const QString& source);
    void failed(int status, const QString& action);
    void cancelled();
    void finished();

  private:
    class RemoteWindow;

    void next();
    void takeRemoteData();

    TavoRX9100& driver_;
    OffThread worker_;
    QTimer poll_;
    QTimer gap_;
    std::unique_ptr<cli::MeasuringProgressWindow> progressWindow_;
    std::unique_ptr<RemoteWindow> remote_;
    bool measuring_ = false;
    bool cancelled_ = false;
    int index_ = 0;
    int count_ = 0;
    double interval_ = 0.0;
};

}  // namespace studio
