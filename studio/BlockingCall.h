#pragma once
// A short driver call (connect, disconnect) run off the GUI thread while the caller waits
// in a local event loop: the window keeps painting while a port times out.
#include <functional>

namespace studio {

int callOffGuiThread(const std::function<int()>& work);

}  // namespace studio
