#include "link/ReplyFields.h"

ReplyFields::ReplyFields(const std::string& reply) : source_(reply) {
    std::string rest = reply;
    std::size_t comma;
    while ((comma = rest.find(',')) != std::string::npos) {
        fields_[count_] = rest.substr(0, comma);
        rest.erase(0, comma + 1);
        ++count_;
    }
    if (!rest.empty()) {
        if (rest.back() == '\n') {
            rest.pop_back();
        }
        fields_[count_] = rest;
    }
}

std::string ReplyFields::field(int number, bool joinRest) const {
    if (number > count_) {
        return {};
    }
    auto text = [this](int n) {
        auto it = fields_.find(n);
        return it == fields_.end() ? std::string() : it->second;
    };
    if (!joinRest) {
        return text(number);
    }
    std::string joined = text(number);
    for (int n = number + 1; n <= count_; ++n) {
        joined += ',';
        joined += text(n);
    }
    return joined;
}
