// The user calibration editor and the lens factor viewer as real Qt windows, against the
// simulated instrument.
#include <QPushButton>
#include <QTableWidget>

#include "QtTestSupport.h"
#include "sensor/TavoRX9100.h"
#include "simulator/InProcessConnection.h"
#include "simulator/Instrument.h"

namespace {

QPushButton* buttonLabelled(QWidget* window, const QString& text, int nth = 0) {
    for (auto* button : window->findChildren<QPushButton*>()) {
        if (button->text() == text && nth-- == 0) {
            return button;
        }
    }
    return nullptr;
}

using QtCalibrationEditor = QtUiTest;

TEST_F(QtCalibrationEditor, TheChannelListDrivesTheButtonsAndTheLensTableOpensItsViewer) {
    rx9100sim::Instrument instrument;
    rx9100sim::Memory memory = instrument.memory();
    memory.channels[3].level = rx9100sim::unitTable();
    (*memory.channels[3].level)[0] = 0.5f;
    memory.channels[3].id = "LAMP";
    memory.lensTables[0] = rx9100sim::unitTable();
    instrument.setMemory(memory);
    TavoRX9100 driver;
    driver.setConnection(std::make_unique<rx9100sim::InProcessConnection>(instrument));
    driver.setErrorVisible(false);
    ASSERT_EQ(driver.connect(), 0);
    ASSERT_EQ(driver.checkSetupStatus(), 0);

    bool editorSeen = false;
    int viewerRows = 0;
    QString viewerTitle;
    QString lastRow;
    later([&] {
        QWidget* window = QApplication::activeModalWidget();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->windowTitle(), QStringLiteral("ユーザ校正"));
        auto* list = window->findChild<QTableWidget*>();
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->rowCount(), 11);
        EXPECT_EQ(list->item(3, 1)->text(), QStringLiteral("LAMP"));
        EXPECT_EQ(list->item(3, 3)->text(), QStringLiteral("ON"));
        QPushButton* save = buttonLabelled(window, QStringLiteral("保存..."));
        ASSERT_NE(save, nullptr);
        EXPECT_FALSE(save->isEnabled());
        emit list->cellClicked(3, 0);
        EXPECT_TRUE(save->isEnabled());
        EXPECT_FALSE(buttonLabelled(window, QStringLiteral("レベル校正..."))->isEnabled());
        editorSeen = true;

        later([&] {
            QWidget* viewer = QApplication::activeModalWidget();
            ASSERT_NE(viewer, nullptr);
            viewerTitle = viewer->windowTitle();
            auto* rows = viewer->findChild<QTableWidget*>();
            ASSERT_NE(rows, nullptr);
            viewerRows = rows->rowCount();
            lastRow = rows->item(400, 0)->text() + " " + rows->item(400, 1)->text();
            buttonLabelled(viewer, QStringLiteral("OK"))->click();
            later([window] { buttonLabelled(window, QStringLiteral("OK"))->click(); });
        });
        QPushButton* showLens = buttonLabelled(window, QStringLiteral("確認..."), 0);
        ASSERT_NE(showLens, nullptr);
        ASSERT_TRUE(showLens->isEnabled());
        showLens->click();
    });
    EXPECT_EQ(driver.setupWhiteCalibrationData(), 0);
    EXPECT_TRUE(editorSeen);
    EXPECT_EQ(viewerTitle, QStringLiteral("レンズ係数"));
    EXPECT_EQ(viewerRows, 401);
    EXPECT_EQ(lastRow, QStringLiteral("780nm 1.000000"));
    driver.disconnect();
}

}  // namespace
