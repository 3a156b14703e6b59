#pragma once
// The wavelength calibration: the user measures a source with known emission lines (on
// channel 00, set by the editor), marks up to ten lines on the spectrum, the dialog finds
// each line's centroid, the user types the line's true wavelength, and "演算" writes the
// channel's wavelength table through those pairs.
#include <string>
#include <vector>

#include "platform/ui/Dialog.h"
#include "sensor/MeasuringData.h"
#include "usercal/RangeFields.h"

class TavoRX9100;

class CCorrectWavelengthDlg : public platform::ui::Dialog {
  public:
    static constexpr int IDD = 17024;
    static constexpr int IDC_MEASURE = 6102;
    static constexpr int IDC_ZOOM = 6103;
    static constexpr int IDC_FULL_RANGE = 6104;
    static constexpr int IDC_RANGE_START = 6115;
    static constexpr int IDC_RANGE_START_SPIN = 6116;
    static constexpr int IDC_RANGE_END = 6139;
    static constexpr int IDC_RANGE_END_SPIN = 6140;
    static constexpr int IDC_ROW_NUMBER = 6141;
    static constexpr int IDC_ROW_NUMBER_SPIN = 6142;
    static constexpr int IDC_ADD = 6143;
    static constexpr int IDC_GRAPH = 6144;
    static constexpr int IDC_DEBUG_LOAD = 6145;
    static constexpr usercal::RangeFieldIds kRange{IDC_RANGE_START, IDC_RANGE_START_SPIN,
                                                   IDC_RANGE_END, IDC_RANGE_END_SPIN};
    static constexpr int kRows = 10;
    // Check box, centroid field and reference field of each row.
    struct RowIds {
        int check;
        int centroid;
        int reference;
    };
    static constexpr RowIds kRowIds[kRows] = {
        {6105, 6106, 6107}, {6108, 6109, 6110}, {6111, 6112, 6113}, {6117, 6118, 6119},
        {6120, 6121, 6122}, {6123, 6124, 6125}, {6126, 6127, 6128}, {6129, 6130, 6131},
        {6132, 6133, 6134}, {6135, 6136, 6137}};

    CCorrectWavelengthDlg(TavoRX9100& driver, int channel, std::string calibrationId,
                          platform::WindowHandle parent = nullptr);

    // The measurement the lines are marked on (its first record counts).
    const std::vector<MeasuringData>& measurements() const { return store_; }

  protected:
    void onInitDialog() override;
    void onClicked(int id) override;
    void onTextChange(int id) override;
    void onOK() override;

  private:
    void measure();
    void addLine();
    void zoom();
    void debugLoad();
    // "追加", "ズーム" and "全波長" need a measurement; "演算" a checked row with a reference
    // in every checked row.
    void updateButtons();
    void drawGraph();
    // The range fields; false after the message when start is not below end.
    bool takeRange(int& start, int& end);
    void message(const std::string& text);

    TavoRX9100& driver_;
    int channel_;
    std::string calibrationId_;
    std::vector<MeasuringData> store_;
};
