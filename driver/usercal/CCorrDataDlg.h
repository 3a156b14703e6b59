#pragma once
// The lens and ND factor tables as read from the instrument, one row per wavelength
// (380 to 780 nm), for looking only: the dialogs never change the caller's table.
#include "platform/ui/Dialog.h"

// What the two viewers share: the list's look and its 401 rows.
class CCorrDataDlg : public platform::ui::Dialog {
  public:
    static constexpr int IDS_WAVELENGTH_WIDTH = 20614;
    static constexpr int IDS_FACTOR_WIDTH = 20615;
    static constexpr int kRows = 401;

    // The caller's 401 factors, entry i for 380 + i nm.
    void setTable(const double* table) { table_ = table; }

  protected:
    CCorrDataDlg(const platform::ui::DialogTemplate& tmpl, int listId, bool threeDigits,
                 platform::WindowHandle parent);
    void onInitDialog() override;

  private:
    int listId_;
    bool threeDigits_;  // "%03dnm" rather than "%dnm" (the same for 380 to 780)
    const double* table_ = nullptr;
};

class CLensCorrDataDlg : public CCorrDataDlg {
  public:
    static constexpr int IDD = 17007;
    static constexpr int IDC_LIST = 6234;
    explicit CLensCorrDataDlg(platform::WindowHandle parent = nullptr);
};

class CNdCorrDataDlg : public CCorrDataDlg {
  public:
    static constexpr int IDD = 17009;
    static constexpr int IDC_LIST = 6235;
    explicit CNdCorrDataDlg(platform::WindowHandle parent = nullptr);
};
