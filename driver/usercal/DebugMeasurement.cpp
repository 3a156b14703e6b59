#include "usercal/DebugMeasurement.h"

#include "platform/UiServices.h"
#include "sensor/TavoRX9100.h"
#include "usercal/LevelCalibration.h"
#include "whitecal/WhiteCalibrationFile.h"

namespace usercal {

void debugLoad(TavoRX9100& driver, platform::WindowHandle owner,
               std::vector<MeasuringData>& store) {
    const std::string extension = kDebugExtension;
    platform::FileChooserRequest request;
    request.open = true;
    request.filter = "*." + extension + "|*." + extension + "||";
    request.initialFolder = driver.GetAppFolderPath();
    request.initialName = driver.GetAppFolderPath() + "*." + extension;
    const std::optional<std::string> chosen = platform::uiServices().chooseFile(owner, request);
    if (!chosen) {
        return;
    }
    std::string copy;
    switch (whitecal::copyIntoFolderAs(*chosen, driver.GetRX9100SystemFolderPath(),
                                       "debugmes." + extension, copy)) {
        case whitecal::CopyResult::NoFolder:
        case whitecal::CopyResult::CopyFailed:
            return;  // quietly, as the button is only for the developers
        case whitecal::CopyResult::Copied:
        case whitecal::CopyResult::AlreadyThere:
            break;
    }
    store.clear();
    const auto values = readLineValues(copy);
    if (!values) {
        platform::messageBox(kDebugFileError, platform::MessageBoxButtons::Ok,
                             platform::MessageBoxIcon::None, owner);
        return;
    }
    MeasuringData record;
    record.getData() = *values;
    store.push_back(std::move(record));
}

}  // namespace usercal
