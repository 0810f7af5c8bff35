#include <gtest/gtest.h>

#include <vector>

#include "app.h"
#include "report/headers.h"
#include "report/reportbuffer.h"
#include "ui/scripted_platform.h"

using namespace brasket;

namespace {

const char* const codes[50] = {"AL", "AZ", "AR", "CA", "CO", "CT", "DE", "FL", "GA", "ID", "IL", "IN", "IA",
                               "KS", "KY", "LA", "ME", "MD", "MA", "MI", "MN", "MS", "MO", "MT", "NE",
                               "NV", "NH", "NJ", "NM", "NY", "NC", "ND", "OH", "OK", "OR", "PA", "RI",
                               "SC", "SD", "TN", "TX", "UT", "VT", "VA", "WA", "WV", "WI", "WY", "AK", "HI"};

struct Header : ::testing::Test {
    ScriptedPlatform platform;
    App app{platform};
    frmplants& w = mainwindow(app);

    void SetUp() override {
        w.List12.Clear();
        for (int i = 0; i < 50; ++i) w.List12.AddItem(std::string(codes[i]) + "   ( " + std::to_string(i % 10 + 1) + ")");
        startreport(app, 0, 0);
    }
    std::vector<std::string> lines() const {
        std::vector<std::string> out;
        for (long i = 1; i <= app.report.reportlinecount; ++i) out.push_back(app.report.line(i));
        return out;
    }
};

}  // namespace

TEST_F(Header, StartOptionsWithTwentyFiveOfFiftyStates) {
    for (int i = 0; i < 50; i += 2) w.List12.setSelected(i, true);
    reportsettings(app);
    std::vector<std::string> expected = {
        "     Database 90;  1990 plant data base used for calculations.",
        "     Emis set 1;  1990 emission control data base was used.",
        "     Calc mode 1;  1990 calculation procedure was used.",
        "     The log mean emission modification factor was used for calculations.",
        "     Conc set: 1 1990 combustion concentration set was used.",
        "     The median combustion concentration was used for calculations.",
        " States used in the calculations",
        "   AL; AR; CO; DE; GA; IL; IA; KY; ME; MA; MN; MO; NE; NH; NM; NC; OH; OR; RI; SD; TX;",
        "   VT; WA; WI; AK;",
    };
    EXPECT_EQ(lines(), expected);
}

TEST_F(Header, EveryStateOrNoStateListWritesNoStateLines) {
    for (int i = 0; i < 50; ++i) w.List12.setSelected(i, true);
    reportstates(app);
    EXPECT_EQ(app.report.reportlinecount, 0);
    w.List12.Clear();
    reportstates(app);
    EXPECT_EQ(app.report.reportlinecount, 0);
}

TEST_F(Header, LastStateLineMayHoldNoCode) {
    for (int i = 0; i < 21; ++i) w.List12.setSelected(i, true);
    reportstates(app);
    auto l = lines();
    ASSERT_EQ(l.size(), 3u);  // heading, 21 codes, and the line written at the list's end
    EXPECT_EQ(l[2], "");
}

TEST_F(Header, OtherOptionValues) {
    app.opt.databaseyear = 97;
    app.opt.emisset = 2;
    app.opt.calcmode = 3;
    app.opt.efmeanoption = 0;
    app.opt.concset = 2;
    app.opt.gasmedianoption = 0;
    for (int i = 0; i < 50; ++i) w.List12.setSelected(i, true);
    reportsettings(app);
    std::vector<std::string> expected = {
        "     Database 97;",
        "     Emis set 2;  1997 emission control data base was used.",
        "     Calc mode 3;  The 2010 calculation procedure was used.",
        "     The average emission modification factor was used for calculations.",
        "     Conc set: 2 The updated 1997 combustion concentration set was used.",
        "     The average combustion concentration was used for calculations.",
    };
    EXPECT_EQ(lines(), expected);

    startreport(app, 0, 0);
    app.opt.databaseyear = 94;
    app.opt.calcmode = 0;
    app.opt.emisset = 0;
    app.opt.efmeanoption = 2;
    app.opt.concset = 3;
    reportsettings(app);
    expected = {
        "     Database 94;  1994 plant data base used for calculations.",
        "     Emis set 0;",
        "     Calc mode 0;",
        "     The average emission modification factor was used for calculations.",
        "     The average combustion concentration was used for calculations.",
    };
    EXPECT_EQ(lines(), expected);

    startreport(app, 0, 0);
    app.opt.databaseyear = 2010;
    app.opt.emisset = 3;
    app.opt.calcmode = 2;
    app.opt.concset = 0;
    app.opt.gasmedianoption = 2;
    reportsettings(app);
    expected = {
        "     Database 2010;  2010 plant data base used for calculations.",
        "     Emis set 3;",
        "     Calc mode 2;  The updated 1997 calculation procedure was used.",
        "     The average emission modification factor was used for calculations.",
    };
    EXPECT_EQ(lines(), expected);
}

TEST_F(Header, Upgrades) {
    w.Option13.Value = true;
    reportupgrades(app);
    EXPECT_EQ(app.report.reportlinecount, 0);  // "change all" alone says nothing
    w.Option7.Value = true;
    w.Option10.Value = true;
    reportupgrades(app);
    EXPECT_EQ(lines(), std::vector<std::string>{" Coal BH;  coal WS; upgrade all."});
    startreport(app, 0, 0);
    w.Option7.Value = false;
    w.Option10.Value = false;
    w.Option9.Value = true;
    w.Option12.Value = true;
    w.Option13.Value = false;
    reportupgrades(app);
    EXPECT_EQ(lines(), std::vector<std::string>{" coal DS; oil ESP;"});
}
