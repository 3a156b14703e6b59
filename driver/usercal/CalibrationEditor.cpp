// The user calibration editor's entry: the channel list rebuilt, the editor shown, and the
// channel that was active before put back on the instrument, whatever the editor did.
#include "platform/ModuleResources.h"
#include "platform/Window.h"
#include "sensor/TavoRX9100.h"
#include "usercal/CEditCalDataRx9100Dlg.h"
#include "usercal/ChannelLink.h"

int TavoRX9100::setupWhiteCalibrationData() {
    if (const int r = checkCalibrationCh(); r != 0) {
        return r;
    }
    const int active = setupStatus.getCalibrationCh();
    {
        platform::ResourceScope own(platform::ResourceSource::Module);
        CEditCalDataRx9100Dlg dialog(*this, userCalibrationFile, ndCoefficientFile,
                                     lensCoefficientFile, platform::mainWindow());
        dialog.doModal();
    }
    setupStatus.setCalibrationCh(active);
    return setActiveCh();
}

ChannelLink TavoRX9100::editorChannels() {
    return channelLink(exchanger());
}
