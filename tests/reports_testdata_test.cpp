// The test data sections and the two reports built from them: row composition, run
// acceptance, means, material balances and their totals, device resolution, and the golden
// reports over the example working set.
#include <string>
#include <vector>

#include "golden.h"
#include "report_testkit.h"
#include "reports/testdata.h"

using namespace brasket;
using namespace brasket::testing;

namespace {

struct TestData : ReportTest {
    void SetUp() override {
        ReportTest::SetUp();
        for (long r = 1; r <= 30; ++r)
            for (int c = 0; c <= 2; ++c) app.ws.emfactor(r, c).name = "TYPE " + std::to_string(r);
        app.ws.emfactor(1, furnacecolumn).name = "PC WALL/LNB";
        app.ws.emfactor(3, furnacecolumn).name = "PC WALL";
        app.ws.emfactor(21, furnacecolumn).name = "CYCLONE/SCR";
        app.ws.emfactor(3, so2column).name = "PARTSCRUB SO2";
        app.ws.emfactor(4, so2column).name = "WET SCRUB/MAG LIME";
        const char* pm[] = {"", "ESP-CS", "BAGHOUSE", "MECH/BAGHOUSE", "ESP-HS", "BAGHOUSE (COMPOSITE)", "MECH"};
        for (int i = 1; i <= 6; ++i) app.ws.emfactor(i, pmcolumn).name = pm[i];
        startreport(app, 0, 0);
    }
    testrec& boiler(int type, const std::string& name, float hg, float burn, float gas, float p, float o, float e) {
        return typed(table.boiler(name, "1", hg, burn, p, o, e, gas), type);
    }
    // A control run with equal oxygen at inlet and outlet: its factors are out / in.
    testrec& control(int kind, int type, const std::string& name, float in, float out) {
        DeviceRun r;
        r.name = name;
        r.kind = kind;
        r.in = in;
        r.out = out;
        return typed(table.device(r), type);
    }
    // The text after the last blank of the first line holding `what`.
    std::string tail(const std::string& what) const {
        for (const std::string& l : lines())
            if (l.find(what) != std::string::npos) return l.substr(l.rfind(' ') + 1);
        return "<none>";
    }
};

}  // namespace

TEST_F(TestData, RowsKeepNameCharactersFifteenToEighteenAndCutAtTheirWidth) {
    boiler(3, "PLANT ALPHA UNIT 1", 0.1f, 50000, 500000, 3, 1, 0);
    testdatareport(app, boilersection, 3);
    EXPECT_EQ(find(" PLANT"), " PLANT ALPH1   IT 13.        1.        .         .75       .25       .");
    boiler(2, "WIDE", 0.5f, 2000, 1e9f, 1e6f, 1e6f, 1e6f);  // a ratio of 3e9 at column 100 of 110
    startreport(app, 0, 0);
    testdatareport(app, balancesection, 2);
    EXPECT_EQ(find(" WIDE").substr(99), "  300000000");
}

TEST_F(TestData, BoilerTypeWithoutRunsListsTheTypesThatHaveTests) {
    app.ws.emfactor(3, furnacecolumn).testcount = 4;
    app.ws.emfactor(3, furnacecolumn).hgpart = 0.5f;
    app.ws.emfactor(3, furnacecolumn).hgtotal = 0.75f;
    app.ws.emfactor(1, furnacecolumn).hgox = 0.25f;
    app.ws.emfactor(1, furnacecolumn).sdelem = 0.125f;
    boiler(1, "EMPTY OUTLET", 0.1f, 1000, 1000, 0, 0, 0);  // no row of its own in mode 0
    testdatareport(app, boilersection, 1);
    EXPECT_EQ(lines(), (std::vector<std::string>{
                           std::string(61, '='), "", " Test data for boiler type PC WALL/LNB",
                           "                   __________outlet__________    Emission Modification Factors",
                           " test      run     Hg part.  Hg ox.   Hg elem.   Hg part.  Hg ox.   Hg elem.",
                           "There were no reported tests for this unit. average for others used.",
                           "  PC WALL                                        .5        .         .", std::string(41, '_'),
                           " average factors for mercury speciation          .         .25       .",
                           " standard deviations for factors                 .         .         .125", ""}));
    // In total mercury the tested types show their total factor; the run without outlet none.
    startreport(app, 0, 0);
    unittestreport(app, boilersection, 1);
    EXPECT_TRUE(has(columns({{3, "PC WALL"}, {70, ".75"}})));
    // The balance sections list it without a ratio, and no average line.
    startreport(app, 0, 0);
    testdatareport(app, balancesection, 1);
    EXPECT_EQ(find(" EMPTY"), " EMPTY OUTL1       .1        1000     1000       .         .         .         1.00e-01  0.00e+00");
    EXPECT_EQ(count(" average factors for material balance"), 0);
    EXPECT_EQ(app.balance.balancecount, 0);
    testdatareport(app, balancelistsection, 99);
    EXPECT_EQ(count(" EMPTY"), 2);
}

