#pragma once
// The module's own texts (UTF-8), looked up by string id.
#include <string>

namespace resources {

// The text with that id, or the empty string when the table has none.
std::string loadString(int id);

}  // namespace resources
