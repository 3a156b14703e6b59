#include "platform/UiServices.h"
#include "resources/templates/DialogTemplates.h"

namespace resources::templates {

using namespace platform::ui;

// The transport's port settings: a port from those present or any typed name
// (device path, COMn, tcp:HOST:PORT), the method and the baud rate. Combo
// heights are the closed box: the renderer sizes the drop-down list itself.
const DialogTemplate& portSettings() {
    static const DialogTemplate t{
        7301,
        "通信設定",
        276,
        124,
        {
            {kNoId, ControlKind::Static, "検出したポート:", {7, 9, 60, 9}},
            {7302, ControlKind::Combo, "", {70, 7, 199, 13}},
            {kNoId, ControlKind::Static, "ポート名:", {7, 27, 60, 9}},
            {7303, ControlKind::Edit, "", {70, 25, 199, 13}, StyleNone, 255},
            {kNoId, ControlKind::Group, "通信方式", {7, 45, 125, 50}},
            {7304, ControlKind::Radio, "RS-232C", {16, 60, 110, 10}, GroupStart},
            {7305, ControlKind::Radio, "USB(CDC)", {16, 77, 110, 10}},
            {kNoId, ControlKind::Group, "ボーレート", {140, 45, 129, 50}},
            {7306, ControlKind::Combo, "", {149, 60, 111, 13}},
            {platform::IDOK, ControlKind::Button, "OK", {162, 103, 50, 14}, DefaultButton},
            {platform::IDCANCEL, ControlKind::Button, "キャンセル", {219, 103, 50, 14}},
        },
    };
    return t;
}

}  // namespace resources::templates
