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

// Whether a character outside ASCII stands outside every string and comment. No key may
// hold one, and the TOML parser's check for Unicode whitespace fails on some of them
// (it reaches code it takes for unreachable), so such text is refused before parsing.
bool hasNonAsciiOutsideStrings(std::string_view text);

// Why the text must not be parsed, or nothing when it keeps the limits.
std::optional<std::string> prescanRefusal(std::string_view text);

}  // namespace registry
