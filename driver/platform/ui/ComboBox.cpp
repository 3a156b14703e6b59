#include "platform/ui/ComboBox.h"

namespace platform::ui {

const ComboBox::Item& ComboBox::item(int index) const {
    static const Item none;
    return index >= 0 && index < count() ? items_[static_cast<std::size_t>(index)] : none;
}

int ComboBox::addItem(std::string text, std::intptr_t data) {
    items_.push_back({std::move(text), data});
    changed();
    return count() - 1;
}

void ComboBox::clear() {
    items_.clear();
    selection_ = -1;
    changed();
}

int ComboBox::findData(std::intptr_t data) const {
    for (int i = 0; i < count(); ++i) {
        if (items_[static_cast<std::size_t>(i)].data == data) {
            return i;
        }
    }
    return -1;
}

void ComboBox::select(int index) {
    if (index < 0 || index >= count()) {
        index = -1;
    }
    if (index != selection_) {
        selection_ = index;
        changed();
    }
}

bool ComboBox::selectData(std::intptr_t data) {
    const int index = findData(data);
    if (index < 0) {
        return false;
    }
    select(index);
    return true;
}

std::optional<std::intptr_t> ComboBox::selectedData() const {
    if (selection_ < 0) {
        return std::nullopt;
    }
    return items_[static_cast<std::size_t>(selection_)].data;
}

}  // namespace platform::ui
