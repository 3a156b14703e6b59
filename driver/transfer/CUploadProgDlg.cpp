#include "transfer/CUploadProgDlg.h"

#include "platform/Numbers.h"
#include "resources/StringTable.h"
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

StoredReadProgress CUploadProgDlg::readingProgress() {
    constexpr int kTransferred = 20782;  // "転送済み"
    StoredReadProgress callbacks;
    callbacks.start = [this](int low, int high) {
        setRange(static_cast<std::uint16_t>(low), static_cast<std::uint16_t>(high));
    };
    callbacks.step = [this](int number, int total) {
        setText(platform::cFormat("%d / %d %s", number, total,
                                  resources::loadString(kTransferred).c_str()));
        setPos(number);
    };
    callbacks.cancelled = [this] { return cancel; };
    return callbacks;
}
