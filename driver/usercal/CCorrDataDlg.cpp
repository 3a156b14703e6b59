#include "usercal/CCorrDataDlg.h"

#include "platform/Numbers.h"
#include "resources/StringTable.h"
#include "resources/templates/DialogTemplates.h"

namespace {

constexpr platform::ui::ColorRef kBackground = 0xC0C0C0;
constexpr platform::ui::ColorRef kTextBackground = 0xD2D2D2;
constexpr int kFirstNm = 380;

}  // namespace

CCorrDataDlg::CCorrDataDlg(const platform::ui::DialogTemplate& tmpl, int listId, bool threeDigits,
                           platform::WindowHandle parent)
    : Dialog(tmpl, parent), listId_(listId), threeDigits_(threeDigits) {}

void CCorrDataDlg::onInitDialog() {
    auto& view = list(listId_);
    view.setStyles(false, true, true, false);
    view.setColors(kBackground, kTextBackground);
    view.deleteAllRows();
    view.insertColumn(0, {"", platform::cAtoi(resources::loadString(IDS_WAVELENGTH_WIDTH))});
    view.insertColumn(1, {"", platform::cAtoi(resources::loadString(IDS_FACTOR_WIDTH))});
    for (int i = 0; i < kRows; ++i) {
        const int nm = kFirstNm + i;
        const int row = view.insertRow(
            i, threeDigits_ ? platform::cFormat("%03dnm", nm) : platform::cFormat("%dnm", nm));
        view.setCell(row, 1, table_ != nullptr ? platform::cFormat("%f", table_[i]) : "");
    }
}

CLensCorrDataDlg::CLensCorrDataDlg(platform::WindowHandle parent)
    : CCorrDataDlg(resources::templates::lensCorrData(), IDC_LIST, true, parent) {}

CNdCorrDataDlg::CNdCorrDataDlg(platform::WindowHandle parent)
    : CCorrDataDlg(resources::templates::ndCorrData(), IDC_LIST, false, parent) {}
