#pragma once
// One target or sample stored in, or destined for, the instrument's memory.
#include <string>
#include <vector>

#include "sensor/DataFormat.h"
#include "sensor/MeasuringData.h"

struct DataPack {
    DataFormat format;
    std::vector<MeasuringData> data;  // the first element carries the record
    std::string text1;
    int value1 = 0;
    int sampleNumber = 0;
    int targetNumber = 0;
    std::string text2;
    int value2 = 0;
    std::vector<double> values;
    std::string name;
};
