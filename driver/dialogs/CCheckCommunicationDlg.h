#pragma once
#include <string>

#include "platform/ui/Dialog.h"

// A small untitled notice ("測定中") shown while the driver waits for the
// instrument. The user cannot dismiss it; its owner destroys it.
class CCheckCommunicationDlg : public platform::ui::Dialog {
  public:
    static constexpr int IDD = 1601;
    static constexpr int IDC_TEXT = 1602;

    // Creates the (hidden) window at once, showing `text`.
    CCheckCommunicationDlg(const std::string& text, platform::WindowHandle parent = nullptr);

    // Shows the text and repaints at once: the caller is about to block.
    void setText(const std::string& value);

    std::string text;

  protected:
    void onInitDialog() override;
    void onOK() override {}
    void onCancel() override {}
};
