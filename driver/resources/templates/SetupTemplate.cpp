#include "platform/UiServices.h"
#include "resources/templates/DialogTemplates.h"

namespace resources::templates {

using namespace platform::ui;

// The measuring conditions: the choices on the left, the numbers that go with the sync
// mode and the speed beside them, the internal ND, the calibration channel.
const DialogTemplate& setupConditions() {
    static const DialogTemplate t{
        17020,
        "測定条件",
        252,
        206,
        {
            {kNoId, ControlKind::Static, "測定方法", {10, 12, 48, 9}},
            {1002, ControlKind::Combo, "", {62, 10, 110, 13}},
            {kNoId, ControlKind::Static, "レンズ", {10, 30, 48, 9}},
            {1009, ControlKind::Combo, "", {62, 28, 110, 13}},
            {kNoId, ControlKind::Static, "測定角", {10, 48, 48, 9}},
            {6236, ControlKind::Edit, "", {62, 46, 110, 13}, ReadOnly},
            {kNoId, ControlKind::Static, "外付けND", {10, 66, 48, 9}},
            {1013, ControlKind::Combo, "", {62, 64, 110, 13}},
            {kNoId, ControlKind::Static, "測定モード", {10, 84, 48, 9}},
            {1006, ControlKind::Combo, "", {62, 82, 110, 13}},
            {1007, ControlKind::NumericEdit, "", {178, 82, 44, 13}, AlignRight},
            {1008, ControlKind::Spin, "", {222, 82, 9, 13}, StyleNone, 0, 1007},
            {kNoId, ControlKind::Static, "Hz", {234, 84, 14, 9}},
            {kNoId, ControlKind::Static, "測定速度", {10, 102, 48, 9}},
            {1003, ControlKind::Combo, "", {62, 100, 110, 13}},
            {1004, ControlKind::NumericEdit, "", {178, 100, 44, 13}, AlignRight},
            {1005, ControlKind::Spin, "", {222, 100, 9, 13}, StyleNone, 0, 1004},
            {6247, ControlKind::Static, "秒", {234, 102, 14, 9}, Hidden},
            {kNoId, ControlKind::Group, "内蔵ND", {7, 120, 238, 28}},
            {6012, ControlKind::Radio, "OFF", {20, 132, 50, 10}, GroupStart},
            {6228, ControlKind::Radio, "ON", {90, 132, 50, 10}},
            {6248, ControlKind::Radio, "自動", {160, 132, 50, 10}},
            {kNoId, ControlKind::Static, "校正CH", {10, 160, 48, 9}},
            {1011, ControlKind::Combo, "", {62, 158, 110, 13}},
            {6222, ControlKind::Check, "波長校正", {62, 176, 60, 10}, Disabled},
            {6223, ControlKind::Check, "レベル校正", {126, 176, 60, 10}, Disabled},
            {platform::IDOK, ControlKind::Button, "OK", {140, 188, 50, 14}, DefaultButton},
            {platform::IDCANCEL, ControlKind::Button, "キャンセル", {195, 188, 50, 14}},
        },
    };
    return t;
}

}  // namespace resources::templates
