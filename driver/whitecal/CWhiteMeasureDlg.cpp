#include "whitecal/CWhiteMeasureDlg.h"

#include "measure/CMeasureProgressDlg.h"
#include "measure/MeasureMessages.h"
#include "resources/templates/DialogTemplates.h"

MeasureOnceDlg::MeasureOnceDlg(const platform::ui::DialogTemplate& tmpl,
                               AbstractSensorStrategy& driver, platform::WindowHandle parent)
    : Dialog(tmpl, parent), driver_(driver), progress_(driver) {}

void MeasureOnceDlg::onInitDialog() {
    int result = 0;
    {
        CMeasureProgressDlg window(this);
        window.centreOn(platform::mainWindow());
        window.show();
        progress_.attach(&window);
        result = driver_.doMeasurement(records, this);
        progress_.attach(nullptr);
    }
    if (result != 0) {
        records.clear();
    }
    endDialog(result);
}

platform::LResult MeasureOnceDlg::handleMessage(unsigned message, platform::WParam wParam,
                                                platform::LParam lParam) {
    if (message == MSG_MEASURE_START) {
        return progress_.onMeasureStart(wParam, lParam);
    }
    if (message == MSG_MEASURE_PROGRESS) {
        return progress_.onMeasureProgress(wParam, lParam);
    }
    return Dialog::handleMessage(message, wParam, lParam);
}

CWhiteMeasureDlg::CWhiteMeasureDlg(AbstractSensorStrategy& driver, platform::WindowHandle parent)
    : MeasureOnceDlg(resources::templates::whiteMeasure(), driver, parent) {}

CUserMeasureDlg::CUserMeasureDlg(AbstractSensorStrategy& driver, platform::WindowHandle parent)
    : MeasureOnceDlg(resources::templates::userMeasure(), driver, parent) {}
