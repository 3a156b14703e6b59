#pragma once
// The transport's own port settings prompt: questions on the console.
#include <iosfwd>

#include "outside/PortSettings.h"

namespace portway {

// Text prompt. It only reads answers when `interactive` is true (by default:
// when stdin is a terminal); otherwise it prints the choices and cancels.
class ConsolePortSettingsPrompt : public PortSettingsPrompt {
  public:
    ConsolePortSettingsPrompt();
    ConsolePortSettingsPrompt(std::istream& in, std::ostream& out, bool interactive);

    std::optional<PortSettings> ask(platform::WindowHandle owner, const PortChoices& choices,
                                    const PortSettings& current) override;

  private:
    std::istream& in_;
    std::ostream& out_;
    bool interactive_;
};

}  // namespace portway
