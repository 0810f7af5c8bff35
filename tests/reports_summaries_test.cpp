// The example factor calculation of a unit and the unit data scan summary: their rows, the
// runs they skip, names outside their tables, the tallies, and golden reports over the example
// working set.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <initializer_list>
#include <utility>
#include <vector>

#include "app.h"
#include "exampleset.h"
#include "golden.h"
#include "report/reportbuffer.h"
#include "reports/binspeciation.h"
#include "reports/datascan.h"
#include "reports/factorexample.h"
#include "reports/factorsummary.h"
#include "reports/testruns.h"
#include "ui/scripted_platform.h"
#include "unitwindow/form1.h"

using namespace brasket;

namespace {

struct Summaries : ::testing::Test {
    ScriptedPlatform platform;
    std::unique_ptr<App> owned = std::make_unique<App>(platform);
    App& app = *owned;

    void SetUp() override {
        ::setenv("TZ", "UTC", 1);
        ::tzset();
        platform.clock = brasket::testing::fixedclock();
        app.ws.emfactor(3, furnacecolumn).name = "PC WALL";
        app.ws.emfactor(1, pmcolumn).name = "ESP-CS";
        app.ws.emfactor(2, so2column).name = "WET SCRUB/VENTURI";
        app.ws.idfuel(0).name = "NONE";
        app.ws.idfuel(3).name = "BITUMINOUS";
        app.ws.idfuel(5).name = "LIGNITE";
    }
    testrec& add(int kind, int type, const std::string& name) {
        const long n = testcount(app.ws) + 1;
        settestcount(app.ws, n);
        testrec& t = app.ws.test(n);
        t.testkind = static_cast<u8>(kind);
        t.typecode = static_cast<u8>(type);
        t.testname = name;
        t.runid = "1";
        return t;
    }
    unitcrec& unit(long u, int boiler, int pm, int so2) {
        setunitcount(app.ws, std::max(unitcount(app.ws), u));
        unitcrec& r = app.ws.unitc(u);
        r.modelboiler = static_cast<u8>(boiler);
        r.modelpm = static_cast<u8>(pm);
        r.modelso2 = static_cast<u8>(so2);
        return r;
    }
    std::vector<std::string> lines() const {
        std::vector<std::string> out;
        for (long i = 1; i <= app.report.reportlinecount; ++i) out.push_back(app.report.line(i));
        return out;
    }
    bool has(const std::string& line) const {
        for (const std::string& l : lines())
            if (l == line) return true;
        return false;
    }
    std::string find(const std::string& prefix) const {
        for (const std::string& l : lines())
            if (l.rfind(prefix, 0) == 0) return l;
        return "<none>";
    }
    long count(const std::string& prefix) const {
        long n = 0;
        for (const std::string& l : lines())
            if (l.rfind(prefix, 0) == 0) ++n;
        return n;
    }
};

}  // namespace

// ---- example factor calculation ---------------------------------------------------------------

TEST_F(Summaries, ExampleCalculationOfUnitOneWhenNoneIsChosen) {
    unitcrec& u = unit(1, 3, 1, 2);
    u.ownerno = 2;
    app.ws.owner(2).ownername = "SYNTHETIC POWER";
    u.plantno = 4;
    app.ws.plant(4).plantname = "PLANT FOUR";
    app.ws.idplant(4).pfcode = "4004";
    cmdflowsheet_Click(app);
    EXPECT_EQ(app.report.pageindex().substr(0, 1), "2");
    EXPECT_EQ(app.report.line(1), "  Estimate of Emission Modification Factors for Unit");
    EXPECT_EQ(app.report.line(2), "  Data base record  1    07-14-1999");
    EXPECT_TRUE(has("The owner is SYNTHETIC POWER"));
    EXPECT_TRUE(has("The plant is PLANT FOUR"));
    EXPECT_TRUE(has("pf code 4004"));
    EXPECT_TRUE(has("Boiler/NOx type: PC WALL"));
    EXPECT_TRUE(has("Particulate control: ESP-CS"));
    EXPECT_TRUE(has("SO2 control: WET SCRUB/VENTURI"));
    EXPECT_EQ(lines().back(), "@NEW PAGE");
    EXPECT_TRUE(app.display.loaded);
}

