#include "dialogs/DialogPortSettingsPrompt.h"

#include "dialogs/CPortSettingsDlg.h"

std::optional<portway::PortSettings> DialogPortSettingsPrompt::ask(
    platform::WindowHandle owner, const portway::PortChoices& choices,
    const portway::PortSettings& current) {
    CPortSettingsDlg dlg(choices, current, owner);
    if (dlg.doModal() != platform::IDOK) {
        return std::nullopt;
    }
    return dlg.settings();
}