TEST_F(TestData, MaterialBalanceRatiosCountInTheirPairsAndTheTotals) {
    // Hg in = 0.1 x 10000 / 1000 = 1 g/hr; Hg out = gas x 10 / 1e6.
    const std::vector<std::pair<const char*, float>> runs{
        {"LOW", 40000}, {"MIDDLE", 100000}, {"HIGH", 160000}, {"EDGE HIGH", 150000}, {"EDGE LOW", 50000}};
    for (const auto& [name, gas] : runs) boiler(3, name, 0.1f, 10000, gas, 4, 3, 3);
    boiler(2, "OTHER TYPE", 0.1f, 10000, 150000, 4, 3, 3);
    testdatareport(app, balancesection, 3);
    EXPECT_EQ(find(" LOW").substr(99), "  .4");
    EXPECT_EQ(find(" MIDDLE").substr(99), "  1.");
    EXPECT_EQ(find(" HIGH").substr(99), "  1.6");
    EXPECT_EQ(count(" OTHER"), 0);
    EXPECT_EQ(find(" average factors for material balance").substr(99), "1.");
    EXPECT_EQ(app.balance.balancecount, 5);
    EXPECT_DOUBLE_EQ(app.balance.balancesum, 5.0);
    EXPECT_EQ(app.balance.balancehighcount, 1);  // 1.5 counts in neither pair
    EXPECT_NEAR(app.balance.balancehighsum, 1.6, 1e-9);
    EXPECT_EQ(app.balance.balancelowcount, 1);  // nor does 0.5
    EXPECT_NEAR(app.balance.balancelowsum, 0.4, 1e-9);
    testdatareport(app, balancesection, 1);  // a type without runs adds nothing
    EXPECT_EQ(app.balance.balancecount, 5);
}

TEST_F(TestData, MeanLinesOfTheAcceptedTotalFactors) {
    struct Case {
        std::vector<float> outs;  // outlet over an inlet of 10
        long efmeanmode;
        const char* mean;  // the value of the mean line, or "" for none
    };
    const Case cases[] = {
        {{5, 1.25f}, 0, ".3125"},
        {{5, 1.25f}, 1, ".25"},
        {{2.5f, 0}, 0, ".125"},  // a factor of 0 counts in the average
        {{2.5f, 0}, 1, ".25"},   // but has no logarithm
        {{0}, 1, ""},            // no factor above 0: no geometric mean line
        {{}, 0, ""},
        {std::vector<float>(120, 5), 0, ".5"},  // more than ninety runs are all listed
    };
    for (const Case& c : cases) {
        SetUp();
        settestcount(app.ws, 0);
        for (float out : c.outs) control(pmtestkind, 1, "RUN", 10, out);
        control(pmtestkind, 1, "NO ELEM", 10, 2).inelem = 0;  // never accepted
        control(pmtestkind, 1, "FULL O2", 10, 2).o2out = 21;
        app.opt.efmeanmode = c.efmeanmode;
        testdatareport(app, particulatesection, 1);
        const std::string prefix = c.efmeanmode == 1 ? " geometric mean total Hg emission modification factor      "
                                                     : " average total Hg emission modification factor      ";
        EXPECT_EQ(find(prefix), *c.mean ? prefix + c.mean : "<none>") << c.mean;
        EXPECT_EQ(count(" RUN "), 2 * static_cast<long>(c.outs.size()));  // its row and its place in the list
        EXPECT_EQ(count(" NO ELEM") + count(" FULL O2"), 0);
    }
}