TEST_F(Summaries, ExampleCalculationRowsOfTheUnitsTypesOnly) {
    unit(1, 3, 1, 2);
    testrec& b = add(boilertest, 3, "BOILER");
    b.outpart = 1;
    b.outox = 1;
    b.outelem = 2;
    add(boilertest, 4, "OTHER BOILER").outpart = 1;
    add(boilertest, 3, "NO OUTLET");
    testrec& p = add(particulatetest, 1, "ESP RUN");
    p.inpart = p.inox = p.inelem = 10;
    p.outpart = 1;
    p.outox = 2;
    p.outelem = 5;
    p.o2in = 6;
    p.o2out = 9;
    testrec& noelem = add(particulatetest, 1, "NO ELEM");
    noelem = p;
    noelem.testname = "NO ELEM";
    noelem.inelem = 0;
    testrec& fullo2 = add(particulatetest, 1, "FULL O2");
    fullo2 = p;
    fullo2.testname = "FULL O2";
    fullo2.o2out = 21;
    app.ws.emfactor(1, pmcolumn).hgpart = 0.5f;
    cmdflowsheet_Click(app);
    EXPECT_EQ(find(" BOILER"), " BOILER    1       1.        1.        2.        .25       .25       .5");
    EXPECT_EQ(count(" OTHER"), 0);
    EXPECT_EQ(count(" NO OUTLET"), 0);
    EXPECT_EQ(count("There were no reported tests"), 0);
    EXPECT_EQ(find(" ESP RUN"), " ESP RUN   1       10.       10.       10.       1.        2.        5.        1.25      .125      .25       .625");
    EXPECT_EQ(count(" NO ELEM"), 0);
    EXPECT_EQ(count(" FULL O2"), 0);
    // The average lines print the table's values and always say "average".
    std::string average = " average factors for unit control emission modification factor";
    average.resize(89, ' ');
    EXPECT_TRUE(has(average + ".5        .         ."));
    EXPECT_EQ(count(" average factors for unit control emission modification factor"), 2);
}

TEST_F(Summaries, ExampleCalculationOfAUnitWithoutBoilerRunsListsTheTestedTypes) {
    unit(1, 3, 1, 2);
    app.ws.emfactor(5, furnacecolumn).name = "STOKER/LNB";
    app.ws.emfactor(5, furnacecolumn).testcount = 3;
    app.ws.emfactor(5, furnacecolumn).hgelem = 0.75f;
    cmdflowsheet_Click(app);
    EXPECT_TRUE(has("There were no reported tests for this unit. average for others used."));
    EXPECT_TRUE(has("  STOKER/LNB                                     .         .         .75"));
}

TEST_F(Summaries, ExampleCalculationWithNumbersOutsideTheTablesHasEmptyNames) {
    unitcrec& u = unit(1, 200, 99, 31);
    u.ownerno = 9999;
    u.operatorno = -4;
    u.plantno = 3000;
    ASSERT_NO_THROW(cmdflowsheet_Click(app));
    EXPECT_TRUE(has("The owner is"));
    EXPECT_TRUE(has("The plant is"));
    EXPECT_TRUE(has("pf code"));
    EXPECT_TRUE(has("Boiler/NOx type:"));
    app.currentunit = 2500;  // not a unit of the table: every name empty
    ASSERT_NO_THROW(cmdflowsheet_Click(app));
    EXPECT_EQ(app.report.line(2), "  Data base record  2500    07-14-1999");
}

// ---- unit data scan ---------------------------------------------------------------------------

