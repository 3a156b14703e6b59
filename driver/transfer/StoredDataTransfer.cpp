// Importing stored targets and samples, writing a reference colour and deleting stored
// data through the driver's dialogs.
#include "platform/ModuleResources.h"
#include "platform/UiServices.h"
#include "platform/Window.h"
#include "resources/StringTable.h"
#include "sensor/ResultCodes.h"
#include "sensor/TavoRX9100.h"
#include "transfer/CDownloadTargetDlg.h"
#include "transfer/CSelectClearFormatDlg.h"
#include "transfer/CUploadRx9100Dlg.h"
#include "transfer/StoredDataList.h"

namespace {

constexpr const char* kCommonSection = "Common";
constexpr const char* kColorSpaceValue = "ColorSpace";
constexpr int kNoErrorString = 20200;
constexpr int kDeleteSamplesTitle = 20790;
constexpr int kDeleteTargetsTitle = 20791;

}  // namespace

int TavoRX9100::runUploadDialog(bool targets, std::vector<DataPack>* first,
                                std::vector<DataPack>* second) {
    platform::ResourceScope own(platform::ResourceSource::Module);
    const int stored =
        registry->readInt(kCommonSection, kColorSpaceValue, transfer::kDefaultColorSpace);
    CUploadRx9100Dlg dialog(*this, targets, stored, platform::mainWindow());
    dialog.setTitleText(resources::loadString(targets
                                                  ? CUploadRx9100Dlg::IDS_IMPORT_TARGETS_TITLE
                                                  : CUploadRx9100Dlg::IDS_IMPORT_SAMPLES_TITLE));
    const int code = dialog.doModal();
    int result = 0;
    if (code == platform::IDOK) {
        if (first != nullptr) {
            *first = dialog.resultFirst;
        }
        if (second != nullptr) {
            *second = dialog.resultSecond;
        }
        registry->writeInt(kCommonSection, kColorSpaceValue, dialog.getColorSpace());
    } else if (code != platform::IDCANCEL) {
        result = code;
    }
    // An empty number is not an error a host should see.
    const int error = instrumentState.getErrorCode();
    if (error == codes::error::kNoData || error == codes::error::kNoStoredData) {
        instrumentState.setErrorCode(codes::error::kNoError);
        instrumentState.setErrorMessage(resources::loadString(kNoErrorString));
    }
    return result;
}

int TavoRX9100::uploadTargetData(std::vector<DataPack>& targets, ItemIterator*, ItemIterator*) {
    return runUploadDialog(true, &targets, nullptr);
}

int TavoRX9100::uploadSampleData(std::vector<DataPack>& first, std::vector<DataPack>& samples,
                                 ItemIterator*, ItemIterator*) {
    return runUploadDialog(false, &first, &samples);
}

int TavoRX9100::downloadTargetData(DataPack& target) {
    platform::ResourceScope own(platform::ResourceSource::Module);
    const int stored =
        registry->readInt(kCommonSection, kColorSpaceValue, transfer::kDefaultColorSpace);
    CDownloadTargetDlg dialog(*this, stored, platform::mainWindow());
    if (!dialog.prepare(target)) {
        platform::MessageBoxRequest box;
        box.text = resources::loadString(CDownloadTargetDlg::IDS_OUT_OF_RANGE);
        platform::uiServices().messageBox(nullptr, box);
        return codes::status::kRefused;
    }
    const int code = dialog.doModal();
    if (code == platform::IDOK) {
        registry->writeInt(kCommonSection, kColorSpaceValue, dialog.getColorSpace());
        return 0;
    }
    return code == platform::IDCANCEL ? 0 : code;
}

int TavoRX9100::deleteInstrumentData() {
    platform::ResourceScope own(platform::ResourceSource::Module);
    CSelectClearFormatDlg choice(platform::mainWindow());
    if (choice.doModal() != platform::IDOK) {
        return codes::status::kRefused;
    }
    const bool targets = choice.getKind() == 1;
    if (choice.getMethod() == 0) {
        platform::WaitCursor wait;
        (void)clearAllData(!targets);  // its error stays in the instrument state
        return 0;
    }
    const int stored =
        registry->readInt(kCommonSection, kColorSpaceValue, transfer::kDefaultColorSpace);
    CUploadRx9100Dlg selection(*this, targets, stored, platform::mainWindow());
    selection.setDeleteMode(true);
    selection.setTitleText(
        resources::loadString(targets ? kDeleteTargetsTitle : kDeleteSamplesTitle));
    if (selection.doModal() != platform::IDOK) {
        return 0;
    }
    std::vector<int> numbers;
    for (const DataPack& pack : targets ? selection.resultFirst : selection.resultSecond) {
        numbers.push_back(targets ? pack.targetNumber : pack.sampleNumber);
    }
    return deleteStoredRecords(targets, numbers);
}
