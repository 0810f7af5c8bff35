#include <gtest/gtest.h>

#include "app.h"
#include "data/loading.h"
#include "ui/scripted_platform.h"
#include "workset_files.h"

namespace brasket {
namespace {

using namespace brasket::testing;

struct Started {
    explicit Started(const fs::path& dir) { loadinitial(app, dir); }
    ScriptedPlatform platform;
    App app{platform};
};

std::vector<std::string> entries(const ListBox& l) {
    std::vector<std::string> v;
    for (int i = 0; i < l.ListCount(); ++i) v.push_back(l.List(i));
    return v;
}

std::vector<std::string> selected(const ListBox& l) {
    std::vector<std::string> v;
    for (int i = 0; i < l.ListCount(); ++i)
        if (l.Selected(i)) v.push_back(l.List(i).substr(0, 2));
    return v;
}

TEST(MainWindowLists, TheStateListComesFromTheDataFolderIfItIsThere) {
    TempFolder dir;
    writefile(dir / "states.prn", "AL,4\r\nDC, 3\nTX,10\r\n\r\n");
    Started s(dir.path());
    const frmplants& m = s.app.main;
    EXPECT_EQ(entries(m.List12), (std::vector<std::string>{"AL   ( 4)", "DC   ( 3)", "TX   (10)"}));
    EXPECT_EQ(stateregion(m, 0), 4);
    EXPECT_EQ(stateregion(m, 2), 10);
    EXPECT_TRUE(s.platform.messages.empty());
    EXPECT_TRUE(m.List12.MultiSelect);

    // Without the file the list is empty, and a region click has no states to select.
    TempFolder empty;
    Started none(empty.path());
    EXPECT_EQ(none.app.main.List12.ListCount(), 0);
    EXPECT_TRUE(none.platform.messages.empty());
    none.app.main.List13.setSelected(0, true);
    EXPECT_EQ(none.app.main.List12.ListCount(), 0);
}

TEST(MainWindowLists, MalformedStateLinesAreLeftOutAndTold) {
    TempFolder dir;
    writefile(dir / "states.prn", "AL,4\r\nXYZ,3\r\nCA\r\nNV,x\r\nWY,8\r\n");
    Started s(dir.path());
    EXPECT_EQ(entries(s.app.main.List12), (std::vector<std::string>{"AL   ( 4)", "WY   ( 8)"}));
    ASSERT_EQ(s.platform.messages.size(), 1u);
    EXPECT_EQ(s.platform.messages[0],
              "states.prn: 3 lines were not a two-letter state code and a region number and were left out of the "
              "state list.");
}

TEST(MainWindowLists, ARegionClickSelectsExactlyTheStatesOfTheSelectedRegions) {
    TempFolder dir;
    writefile(dir / "states.prn", "AL,4\r\nGA,4\r\nDC,3\r\nTX,10\r\nPR,11\r\n");
    Started s(dir.path());
    frmplants& m = s.app.main;
    ASSERT_EQ(entries(m.List13), (std::vector<std::string>{"Region1", "Region2", "Region3", "Region4", "Region5",
                                                           "Region6", "Region7", "Region8", "Region9", "Region10"}));
    EXPECT_TRUE(m.List13.MultiSelect);

    m.List12.setSelected(2, true);  // DC chosen by hand
    m.List13.setSelected(3, true);  // Region4
    EXPECT_EQ(selected(m.List12), (std::vector<std::string>{"AL", "GA"}));
    m.List13.setSelected(9, true);  // Region10
    EXPECT_EQ(selected(m.List12), (std::vector<std::string>{"AL", "GA", "TX"}));
    m.List13.setSelected(3, false);
    EXPECT_EQ(selected(m.List12), (std::vector<std::string>{"TX"}));
    m.List13.setSelected(9, false);
    EXPECT_TRUE(selected(m.List12).empty());

    // Every region: the states of regions 1..10, never one of region 11.
    for (int j = 0; j < 10; ++j) m.List13.setSelected(j, true);
    EXPECT_EQ(selected(m.List12), (std::vector<std::string>{"AL", "GA", "DC", "TX"}));
}

TEST(MainWindowLists, LoadGivesTheStartOptionsTheBusyCaptionAndTheMenus) {
    TempFolder dir;
    writeworkset(dir.path());
    ScriptedPlatform platform;
    App app(platform);
    app.opt.databaseyear = 97;
    app.opt.emisset = 2;
    app.opt.partcorrmode = 5;
    app.opt.estimatemissing = 1;
    app.opt.efmeanoption = 0;
    loadinitial(app, dir.path());
    EXPECT_EQ(app.opt.databaseyear, 90);
    EXPECT_EQ(app.opt.emisset, 1);
    EXPECT_EQ(app.opt.partcorrmode, 100);
    EXPECT_EQ(app.opt.estimatemissing, 0);
    EXPECT_EQ(app.opt.efmeanoption, 1);
    EXPECT_EQ(app.main.Label19.Caption(), " Please wait");
    EXPECT_FALSE(app.main.Label19.Visible());  // the busy panel waits for an import
    EXPECT_FALSE(app.main.Frame4.Visible());   // the area frame waits for its menu item

    frmplants& m = app.main;
    EXPECT_EQ(m.menu("cmderase").Caption(), "Erase all data");
    EXPECT_EQ(m.menu("cmdsaveallupdate").Caption(), "Save update of processed files in set");
    EXPECT_EQ(m.menu("cmdbincalcs").Caption(), "Bin calculations");
    for (const char* name : {"cmdburncorrelation", "cmdemissionfactorset", "cmdbincalcs"})
        EXPECT_TRUE(m.menus().count(name)) << name;
    // Maintenance items are hidden when the window loads; the others stay in the menus.
    EXPECT_FALSE(m.menu("cmdbincalcs").Visible());
    EXPECT_FALSE(m.menu("cmdmakeEF").Visible());
    EXPECT_FALSE(m.menu("cmdupdateconc").Visible());
    EXPECT_TRUE(m.menu("cmdsaveallupdate").Visible());
    EXPECT_TRUE(m.menu("cmdreadhganalysis").Visible());

    const Handler* save = app.handlers.find("cmdsaveallupdate_Click");
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->window, "frmplants");
    EXPECT_EQ(save->caption, "Save update of processed files in set");
    const Handler* erase = app.handlers.find("cmderase_Click");
    ASSERT_NE(erase, nullptr);
    EXPECT_EQ(erase->caption, "Erase all data");
    EXPECT_EQ(erase->menu, save->menu);

