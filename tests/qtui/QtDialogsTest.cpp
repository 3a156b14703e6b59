// The five first dialogs as real Qt windows, driven through their widgets.
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest/QTest>
#include <thread>

#include "QtTestSupport.h"
#include "dialogs/CCheckCommunicationDlg.h"
#include "measure/CMeasureProgressDlg.h"
#include "resources/StringTable.h"
#include "transfer/CSelectClearFormatDlg.h"
#include "transfer/CUploadProgDlg.h"
#include "usercal/CEditCalIdDlg.h"

using platform::IDCANCEL;
using platform::IDOK;

namespace {

class QtDialogs : public QtUiTest {};

TEST_F(QtDialogs, EditCalIdFiltersTypedKeysAndReturnsTheTextOnOk) {
    CEditCalIdDlg dlg;
    dlg.setChannel(3);
    dlg.setId("OLD");
    later([&] {
        QDialog* window = runner->windowFor(dlg);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->windowTitle(), QStringLiteral("ID編集(CH03)"));
        auto* field = widget<QLineEdit>(dlg, 1502);
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->text(), QStringLiteral("OLD"));
        EXPECT_EQ(field->maxLength(), 10);
        field->selectAll();
        QTest::keyClicks(field, "AB!C~D|E");
        EXPECT_EQ(field->text(), QStringLiteral("ABCDE"));
        EXPECT_EQ(widget<QPushButton>(dlg, IDCANCEL)->text(), QStringLiteral("キャンセル"));
        widget<QPushButton>(dlg, IDOK)->click();
    });
    EXPECT_EQ(dlg.doModal(), IDOK);
    EXPECT_EQ(dlg.getId(), "ABCDE");
}

TEST_F(QtDialogs, EditCalIdEscapeCancels) {
    CEditCalIdDlg dlg;
    dlg.setId("KEEP");
    later([&] { QTest::keyClick(runner->windowFor(dlg), Qt::Key_Escape); });
    EXPECT_EQ(dlg.doModal(), IDCANCEL);
    EXPECT_EQ(dlg.getId(), "KEEP");
}

TEST_F(QtDialogs, SelectClearFormatConfirmsDeleteAllAndStaysOpenOnCancel) {
    CSelectClearFormatDlg dlg;
    QString asked;
    later([&] {
        EXPECT_EQ(runner->windowFor(dlg)->windowTitle(), QStringLiteral("測定器保持データ消去"));
        auto* targets = widget<QRadioButton>(dlg, 17003);
        EXPECT_EQ(targets->text(), QStringLiteral("基準色"));
        EXPECT_TRUE(widget<QRadioButton>(dlg, 17002)->isChecked());
        targets->click();
        EXPECT_FALSE(widget<QRadioButton>(dlg, 17002)->isChecked());
        later([&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            asked = box->text();
            box->button(QMessageBox::Cancel)->click();
            later([&] {
                EXPECT_TRUE(runner->windowFor(dlg)->isVisible());
                widget<QPushButton>(dlg, IDCANCEL)->click();
            });
        });
        widget<QPushButton>(dlg, IDOK)->click();
    });
    EXPECT_EQ(dlg.doModal(), IDCANCEL);
    EXPECT_EQ(asked.toStdString(), resources::loadString(20560));
}

TEST_F(QtDialogs, SelectClearFormatSelectionClosesWithOk) {
    CSelectClearFormatDlg dlg;
    later([&] {
        widget<QRadioButton>(dlg, 17005)->click();
        widget<QPushButton>(dlg, IDOK)->click();
    });
    EXPECT_EQ(dlg.doModal(), IDOK);
    EXPECT_EQ(dlg.getMethod(), 1);
    EXPECT_EQ(dlg.getKind(), 0);
}