namespace {

void burn(App& app, long u, long slot, long fuel, float hg, float tons) {
    for (long m = 1; m <= 12; ++m) {
        unitcoalrec& c = app.ws.unitcoal(u, m);
        c.fuelnum[static_cast<std::size_t>(slot)] = static_cast<i16>(fuel);
        c.hgppm[static_cast<std::size_t>(slot)] = hg;
        c.drytons[static_cast<std::size_t>(slot)] = tons;
    }
}

}  // namespace

TEST_F(Summaries, DataScanFuelsBurntWithTheirMercuryAndTons) {
    unit(1, 3, 1, 0);
    unit(2, 3, 1, 0);
    burn(app, 1, 1, 3, 0.1f, 1000);   // 12000 tons, 0.0012 tons of mercury
    burn(app, 1, 2, 5, 0, 10);        // burnt, no mercury value
    burn(app, 2, 1, 4, 0.2f, 0);      // never burnt
    burn(app, 2, 2, 0, 0.3f, 500);    // no fuel number
    burn(app, 2, 3, 2500, 0.1f, 50);  // beyond the fuel numbers
    cmddatascan_Click(app);
    EXPECT_EQ(app.report.pageindex().substr(0, 1), "0");
    EXPECT_EQ(find(" 1.2e-03"), " 1.2e-03         12000.                BITUMINOUS");
    EXPECT_EQ(find(" .e+00"), " .e+00           120.                  LIGNITE");
    std::string totals;
    for (const std::string& l : lines())
        if (l.find("TOTALS") != std::string::npos && totals.empty()) totals = l;
    EXPECT_EQ(totals, " 1.2e-03          12120                TOTALS");
    EXPECT_EQ(count(" Unit 2 month"), 12);
    EXPECT_EQ(find(" Unit 2 month 1:"), " Unit 2 month 1: fuel number 2500 is beyond the fuel numbers and was skipped.");
    EXPECT_EQ(count(" 2.4e-03"), 0);
}

TEST_F(Summaries, DataScanDeviceListingsCountUnitsAndMegawatts) {
    unitcrec& a = unit(1, 3, 1, 0);
    a.mw = 100.5f;
    a.specboiler = 250;
    a.specnox = 7;  // beyond the NOx list of three names: not listed
    a.specpm = 2;
    unitcrec& b = unit(2, 3, 0, 0);
    b.mw = 200;
    b.specpm = 2;
    setnamecount(app.ws.noxnames, 3);
    setnamecount(app.ws.pmnames, 2);
    app.ws.pmnames(2) = "FABRIC FILTER";
    setnamecount(app.ws.boilernames, 10);
    app.ws.boilernames(250) = "BEYOND THE COUNT";
    cmddatascan_Click(app);
    // A device line: the unit count at column 2, the name at 20, the megawatts at 80.
    auto device = [](const std::string& units, const std::string& name, const std::string& mw) {
        std::string l = " " + units;
        l.resize(19, ' ');
        l += name;
        l.resize(79, ' ');
        return l + mw;
    };
    EXPECT_TRUE(has(device(" 2", "PC WALL", " 300.5")));
    EXPECT_EQ(count("  A LISTING OF"), 8);
    // The particulate model listing: code 1 carried by one unit, code 0 counted nowhere.
    EXPECT_TRUE(has(device(" 1", "ESP-CS", " 100.5")));
    EXPECT_TRUE(has(device(" 2", "FABRIC FILTER", " 300.5")));
    // Specified boilers scan 1..300 whatever the list's count.
    EXPECT_TRUE(has(device(" 1", "BEYOND THE COUNT", " 100.5")));
    // The NOx listing ends at its list's count: its TOTALS count none.
    std::vector<std::string> totals;
    for (const std::string& l : lines())
        if (l.find("TOTALS") != std::string::npos) totals.push_back(l.substr(0, 3));
    EXPECT_EQ(totals, (std::vector<std::string>{" .e", "  2", "  0", "  1", "  1", "  0", "  2", "  0"}));
    // Every listing after the fuels starts a page of its own.
    long pagefirsts = 0;
    for (long p = 1; p <= pagecount(app.report); ++p) {
        const std::string& first = app.report.line(pagelines(app.report, p).first);
        const std::string& second = app.report.line(pagelines(app.report, p).first + 1);
        if (first.rfind("  A LISTING OF", 0) == 0 || second.rfind("  A LISTING OF", 0) == 0) ++pagefirsts;
    }
    EXPECT_EQ(pagefirsts, 8);
}

