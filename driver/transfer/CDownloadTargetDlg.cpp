#include "transfer/CDownloadTargetDlg.h"

#include <cmath>

#include "outside/CalculateColorControl.h"
#include "resources/StringTable.h"
#include "resources/templates/DialogTemplates.h"
#include "sensor/TavoRX9100.h"
#include "transfer/CUploadProgDlg.h"
#include "transfer/StoredDataList.h"

namespace {

constexpr int kIlluminant = 2;
constexpr int kFirstTarget = 1;
constexpr int kLastTarget = 20;
constexpr double kValueLimit = 1000000.0;
constexpr int kNoValueString = 20420;

struct ColourSpaceEntry {
    int text;
    int data;
};
constexpr ColourSpaceEntry kColourSpaces[] = {
    {20500, transfer::kLvxy}, {20501, transfer::kLvuv}, {20503, transfer::kXyz}};

}  // namespace

CDownloadTargetDlg::CDownloadTargetDlg(TavoRX9100& driver, int colorSpace,
                                       platform::WindowHandle parent)
    : Dialog(resources::templates::downloadTarget(), parent),
      driver_(driver),
      colorSpace(colorSpace) {}

bool CDownloadTargetDlg::prepare(const DataPack& reference) {
    reference_ = reference;
    if (reference.data.empty()) {
        return false;
    }
    const std::vector<double>& values = reference.data.front().getData();
    if (reference.format.getType() == DataFormat::kSpectral) {
        if (values.size() != 401) {
            return false;
        }
        CalculateColorControl calc;
        const int observer = driver_.getApplicationObserver();
        calc.setObsIll(observer, kIlluminant);
        std::vector<double> spectrum = values;
        calc.setDataForCalculate(spectrum, 1, 380, 780, DataFormat::kSpectral);
        std::vector<double> result;
        if (!calc.getCalculateData(result) || result.size() < 3) {
            return false;
        }
        writeValues = {result[0], result[1], result[2]};
        writeKind = 1;
    } else {
        if (values.size() != 3) {
            return false;
        }
        writeValues = {values[0], values[1], values[2]};
        writeKind = 2;
    }
    for (double v : writeValues) {
        if (!(v < kValueLimit)) {
            return false;
        }
    }
    return true;
}

void CDownloadTargetDlg::onInitDialog() {
    edit(IDC_NAME).setMaxLength(static_cast<int>(10));
    setTitle(title() + "[" + reference_.name + "]");
    platform::ui::ComboBox& box = combo(IDC_COLOR_SPACE);
    box.clear();
    for (const ColourSpaceEntry& entry : kColourSpaces) {
        box.addItem(resources::loadString(entry.text), entry.data);
    }
    if (!box.selectData(colorSpace)) {
        box.select(0);
    }
    // The targets stored now, read as for an import.
    CUploadProgDlg progress(this);
    progress.centreOn(platform::mainWindow());
    progress.show();
    const StoredReadProgress callbacks = progress.readingProgress();
    StoredRecords read;
    int result = 0;
    {
        platform::WaitCursor wait;
        result = driver_.readStoredRecords(true, false, read, callbacks);
    }
    progress.destroyWindow();
    if (result != 0) {
        endDialog(result);
        return;
    }
    stored = std::move(read.records);
    numericEdit(IDC_TARGET_NUMBER).setRange(kFirstTarget, kLastTarget);
    numericEdit(IDC_TARGET_NUMBER).setScaledValue(targetNumber);
    spin(IDC_TARGET_SPIN).setRange(kFirstTarget, kLastTarget);
    showValues();
}

int CDownloadTargetDlg::currentNumber() const {
    auto* field = dynamic_cast<const platform::ui::NumericEdit*>(findControl(IDC_TARGET_NUMBER));
    const auto value = field != nullptr ? field->scaledValue() : std::nullopt;
    return value ? static_cast<int>(*value) : 0;
}

void CDownloadTargetDlg::showValues() {
    const transfer::ColourColumns& columns = transfer::colourColumns(colorSpace);
    for (int k = 0; k < 3; ++k) {
        const std::string header = resources::loadString(columns.headerStrings[k]);
        staticText(IDC_REFERENCE_HEADER_1 + k).setText(header);
        staticText(IDC_STORED_HEADER_1 + k).setText(header);
    }
    const bool footLamberts = driver_.getApplicationLuminance() != 0;
    const auto reference =
        transfer::colourTexts(transfer::colourValues(reference_, driver_.getApplicationObserver(),
                                                     colorSpace, footLamberts),
                              colorSpace);
    for (int k = 0; k < 3; ++k) {
        staticText(IDC_REFERENCE_1 + k).setText(reference[static_cast<std::size_t>(k)]);
    }
    showStored();
}

void CDownloadTargetDlg::showStored() {
    targetNumber = currentNumber();
    const auto found = stored.find(targetNumber);
    std::array<std::string, 3> texts;
    texts.fill(resources::loadString(kNoValueString));
    if (found != stored.end()) {
        texts = transfer::colourTexts(
            transfer::colourValues(found->second, driver_.getApplicationObserver(), colorSpace,
                                   driver_.getApplicationLuminance() != 0),
            colorSpace);
    }
    for (int k = 0; k < 3; ++k) {
        staticText(IDC_STORED_1 + k).setText(texts[static_cast<std::size_t>(k)]);
    }
}

void CDownloadTargetDlg::onSelectionChange(int id) {
    if (id != IDC_COLOR_SPACE) {
        return;
    }
    if (const auto data = combo(IDC_COLOR_SPACE).selectedData()) {
        colorSpace = static_cast<int>(*data);
        showValues();
    }
}

void CDownloadTargetDlg::onTextChange(int id) {
    if (id == IDC_TARGET_NUMBER) {
        showStored();
    }
}

void CDownloadTargetDlg::onSpin(int id, int delta) {
    Dialog::onSpin(id, delta);
    showStored();
}

void CDownloadTargetDlg::onOK() {
    const int number = currentNumber();
    if (number < kFirstTarget || number > kLastTarget) {
        return;
    }
    if (staticText(IDC_STORED_1).text() != resources::loadString(kNoValueString)) {
        platform::MessageBoxRequest box;
        box.text = resources::loadString(IDS_OVERWRITE);
        box.buttons = platform::MessageBoxButtons::OkCancel;
        if (platform::uiServices().messageBox(this, box) != platform::IDOK) {
            return;
        }
    }
    targetName = edit(IDC_NAME).text();
    if (driver_.writeTarget(number, reference_, targetName) != 0) {
        return;  // the exchange reported its error; points already written stay written
    }
    if (const auto data = combo(IDC_COLOR_SPACE).selectedData()) {
        colorSpace = static_cast<int>(*data);
    }
    endDialog(platform::IDOK);
}
