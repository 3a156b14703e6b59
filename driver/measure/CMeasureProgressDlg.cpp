#include "measure/CMeasureProgressDlg.h"

#include "resources/templates/DialogTemplates.h"

CMeasureProgressDlg::CMeasureProgressDlg(platform::WindowHandle parent)
    : Dialog(resources::templates::measureProgress(), parent) {
    create();
}

void CMeasureProgressDlg::onInitDialog() {
    updateControls();
}

void CMeasureProgressDlg::updateControls() {
    staticText(IDC_TIME_TEXT).setText(timeText);
}

void CMeasureProgressDlg::setTimeText(const std::string& text) {
    timeText = text;
    updateControls();
}

void CMeasureProgressDlg::setRange(std::uint16_t low, std::uint16_t high) {
    progress(IDC_PROGRESS).setRange(low, high);
}

void CMeasureProgressDlg::setPos(int pos) {
    progress(IDC_PROGRESS).setPos(pos);
    pumpMessages();
}
