#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

#include "QtTestSupport.h"
#include "platform/UiServices.h"
#include "rx9100qt/QtUiServices.h"

namespace {

class QtServices : public QtUiTest {};

TEST(QtNameFilters, TurnsPipeSeparatedPairsIntoQtFilters) {
    EXPECT_EQ(rx9100qt::qtNameFilters("*.ucf|*.ucf||"), QStringList{"*.ucf (*.ucf)"});
    EXPECT_EQ(rx9100qt::qtNameFilters("Data|*.l40;*.txt|All|*.*||"),
              (QStringList{"Data (*.l40 *.txt)", "All (*.*)"}));
    EXPECT_TRUE(rx9100qt::qtNameFilters("").isEmpty());
}

TEST_F(QtServices, OkCancelBoxWithCancelDefaultAndIcon) {
    platform::MessageBoxRequest request;
    request.text = "消去します。よろしいですか？";
    request.buttons = platform::MessageBoxButtons::OkCancel;
    request.icon = platform::MessageBoxIcon::Exclamation;
    request.cancelIsDefault = true;
    later([] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Cancel));
        EXPECT_EQ(box->text(), QStringLiteral("消去します。よろしいですか？"));
        box->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(platform::uiServices().messageBox(nullptr, request), platform::IDOK);

    later([] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->button(QMessageBox::Cancel), nullptr);  // a plain OK box
        box->reject();                                         // Escape / close
    });
    EXPECT_EQ(platform::messageBox("x"), platform::IDOK);
}

TEST_F(QtServices, SaveChooserUsesFolderFilterAndDefaultExtension) {
    QTemporaryDir folder;
    platform::FileChooserRequest request;
    request.open = false;
    request.filter = "*.ucf|*.ucf||";
    request.defaultExtension = "ucf";
    request.initialName = folder.path().toStdString() + "/*.ucf";
    request.overwritePrompt = true;
    later([&] {
        auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(chooser, nullptr);
        EXPECT_EQ(chooser->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(chooser->defaultSuffix(), QStringLiteral("ucf"));
        EXPECT_EQ(chooser->nameFilters(), QStringList{"*.ucf (*.ucf)"});
        EXPECT_EQ(QDir(chooser->directory()).canonicalPath(), QDir(folder.path()).canonicalPath());
        EXPECT_FALSE(chooser->testOption(QFileDialog::DontConfirmOverwrite));
        chooser->selectFile("channel3");
        static_cast<QDialog*>(chooser)->accept();  // QFileDialog::accept, as the Save button
    });
    const auto chosen = platform::uiServices().chooseFile(nullptr, request);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(QDir(folder.path()).relativeFilePath(QString::fromStdString(*chosen)),
              QStringLiteral("channel3.ucf"));

    request.open = true;
    later([] { qobject_cast<QDialog*>(QApplication::activeModalWidget())->reject(); });
    EXPECT_FALSE(platform::uiServices().chooseFile(nullptr, request).has_value());
}

TEST_F(QtServices, WaitCursorIsRemovedOnEveryPath) {
    {
        platform::WaitCursor outer;
        platform::WaitCursor inner;
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

}  // namespace
