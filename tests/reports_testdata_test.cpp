// The test data sections and the two reports built from them: row composition, run
// acceptance, means, material balances and their totals, device resolution, and the golden
// reports over the example working set.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "app.h"
#include "exampleset.h"
#include "golden.h"
#include "report/reportbuffer.h"
#include "reports/testdata.h"
#include "reports/testruns.h"
#include "ui/scripted_platform.h"

using namespace brasket;

namespace {

struct TestData : ::testing::Test {
    ScriptedPlatform platform;
    std::unique_ptr<App> owned = std::make_unique<App>(platform);
    App& app = *owned;

    void SetUp() override {
        ::setenv("TZ", "UTC", 1);
        ::tzset();
        platform.clock = brasket::testing::fixedclock();
        const char* boilers[] = {"", "PC WALL/LNB", "FBC/SNCR", "PC WALL"};
        for (int i = 1; i <= 3; ++i) app.ws.emfactor(i, furnacecolumn).name = boilers[i];
        app.ws.emfactor(21, furnacecolumn).name = "CYCLONE/SCR";
        const char* so2[] = {"", "WET SCRUB", "WET SCRUB/VENTURI", "PARTSCRUB SO2", "WET SCRUB/MAG LIME"};
        for (int i = 1; i <= 4; ++i) app.ws.emfactor(i, so2column).name = so2[i];
        const char* pm[] = {"", "ESP-CS", "BAGHOUSE", "MECH/BAGHOUSE", "ESP-HS", "BAGHOUSE (COMPOSITE)", "MECH"};
        for (int i = 1; i <= 6; ++i) app.ws.emfactor(i, pmcolumn).name = pm[i];
        startreport(app, 0, 0);
    }

