#include "sensor/CapIterator.h"

CapIteratorOperate::CapIteratorOperate(const CapIteratorOperate& other) : items_(other.items_) {}

CapIteratorOperate& CapIteratorOperate::operator=(const CapIteratorOperate& other) {
    items_ = other.items_;
    cursor_ = 0;
    return *this;
}

void CapIteratorOperate::First() {
    cursor_ = 0;
}

ItemMap CapIteratorOperate::Next() {
    if (cursor_ >= items_.size()) {
        return {};  // past the end: an empty item, the cursor stays
    }
    return items_[cursor_++];
}

int CapIteratorOperate::IsDone() {
    return cursor_ >= items_.size() ? 1 : 0;
}

int CapIteratorOperate::Size() {
    return static_cast<int>(items_.size());
}

std::string CapIteratorOperate::Search(int id) {
    for (cursor_ = 0; cursor_ < items_.size(); ++cursor_) {
        if (items_[cursor_].id == id) {
            return items_[cursor_].name;
        }
    }
    return {};
}

void CapIteratorOperate::AddItem(const int& id, const std::string& name) {
    items_.push_back(ItemMap{id, name});
}

void CapIteratorOperate::Clear() {
    items_.clear();
    cursor_ = 0;
}
