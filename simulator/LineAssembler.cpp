#include "simulator/LineAssembler.h"

namespace rx9100sim {

std::vector<LineAssembler::Line> LineAssembler::feed(std::string_view bytes) {
    std::vector<Line> lines;
    for (char c : bytes) {
        if (c == '\n' && lastWasCr_) {
            lastWasCr_ = false;
            if (!lines.empty()) {
                lines.back().raw += '\n';
            } else {
                lines.push_back(Line{{}, "\n", false, true});
            }
            continue;
        }
        lastWasCr_ = c == '\r';
        if (c == '\r' || c == '\n') {
            raw_ += c;
            lines.push_back(Line{std::move(current_), std::move(raw_), overflow_, false});
            current_.clear();
            raw_.clear();
            overflow_ = false;
            continue;
        }
        if (current_.size() < kMaxLine) {
            current_ += c;
            raw_ += c;
        } else {
            // Keep memory bounded: the rest of an overlong line is dropped.
            overflow_ = true;
        }
    }
    return lines;
}

void LineAssembler::reset() {
    current_.clear();
    raw_.clear();
    overflow_ = false;
    lastWasCr_ = false;
}

}  // namespace rx9100sim
