#include "usercal/CCorrectLevelDlg.h"

#include <cstdlib>

#include "platform/Numbers.h"
#include "platform/UiServices.h"
#include "resources/StringTable.h"
#include "resources/templates/DialogTemplates.h"
#include "sensor/TavoRX9100.h"
#include "usercal/CalibrationTableWrite.h"
#include "usercal/DebugMeasurement.h"
#include "usercal/LevelCalibration.h"
#include "usercal/RangeFields.h"
#include "whitecal/CWhiteMeasureDlg.h"

namespace {

constexpr int kFileFormatWrong = 20909;
constexpr int kGridTitle = 20911;

}  // namespace

CCorrectLevelDlg::CCorrectLevelDlg(TavoRX9100& driver, int channel, std::string calibrationId,
                                   platform::WindowHandle parent)
    : Dialog(resources::templates::levelCalibration(), parent),
      driver_(driver),
      channel_(channel),
      calibrationId_(std::move(calibrationId)) {}

void CCorrectLevelDlg::onInitDialog() {
    usercal::setUpRangeFields(*this, kRange);
    grid(IDC_GRID).setWavelengthRows(usercal::kFirstNm, usercal::kLastNm);
    grid(IDC_GRID).setColumnTitle(resources::loadString(kGridTitle));
    updateButtons();
}

void CCorrectLevelDlg::onClicked(int id) {
    int start = 0;
    int end = 0;
    switch (id) {
        case IDC_MEASURE:
            if (takeRange(start, end)) {
                measure();
            }
            break;
        case IDC_ZOOM:
            if (takeRange(start, end)) {
                graph(IDC_GRAPH).setRange(start, end);
            }
            break;
        case IDC_FULL_RANGE:
            numericEdit(IDC_RANGE_START).setValue(usercal::kFirstNm);
            numericEdit(IDC_RANGE_END).setValue(usercal::kLastNm);
            graph(IDC_GRAPH).showFullRange();
            break;
        case IDC_LOAD:
            if (takeRange(start, end)) {
                load();
            }
            break;
        case IDC_SAVE:
            save();
            break;
        case IDC_REGISTER:
            if (takeRange(start, end)) {
                registered_ = gridValues();
                drawGraph();
            }
            break;
        case IDC_CLEAR_REGISTERED:
            if (takeRange(start, end)) {
                registered_.clear();
                drawGraph();
            }
            break;
        case IDC_DEBUG_LOAD:
            usercal::debugLoad(driver_, this, store_);
            drawGraph();
            updateButtons();
            break;
        default:
            break;
    }
}

bool CCorrectLevelDlg::takeRange(int& start, int& end) {
    return usercal::takeRange(*this, kRange, start, end);
}

void CCorrectLevelDlg::measure() {
    CUserMeasureDlg measuring(driver_, this);
    if (measuring.doModal() == 0) {
        store_ = measuring.records;
        drawGraph();
    }
    updateButtons();
}

namespace {

// A value as a cell shows it: with the user's decimal separator, which the cells are read with.
std::string cellText(double value) {
    std::string text = platform::cFormat("%.9g", value);
    for (char& c : text) {
        if (c == '.') {
            c = platform::userDecimalSeparator();
        }
    }
    return text;
}

platform::FileChooserRequest referenceFileRequest(TavoRX9100& driver, bool open) {
    const std::string extension = usercal::kReferenceExtension;
    platform::FileChooserRequest request;
    request.open = open;
    request.filter = "*." + extension + "|*." + extension + "||";
    request.defaultExtension = extension;
    request.initialFolder = driver.GetAppFolderPath();
    request.initialName = driver.GetAppFolderPath() + "*." + extension;
    request.overwritePrompt = !open;
    return request;
}

}  // namespace

void CCorrectLevelDlg::load() {
    const auto chosen =
        platform::uiServices().chooseFile(this, referenceFileRequest(driver_, true));
    if (!chosen) {
        return;
    }
    const auto values = usercal::readLineValues(*chosen);
    if (!values) {
        message(resources::loadString(kFileFormatWrong));
        return;
    }
    platform::ui::ReferenceGrid& cells = grid(IDC_GRID);
    for (int row = 0; row < cells.rowCount(); ++row) {
        cells.setCellText(row, cellText((*values)[static_cast<std::size_t>(row)]));
    }
}

void CCorrectLevelDlg::save() {
    const auto chosen =
        platform::uiServices().chooseFile(this, referenceFileRequest(driver_, false));
    if (chosen) {
        (void)usercal::writeLineValues(*chosen, gridValues());
    }
}

// The cells as the user's locale reads them: what they typed, with their decimal separator.
std::vector<double> CCorrectLevelDlg::gridValues() {
    std::vector<double> values;
    for (const std::string& text : grid(IDC_GRID).cells()) {
        values.push_back(std::atof(text.c_str()));
    }
    return values;
}

void CCorrectLevelDlg::updateButtons() {
    const bool measured = !store_.empty();
    for (int id : {platform::IDOK, IDC_ZOOM, IDC_FULL_RANGE}) {
        findControl(id)->setEnabled(measured);
    }
}

void CCorrectLevelDlg::drawGraph() {
    platform::ui::SpectralGraph& chart = graph(IDC_GRAPH);
    chart.clearSeries();
    if (!store_.empty()) {
        chart.addSeries({"測定", store_.front().getData()});
    }
    if (!registered_.empty()) {
        chart.addSeries({resources::loadString(kGridTitle), registered_});
    }
}

void CCorrectLevelDlg::onOK() {
    if (store_.empty()) {
        return;
    }
    const auto factors = usercal::levelFactors(gridValues(), store_.front().getData());
    if (!factors) {
        return;
    }
    // A failed write has recorded its error; the user may measure or write again.
    if (usercal::writeCalibrationTable(driver_, protocol::ChannelTable::Level, channel_,
                                       calibrationId_, *factors) == 0) {
        endDialog(platform::IDOK);
    }
}

void CCorrectLevelDlg::message(const std::string& text) {
    platform::messageBox(text, platform::MessageBoxButtons::Ok, platform::MessageBoxIcon::None,
                         this);
}
