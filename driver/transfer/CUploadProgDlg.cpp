#include "transfer/CUploadProgDlg.h"

#include "resources/templates/DialogTemplates.h"

CUploadProgDlg::CUploadProgDlg(platform::WindowHandle parent)
    : Dialog(resources::templates::uploadProgress(), parent) {
    create();
}

void CUploadProgDlg::onInitDialog() {
    staticText(IDC_TEXT).setText(text);
}

void CUploadProgDlg::setText(const std::string& value) {
    text = value;
    staticText(IDC_TEXT).setText(text);
}

void CUploadProgDlg::setRange(std::uint16_t low, std::uint16_t high) {
    progress(IDC_PROGRESS).setRange(low, high);
}

void CUploadProgDlg::setPos(int pos) {
    pumpMessages();
    progress(IDC_PROGRESS).setPos(pos);
}
