#include "usercal/CCorrectWavelengthDlg.h"

#include <algorithm>

#include "platform/Numbers.h"
#include "resources/StringTable.h"
#include "resources/templates/DialogTemplates.h"
#include "sensor/TavoRX9100.h"
#include "usercal/CalibrationTableWrite.h"
#include "usercal/DebugMeasurement.h"
#include "usercal/RangeFields.h"
#include "usercal/WavelengthCalibration.h"
#include "whitecal/CWhiteMeasureDlg.h"

namespace {

constexpr int kCalculationFailed = 20906;

// The fields show two decimals as the "C" locale writes them; the calculation reads back
// exactly what they show.
std::string twoDecimals(double value) {
    return platform::cFormat("%.2lf", value);
}

}  // namespace

CCorrectWavelengthDlg::CCorrectWavelengthDlg(TavoRX9100& driver, int channel,
                                             std::string calibrationId,
                                             platform::WindowHandle parent)
    : Dialog(resources::templates::wavelengthCalibration(), parent),
      driver_(driver),
      channel_(channel),
      calibrationId_(std::move(calibrationId)) {}

void CCorrectWavelengthDlg::onInitDialog() {
    usercal::setUpRangeFields(*this, kRange);
    numericEdit(IDC_ROW_NUMBER).setRange(0, kRows - 1);
    numericEdit(IDC_ROW_NUMBER).setDecimals(0);
    spin(IDC_ROW_NUMBER_SPIN).setRange(0, kRows - 1);
    numericEdit(IDC_ROW_NUMBER).setValue(0);
    for (const RowIds& row : kRowIds) {
        checkBox(row.check).setEnabled(false);
        numericEdit(row.reference).setRange(usercal::kFirstNm, usercal::kLastNm);
        numericEdit(row.reference).setDecimals(2);
        numericEdit(row.reference).setEnabled(false);
    }
    graph(IDC_GRAPH).setValueCaption("%");
    updateButtons();
}

void CCorrectWavelengthDlg::onClicked(int id) {
    switch (id) {
        case IDC_MEASURE:
            measure();
            return;
        case IDC_ADD:
            addLine();
            return;
        case IDC_ZOOM:
            zoom();
            return;
        case IDC_FULL_RANGE:
            graph(IDC_GRAPH).showFullRange();
            return;
        case IDC_DEBUG_LOAD:
            debugLoad();
            return;
        default:
            break;
    }
    for (const RowIds& row : kRowIds) {
        if (id == row.check) {
            numericEdit(row.reference).setEnabled(checkBox(row.check).checked());
            updateButtons();
        }
    }
}

void CCorrectWavelengthDlg::onTextChange(int id) {
    for (const RowIds& row : kRowIds) {
        if (id == row.reference) {
            updateButtons();
        }
    }
}

void CCorrectWavelengthDlg::measure() {
    CUserMeasureDlg measuring(driver_, this);
    if (measuring.doModal() == 0) {
        store_ = measuring.records;
        drawGraph();
    }
    updateButtons();
}

void CCorrectWavelengthDlg::debugLoad() {
    usercal::debugLoad(driver_, this, store_);
    drawGraph();
    updateButtons();
}

bool CCorrectWavelengthDlg::takeRange(int& start, int& end) {
    return usercal::takeRange(*this, kRange, start, end);
}

void CCorrectWavelengthDlg::addLine() {
    int start = 0;
    int end = 0;
    if (store_.empty() || !takeRange(start, end)) {
        return;
    }
    const int row =
        std::clamp(static_cast<int>(numericEdit(IDC_ROW_NUMBER).value().value_or(0)), 0, kRows - 1);
    const auto centroid = usercal::lineCentroid(store_.front().getData(), start, end);
    if (!centroid) {
        return;  // a range without light has no centroid: nothing to mark
    }
    const RowIds& ids = kRowIds[row];
    edit(ids.centroid).setText(twoDecimals(*centroid));
    numericEdit(ids.reference).setText(twoDecimals(*centroid));
    checkBox(ids.check).setEnabled(true);
    checkBox(ids.check).setChecked(true);
    numericEdit(ids.reference).setEnabled(true);
    if (row < kRows - 1) {
        numericEdit(IDC_ROW_NUMBER).setValue(row + 1);
    }
    updateButtons();
}

void CCorrectWavelengthDlg::zoom() {
    int start = 0;
    int end = 0;
    if (takeRange(start, end)) {
        graph(IDC_GRAPH).setRange(start, end);
    }
}

void CCorrectWavelengthDlg::updateButtons() {
    const bool measured = !store_.empty();
    for (int id : {IDC_ADD, IDC_ZOOM, IDC_FULL_RANGE}) {
        findControl(id)->setEnabled(measured);
    }
    bool anyChecked = false;
    bool allHaveReferences = true;
    for (const RowIds& row : kRowIds) {
        if (checkBox(row.check).checked()) {
            anyChecked = true;
            allHaveReferences = allHaveReferences && !edit(row.reference).text().empty();
        }
    }
    findControl(platform::IDOK)->setEnabled(anyChecked && allHaveReferences);
}

void CCorrectWavelengthDlg::drawGraph() {
    platform::ui::SpectralGraph& chart = graph(IDC_GRAPH);
    chart.clearSeries();
    if (store_.empty() || store_.front().getData().empty()) {
        return;
    }
    // In single precision, as per cent of the spectrum's maximum.
    std::vector<double> values;
    for (double v : store_.front().getData()) {
        values.push_back(static_cast<float>(v));
    }
    const double highest = *std::max_element(values.begin(), values.end());
    for (double& v : values) {
        v = highest != 0.0 ? v * 100.0 / highest : 0.0;
    }
    chart.addSeries({"", std::move(values)});
}

void CCorrectWavelengthDlg::onOK() {
    std::vector<usercal::LinePair> pairs;
    for (const RowIds& row : kRowIds) {
        if (checkBox(row.check).checked()) {
            pairs.push_back({platform::cAtof(edit(row.centroid).text()),
                             platform::cAtof(edit(row.reference).text())});
        }
    }
    const auto table = usercal::wavelengthTable(pairs);
    if (!table || usercal::writeCalibrationTable(driver_, protocol::ChannelTable::Wavelength,
                                                 channel_, calibrationId_, *table) != 0) {
        message(resources::loadString(kCalculationFailed));
        return;
    }
    endDialog(platform::IDOK);
}

void CCorrectWavelengthDlg::message(const std::string& text) {
    platform::messageBox(text, platform::MessageBoxButtons::Ok, platform::MessageBoxIcon::None,
                         this);
}
