#pragma once
#include <string>

#include "platform/ui/Dialog.h"

// Edits the ID of one user calibration channel. The instrument stores at most
// ten printable characters and uses some punctuation itself, so the field
// refuses those as they are typed.
class CEditCalIdDlg : public platform::ui::Dialog {
  public:
    static constexpr int IDD = 1501;
    static constexpr int IDC_ID = 1502;
    static constexpr int IDS_CH = 20650;
    static constexpr int kMaxIdLength = 10;

    explicit CEditCalIdDlg(platform::WindowHandle parent = nullptr);

    void setChannel(int ch) { channel = ch; }
    void setId(const std::string& value) { id = value; }
    // The text of the field after OK.
    const std::string& getId() const { return id; }

    // Codes 32 to 126 except ! # $ \ | } ~.
    static bool isIdCharacter(char32_t c);

  protected:
    void onInitDialog() override;
    void onOK() override;

  private:
    int channel = 0;
    std::string id;
};
