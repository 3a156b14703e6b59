#include "usercal/RangeFields.h"

#include "resources/StringTable.h"
#include "usercal/WavelengthCalibration.h"

namespace usercal {

namespace {
constexpr int kRangeReversed = 20910;
}

void setUpRangeFields(platform::ui::Dialog& dialog, const RangeFieldIds& ids) {
    for (int id : {ids.start, ids.end}) {
        dialog.numericEdit(id).setRange(kFirstNm, kLastNm);
        dialog.numericEdit(id).setDecimals(0);
    }
    for (int id : {ids.startSpin, ids.endSpin}) {
        dialog.spin(id).setRange(kFirstNm, kLastNm);
    }
    dialog.numericEdit(ids.start).setValue(kFirstNm);
    dialog.numericEdit(ids.end).setValue(kLastNm);
}

bool takeRange(platform::ui::Dialog& dialog, const RangeFieldIds& ids, int& start, int& end) {
    start = static_cast<int>(dialog.numericEdit(ids.start).value().value_or(kFirstNm));
    end = static_cast<int>(dialog.numericEdit(ids.end).value().value_or(kLastNm));
    if (start >= end) {
        platform::messageBox(resources::loadString(kRangeReversed), platform::MessageBoxButtons::Ok,
                             platform::MessageBoxIcon::None, &dialog);
        return false;
    }
    return true;
}

}  // namespace usercal
