#include "dialogs/Renderer.h"

#include "dialogs/DialogPortSettingsPrompt.h"
#include "platform/Window.h"

namespace renderer {

void install(Renderer renderer) {
    platform::ui::setDialogRunner(std::move(renderer.runner));
    platform::setUiServices(std::move(renderer.services));
    platform::setQueueWaker(std::move(renderer.queueWaker));
    portway::setPortSettingsPrompt(std::make_shared<DialogPortSettingsPrompt>());
}

void uninstall() {
    portway::setPortSettingsPrompt(nullptr);
    platform::setQueueWaker(nullptr);
    platform::setUiServices(nullptr);
    platform::ui::setDialogRunner(nullptr);
}

}  // namespace renderer
