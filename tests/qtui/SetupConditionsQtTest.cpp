// The measuring-conditions dialog as a real Qt window, opened by setupInstrument against
// the simulated instrument: the speed is changed in its combo box and OK writes it.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "QtTestSupport.h"
#include "sensor/TavoRX9100.h"
#include "simulator/InProcessConnection.h"
#include "simulator/Instrument.h"

namespace {

class QtSetupConditions : public QtUiTest {};

TEST_F(QtSetupConditions, ChangesTheSpeedInItsWindowAndTheInstrumentHoldsIt) {
    rx9100sim::Instrument instrument;
    TavoRX9100 driver;
    driver.setConnection(std::make_unique<rx9100sim::InProcessConnection>(instrument));
    driver.setErrorVisible(false);
    rx9100sim::Memory memory = instrument.memory();
    memory.conditions.speedMode = 3;  // the manual integration time, 0.25 s
    memory.conditions.integrationUs = 250000;
    instrument.setMemory(memory);
    ASSERT_EQ(driver.connect(), 0);

    QString shownTime;
    bool secondsShown = true;
    bool timeEditable = true;
    later([&] {
        auto* window = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->windowTitle(), QStringLiteral("測定条件"));
        QComboBox* speed = nullptr;
        for (auto* box : window->findChildren<QComboBox*>()) {
            if (box->findText(QStringLiteral("マニュアル")) >= 0) {
                speed = box;
            }
        }
        ASSERT_NE(speed, nullptr);
        EXPECT_EQ(speed->currentText(), QStringLiteral("マニュアル"));
        QLineEdit* time = nullptr;
        for (auto* field : window->findChildren<QLineEdit*>()) {
            if (field->text() == QStringLiteral("0.250000")) {
                time = field;
                shownTime = field->text();
            }
        }
        ASSERT_NE(time, nullptr);
        const int normal = speed->findText(QStringLiteral("ノーマル"));
        ASSERT_GE(normal, 0);
        speed->setCurrentIndex(normal);
        emit speed->activated(normal);  // as the user's choice
        timeEditable = time->isEnabled();
        for (auto* label : window->findChildren<QLabel*>()) {
            if (label->text() == QStringLiteral("秒")) {
                secondsShown = label->isVisibleTo(window);
            }
        }
        for (auto* radio : window->findChildren<QRadioButton*>()) {
            if (radio->text() == QStringLiteral("自動")) {
                EXPECT_TRUE(radio->isEnabled());  // firmware 1.10 at the normal speed
            }
        }
        for (auto* button : window->findChildren<QPushButton*>()) {
            if (button->text() == QStringLiteral("OK")) {
                button->click();
            }
        }
    });
    EXPECT_EQ(driver.setupInstrument(), 0);
    EXPECT_EQ(shownTime, QStringLiteral("0.250000"));
    EXPECT_FALSE(timeEditable);
    EXPECT_FALSE(secondsShown);
    EXPECT_EQ(driver.getSetupStatus()->getSpeed(), 3);
    EXPECT_EQ(instrument.memory().conditions.speedMode, 0);
    driver.disconnect();
}

}  // namespace
