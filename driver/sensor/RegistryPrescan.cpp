#include "sensor/RegistryPrescan.h"

#include <algorithm>
#include <vector>

namespace registry {

namespace {

// The position of the last character of the string that starts at pos (its closing quote,
// or the character before the newline that ends an unterminated one-line string).
std::size_t stringEnd(std::string_view text, std::size_t pos) {
    const char quote = text[pos];
    const bool escapes = quote == '"';
    const std::string triple(3, quote);
    const bool multiline = text.substr(pos, 3) == triple;
    std::size_t i = pos + (multiline ? 3 : 1);
    for (; i < text.size(); ++i) {
        if (escapes && text[i] == '\\') {
            ++i;
        } else if (multiline ? text.substr(i, 3) == triple : text[i] == quote) {
            i += multiline ? 2 : 0;
            break;
        } else if (!multiline && text[i] == '\n') {
            --i;
            break;
        }
    }
    return std::min(i, text.size());
}

// One pass over the text that follows TOML's structure only as far as nesting needs.
class DepthCounter {
  public:
    int count(std::string_view text) {
        text_ = text;
        for (pos_ = 0; pos_ < text_.size(); ++pos_) {
            step(text_[pos_]);
        }
        return deepest_;
    }

  private:
    enum class Kind { Header, Array, InlineTable };
    struct Level {
        Kind kind;
        int depth;  // the depth of the value this level opens
    };

    void step(char c) {
        switch (c) {
            case '#':
                skipComment();
                break;
            case '"':
                skipString();
                break;
            case '\'':
                skipString();
                break;
            case '\n':
                if (levels_.empty()) {
                    inKey_ = true;
                    keyParts_ = 0;
                }
                break;
            case '=':
                note(depth());
                inKey_ = false;
                break;
            case '.':
                if (inKey_) {
                    ++keyParts_;
                    note(depth());
                }
                break;
            case ',':
                if (!levels_.empty() && levels_.back().kind == Kind::InlineTable) {
                    inKey_ = true;
                    keyParts_ = 0;
                }
                break;
            case '[':
                open(inKey_ && (levels_.empty() || levels_.back().kind == Kind::Header)
                         ? Kind::Header
                         : Kind::Array);
                break;
            case '{':
                open(Kind::InlineTable);
                break;
            case ']':
            case '}':
                close();
                break;
            default:
                break;
        }
    }

    // Depth of the key being read: the table it is in, then one level per part.
    int depth() const {
        if (levels_.empty()) {
            return headerDepth_ + keyParts_ + 1;
        }
        const Level& level = levels_.back();
        return (level.kind == Kind::Header ? 0 : level.depth) + keyParts_ + 1;
    }

    void open(Kind kind) {
        if (kind == Kind::Header) {
            if (levels_.empty()) {  // the second bracket of "[[" opens nothing more
                levels_.push_back({Kind::Header, 0});
                keyParts_ = 0;
            }
            return;
        }
        const int at = inKey_ || levels_.empty() || levels_.back().kind != Kind::Array
                           ? depth()
                           : levels_.back().depth + 1;
        levels_.push_back({kind, at});
        note(at);
        keyParts_ = 0;
        inKey_ = kind == Kind::InlineTable;
    }

    void close() {
        if (levels_.empty()) {
            return;  // the second bracket of "]]", or damage
        }
        if (levels_.back().kind == Kind::Header) {
            headerDepth_ = keyParts_ + 1;
            note(headerDepth_);
        }
        levels_.pop_back();
        keyParts_ = 0;
        inKey_ = false;
    }

    void note(int depth) { deepest_ = std::max(deepest_, depth); }

    // Up to the end of the line; step() then sees the newline.
    void skipComment() {
        const auto found = text_.find('\n', pos_);
        pos_ = (found == std::string_view::npos ? text_.size() : found) - 1;
    }

    void skipString() { pos_ = stringEnd(text_, pos_); }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::vector<Level> levels_;
    bool inKey_ = true;
    int keyParts_ = 0;
    int headerDepth_ = 0;  // of the table the last header opened
    int deepest_ = 0;
};

}  // namespace

bool hasNonAscii(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

int nestingDepth(std::string_view text) {
    return DepthCounter().count(text);
}

std::optional<std::string> prescanRefusal(std::string_view text) {
    if (text.size() > kMaxFileBytes) {
        return "it is larger than " + std::to_string(kMaxFileBytes) + " bytes";
    }
    if (nestingDepth(text) > kMaxNesting) {
        return "it is nested deeper than " + std::to_string(kMaxNesting) + " levels";
    }
    if (hasNonAscii(text)) {
        return "it holds a character outside ASCII (in a string, write it as \\uXXXX)";
    }
    return std::nullopt;
}

}  // namespace registry
