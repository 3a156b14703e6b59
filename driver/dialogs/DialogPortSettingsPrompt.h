#pragma once
#include "outside/PortSettings.h"

// The port settings prompt as a driver dialog, shown by whichever dialog runner
// the process installed (a GUI host installs it with portway::setPortSettingsPrompt).
class DialogPortSettingsPrompt : public portway::PortSettingsPrompt {
  public:
    std::optional<portway::PortSettings> ask(platform::WindowHandle owner,
                                             const portway::PortChoices& choices,
                                             const portway::PortSettings& current) override;
};
