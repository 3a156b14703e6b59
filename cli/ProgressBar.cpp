#include "ProgressBar.h"

#include <algorithm>

#include "Interrupt.h"
#include "measure/MeasureMessages.h"
#include "sensor/AbstractSensorStrategy.h"

namespace cli {

namespace {
constexpr int kBarWidth = 30;
}

ProgressBar::ProgressBar(AbstractSensorStrategy& driver, bool visible, std::FILE* out)
    : driver_(driver), visible_(visible), out_(out) {}

ProgressBar::~ProgressBar() {
    clear();
}

std::string ProgressBar::render(unsigned elapsed, unsigned total, int width) {
    const unsigned shown = std::min(elapsed, total);
    const int filled =
        total == 0 ? width : static_cast<int>(static_cast<long long>(shown) * width / total);
    std::string bar = "[" + std::string(static_cast<std::size_t>(filled), '#') +
                      std::string(static_cast<std::size_t>(width - filled), '-') + "]";
    char times[64];
    std::snprintf(times, sizeof times, " %5.1f / %.1f s", shown / 100.0, total / 100.0);
    return bar + times;
}

platform::LResult ProgressBar::handleMessage(unsigned message, platform::WParam wParam,
                                             platform::LParam lParam) {
    if (message == MSG_MEASURE_START) {
        total_ = static_cast<unsigned>(lParam);
        draw(0);
    } else if (message == MSG_MEASURE_PROGRESS) {
        draw(static_cast<unsigned>(wParam));
    } else {
        return platform::Window::handleMessage(message, wParam, lParam);
    }
    // Called on the measuring thread between the driver's 10 ms polls of its cancel flag.
    if (interrupted() && !cancelSent_) {
        driver_.setMeasurementCancel(true);
        cancelSent_ = true;
    }
    return 0;
}

void ProgressBar::draw(unsigned elapsed) {
    if (!visible_) {
        return;
    }
    std::string text = label_ + " " + render(elapsed, total_, kBarWidth);
    if (interrupted()) {
        text += "  cancelling";
    }
    if (text == lastDrawn_) {
        return;  // progress comes every 10 ms; the terminal only needs the changes
    }
    lastDrawn_ = text;
    std::fprintf(out_, "\r%s\033[K", text.c_str());
    std::fflush(out_);
    drawn_ = true;
}

void ProgressBar::clear() {
    if (drawn_) {
        std::fprintf(out_, "\r\033[K");
        std::fflush(out_);
        drawn_ = false;
        lastDrawn_.clear();
    }
}

}  // namespace cli
