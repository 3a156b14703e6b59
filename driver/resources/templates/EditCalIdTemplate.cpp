#include "platform/UiServices.h"
#include "resources/templates/DialogTemplates.h"

namespace resources::templates {

using namespace platform::ui;

// The calibration channel's ID, at most ten characters.
const DialogTemplate& editCalId() {
    static const DialogTemplate t{
        1501,
        "ID編集",
        186,
        62,
        {
            {kNoId, ControlKind::Static, "ID:", {10, 14, 20, 9}},
            {1502, ControlKind::Edit, "", {32, 12, 144, 13}, StyleNone, 10},
            {platform::IDOK, ControlKind::Button, "OK", {69, 40, 50, 14}, DefaultButton},
            {platform::IDCANCEL, ControlKind::Button, "キャンセル", {126, 40, 50, 14}},
        },
    };
    return t;
}

}  // namespace resources::templates
