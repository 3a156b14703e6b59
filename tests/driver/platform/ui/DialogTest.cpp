#include <gtest/gtest.h>

#include "platform/ui/Dialog.h"
#include "platform/ui/ScriptedUiTest.h"

using namespace platform::ui;
using platform::IDCANCEL;
using platform::IDOK;

namespace {

const DialogTemplate& sampleTemplate() {
    static const DialogTemplate t{
        800,
        "Sample",
        200,
        120,
        {
            {kNoId, ControlKind::Static, "label", {0, 0, 10, 8}},
            {10, ControlKind::Radio, "a", {0, 10, 10, 8}, GroupStart | Checked},
            {11, ControlKind::Radio, "b", {0, 20, 10, 8}},
            {12, ControlKind::Radio, "c", {0, 30, 10, 8}, GroupStart},
            {13, ControlKind::Radio, "d", {0, 40, 10, 8}, Checked},
            {20, ControlKind::Check, "chk", {0, 50, 10, 8}},
            {21, ControlKind::Combo, "", {0, 60, 10, 8}},
            {22, ControlKind::Edit, "init", {0, 70, 10, 8}, Disabled},
            {23, ControlKind::Button, "go", {0, 80, 10, 8}, Hidden},
            {24, ControlKind::List, "", {0, 90, 10, 8}, ListCheckBoxes | ListFullRowSelect},
            {IDOK, ControlKind::Button, "OK", {0, 100, 10, 8}, DefaultButton},
        },
    };
    return t;
}

class SampleDialog : public Dialog {
  public:
    SampleDialog() : Dialog(sampleTemplate()) {}
    std::vector<std::string> events;

