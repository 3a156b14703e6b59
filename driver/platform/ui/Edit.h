#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "platform/Export.h"
#include "platform/ui/Control.h"

namespace platform::ui {

// A single-line edit field. The length limit and the character filter apply to
// what the user types; the program may set any text.
class RX9100_RENDERER_API Edit : public Control {
  public:
    using CharFilter = std::function<bool(char32_t)>;

    explicit Edit(const ControlTemplate& tmpl);

    void setText(std::string text) override;

    bool readOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly);

    // Characters (code points); 0 means unlimited.
    int maxLength() const { return maxLength_; }
    void setMaxLength(int maxLength);

    void setCharFilter(CharFilter filter) { filter_ = std::move(filter); }
    bool accepts(char32_t c) const { return !filter_ || filter_(c); }

    // The text that results when the user replaces the content by typing
    // `typed`: refused characters are dropped, typing stops at the limit.
    std::string typedResult(std::string_view typed) const;

  private:
    bool readOnly_;
    int maxLength_;
    CharFilter filter_;
};

}  // namespace platform::ui