TEST_F(TestData, ControlEffectivenessIsTheGeometricMeanOfOneMinusTheFactor) {
    struct Case {
        std::vector<float> outs;
        long efmeanmode;
        const char* effectiveness;
        const char* mean;
    };
    const Case cases[] = {
        {{3, 3.75f}, 0, ".66144", ".3375"},
        {{2, 8}, 0, ".4", ".5"},
        {{2, 8}, 1, ".4", ".4"},
        {{5, 12}, 0, ".", ".85"},  // a factor above 1 counts as 1e-11
    };
    for (const Case& c : cases) {
        SetUp();
        settestcount(app.ws, 0);
        for (float out : c.outs) control(pmtestkind, 1, "RUN", 10, out);
        app.opt.efmeanmode = c.efmeanmode;
        unittestreport(app, particulatesection, 1);
        const std::string l = find("The geometric mean of the control effectiveness is (0-1) :");
        EXPECT_EQ(l.substr(l.find(':') + 1), c.effectiveness);
        EXPECT_EQ(tail("total Hg emission modification factor"), c.mean);
        EXPECT_EQ(count(" RUN "), static_cast<long>(c.outs.size()));  // the runs are not listed again
        EXPECT_EQ(find(" standard deviations").substr(89), "fix");
    }
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
    control(so2testkind, 1, "SCRUB", 10, 4);
    unittestreport(app, so2section, 1);
    EXPECT_EQ(find(" SCRUB"), " SCRUB     1       2.5       2.5       5.        1.        1.        2.        1.        .4");
    EXPECT_EQ(count("The geometric mean of the control"), 0);
    // Balance modes, and the coal gas device that becomes one, have only the entry line.
    startreport(app, 0, 0);
    unittestreport(app, balancesection, 3);
    unittestreport(app, balancelistsection, 1);
    unittestreport(app, particulatesection, coalgasdevice);
    EXPECT_EQ(lines(), std::vector<std::string>(3, std::string(61, '=')));
    // In the test data report the coal gas device is the balance of its boiler type.
    boiler(21, "GASIFIER", 0.1f, 10000, 100000, 4, 3, 3);
    testdatareport(app, particulatesection, coalgasdevice);
    EXPECT_TRUE(has(" Test data for mercury balance in the boiler  CYCLONE/SCR"));
    EXPECT_EQ(app.balance.balancecount, 1);
}

TEST_F(TestData, SO2TypesModelledAsAnotherTypeShowItsRuns) {
    control(so2testkind, 3, "TYPE THREE", 10, 5);
    control(so2testkind, 4, "TYPE FOUR", 10, 5);
    testdatareport(app, so2section, 4);
    const std::vector<std::string> l = lines();
    ASSERT_GE(l.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(l.begin() + 1, l.begin() + 4),
              (std::vector<std::string>{"This unit is modeled as another type of unit.",
                                        "The unit is specified as WET SCRUB/MAG LIME",
                                        "The unit is modeled as PARTSCRUB SO2"}));
    EXPECT_EQ(l[5], " Test data for SO2 control  PARTSCRUB SO2");
    EXPECT_EQ(count(" TYPE THREE"), 2);
    EXPECT_EQ(count(" TYPE FOUR"), 0);
    startreport(app, 0, 0);
    testdatareport(app, so2section, 1);  // modelled as itself: no such lines
    EXPECT_EQ(count("This unit is modeled"), 0);
}

