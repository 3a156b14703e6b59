#pragma once
#include <cstdint>
#include <string>

#include "platform/ui/Dialog.h"

// The modeless window shown while one measurement runs: the measuring time, a
// bar for the elapsed time and a Cancel button that only raises `cancel`; the
// measuring dialog that owns it polls the flag and cancels the measurement.
class CMeasureProgressDlg : public platform::ui::Dialog {
  public:
    static constexpr int IDD = 1901;
    static constexpr int IDC_TIME_TEXT = 1902;
    static constexpr int IDC_PROGRESS = 1903;

    // Creates the (hidden) window at once.
    explicit CMeasureProgressDlg(platform::WindowHandle parent = nullptr);

    void setTimeText(const std::string& text);
    void setRange(std::uint16_t low, std::uint16_t high);
    // Sets the bar, then handles every message waiting in the thread's queue so
    // the window (and its Cancel button) stays responsive during the wait.
    void setPos(int pos);

    bool cancel = false;
    std::string timeText;

  protected:
    void onInitDialog() override;
    void onOK() override {}
    void onCancel() override { cancel = true; }

  private:
    void updateControls();
};
