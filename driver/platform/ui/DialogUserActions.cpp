// The user's actions on a dialog, as its renderer reports them: each checks that the
// control can take it (present, enabled, visible, of the right kind), changes the model
// and calls the dialog's handler, as the native controls would.
#include "platform/ui/Dialog.h"

namespace platform::ui {

bool Dialog::userFocus(int id) {
    Control* target = findControl(id);
    if (target == nullptr || !target->focusable()) {
        return false;
    }
    const int previous = focus_;
    if (previous == id) {
        return true;
    }
    focus_ = id;
    if (auto* field = dynamic_cast<NumericEdit*>(findControl(previous));
        field != nullptr && field->enabled() && !field->inRange()) {
        platform::sendMessage(this, MSG_NUMERIC_OUT_OF_RANGE, static_cast<WParam>(id), previous);
    }
    if (previous != 0) {
        onFocusLost(previous, id);
    }
    return true;
}

bool Dialog::userType(int id, std::string_view text) {
    auto* field = dynamic_cast<Edit*>(findControl(id));
    if (field == nullptr || !field->enabled() || !field->visible() || field->readOnly()) {
        return false;
    }
    if (!userFocus(id) || focus_ != id) {
        return false;
    }
    field->setText(field->typedResult(text));
    return true;
}

bool Dialog::userClick(int id) {
    Control* c = findControl(id);
    if (c == nullptr || !c->enabled() || !c->visible()) {
        return false;
    }
    switch (c->kind()) {
        case ControlKind::Button:
            userFocus(id);
            command(id);
            return true;
        case ControlKind::Check: {
            userFocus(id);
            auto& box = static_cast<CheckBox&>(*c);
            box.setChecked(!box.checked());
            onClicked(id);
            return true;
        }
        case ControlKind::Radio: {
            userFocus(id);
            auto& pressed = static_cast<RadioButton&>(*c);
            for (auto& other : controls_) {
                if (auto* r = dynamic_cast<RadioButton*>(other.get());
                    r != nullptr && r->group() == pressed.group()) {
                    r->setChecked(r == &pressed);
                }
            }
            onClicked(id);
            return true;
        }
        default:
            return false;
    }
}

bool Dialog::userSelect(int id, int index) {
    Control* c = findControl(id);
    if (c == nullptr || !c->enabled() || !c->visible()) {
        return false;
    }
    if (auto* box = dynamic_cast<ComboBox*>(c)) {
        if (index < 0 || index >= box->count()) {
            return false;
        }
        userFocus(id);
        box->select(index);
        onSelectionChange(id);
        return true;
    }
    if (auto* view = dynamic_cast<ListView*>(c)) {
        if (index < 0 || index >= view->rowCount()) {
            return false;
        }
        userFocus(id);
        view->setSelectionMark(index);
        onListItemChanged(id, index);
        return true;
    }
    return false;
}

bool Dialog::userSelectData(int id, std::intptr_t data) {
    auto* box = dynamic_cast<ComboBox*>(findControl(id));
    if (box == nullptr) {
        return false;
    }
    const int index = box->findData(data);
    return index >= 0 && userSelect(id, index);
}

bool Dialog::userSpin(int id, int delta) {
    auto* s = dynamic_cast<SpinButton*>(findControl(id));
    if (s == nullptr || !s->enabled() || !s->visible()) {
        return false;
    }
    onSpin(id, delta);
    return true;
}

void Dialog::onSpin(int id, int delta) {
    auto& s = spin(id);
    auto* buddy = dynamic_cast<NumericEdit*>(findControl(s.buddy()));
    if (buddy == nullptr) {
        return;
    }
    const long long current = buddy->scaledValue().value_or(s.low());
    buddy->setScaledValue(s.clamp(current + delta));
}

void Dialog::userKey(Key key) {
    if (key == Key::Enter) {
        onEnter();
    } else {
        onEscape();
    }
}

void Dialog::onEnter() {
    int id = IDOK;
    for (auto& c : controls_) {
        if (auto* b = dynamic_cast<PushButton*>(c.get()); b != nullptr && b->isDefault()) {
            id = b->id();
            break;
        }
    }
    const Control* target = findControl(id);
    if (target == nullptr || target->enabled()) {
        command(id);
    }
}

bool Dialog::userCheckRow(int id, int row, bool checked) {
    auto* view = dynamic_cast<ListView*>(findControl(id));
    if (view == nullptr || !view->enabled() || !view->checkBoxes() || row < 0 ||
        row >= view->rowCount()) {
        return false;
    }
    view->setChecked(row, checked);
    onListItemChanged(id, row);
    return true;
}

bool Dialog::userDoubleClickRow(int id, int row) {
    if (!userSelect(id, row)) {
        return false;
    }
    onListDoubleClick(id, row);
    return true;
}

bool Dialog::userEditCell(int id, int row, std::string_view text) {
    auto* g = dynamic_cast<ReferenceGrid*>(findControl(id));
    if (g == nullptr || !g->enabled() || row < 0 || row >= g->rowCount()) {
        return false;
    }
    userFocus(id);
    g->setCellText(row, ReferenceGrid::typedResult(text));
    onTextChange(id);
    return true;
}

void Dialog::userClose() {
    command(IDCANCEL);
}

}  // namespace platform::ui
