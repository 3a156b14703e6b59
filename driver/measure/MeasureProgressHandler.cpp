#include "measure/MeasureProgressHandler.h"

#include "platform/Numbers.h"

platform::LResult MeasureProgressHandler::onMeasureStart(platform::WParam wParam,
                                                         platform::LParam lParam) {
    if (progress_ != nullptr) {
        progress_->setRange(static_cast<std::uint16_t>(wParam), static_cast<std::uint16_t>(lParam));
        progress_->setTimeText(platform::cFormat("%.2f", static_cast<double>(lParam) * 0.01));
        progress_->setPos(static_cast<int>(wParam));
    }
    return 0;
}

platform::LResult MeasureProgressHandler::onMeasureProgress(platform::WParam wParam,
                                                            platform::LParam) {
    if (progress_ != nullptr) {
        progress_->setPos(static_cast<int>(wParam));
        if (progress_->cancel) {
            driver_.setMeasurementCancel(true);
        }
    }
    return 0;
}
