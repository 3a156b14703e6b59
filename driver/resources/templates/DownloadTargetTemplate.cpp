#include "platform/UiServices.h"
#include "resources/templates/DialogTemplates.h"

namespace resources::templates {

using namespace platform::ui;

// Writing a reference colour: its values, the target number with what is stored there
// now, and the name to store with it.
const DialogTemplate& downloadTarget() {
    static const DialogTemplate t{
        8001,
        "基準色書き込み",
        250,
        150,
        {
            {kNoId, ControlKind::Static, "表色系", {7, 9, 40, 9}},
            {8002, ControlKind::Combo, "", {50, 7, 70, 12}},
            {kNoId, ControlKind::Group, "書き込むデータ", {7, 24, 236, 32}},
            {8006, ControlKind::Static, "Lv", {14, 37, 14, 9}},
            {8003, ControlKind::Static, "", {30, 36, 50, 11}, AlignRight | Sunken},
            {8007, ControlKind::Static, "x", {88, 37, 14, 9}},
            {8004, ControlKind::Static, "", {104, 36, 50, 11}, AlignRight | Sunken},
            {8008, ControlKind::Static, "y", {162, 37, 14, 9}},
            {8005, ControlKind::Static, "", {178, 36, 50, 11}, AlignRight | Sunken},
            {kNoId, ControlKind::Group, "書き込み先", {7, 60, 236, 62}},
            {kNoId, ControlKind::Static, "基準色番号", {14, 74, 50, 9}},
            {8017, ControlKind::NumericEdit, "1", {66, 72, 30, 12}, AlignRight},
            {8018, ControlKind::Spin, "", {96, 72, 10, 12}, StyleNone, 0, 8017},
            {kNoId, ControlKind::Static, "データ名", {118, 74, 40, 9}},
            {6246, ControlKind::Edit, "", {160, 72, 76, 12}, StyleNone, 10},
            {8009, ControlKind::Static, "Lv", {14, 98, 14, 9}},
            {8014, ControlKind::Static, "", {30, 97, 50, 11}, AlignRight | Sunken},
            {8010, ControlKind::Static, "x", {88, 98, 14, 9}},
            {8015, ControlKind::Static, "", {104, 97, 50, 11}, AlignRight | Sunken},
            {8011, ControlKind::Static, "y", {162, 98, 14, 9}},
            {8016, ControlKind::Static, "", {178, 97, 50, 11}, AlignRight | Sunken},
            {platform::IDOK, ControlKind::Button, "書き込み", {136, 129, 50, 14}, DefaultButton},
            {platform::IDCANCEL, ControlKind::Button, "キャンセル", {193, 129, 50, 14}},
        },
    };
    return t;
}

}  // namespace resources::templates
