#pragma once
// The shared common-words library: display words by numeric word id.
#include <string>

// The word with that id, or the empty string when the library has none.
std::string loadCommonWord(int wordId);