TEST_F(QtDialogs, MeasureProgressShowsTimeAndBarAndCancelKeepsItOpen) {
    CMeasureProgressDlg progress;
    progress.show();
    QDialog* window = runner->windowFor(progress);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("測定中"));
    progress.setRange(0, 1234);
    progress.setTimeText("12.34");
    bool qtEventHandled = false;
    later([&] { qtEventHandled = true; });
    progress.setPos(617);
    EXPECT_TRUE(qtEventHandled);  // setPos pumped the Qt events
    EXPECT_EQ(widget<QLabel>(progress, 1902)->text(), QStringLiteral("12.34"));
    EXPECT_EQ(widget<QProgressBar>(progress, 1903)->maximum(), 1234);
    EXPECT_EQ(widget<QProgressBar>(progress, 1903)->value(), 617);
    widget<QPushButton>(progress, IDCANCEL)->click();
    EXPECT_TRUE(progress.cancel);
    EXPECT_TRUE(window->isVisible());
    progress.destroyWindow();
    EXPECT_EQ(runner->windowFor(progress), nullptr);
}

TEST_F(QtDialogs, UploadProgressShowsItsLineAndCancel) {
    CUploadProgDlg progress;
    progress.show();
    progress.setRange(1, 100);
    progress.setText("3 / 100 " + resources::loadString(20782));
    progress.setPos(3);
    EXPECT_EQ(runner->windowFor(progress)->windowTitle(), QStringLiteral("データ取り込み中"));
    EXPECT_EQ(widget<QLabel>(progress, 7003)->text(), QStringLiteral("3 / 100 転送済み"));
    EXPECT_EQ(widget<QProgressBar>(progress, 7002)->value(), 3);
    QTest::keyClick(runner->windowFor(progress), Qt::Key_Escape);
    EXPECT_TRUE(progress.cancel);
    EXPECT_TRUE(runner->windowFor(progress)->isVisible());
}

TEST_F(QtDialogs, CheckCommunicationIsAnUntitledNoticeTheUserCannotClose) {
    auto notice = std::make_unique<CCheckCommunicationDlg>(resources::loadString(20151));
    notice->show();
    QDialog* window = runner->windowFor(*notice);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(widget<QLabel>(*notice, 1602)->text(), QStringLiteral("測定中"));
    EXPECT_TRUE(widget<QLabel>(*notice, 1602)->alignment() & Qt::AlignHCenter);
    EXPECT_TRUE(widget<QPushButton>(*notice, IDOK)->isHidden());
    QTest::keyClick(window, Qt::Key_Return);
    QTest::keyClick(window, Qt::Key_Escape);
    window->close();
    EXPECT_TRUE(window->isVisible());
    notice->setText("...");
    EXPECT_EQ(widget<QLabel>(*notice, 1602)->text(), QStringLiteral("..."));
    notice.reset();
    EXPECT_EQ(QApplication::topLevelWidgets().count(window), 0);
}

}  // namespace

namespace {

class QtAwayFromGuiThread : public QtUiTest {};

// The receive thread makes its "測定中" notice and may show a notice box; neither
// may touch widgets nor wait for the GUI thread.
TEST_F(QtAwayFromGuiThread, DialogsStayModelsAndBoxesDoNotBlock) {
    std::string shownText;
    int notice = 0;
    int question = 0;
    bool hadWindow = true;
    std::thread worker([&] {
        CCheckCommunicationDlg dlg(resources::loadString(20151));
        dlg.show();
        dlg.setText("x");
        shownText = dlg.staticText(1602).text();
        hadWindow = runner->windowFor(dlg) != nullptr;
        notice = platform::messageBox(resources::loadString(20150));
        question = platform::messageBox("?", platform::MessageBoxButtons::OkCancel);
    });
    worker.join();
    EXPECT_EQ(shownText, "x");
    EXPECT_FALSE(hadWindow);
    EXPECT_EQ(notice, platform::IDOK);
    EXPECT_EQ(question, platform::IDCANCEL);
    QCoreApplication::processEvents();  // the notice box appears on the GUI thread
    QWidget* box = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* b = qobject_cast<QMessageBox*>(w); b && b->isVisible()) {
            box = b;
        }
    }
    ASSERT_NE(box, nullptr);
    box->close();
}

}  // namespace
