#include "platform/UiServices.h"
#include "resources/templates/DialogTemplates.h"

namespace resources::templates {

using namespace platform::ui;

// The stored records in a check-box list, to import (or delete) the checked ones.
const DialogTemplate& upload() {
    static const DialogTemplate t{
        7101,
        "データ取り込み",
        560,
        250,
        {
            {7102,
             ControlKind::List,
             "",
             {7, 7, 546, 210},
             ListCheckBoxes | ListFullRowSelect | ListGridLines},
            {7103, ControlKind::Button, "全選択", {7, 228, 60, 14}},
            {7104, ControlKind::Button, "全選択解除", {72, 228, 60, 14}},
            {kNoId, ControlKind::Static, "表色系", {150, 231, 30, 9}},
            {7105, ControlKind::Combo, "", {182, 228, 70, 12}},
            {platform::IDOK, ControlKind::Button, "OK", {446, 228, 50, 14}, DefaultButton},
            {platform::IDCANCEL, ControlKind::Button, "キャンセル", {503, 228, 50, 14}},
        },
    };
    return t;
}

}  // namespace resources::templates
