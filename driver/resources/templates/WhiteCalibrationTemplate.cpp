#include "platform/UiServices.h"
#include "resources/templates/DialogTemplates.h"

namespace resources::templates {

using namespace platform::ui;

// White calibration: the standard's data file, an optional user data file, calibrate.
const DialogTemplate& whiteCalibration() {
    static const DialogTemplate t{
        12001,
        "白色校正",
        262,
        146,
        {
            {kNoId, ControlKind::Static, "測定方法:", {10, 12, 46, 9}},
            {12002, ControlKind::Combo, "", {60, 10, 120, 13}, Disabled},
            {kNoId, ControlKind::Static, "標準データ:", {10, 32, 46, 9}},
            {12003, ControlKind::Edit, "", {60, 30, 140, 13}, ReadOnly},
            {12004, ControlKind::Button, "変更...", {205, 29, 50, 14}},
            {12009, ControlKind::Group, "任意白色校正データ", {7, 52, 248, 64}},
            {12005, ControlKind::Check, "任意白色校正データを使用する", {14, 65, 200, 10}},
            {12006, ControlKind::Edit, "", {14, 78, 234, 13}, ReadOnly},
            {12007, ControlKind::Button, "読み込み...", {144, 96, 50, 14}},
            {12008, ControlKind::Button, "消去", {198, 96, 50, 14}},
            {platform::IDOK, ControlKind::Button, "校正", {144, 124, 50, 14}, DefaultButton},
            {platform::IDCANCEL, ControlKind::Button, "キャンセル", {198, 124, 50, 14}},
        },
    };
    return t;
}

// The white measurement: its progress window does the talking.
const DialogTemplate& whiteMeasure() {
    static const DialogTemplate t{
        17014,
        "白色校正",
        150,
        40,
        {
            {kNoId, ControlKind::Static, "白色校正板を測定しています。", {10, 14, 130, 9}},
        },
    };
    return t;
}

// One measurement for the user calibrations.
const DialogTemplate& userMeasure() {
    static const DialogTemplate t{
        17006,
        "測定",
        150,
        40,
        {
            {kNoId, ControlKind::Static, "測定しています。", {10, 14, 130, 9}},
        },
    };
    return t;
}

}  // namespace resources::templates
