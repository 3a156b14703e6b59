#include "platform/UiServices.h"
#include "resources/templates/DialogTemplates.h"

namespace resources::templates {

using namespace platform::ui;

// Progress of reading the instrument's stored records.
const DialogTemplate& uploadProgress() {
    static const DialogTemplate t{
        7001,
        "データ取り込み中",
        186,
        62,
        {
            {7003, ControlKind::Static, "", {10, 10, 166, 9}, AlignCentre},
            {7002, ControlKind::Progress, "", {10, 23, 166, 12}},
            {platform::IDCANCEL, ControlKind::Button, "キャンセル", {68, 42, 50, 14}},
        },
    };
    return t;
}

}  // namespace resources::templates
