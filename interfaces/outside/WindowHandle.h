#pragma once
// A native window of the host as the driver and the libraries it calls pass it around.
// The libraries only hand it on; the driver's platform layer defines the window.

namespace platform {

class Window;
using WindowHandle = Window*;

}  // namespace platform
