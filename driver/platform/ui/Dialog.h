#pragma once
// The base of every driver dialog: built from a template, it owns one model per
// control, receives the user's actions from whichever runner shows it (the Qt
// renderer, the scripted test runner, the headless default) and ends with a code.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/Export.h"
#include "platform/UiServices.h"
#include "platform/Window.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Control.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ListView.h"
#include "platform/ui/NumericEdit.h"
#include "platform/ui/ReferenceGrid.h"
#include "platform/ui/SpectralGraph.h"

namespace platform::ui {

class DialogRunner;

// What a renderer is told while it shows a dialog.
class RX9100_RENDERER_API DialogView {
  public:
    virtual ~DialogView() = default;
    virtual void controlChanged(const Control& control) = 0;
    virtual void titleChanged(const std::string& title) = 0;
    virtual void focusChanged(int id, bool selectAll) = 0;
    virtual void dialogEnded(int code) = 0;
};

enum class Key { Enter, Escape };

class RX9100_RENDERER_API Dialog : public platform::Window, private ControlObserver {
  public:
    explicit Dialog(const DialogTemplate& tmpl, WindowHandle parent = nullptr);
    ~Dialog() override;

    int templateId() const { return templateId_; }
    const std::string& title() const { return title_; }
    void setTitle(std::string title);
    int widthDu() const { return width_; }
    int heightDu() const { return height_; }
    WindowHandle parent() const { return parent_; }

    // --- controls
    Control* findControl(int id);
    const Control* findControl(int id) const;
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
    // Typed access. An id the template lacks, or of another kind, is a programming error:
    // it is reported on stderr and answered with a detached stand-in of the asked kind, so
    // that no exception leaves the driver.
    template <class T>
    T& get(int id) {
        if (auto* control = dynamic_cast<T*>(findControl(id))) {
            return *control;
        }
        return standIn<T>(id);
    }
    StaticText& staticText(int id) { return get<StaticText>(id); }
    Edit& edit(int id) { return get<Edit>(id); }
    NumericEdit& numericEdit(int id) { return get<NumericEdit>(id); }
    SpinButton& spin(int id) { return get<SpinButton>(id); }
    ComboBox& combo(int id) { return get<ComboBox>(id); }
    CheckBox& checkBox(int id) { return get<CheckBox>(id); }
    RadioButton& radio(int id) { return get<RadioButton>(id); }
    PushButton& button(int id) { return get<PushButton>(id); }
    ListView& list(int id) { return get<ListView>(id); }
    ProgressBar& progress(int id) { return get<ProgressBar>(id); }
    SpectralGraph& graph(int id) { return get<SpectralGraph>(id); }
    ReferenceGrid& grid(int id) { return get<ReferenceGrid>(id); }

    // --- running
    // Runs the dialog modally through the process's dialog runner; returns the end code.
    int doModal();
    // Creates the modeless window (hidden) through the process's runner.
    void create();
    void show(bool visible = true);
    void centreOn(WindowHandle window);
    void destroyWindow();
    bool isCreated() const { return runner_ != nullptr; }
    // Dispatches the messages waiting in the calling thread's queue and lets
    // the toolkit handle its pending events, so a window stays alive while the
    // thread is busy (progress windows call this between steps).
    void pumpMessages();
    bool isShown() const { return shown_; }

    // --- life cycle, driven by runners
    void initialize();
    bool initialized() const { return initialized_; }
    void endDialog(int code);
    bool ended() const { return ended_; }
    int endCode() const { return endCode_; }

    int focus() const { return focus_; }
    // Moves the focus without a range report, like the program setting it.
    void setFocus(int id, bool selectAll = false);

    // --- the user's actions; false when the control is missing, disabled or
    // hidden, or the action does not fit its kind.
    bool userFocus(int id);
    bool userType(int id, std::string_view text);  // replaces the text
    bool userClick(int id);
    bool userSelect(int id, int index);  // combo entry or list row
    bool userSelectData(int id, std::intptr_t data);
    bool userSpin(int id, int delta);
    void userKey(Key key);
    bool userCheckRow(int id, int row, bool checked);
    bool userDoubleClickRow(int id, int row);
    bool userEditCell(int id, int row, std::string_view text);
    void userClose();

    // --- helpers for dialog logic
    void checkRadioButton(int first, int last, int id);
    int checkedRadioButton(int first, int last) const;  // 0 when none
    // Rewrites an in-range value in the field's format; otherwise shows the
    // range prompt, returns the focus to the field with its text selected and
    // marks it rejected. True when the value is in range.
    bool validateNumericField(int id);
    bool anyNumericFieldRejected() const;

    void setView(DialogView* view) { view_ = view; }
    DialogView* view() const { return view_; }

    LResult handleMessage(unsigned message, WParam wParam, LParam lParam) override;

  protected:
    virtual void onInitDialog() {}
    virtual void onSelectionChange(int /*id*/) {}
    virtual void onClicked(int /*id*/) {}
    virtual void onTextChange(int /*id*/) {}
    // Default: adds delta to the buddy field's value and clamps it to the spin range.
    virtual void onSpin(int id, int delta);
    virtual void onFocusLost(int /*id*/, int /*newFocusId*/) {}
    // A numeric field reported an out-of-range value on losing the focus.
    // Default: validate that field.
    virtual void onOutOfRangeReport(int fieldId, int newFocusId);
    virtual void onNumericRejected(int /*id*/) {}
    virtual void onListItemChanged(int /*id*/, int /*row*/) {}
    virtual void onListDoubleClick(int /*id*/, int /*row*/) {}
    virtual void onOK() { endDialog(IDOK); }
    virtual void onCancel() { endDialog(IDCANCEL); }
    // Default: the command of the default button (when enabled), else IDOK.
    virtual void onEnter();
    // Default: the Cancel command.
    virtual void onEscape() { command(IDCANCEL); }

    // Dispatches a button command: IDOK to onOK, IDCANCEL to onCancel, others to onClicked.
    void command(int id);

  private:
    template <class T>
    T& standIn(int id) {
        reportMissingControl(id);
        ControlTemplate tmpl;
        tmpl.id = id;
        std::unique_ptr<T> control;
        if constexpr (std::is_same_v<T, RadioButton>) {
            control = std::make_unique<T>(tmpl, 0);
        } else {
            control = std::make_unique<T>(tmpl);
        }
        T& made = *control;
        standIns_.push_back(std::move(control));
        return made;
    }
    void reportMissingControl(int id) const;
    void controlChanged(Control& control) override;
    void controlTextChanged(Control& control) override;

    int templateId_;
    std::string title_;
    int width_;
    int height_;
    WindowHandle parent_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::vector<std::unique_ptr<Control>> standIns_;  // never shown
    std::shared_ptr<DialogRunner> runner_;            // set while a modeless window exists
    DialogView* view_ = nullptr;
    bool shown_ = false;
    bool initialized_ = false;
    bool ended_ = false;
    int endCode_ = 0;
    int focus_ = 0;
};

}  // namespace platform::ui