TEST_F(TestData, CompositeParticulateDeviceShowsEachPartThenTheProductTable) {
    app.ws.emfactor(6, pmcolumn).hgpart = 0.5f;
    app.ws.emfactor(5, pmcolumn).hgpart = 0.25f;
    app.ws.emfactor(6, pmcolumn).hgtotal = 0.5f;
    app.ws.emfactor(5, pmcolumn).hgtotal = 0.5f;
    control(pmtestkind, 6, "MECH RUN", 10, 8);
    control(pmtestkind, 5, "BAG RUN", 10, 1);
    testdatareport(app, particulatesection, 3);
    std::vector<std::string> order;
    for (const std::string& l : lines())
        for (const char* start : {"The unit is", "MECH/BAGHOUSE is", " Test data for", " MECH", " BAG", "THIS UNIT",
                                  "emission type", " average total"})
            if (l.rfind(start, 0) == 0) order.push_back(l);
    EXPECT_EQ(order, (std::vector<std::string>{
                         "The unit is specified as MECH/BAGHOUSE",
                         "The unit is modeled as MECH",
                         "MECH/BAGHOUSE is a composite unit. The first unit is presented now.",
                         " Test data for particulate control  MECH",
                         " MECH RUN  1       2.5       2.5       5.        2.        2.        4.        1.        .8        .8        .8",
                         " MECH RUN  1                           .8",
                         " average total Hg emission modification factor      .8",
                         "MECH/BAGHOUSE is a composite unit. The second unit is presented now.",
                         " Test data for particulate control  BAGHOUSE (COMPOSITE)",
                         " BAG RUN   1       2.5       2.5       5.        .25       .25       .5        1.        .1        .1        .1",
                         " BAG RUN   1                           .1",
                         " average total Hg emission modification factor      .1",  // its own runs only
                         "THIS UNIT IS A COMPOSITE UNIT OF TWO SETS OF EMISSION MODIFICATION FACTORS.",
                         "emission type                           EF part.  EF oxid.  EF element.",
                         " MECH                                  .5        .         .",
                         " BAGHOUSE (COMPOSITE)                  .25       .         .",
                         " MECH/BAGHOUSE                         .125      .         .",
                     }));
    startreport(app, 0, 0);
    unittestreport(app, particulatesection, 3);
    EXPECT_TRUE(has("emission type                           EF total"));
    EXPECT_TRUE(has(" MECH/BAGHOUSE                         .25"));
}

TEST_F(TestData, CodesOutsideTheFactorTableAreNoDevice) {
    boiler(0, "UNTYPED", 0.1f, 10000, 100000, 4, 3, 3);
    for (long code : {-1L, 31L, 400L})
        for (long mode = 0; mode <= 4; ++mode) {
            testdatareport(app, mode, code);
            unittestreport(app, mode, code);
        }
    startreport(app, 0, 0);
    testdatareport(app, boilersection, 99);
    EXPECT_EQ(count(" Test data for boiler type"), 1);
    EXPECT_EQ(count(" UNTYPED"), 1);  // the runs of code 0
}

TEST_F(TestData, TotalRemovalReportListsTheUnclassifiedBoilerRunsUnderItsDatedTitle) {
    boiler(0, "UNCLASSIFIED", 0.1f, 50000, 500000, 2, 3, 5);
    boiler(3, "TYPED", 0.1f, 10000, 160000, 4, 3, 3);
    control(pmtestkind, 0, "CONTROL", 10, 5);
    cmdtotalremovalreport_Click(app);
    EXPECT_EQ(app.report.pageindex().substr(0, 1), "0");
    EXPECT_TRUE(has(" Total Removal Factors from Test Reports 07-14-1999  09:30:15"));
    EXPECT_EQ(find(" UNCLASSIFI").substr(79), "5.00e+00  5.00e+00    1.");
    EXPECT_EQ(count(" CONTROL"), 0);
    EXPECT_EQ(count(" TYPED"), 1);
    EXPECT_EQ(app.balance.balancecount, 2);
    EXPECT_EQ(app.balance.balancehighcount, 1);
    EXPECT_EQ(lines().back(), "@NEW PAGE");
    // A second run adds again; the emission factor report starts its summary afresh.
    cmdtotalremovalreport_Click(app);
    EXPECT_EQ(app.balance.balancecount, 4);
    cmdemissfactorrept_Click(app);
    EXPECT_EQ(find(" number of test Data sets reported "), " number of test Data sets reported  1");
    EXPECT_EQ(find(" Material balance >1.5"), " Material balance >1.5   number of test sets  1");
    EXPECT_EQ(find("  for these"), "  for these, Average mercury ratio outlet to inlet  1.6");
}

