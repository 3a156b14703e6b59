#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Export.h"
#include "platform/ui/Control.h"

namespace platform::ui {

// A drop-down list: items with a text and an item datum, at most one selected.
class RX9100_RENDERER_API ComboBox : public Control {
  public:
    struct Item {
        std::string text;
        std::intptr_t data = 0;
    };

    using Control::Control;

    int addItem(std::string text, std::intptr_t data = 0);  // returns the index
    void clear();
    int count() const { return static_cast<int>(items_.size()); }
    // An empty item for an index out of range.
    const Item& item(int index) const;
    const std::vector<Item>& items() const { return items_; }

    int findData(std::intptr_t data) const;  // -1 when absent
    int selection() const { return selection_; }
    // -1 clears the selection; an index out of range does too.
    void select(int index);
    bool selectData(std::intptr_t data);
    std::optional<std::intptr_t> selectedData() const;

  private:
    std::vector<Item> items_;
    int selection_ = -1;
};

}  // namespace platform::ui
