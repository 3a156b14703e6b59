#pragma once
// The level calibration: the user measures a reference source (on channel 00, or on the
// target channel right after its wavelength calibration), gives the source's spectrum in
// the 401-row grid (typed, or from an ".lrv" file), and "演算" writes the channel's level
// table as reference / measured.
#include <string>
#include <vector>

#include "platform/ui/Dialog.h"
#include "sensor/MeasuringData.h"
#include "usercal/RangeFields.h"

class TavoRX9100;

class CCorrectLevelDlg : public platform::ui::Dialog {
  public:
    static constexpr int IDD = 17023;
    static constexpr int IDC_MEASURE = 6202;
    static constexpr int IDC_LOAD = 6204;
    static constexpr int IDC_SAVE = 6205;
    static constexpr int IDC_GRID = 6206;
    static constexpr int IDC_DEBUG_LOAD = 6208;
    static constexpr int IDC_ZOOM = 6209;
    static constexpr int IDC_FULL_RANGE = 6210;
    static constexpr int IDC_RANGE_START = 6211;
    static constexpr int IDC_RANGE_START_SPIN = 6212;
    static constexpr int IDC_RANGE_END = 6213;
    static constexpr int IDC_RANGE_END_SPIN = 6214;
    static constexpr int IDC_REGISTER = 6215;
    static constexpr int IDC_CLEAR_REGISTERED = 6216;
    static constexpr int IDC_GRAPH = 6144;
    static constexpr usercal::RangeFieldIds kRange{IDC_RANGE_START, IDC_RANGE_START_SPIN,
                                                   IDC_RANGE_END, IDC_RANGE_END_SPIN};

    CCorrectLevelDlg(TavoRX9100& driver, int channel, std::string calibrationId,
                     platform::WindowHandle parent = nullptr);

    const std::vector<MeasuringData>& measurements() const { return store_; }
    const std::vector<double>& registeredReference() const { return registered_; }

  protected:
    void onInitDialog() override;
    void onClicked(int id) override;
    void onOK() override;

  private:
    void measure();
    void load();
    void save();
    void debugLoad();
    void updateButtons();
    void drawGraph();
    bool takeRange(int& start, int& end);
    std::vector<double> gridValues();
    void message(const std::string& text);

    TavoRX9100& driver_;
    int channel_;
    std::string calibrationId_;
    std::vector<MeasuringData> store_;
    std::vector<double> registered_;
};
