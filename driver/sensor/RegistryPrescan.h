#pragma once
// Limits a settings file must keep before the TOML parser sees it. The parser descends
// into every level of nesting: a file of "[a.a.a...]" runs it out of stack, and a huge
// file costs every read of every setting. Our own files are a few hundred bytes, two
// levels deep; the limits leave hand-edited files plenty of room.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace registry {

inline constexpr std::size_t kMaxFileBytes = 64 * 1024;
inline constexpr int kMaxNesting = 16;

// The deepest nesting of tables, arrays and dotted keys in a TOML text, counted without
// parsing it: table headers and keys add a level per part, arrays and inline tables a
// level each; strings and comments add nothing. Damaged text is counted all the same.
int nestingDepth(std::string_view text);

// Whether the text holds a byte outside ASCII. The TOML parser's check for Unicode
// whitespace fails on many letters (it reaches code it takes for unreachable) wherever it
// looks for whitespace, and damaged text can put a letter anywhere; so the store writes its
// files in ASCII (other characters of strings escaped as \uXXXX) and refuses any other text.
bool hasNonAscii(std::string_view text);

// Why the text must not be parsed, or nothing when it keeps the limits.
std::optional<std::string> prescanRefusal(std::string_view text);

}  // namespace registry
