#include "platform/ui/Edit.h"

#include "platform/ui/Text.h"

namespace platform::ui {

Edit::Edit(const ControlTemplate& tmpl)
    : Control(tmpl), readOnly_((tmpl.style & ReadOnly) != 0), maxLength_(tmpl.maxLength) {}

void Edit::setText(std::string text) {
    if (text == text_) {
        return;
    }
    text_ = std::move(text);
    changed();
    textChanged();
}

void Edit::setReadOnly(bool readOnly) {
    if (readOnly != readOnly_) {
        readOnly_ = readOnly;
        changed();
    }
}

void Edit::setMaxLength(int maxLength) {
    if (maxLength != maxLength_) {
        maxLength_ = maxLength;
        changed();
    }
}

std::string Edit::typedResult(std::string_view typed) const {
    std::u32string kept;
    for (const char32_t c : decodeUtf8(typed)) {
        if (maxLength_ > 0 && static_cast<int>(kept.size()) >= maxLength_) {
            break;
        }
        if (accepts(c)) {
            kept.push_back(c);
        }
    }
    return encodeUtf8(kept);
}

}  // namespace platform::ui
