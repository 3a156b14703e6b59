#pragma once
// The "波長範囲" fields of the calibration procedures: a start and an end in whole nm from
// 380 to 780, each with its spin button.
#include "platform/ui/Dialog.h"

namespace usercal {

struct RangeFieldIds {
    int start;
    int startSpin;
    int end;
    int endSpin;
};

// Ranges, no decimals, and the whole spectrum to begin with.
void setUpRangeFields(platform::ui::Dialog& dialog, const RangeFieldIds& ids);
// The fields' range; false after the message that says so when start is not below end.
bool takeRange(platform::ui::Dialog& dialog, const RangeFieldIds& ids, int& start, int& end);

}  // namespace usercal
