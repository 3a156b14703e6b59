#include "platform/UiServices.h"
#include "resources/templates/DialogTemplates.h"

namespace resources::templates {

using namespace platform::ui;

// The transport's port settings: a port from those present or any typed name
// (device path, COMn, tcp:HOST:PORT), the method and the baud rate.
const DialogTemplate& portSettings() {
    static const DialogTemplate t{
        7301,
        "通信設定",
        246,
        124,
        {
            {kNoId, ControlKind::Static, "検出したポート:", {7, 9, 60, 9}},
            {7302, ControlKind::Combo, "", {70, 7, 169, 100}},
            {kNoId, ControlKind::Static, "ポート名:", {7, 27, 60, 9}},
            {7303, ControlKind::Edit, "", {70, 25, 169, 13}, StyleNone, 255},
            {kNoId, ControlKind::Group, "通信方式", {7, 45, 110, 50}},
            {7304, ControlKind::Radio, "RS-232C", {16, 60, 95, 10}, GroupStart},
            {7305, ControlKind::Radio, "USB(CDC)", {16, 77, 95, 10}},
            {kNoId, ControlKind::Group, "ボーレート", {125, 45, 114, 50}},
            {7306, ControlKind::Combo, "", {134, 60, 96, 100}},
            {platform::IDOK, ControlKind::Button, "OK", {132, 103, 50, 14}, DefaultButton},
            {platform::IDCANCEL, ControlKind::Button, "キャンセル", {189, 103, 50, 14}},
        },
    };
    return t;
}

}  // namespace resources::templates
