#pragma once
// One measurement: the conditions in force and its values (401 for a spectrum,
// three for colour values).
#include <vector>

#include "platform/Export.h"
#include "sensor/SetupStatus.h"

class RX9100_API MeasuringData : public SetupStatus {
  public:
    MeasuringData() = default;
    explicit MeasuringData(const SetupStatus& conditions) : SetupStatus(conditions) {}

    std::vector<double>& getData() { return data_; }
    const std::vector<double>& getData() const { return data_; }
    void setData(const std::vector<double>& values) { data_ = values; }

  private:
    std::vector<double> data_;
};
