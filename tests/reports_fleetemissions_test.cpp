#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "common/numtext.h"
#include "common/textutil.h"
#include "data/saving.h"
#include "model/binlookup.h"
#include "exampleset.h"
#include "fleet_fixture.h"
#include "golden.h"
#include "report/numformat.h"
#include "reports/fleet.h"
#include "reports/fleetreports.h"

using namespace brasket;
using namespace brasket::testing;

namespace {

// Four states in the state list; plants in them, one with a blank state, one with a one-letter
// state, one without fuels; bins whose fractions add up to 1.
struct Emissions : FleetSet {
    frmplants* m = nullptr;
    void SetUp() override {
        FleetSet::SetUp();
        m = &mainwindow(*app);
        for (const char* s : {"PA   ( 3)", "OH   ( 5)", "WV   ( 3)", "TX   ( 6)"}) m->List12.AddItem(s);
        m->List6.AddItem("no spec.");
        for (int i = 1; i <= 6; ++i) m->List6.AddItem("PM " + std::to_string(i));
        m->List7.AddItem("no spec.");
        for (int i = 1; i <= 3; ++i) m->List7.AddItem("SO2 " + std::to_string(i));
        plant(1, "ALPHA", "PA", {3, 6});
        plant(2, "BETA", "OH", {3, 3});
        plant(3, "GAMMA", "", {3});
        plant(4, "DELTA", "P", {3});
        plant(5, "EPSILON", "WV", {});
        plant(6, "ZETA", "TX", {3});
        unit(1, 1, 1, 1, 1);
        unit(2, 2, 1, 1, 1);
        unit(3, 3, 1, 1, 1);
        unit(4, 4, 1, 1, 1);
        unit(5, 5, 1, 1, 1);
        unit(6, 6, 1, 2, 1);
        for (long u : {1, 2, 3, 4, 6}) burn(u, 3, 1, 3, 1000, 1);
        burn(1, 4, 2, 6, 500, 2);
        configuration(1, 3, 1, 1, 1, 7);
        configuration(2, 6, 1, 1, 1, 8);
        configuration(3, 3, 1, 0, 1, 9);
        configuration(4, 3, 1, 2, 1, 10);
        configuration(5, 3, 1, 5, 1, 11);
        bin(7, 0.5f, 0.2f, 0.3f, 0.5f);
        bin(8, 1.0f, 0.1f, 0.1f, 0.8f);
        bin(9, 0.25f, 0.2f, 0.3f, 0.5f);
        bin(10, 0.75f, 0.2f, 0.2f, 0.6f);
        bin(11, 0.1f, 0.2f, 0.3f, 0.5f);
    }
    std::vector<std::string> codes() const { return statecodes(m->List12, 54); }
    void select(ListBox& list, std::initializer_list<int> entries) {
        for (int i : entries) list.setSelected(i, true);
    }
    // The kilograms of the area report's first line of a unit.
    double areakg(const std::string& unit) const {
        const std::string l = linestarting(unit + std::string(15 - unit.size(), ' ') + "\t");
        EXPECT_FALSE(l.empty()) << unit;
        return l.size() > 53 ? val(l.substr(53, 16)) : -1;
    }
};

constexpr double kgin = 1000 * 1 * 0.0009072;  // a burn of 1000 tons at 1 ppm

TEST_F(Emissions, StatesAddUpToTheNationAndTheSpeciesToTheTotal) {
    unit(7, 501, 1, 1, 1);  // a plant beyond the plant table: left out and told
    const StateEmissions s = stateemissions(*app, codes());
    ASSERT_EQ(s.states.size(), 55u);
    EXPECT_NEAR(s.states[1].kg, kgin * 0.5 + kgin * 1.0, 1e-12);  // PA: both fuels of unit 1
    EXPECT_NEAR(s.states[2].kg, kgin * 0.5, 1e-12);                   // OH: fuel 3 listed twice, once
    EXPECT_EQ(s.states[3].kg, 0);                                     // WV: a plant without fuels
    EXPECT_NEAR(s.states[4].kg, kgin * 0.75, 1e-12);                  // TX
    // Units of a blank and of a one-letter state are under no state but in the nation.
    double states = 0;
    for (const MercurySplit& m : s.states) states += m.kg;
    EXPECT_NEAR(s.nation.kg, states + 2 * kgin * 0.5, 1e-12);
    // The bins' fractions are stored as 32-bit numbers adding up to 1.
    for (const MercurySplit& m : s.states) EXPECT_NEAR(m.part + m.ox + m.elem, m.kg, 1e-6 * m.kg);
    EXPECT_NEAR(s.nation.part + s.nation.ox + s.nation.elem, s.nation.kg, 1e-6 * s.nation.kg);
    EXPECT_NEAR(s.nation.kg, 3.75 * kgin, 1e-12);
    EXPECT_TRUE(warned("state emission report: unit 3 (U3) of plant 3 (GAMMA) has no state code; it is counted under "
                       "no state"));
    EXPECT_TRUE(warned("unit 4 (U4) of plant 4 (DELTA) has the state code \"P\", which is not in the state list"));
    EXPECT_FALSE(warned("unit 5"));  // nothing of it to count
    EXPECT_TRUE(warned("unit 7 (U7) of plant 501 has a plant number outside the plant table; the unit is left out"));
}

TEST_F(Emissions, StateReportLines) {
    m->Frame4.Visible = true;
    cmdstatelist_Click(*app);
    EXPECT_FALSE(m->Frame4.Visible());
    EXPECT_FALSE(m->Label19.Visible());
    EXPECT_EQ(app->reportcalc, 0);
    const std::vector<std::string> l = lines();
    ASSERT_GE(l.size(), 63u);
    EXPECT_EQ(l[0], "");
    EXPECT_EQ(l[1], "  EMISSIONS OF MERCURY BY STATE");
    EXPECT_EQ(l[4], "STATE \t  TONS MERCURY 1999\tparticlate\t   ionized\t      elemental\t");
    // Tons: PA 1.5, particulate .2, oxidized .25 and elemental 1.05 times 1000 tons at 1 ppm.
    EXPECT_EQ(l[5], "  PA\t       1.500e-3\t   2.e-4  \t       2.5e-4  \t        1.050e-3\t");
    // Every one of the 54 lines, the codes missing from the list empty.
    EXPECT_EQ(l[9].substr(0, 3), "  \t");
    EXPECT_EQ(l[58], "  \t       .  \t          .  \t           .  \t           .  \t");
    EXPECT_EQ(l[59], "___________________________");
    EXPECT_EQ(l[61], "                                  1999 Mercury");
    EXPECT_EQ(l[62], "   National Totals                3.4        kg Hg per year, . tons/yr.");
}

TEST_F(Emissions, TheAreaFrameAndItsButtons) {
    cmdreportbystate_Click(*app);
    EXPECT_TRUE(m->Frame4.Visible());
    ASSERT_EQ(m->List15.ListCount(), 7);
    EXPECT_EQ(m->List15.List(0), "no spec.");
    EXPECT_EQ(m->List16.List(3), "SO2 3");
    m->Command16.Click();  // "ALL": the states of regions 1..10
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(m->List12.Selected(i)) << i;
    // The area of all states holds what the states hold; units of no state are in none.
    Command18_Click(*app);
    double states = 0;
    for (const MercurySplit& s : stateemissions(*app, codes()).states) states += s.kg;
    EXPECT_EQ(linestarting("   Region Totals"), totalsline("Region Totals", states, "3500"));
    EXPECT_TRUE(linestarting("U3").empty());
    EXPECT_TRUE(linestarting("U4").empty());
    cmdreportbystate_Click(*app);
    m->Command17.Click();  // "NONE"
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(m->List12.Selected(i)) << i;
    for (int j = 0; j < 10; ++j) EXPECT_FALSE(m->List13.Selected(j)) << j;
    m->List13.setSelected(2, true);  // region 3: PA and WV
    EXPECT_TRUE(m->List12.Selected(0));
    EXPECT_FALSE(m->List12.Selected(1));
    EXPECT_TRUE(m->List12.Selected(2));
    m->Command18.Click();  // "OK"
    EXPECT_FALSE(m->Frame4.Visible());
    EXPECT_EQ(m->Label19.Caption(), "Calculating Display for Region ");
    EXPECT_FALSE(m->Label19.Visible());
    EXPECT_EQ(app->report.pageindex().substr(0, 1), "3");
    EXPECT_EQ(app->report.line(1), "      SELECTED 1999 REGIONAL EMISSIONS OF MERCURY");
    // PA's unit with a line per burned fuel; WV's unit without plant fuels is flagged.
    EXPECT_NEAR(areakg("U1"), kgin * 0.5, 1e-4);
    EXPECT_EQ(linestarting("U1             \tALPHA").substr(0, 79),
              "U1             \tALPHA               \t PA\t     3\t       0.4536\t         0.09072\t");
    EXPECT_EQ(linestarting("U5"), "U5             \tEPSILON             \t WV   \t  3\t\t                 This unit did "
                                  "not burn coal in 1999.");
    EXPECT_TRUE(linestarting("U2").empty());
    EXPECT_EQ(linestarting("   Region Totals"), "   Region Totals     1500         1.36       kg Hg per year, . tons/yr.");
    EXPECT_EQ(linestarting("  Elemental mercury "), "  Elemental mercury . tons/yr.");
}

TEST_F(Emissions, TheAssumedParticulateControl) {
    cmdreportbyregion_Click(*app);
    select(m->List12, {0});
    // Nothing chosen: each unit keeps its own controls.
    Command18_Click(*app);
    EXPECT_NEAR(areakg("U1"), kgin * 0.5, 1e-4);
    // "no spec." gives every unit particulate code 0.
    select(m->List15, {0});
    Command18_Click(*app);
    EXPECT_NEAR(areakg("U1"), kgin * 0.25, 1e-4);
    // Of several chosen entries the last in the list wins.
    m->List15.setSelected(0, false);
    select(m->List15, {5, 2});
    Command18_Click(*app);
    EXPECT_NEAR(areakg("U1"), kgin * 0.1, 1e-4);
    // An SO2 choice without a configuration row: no bin, the mercury in is emitted.
    select(m->List16, {3});
    Command18_Click(*app);
    EXPECT_NEAR(areakg("U1"), kgin, 1e-4);
}

TEST_F(Emissions, NationalReportAndItsSpeciatedVariant) {
    cmdactslusum_Click(*app);
    EXPECT_EQ(linestarting("ALPHA"), "ALPHA               \tU1             \tBITUMINOUS\t                            0.9072\t     7\t  "
                                     ".5\t       0.4536\t");
    // A fuel name of 35 characters stands whole before the mercury column.
    app->ws.idfuel(3).name = std::string(35, 'F');
    cmdactslusum_Click(*app);
    EXPECT_EQ(linestarting("ALPHA").substr(37, 37), std::string(35, 'F') + "\t ");
    const double nation = 3.75 * kgin;
    EXPECT_EQ(linestarting("   National Totals"), totalsline("National Totals", nation));
    EXPECT_TRUE(warned("national emission report: unit 5 (U5) of plant 5 (EPSILON)'s plant lists no fuel; no emission "
                       "is estimated for it"));
    const std::string normal = reporttext(app->report);

    cmdus_Click(*app);
    EXPECT_EQ(app->reportmode, 0);
    EXPECT_EQ(linestarting("Cogen"), "Cogen  Unit            Plant                 kg part.      kg Hg++       kg Hg(e)      "
                                     "kg Hg(total)");
    const std::string speciated = reporttext(app->report);
    const std::string totals = linestarting("       National Totals");
    EXPECT_EQ(totals.substr(45, 42), Row(42)
                                        .at(1, fmtnum(kgin * 0.65))
                                        .at(15, fmtnum(kgin * 0.85))
                                        .at(29, fmtnum(kgin * 2.25))
                                        .text());
    EXPECT_EQ(totals.substr(87), fmtnum(nation));
    cmdunitspecreport_Click(*app);
    EXPECT_EQ(reporttext(app->report), speciated);
    EXPECT_EQ(app->reportmode, 0);
    cmdactslusum_Click(*app);
    EXPECT_EQ(reporttext(app->report), normal);
}

TEST_F(Emissions, NationalSummaryItemChoosesByTheFactorMethod) {
    cmdnatsummary_Click(*app);
    EXPECT_EQ(app->report.line(3), "            Summary of National Mercury Emissions");
    EXPECT_EQ(app->reportmode, 0);
    EXPECT_FALSE(m->Label19.Visible());
    app->opt.partcorrmode = 0;
    cmdnatsummary_Click(*app);
    EXPECT_EQ(app->report.line(2), "  NATIONAL EMISSIONS OF MERCURY");
    EXPECT_FALSE(linestarting("Plant\t").empty());
    EXPECT_EQ(app->reportmode, 0);
}

// A bin factor above 1 is cut to 1 in every fleet report as the main window opens, and used
// as it stands once the analyst unchecks "Truncate distribution at 1".
TEST_F(Emissions, ABinFactorAboveOneIsCutInEveryReportUnlessUnchecked) {
    bin(7, 1.3f, 0.2f, 0.3f, 0.5f);  // units 1 to 4 burn fuel 3 in bin 7
    cmdunittype_Click(*app);
    select(m->List12, {0, 1, 2, 3});
    auto totals = [&] {
        std::vector<double> kg;
        kg.push_back(stateemissions(*app, codes()).nation.kg);
        cmdactslusum_Click(*app);
        kg.push_back(val(linestarting("   National Totals").substr(34)));
        cmdus_Click(*app);
        kg.push_back(val(lines().back().substr(87)));
        Command18_Click(*app);
        kg.push_back(val(linestarting("   Region Totals").substr(34)));
        printbins(*app);
        kg.push_back(val(linestarting("Total national mercury emissions ").substr(33)));
        return kg;
    };
    // Fuel 3 of units 1 to 4 (bin 7), fuel 6 of unit 1 (bin 8, factor 1), unit 6 (bin 10, .75);
    // the area holds units 1, 2 and 6.
    const std::vector<double> cut = totals();
    EXPECT_NEAR(cut[0], 5.75 * kgin, 1e-6);
    EXPECT_NEAR(cut[1], 5.75 * kgin, 0.005);
    EXPECT_NEAR(cut[2], 5.75 * kgin, 0.0005);
    EXPECT_NEAR(cut[3], 3.75 * kgin, 0.005);
    EXPECT_NEAR(cut[4], 5.75 * kgin, 0.5);  // whole kilograms

    m->Check1[1].Value = 0;
    const std::vector<double> uncut = totals();
    EXPECT_NEAR(uncut[0], 6.95 * kgin, 1e-6);
    EXPECT_NEAR(uncut[1], 6.95 * kgin, 0.005);
    EXPECT_NEAR(uncut[2], 6.95 * kgin, 0.0005);
    EXPECT_NEAR(uncut[3], 4.35 * kgin, 0.005);
    EXPECT_NEAR(uncut[4], 6.95 * kgin, 0.5);
}

// The unity configuration lets its mercury through without known forms, as a fuel without a
// bin and a bin without speciation do: the forms add up to less than the total, never more.
TEST_F(Emissions, FormsNeverExceedTheTotal) {
    unit(6, 6, 1, 15, 2);                 // unity: SO2 code 2 with particulate code 15
    bin(8, 0.6f);                         // fuel 6 of unit 1: a factor, no speciation
    configuration(1, 3, 9, 9, 9, 7);      // units 1 to 4 now find no row for fuel 3
    const StateEmissions s = stateemissions(*app, codes());
    EXPECT_NEAR(s.nation.kg, 5 * kgin + 0.6 * kgin, 1e-6);
    EXPECT_EQ(s.nation.part + s.nation.ox + s.nation.elem, 0);
    EXPECT_EQ(app->ws.binindex(45).partfrac, 0.0f);  // the unity bin's speciation is not written
    cmdus_Click(*app);
    EXPECT_EQ(val(lines().back().substr(45, 14)) + val(lines().back().substr(59, 14)) +
                  val(lines().back().substr(73, 14)),
              0);

    // Units 1 to 4 back in bin 7 (fractions .2, .3, .5): their forms make up their part.
    configuration(1, 3, 1, 1, 1, 7);
    const StateEmissions t = stateemissions(*app, codes());
    const double forms = t.nation.part + t.nation.ox + t.nation.elem;
    EXPECT_NEAR(forms, 4 * 0.5 * kgin, 1e-6);
    EXPECT_LT(forms, t.nation.kg);
}

// A blend's name is cut to the fuel column, so every unit line keeps its seven TAB-separated
// columns for a program that reads them.
TEST_F(Emissions, TheNationalReportKeepsItsColumnsForBlendNames) {
    app->ws.idfuel(1).name = "BITUMINOUS HIGH SULFUR";
    app->ws.idfuel(4).name = "SUBBITUMINOUS";
    plant(1, "ALPHA", "PA", {401, 6});
    burn(1, 3, 1, 401, 1000, 1);
    configuration(6, 401, 1, 1, 1, 7);
    cmdactslusum_Click(*app);
    long blends = 0;
    for (const std::string& l : lines()) {
        if (l.rfind("ALPHA", 0) != 0) continue;
        EXPECT_EQ(std::count(l.begin(), l.end(), '\t'), 7) << l;
        const std::vector<std::string> columns = [&] {
            std::vector<std::string> c;
            std::size_t from = 0;
            for (std::size_t t; (t = l.find('\t', from)) != std::string::npos; from = t + 1) c.push_back(l.substr(from, t - from));
            return c;
        }();
        ASSERT_EQ(columns.size(), 7u);
        if (columns[2] == "SUBBITUMINOUS   BITUMINOUS HIGH SULF") {
            ++blends;
            EXPECT_NEAR(val(columns[3]), kgin, 1e-4);
            EXPECT_EQ(trim(columns[4]), "7");
        }
    }
    EXPECT_EQ(blends, 1);
}

TEST(ReportMode, IsPutBackWhenTheReportFails) {
    ScriptedPlatform platform;
    App app(platform);
    try {
        ReportModeScope mode(app, unitspeciated);
        EXPECT_EQ(app.reportmode, 2);
        throw std::runtime_error("failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(app.reportmode, 0);
}

TEST_F(Emissions, UnitSpecificationsWithPlants) {
    app->ws.idplant(1).pfcode = "PF-ALPHA";
    unit(7, 0, 1, 1, 1);  // no plant: nothing to list
    unit(8, 1, 1, 1, 1);  // burned nothing: its plant's fuels with no amount
    cmdunitspecsplus_Click(*app);
    const std::vector<std::string> l = lines();
    ASSERT_GE(l.size(), 6u);
    EXPECT_EQ(l[1], "NATIONAL COAL FIRED POWER PLANT DATA BASE...  MERCURY");
    EXPECT_EQ(l[3], " Unit              Plant                    tons coal pf code             fuel type");
    // One line per plant fuel, in slot order, with what the unit burned of it.
    EXPECT_EQ(l[4], " U1                ALPHA                    1000      PF-ALPHA             BITUMINOUS");
    EXPECT_EQ(l[5], " U1                ALPHA                    500       PF-ALPHA             BIT LS");
    EXPECT_EQ(linestarting(" U5"), " U5                EPSILON                    This unit did not burn coal in 1999.");
    EXPECT_TRUE(linestarting(" U7").empty());
    EXPECT_EQ(linestarting(" U8"), " U8                ALPHA                              PF-ALPHA             BITUMINOUS");
    {
        ReportModeScope mode(*app, nationalsummary);
        cmdunitspecsplus_Click(*app);
        EXPECT_TRUE(linestarting(" U5").empty());
    }
}

// A fleet whose listings overrun the report buffer.
struct LargeFleet : FleetSet {
    void SetUp() override {
        FleetSet::SetUp();
        mainwindow(*app).List12.AddItem("PA   ( 3)");
        for (long p = 1; p <= 500; ++p) plant(p, "P" + std::to_string(p), "PA", {1, 3, 4, 5});
        for (long u = 1; u <= 2000; ++u) {
            unit(u, (u - 1) % 500 + 1, 1, 1, 1);
            const int fuels[] = {1, 3, 4, 5};
            for (std::size_t k = 1; k <= 4; ++k) burn(u, 1, k, fuels[k - 1], 10, 1);
        }
    }
};

TEST_F(LargeFleet, ListingsCutAtTheEndOfTheBufferKeepTheirTotals) {
    cmdunitspecsplus_Click(*app);
    EXPECT_LT(app->report.reportlinecount, ReportBuffer::lastline);
    EXPECT_EQ(lines().back(), "REPORT CUT: the report buffer is full");

    Command16_Click(*app);
    Command18_Click(*app);
    EXPECT_LT(app->report.reportlinecount, ReportBuffer::lastline);
    const std::vector<std::string> l = lines();
    EXPECT_EQ(l[l.size() - 7], "REPORT CUT: the report buffer is full");
    // Units 203, 676, 964 and 1002 have their own bins, whose factors are 0 here.
    const double kg = (8000 - 16) * 10 * 0.0009072;
    EXPECT_EQ(l[l.size() - 4], totalsline("Region Totals", kg, "80000"));
    EXPECT_EQ(l.back(), "  Elemental mercury . tons/yr.");

    cmdactslusum_Click(*app);
    EXPECT_EQ(lines().back(), totalsline("National Totals", kg));
    EXPECT_EQ(lines()[lines().size() - 3], "REPORT CUT: the report buffer is full");

    // The unit type report is cut in its unit type table; the configuration listing still adds
    // up all its classes (those without a row of their own at factor 1).
    configuration(1, 3, 1, 1, 1, 7);
    bin(7, 0.5f);
    cmdunittype_Click(*app);
    EXPECT_LT(app->report.reportlinecount, ReportBuffer::lastline);
    const std::vector<std::string> u = lines();
    ASSERT_GE(u.size(), 3u);
    EXPECT_EQ(u[u.size() - 3], "REPORT CUT: the report buffer is full");
    EXPECT_EQ(u[u.size() - 2], "Total national mercury in coal 73kg (.08 tons)");
    EXPECT_EQ(u[u.size() - 1], "Total national mercury emissions 64kg (.07 tons)");
    EXPECT_EQ(linestarting("Total coal burned "), "Total coal burned 80000 dry tons");
}

// Over the example working set.
struct FleetExample : FleetExampleSet {
    std::string line(const std::string& lead) const { return firstline(app, lead); }
    // The area report's total kilograms.
    double areatotal() const { return val(line("   Region Totals").substr(34)); }
};

TEST_F(FleetExample, GoldenReports) {
    cmdstatelist_Click(app);
    expectgolden("state-emissions.txt", reporttext(app.report));
    cmdreportbyregion_Click(app);
    Command16_Click(app);
    Command18_Click(app);
    expectgolden("area-emissions-all.txt", reporttext(app.report));
    cmdactslusum_Click(app);
    expectgolden("national-emissions.txt", reporttext(app.report));
    cmdus_Click(app);
    expectgolden("national-emissions-speciated.txt", reporttext(app.report));
    cmdunitspecsplus_Click(app);
    expectgolden("unit-specifications.txt", reporttext(app.report));
}

// The national report, "ALL" then "OK", the states and the ten regions all give the state
// report's national totals.
TEST_F(FleetExample, TheNationalTotalsAgreeAcrossTheReports) {
    cmdstatelist_Click(app);
    const std::string national = line("   National Totals");
    ASSERT_FALSE(national.empty());
    cmdactslusum_Click(app);
    EXPECT_EQ(line("   National Totals"), national);
    // "ALL" then "OK" covers every state of the example fleet.
    cmdreportbyregion_Click(app);
    Command16_Click(app);
    Command18_Click(app);
    EXPECT_EQ(line("   Region Totals").substr(34), national.substr(34));
    // The states add up to the nation.
    const StateEmissions s = stateemissions(app, statecodes(app.main.List12, 54));
    double states = 0;
    for (const MercurySplit& m : s.states) states += m.kg;
    EXPECT_NEAR(states, s.nation.kg, 1e-9 * s.nation.kg);
    EXPECT_GT(s.nation.kg, 0);
    // The ten regions one by one add up to the nation (each area total rounded to 10 g).
    const double nation = areatotal();
    double regions = 0;
    for (int r = 0; r < 10; ++r) {
        Command17_Click(app);
        app.main.List13.setSelected(r, true);
        Command18_Click(app);
        regions += areatotal();
    }
    EXPECT_NEAR(regions, nation, 10 * 0.005 + 0.005);
}

// Over the full-size example fleet: the unity configuration, bins without speciation and
// fuels without a bin included.
struct FullFleet : FullFleetExampleSet {
    std::string line(const std::string& lead) const { return firstline(app, lead); }
    double national() {
        cmdactslusum_Click(app);
        return val(line("   National Totals").substr(34));
    }
    double area() {
        cmdreportbyregion_Click(app);
        Command16_Click(app);
        Command18_Click(app);
        return val(line("   Region Totals").substr(34));
    }
};

// Every fuel row of every unit, every state and the nation: the three forms add up to at most
// the total, and to the total where the bin's fractions sum to 1.
TEST_F(FullFleet, TheFormsAddUpToAtMostTheTotal) {
    long rows = 0, whole = 0;
    for (long u = 1; u <= unitcount(app.ws); ++u) {
        const unitcrec& unit = app.ws.unitc(u);
        for (long f : plantfuels(app.ws, app.ws.idunit(u).plantno)) {
            const FuelEmission e = fuelemission(app, u, f, unit.modelboiler, unit.modelso2, unit.modelpm);
            const double forms = e.part + e.ox + e.elem;
            EXPECT_LE(forms, e.emitted * (1 + 1e-6)) << "unit " << u << " fuel " << f;
            const binindexrec& b = app.ws.binindex(e.bin);
            const bool speciated = e.bin != nobin && !unityconfiguration(unit.modelso2, unit.modelpm) &&
                                   std::abs(b.partfrac + b.oxfrac + b.elemfrac - 1) < 1e-6;
            if (speciated) {
                EXPECT_NEAR(forms, e.emitted, 1e-6 * e.emitted) << "unit " << u << " fuel " << f;
                ++whole;
            }
            ++rows;
        }
    }
    EXPECT_GT(rows, 1000);
    EXPECT_GT(whole, 100);
    EXPECT_LT(whole, rows);
    const StateEmissions s = stateemissions(app, statecodes(app.main.List12, 54));
    for (const MercurySplit& m : s.states) EXPECT_LE(m.part + m.ox + m.elem, m.kg * (1 + 1e-6));
    EXPECT_LE(s.nation.part + s.nation.ox + s.nation.elem, s.nation.kg * (1 + 1e-6));
    EXPECT_LT(s.nation.part + s.nation.ox + s.nation.elem, s.nation.kg);
}

// Running a report changes no estimate: the national, state and area totals are the same
// before the unit type report, after it, and after a save and a new start.
TEST_F(FullFleet, TheTotalsStayThroughTheUnitTypeReportAndASave) {
    // Twenty configuration rows emptied (their bins left as they were): the report enters
    // classes into them.
    for (long row = 281; row <= 300; ++row) {
        binindexrec& r = app.ws.binindex(row);
        r.unitfuel = 0;
        r.unitboiler = r.unitpm = r.unitso2 = 0;
    }
    const double nation = national(), states = stateemissions(app, statecodes(app.main.List12, 54)).nation.kg,
                 areas = area();
    ASSERT_GT(nation, 1000);
    cmdunittype_Click(app);
    printbins(app);
    long entered = 0;
    for (long row = 281; row <= 300; ++row) entered += app.ws.binindex(row).unitcode == nobin;
    EXPECT_GT(entered, 5);
    EXPECT_EQ(national(), nation);
    EXPECT_EQ(stateemissions(app, statecodes(app.main.List12, 54)).nation.kg, states);
    EXPECT_EQ(area(), areas);
    cmdsaveallupdate_Click(app);

    ScriptedPlatform again;
    App restarted{again};
    loadexampleset(restarted, again, dir);
    EXPECT_EQ(stateemissions(restarted, statecodes(restarted.main.List12, 54)).nation.kg, states);
    cmdactslusum_Click(restarted);
    EXPECT_EQ(val(firstline(restarted, "   National Totals").substr(34)), nation);
}

// The summary by bin counts every class: its mercury in coal is the unit type report's; over
// the fleet without the units that have bins of their own and without unity configurations,
// its emissions are the national emission report's.
TEST_F(FullFleet, TheSummaryByBinCountsAllTheMercury) {
    cmdunittype_Click(app);
    const double incoal = val(line("Total mercury in coal ").substr(22));
    ASSERT_GT(incoal, 1000);
    printbins(app);
    EXPECT_EQ(val(line("Total national mercury in coal ").substr(31)), incoal);

    Workset& ws = app.ws;
    long removed = 0;
    for (long u = 1; u <= unitcount(ws); ++u) {
        const unitcrec& r = ws.unitc(u);
        const bool ownbin = u == 964 || u == 203 || u == 676 || u == 1002 || u == 67;
        if (!ownbin && !unityconfiguration(r.modelso2, r.modelpm)) continue;
        for (long m = 1; m <= 12; ++m) ws.unitcoal(u, m).drytons = {};
        ++removed;
    }
    EXPECT_GT(removed, 5);
    cmdunittype_Click(app);
    printbins(app);
    const double summary = val(line("Total national mercury emissions ").substr(33));
    EXPECT_NEAR(summary, national(), 0.5 + 0.01);
}

}  // namespace
