#pragma once
// The progress window of a measurement: the driver sends it the start and progress
// messages on the measuring thread; it draws a bar on stderr and, once Ctrl-C was
// pressed, asks the driver to cancel (the driver then sends "MEAS,0").
#include <cstdio>
#include <string>

#include "platform/Window.h"

class AbstractSensorStrategy;

namespace cli {

class ProgressBar : public platform::Window {
  public:
    // visible false: no drawing, but cancelling still works.
    ProgressBar(AbstractSensorStrategy& driver, bool visible, std::FILE* out = stderr);
    ~ProgressBar() override;

    // Label of the next measurement, e.g. "Measuring 2/5".
    void setLabel(std::string label) { label_ = std::move(label); }
    platform::LResult handleMessage(unsigned message, platform::WParam wParam,
                                    platform::LParam lParam) override;
    // Removes the bar from the terminal.
    void clear();
    bool cancelSent() const { return cancelSent_; }

    // "[#####-----]  1.2 / 2.5 s" for the elapsed and total hundredths.
    static std::string render(unsigned elapsed, unsigned total, int width);

  private:
    void draw(unsigned elapsed);

    AbstractSensorStrategy& driver_;
    bool visible_;
    std::FILE* out_;
    std::string label_ = "Measuring";
    unsigned total_ = 0;
    std::string lastDrawn_;
    bool drawn_ = false;
    bool cancelSent_ = false;
};

}  // namespace cli