// ---- emission factor summary -----------------------------------------------------------------

namespace {

// A line with texts at 1-based columns, as the expected rows are written.
std::string at(std::initializer_list<std::pair<long, std::string>> texts) {
    std::string l;
    for (const auto& [col, text] : texts) {
        if (l.size() < static_cast<std::size_t>(col - 1)) l.resize(static_cast<std::size_t>(col - 1), ' ');
        l = l.substr(0, static_cast<std::size_t>(col - 1)) + text;
    }
    return l;
}

emfactorrec cell(float part, float ox, float elem, float tests) {
    emfactorrec c;
    c.hgpart = part;
    c.hgox = ox;
    c.hgelem = elem;
    c.testcount = tests;
    c.sdpart = 0.125f;
    return c;
}

}  // namespace

TEST_F(Summaries, FactorSummaryTotalsAreWeightedByTestsAndNormalised) {
    app.ws.emfactor(1, furnacecolumn).name = "PC WALL/LNB";
    app.ws.emfactor(2, furnacecolumn).name = "TYPE 2";
    app.ws.emfactorf(3, 1) = cell(0.2f, 0.4f, 0.4f, 2);
    app.ws.emfactorf(4, 1) = cell(0.4f, 0.2f, 0.4f, 1);
    app.ws.emfactorf(5, 2) = cell(0, 0, 0, 2);  // tested, but no fractions: no quotient
    app.ws.emfactorf(6, 2) = cell(0.5f, 0.25f, 0.25f, 0);  // untested: label alone in part 1
    cmdefsummary_Click(app);
    EXPECT_EQ(app.report.line(1), "  Estimate of Emission Modification Factors for Units and Fuel Type ");
    EXPECT_EQ(app.report.pageindex().substr(0, 1), "2");
    std::vector<std::string> totals;
    for (const std::string& l : lines())
        if (l.rfind(" TOTALS", 0) == 0) totals.push_back(l);
    ASSERT_EQ(totals.size(), 23u + 10u + 10u);
    EXPECT_EQ(totals[0], at({{2, "TOTALS"}, {25, ".26667"}, {35, ".33333"}, {45, ".4"}, {85, "3"}}));
    EXPECT_EQ(totals[1], at({{2, "TOTALS"}, {85, "2"}}));  // fractions that sum to 0 give no quotient
    EXPECT_EQ(totals[2], " TOTALS");                        // no tested cell: the name and an empty count
    // Part 1 rows: the label alone for an untested cell, the values of a tested one.
    EXPECT_TRUE(has(at({{2, "BITUMINOUS"}, {25, ".2"}, {35, ".4"}, {45, ".4"}, {55, ".125"}, {65, "."}, {75, "."}, {85, "2"}})));
    // Part 3 rows are full whatever the count, and count nothing for an untested cell.
    EXPECT_TRUE(has(at({{2, "TYPE 2"}, {25, ".5"}, {35, ".25"}, {45, ".25"}, {55, ".125"}, {65, "."}, {75, "."}})));
}

