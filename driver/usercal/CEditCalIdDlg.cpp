#include "usercal/CEditCalIdDlg.h"

#include <cstdio>

#include "resources/StringTable.h"
#include "resources/templates/DialogTemplates.h"

CEditCalIdDlg::CEditCalIdDlg(platform::WindowHandle parent)
    : Dialog(resources::templates::editCalId(), parent) {}

bool CEditCalIdDlg::isIdCharacter(char32_t c) {
    if (c < 32 || c > 126) {
        return false;
    }
    switch (c) {
        case U'!':
        case U'#':
        case U'$':
        case U'\\':
        case U'|':
        case U'}':
        case U'~':
            return false;
        default:
            return true;
    }
}

void CEditCalIdDlg::onInitDialog() {
    char number[16];
    std::snprintf(number, sizeof number, "%02d", channel);
    setTitle(title() + "(" + resources::loadString(IDS_CH) + number + ")");
    auto& field = edit(IDC_ID);
    field.setMaxLength(kMaxIdLength);
    field.setCharFilter(isIdCharacter);
    field.setText(id);
    setFocus(IDC_ID, true);
}

void CEditCalIdDlg::onOK() {
    id = edit(IDC_ID).text();
    endDialog(platform::IDOK);
}
