#include "platform/UiServices.h"
#include "resources/templates/DialogTemplates.h"

namespace resources::templates {

using namespace platform::ui;

// The measuring progress window: elapsed time as a bar, the measuring time as text.
const DialogTemplate& measureProgress() {
    static const DialogTemplate t{
        1901,
        "測定中",
        186,
        62,
        {
            {kNoId, ControlKind::Static, "測定時間(秒):", {10, 10, 62, 9}},
            {1902, ControlKind::Static, "1.0秒", {74, 10, 100, 9}},
            {1903, ControlKind::Progress, "", {10, 23, 166, 12}},
            {platform::IDCANCEL, ControlKind::Button, "キャンセル", {68, 42, 50, 14}},
        },
    };
    return t;
}

}  // namespace resources::templates