TEST_F(Summaries, FactorSummaryLabelsAndCountsByFuel) {
    for (long b = 1; b <= 23; ++b) app.ws.emfactor(b, furnacecolumn).name = "TYPE " + std::to_string(b);
    app.ws.idfuel(1).name = "FUEL ROW ONE";
    app.ws.idfuel(2).name = "FUEL ROW TWO";
    app.ws.idfuel(4).name = "SUBBITUMINOUS WITH A LONG NAME";
    app.ws.emfactorfs(4, 1) = cell(0.1f, 0.2f, 0.7f, 3);
    app.ws.emfactorfs(4, 2) = cell(0.1f, 0.2f, 0.7f, 2);
    app.ws.emfactorfs(4, 5) = cell(0.1f, 0.2f, 0.7f, 7);  // chlorine: not in the fuel's count
    app.ws.emfactorf(4, 3) = cell(0.1f, 0.2f, 0.7f, -2);  // a negative count is not totalled
    app.ws.emfactorf(3, 3) = cell(0.1f, 0.2f, 0.7f, 4);
    app.opt.missingfactormode = 1;
    cmdefsummary_Click(app);
    for (const std::string& l : lines()) {
        EXPECT_EQ(l.find("FUEL ROW"), std::string::npos) << l;
    }
    EXPECT_TRUE(has(" Summary data for fuel type SUBBITUMINOUS WITH A"));
    EXPECT_TRUE(has(" Summary data for fuel type SUBBITUMINOUS WITH A LONG NAME"));
    EXPECT_TRUE(has(" COAL GAS PROCESS"));
    EXPECT_TRUE(has("Missing factors by average fuel type."));
    // The count summaries: part 1 by boiler type, part 2 and part 3 by fuel.
    std::vector<std::string> summary;
    for (const std::string& l : lines())
        if (l.size() < 45 && (l.rfind(" Total", 0) == 0 || l.rfind(" SUBBITUMINOUS WITH A LONG NAME ", 0) == 0 ||
                              l.rfind(" TYPE 3 ", 0) == 0))
            summary.push_back(l);
    EXPECT_EQ(summary, (std::vector<std::string>{
                           at({{2, "TYPE 3"}, {40, "4"}}),  // part 1: the negative count adds nothing
                           at({{2, "Total"}, {40, "4"}}),
                           at({{2, "SUBBITUMINOUS WITH A LONG NAME"}, {40, "5"}}),  // part 2: sulfur classes only
                           at({{2, "Total"}, {40, "5"}}),
                           at({{2, "SUBBITUMINOUS WITH A LONG NAME"}, {40, "-2"}}),  // part 3
                           at({{2, "Total"}, {40, "4"}}),
                       }));
    app.opt.missingfactormode = 7;
    cmdefsummary_Click(app);
    EXPECT_EQ(count("Missing factors"), 0);
}

// ---- speciation report of a bin --------------------------------------------------------------

TEST_F(Summaries, SpeciationReportListsTheRunsTheBinTableAssigns) {
    unitcrec& u = unit(7, 3, 1, 2);
    (void)u;
    auto testrow = [&](long j, const std::string& name, int bin, int line) {
        binindexrec& r = app.ws.binindex(j);
        r.testname = name;
        r.testcode = static_cast<i16>(bin);
        r.testline = static_cast<u8>(line);
        r.testunit = 7;
        r.testfuel = 3;
    };
    testrow(1, "SERIES UNIT", 12, 1);    // control runs only
    testrow(2, "ANY KIND", 12, 2);       // every kind
    testrow(3, "Case Unit", 12, 2);
    auto run = [&](int kind, const std::string& name, const std::string& id) -> testrec& {
        const long n = testcount(app.ws) + 1;
        settestcount(app.ws, n);
        testrec& t = app.ws.test(n);
        t.testkind = static_cast<u8>(kind);
        t.testname = name;
        t.runid = id;
        t.o2in = t.o2out = 6;
        t.inpart = 0;
        t.inox = 6;
        t.inelem = 4;  // shares 0, .6, .4
        t.outox = 7.2f;  // factor 1.2: removal -20%
        t.outelem = 1;   // factor .25: removal 75%
        return t;
    };
    run(1, "SERIES UNIT", "1");     // a boiler run: not for a row of line 1
    run(3, "SERIES UNIT", "2");
    run(1, "ANY KIND", "A7 ");      // a run id that is no number
    run(2, "case unit", "1");       // letter case differs: no match
    run(3, "ANY KIND", "3").o2out = 21;  // no oxygen correction
    testrec& empty = run(3, "ANY KIND", "4");
    empty.outox = empty.outelem = 0;
    speciationreport(app, 12);
    const std::vector<std::string> l = lines();
    ASSERT_EQ(l.size(), 6u);
    EXPECT_EQ(l[0], "");
    EXPECT_EQ(l[1], "   Emission control device type  12");
    auto runline = [](const std::string& name, const std::string& id) {
        return at({{2, name}, {20, id}, {28, "%(100%)"}, {40, "60%(-20%)"}, {52, "40%(75%)"},
                   {65, "  PC WALL  ESP-CS  WET SCRUB/VENTURI  GAS Bit"}});
    };
    EXPECT_EQ(l[4], runline("SERIES UNIT", " 2"));
    EXPECT_EQ(l[5], runline("ANY KIND", "A7"));
    startreport(app, 0, 0);
    speciationreport(app, 13);  // a bin that no row names: the headings only
    EXPECT_EQ(lines().size(), 4u);
}

