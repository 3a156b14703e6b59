// The instrument option dialog.
#include "dialogs/COptionRx9100Dlg.h"
#include "platform/ModuleResources.h"
#include "platform/Window.h"
#include "sensor/TavoRX9100.h"

int TavoRX9100::doInstrumentOption() {
    platform::ResourceScope own(platform::ResourceSource::Module);
    COptionRx9100Dlg dialog(*this, platform::mainWindow());
    const int code = dialog.doModal();
    return code == platform::IDOK || code == platform::IDCANCEL ? 0 : code;
}
