#include "platform/UiServices.h"
#include "resources/templates/DialogTemplates.h"

namespace resources::templates {

using namespace platform::ui;

// Which stored data to delete (measured values or target colours) and how
// (everything or a selection).
const DialogTemplate& selectClearFormat() {
    static const DialogTemplate t{
        17001,
        "測定器保持データ消去",
        232,
        90,
        {
            {kNoId, ControlKind::Group, "消去データ", {7, 7, 96, 54}},
            {17002, ControlKind::Radio, "測定値", {16, 22, 80, 10}, GroupStart | Checked},
            {17003, ControlKind::Radio, "基準色", {16, 40, 80, 10}},
            {kNoId, ControlKind::Group, "消去方法", {110, 7, 115, 54}},
            {17004, ControlKind::Radio, "全消去", {119, 22, 102, 10}, GroupStart | Checked},
            {17005, ControlKind::Radio, "データを選択して消去", {119, 40, 102, 10}},
            {platform::IDOK, ControlKind::Button, "OK", {118, 69, 50, 14}, DefaultButton},
            {platform::IDCANCEL, ControlKind::Button, "キャンセル", {175, 69, 50, 14}},
        },
    };
    return t;
}

}  // namespace resources::templates
