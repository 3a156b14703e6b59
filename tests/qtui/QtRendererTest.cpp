// Every control kind rendered from a template and kept in step with its model.
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest/QTest>

#include "QtTestSupport.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Text.h"

using namespace platform::ui;

namespace {

const DialogTemplate& everyKind() {
    static const DialogTemplate t{
        990,
        "kinds",
        300,
        220,
        {
            {10, ControlKind::Combo, "", {4, 4, 80, 60}},
            {11, ControlKind::NumericEdit, "", {90, 4, 50, 12}},
            {12, ControlKind::Spin, "", {140, 4, 10, 12}, StyleNone, 0, 11},
            {13, ControlKind::Check, "check", {160, 4, 60, 10}},
            {14,
             ControlKind::List,
             "",
             {4, 24, 140, 80},
             ListCheckBoxes | ListFullRowSelect | ListGridLines},
            {15, ControlKind::Graph, "", {150, 24, 140, 80}},
            {16, ControlKind::Grid, "", {4, 110, 140, 100}},
        },
    };
    return t;
}

class Kinds : public Dialog {
  public:
    Kinds() : Dialog(everyKind()) {}
    std::vector<int> doubleClicked;

  protected:
    void onInitDialog() override {
        combo(10).addItem("seven", 7);
        combo(10).addItem("fourteen", 14);
        combo(10).select(0);
        numericEdit(11).setRange(1, 16);
        numericEdit(11).setScaledValue(4);
        spin(12).setRange(1, 16);
        auto& l = list(14);
        l.setColors(0xC0C0C0, 0xD2D2D2);
        l.insertColumn(0, {"CH", 30});
        l.insertColumn(1, {"ID", 100});
        for (int ch = 0; ch <= 10; ++ch) {
            l.insertRow(ch, ch < 10 ? "0" + std::to_string(ch) : "10");
            l.setCell(ch, 1, "id" + std::to_string(ch));
        }
        graph(15).setSeries({{"m", std::vector<double>(401, 50.0)}});
        grid(16).setColumnTitle("基準データ");
        grid(16).setWavelengthRows(380, 780);
    }
    void onListDoubleClick(int, int row) override { doubleClicked.push_back(row); }
};

class QtRenderer : public QtUiTest {};

TEST_F(QtRenderer, RendersEveryKindAndRoutesInputToTheModels) {
    setUserDecimalSeparator('.');
    Kinds dialog;
    dialog.create();
    QCoreApplication::processEvents();  // lists are rebuilt on the next turn of the loop

    auto* box = widget<QComboBox>(dialog, 10);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->count(), 2);
    EXPECT_EQ(box->itemData(1).toLongLong(), 14);
    box->setCurrentIndex(1);
    emit box->activated(1);
    EXPECT_EQ(dialog.combo(10).selectedData(), 14);

    auto* arrows = runner->widgetFor(dialog, 12);
    auto buttons = arrows->findChildren<QToolButton*>();
    ASSERT_EQ(buttons.size(), 2);
    buttons[0]->click();  // up
    EXPECT_EQ(widget<QLineEdit>(dialog, 11)->text(), QStringLiteral("5"));

    auto* table = widget<QTableWidget>(dialog, 14);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), 11);
    EXPECT_EQ(table->horizontalHeaderItem(1)->text(), QStringLiteral("ID"));
    EXPECT_EQ(table->columnWidth(0), 30);
    EXPECT_FALSE(table->horizontalHeader()->sectionsClickable());
    EXPECT_TRUE(table->showGrid());
    EXPECT_EQ(table->palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0xC0));
    table->item(3, 0)->setCheckState(Qt::Checked);
    EXPECT_TRUE(dialog.list(14).checked(3));
    emit table->cellDoubleClicked(5, 1);
    EXPECT_EQ(dialog.list(14).selectionMark(), 5);
    EXPECT_EQ(dialog.doubleClicked, std::vector<int>{5});

    dialog.list(14).setCell(2, 1, "changed");
    QCoreApplication::processEvents();
    EXPECT_EQ(table->item(2, 1)->text(), QStringLiteral("changed"));

    auto* grid = widget<QTableWidget>(dialog, 16);
    EXPECT_EQ(grid->rowCount(), 401);
    EXPECT_EQ(grid->verticalHeaderItem(400)->text(), QStringLiteral("780"));
    grid->item(0, 0)->setText("1.5x");
    EXPECT_EQ(dialog.grid(16).cellText(0), "1.5");
    EXPECT_EQ(grid->item(0, 0)->text(), QStringLiteral("1.5"));

    dialog.numericEdit(11).setEnabled(false);
    EXPECT_FALSE(widget<QLineEdit>(dialog, 11)->isEnabled());
    dialog.checkBox(13).setToolTip("tip");
    EXPECT_EQ(widget<QCheckBox>(dialog, 13)->toolTip(), QStringLiteral("tip"));

    const QImage shot = runner->grab(dialog);
    EXPECT_GT(shot.width(), 300);
    EXPECT_GT(shot.height(), 200);
    setUserDecimalSeparator(0);
}

}  // namespace

namespace {

class TwoFields : public Dialog {
  public:
    static const DialogTemplate& layout() {
        static const DialogTemplate t{
            991,
            "fields",
            120,
            60,
            {
                {1004, ControlKind::NumericEdit, "", {4, 4, 50, 12}},
                {1007, ControlKind::NumericEdit, "", {4, 20, 50, 12}},
                {platform::IDOK, ControlKind::Button, "OK", {4, 40, 40, 14}},
            }};
        return t;
    }
    TwoFields() : Dialog(layout()) {}

  protected:
    void onInitDialog() override {
        numericEdit(1004).setRange(1, 16);
        numericEdit(1004).setScaledValue(4);
        numericEdit(1007).setRange(20, 200);
        numericEdit(1007).setScaledValue(60);
    }
};

class QtNumericField : public QtUiTest {};

// Leaving a field with an out-of-range value shows one prompt and puts the
// focus back into that field, without the prompt coming back by itself.
TEST_F(QtNumericField, OutOfRangePromptReturnsFocusOnce) {
    TwoFields dialog;
    int prompts = 0;
    later([&] {
        QDialog* window = runner->windowFor(dialog);
        window->activateWindow();
        auto* hz = widget<QLineEdit>(dialog, 1007);
        auto* count = widget<QLineEdit>(dialog, 1004);
        hz->setFocus();
        QCoreApplication::processEvents();
        hz->selectAll();
        QTest::keyClicks(hz, "5");
        later([&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                ++prompts;
                box->button(QMessageBox::Ok)->click();
            }
        });
        count->setFocus();  // the field reports its range on losing the focus
        later(
            [&, window, hz] {
                EXPECT_EQ(dialog.focus(), 1007);
                EXPECT_EQ(window->focusWidget(), hz);
                EXPECT_TRUE(dialog.numericEdit(1007).rejected());
                dialog.userKey(Key::Escape);
            },
            100);
    });
    EXPECT_EQ(dialog.doModal(), platform::IDCANCEL);
    EXPECT_EQ(prompts, 1);
}

}  // namespace
