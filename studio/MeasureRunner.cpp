#include "MeasureRunner.h"

#include <QElapsedTimer>
#include <chrono>
#include <thread>
#include <vector>

#include "measure/MeasureMessages.h"
#include "sensor/TavoRX9100.h"

namespace studio {

namespace {

constexpr int kPollMs = 40;

}  // namespace

// The GUI thread's main window while remote measurement runs: the driver's receive
// thread posts its announcement here.
class MeasureRunner::RemoteWindow : public platform::Window {
  public:
    explicit RemoteWindow(std::function<void()> onData) : onData_(std::move(onData)) {}
    platform::LResult handleMessage(unsigned message, platform::WParam wParam,
                                    platform::LParam lParam) override {
        if (message == MSG_REMOTE_DATA) {
            onData_();
            return 0;
        }
        return platform::Window::handleMessage(message, wParam, lParam);
    }

  private:
    std::function<void()> onData_;
};

MeasureRunner::MeasureRunner(TavoRX9100& driver, QObject* parent)
    : QObject(parent),
      driver_(driver),
      progressWindow_(std::make_unique<cli::MeasuringProgressWindow>()) {
    poll_.setInterval(kPollMs);
    connect(&poll_, &QTimer::timeout, this, [this] {
        if (cancelled_) {
            driver_.setMeasurementCancel(true);  // again, should it have come too early
        }
        emit progress(progressWindow_->elapsed, progressWindow_->total);
    });
    gap_.setSingleShot(true);
    connect(&gap_, &QTimer::timeout, this, &MeasureRunner::next);
}

MeasureRunner::~MeasureRunner() {
    // The driver clears its flag as a measurement begins: a stop asked just before that
    // is asked again until the measurement has ended.
    worker_.wait([this] {
        if (measuring_) {
            driver_.setMeasurementCancel(true);
        }
    });
    if (remote_) {
        // The receive thread may be waiting for an approval while the stop waits for it:
        // keep approving until the stop has returned.
        std::atomic<bool> stopped{false};
        std::thread stop([&] {
            (void)driver_.quitRemoteMeasure(true);
            stopped = true;
        });
        while (!stopped) {
            driver_.approveGetData();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        stop.join();
        platform::setMainWindow(nullptr);
    }
}

void MeasureRunner::measure(int count, double intervalSeconds) {
    if (measuring_ || remote_) {
        return;
    }
    measuring_ = true;
    cancelled_ = false;
    index_ = 0;
    count_ = count;
    interval_ = intervalSeconds;
    next();
}

void MeasureRunner::next() {
    ++index_;
    progressWindow_->total = 0;
    progressWindow_->elapsed = 0;
    emit measurementStarted(index_, count_);
    poll_.start();
    auto records = std::make_shared<std::vector<MeasuringData>>();
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    cli::MeasuringProgressWindow* window = progressWindow_.get();
    worker_.start(
        [this, records, window] { return driver_.doMeasurement(*records, window); },
        [this, records, started](int status) {
            poll_.stop();
            const QString action =
                count_ > 1 ? QStringLiteral("Measurement %1 of %2").arg(index_).arg(count_)
                           : QStringLiteral("Measurement");
            if (cancelled_) {
                measuring_ = false;
                emit cancelled();
                emit finished();
                return;
            }
            if (status != 0 || records->empty() || records->front().getData().empty()) {
                measuring_ = false;
                emit failed(status != 0 ? status : 10, action);
                emit finished();
                return;
            }
            emit measured(records->front(), driver_.getCompletionCode(),
                          QString::fromStdString(driver_.getCompletionMessage()),
                          QStringLiteral("measurement"));
            if (index_ >= count_) {
                measuring_ = false;
                emit finished();
                return;
            }
            const qint64 wait = static_cast<qint64>(interval_ * 1000.0) - started->elapsed();
            gap_.start(static_cast<int>(std::max<qint64>(0, wait)));
        });
}

void MeasureRunner::cancel() {
    if (!measuring_) {
        return;
    }
    cancelled_ = true;
    if (gap_.isActive()) {
        gap_.stop();
        measuring_ = false;
        emit cancelled();
        emit finished();
        return;
    }
    driver_.setMeasurementCancel(true);
}

int MeasureRunner::startRemote() {
    if (measuring_ || remote_) {
        return 0;
    }
    remote_ = std::make_unique<RemoteWindow>([this] { takeRemoteData(); });
    platform::setMainWindow(remote_.get());
    const int status = driver_.remoteMeasure();
    if (status != 0) {
        // The receive thread started all the same: end it.
        stopRemote(nullptr);
    }
    return status;
}

void MeasureRunner::takeRemoteData() {
    std::vector<MeasuringData> records;
    driver_.getRemoteData(records);
    driver_.approveGetData();  // the receive thread waits for this before it goes on
    for (const MeasuringData& record : records) {
        if (!record.getData().empty()) {
            emit measured(record, 200 + record.getWarningId(),
                          QString::fromStdString(record.getWarningMessage()),
                          QStringLiteral("remote"));
        }
    }
}

void MeasureRunner::stopRemote(std::function<void(int)> done) {
    if (!remote_ || worker_.running()) {
        return;
    }
    worker_.start([this] { return driver_.quitRemoteMeasure(true); },
                  [this, done = std::move(done)](int status) {
                      platform::dispatchPendingMessages();
                      platform::setMainWindow(nullptr);
                      remote_.reset();
                      if (done) {
                          done(status);
                      }
                  });
}

}  // namespace studio
