#pragma once
// The port settings dialog behind SerialPort::setupPort. The prompt is
// replaceable so that a toolkit dialog can take over from the console version.
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Window.h"
#include "portway/PortList.h"
#include "portway/PortSettings.h"

namespace portway {

// What the prompt may offer.
struct PortChoices {
    std::vector<PortInfo> ports;
    std::vector<int> methods;
    std::vector<int> baudRates;
    std::vector<int> byteSizes;
    std::vector<int> parities;
    std::vector<int> stopBits;
};

class PortSettingsPrompt {
  public:
    virtual ~PortSettingsPrompt() = default;
    // The accepted settings, or nothing when the user cancelled.
    virtual std::optional<PortSettings> ask(platform::WindowHandle owner,
                                            const PortChoices& choices,
                                            const PortSettings& current) = 0;
};

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

// The prompt every SerialPort uses from now on; null restores the console prompt.
void setPortSettingsPrompt(std::shared_ptr<PortSettingsPrompt> prompt);
std::shared_ptr<PortSettingsPrompt> portSettingsPrompt();

}  // namespace portway
