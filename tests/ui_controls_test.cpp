#include <gtest/gtest.h>

#include "app.h"
#include "ui/controls.h"
#include "ui/scripted_platform.h"

using namespace brasket;

namespace {
struct CountingObserver : Observer {
    int changes = 0;
    void changed(Control&) override { ++changes; }
};
}  // namespace

TEST(Controls, PropertiesTellTheirObserverOnlyOfRealChanges) {
    Label l;
    CountingObserver o;
    l.observer = &o;
    l.Caption = "x";
    l.Caption = "x";
    l.Visible = false;
    EXPECT_EQ(o.changes, 2);
    EXPECT_EQ(l.Caption(), "x");
}

TEST(Controls, ListIndexAndSelectionRunTheClickHandler) {
    ListBox list;
    int clicks = 0;
    list.onClick = [&] { ++clicks; };
    list.AddItem("a");
    list.AddItem("b");
    EXPECT_EQ(list.ListIndex(), -1);
    list.setListIndex(1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(list.SelectedText(), "b");
    list.setListIndex(1);  // no change, no click
    EXPECT_EQ(clicks, 1);
    list.Clear();
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(list.List(5), "");
    EXPECT_THROW(list.setListIndex(3), std::out_of_range);

    ListBox multi;
    multi.MultiSelect = true;
    multi.AddItem("a");
    multi.AddItem("b");
    multi.setSelected(0, true);
    multi.setSelected(1, true);
    EXPECT_TRUE(multi.Selected(0));
    EXPECT_TRUE(multi.Selected(1));
}

TEST(Controls, TextBoxChangeRunsOnEverySetAndComboShowsTypedOrSelectedText) {
    TextBox t;
    int changes = 0;
    t.onChange = [&] { ++changes; };
    t.setText("8");
    t.setText("8");
    t.setText("10");
    EXPECT_EQ(changes, 2);

    ComboBox c;
    c.AddItem("CONV/PC");
    c.AddItem("CYCLONE");
    c.setText("CYCLONE");
    EXPECT_EQ(c.ListIndex(), 1);
    c.setText("NONE typed");
    EXPECT_EQ(c.Text(), "NONE typed");
    c.setListIndex(0);
    EXPECT_EQ(c.Text(), "CONV/PC");
}

TEST(Controls, PictureBoxRecordsItsDrawing) {
    PictureBox p;
    p.Line(0, 0, 10, 10, 0xFF);
    p.Circle(5, 5, 2);
    p.CurrentX = 3;
    p.CurrentY = 0;
    p.Print("Fuel type", 100);
    ASSERT_EQ(p.ops.size(), 3u);
    EXPECT_EQ(p.ops[2].text, "Fuel type");
    EXPECT_EQ(p.ops[2].x1, 3);
    EXPECT_EQ(p.CurrentY, 100);
    p.Cls();
    EXPECT_TRUE(p.ops.empty());
}

TEST(ScriptedPlatformTest, DialogsTakeQueuedAnswersAndCancelWhenNoneLeft) {
    ScriptedPlatform p;
    p.answers.push_back("/tmp/a.txt");
    FileDialog d;
    EXPECT_EQ(p.openfile(d), "/tmp/a.txt");
    EXPECT_NE(p.openfile(d).find('*'), std::string::npos);
    EXPECT_EQ(p.unanswered, 1);
    p.msgbox("hello");
    EXPECT_EQ(p.messages.back(), "hello");
    EXPECT_EQ(p.msgbox("sure?", vbYesNo), vbYes);
}

TEST(ScriptedPlatformTest, PrinterRecordsPagesAndOrientation) {
    ScriptedPlatform p;
    Printer& pr = p.printer();
    pr.Print("one");
    pr.NewPage();
    pr.setOrientation(2);
    pr.Print("two");
    std::string err;
    ASSERT_TRUE(pr.EndDoc(err));
    ASSERT_EQ(p.printer_.documents.size(), 1u);
    const auto& doc = p.printer_.documents[0];
    ASSERT_EQ(doc.size(), 2u);
    EXPECT_EQ(doc[0].lines[0].text, "one");
    EXPECT_EQ(doc[1].orientation, 2);
    EXPECT_EQ(doc[1].lines[0].text, "two");
}

TEST(AppState, MainWindowLoadsOnFirstUseWithTheStartOptions) {
    ScriptedPlatform p;
    auto app = std::make_unique<App>(p);
    app->opt.databaseyear = 0;
    EXPECT_FALSE(app->main.loaded);
    frmplants& w = mainwindow(*app);
    EXPECT_TRUE(w.loaded);
    EXPECT_EQ(app->opt.databaseyear, 90);
    EXPECT_EQ(app->opt.partcorrmode, 100);
    EXPECT_EQ(w.Check1[1].Caption(), "Truncate distribution at 1");
    EXPECT_EQ(&w.menu("cmderase"), &w.menu("cmderase"));
}
