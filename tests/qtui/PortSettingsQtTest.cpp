// The port settings dialog as the Qt host gets it: installed by installQtUi and
// reached through the transport's setupPort.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest/QTest>

#include "QtTestSupport.h"
#include "dialogs/DialogPortSettingsPrompt.h"
#include "outside/PortwayEx.h"

namespace {

class QtPortSettings : public QtUiTest {};

TEST_F(QtPortSettings, SetupPortOpensTheWindowAndTakesTheTypedPort) {
    EXPECT_NE(dynamic_cast<DialogPortSettingsPrompt*>(portway::portSettingsPrompt().get()),
              nullptr);
    SerialPort port(false, true);
    port.setAvailableMethod(3);
    port.setAvailableBaudRate(38400);
    port.setMethod(2);
    bool seen = false;
    later([&] {
        QWidget* window = QApplication::activeModalWidget();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->windowTitle(), QStringLiteral("通信設定"));
        auto* name = window->findChild<QLineEdit*>();
        ASSERT_NE(name, nullptr);
        name->selectAll();
        QTest::keyClicks(name, "tcp:rx-lab:2001");
        const auto boxes = window->findChildren<QComboBox*>();
        ASSERT_EQ(boxes.size(), 2);
        for (auto* radio : window->findChildren<QRadioButton*>()) {
            if (radio->text() == QStringLiteral("USB(CDC)")) {
                radio->click();
            }
        }
        EXPECT_TRUE(boxes[0]->isEnabled());
        EXPECT_FALSE(boxes[1]->isEnabled());  // the baud rate, ignored by USB(CDC)
        seen = true;
        for (auto* button : window->findChildren<QPushButton*>()) {
            if (button->text() == QStringLiteral("OK")) {
                button->click();
            }
        }
    });
    EXPECT_EQ(port.setupPort(nullptr, 0), 1);
    EXPECT_TRUE(seen);
    EXPECT_EQ(port.getPortName(), "tcp:rx-lab:2001");
    EXPECT_EQ(port.getMethod(), 3);
}

}  // namespace