TEST_F(Summaries, BinLabelPressExplainsTheRowsBin) {
    Form1& f = unitwindow(app);
    f.Label14[0].Caption = "NA";
    Label14_MouseDown(app, 0, rightbutton);
    EXPECT_EQ(lines(), (std::vector<std::string>{"", " You have not identified a fuel for evaluation.",
                                                 " Please identify a fuel, amount burned, and mercury content."}));
    f.Label14[1].Caption = "NM";
    f.Label14[1].BackColor = yellowcell;
    Label14_MouseDown(app, 1, leftbutton);
    EXPECT_EQ(lines(), (std::vector<std::string>{
                           "", "This display presents the bin that is assigned for the fuel.",
                           "   This bin is not an exact match with previous assignments, but is the closest match", "",
                           "No automatic identification of applicable bin configuration for this fuel in this unit."}));
    f.Label14[2].Caption = "12";
    f.Label14[2].BackColor = buttonfacecolor;
    Label14_MouseDown(app, 2, rightbutton);
    EXPECT_EQ(lines()[2], "   This bin assignment is based upon previous manual evaluation of configurations.");
    EXPECT_EQ(lines()[5], "   Emission control device type  12");
    const long before = app.report.reportlinecount;
    Label14_MouseDown(app, 2, 4);  // the middle button does nothing
    EXPECT_EQ(app.report.reportlinecount, before);
    Label14_MouseDown(app, 2, leftbutton);  // the factor listing of the bin instead
    EXPECT_GT(app.report.reportlinecount, 5);
    for (const std::string& l : lines()) EXPECT_EQ(l.find("speciation % and % removal"), std::string::npos);
}

// ---- golden reports ---------------------------------------------------------------------------

TEST_F(Summaries, GoldenExampleCalculationOfAUnit) {
    brasket::testing::loadexampleset(app, platform);
    app.currentunit = 5;
    cmdflowsheet_Click(app);
    brasket::testing::expectgolden("factorexample.txt", brasket::testing::reporttext(app.report));
}

TEST_F(Summaries, GoldenEmissionFactorSummary) {
    brasket::testing::loadexampleset(app, platform);
    cmdefsummary_Click(app);
    brasket::testing::expectgolden("factorsummary.txt", brasket::testing::reporttext(app.report));
}

TEST_F(Summaries, GoldenSpeciationOfAnExampleUnitsBin) {
    brasket::testing::loadexampleset(app, platform);
    ASSERT_TRUE(selectunit(app, 1));
    cmdevaluateunit_Click(app);
    Label14_MouseDown(app, 0, rightbutton);
    brasket::testing::expectgolden("binspeciation.txt", brasket::testing::reporttext(app.report));
}

TEST_F(Summaries, GoldenUnitDataScan) {
    brasket::testing::loadexampleset(app, platform);
    cmddatascan_Click(app);
    brasket::testing::expectgolden("datascan.txt", brasket::testing::reporttext(app.report));
}
