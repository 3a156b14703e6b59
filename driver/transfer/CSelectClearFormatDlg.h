#pragma once
#include "platform/ui/Dialog.h"

// Asks what to delete from the instrument's memory: measured values (kind 0)
// or target colours (kind 1), all at once (method 0) or a selection (method 1).
// Deleting everything is confirmed before the dialog closes.
class CSelectClearFormatDlg : public platform::ui::Dialog {
  public:
    static constexpr int IDD = 17001;
    static constexpr int IDC_KIND_SAMPLES = 17002;
    static constexpr int IDC_KIND_TARGETS = 17003;
    static constexpr int IDC_METHOD_ALL = 17004;
    static constexpr int IDC_METHOD_SELECT = 17005;

    static constexpr int IDS_CONFIRM_ALL_TARGETS = 20560;
    static constexpr int IDS_CONFIRM_ALL_SAMPLES = 20561;

    explicit CSelectClearFormatDlg(platform::WindowHandle parent = nullptr);

    int getKind() const { return kind; }
    int getMethod() const { return method; }

  protected:
    void onInitDialog() override;
    void onOK() override;

  private:
    int kind = 0;
    int method = 0;
};
