// The stored-data import and the instrument options as real Qt windows, against the
// simulated instrument: the reading with its progress window, the check-box list, the
// colour-space box.
#include <stdlib.h>

#include <QComboBox>
#include <QPushButton>
#include <QTableWidget>
#include <filesystem>

#include "QtTestSupport.h"
#include "sensor/TavoRX9100.h"
#include "simulator/InProcessConnection.h"
#include "simulator/Instrument.h"

namespace {

namespace fs = std::filesystem;

class QtStoredData : public QtUiTest {
  protected:
    void SetUp() override {
        QtUiTest::SetUp();
        std::string pattern = fs::temp_directory_path() / "rx9100-qtstored-XXXXXX";
        folder = mkdtemp(pattern.data());
        previousFolder = RegistryStore::storeFolder();
        RegistryStore::setStoreFolder(folder);  // never the user's settings
        instrument.setNoise(0.0);
        instrument.fillStoredData(12);
        driver = std::make_unique<TavoRX9100>();
        driver->setConnection(std::make_unique<rx9100sim::InProcessConnection>(instrument));
        driver->setErrorVisible(false);
        ASSERT_EQ(driver->connect(), 0);
    }
    void TearDown() override {
        driver->disconnect();
        driver.reset();
        RegistryStore::setStoreFolder(previousFolder);
        fs::remove_all(folder);
        QtUiTest::TearDown();
    }
    // The dialog reads from the instrument before it shows: waits for its modal window.
    static void whenShown(const QString& title, std::function<void(QDialog*)> step,
                          int tries = 200) {
        later(
            [=] {
                auto* window = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                if (window != nullptr && window->windowTitle() == title) {
                    step(window);
                } else if (tries > 0) {
                    whenShown(title, step, tries - 1);
                } else {
                    ADD_FAILURE() << "no window " << title.toStdString();
                }
            },
            10);
    }
    static void click(QWidget* window, const QString& text) {
        for (auto* button : window->findChildren<QPushButton*>()) {
            if (button->text() == text) {
                button->click();
                return;
            }
        }
        ADD_FAILURE() << "no button " << text.toStdString();
    }

    std::string folder;
    std::string previousFolder;
    rx9100sim::Instrument instrument;
    std::unique_ptr<TavoRX9100> driver;
};

TEST_F(QtStoredData, TargetsAreCheckedInTheWindowsListAndImported) {
    whenShown(QStringLiteral("基準データ取り込み"), [&](QDialog* window) {
        auto* table = window->findChild<QTableWidget*>();
        ASSERT_NE(table, nullptr);
        ASSERT_EQ(table->rowCount(), 12);
        ASSERT_EQ(table->columnCount(), 12);
        EXPECT_EQ(table->horizontalHeaderItem(2)->text(), QStringLiteral("Lv"));
        EXPECT_EQ(table->item(2, 1)->text(), QStringLiteral("色彩値"));
        // The colour-space box replaces the colour columns.
        auto* space = window->findChild<QComboBox*>();
        ASSERT_NE(space, nullptr);
        space->setCurrentIndex(2);  // XYZ, as the user picks it
        emit space->activated(2);
        table->item(4, 0)->setCheckState(Qt::Checked);
        table->item(9, 0)->setCheckState(Qt::Checked);
        later([=] {
            // The window follows the model once it has drawn the change.
            EXPECT_EQ(table->horizontalHeaderItem(2)->text(), QStringLiteral("X"));
            EXPECT_EQ(table->item(4, 0)->checkState(), Qt::Checked);
            click(window, QStringLiteral("OK"));
        });
    });
    std::vector<DataPack> targets;
    ASSERT_EQ(driver->uploadTargetData(targets, nullptr, nullptr), 0);
    ASSERT_EQ(targets.size(), 2u);
    EXPECT_EQ(targets[0].targetNumber, 5);
    EXPECT_EQ(targets[1].targetNumber, 10);
    EXPECT_EQ(driver->getRegistry().readInt("Common", "ColorSpace", 0), 1000);
}

TEST_F(QtStoredData, OptionWindowWritesTheChosenColourMode) {
    whenShown(QStringLiteral("測定器設定"), [&](QDialog* window) {
        auto boxes = window->findChildren<QComboBox*>();
        ASSERT_EQ(boxes.size(), 3);
        for (auto* box : boxes) {
            if (box->count() == 6) {
                box->setCurrentIndex(3);  // XYZ
                emit box->activated(3);
            }
        }
        click(window, QStringLiteral("OK"));
    });
    ASSERT_EQ(driver->doInstrumentOption(), 0);
    EXPECT_EQ(instrument.memory().display.colorSpace, 3);
}

}  // namespace
