#pragma once
// The targets or samples read from the instrument's memory, and how a reading reports its
// progress and learns that the user wants it stopped.
#include <functional>
#include <map>
#include <vector>

#include "sensor/DataPack.h"

struct StoredRecords {
    std::map<int, DataPack> records;  // by target or sample number
    // Numbers whose values were not all finite, in reading order; they are not in records.
    std::vector<int> invalid;
};

struct StoredReadProgress {
    std::function<void(int low, int high)> start;     // once, before the first record
    std::function<void(int number, int total)> step;  // before each record is read
    std::function<bool()> cancelled;                  // asked between records
};
