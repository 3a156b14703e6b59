#include "usercal/CEditCalDataRx9100Dlg.h"

#include <cstdlib>

#include "platform/Numbers.h"
#include "resources/StringTable.h"
#include "resources/templates/DialogTemplates.h"
#include "sensor/TavoRX9100.h"
#include "usercal/CCorrDataDlg.h"
#include "usercal/CCorrectLevelDlg.h"
#include "usercal/CCorrectWavelengthDlg.h"
#include "usercal/CEditCalIdDlg.h"
#include "usercal/ChannelLink.h"

namespace {

constexpr platform::ui::ColorRef kBackground = 0xC0C0C0;
constexpr platform::ui::ColorRef kTextBackground = 0xD2D2D2;
constexpr int kColumnTitles = 20600;  // CH, ID, 波長, レベル
constexpr int kColumnWidths = 20610;
constexpr int kColumns = 4;
constexpr int kIdColumn = 1;
constexpr int kWavelengthColumn = 2;
constexpr int kLevelColumn = 3;
constexpr const char* kOn = "ON";
constexpr const char* kOff = "OFF";
constexpr int kLensSet = 11;  // the conditions' lens code with the adapter lens
constexpr int kNdFilter1 = 15;
constexpr int kNdFilter2 = 16;

bool wavelengthMode(int mode) {
    return mode == 5 || mode == 21 || mode == 22 || mode == 24;
}

bool levelMode(int mode) {
    return mode == 4 || mode == 22 || mode == 23 || mode == 24;
}

std::string withoutLeadingBlanks(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

}  // namespace

CEditCalDataRx9100Dlg::CEditCalDataRx9100Dlg(TavoRX9100& driver, UserCalibrationFile& userFile,
                                             NdCoefficientFile& ndFile,
                                             LensCoefficientFile& lensFile,
                                             platform::WindowHandle parent)
    : Dialog(resources::templates::editCalData(), parent),
      driver_(driver),
      userFile_(userFile),
      ndFile_(ndFile),
      lensFile_(lensFile) {}

int CEditCalDataRx9100Dlg::message(int textId, platform::MessageBoxButtons buttons,
                                   platform::MessageBoxIcon icon) {
    platform::MessageBoxRequest box;
    box.text = resources::loadString(textId);
    box.buttons = buttons;
    box.icon = icon;
    box.cancelIsDefault = buttons == platform::MessageBoxButtons::OkCancel;
    return platform::uiServices().messageBox(this, box);
}

void CEditCalDataRx9100Dlg::formatWrong() {
    message(IDS_FORMAT_WRONG, platform::MessageBoxButtons::Ok,
            platform::MessageBoxIcon::Exclamation);
}

// --- start and list ------------------------------------------------------------------

void CEditCalDataRx9100Dlg::onInitDialog() {
    setUpList();
    refreshList();
    fillCombos();

    // The probes leave a missing table as "no error" (200) in the instrument state.
    button(IDC_LENS_SHOW).setEnabled(driver_.checkAdapterLens() == 0);
    const bool nd1 = driver_.checkAdapterNd(1) == 0;
    const bool nd2 = driver_.checkAdapterNd(2) == 0;
    ndDataState_ = (nd1 ? 1 : 0) | (nd2 ? 2 : 0);
    updateNdShowButton();
    updateButtons();
}

void CEditCalDataRx9100Dlg::setUpList() {
    auto& view = list(IDC_CHANNELS);
    view.setStyles(false, true, true, false);
    view.setColors(kBackground, kTextBackground);
    while (view.columnCount() > 0) {
        view.deleteColumn(0);
    }
    for (int c = 0; c < kColumns; ++c) {
        view.insertColumn(c, {resources::loadString(kColumnTitles + c),
                              platform::cAtoi(resources::loadString(kColumnWidths + c))});
    }
    view.deleteAllRows();
    for (int ch = 0; ch < TavoRX9100::kChannels; ++ch) {
        const int row = view.insertRow(ch, platform::cFormat("%02d", ch));
        for (int c = 1; c < kColumns; ++c) {
            view.setCell(row, c, "");
        }
    }
}

void CEditCalDataRx9100Dlg::refreshList() {
    auto& view = list(IDC_CHANNELS);
    CapIterator* channels = driver_.getSetupCapability()->getListCalList();
    if (channels == nullptr) {
        return;
    }
    for (channels->First(); channels->IsDone() == 0;) {
        const ItemMap item = channels->Next();
        if (item.id < 0 || item.id >= view.rowCount()) {
            continue;
        }
        const int mode = std::atoi(item.name.substr(0, 2).c_str());
        view.setCell(item.id, kIdColumn, item.name.size() > 2 ? item.name.substr(2) : "");
        view.setCell(item.id, kWavelengthColumn, wavelengthMode(mode) ? kOn : kOff);
        view.setCell(item.id, kLevelColumn, levelMode(mode) ? kOn : kOff);
    }
}

void CEditCalDataRx9100Dlg::fillCombos() {
    const SetupCapability* capability = driver_.getSetupCapability();
    const SetupStatus* status = driver_.getSetupStatus();
    auto fill = [](platform::ui::ComboBox& box, CapIterator* items, int skipId) {
        box.clear();
        if (items == nullptr) {
            return;
        }
        for (items->First(); items->IsDone() == 0;) {
            const ItemMap item = items->Next();
            if (item.id != skipId) {
                box.addItem(item.name, item.id);
            }
        }
    };
    constexpr int kSkipNothing = -1;
    fill(combo(IDC_LENS), capability->getListLens(), kSkipNothing);
    combo(IDC_LENS).select(status->getLens() == kLensSet ? 1 : 0);
    fill(combo(IDC_ND), capability->getListNd(), kSkipNothing);
    const int nd = status->getNd();
    combo(IDC_ND).select(nd == kNdFilter1 ? 1 : (nd == kNdFilter2 ? 2 : 0));
    fill(combo(IDC_LENS_TABLE), capability->getListLens(), 1);
    combo(IDC_LENS_TABLE).select(0);
    fill(combo(IDC_ND_TABLE), capability->getListNd(), 0);
    combo(IDC_ND_TABLE).select(0);
}

const platform::ui::ListView* CEditCalDataRx9100Dlg::channelList() const {
    return dynamic_cast<const platform::ui::ListView*>(findControl(IDC_CHANNELS));
}

std::optional<int> CEditCalDataRx9100Dlg::selectedChannel() const {
    const auto* view = channelList();
    const int row = view != nullptr ? view->selectionMark() : -1;
    if (row <= 0 || row >= TavoRX9100::kChannels) {
        return std::nullopt;
    }
    return row;
}

bool CEditCalDataRx9100Dlg::columnOn(int row, int column) const {
    const auto* view = channelList();
    return view != nullptr && view->cell(row, column) == kOn;
}

void CEditCalDataRx9100Dlg::updateButtons() {
    const std::optional<int> ch = selectedChannel();
    for (int id : {IDC_EDIT_ID, IDC_ERASE, IDC_LOAD, IDC_SAVE}) {
        button(id).setEnabled(ch.has_value());
    }
    const bool levelOn = ch && columnOn(*ch, kLevelColumn);
    const bool waveOn = ch && columnOn(*ch, kWavelengthColumn);
    button(IDC_WAVELENGTH_CAL).setEnabled(ch && !waveOn && !levelOn);
    button(IDC_LEVEL_CAL).setEnabled(ch && !levelOn);
}

int CEditCalDataRx9100Dlg::selectedNdFilter() const {
    const auto* box = dynamic_cast<const platform::ui::ComboBox*>(findControl(IDC_ND_TABLE));
    return box != nullptr && box->selection() == 1 ? 2 : 1;
}

void CEditCalDataRx9100Dlg::updateNdShowButton() {
    button(IDC_ND_SHOW).setEnabled((ndDataState_ & selectedNdFilter()) != 0);
}

void CEditCalDataRx9100Dlg::rebuildList() {
    if (driver_.checkCalibrationCh() == 0) {
        refreshList();
    }
}

// --- notifications ------------------------------------------------------------------

void CEditCalDataRx9100Dlg::onSelectionChange(int id) {
    if (id == IDC_ND_TABLE) {
        updateNdShowButton();
    }
}

void CEditCalDataRx9100Dlg::onListItemChanged(int id, int /*row*/) {
    if (id == IDC_CHANNELS) {
        updateButtons();
    }
}

void CEditCalDataRx9100Dlg::onListDoubleClick(int id, int row) {
    if (id == IDC_CHANNELS && row > 0 && row == list(IDC_CHANNELS).selectionMark()) {
        editId();
    }
}

void CEditCalDataRx9100Dlg::onClicked(int id) {
    switch (id) {
        case IDC_EDIT_ID:
            editId();
            break;
        case IDC_ERASE:
            erase();
            break;
        case IDC_LOAD:
            load();
            break;
        case IDC_SAVE:
            save();
            break;
        case IDC_LENS_SHOW:
            showLens();
            break;
        case IDC_LENS_WRITE:
            writeLens();
            break;
        case IDC_ND_SHOW:
            showNd();
            break;
        case IDC_ND_WRITE:
            writeNd();
            break;
        case IDC_WAVELENGTH_CAL:
            calibrateWavelength();
            break;
        case IDC_LEVEL_CAL:
            calibrateLevel();
            break;
        default:
            break;
    }
}

// --- calibration procedures ---------------------------------------------------------

void CEditCalDataRx9100Dlg::calibrateWavelength() {
    const std::optional<int> ch = selectedChannel();
    if (!ch) {
        return;
    }
    // The lamp is measured without any user correction.
    SetupStatus& status = *driver_.getSetupStatus();
    const int remembered = status.getCalibrationCh();
    status.setCalibrationCh(0);
    (void)driver_.setActiveCh();
    CCorrectWavelengthDlg wavelength(driver_, *ch, list(IDC_CHANNELS).cell(*ch, kIdColumn), this);
    if (wavelength.doModal() == platform::IDOK) {
        status.setCalibrationCh(remembered);
        (void)driver_.setActiveCh();
        list(IDC_CHANNELS).setSelectionMark(*ch);
        chainLevelCalibration_ = true;
        calibrateLevel();
        return;
    }
    restoreChannel(remembered, *ch);
}

void CEditCalDataRx9100Dlg::calibrateLevel() {
    const std::optional<int> ch = selectedChannel();
    if (!ch) {
        return;
    }
    // Right after its wavelength calibration the channel measures with its new table.
    SetupStatus& status = *driver_.getSetupStatus();
    const int remembered = status.getCalibrationCh();
    status.setCalibrationCh(chainLevelCalibration_ ? *ch : 0);
    (void)driver_.setActiveCh();
    chainLevelCalibration_ = false;
    CCorrectLevelDlg level(driver_, *ch, list(IDC_CHANNELS).cell(*ch, kIdColumn), this);
    (void)level.doModal();
    restoreChannel(remembered, *ch);
}

void CEditCalDataRx9100Dlg::restoreChannel(int remembered, int row) {
    driver_.getSetupStatus()->setCalibrationCh(remembered);
    (void)driver_.setActiveCh();
    rebuildList();
    list(IDC_CHANNELS).setSelectionMark(row);
    updateButtons();
}

// --- channel actions ----------------------------------------------------------------

void CEditCalDataRx9100Dlg::editId() {
    const std::optional<int> ch = selectedChannel();
    if (!ch) {
        return;
    }
    CEditCalIdDlg editor(this);
    editor.setChannel(*ch);
    editor.setId(list(IDC_CHANNELS).cell(*ch, kIdColumn));
    if (editor.doModal() == platform::IDOK) {
        platform::WaitCursor wait;
        if (driver_.setCalibrationId(*ch, editor.getId()) == 0) {
            list(IDC_CHANNELS).setCell(*ch, kIdColumn, editor.getId());
        }
    }
    updateButtons();
}

void CEditCalDataRx9100Dlg::erase() {
    const std::optional<int> ch = selectedChannel();
    if (!ch) {
        return;
    }
    // The channel in use goes back to 00 first, whatever the answer below.
    SetupStatus* status = driver_.getSetupStatus();
    if (status->getCalibrationCh() == *ch) {
        status->setCalibrationCh(0);
        (void)driver_.setActiveCh();
    }
    if (message(IDS_ASK_ERASE, platform::MessageBoxButtons::OkCancel,
                platform::MessageBoxIcon::Question) == platform::IDOK) {
        platform::WaitCursor wait;
        if (driver_.editorChannels().eraseChannel(*ch) == 0) {
            rebuildList();
        }
    }
    updateButtons();
}

int CEditCalDataRx9100Dlg::writeCalibrationData(int ch, const std::string& id, int writeWave,
                                                const Table& wave, int writeLevel,
                                                const Table& level) {
    platform::WaitCursor wait;
    return driver_.editorChannels().writeChannel(ch, id, writeWave, wave.data(), writeLevel,
                                                 level.data());
}

int CEditCalDataRx9100Dlg::readCalibrationData(int ch, std::string& id, int& hasWave, Table& wave,
                                               int& hasLevel, Table& level) {
    platform::WaitCursor wait;
    return driver_.editorChannels().readChannel(ch, id, hasWave, wave.data(), hasLevel,
                                                level.data());
}

std::optional<std::string> CEditCalDataRx9100Dlg::askForFile(const char* extension, bool open) {
    const std::string ext = extension;
    platform::FileChooserRequest request;
    request.open = open;
    request.filter = "*." + ext + "|*." + ext + "||";
    request.defaultExtension = ext;
    request.hideReadOnly = true;
    request.overwritePrompt = !open;
    request.initialFolder = driver_.GetAppFolderPath();
    request.initialName = driver_.GetAppFolderPath() + "*." + ext;
    return platform::uiServices().chooseFile(this, request);
}

void CEditCalDataRx9100Dlg::load() {
    const std::optional<int> ch = selectedChannel();
    if (!ch) {
        return;
    }
    const std::optional<std::string> path = askForFile("ucf", true);
    if (path) {
        if (usercal::loadUcf(*path, userFile_) != usercal::FileProblem::None) {
            formatWrong();
        } else {
            if (writeCalibrationData(*ch, withoutLeadingBlanks(userFile_.id), userFile_.hasWave,
                                     userFile_.wave, userFile_.hasLevel, userFile_.level) == 0) {
                rebuildList();
            } else {
                formatWrong();
            }
        }
    }
    updateButtons();
}

void CEditCalDataRx9100Dlg::save() {
    const std::optional<int> ch = selectedChannel();
    if (!ch) {
        return;
    }
    const std::optional<std::string> path = askForFile("ucf", false);
    if (path) {
        std::string id;
        int hasWave = 0;
        int hasLevel = 0;
        Table wave{};
        Table level{};
        if (readCalibrationData(*ch, id, hasWave, wave, hasLevel, level) == 0) {
            userFile_.id = id;
            userFile_.waveHeader = "[Wave]";
            userFile_.hasWave = hasWave;
            userFile_.wave = wave;
            userFile_.levelHeader = "[Level]";
            userFile_.hasLevel = hasLevel;
            userFile_.level = level;
            (void)usercal::writeUcf(*path, userFile_);
            userFile_.loaded = true;
        }
    }
    updateButtons();
}

// --- factor tables ------------------------------------------------------------------

void CEditCalDataRx9100Dlg::showLens() {
    Table table{};
    int r = 0;
    {
        platform::WaitCursor wait;
        r = driver_.getAdapterLens(table.data());
    }
    if (r == 0) {
        CLensCorrDataDlg viewer(this);
        viewer.setTable(table.data());
        viewer.doModal();
    }
}

void CEditCalDataRx9100Dlg::showNd() {
    Table table{};
    int r = 0;
    {
        platform::WaitCursor wait;
        r = driver_.getAdapterNd(table.data(), selectedNdFilter());
    }
    if (r == 0) {
        CNdCorrDataDlg viewer(this);
        viewer.setTable(table.data());
        viewer.doModal();
    }
}

namespace {

// The file's factors widened for the driver's table operations.
std::array<double, kCalibrationEntries> widened(const CoefficientFile& file) {
    std::array<double, kCalibrationEntries> table{};
    for (int i = 0; i < kCalibrationEntries; ++i) {
        table[i] = file.factors[i];
    }
    return table;
}

constexpr int kAngles = 3;  // every measuring angle gets the same table

}  // namespace

void CEditCalDataRx9100Dlg::writeLens() {
    const std::optional<std::string> path = askForFile("lcf", true);
    if (!path) {
        return;
    }
    bool written = usercal::loadLens(*path, lensFile_) == usercal::FileProblem::None;
    if (written) {
        auto table = widened(lensFile_);
        for (int angle = 0; angle < kAngles && written; ++angle) {
            written = driver_.setAdapterLens(table.data(), angle) == 0;
        }
    }
    if (written) {
        button(IDC_LENS_SHOW).setEnabled(true);
    } else {
        formatWrong();
    }
}

void CEditCalDataRx9100Dlg::writeNd() {
    const int filter = selectedNdFilter();
    const std::optional<std::string> path = askForFile("ncf", true);
    if (!path) {
        return;
    }
    bool written = usercal::loadNd(*path, ndFile_) == usercal::FileProblem::None;
    if (written) {
        auto table = widened(ndFile_);
        for (int angle = 0; angle < kAngles && written; ++angle) {
            written = driver_.setAdapterNd(table.data(), filter, angle) == 0;
        }
    }
    if (written) {
        ndDataState_ |= filter;
        updateNdShowButton();
    } else {
        formatWrong();
    }
}
