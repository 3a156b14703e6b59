#pragma once
#include <cstdint>
#include <string>

#include "platform/ui/Dialog.h"
#include "sensor/StoredRecords.h"

// The modeless window shown while the stored records are read: a line such as
// "3 / 100 転送済み", a bar, and a Cancel button that only raises `cancel`.
class CUploadProgDlg : public platform::ui::Dialog {
  public:
    static constexpr int IDD = 7001;
    static constexpr int IDC_PROGRESS = 7002;
    static constexpr int IDC_TEXT = 7003;

    // Creates the (hidden) window at once.
    explicit CUploadProgDlg(platform::WindowHandle parent = nullptr);

    void setText(const std::string& value);
    void setRange(std::uint16_t low, std::uint16_t high);
    // Handles the waiting messages first (a Cancel click lands before the next
    // record is read), then sets the bar.
    void setPos(int pos);

    // The driver's reading of stored records shown in this window: its range, "N / M
    // 転送済み" with the bar, and its Cancel asked between records.
    StoredReadProgress readingProgress();

    bool cancel = false;
    std::string text;

  protected:
    void onInitDialog() override;
    void onOK() override {}
    void onCancel() override { cancel = true; }
};