TEST_F(TestData, EmissionFactorReportOverAnEmptyTestTableCompletes) {
    const struct {
        long partcorrmode, efmeanmode;
        const char* performance;
        long totalsections;
    } cases[] = {{100, 0, " Control performance based upon average of data set.", 0},
                 {100, 1, " Control performance based upon geometric mean of data set.", 0},
                 {0, 1, " Control performance based upon geometric mean of data set.", 23}};
    for (const auto& c : cases) {
        app.opt.partcorrmode = c.partcorrmode;
        app.opt.efmeanmode = c.efmeanmode;
        cmdemissfactorrept_Click(app);
        EXPECT_EQ(app.report.pageindex().substr(0, 1), "2");
        EXPECT_EQ(app.report.line(1), "  Estimate of Emission Modification Factors for Units ");
        EXPECT_EQ(app.report.line(3), c.performance);
        EXPECT_TRUE(has(" number of test Data sets reported  0"));
        EXPECT_TRUE(has(" Average mercury ratio outlet to inlet"));
        EXPECT_TRUE(has(" Material balance >1.5   number of test sets  0"));
        EXPECT_TRUE(has(" Material balance <0.5   number of test sets  0"));
        EXPECT_EQ(count("  for these, Average mercury ratio outlet to inlet"), 2);
        EXPECT_EQ(count(" Test data for boiler type"), 23);
        EXPECT_EQ(count(" Test data for particulate control"), 15 + 9);  // composites show each part
        EXPECT_EQ(count(" Test data for SO2 control"), 12);
        // The coal gas device is a balance section too, but not in total mercury.
        EXPECT_EQ(count(" Test data for mercury balance in the boiler "), c.partcorrmode == 0 ? 24 : 25);
        EXPECT_EQ(count(" Test data for mercury balance in the boilers."), 1);
        EXPECT_EQ(count("                   __________outlet__________    ___g/hr Hg__"), c.totalsections);
        EXPECT_TRUE(app.display.loaded);
    }
}

TEST_F(TestData, SameSummaryTwiceAndAfterTheTotalRemovalReport) {
    loadexampleset(app, platform);
    cmdemissfactorrept_Click(app);
    const std::vector<std::string> once = lines();
    cmdemissfactorrept_Click(app);
    EXPECT_EQ(lines(), once);
    cmdtotalremovalreport_Click(app);
    cmdemissfactorrept_Click(app);
    EXPECT_EQ(lines(), once);
}

TEST_F(TestData, GoldenSectionsAndReports) {
    loadexampleset(app, platform);
    const struct {
        long mode, code;
        const char* golden;
    } sections[] = {{boilersection, 3, "testdata-boiler.txt"},
                    {particulatesection, 4, "testdata-particulate.txt"},
                    {so2section, 1, "testdata-so2.txt"},
                    {balancesection, 3, "testdata-balance.txt"}};
    for (const auto& s : sections) {
        startreport(app, 0, 0);
        testdatareport(app, s.mode, s.code);
        reportline(app, "#");
        expectgolden(s.golden, reporttext(app.report));
    }
    cmdtotalremovalreport_Click(app);
    expectgolden("totalremoval.txt", reporttext(app.report));
    cmdemissfactorrept_Click(app);
    expectgolden("emissionfactor.txt", reporttext(app.report));
    app.opt.partcorrmode = 0;
    app.opt.efmeanmode = 1;
    cmdemissfactorrept_Click(app);
    expectgolden("emissionfactor-total.txt", reporttext(app.report));
}
