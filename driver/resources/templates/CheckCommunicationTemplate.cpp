#include "platform/UiServices.h"
#include "resources/templates/DialogTemplates.h"

namespace resources::templates {

using namespace platform::ui;

// The notice shown while the driver waits for the instrument; it has no title
// and its OK button stays hidden, so only the owner can close it.
const DialogTemplate& checkCommunication() {
    static const DialogTemplate t{
        1601,
        "",
        163,
        52,
        {
            {1602, ControlKind::Static, "", {7, 20, 149, 10}, AlignCentre},
            {platform::IDOK, ControlKind::Button, "OK", {56, 34, 50, 14}, Hidden | DefaultButton},
        },
    };
    return t;
}

}  // namespace resources::templates
