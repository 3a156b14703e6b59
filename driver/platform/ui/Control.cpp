#include "platform/ui/Control.h"

#include <algorithm>

namespace platform::ui {

Control::Control(const ControlTemplate& tmpl)
    : text_(tmpl.text),
      id_(tmpl.id),
      kind_(tmpl.kind),
      rect_(tmpl.rect),
      style_(tmpl.style),
      enabled_((tmpl.style & Disabled) == 0),
      visible_((tmpl.style & Hidden) == 0) {}

void Control::setText(std::string text) {
    if (text == text_) {
        return;
    }
    text_ = std::move(text);
    changed();
}

void Control::setEnabled(bool enabled) {
    if (enabled != enabled_) {
        enabled_ = enabled;
        changed();
    }
}

void Control::setVisible(bool visible) {
    if (visible != visible_) {
        visible_ = visible;
        changed();
    }
}

void Control::setToolTip(std::string text) {
    if (text != toolTip_) {
        toolTip_ = std::move(text);
        changed();
    }
}

bool Control::focusable() const {
    if (!enabled_ || !visible_) {
        return false;
    }
    switch (kind_) {
        case ControlKind::Static:
        case ControlKind::Group:
        case ControlKind::Progress:
        case ControlKind::Graph:
            return false;
        default:
            return true;
    }
}

void Control::changed() {
    if (observer_ != nullptr) {
        observer_->controlChanged(*this);
    }
}

void Control::textChanged() {
    if (observer_ != nullptr) {
        observer_->controlTextChanged(*this);
    }
}

StaticText::Align StaticText::align() const {
    if ((style() & AlignCentre) != 0) {
        return Align::Centre;
    }
    return (style() & AlignRight) != 0 ? Align::Right : Align::Left;
}

CheckBox::CheckBox(const ControlTemplate& tmpl)
    : Control(tmpl), checked_((tmpl.style & Checked) != 0) {}

void CheckBox::setChecked(bool checked) {
    if (checked != checked_) {
        checked_ = checked;
        changed();
    }
}

RadioButton::RadioButton(const ControlTemplate& tmpl, int group) : CheckBox(tmpl), group_(group) {}

ProgressBar::ProgressBar(const ControlTemplate& tmpl) : Control(tmpl) {}

void ProgressBar::setRange(int low, int high) {
    low_ = low;
    high_ = high;
    pos_ = std::clamp(pos_, std::min(low_, high_), std::max(low_, high_));
    changed();
}

void ProgressBar::setPos(int pos) {
    pos = std::clamp(pos, std::min(low_, high_), std::max(low_, high_));
    if (pos != pos_) {
        pos_ = pos;
        changed();
    }
}

SpinButton::SpinButton(const ControlTemplate& tmpl) : Control(tmpl), buddy_(tmpl.buddy) {}

void SpinButton::setRange(long long low, long long high) {
    low_ = std::min(low, high);
    high_ = std::max(low, high);
    changed();
}

long long SpinButton::clamp(long long value) const {
    return std::clamp(value, low_, high_);
}

}  // namespace platform::ui
