#include "platform/UiServices.h"
#include "resources/templates/DialogTemplates.h"

namespace resources::templates {

using namespace platform::ui;

// Wavelength calibration: the measured spectrum on the left, the marked lines on the right.
const DialogTemplate& wavelengthCalibration() {
    static const DialogTemplate t{
        17024,
        "波長校正",
        424,
        300,
        {
            {6144, ControlKind::Graph, "", {7, 7, 276, 250}, Sunken},
            {6102, ControlKind::Button, "測定", {292, 7, 60, 14}},
            {6145, ControlKind::Button, "測定（D)", {356, 7, 60, 14}, Hidden},
            {kNoId, ControlKind::Static, "波長範囲", {292, 30, 40, 9}},
            {6115, ControlKind::NumericEdit, "", {292, 42, 40, 12}},
            {6116, ControlKind::Spin, "", {332, 42, 10, 12}, StyleNone, 0, 6115},
            {kNoId, ControlKind::Static, "～", {346, 44, 10, 9}},
            {6139, ControlKind::NumericEdit, "", {358, 42, 40, 12}},
            {6140, ControlKind::Spin, "", {398, 42, 10, 12}, StyleNone, 0, 6139},
            {kNoId, ControlKind::Static, "登録番号", {292, 62, 40, 9}},
            {6141, ControlKind::NumericEdit, "", {292, 74, 30, 12}},
            {6142, ControlKind::Spin, "", {322, 74, 10, 12}, StyleNone, 0, 6141},
            {6143, ControlKind::Button, "追加", {356, 73, 60, 14}},
            {6103, ControlKind::Button, "ズーム", {292, 94, 60, 14}},
            {6104, ControlKind::Button, "全波長", {356, 94, 60, 14}},
            {kNoId, ControlKind::Static, "重心波長", {316, 116, 48, 9}},
            {kNoId, ControlKind::Static, "基準波長", {368, 116, 48, 9}},
            {6105, ControlKind::Check, "0", {292, 129, 22, 10}},
            {6106, ControlKind::Edit, "", {316, 128, 48, 12}, ReadOnly},
            {6107, ControlKind::NumericEdit, "", {368, 128, 48, 12}},
            {6108, ControlKind::Check, "1", {292, 143, 22, 10}},
            {6109, ControlKind::Edit, "", {316, 142, 48, 12}, ReadOnly},
            {6110, ControlKind::NumericEdit, "", {368, 142, 48, 12}},
            {6111, ControlKind::Check, "2", {292, 157, 22, 10}},
            {6112, ControlKind::Edit, "", {316, 156, 48, 12}, ReadOnly},
            {6113, ControlKind::NumericEdit, "", {368, 156, 48, 12}},
            {6117, ControlKind::Check, "3", {292, 171, 22, 10}},
            {6118, ControlKind::Edit, "", {316, 170, 48, 12}, ReadOnly},
            {6119, ControlKind::NumericEdit, "", {368, 170, 48, 12}},
            {6120, ControlKind::Check, "4", {292, 185, 22, 10}},
            {6121, ControlKind::Edit, "", {316, 184, 48, 12}, ReadOnly},
            {6122, ControlKind::NumericEdit, "", {368, 184, 48, 12}},
            {6123, ControlKind::Check, "5", {292, 199, 22, 10}},
            {6124, ControlKind::Edit, "", {316, 198, 48, 12}, ReadOnly},
            {6125, ControlKind::NumericEdit, "", {368, 198, 48, 12}},
            {6126, ControlKind::Check, "6", {292, 213, 22, 10}},
            {6127, ControlKind::Edit, "", {316, 212, 48, 12}, ReadOnly},
            {6128, ControlKind::NumericEdit, "", {368, 212, 48, 12}},
            {6129, ControlKind::Check, "7", {292, 227, 22, 10}},
            {6130, ControlKind::Edit, "", {316, 226, 48, 12}, ReadOnly},
            {6131, ControlKind::NumericEdit, "", {368, 226, 48, 12}},
            {6132, ControlKind::Check, "8", {292, 241, 22, 10}},
            {6133, ControlKind::Edit, "", {316, 240, 48, 12}, ReadOnly},
            {6134, ControlKind::NumericEdit, "", {368, 240, 48, 12}},
            {6135, ControlKind::Check, "9", {292, 255, 22, 10}},
            {6136, ControlKind::Edit, "", {316, 254, 48, 12}, ReadOnly},
            {6137, ControlKind::NumericEdit, "", {368, 254, 48, 12}},
            {platform::IDOK, ControlKind::Button, "演算", {300, 278, 56, 14}, DefaultButton},
            {platform::IDCANCEL, ControlKind::Button, "キャンセル", {360, 278, 56, 14}},
        },
    };
    return t;
}

// Level calibration: the measured spectrum and the registered reference on the left, the
// 401 reference values on the right.
const DialogTemplate& levelCalibration() {
    static const DialogTemplate t{
        17023,
        "レベル校正",
        424,
        300,
        {
            {6144, ControlKind::Graph, "", {7, 7, 276, 250}, Sunken},
            {6202, ControlKind::Button, "測定", {7, 264, 56, 14}},
            {6208, ControlKind::Button, "測定（D)", {67, 264, 56, 14}, Hidden},
            {kNoId, ControlKind::Static, "波長範囲", {130, 266, 36, 9}},
            {6211, ControlKind::NumericEdit, "", {168, 264, 34, 12}},
            {6212, ControlKind::Spin, "", {202, 264, 10, 12}, StyleNone, 0, 6211},
            {kNoId, ControlKind::Static, "～", {214, 266, 8, 9}},
            {6213, ControlKind::NumericEdit, "", {224, 264, 34, 12}},
            {6214, ControlKind::Spin, "", {258, 264, 10, 12}, StyleNone, 0, 6213},
            {6209, ControlKind::Button, "ズーム", {130, 280, 56, 14}},
            {6210, ControlKind::Button, "全波長", {190, 280, 56, 14}},
            {6206, ControlKind::Grid, "", {292, 7, 124, 200}},
            {6204, ControlKind::Button, "読み込み...", {292, 212, 60, 14}},
            {6205, ControlKind::Button, "保存...", {356, 212, 60, 14}},
            {6215, ControlKind::Button, "登録", {292, 230, 60, 14}},
            {6216, ControlKind::Button, "登録クリア", {356, 230, 60, 14}},
            {platform::IDOK, ControlKind::Button, "演算", {300, 278, 56, 14}, DefaultButton},
            {platform::IDCANCEL, ControlKind::Button, "キャンセル", {360, 278, 56, 14}},
        },
    };
    return t;
}

}  // namespace resources::templates
