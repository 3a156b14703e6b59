#pragma once
// Where a dialog renderer (the Qt one, say) plugs into the driver: the runner that shows
// its dialogs, the services behind message boxes, file choosers and the wait cursor, and a
// waker for the renderer's event loop when a message is posted to its thread. With a
// renderer in place the transport's port settings are asked with the driver's dialog.
#include <functional>
#include <memory>

#include "platform/Export.h"
#include "platform/UiServices.h"
#include "platform/ui/DialogRunner.h"

namespace renderer {

struct Renderer {
    std::shared_ptr<platform::ui::DialogRunner> runner;
    std::shared_ptr<platform::UiServices> services;
    std::function<void()> queueWaker;
};

// For the whole process; parts left empty keep their defaults.
RX9100_RENDERER_API void install(Renderer renderer);
// The headless runner, the console services and port prompt again, and no waker.
RX9100_RENDERER_API void uninstall();

}  // namespace renderer
