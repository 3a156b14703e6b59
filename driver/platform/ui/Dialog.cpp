#include "platform/ui/Dialog.h"

#include <cstdio>

#include "platform/ui/DialogRunner.h"

namespace platform::ui {

namespace {

std::unique_ptr<Control> makeControl(const ControlTemplate& tmpl, int radioGroup) {
    switch (tmpl.kind) {
        case ControlKind::Static:
            return std::make_unique<StaticText>(tmpl);
        case ControlKind::Edit:
            return std::make_unique<Edit>(tmpl);
        case ControlKind::NumericEdit:
            return std::make_unique<NumericEdit>(tmpl);
        case ControlKind::Spin:
            return std::make_unique<SpinButton>(tmpl);
        case ControlKind::Combo:
            return std::make_unique<ComboBox>(tmpl);
        case ControlKind::Check:
            return std::make_unique<CheckBox>(tmpl);
        case ControlKind::Radio:
            return std::make_unique<RadioButton>(tmpl, radioGroup);
        case ControlKind::Button:
            return std::make_unique<PushButton>(tmpl);
        case ControlKind::Group:
            return std::make_unique<GroupBox>(tmpl);
        case ControlKind::List:
            return std::make_unique<ListView>(tmpl);
        case ControlKind::Progress:
            return std::make_unique<ProgressBar>(tmpl);
        case ControlKind::Graph:
            return std::make_unique<SpectralGraph>(tmpl);
        case ControlKind::Grid:
            return std::make_unique<ReferenceGrid>(tmpl);
    }
    return std::make_unique<StaticText>(tmpl);
}

}  // namespace

Dialog::Dialog(const DialogTemplate& tmpl, WindowHandle parent)
    : templateId_(tmpl.id),
      title_(tmpl.title),
      width_(tmpl.width),
      height_(tmpl.height),
      parent_(parent) {
    int radioGroup = 0;
    bool inRadioRun = false;
    for (const ControlTemplate& c : tmpl.controls) {
        if (c.kind == ControlKind::Radio) {
            if (!inRadioRun || (c.style & GroupStart) != 0) {
                ++radioGroup;
            }
            inRadioRun = true;
        } else {
            inRadioRun = false;
        }
        controls_.push_back(makeControl(c, radioGroup));
        controls_.back()->setObserver(this);
    }
}

Dialog::~Dialog() {
    destroyWindow();
    for (auto& c : controls_) {
        c->setObserver(nullptr);
    }
}

void Dialog::setTitle(std::string title) {
    title_ = std::move(title);
    if (view_ != nullptr) {
        view_->titleChanged(title_);
    }
}

Control* Dialog::findControl(int id) {
    if (id == kNoId) {
        return nullptr;
    }
    for (auto& c : controls_) {
        if (c->id() == id) {
            return c.get();
        }
    }
    return nullptr;
}

const Control* Dialog::findControl(int id) const {
    return const_cast<Dialog*>(this)->findControl(id);
}

void Dialog::reportMissingControl(int id) const {
    std::fprintf(stderr, "rx9100: dialog %d has no control %d of the kind asked for\n", templateId_,
                 id);
}

int Dialog::doModal() {
    ended_ = false;
    endCode_ = 0;
    return dialogRunner()->runModal(*this);
}

void Dialog::create() {
    if (runner_ != nullptr) {
        return;
    }
    ended_ = false;
    runner_ = dialogRunner();
    runner_->createModeless(*this);
}

void Dialog::show(bool visible) {
    create();
    shown_ = visible;
    runner_->showModeless(*this, visible);
}

void Dialog::centreOn(WindowHandle window) {
    if (runner_ != nullptr) {
        runner_->centreModeless(*this, window);
    }
}

void Dialog::destroyWindow() {
    if (runner_ == nullptr) {
        return;
    }
    auto runner = std::move(runner_);
    runner_ = nullptr;
    shown_ = false;
    runner->destroyModeless(*this);
    view_ = nullptr;
}

void Dialog::pumpMessages() {
    platform::dispatchPendingMessages();
    (runner_ != nullptr ? runner_ : dialogRunner())->pumpEvents();
}

void Dialog::initialize() {
    if (initialized_) {
        return;
    }
    initialized_ = true;
    onInitDialog();
}

void Dialog::endDialog(int code) {
    ended_ = true;
    endCode_ = code;
    if (view_ != nullptr) {
        view_->dialogEnded(code);
    }
}

void Dialog::setFocus(int id, bool selectAll) {
    focus_ = id;
    if (view_ != nullptr) {
        view_->focusChanged(id, selectAll);
    }
}

void Dialog::command(int id) {
    if (id == IDOK) {
        onOK();
    } else if (id == IDCANCEL) {
        onCancel();
    } else {
        onClicked(id);
    }
}

void Dialog::checkRadioButton(int first, int last, int id) {
    for (auto& c : controls_) {
        if (auto* r = dynamic_cast<RadioButton*>(c.get());
            r != nullptr && r->id() >= first && r->id() <= last) {
            r->setChecked(r->id() == id);
        }
    }
}

int Dialog::checkedRadioButton(int first, int last) const {
    for (const auto& c : controls_) {
        if (const auto* r = dynamic_cast<const RadioButton*>(c.get());
            r != nullptr && r->id() >= first && r->id() <= last && r->checked()) {
            return r->id();
        }
    }
    return 0;
}

bool Dialog::validateNumericField(int id) {
    auto& field = numericEdit(id);
    if (field.inRange()) {
        field.setScaledValue(*field.scaledValue());
        return true;
    }
    MessageBoxRequest box;
    box.text = field.rangePrompt();
    box.icon = MessageBoxIcon::Exclamation;
    uiServices().messageBox(this, box);
    setFocus(id, true);
    field.setRejected(true);
    onNumericRejected(id);
    return false;
}

bool Dialog::anyNumericFieldRejected() const {
    for (const auto& c : controls_) {
        if (const auto* f = dynamic_cast<const NumericEdit*>(c.get()); f && f->rejected()) {
            return true;
        }
    }
    return false;
}

void Dialog::onOutOfRangeReport(int fieldId, int /*newFocusId*/) {
    validateNumericField(fieldId);
}

LResult Dialog::handleMessage(unsigned message, WParam wParam, LParam lParam) {
    if (message == MSG_NUMERIC_OUT_OF_RANGE) {
        onOutOfRangeReport(static_cast<int>(lParam), static_cast<int>(wParam));
        return 0;
    }
    return Window::handleMessage(message, wParam, lParam);
}

void Dialog::controlChanged(Control& control) {
    if (view_ != nullptr) {
        view_->controlChanged(control);
    }
}

void Dialog::controlTextChanged(Control& control) {
    onTextChange(control.id());
}

}  // namespace platform::ui
