#include "transfer/CUploadRx9100Dlg.h"

#include <cstdlib>

#include "platform/Numbers.h"
#include "resources/StringTable.h"
#include "resources/templates/DialogTemplates.h"
#include "sensor/TavoRX9100.h"
#include "transfer/CUploadProgDlg.h"
#include "transfer/StoredDataList.h"

namespace {

using platform::ui::ListView;

constexpr platform::ui::ColorRef kBackground = 0xC0C0C0;
constexpr platform::ui::ColorRef kTextBackground = 0xD2D2D2;
constexpr int kNoValueString = 20420;
constexpr int kColorimetricString = 20740;
constexpr int kSpectralString = 20741;

// Header string, or 0 for a colour column; widths follow in their own block.
constexpr int kTargetHeaders[] = {20700, 20701, 0,     0,     0,     20702,
                                  20703, 20704, 20705, 20706, 20707, 20708};
constexpr int kTargetWidths = 20709;
constexpr int kSampleHeaders[] = {20721, 0, 0, 0, 20722, 20723, 20724, 20725, 20726, 20727};
constexpr int kSampleWidths = 20728;

struct ColourSpaceEntry {
    int text;
    int data;
};
constexpr ColourSpaceEntry kColourSpaces[] = {
    {20500, transfer::kLvxy}, {20501, transfer::kLvuv}, {20503, transfer::kXyz}};

int widthAt(int firstWidthString, int column) {
    return std::atoi(resources::loadString(firstWidthString + column).c_str());
}

std::string itemName(CapIterator* list, int code) {
    std::string name = list != nullptr ? list->Search(code) : std::string();
    return name.empty() ? resources::loadString(kNoValueString) : name;
}

}  // namespace

CUploadRx9100Dlg::CUploadRx9100Dlg(TavoRX9100& driver, bool targetMode, int colorSpace,
                                   platform::WindowHandle parent)
    : Dialog(resources::templates::upload(), parent),
      driver_(driver),
      targetMode(targetMode),
      colorSpace(colorSpace) {}

int CUploadRx9100Dlg::message(int textId, platform::MessageBoxButtons buttons) {
    platform::MessageBoxRequest box;
    box.text = resources::loadString(textId);
    box.buttons = buttons;
    return platform::uiServices().messageBox(this, box);
}

void CUploadRx9100Dlg::onInitDialog() {
    if (!titleText.empty()) {
        setTitle(titleText);
    }
    setUpList();
    platform::ui::ComboBox& box = combo(IDC_COLOR_SPACE);
    box.clear();
    for (const ColourSpaceEntry& entry : kColourSpaces) {
        box.addItem(resources::loadString(entry.text), entry.data);
    }
    if (!box.selectData(colorSpace)) {
        box.select(0);
    }

    const int result = readRecords();
    if (result == kReadingCancelled) {
        endDialog(kReadingCancelled);
        return;
    }
    const auto& records = targetMode ? targets : samples;
    if (records.empty()) {
        driver_.getInstrumentState()->setErrorCode(kNoRecordsError);
        driver_.getInstrumentState()->setErrorMessage(resources::loadString(IDS_NOTHING_STORED));
        message(IDS_NOTHING_STORED);
        endDialog(result);
        return;
    }
    if (result != 0) {
        endDialog(result);
        return;
    }
    fillList();
}

void CUploadRx9100Dlg::setUpList() {
    ListView& view = list(IDC_LIST);
    view.setColors(kBackground, kTextBackground);
    view.setStyles(true, true, true, false);
    while (view.columnCount() > 0) {
        view.deleteColumn(0);
    }
    const int* headers = targetMode ? kTargetHeaders : kSampleHeaders;
    const int count = targetMode ? 12 : 10;
    const int widths = targetMode ? kTargetWidths : kSampleWidths;
    for (int c = 0; c < count; ++c) {
        view.insertColumn(c, {headers[c] != 0 ? resources::loadString(headers[c]) : std::string(),
                              widthAt(widths, c)});
    }
    insertColourColumns();
}

int CUploadRx9100Dlg::readRecords() {
    CUploadProgDlg progress(this);
    progress.centreOn(platform::mainWindow());
    progress.show();
    const StoredReadProgress callbacks = progress.readingProgress();
    StoredRecords read;
    int result = driver_.readStoredRecords(targetMode, true, read, callbacks);
    progress.destroyWindow();
    if (result != 0 && result != kReadingCancelled) {
        result = kReadFailed;
    }
    (targetMode ? targets : samples) = std::move(read.records);
    if (result != kReadingCancelled && !read.invalid.empty()) {
        reportInvalid(read.invalid);
    }
    return result;
}

