#include "platform/UiServices.h"
#include "resources/templates/DialogTemplates.h"

namespace resources::templates {

using namespace platform::ui;

// The instrument's own display and operation options.
const DialogTemplate& instrumentOption() {
    static const DialogTemplate t{
        17015,
        "測定器設定",
        220,
        196,
        {
            {kNoId, ControlKind::Static, "カラーモード", {10, 11, 70, 9}},
            {1102, ControlKind::Combo, "", {84, 9, 126, 12}},
            {kNoId, ControlKind::Static, "表示モード", {10, 29, 70, 9}},
            {1103, ControlKind::Combo, "", {84, 27, 126, 12}},
            {kNoId, ControlKind::Static, "観察視野", {10, 47, 70, 9}},
            {1104, ControlKind::Combo, "", {84, 45, 126, 12}},
            {kNoId, ControlKind::Static, "アクティブ基準色", {10, 65, 70, 9}},
            {6239, ControlKind::NumericEdit, "", {84, 63, 30, 12}, AlignRight},
            {6240, ControlKind::Spin, "", {114, 63, 10, 12}, StyleNone, 0, 6239},
            {kNoId, ControlKind::Group, "輝度単位", {7, 82, 206, 26}},
            {1118, ControlKind::Radio, "cd/m^2", {16, 93, 80, 10}, GroupStart},
            {1119, ControlKind::Radio, "ft-L", {110, 93, 80, 10}},
            {kNoId, ControlKind::Group, "バックライト(常時)", {7, 112, 206, 26}},
            {1106, ControlKind::Radio, "Off", {16, 123, 80, 10}, GroupStart},
            {1107, ControlKind::Radio, "On", {110, 123, 80, 10}},
            {kNoId, ControlKind::Group, "バックライト(測定中)", {7, 142, 206, 26}},
            {1108, ControlKind::Radio, "Off", {16, 153, 80, 10}, GroupStart},
            {1109, ControlKind::Radio, "On", {110, 153, 80, 10}},
            {platform::IDOK, ControlKind::Button, "OK", {106, 176, 50, 14}, DefaultButton},
            {platform::IDCANCEL, ControlKind::Button, "キャンセル", {163, 176, 50, 14}},
        },
    };
    return t;
}

}  // namespace resources::templates
