#include "platform/UiServices.h"
#include "resources/templates/DialogTemplates.h"

namespace resources::templates {

using namespace platform::ui;

// The user calibration editor: the eleven channels, their files and calibrations, and the
// lens and ND factor tables.
const DialogTemplate& editCalData() {
    static const DialogTemplate t{
        17008,
        "ユーザ校正",
        390,
        250,
        {
            {1202, ControlKind::List, "", {7, 7, 300, 150}, ListFullRowSelect | ListGridLines},
            {1203, ControlKind::Button, "ID編集 ...", {314, 7, 68, 14}},
            {1206, ControlKind::Button, "消去", {314, 25, 68, 14}},
            {1223, ControlKind::Button, "読み込み...", {314, 49, 68, 14}},
            {1224, ControlKind::Button, "保存...", {314, 67, 68, 14}},
            {6229, ControlKind::Button, "波長校正...", {314, 91, 68, 14}},
            {6230, ControlKind::Button, "レベル校正...", {314, 109, 68, 14}},
            {kNoId, ControlKind::Static, "レンズ:", {10, 168, 40, 9}},
            {1009, ControlKind::Combo, "", {52, 166, 90, 13}, Disabled},
            {kNoId, ControlKind::Static, "外部ND:", {160, 168, 40, 9}},
            {1013, ControlKind::Combo, "", {202, 166, 90, 13}, Disabled},
            {kNoId, ControlKind::Group, "レンズ補正", {7, 186, 186, 34}},
            {1010, ControlKind::Combo, "", {14, 199, 70, 13}},
            {6232, ControlKind::Button, "確認...", {88, 198, 46, 14}},
            {6233, ControlKind::Button, "書き込み...", {140, 198, 46, 14}},
            {kNoId, ControlKind::Group, "ND補正", {197, 186, 186, 34}},
            {1011, ControlKind::Combo, "", {204, 199, 70, 13}},
            {6234, ControlKind::Button, "確認...", {278, 198, 46, 14}},
            {6235, ControlKind::Button, "書き込み...", {330, 198, 46, 14}},
            {platform::IDOK, ControlKind::Button, "OK", {332, 228, 50, 14}, DefaultButton},
        },
    };
    return t;
}

// The adapter-lens factor table, one row per wavelength.
const DialogTemplate& lensCorrData() {
    static const DialogTemplate t{
        17007,
        "レンズ係数",
        130,
        200,
        {
            {6234, ControlKind::List, "", {7, 7, 116, 166}, ListFullRowSelect | ListGridLines},
            {platform::IDOK, ControlKind::Button, "OK", {40, 180, 50, 14}, DefaultButton},
        },
    };
    return t;
}

// An ND factor table, one row per wavelength.
const DialogTemplate& ndCorrData() {
    static const DialogTemplate t{
        17009,
        "ND補正係数",
        130,
        200,
        {
            {6235, ControlKind::List, "", {7, 7, 116, 166}, ListFullRowSelect | ListGridLines},
            {platform::IDOK, ControlKind::Button, "OK", {40, 180, 50, 14}, DefaultButton},
        },
    };
    return t;
}

}  // namespace resources::templates
