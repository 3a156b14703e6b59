#include "LineReader.h"

#include <algorithm>
#include <cstring>

namespace portway {

std::span<char> LineReader::freeSpace() {
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    return {buffer_.data() + end_, buffer_.size() - end_};
}

void LineReader::commit(std::size_t count) {
    end_ = std::min(end_ + count, buffer_.size());
}

LineReader::Take LineReader::takeLine(std::string& line) {
    for (;;) {
        const char* first = buffer_.data() + begin_;
        const char* last = buffer_.data() + end_;
        const char* newline = std::find(first, last, '\n');
        if (newline == last) {
            if (skipping_) {
                clear();
                skipping_ = true;
            } else if (end_ - begin_ >= kMaxLine) {
                clear();
                skipping_ = true;
                return Take::TooLong;
            }
            return Take::NeedMore;
        }
        begin_ = static_cast<std::size_t>(newline - buffer_.data()) + 1;
        if (skipping_) {
            skipping_ = false;
            continue;
        }
        if (static_cast<std::size_t>(newline - first) > kMaxLine) {
            return Take::TooLong;
        }
        const auto noise = [](char c) { return c < 0x20 || c > 0x7e; };
        const char* firstNoise = std::find_if(first, newline, noise);
        line.assign(first, firstNoise);  // usually the whole line: one copy
        std::remove_copy_if(firstNoise, newline, std::back_inserter(line), noise);
        if (!line.empty()) {
            return Take::Line;
        }
    }
}

void LineReader::clear() {
    begin_ = end_ = 0;
    skipping_ = false;
}

}  // namespace portway
