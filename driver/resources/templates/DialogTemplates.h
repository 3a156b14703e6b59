#pragma once
// The driver's dialog templates: numbered controls with their kinds, labels,
// positions (dialog units) and initial states. One source file per template;
// a new dialog adds its accessor here and its entry in findDialogTemplate.
#include "platform/ui/DialogTemplate.h"

namespace resources::templates {

const platform::ui::DialogTemplate& checkCommunication();     // 1601
const platform::ui::DialogTemplate& editCalId();              // 1501
const platform::ui::DialogTemplate& measureProgress();        // 1901
const platform::ui::DialogTemplate& uploadProgress();         // 7001
const platform::ui::DialogTemplate& upload();                 // 7101
const platform::ui::DialogTemplate& portSettings();           // 7301
const platform::ui::DialogTemplate& downloadTarget();         // 8001
const platform::ui::DialogTemplate& selectClearFormat();      // 17001
const platform::ui::DialogTemplate& lensCorrData();           // 17007
const platform::ui::DialogTemplate& editCalData();            // 17008
const platform::ui::DialogTemplate& ndCorrData();             // 17009
const platform::ui::DialogTemplate& userMeasure();            // 17006
const platform::ui::DialogTemplate& whiteMeasure();           // 17014
const platform::ui::DialogTemplate& instrumentOption();       // 17015
const platform::ui::DialogTemplate& whiteCalibration();       // 12001
const platform::ui::DialogTemplate& setupConditions();        // 17020
const platform::ui::DialogTemplate& levelCalibration();       // 17023
const platform::ui::DialogTemplate& wavelengthCalibration();  // 17024

// The template with that id, or null.
const platform::ui::DialogTemplate* findDialogTemplate(int id);

}  // namespace resources::templates
