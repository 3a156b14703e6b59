#include "transfer/CSelectClearFormatDlg.h"

#include "resources/StringTable.h"
#include "resources/templates/DialogTemplates.h"

CSelectClearFormatDlg::CSelectClearFormatDlg(platform::WindowHandle parent)
    : Dialog(resources::templates::selectClearFormat(), parent) {}

void CSelectClearFormatDlg::onInitDialog() {
    checkRadioButton(IDC_KIND_SAMPLES, IDC_KIND_TARGETS, IDC_KIND_SAMPLES + kind);
    checkRadioButton(IDC_METHOD_ALL, IDC_METHOD_SELECT, IDC_METHOD_ALL + method);
}

void CSelectClearFormatDlg::onOK() {
    kind = checkedRadioButton(IDC_KIND_SAMPLES, IDC_KIND_TARGETS) == IDC_KIND_TARGETS ? 1 : 0;
    method = checkedRadioButton(IDC_METHOD_ALL, IDC_METHOD_SELECT) == IDC_METHOD_SELECT ? 1 : 0;
    if (method == 0) {
        const int question = kind == 0 ? IDS_CONFIRM_ALL_SAMPLES : IDS_CONFIRM_ALL_TARGETS;
        platform::MessageBoxRequest box;
        box.text = resources::loadString(question);
        box.buttons = platform::MessageBoxButtons::OkCancel;
        if (platform::uiServices().messageBox(this, box) != platform::IDOK) {
            return;
        }
    }
    endDialog(platform::IDOK);
}
