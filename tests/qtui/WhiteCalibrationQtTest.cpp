// The white calibration as a real Qt window, calibrating against the simulated instrument.
#include <stdlib.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <filesystem>
#include <fstream>

#include "QtTestSupport.h"
#include "resources/StringTable.h"
#include "sensor/TavoRX9100.h"
#include "simulator/InProcessConnection.h"
#include "simulator/Instrument.h"

namespace {

namespace fs = std::filesystem;

class QtWhiteCalibration : public QtUiTest {
  protected:
    void SetUp() override {
        QtUiTest::SetUp();
        std::string pattern = fs::temp_directory_path() / "rx9100-qtwhite-XXXXXX";
        folder = mkdtemp(pattern.data());
        previousFolder = RegistryStore::storeFolder();
        RegistryStore::setStoreFolder(folder);  // never the user's settings
    }
    void TearDown() override {
        RegistryStore::setStoreFolder(previousFolder);
        fs::remove_all(folder);
        QtUiTest::TearDown();
    }
    std::string folder;
    std::string previousFolder;
};

TEST_F(QtWhiteCalibration, CalibratesThroughItsWindowTheQuestionAndTheProgressWindow) {
    rx9100sim::Instrument instrument;
    instrument.setNoise(0.0);
    instrument.setMeasuringTiming({1.0, 0.05});
    TavoRX9100 driver;
    driver.setConnection(std::make_unique<rx9100sim::InProcessConnection>(instrument));
    driver.setErrorVisible(false);
    ASSERT_EQ(driver.connect(), 0);
    driver.setMeasurementType(1);
    std::string standard = folder + "/tile.wcb";
    {
        std::ofstream file(standard);
        for (int i = 0; i < 401; ++i) {
            file << "0.5\n";
        }
    }
    driver.SetWhiteCalirationPathStdToReg(standard);

    QString asked;
    bool nameShown = false;
    later([&] {
        auto* window = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->windowTitle(), QStringLiteral("白色校正"));
        auto* method = window->findChild<QComboBox*>();
        ASSERT_NE(method, nullptr);
        EXPECT_FALSE(method->isEnabled());
        EXPECT_EQ(method->currentText(), QStringLiteral("反射"));
        for (auto* field : window->findChildren<QLineEdit*>()) {
            if (field->text() == QStringLiteral("tile.wcb")) {
                nameShown = true;
                EXPECT_EQ(field->toolTip(), QStringLiteral("tile.wcb"));
            }
        }
        later([&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            asked = box->text();
            box->button(QMessageBox::Ok)->click();
        });
        for (auto* button : window->findChildren<QPushButton*>()) {
            if (button->text() == QStringLiteral("校正")) {
                button->click();
            }
        }
    });
    EXPECT_EQ(driver.doWhiteCalibration(), platform::IDOK);
    EXPECT_TRUE(nameShown);
    EXPECT_EQ(asked.toStdString(), resources::loadString(20655));
    ASSERT_TRUE(driver.whiteCalibrationRef(0)->valid);
    EXPECT_DOUBLE_EQ(driver.whiteCalibrationRef(0)->standardData[0], 0.5);
    driver.disconnect();
}

}  // namespace