    testrec& add(int kind, int type, const std::string& name, const std::string& run) {
        const long n = testcount(app.ws) + 1;
        settestcount(app.ws, n);
        testrec& t = app.ws.test(n);
        t.testkind = static_cast<u8>(kind);
        t.typecode = static_cast<u8>(type);
        t.testname = name;
        t.runid = run;
        return t;
    }
    // A boiler run with the given coal mercury, burn rate, gas rate and outlet forms.
    testrec& boiler(int type, const std::string& name, float hg, float burn, float gas, float p, float o, float e) {
        testrec& t = add(boilertest, type, name, "1");
        t.hgcoal = hg;
        t.burnrate = burn;
        t.gasrate = gas;
        t.outpart = p;
        t.outox = o;
        t.outelem = e;
        return t;
    }
    // A control run with equal oxygen at inlet and outlet and equal forms: its total factor is
    // out / in.
    testrec& control(int kind, int type, const std::string& name, float in, float out) {
        testrec& t = add(kind, type, name, "1");
        t.o2in = t.o2out = 6;
        t.inpart = t.inox = t.inelem = in;
        t.outpart = t.outox = t.outelem = out;
        return t;
    }
    std::vector<std::string> lines() const {
        std::vector<std::string> out;
        for (long i = 1; i <= app.report.reportlinecount; ++i) out.push_back(app.report.line(i));
        return out;
    }
    std::string text() const {
        std::string all;
        for (const std::string& l : lines()) all += l + "\n";
        return all;
    }
    bool has(const std::string& line) const {
        for (const std::string& l : lines())
            if (l == line) return true;
        return false;
    }
    // The first line that starts with `prefix`.
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

bool endswith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

TEST_F(TestData, RowsKeepNameCharactersFifteenToEighteenAndCutAtTheirWidth) {
    boiler(3, "PLANT ALPHA UNIT 1", 0.1f, 50000, 500000, 3, 1, 0);
    testdatareport(app, boilersection, 3);
    EXPECT_EQ(find(" PLANT"), " PLANT ALPH1   IT 13.        1.        .         .75       .25       .");
    // A value that reaches past the row's width is cut there: a ratio of 3e9 at column 100
    // of a balance row 110 wide.
    boiler(2, "WIDE", 0.5f, 2000, 1e9f, 1e6f, 1e6f, 1e6f);
    startreport(app, 0, 0);
    testdatareport(app, balancesection, 2);
    EXPECT_EQ(find(" WIDE").substr(99), "  300000000");
}

TEST_F(TestData, BoilerTypeWithoutRunsListsTheTypesThatHaveTests) {
    app.ws.emfactor(3, furnacecolumn).testcount = 4;
    app.ws.emfactor(3, furnacecolumn).hgpart = 0.5f;
    app.ws.emfactor(1, furnacecolumn).hgox = 0.25f;
    app.ws.emfactor(1, furnacecolumn).sdelem = 0.125f;
    testdatareport(app, boilersection, 1);
    const std::vector<std::string> l = lines();
    ASSERT_EQ(l.size(), 11u);
    EXPECT_EQ(l[0], std::string(61, '='));
    EXPECT_EQ(l[2], " Test data for boiler type PC WALL/LNB");
    EXPECT_EQ(l[5], "There were no reported tests for this unit. average for others used.");
    EXPECT_EQ(l[6], "  PC WALL                                        .5        .         .");
    EXPECT_EQ(l[7], std::string(41, '_'));
    EXPECT_EQ(l[8], " average factors for mercury speciation          .         .25       .");
    EXPECT_EQ(l[9], " standard deviations for factors                 .         .         .125");
    EXPECT_EQ(l[10], "");
}

TEST_F(TestData, BoilerRunWithoutOutletMercuryHasNoSpeciationRowButABalanceRow) {
    boiler(3, "EMPTY OUTLET", 0.1f, 1000, 1000, 0, 0, 0);
    testdatareport(app, boilersection, 3);
    EXPECT_EQ(count(" EMPTY"), 0);
    EXPECT_TRUE(has("There were no reported tests for this unit. average for others used."));
    startreport(app, 0, 0);
    testdatareport(app, balancesection, 3);
    EXPECT_EQ(find(" EMPTY"), " EMPTY OUTL1       .1        1000     1000       .         .         .         1.00e-01  0.00e+00");
    EXPECT_EQ(count(" average factors for material balance"), 0);
    startreport(app, 0, 0);
    testdatareport(app, balancelistsection, 99);
    EXPECT_EQ(count(" EMPTY"), 1);
}

TEST_F(TestData, MaterialBalanceRatiosCountInTheirPairsAndTheTotals) {
    // Hg in = 0.1 x 10000 / 1000 = 1 g/hr; Hg out = gas x 10 / 1e6.
    boiler(3, "LOW", 0.1f, 10000, 40000, 4, 3, 3);
    boiler(3, "MIDDLE", 0.1f, 10000, 100000, 4, 3, 3);
    boiler(3, "HIGH", 0.1f, 10000, 160000, 4, 3, 3);
    boiler(3, "EDGE HIGH", 0.1f, 10000, 150000, 4, 3, 3);
    boiler(3, "EDGE LOW", 0.1f, 10000, 50000, 4, 3, 3);
    boiler(2, "OTHER TYPE", 0.1f, 10000, 150000, 4, 3, 3);
    testdatareport(app, balancesection, 3);
    EXPECT_EQ(find(" LOW").substr(99), "  .4");
    EXPECT_EQ(find(" MIDDLE").substr(99), "  1.");
    EXPECT_EQ(find(" HIGH").substr(99), "  1.6");
    EXPECT_EQ(find(" EDGE HIGH").substr(99), "  1.5");
    EXPECT_EQ(count(" OTHER"), 0);
    EXPECT_TRUE(endswith(find(" average factors for material balance"), " 1."));
    EXPECT_EQ(find(" average factors for material balance").find("1."), 99u);
    EXPECT_EQ(app.balance.balancecount, 5);
    EXPECT_DOUBLE_EQ(app.balance.balancesum, 5.0);
    EXPECT_EQ(app.balance.balancehighcount, 1);  // 1.5 counts in neither pair
    EXPECT_NEAR(app.balance.balancehighsum, 1.6, 1e-9);
    EXPECT_EQ(app.balance.balancelowcount, 1);  // nor does 0.5
    EXPECT_NEAR(app.balance.balancelowsum, 0.4, 1e-9);

    // A type without runs adds nothing and has no average line.
    testdatareport(app, balancesection, 1);
    EXPECT_EQ(app.balance.balancecount, 5);
    EXPECT_EQ(count(" average factors for material balance"), 1);
}

TEST_F(TestData, MeansOfTheAcceptedTotalFactors) {
    control(particulatetest, 1, "HALF", 10, 5);
    control(particulatetest, 1, "EIGHTH", 10, 1.25f);
    testdatareport(app, particulatesection, 1);
    EXPECT_EQ(find(" average total Hg"), " average total Hg emission modification factor      .3125");
    startreport(app, 0, 0);
    app.opt.efmeanmode = 1;
    testdatareport(app, particulatesection, 1);
    EXPECT_EQ(find(" geometric mean total Hg"), " geometric mean total Hg emission modification factor      .25");
    EXPECT_EQ(count(" geometric mean factors for unit control emission modification factor "), 1);
    EXPECT_EQ(count(" standard deviations (ln normal) "), 1);
    // The list of accepted runs follows the rows, in acceptance order.
    const std::string gap(27, ' ');
    EXPECT_TRUE(has(" HALF      1" + gap + ".5"));
    EXPECT_TRUE(has(" EIGHTH    1" + gap + ".125"));
}

TEST_F(TestData, RunsThatCannotGiveAFactorAreSkippedAndZeroFactorsStayOutOfTheGeometricMean) {
    control(particulatetest, 1, "GOOD", 10, 2.5f);
    testrec& noelem = control(particulatetest, 1, "NO ELEM", 10, 2);
    noelem.inelem = 0;
    testrec& fulloxygen = control(particulatetest, 1, "FULL O2", 10, 2);
    fulloxygen.o2out = 21;
    control(particulatetest, 1, "ZERO", 10, 0);
    app.opt.efmeanmode = 1;
    testdatareport(app, particulatesection, 1);
    EXPECT_EQ(count(" NO ELEM"), 0);
    EXPECT_EQ(count(" FULL O2"), 0);
    EXPECT_EQ(count(" ZERO"), 2);  // its row and its place in the list
    EXPECT_EQ(find(" geometric mean total Hg"), " geometric mean total Hg emission modification factor      .25");
    startreport(app, 0, 0);
    app.opt.efmeanmode = 0;
    testdatareport(app, particulatesection, 1);
    EXPECT_EQ(find(" average total Hg"), " average total Hg emission modification factor      .125");

    // Only zero factors: no geometric mean line at all.
    App other(platform);
    testrec& t = other.ws.test(1);
    settestcount(other.ws, 1);
    t.testkind = particulatetest;
    t.typecode = 1;
    t.inpart = t.inox = t.inelem = 1;
    t.o2in = t.o2out = 3;
    other.opt.efmeanmode = 1;
    startreport(other, 0, 0);
    testdatareport(other, particulatesection, 1);
    long meanlines = 0;
    for (long i = 1; i <= other.report.reportlinecount; ++i)
        if (other.report.line(i).find("mean total Hg") != std::string::npos) ++meanlines;
    EXPECT_EQ(meanlines, 0);
}

TEST_F(TestData, MoreThanNinetyRunsOfOneDeviceAreAllListed) {
    for (int i = 0; i < 120; ++i) control(so2test, 1, "MANY", 10, 5);
    testdatareport(app, so2section, 1);
    EXPECT_EQ(count(" MANY"), 240);
    EXPECT_EQ(find(" average total Hg"), " average total Hg emission modification factor      .5");
}

TEST_F(TestData, ControlEffectivenessIsTheGeometricMeanOfOneMinusTheFactor) {
    control(particulatetest, 1, "A", 10, 3);
    control(particulatetest, 1, "B", 10, 3.75f);
    unittestreport(app, particulatesection, 1);
    EXPECT_EQ(find("The geometric mean of the control"),
              "The geometric mean of the control effectiveness is (0-1) :.66144");
    EXPECT_EQ(find(" standard deviations for factors"),
              " standard deviations for factors                                                         fix");
    // The runs are not listed a second time: one row each.
    EXPECT_EQ(count(" A         1"), 1);

    // Factors 0.2 and 0.8: effectiveness .4 whatever the mean; the mean .5 or .4.
    App two(platform);
    startreport(two, 0, 0);
    for (float out : {2.0f, 8.0f}) {
        const long n = testcount(two.ws) + 1;
        settestcount(two.ws, n);
        testrec& t = two.ws.test(n);
        t.testkind = particulatetest;
        t.typecode = 1;
        t.inpart = t.inox = t.inelem = 10;
        t.outpart = t.outox = t.outelem = out;
    }
    unittestreport(two, particulatesection, 1);
    two.opt.efmeanmode = 1;
    unittestreport(two, particulatesection, 1);
    std::vector<std::string> effect, means;
    for (long i = 1; i <= two.report.reportlinecount; ++i) {
        const std::string& l = two.report.line(i);
        if (l.rfind("The geometric mean of the control", 0) == 0) effect.push_back(l.substr(l.find(':') + 1));
        if (l.find("total Hg emission modification factor") != std::string::npos) means.push_back(l.substr(l.rfind(' ') + 1));
    }
    EXPECT_EQ(effect, (std::vector<std::string>{".4", ".4"}));
    EXPECT_EQ(means, (std::vector<std::string>{".5", ".4"}));
}

TEST_F(TestData, AFactorOfOneOrMoreDrivesTheControlEffectivenessToZero) {
    control(particulatetest, 1, "A", 10, 5);
    control(particulatetest, 1, "ADDS", 10, 12);
    unittestreport(app, particulatesection, 1);
    const std::string l = find("The geometric mean of the control");
    EXPECT_EQ(l.substr(l.find(':') + 1), ".");  // sqrt(0.5 x 1e-11) rounds to 0 in five decimals
}

TEST_F(TestData, TotalMercurySectionsOfBoilerAndSO2Types) {
    boiler(3, "NO OUTLET", 0.1f, 1000, 1000, 0, 0, 0);
    boiler(3, "NO COAL", 0, 1000, 1000000, 1, 1, 2);
    boiler(3, "BOTH", 0.1f, 10000, 100000, 4, 3, 3);
    unittestreport(app, boilersection, 3);
    EXPECT_EQ(count(" NO OUTLET"), 0);
    EXPECT_EQ(find(" NO COAL"), " NO COAL   1       1.        1.        2.        4.00e+00  0.00e+00");
    EXPECT_EQ(find(" BOTH"), " BOTH      1       4.        3.        3.        1.00e+00  1.00e+00  1.");
    EXPECT_TRUE(has(" standard deviations for factors"));
    control(so2test, 1, "SCRUB", 10, 4);
    unittestreport(app, so2section, 1);
    EXPECT_EQ(find(" SCRUB"), " SCRUB     1       10.       10.       10.       4.        4.        4.        1.        .4");
    EXPECT_EQ(count("The geometric mean of the control"), 0);
    // Balance modes have no total mercury section: only the entry line.
    startreport(app, 0, 0);
    unittestreport(app, balancesection, 3);
    unittestreport(app, balancelistsection, 1);
    unittestreport(app, particulatesection, coalgasdevice);
    EXPECT_EQ(lines(), std::vector<std::string>(3, std::string(61, '=')));
}

TEST_F(TestData, SO2TypesModelledAsAnotherTypeShowItsRuns) {
    control(so2test, 3, "TYPE THREE", 10, 5);
    control(so2test, 4, "TYPE FOUR", 10, 5);
    testdatareport(app, so2section, 4);
    const std::vector<std::string> l = lines();
    ASSERT_GE(l.size(), 5u);
    EXPECT_EQ(l[1], "This unit is modeled as another type of unit.");
    EXPECT_EQ(l[2], "The unit is specified as WET SCRUB/MAG LIME");
    EXPECT_EQ(l[3], "The unit is modeled as PARTSCRUB SO2");
    EXPECT_EQ(l[5], " Test data for SO2 control  PARTSCRUB SO2");
    EXPECT_EQ(count(" TYPE THREE"), 2);
    EXPECT_EQ(count(" TYPE FOUR"), 0);
    // A type that is modelled as itself writes no such lines.
    startreport(app, 0, 0);
    testdatareport(app, so2section, 1);
    EXPECT_EQ(count("This unit is modeled"), 0);
}

TEST_F(TestData, CompositeParticulateDeviceShowsEachPartThenTheProductTable) {
    app.ws.emfactor(6, pmcolumn).hgpart = 0.5f;
    app.ws.emfactor(5, pmcolumn).hgpart = 0.25f;
    app.ws.emfactor(6, pmcolumn).hgtotal = 0.5f;
    app.ws.emfactor(5, pmcolumn).hgtotal = 0.5f;
    control(particulatetest, 6, "MECH RUN", 10, 8);
    control(particulatetest, 5, "BAG RUN", 10, 1);
    testdatareport(app, particulatesection, 3);
    std::vector<std::string> order;
    for (const std::string& l : lines()) {
        if (l.rfind("The unit is", 0) == 0 || l.find("composite unit") != std::string::npos ||
            l.rfind(" Test data for", 0) == 0 || l.rfind(" MECH", 0) == 0 || l.rfind(" BAG", 0) == 0 ||
            l.rfind("emission type", 0) == 0 || l.rfind("THIS UNIT", 0) == 0)
            order.push_back(l);
    }
    EXPECT_EQ(order, (std::vector<std::string>{
                         "The unit is specified as MECH/BAGHOUSE",
                         "The unit is modeled as MECH",
                         "MECH/BAGHOUSE is a composite unit. The first unit is presented now.",
                         " Test data for particulate control  MECH",
                         " MECH RUN  1       10.       10.       10.       8.        8.        8.        1.        .8        .8        .8",
                         " MECH RUN  1                           .8",
                         "MECH/BAGHOUSE is a composite unit. The second unit is presented now.",
                         " Test data for particulate control  BAGHOUSE (COMPOSITE)",
                         " BAG RUN   1       10.       10.       10.       1.        1.        1.        1.        .1        .1        .1",
                         " BAG RUN   1                           .1",
                         "THIS UNIT IS A COMPOSITE UNIT OF TWO SETS OF EMISSION MODIFICATION FACTORS.",
                         "emission type                           EF part.  EF oxid.  EF element.",
                         " MECH                                  .5        .         .",
                         " BAGHOUSE (COMPOSITE)                  .25       .         .",
                         " MECH/BAGHOUSE                         .125      .         .",
                     }));
    // The mean of each part covers its own runs only.
    EXPECT_EQ(count(" average total Hg emission modification factor      .8"), 1);
    EXPECT_EQ(count(" average total Hg emission modification factor      .1"), 1);
    startreport(app, 0, 0);
    unittestreport(app, particulatesection, 3);
    EXPECT_TRUE(has(" MECH/BAGHOUSE                         .25"));
    EXPECT_TRUE(has("emission type                           EF total"));
}

TEST_F(TestData, CoalGasParticulateDeviceIsTheBalanceOfItsBoilerType) {
    boiler(21, "GASIFIER", 0.1f, 10000, 100000, 4, 3, 3);
    testdatareport(app, particulatesection, coalgasdevice);
    EXPECT_TRUE(has(" Test data for mercury balance in the boiler  CYCLONE/SCR"));
    EXPECT_EQ(app.balance.balancecount, 1);
}

TEST_F(TestData, CodesOutsideTheFactorTableAreNoDevice) {
    boiler(0, "UNTYPED", 0.1f, 10000, 100000, 4, 3, 3);
    for (long code : {-1L, 31L, 400L}) {
        for (long mode = 0; mode <= 4; ++mode) {
            EXPECT_NO_THROW(testdatareport(app, mode, code));
            EXPECT_NO_THROW(unittestreport(app, mode, code));
        }
    }
    startreport(app, 0, 0);
    testdatareport(app, boilersection, 99);
    EXPECT_EQ(count(" Test data for boiler type"), 1);
    EXPECT_EQ(count(" UNTYPED"), 1);
}

TEST_F(TestData, TotalRemovalReportListsTheUnclassifiedBoilerRunsUnderItsDatedTitle) {
    boiler(0, "UNCLASSIFIED", 0.1f, 50000, 500000, 2, 3, 5);
    boiler(3, "TYPED", 0.1f, 10000, 160000, 4, 3, 3);
    control(particulatetest, 0, "CONTROL", 10, 5);
    cmdtotalremovalreport_Click(app);
    EXPECT_EQ(app.report.pageindex().substr(0, 1), "0");
    EXPECT_TRUE(has(" Total Removal Factors from Test Reports 07-14-1999  09:30:15"));
    const std::string row = find(" UNCLASSIFI");
    EXPECT_EQ(row.substr(79), "5.00e+00  5.00e+00    1.");
    EXPECT_EQ(count(" CONTROL"), 0);
    EXPECT_EQ(count(" TYPED"), 1);
    EXPECT_EQ(app.balance.balancecount, 2);
    EXPECT_EQ(app.balance.balancehighcount, 1);
    EXPECT_EQ(app.balance.balancelowcount, 0);
    EXPECT_EQ(lines().back(), "@NEW PAGE");
    // A second run adds again; the emission factor report starts its summary afresh.
    cmdtotalremovalreport_Click(app);
    EXPECT_EQ(app.balance.balancecount, 4);
    cmdemissfactorrept_Click(app);
    EXPECT_EQ(find(" number of test Data sets reported "), " number of test Data sets reported  1");
    EXPECT_EQ(find(" Material balance >1.5"), " Material balance >1.5   number of test sets  1");
    EXPECT_EQ(find(" Material balance <0.5"), " Material balance <0.5   number of test sets  0");
    EXPECT_EQ(find("  for these"), "  for these, Average mercury ratio outlet to inlet  1.6");
}

TEST_F(TestData, EmissionFactorReportOverAnEmptyTestTableCompletes) {
    cmdemissfactorrept_Click(app);
    EXPECT_EQ(app.report.pageindex().substr(0, 1), "2");
    EXPECT_EQ(app.report.line(1), "  Estimate of Emission Modification Factors for Units ");
    EXPECT_EQ(app.report.line(3), " Control performance based upon average of data set.");
    EXPECT_TRUE(has(" number of test Data sets reported  0"));
    EXPECT_TRUE(has(" Average mercury ratio outlet to inlet"));
    EXPECT_TRUE(has(" Material balance >1.5   number of test sets  0"));
    EXPECT_TRUE(has(" Material balance <0.5   number of test sets  0"));
    EXPECT_EQ(count("  for these, Average mercury ratio outlet to inlet"), 2);
    EXPECT_EQ(count(" Test data for boiler type"), 23);
    EXPECT_EQ(count(" Test data for particulate control"), 15 + 9);  // composites show each part
    EXPECT_EQ(count(" Test data for SO2 control"), 12);
    EXPECT_EQ(count(" Test data for mercury balance in the boiler "), 25);  // coal gas device too
    EXPECT_EQ(count(" Test data for mercury balance in the boilers."), 1);
    EXPECT_TRUE(app.display.loaded);
}

TEST_F(TestData, EmissionFactorReportNamesItsMeanAndUsesTotalMercurySectionsWithoutSpeciation) {
    app.opt.efmeanmode = 1;
    cmdemissfactorrept_Click(app);
    EXPECT_EQ(app.report.line(3), " Control performance based upon geometric mean of data set.");
    EXPECT_EQ(count("                   __________outlet__________    ___g/hr Hg__"), 0);
    app.opt.partcorrmode = 0;
    cmdemissfactorrept_Click(app);
    EXPECT_EQ(count("                   __________outlet__________    ___g/hr Hg__"), 23);
    EXPECT_EQ(count(" Test data for mercury balance in the boiler "), 24);
}

TEST_F(TestData, SameSummaryTwiceAndAfterTheTotalRemovalReport) {
    brasket::testing::loadexampleset(app, platform);
    cmdemissfactorrept_Click(app);
    const std::string once = text();
    cmdemissfactorrept_Click(app);
    EXPECT_EQ(text(), once);
    cmdtotalremovalreport_Click(app);
    cmdemissfactorrept_Click(app);
    EXPECT_EQ(text(), once);
}

// ---- golden reports over the example working set ----------------------------------------------

namespace {

struct TestDataGolden : TestData {
    void SetUp() override {
        TestData::SetUp();
        brasket::testing::loadexampleset(app, platform);
        startreport(app, 0, 0);
    }
    void section(long mode, long code, const char* name) {
        testdatareport(app, mode, code);
        reportline(app, "#");
        brasket::testing::expectgolden(name, brasket::testing::reporttext(app.report));
    }
};

}  // namespace

TEST_F(TestDataGolden, BoilerTypeSection) { section(boilersection, 3, "testdata-boiler.txt"); }
TEST_F(TestDataGolden, ParticulateControlSection) { section(particulatesection, 4, "testdata-particulate.txt"); }
TEST_F(TestDataGolden, SO2ControlSection) { section(so2section, 1, "testdata-so2.txt"); }
TEST_F(TestDataGolden, MaterialBalanceSection) { section(balancesection, 3, "testdata-balance.txt"); }

TEST_F(TestDataGolden, TotalRemovalReport) {
    cmdtotalremovalreport_Click(app);
    brasket::testing::expectgolden("totalremoval.txt", brasket::testing::reporttext(app.report));
}

TEST_F(TestDataGolden, EmissionFactorReport) {
    cmdemissfactorrept_Click(app);
    brasket::testing::expectgolden("emissionfactor.txt", brasket::testing::reporttext(app.report));
}

TEST_F(TestDataGolden, EmissionFactorReportOfTotalMercury) {
    app.opt.partcorrmode = 0;
    app.opt.efmeanmode = 1;
    cmdemissfactorrept_Click(app);
    brasket::testing::expectgolden("emissionfactor-total.txt", brasket::testing::reporttext(app.report));
}