void CUploadRx9100Dlg::reportInvalid(const std::vector<int>& numbers) {
    std::string text =
        resources::loadString(targetMode ? IDS_INVALID_TARGETS : IDS_INVALID_SAMPLES);
    const auto at = text.find("%1");
    if (at != std::string::npos) {
        text.replace(at, 2, transfer::invalidNumbersText(numbers));
    }
    platform::MessageBoxRequest box;
    box.text = text;
    platform::uiServices().messageBox(this, box);
}

void CUploadRx9100Dlg::insertColourColumns() {
    ListView& view = list(IDC_LIST);
    const int first = firstColourColumn();
    const int widths = targetMode ? kTargetWidths : kSampleWidths;
    const transfer::ColourColumns& columns = transfer::colourColumns(colorSpace);
    for (int k = 0; k < 3; ++k) {
        view.deleteColumn(first + k);
        view.insertColumn(first + k, {resources::loadString(columns.headerStrings[k]),
                                      widthAt(widths, first + k)});
    }
}

void CUploadRx9100Dlg::fillList() {
    ListView& view = list(IDC_LIST);
    view.deleteAllRows();
    const SetupCapability& caps = *driver_.getSetupCapability();
    const auto& records = targetMode ? targets : samples;
    for (const auto& [number, pack] : records) {
        const int row = view.insertRow(view.rowCount(), platform::cFormat("%d", number));
        view.setRowData(row, number);
        const MeasuringData& record = pack.data.front();
        int c = 1;
        if (targetMode) {
            view.setCell(row, c++,
                         resources::loadString(pack.format.getType() == DataFormat::kColorimetric
                                                   ? kColorimetricString
                                                   : kSpectralString));
            c += 3;
            view.setCell(row, c++, pack.name);
        } else {
            c += 3;
        }
        view.setCell(row, c++, itemName(caps.getListArea(), record.getMeasurementArea()));
        view.setCell(row, c++, itemName(caps.getListLens(), record.getLens()));
        view.setCell(row, c++, itemName(caps.getListNd(), record.getNd()));
        view.setCell(row, c++, transfer::integralTimeText(record.getIntegralTime()));
        view.setCell(row, c++, itemName(caps.getListSpeed(), record.getSpeed()));
        view.setCell(row, c++, itemName(caps.getListSync(), record.getSync()));
    }
    fillColourCells();
}

void CUploadRx9100Dlg::fillColourCells() {
    ListView& view = list(IDC_LIST);
    const auto& records = targetMode ? targets : samples;
    const int first = firstColourColumn();
    for (int row = 0; row < view.rowCount(); ++row) {
        const auto found = records.find(static_cast<int>(view.row(row).data));
        if (found == records.end()) {
            continue;
        }
        const auto values =
            transfer::colourValues(found->second, driver_.getApplicationObserver(), colorSpace,
                                   driver_.getApplicationLuminance() != 0);
        const auto texts = transfer::colourTexts(values, colorSpace);
        for (int k = 0; k < 3; ++k) {
            view.setCell(row, first + k, texts[static_cast<std::size_t>(k)]);
        }
    }
}

void CUploadRx9100Dlg::onClicked(int id) {
    if (id != IDC_SELECT_ALL && id != IDC_CLEAR_ALL) {
        return;
    }
    ListView& view = list(IDC_LIST);
    for (int row = 0; row < view.rowCount(); ++row) {
        view.setChecked(row, id == IDC_SELECT_ALL);
    }
}

void CUploadRx9100Dlg::onSelectionChange(int id) {
    if (id != IDC_COLOR_SPACE) {
        return;
    }
    const auto data = combo(IDC_COLOR_SPACE).selectedData();
    if (!data || *data == colorSpace) {
        return;
    }
    colorSpace = static_cast<int>(*data);
    insertColourColumns();
    fillColourCells();
}

void CUploadRx9100Dlg::onOK() {
    ListView& view = list(IDC_LIST);
    std::vector<int> checked;
    for (int row = 0; row < view.rowCount(); ++row) {
        if (view.checked(row)) {
            checked.push_back(std::atoi(view.cell(row, 0).c_str()));
        }
    }
    if (checked.empty()) {
        message(IDS_NOTHING_CHECKED);
        return;
    }
    if (deleteMode && message(targetMode ? IDS_DELETE_TARGETS : IDS_DELETE_SAMPLES,
                              platform::MessageBoxButtons::OkCancel) != platform::IDOK) {
        return;
    }
    resultFirst.clear();
    resultSecond.clear();
    const auto& records = targetMode ? targets : samples;
    auto& result = targetMode ? resultFirst : resultSecond;
    for (int n : checked) {
        const auto found = records.find(n);
        if (found != records.end()) {
            result.push_back(found->second);
        }
    }
    if (const auto data = combo(IDC_COLOR_SPACE).selectedData()) {
        colorSpace = static_cast<int>(*data);
    }
    endDialog(platform::IDOK);
}
