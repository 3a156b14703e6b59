#pragma once
// User-interface services the driver needs from its surroundings: message
// boxes, file choosers and the wait cursor. The host (or a test) installs an
// implementation; without one the console form is used.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Export.h"
#include "platform/Window.h"

namespace platform {

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

enum class MessageBoxButtons { Ok, OkCancel };
enum class MessageBoxIcon { None, Information, Exclamation, Stop, Question };

struct MessageBoxRequest {
    std::string text;
    std::string caption;
    MessageBoxButtons buttons = MessageBoxButtons::Ok;
    MessageBoxIcon icon = MessageBoxIcon::None;
    bool cancelIsDefault = false;
};

// "*.ucf|*.ucf||" style filters: pairs of description and pattern, '|' separated.
struct FileChooserRequest {
    bool open = true;
    std::string filter;
    std::string defaultExtension;
    std::string initialFolder;
    std::string initialName;
    bool hideReadOnly = false;
    bool overwritePrompt = false;
};

struct FileFilter {
    std::string description;
    std::string pattern;
};
RX9100_API std::vector<FileFilter> parseFileFilter(const std::string& filter);

class RX9100_API UiServices {
  public:
    virtual ~UiServices() = default;
    // Returns IDOK or IDCANCEL.
    virtual int messageBox(WindowHandle owner, const MessageBoxRequest& request) = 0;
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<std::string> chooseFile(WindowHandle owner,
                                                  const FileChooserRequest& request) = 0;
    virtual void beginWaitCursor() = 0;
    virtual void endWaitCursor() = 0;
};

RX9100_API UiServices& uiServices();
// Installs services for the whole process; null restores the console form.
RX9100_API void setUiServices(std::shared_ptr<UiServices> services);

// Shorthand for the common plain box.
RX9100_API int messageBox(const std::string& text,
                          MessageBoxButtons buttons = MessageBoxButtons::Ok,
                          MessageBoxIcon icon = MessageBoxIcon::None, WindowHandle owner = nullptr);

// The wait cursor for the lifetime of the scope, removed on every path.
class WaitCursor {
  public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace platform
