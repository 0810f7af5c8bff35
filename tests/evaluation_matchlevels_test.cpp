#include <gtest/gtest.h>

#include <array>
#include <string>

#include "app.h"
#include "common/numtext.h"
#include "evaluation/binscan.h"
#include "evaluation/matchlevels.h"
#include "evaluation_lists.h"
#include "exampleset.h"
#include "ui/scripted_platform.h"

using namespace brasket;
using brasket::testing::fillevaluationlists;
using brasket::testing::propose;
using brasket::testing::setfuel;

namespace {

// Fuel classes (list positions + 1) and their fuel codes in the window's fuel list.
constexpr long bituminous = 3, subbituminous = 4, lignite = 5, coalgasfuel = 13, emptyrow = 2;

struct MatchLevels : ::testing::Test {
    ScriptedPlatform platform;
    App app{platform};
    Form1& f = app.form1;

    void SetUp() override {
        loadbuiltinbins(app);
        fillevaluationlists(f);
        for (int row = 0; row < 4; ++row) setfuel(f, row, emptyrow);
        configuration(1, 203, 8, 1, 3, 27);    // CONV/PC NONOX (second type of the pair), cold ESP, FGD
        configuration(2, 204, 1, 2, 3, 15);    // CONV/PC NOX, baghouse, FGD
        configuration(3, 203, 12, 2, 1, 19);   // CONV/PC NOX by a type boilercodes does not give
        configuration(4, 213, 22, 16, 8, 0);   // coal gas
        configuration(5, 203, 1, 15, 5, 33);   // CONV/PC NOX, no particulate control, spray dryer
        // One tested unit: unit 12, CONV/PC NOX without particulate control behind a spray dryer,
        // filed under bin 8.
        unit(12, 1, 15, 5);
        testrow(40, "Alpha 1", 12, 8);
        test(1, "Alpha 1", 3);
        settestcount(app.ws, 1);
    }
    void configuration(long row, int fuel, int boiler, int pm, int so2, int bin) {
        binindexrec& r = app.ws.binindex(row);
        r.unitfuel = i16(fuel), r.unitboiler = u8(boiler), r.unitpm = u8(pm), r.unitso2 = u8(so2), r.unitcode = u8(bin);
    }
    void unit(long u, int boiler, int pm, int so2) {
        unitcrec& r = app.ws.unitc(u);
        r.modelboiler = u8(boiler), r.modelpm = u8(pm), r.modelso2 = u8(so2);
    }
    void testrow(long row, const char* name, int unit, int bin) {
        binindexrec& r = app.ws.binindex(row);
        r.testname = name, r.testunit = i16(unit), r.testcode = i16(bin);
    }
    void test(long j, const char* name, int fuel) {
        app.ws.test(j).testname = name;
        app.ws.test(j).fueltype = i16(fuel);
    }
    struct Cell {
        long bin;
        std::string caption;
        long color;
        std::string tip;
        int level;
    };
    Cell evaluate(int row) {
        long bin = checkmatchlevel(app, row);
        const Label& c = f.Label14[static_cast<std::size_t>(row)];
        return {bin, c.Caption(), c.BackColor(), c.ToolTipText(), f.matchlevel[static_cast<std::size_t>(row)]};
    }
};

// Each level of the cascade, reached by its own configuration; the colour and tool tip follow
// the level.
TEST_F(MatchLevels, EachLevelShowsItsBinColourAndToolTip) {
    const std::string yellowtip = "This is the bin assignment.  Yellow indicates the absence of an exact match.";
    const std::string orangetip =
        "This is the bin assignment.  Orange indicates a computer assigned best match.  See long report for details.";
    const long scanned = scanbins(app, lignite, 2, 1, 1, 4);
    struct Case {
        const char* what;
        int row;
        long fuel;
        std::array<int, 4> proposal;  // boiler group, NOx group, particulate, SO2
        int level;
        std::string caption;
        long color;
        std::string tip;
    } cases[] = {
        // The bin table has its own row (bin 33) for this configuration, but the test comes first.
        {"tested unit", 0, bituminous, {0, 0, 15, 5}, 1, "8", 0x8000000F,
         "This is the bin assignment.  There is an exact bin match."},
        {"boiler types 3, then 8", 1, bituminous, {0, 3, 1, 3}, 2, "27", 0xC0FFFF, yellowtip},
        {"coal gas: second type, bin 0 prints no digit", 0, coalgasfuel, {4, 0, 16, 8}, 2, "", 0xC0FFFF, yellowtip},
        // fabric filter type 3 and no SO2 code: baghouse (2) with FGD (3)
        {"coarse codes", 2, subbituminous, {0, 0, 3, 0}, 3, "15", 0xC0FFFF, yellowtip},
        {"boiler and NOx group", 3, bituminous, {0, 0, 2, 1}, 4, "19", 0xC000FF, orangetip},
        {"scan only", 0, lignite, {2, 1, 4, 1}, 5, std::to_string(scanned), 0xC0E0FF, orangetip},
    };
    for (const Case& k : cases) {
        for (int row = 0; row < 4; ++row) setfuel(f, row, emptyrow);
        setfuel(f, k.row, k.fuel);
        propose(f, k.proposal[0], k.proposal[1], k.proposal[2], k.proposal[3]);
        const Cell c = evaluate(k.row);
        EXPECT_EQ(c.level, k.level) << k.what;
        EXPECT_EQ(c.caption, k.caption) << k.what;
        EXPECT_EQ(c.bin, k.caption.empty() ? 0 : std::stol(k.caption)) << k.what;
        EXPECT_EQ(c.color, k.color) << k.what;
        EXPECT_EQ(c.tip, k.tip) << k.what;
    }
    // A scan that finds no bin either: "NM".
    app.model.binconfig.clear();
    fixb(app, " 90  5  2  1  4  1");
    const Cell c = evaluate(0);
    EXPECT_EQ(c.level, 5);
    EXPECT_EQ(c.bin, 90);
    EXPECT_EQ(c.caption, "NM");
}

TEST_F(MatchLevels, ARowWithoutFuelShowsNA) {
    f.Label26[1].Caption = "0.45  (55.0%)";
    f.Label26[1].ToolTipText = "previous";
    propose(f, 2, 1, 4, 1);
    Cell c = evaluate(1);
    EXPECT_EQ(c.bin, 90);
    EXPECT_EQ(c.caption, "NA");
    EXPECT_EQ(c.level, 5);
    EXPECT_EQ(c.color, 0xC0E0FF);
    EXPECT_EQ(f.Label26[1].Caption(), " ");
    EXPECT_EQ(f.Label26[1].ToolTipText(), "");
    // A bin-table row of the empty fuel by boiler and NOx group: level 4, still no bin.
    configuration(6, 202, 12, 2, 1, 31);
    propose(f, 0, 0, 2, 1);
    c = evaluate(1);
    EXPECT_EQ(c.level, 4);
    EXPECT_EQ(c.color, 0xC000FF);
    EXPECT_EQ(c.caption, "NA");
    // A scrubber without particulate control is the unity bin for every fuel code, the empty
    // one included; the empty row still has no bin.
    propose(f, 0, 0, 15, 3);
    c = evaluate(1);
    EXPECT_EQ(c.level, 2);
    EXPECT_EQ(c.bin, 90);
    EXPECT_EQ(c.caption, "NA");
}

TEST_F(MatchLevels, BinDisplayUpdateShowsEveryRow) {
    setfuel(f, 0, bituminous);
    setfuel(f, 1, subbituminous);
    setfuel(f, 3, bituminous);
    propose(f, 0, 0, 15, 5);
    Command13_Click(app);
    EXPECT_EQ(f.Label14[0].Caption(), "8");
    EXPECT_EQ(f.matchlevel[0], 1);
    EXPECT_NE(f.matchlevel[1], 1);  // the test burnt bituminous coal
    EXPECT_EQ(f.Label14[2].Caption(), "NA");
    EXPECT_EQ(f.Label14[3].Caption(), "8");
}

TEST(BoilerCodes, PairsSetOnlyTheirOwnOutputs) {
    const std::array<long, 5> cases[] = {{0, 1, 19, 13, 24}, {0, 3, 3, 8, 0}, {4, 0, 0, 22, 0}, {2, 5, 0, 0, 0}};
    for (const auto& c : cases) {
        std::array<long, 3> t{-1, -1, -1};
        boilercodes(c[0], c[1], t[0], t[1], t[2]);
        EXPECT_EQ(t, (std::array<long, 3>{c[2], c[3], c[4]})) << c[0] << "," << c[1];
    }
}

TEST(MatchLevelsExample, BinDisplayUpdateOnAnExampleUnit) {
    ScriptedPlatform platform;
    App app{platform};
    brasket::testing::loadexampleset(app, platform);
    ASSERT_TRUE(selectunit(app, 1));
    cmdevaluateunit_Click(app);
    Form1& f = app.form1;
    f.Combo3[1].setListIndex(2);  // a baghouse behind a spray dryer for every fuel
    f.Combo3[2].setListIndex(5);
    f.Command13.Click();
    const long colours[] = {0, 0x8000000F, 0xC0FFFF, 0xC0FFFF, 0xC000FF, 0xC0E0FF};
    int fuelled = 0;
    for (int i = 0; i < 4; ++i) {
        const Label& cell = f.Label14[static_cast<std::size_t>(i)];
        const int level = f.matchlevel[static_cast<std::size_t>(i)];
        ASSERT_GE(level, 1);
        ASSERT_LE(level, 5);
        EXPECT_EQ(cell.BackColor(), colours[level]) << i;
        if (!hasfuel(f, i)) {
            EXPECT_EQ(cell.Caption(), "NA") << i;
            continue;
        }
        ++fuelled;
        const long bin = static_cast<long>(val(cell.Caption()));
        EXPECT_TRUE(bin >= 0 && bin < 90) << i << " [" << cell.Caption() << "]";
        if (level == 5) {
            EXPECT_EQ(bin, scanbins(app, fuelclass(f, i), f.Combo3[0].ListIndex(), f.Combo3[3].ListIndex(), 5, 2)) << i;
        }
    }
    EXPECT_GE(fuelled, 1);
}

struct TestCheck : MatchLevels {
    void SetUp() override {
        MatchLevels::SetUp();
        setfuel(f, 0, bituminous);
        propose(f, 0, 0, 15, 5);
    }
};

TEST_F(TestCheck, EveryCodeOfTheConfigurationMustAgree) {
    EXPECT_TRUE(checkbinnumbermatch(app, 0, 8));
    EXPECT_FALSE(checkbinnumbermatch(app, 0, 9));
    propose(f, 1, 0, 15, 5);
    EXPECT_FALSE(checkbinnumbermatch(app, 0, 8));
    propose(f, 0, 3, 15, 5);
    EXPECT_FALSE(checkbinnumbermatch(app, 0, 8));
    propose(f, 0, 0, 16, 5);
    EXPECT_FALSE(checkbinnumbermatch(app, 0, 8));
    propose(f, 0, 0, 15, 10);
    EXPECT_FALSE(checkbinnumbermatch(app, 0, 8));
    propose(f, 0, 0, 15, 5);
    setfuel(f, 0, subbituminous);
    EXPECT_FALSE(checkbinnumbermatch(app, 0, 8));
    // The empty fuel row is never confirmed, not even by a test of the empty fuel.
    test(1, "Alpha 1", 2);
    setfuel(f, 0, emptyrow);
    EXPECT_FALSE(checkbinnumbermatch(app, 0, 8));
}

TEST_F(TestCheck, LikeFuelsAndWetScrubbersCountAlike) {
    // Fuel class 10 folds into 3; a test fuel code 1 counts as 3.
    setfuel(f, 0, 10);
    test(1, "Alpha 1", 1);
    EXPECT_TRUE(checkbinnumbermatch(app, 0, 8));
    // SO2 codes 2, 4 and 7 count as 3, on both sides.
    unit(12, 1, 1, 7);
    testrow(40, "Alpha 1", 12, 1);
    for (int so2 : {2, 3, 4, 7}) {
        propose(f, 0, 0, 1, so2);
        EXPECT_TRUE(checkbinnumbermatch(app, 0, 1)) << so2;
    }
}

TEST_F(TestCheck, TheLastTestRowOfTheNameAndAnyConfirmingTestCount) {
    testrow(60, "Alpha 1", 12, 9);  // a later row of the same name files the test under bin 9
    EXPECT_FALSE(checkbinnumbermatch(app, 0, 8));
    EXPECT_TRUE(checkbinnumbermatch(app, 0, 9));
    // A later test that does not agree leaves the confirmation standing.
    test(2, "Beta", 4);
    testrow(61, "Beta", 13, 9);
    unit(13, 7, 1, 1);
    settestcount(app.ws, 2);
    EXPECT_TRUE(checkbinnumbermatch(app, 0, 9));
}

TEST_F(TestCheck, TestsWithoutATestRowOrAKnownUnitConfirmNothing) {
    // A test whose name no test row carries would read the table's element 0, which points at
    // the matching unit here; it must not confirm bin 90.
    test(1, "Gamma", 3);
    app.ws.binindex(0).testunit = 12;
    EXPECT_FALSE(checkbinnumbermatch(app, 0, 90));
    test(1, "Alpha 1", 3);
    for (int u : {-3, 0, 2001, 30000}) {
        testrow(40, "Alpha 1", u, 8);
        EXPECT_FALSE(checkbinnumbermatch(app, 0, 8)) << u;
    }
    // A damaged test count reads no further than the test table.
    app.ws.test(0).inpart = 1e9f;
    EXPECT_FALSE(checkbinnumbermatch(app, 0, 8));
}

}  // namespace
