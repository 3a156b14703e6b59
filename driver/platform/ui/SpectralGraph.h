#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Export.h"
#include "platform/ui/Control.h"
#include "platform/ui/ListView.h"

namespace platform::ui {

inline constexpr double kSpectrumFirstNm = 380.0;
inline constexpr double kSpectrumLastNm = 780.0;

// One curve: value i belongs to the wavelength firstNm + i * stepNm.
struct SpectrumSeries {
    std::string name;
    std::vector<double> values;
    double firstNm = kSpectrumFirstNm;
    double stepNm = 1.0;
    ColorRef color = kDefaultColor;  // the renderer picks one per series
};

// The spectral graph: one or more series over 380 to 780 nm, shown over a
// wavelength range the dialog can narrow (zoom) and widen again.
class RX9100_RENDERER_API SpectralGraph : public Control {
  public:
    using Control::Control;

    const std::vector<SpectrumSeries>& series() const { return series_; }
    void setSeries(std::vector<SpectrumSeries> series);
    void addSeries(SpectrumSeries series);
    void clearSeries();

    double rangeFrom() const { return from_; }
    double rangeTo() const { return to_; }
    // Refused (false) unless from < to; the range is kept within 380 to 780 nm.
    bool setRange(double from, double to);
    void showFullRange();

    // Optional axis caption for the values, e.g. "%".
    const std::string& valueCaption() const { return valueCaption_; }
    void setValueCaption(std::string caption);

  private:
    std::vector<SpectrumSeries> series_;
    double from_ = kSpectrumFirstNm;
    double to_ = kSpectrumLastNm;
    std::string valueCaption_;
};

}  // namespace platform::ui