    // The menu items run their handlers: erase, then save the emptied set.
    m.menu("cmderase").Click();
    EXPECT_EQ(unitcount(app.ws), 0);
    m.menu("cmdsaveallupdate").Click();
    EXPECT_EQ(readfile(dir / "unit.dat"), "");
    EXPECT_TRUE(platform.messages.empty());
}

// Watches a list and records the working set as it stands when the list first changes.
struct FirstChange : Observer {
    explicit FirstChange(App& a) : app(a) {}
    void changed(Control&) override {
        if (seen) return;
        seen = true;
        fuelname = app.ws.idfuel(1).name.trimmed();
        units = unitcount(app.ws);
        binvalue = app.ws.binnumbervalue(0, 0, 0, 1);
        fuellist = app.main.List4.ListCount();
    }
    App& app;
    bool seen = false;
    std::string fuelname;
    long units = -1, fuellist = -1;
    float binvalue = -1;
};

TEST(MainWindowLists, TheWindowLoadsWhenOnlyTheFuelsAreLoaded) {
    TempFolder dir;
    writeworkset(dir.path());
    writefile(dir / "states.prn", "AL,4\r\n");
    ScriptedPlatform platform;
    App app(platform);
    FirstChange watch(app);
    app.main.List12.observer = &watch;
    loadinitial(app, dir.path());
    ASSERT_TRUE(watch.seen);
    EXPECT_EQ(watch.fuelname, "Fuel 1");
    EXPECT_EQ(watch.units, 0);
    EXPECT_EQ(watch.binvalue, 0.0f);
    EXPECT_EQ(watch.fuellist, 0);
    EXPECT_EQ(unitcount(app.ws), 6);
}

}  // namespace
}  // namespace brasket

namespace brasket {
namespace {

TEST(MainWindowButtons, EachRegisteredButtonRunsItsHandlerWhenClicked) {
    ScriptedPlatform platform;
    App app{platform};
    TempFolder dir;
    writeworkset(dir.path());
    loadinitial(app, dir.path());
    frmplants& m = app.main;
    // The frame "Regulatory requirements": OK runs the fuel burn check and hides the frame.
    m.Frame7.Visible = true;
    m.Command19.Click();
    EXPECT_FALSE(m.Frame7.Visible());
    EXPECT_EQ(app.report.line(2), "Error form for monthly fuel burn");
    // The area frame: ALL selects every region.
    m.Command16.Click();
    ASSERT_EQ(m.List13.ListCount(), 10);
    for (int j = 0; j < 10; ++j) EXPECT_TRUE(m.List13.Selected(j)) << j;
    // While the batch rebuild runs, a button is refused like a menu item.
    app.updatingall = 1;
    m.Command17.Click();
    EXPECT_TRUE(m.List13.Selected(0));
    app.updatingall = 0;
    m.Command17.Click();
    EXPECT_FALSE(m.List13.Selected(0));
}

}  // namespace
}  // namespace brasket
