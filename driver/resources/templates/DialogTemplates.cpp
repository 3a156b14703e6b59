#include "resources/templates/DialogTemplates.h"

#include <array>

namespace resources::templates {

const platform::ui::DialogTemplate* findDialogTemplate(int id) {
    using Accessor = const platform::ui::DialogTemplate& (*)();
    static constexpr std::array<Accessor, 18> all = {
        checkCommunication, editCalId,
        measureProgress,    uploadProgress,
        selectClearFormat,  portSettings,
        whiteCalibration,   whiteMeasure,
        userMeasure,        upload,
        downloadTarget,     instrumentOption,
        setupConditions,    lensCorrData,
        editCalData,        ndCorrData,
        levelCalibration,   wavelengthCalibration,
    };
    for (Accessor get : all) {
        if (get().id == id) {
            return &get();
        }
    }
    return nullptr;
}

}  // namespace resources::templates