  protected:
    void onInitDialog() override { events.push_back("init"); }
    void onClicked(int id) override { events.push_back("click " + std::to_string(id)); }
    void onSelectionChange(int id) override { events.push_back("sel " + std::to_string(id)); }
    void onListItemChanged(int id, int row) override {
        events.push_back("item " + std::to_string(id) + ":" + std::to_string(row));
    }
    void onListDoubleClick(int id, int row) override {
        events.push_back("dbl " + std::to_string(id) + ":" + std::to_string(row));
    }
};

TEST(Dialog, BuildsModelsWithInitialStatesFromItsTemplate) {
    SampleDialog d;
    EXPECT_EQ(d.templateId(), 800);
    EXPECT_EQ(d.title(), "Sample");
    EXPECT_EQ(d.controls().size(), 11u);
    EXPECT_EQ(d.findControl(kNoId), nullptr);
    EXPECT_TRUE(d.radio(10).checked());
    EXPECT_NE(d.radio(10).group(), d.radio(12).group());
    EXPECT_EQ(d.radio(10).group(), d.radio(11).group());
    EXPECT_FALSE(d.edit(22).enabled());
    EXPECT_EQ(d.edit(22).text(), "init");
    EXPECT_FALSE(d.button(23).visible());
    EXPECT_TRUE(d.list(24).checkBoxes());
    EXPECT_FALSE(d.list(24).headerClickable());
}

TEST(Dialog, HeadlessRunnerCancelsModalDialogsWithoutStartingThem) {
    setDialogRunner(nullptr);
    SampleDialog d;
    EXPECT_EQ(d.doModal(), IDCANCEL);
    EXPECT_FALSE(d.initialized());
    EXPECT_TRUE(d.events.empty());
}

class DialogActions : public ScriptedUiTest {};

TEST_F(DialogActions, RadioClicksStayWithinTheirGroup) {
    SampleDialog d;
    runner->when(800).click(11).click(12).click(IDOK);
    EXPECT_EQ(d.doModal(), IDOK);
    EXPECT_FALSE(d.radio(10).checked());
    EXPECT_TRUE(d.radio(11).checked());
    EXPECT_TRUE(d.radio(12).checked());
    EXPECT_FALSE(d.radio(13).checked());
    EXPECT_EQ(d.checkedRadioButton(10, 11), 11);
    d.checkRadioButton(12, 13, 13);
    EXPECT_EQ(d.checkedRadioButton(12, 13), 13);
    EXPECT_EQ(d.events, (std::vector<std::string>{"init", "click 11", "click 12"}));
}

TEST_F(DialogActions, DisabledAndHiddenControlsRefuseTheUser) {
    SampleDialog d;
    runner->when(800).type(22, "x").click(23).click(20).key(Key::Enter);
    EXPECT_EQ(d.doModal(), IDOK);
    EXPECT_EQ(d.edit(22).text(), "init");
    EXPECT_TRUE(d.checkBox(20).checked());
    const auto problems = runner->problems();
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_NE(problems[0].find("type 22"), std::string::npos);
    EXPECT_NE(problems[1].find("click 23"), std::string::npos);
}

TEST_F(DialogActions, ComboSelectionByItemDataAndEscapeCancels) {
    SampleDialog d;
    runner->when(800)
        .inspect([](Dialog& dlg) {
            dlg.combo(21).addItem("seven", 7);
            dlg.combo(21).addItem("fourteen", 14);
        })
        .selectData(21, 14)
        .selectData(21, 99)  // no such item: refused
        .key(Key::Escape);
    EXPECT_EQ(d.doModal(), IDCANCEL);
    EXPECT_EQ(d.combo(21).selection(), 1);
    EXPECT_EQ(d.combo(21).selectedData(), 14);
    EXPECT_EQ(runner->problems().size(), 1u);
}

TEST_F(DialogActions, EnterIgnoresADisabledDefaultButton) {
    SampleDialog d;
    runner->when(800)
        .inspect([](Dialog& dlg) { dlg.button(IDOK).setEnabled(false); })
        .key(Key::Enter)
        .inspect([](Dialog& dlg) { EXPECT_FALSE(dlg.ended()); })
        .close();
    EXPECT_EQ(d.doModal(), IDCANCEL);
}

TEST_F(DialogActions, ListRowsChecksSelectionAndDoubleClick) {
    SampleDialog d;
    runner->when(800)
        .inspect([](Dialog& dlg) {
            auto& l = dlg.list(24);
            l.insertColumn(0, {"No.", 40});
            l.insertColumn(1, {"Lv", 60});
            for (int i = 0; i < 3; ++i) {
                const int row = l.insertRow(l.rowCount(), std::to_string(i + 1));
                l.setCell(row, 1, "v" + std::to_string(i));
            }
        })
        .checkRow(24, 2)
        .doubleClickRow(24, 1)
        .checkRow(24, 5)  // refused
        .click(IDOK);
    EXPECT_EQ(d.doModal(), IDOK);
    auto& l = d.list(24);
    EXPECT_TRUE(l.checked(2));
    EXPECT_FALSE(l.checked(1));
    EXPECT_EQ(l.selectionMark(), 1);
    EXPECT_EQ(d.events, (std::vector<std::string>{"init", "item 24:2", "item 24:1", "dbl 24:1"}));

    // Inserting a column in front shifts every row's cells.
    l.insertColumn(1, {"kind", 90});
    EXPECT_EQ(l.cell(2, 0), "3");
    EXPECT_EQ(l.cell(2, 1), "");
    EXPECT_EQ(l.cell(2, 2), "v2");
    l.deleteRow(0);
    EXPECT_EQ(l.selectionMark(), 0);  // the mark follows its row
    l.deleteColumn(1);
    EXPECT_EQ(l.cell(1, 1), "v2");
}

TEST(ControlModels, ProgressSpinGraphAndGrid) {
    ProgressBar bar(ControlTemplate{1, ControlKind::Progress, "", {}});
    bar.setRange(0, 1234);
    bar.setPos(2000);
    EXPECT_EQ(bar.pos(), 1234);

    SpectralGraph graph(ControlTemplate{2, ControlKind::Graph, "", {}});
    EXPECT_FALSE(graph.setRange(600, 600));
    EXPECT_TRUE(graph.setRange(300, 500));
    EXPECT_EQ(graph.rangeFrom(), 380.0);
    EXPECT_EQ(graph.rangeTo(), 500.0);
    graph.showFullRange();
    EXPECT_EQ(graph.rangeTo(), 780.0);

    ReferenceGrid grid(ControlTemplate{3, ControlKind::Grid, "", {}});
    grid.setWavelengthRows(380, 780);
    EXPECT_EQ(grid.rowCount(), 401);
    EXPECT_EQ(grid.rowLabel(400), "780");
    setUserDecimalSeparator(',');
    EXPECT_EQ(ReferenceGrid::typedResult("1,5e-3x.%"), "1,5e-3");
    setUserDecimalSeparator(0);
}

}  // namespace

TEST(Dialog, OutOfRangeAccessAnswersEmptyInsteadOfThrowing) {
    SampleDialog dlg;
    // A programming error (an id the template lacks, another kind) must not throw out of
    // the driver: a detached stand-in answers, and the real controls stay as they were.
    Edit& missing = dlg.edit(99);
    missing.setText("x");
    EXPECT_EQ(missing.id(), 99);
    EXPECT_EQ(dlg.findControl(99), nullptr);  // not part of the dialog
    ComboBox& wrongKind = dlg.combo(20);      // 20 is a check box
    wrongKind.addItem("stray");
    EXPECT_EQ(dlg.checkBox(20).text(), "chk");
    EXPECT_EQ(dlg.radio(12).group(), dlg.radio(13).group());
    EXPECT_EQ(dlg.radio(98).group(), 0);

    ComboBox& combo = dlg.combo(21);
    combo.addItem("one", 1);
    EXPECT_EQ(combo.item(5).text, "");
    ListView& list = dlg.list(24);
    list.insertColumn(0, {"c", 10});
    list.insertRow(0, "r");
    EXPECT_EQ(list.row(3).cells.size(), 0u);
    EXPECT_EQ(list.column(-1).title, "");
    EXPECT_EQ(list.row(0).cells.at(0), "r");
}
