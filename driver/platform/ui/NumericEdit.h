#pragma once
#include <optional>
#include <string>

#include "platform/Export.h"
#include "platform/ui/Edit.h"

namespace platform::ui {

// Message a numeric field sends to its dialog when it loses the focus while
// holding a value outside its range: wParam is the id of the control that
// receives the focus, lParam the id of the reporting field.
inline constexpr unsigned MSG_NUMERIC_OUT_OF_RANGE = 1527;  // WM_USER + 503

// String id of the range prompt; "%1" and "%2" are the bounds.
inline constexpr int IDS_RANGE_PROMPT = 61715;

// A decimal field with a range and a fixed number of decimals, written and read
// with the user's decimal separator. Values are held as scaled integers
// (value x 10^decimals), so 0.500001 s with six decimals is exactly 500001.
class RX9100_RENDERER_API NumericEdit : public Edit {
  public:
    explicit NumericEdit(const ControlTemplate& tmpl);

    void setText(std::string text) override;

    void setRange(double low, double high);
    void setDecimals(int decimals);
    double low() const { return low_; }
    double high() const { return high_; }
    int decimals() const { return decimals_; }
    long long scale() const;
    long long scaledLow() const;
    long long scaledHigh() const;

    // The text read as a scaled integer: the digits before the separator, then
    // the fraction cut or padded with zeros to `decimals` digits. Nothing for
    // an empty or malformed text.
    std::optional<long long> scaledValue() const;
    std::optional<double> value() const;
    bool inRange() const;

    // Writes the value in the field's format ("%.<decimals>f", user separator).
    void setScaledValue(long long scaled);
    void setValue(double value);
    std::string format(long long scaled) const;

    // The framework's range prompt with this field's bounds.
    std::string rangePrompt() const;

    // Set when the dialog refused the value; cleared when the text changes.
    bool rejected() const { return rejected_; }
    void setRejected(bool rejected) { rejected_ = rejected; }

  private:
    double low_ = 0.0;
    double high_ = 0.0;
    int decimals_ = 0;
    bool rejected_ = false;
};

}  // namespace platform::ui
