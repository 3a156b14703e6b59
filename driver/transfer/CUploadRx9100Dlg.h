#pragma once
// The stored targets or samples in a check-box list: read from the instrument when the
// dialog opens (with the progress window and its Cancel), shown with their colour values
// in the chosen colour space, and the checked ones handed back on OK. In delete mode OK
// asks before it closes.
#include <map>
#include <string>
#include <vector>

#include "platform/ui/Dialog.h"
#include "sensor/DataPack.h"

class TavoRX9100;

class CUploadRx9100Dlg : public platform::ui::Dialog {
  public:
    static constexpr int IDD = 7101;
    static constexpr int IDC_LIST = 7102;
    static constexpr int IDC_SELECT_ALL = 7103;
    static constexpr int IDC_CLEAR_ALL = 7104;
    static constexpr int IDC_COLOR_SPACE = 7105;

    static constexpr int IDS_IMPORT_SAMPLES_TITLE = 20780;
    static constexpr int IDS_IMPORT_TARGETS_TITLE = 20781;
    static constexpr int IDS_TRANSFERRED = 20782;
    static constexpr int IDS_NOTHING_CHECKED = 20783;
    static constexpr int IDS_NOTHING_STORED = 20784;
    static constexpr int IDS_INVALID_SAMPLES = 20816;
    static constexpr int IDS_INVALID_TARGETS = 20817;
    static constexpr int IDS_DELETE_TARGETS = 20564;
    static constexpr int IDS_DELETE_SAMPLES = 20565;

    // End codes besides OK and Cancel: the reading was cancelled, a read failed, nothing
    // was stored.
    static constexpr int kReadingCancelled = 10;
    static constexpr int kReadFailed = -10;
    static constexpr int kNothingStored = 0;
    // The error code of "no stored data".
    static constexpr int kNoRecordsError = 150;

    CUploadRx9100Dlg(TavoRX9100& driver, bool targetMode, int colorSpace,
                     platform::WindowHandle parent = nullptr);

    void setDeleteMode(bool value) { deleteMode = value; }
    void setTitleText(std::string text) { titleText = std::move(text); }
    int getColorSpace() const { return colorSpace; }

    std::vector<DataPack> resultFirst;
    std::vector<DataPack> resultSecond;

  protected:
    void onInitDialog() override;
    void onClicked(int id) override;
    void onSelectionChange(int id) override;
    void onOK() override;

  private:
    void setUpList();
    // 0 read to the end, 10 cancelled, -10 a read failed.
    int readRecords();
    void reportInvalid(const std::vector<int>& numbers);
    void fillList();
    // The first of the three colour columns.
    int firstColourColumn() const { return targetMode ? 2 : 1; }
    void insertColourColumns();
    void fillColourCells();
    int message(int textId, platform::MessageBoxButtons buttons = platform::MessageBoxButtons::Ok);

    TavoRX9100& driver_;
    bool targetMode;
    int colorSpace;
    bool deleteMode = false;
    std::string titleText;
    std::map<int, DataPack> targets;
    std::map<int, DataPack> samples;
};
