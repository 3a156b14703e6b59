#pragma once
// A host window that records the measurement messages and can cancel on request.
#include <vector>

#include "measure/MeasureMessages.h"
#include "platform/Window.h"
#include "sensor/AbstractSensorStrategy.h"

class ProgressRecorder : public platform::Window {
  public:
    explicit ProgressRecorder(AbstractSensorStrategy* driver = nullptr, int cancelAtProgress = -1)
        : driver_(driver), cancelAt_(cancelAtProgress) {}

    platform::LResult handleMessage(unsigned message, platform::WParam w,
                                    platform::LParam l) override {
        if (message == MSG_MEASURE_START) {
            starts.push_back(l);
        } else if (message == MSG_MEASURE_PROGRESS) {
            progress.push_back(static_cast<long>(w));
            if (driver_ != nullptr && static_cast<int>(progress.size()) == cancelAt_) {
                driver_->setMeasurementCancel(true);
            }
        } else if (message == MSG_REMOTE_DATA) {
            ++remoteAnnouncements;
        }
        return 0;
    }

    std::vector<long> starts;
    std::vector<long> progress;
    int remoteAnnouncements = 0;

  private:
    AbstractSensorStrategy* driver_;
    int cancelAt_;
};
