#pragma once
// The model behind one numbered control. Renderers draw from it and report the
// user's actions to the dialog; dialog logic reads and changes it.
#include <functional>
#include <string>

#include "platform/Export.h"
#include "platform/ui/DialogTemplate.h"

namespace platform::ui {

class Control;

// Told about every change of a control's model (the owning dialog).
class ControlObserver {
  public:
    virtual ~ControlObserver() = default;
    virtual void controlChanged(Control& control) = 0;
    // Edit texts changed, by the user or by the program, like an edit's change notification.
    virtual void controlTextChanged(Control& control) = 0;
};

class RX9100_RENDERER_API Control {
  public:
    explicit Control(const ControlTemplate& tmpl);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    int id() const { return id_; }
    ControlKind kind() const { return kind_; }
    const Rect& rect() const { return rect_; }
    std::uint32_t style() const { return style_; }

    const std::string& text() const { return text_; }
    virtual void setText(std::string text);

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    bool visible() const { return visible_; }
    void setVisible(bool visible);

    const std::string& toolTip() const { return toolTip_; }
    void setToolTip(std::string text);

    // Whether the user can move the focus here (enabled, visible, interactive kind).
    bool focusable() const;

    void setObserver(ControlObserver* observer) { observer_ = observer; }

  protected:
    void changed();
    void textChanged();
    std::string text_;

  private:
    int id_;
    ControlKind kind_;
    Rect rect_;
    std::uint32_t style_;
    bool enabled_;
    bool visible_;
    std::string toolTip_;
    ControlObserver* observer_ = nullptr;
};

class RX9100_RENDERER_API StaticText : public Control {
  public:
    using Control::Control;
    enum class Align { Left, Centre, Right };
    Align align() const;
};

class RX9100_RENDERER_API GroupBox : public Control {
  public:
    using Control::Control;
};

class RX9100_RENDERER_API PushButton : public Control {
  public:
    using Control::Control;
    bool isDefault() const { return (style() & DefaultButton) != 0; }
};

class RX9100_RENDERER_API CheckBox : public Control {
  public:
    explicit CheckBox(const ControlTemplate& tmpl);
    bool checked() const { return checked_; }
    void setChecked(bool checked);

  private:
    bool checked_;
};

// One button of a radio group; the group is the run of radio buttons that
// starts at a GroupStart button in template order.
class RX9100_RENDERER_API RadioButton : public CheckBox {
  public:
    RadioButton(const ControlTemplate& tmpl, int group);
    int group() const { return group_; }

  private:
    int group_;
};

class RX9100_RENDERER_API ProgressBar : public Control {
  public:
    explicit ProgressBar(const ControlTemplate& tmpl);
    int low() const { return low_; }
    int high() const { return high_; }
    int pos() const { return pos_; }
    void setRange(int low, int high);
    // Kept within the range, as the native bar does.
    void setPos(int pos);

  private:
    int low_ = 0;
    int high_ = 100;
    int pos_ = 0;
};

class RX9100_RENDERER_API SpinButton : public Control {
  public:
    explicit SpinButton(const ControlTemplate& tmpl);
    long long low() const { return low_; }
    long long high() const { return high_; }
    void setRange(long long low, long long high);
    long long clamp(long long value) const;
    int buddy() const { return buddy_; }

  private:
    long long low_ = 0;
    long long high_ = 100;
    int buddy_;
};

}  // namespace platform::ui
