#include <gtest/gtest.h>

#include "outside/PortSettings.h"
#include "sensor/TavoRX9100.h"

namespace {

class AnsweringPrompt : public portway::PortSettingsPrompt {
  public:
    explicit AnsweringPrompt(std::optional<portway::PortSettings> answer) : answer_(answer) {}
    std::optional<portway::PortSettings> ask(platform::WindowHandle, const portway::PortChoices&,
                                             const portway::PortSettings&) override {
        return answer_;
    }

  private:
    std::optional<portway::PortSettings> answer_;
};

struct PromptScope {
    explicit PromptScope(std::optional<portway::PortSettings> answer) {
        portway::setPortSettingsPrompt(std::make_shared<AnsweringPrompt>(answer));
    }
    ~PromptScope() { portway::setPortSettingsPrompt(nullptr); }
};

}  // namespace

TEST(PortSettingsTest, CancelledDialogChangesNothing) {
    PromptScope prompt(std::nullopt);
    TavoRX9100 driver;
    int before = driver.getRegistry().readInt("RX-9100", "MeasurementBaudrate", -1);
    EXPECT_EQ(driver.setupRSProperty(nullptr, 0), 0);
    EXPECT_EQ(driver.getRegistry().readInt("RX-9100", "MeasurementBaudrate", -1), before);
}

TEST(PortSettingsTest, AcceptedSettingsAreStoredAndUsedByTheNextDriver) {
    portway::PortSettings chosen;
    chosen.method = 2;
    chosen.portName = "COM4";
    chosen.baudRate = 9600;
    PromptScope prompt(chosen);
    TavoRX9100 driver;
    EXPECT_NE(driver.setupRSProperty(nullptr, 0), 0);
    EXPECT_EQ(driver.getRegistry().readString("RX-9100", "MeasurementCOM", "", 30), "COM4");
    EXPECT_EQ(driver.getRegistry().readInt("RX-9100", "MeasurementBaudrate", 0), 9600);
    int baud = 0;
    std::string text;
    driver.getInstrumentState()->getComPropertyBaudrate(baud, text);
    EXPECT_EQ(text, "9600bps");
    driver.getInstrumentState()->getComPropertyCom(baud, text);
    EXPECT_EQ(text, "RS-232C");

    TavoRX9100 next;
    auto* port = dynamic_cast<SerialPort*>(next.getConnection());
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(port->getPortName(), "COM4");
    EXPECT_EQ(port->getBaudRate(), 9600);
}
