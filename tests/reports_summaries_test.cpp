// The example factor calculation of a unit, the speciation report of a bin, the emission factor
// summary and the unit data scan: their rows, the runs they skip, names outside their tables,
// the tallies and counts, and golden reports over the example working set.
#include <string>
#include <tuple>
#include <vector>

#include "golden.h"
#include "report_testkit.h"
#include "reports/binspeciation.h"
#include "reports/datascan.h"
#include "reports/factorexample.h"
#include "reports/factorsummary.h"
#include "model/testruns.h"
#include "unitwindow/form1.h"

using namespace brasket;
using namespace brasket::testing;

namespace {

struct Summaries : ReportTest {
    void SetUp() override {
        ReportTest::SetUp();
        app.ws.emfactor(3, furnacecolumn).name = "PC WALL";
        app.ws.emfactor(1, pmcolumn).name = "ESP-CS";
        app.ws.emfactor(2, so2column).name = "WET SCRUB/VENTURI";
        app.ws.idfuel(0).name = "NONE";
        app.ws.idfuel(3).name = "BITUMINOUS";
        app.ws.idfuel(5).name = "LIGNITE";
    }
    unitcrec& unit(long u, int boiler, int pm, int so2) {
        setunitcount(app.ws, std::max(unitcount(app.ws), u));
        unitcrec& r = app.ws.unitc(u);
        r.modelboiler = static_cast<u8>(boiler);
        r.modelpm = static_cast<u8>(pm);
        r.modelso2 = static_cast<u8>(so2);
        return r;
    }
    // The lines holding `what`, each cut to its first n characters.
    std::vector<std::string> holding(const std::string& what, std::size_t n = std::string::npos) const {
        std::vector<std::string> out;
        for (const std::string& l : lines())
            if (l.find(what) != std::string::npos) out.push_back(l.substr(0, n));
        return out;
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
    typed(table.boiler("BOILER", "1", 0, 0, 1, 1, 2, 0), 3);
    typed(table.boiler("OTHER BOILER", "1", 0, 0, 1, 0, 0, 0), 4);
    typed(table.boiler("NO OUTLET", "1", 0, 0, 0, 0, 0, 0), 3);
    // Inlet 10, 10, 10, outlet 1, 2, 5, oxygen 6 % in and 9 % out; then the same without an
    // inlet form and at 21 % oxygen out.
    for (const char* name : {"ESP RUN", "NO ELEM", "FULL O2"}) {
        testrec& t = typed(table.device({name, "1", pmtestkind, 0, 0, 6, 9}), 1);
        t.inpart = t.inox = t.inelem = 10;
        t.outpart = 1, t.outox = 2, t.outelem = 5;
        if (name[0] == 'N') t.inelem = 0;
        if (name[0] == 'F') t.o2out = 21;
    }
    app.ws.emfactor(1, pmcolumn).hgpart = 0.5f;
    cmdflowsheet_Click(app);
    EXPECT_EQ(app.report.pageindex().substr(0, 1), "2");
    EXPECT_EQ(app.report.line(1), "  Estimate of Emission Modification Factors for Unit");
    EXPECT_EQ(app.report.line(2), "  Data base record  1    07-14-1999");
    for (const char* l : {"The owner is SYNTHETIC POWER", "The plant is PLANT FOUR", "pf code 4004",
                          "Boiler/NOx type: PC WALL", "Particulate control: ESP-CS", "SO2 control: WET SCRUB/VENTURI"})
        EXPECT_TRUE(has(l)) << l;
    EXPECT_EQ(find(" BOILER"), " BOILER    1       1.        1.        2.        .25       .25       .5");
    EXPECT_EQ(count(" OTHER") + count(" NO OUTLET") + count(" NO ELEM") + count(" FULL O2"), 0);
    EXPECT_EQ(count("There were no reported tests"), 0);
    EXPECT_EQ(find(" ESP RUN"), " ESP RUN   1       10.       10.       10.       1.        2.        5.        1.25      .125      .25       .625");
    // The average lines print the table's values and always say "average".
    EXPECT_TRUE(has(columns({{1, " average factors for unit control emission modification factor"}, {90, ".5"},
                             {100, "."}, {110, "."}})));
    EXPECT_EQ(count(" average factors for unit control emission modification factor"), 2);
    EXPECT_EQ(lines().back(), "@NEW PAGE");
    EXPECT_TRUE(app.display.loaded);
}

TEST_F(Summaries, ExampleCalculationWithoutRunsOrWithNumbersOutsideTheTables) {
    unitcrec& u = unit(1, 200, 99, 31);
    u.ownerno = 9999;
    u.operatorno = -4;
    u.plantno = 3000;
    app.ws.emfactor(5, furnacecolumn).name = "STOKER/LNB";
    app.ws.emfactor(5, furnacecolumn).testcount = 3;
    app.ws.emfactor(5, furnacecolumn).hgelem = 0.75f;
    cmdflowsheet_Click(app);
    for (const char* l : {"The owner is", "The plant is", "pf code", "Boiler/NOx type:",
                          "There were no reported tests for this unit. average for others used.",
                          "  STOKER/LNB                                     .         .         .75"})
        EXPECT_TRUE(has(l)) << l;
    app.currentunit = 2500;  // not a unit of the table
    cmdflowsheet_Click(app);
    EXPECT_EQ(app.report.line(2), "  Data base record  2500    07-14-1999");
}

// ---- speciation report of a bin --------------------------------------------------------------

TEST_F(Summaries, SpeciationReportListsTheRunsTheBinTableAssigns) {
    unit(7, 3, 1, 2);
    table.row(1, "SERIES UNIT", 12, 1, 7);  // control runs only
    table.row(2, "ANY KIND", 12, 2, 7);     // every kind
    table.row(3, "Case Unit", 12, 2, 7);
    auto run = [&](int kind, const std::string& name, const std::string& id) -> testrec& {
        testrec& t = table.device({name, id, kind, 0, 0, 6, 6});
        t.inox = 6;
        t.inelem = 4;    // shares 0, .6, .4
        t.outox = 7.2f;  // factor 1.2: removal -20%
        t.outelem = 1;   // factor .25: removal 75%
        return t;
    };
    run(boilertestkind, "SERIES UNIT", "1");  // a boiler run: not for a row of line 1
    run(pmtestkind, "SERIES UNIT", "2");
    run(boilertestkind, "ANY KIND", "A7 ");  // a run id that is no number
    run(so2testkind, "case unit", "1");      // letter case differs: no match
    run(pmtestkind, "ANY KIND", "3").o2out = 21;
    testrec& empty = run(pmtestkind, "ANY KIND", "4");
    empty.outox = empty.outelem = 0;
    speciationreport(app, 12);
    auto runline = [](const std::string& name, const std::string& id) {
        return columns({{2, name}, {20, id}, {28, "%(100%)"}, {40, "60%(-20%)"}, {52, "40%(75%)"},
                        {65, "  PC WALL  ESP-CS  WET SCRUB/VENTURI  GAS Bit"}});
    };
    const std::vector<std::string> l = lines();
    ASSERT_EQ(l.size(), 6u);
    EXPECT_EQ(l[0], "");
    EXPECT_EQ(l[1], "   Emission control device type  12");
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
    EXPECT_TRUE(holding("speciation % and % removal").empty());
}

// ---- emission factor summary -----------------------------------------------------------------

namespace {

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
    app.ws.emfactorf(5, 2) = cell(0, 0, 0, 2);             // tested, but no fractions: no quotient
    app.ws.emfactorf(6, 2) = cell(0.5f, 0.25f, 0.25f, 0);  // untested: label alone in part 1
    cmdefsummary_Click(app);
    EXPECT_EQ(app.report.line(1), "  Estimate of Emission Modification Factors for Units and Fuel Type ");
    EXPECT_EQ(app.report.pageindex().substr(0, 1), "2");
    const std::vector<std::string> totals = holding(" TOTALS");
    ASSERT_EQ(totals.size(), 23u + 10u + 10u);
    EXPECT_EQ(totals[0], columns({{2, "TOTALS"}, {25, ".26667"}, {35, ".33333"}, {45, ".4"}, {85, "3"}}));
    EXPECT_EQ(totals[1], columns({{2, "TOTALS"}, {85, "2"}}));
    EXPECT_EQ(totals[2], " TOTALS");  // no tested cell: the word and an empty count
    EXPECT_TRUE(has(columns({{2, "BITUMINOUS"}, {25, ".2"}, {35, ".4"}, {45, ".4"}, {55, ".125"}, {65, "."},
                             {75, "."}, {85, "2"}})));
    // Part 3 rows are full whatever the count, and count nothing for an untested cell.
    EXPECT_TRUE(has(columns({{2, "TYPE 2"}, {25, ".5"}, {35, ".25"}, {45, ".25"}, {55, ".125"}, {65, "."}, {75, "."}})));
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
    EXPECT_TRUE(holding("FUEL ROW").empty());  // fuel rows 1 and 2 appear nowhere
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
                           columns({{2, "TYPE 3"}, {40, "4"}}),  // the negative count adds nothing
                           columns({{2, "Total"}, {40, "4"}}),
                           columns({{2, "SUBBITUMINOUS WITH A LONG NAME"}, {40, "5"}}),  // sulfur classes only
                           columns({{2, "Total"}, {40, "5"}}),
                           columns({{2, "SUBBITUMINOUS WITH A LONG NAME"}, {40, "-2"}}),
                           columns({{2, "Total"}, {40, "4"}}),
                       }));
    app.opt.missingfactormode = 7;
    cmdefsummary_Click(app);
    EXPECT_EQ(count("Missing factors"), 0);
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
    EXPECT_EQ(holding("TOTALS").at(0), " 1.2e-03          12120                TOTALS");
    EXPECT_EQ(count(" Unit 2 month"), 12);
    EXPECT_EQ(find(" Unit 2 month 1:"), " Unit 2 month 1: fuel number 2500 is beyond the fuel numbers and was skipped.");
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
    app.ws.boilernames(250) = "BEYOND THE COUNT";  // specified boilers scan 1..300 whatever the count
    cmddatascan_Click(app);
    const std::tuple<const char*, const char*, const char*> devices[] = {
        {" 2", "PC WALL", " 300.5"}, {" 1", "ESP-CS", " 100.5"}, {" 2", "FABRIC FILTER", " 300.5"},
        {" 1", "BEYOND THE COUNT", " 100.5"}};
    for (const auto& [units, name, mw] : devices)
        EXPECT_TRUE(has(columns({{2, units}, {20, name}, {80, mw}}))) << name;
    // The TOTALS of each listing sum its whole range; code 0 and the NOx code beyond the list count nowhere.
    EXPECT_EQ(holding("TOTALS", 3), (std::vector<std::string>{" .e", "  2", "  0", "  1", "  1", "  0", "  2", "  0"}));
    // Every listing after the fuels starts a page of its own.
    long pagefirsts = 0;
    for (long p = 1; p <= pagecount(app.report); ++p) {
        const long first = pagelines(app.report, p).first;
        for (long i : {first, first + 1})
            if (app.report.line(i).rfind("  A LISTING OF", 0) == 0) ++pagefirsts;
    }
    EXPECT_EQ(pagefirsts, 8);
}

// ---- golden reports ---------------------------------------------------------------------------

TEST_F(Summaries, GoldenReportsOverTheExampleSet) {
    loadexampleset(app, platform);
    app.currentunit = 5;
    cmdflowsheet_Click(app);
    expectgolden("factorexample.txt", reporttext(app.report));
    cmdefsummary_Click(app);
    expectgolden("factorsummary.txt", reporttext(app.report));
    cmddatascan_Click(app);
    expectgolden("datascan.txt", reporttext(app.report));
    ASSERT_TRUE(selectunit(app, 1));
    cmdevaluateunit_Click(app);
    Label14_MouseDown(app, 0, rightbutton);
    expectgolden("binspeciation.txt", reporttext(app.report));
}
