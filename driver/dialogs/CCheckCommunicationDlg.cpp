#include "dialogs/CCheckCommunicationDlg.h"

#include "resources/templates/DialogTemplates.h"

CCheckCommunicationDlg::CCheckCommunicationDlg(const std::string& text,
                                               platform::WindowHandle parent)
    : Dialog(resources::templates::checkCommunication(), parent), text(text) {
    create();
}

void CCheckCommunicationDlg::onInitDialog() {
    staticText(IDC_TEXT).setText(text);
}

void CCheckCommunicationDlg::setText(const std::string& value) {
    text = value;
    auto& label = staticText(IDC_TEXT);
    label.setText(text);
    label.setVisible(true);
    pumpMessages();
}
