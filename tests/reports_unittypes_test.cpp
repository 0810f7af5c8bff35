#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <fstream>

#include "data/loading.h"
#include "data/saving.h"
#include "exampleset.h"
#include "fleet_fixture.h"
#include "golden.h"
#include "reports/fleetreports.h"

using namespace brasket;
using namespace brasket::testing;

namespace {

std::string pad(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

// Three units of one configuration in three size classes, a second fuel at one plant, a fuel
// listed twice at another, and a unit without model codes.
struct UnitTypes : FleetSet {
    void SetUp() override {
        FleetSet::SetUp();
        plant(1, "ALPHA", "PA", {3, 6});
        plant(2, "BETA", "OH", {3, 3});
        unit(1, 1, 1, 1, 1, 600);
        unit(2, 1, 1, 1, 1, 600.5f);
        unit(3, 2, 1, 1, 1, 100);
        unit(4, 2, 0, 0, 0, 250);
        burn(1, 1, 1, 3, 100000, 0.1f);
        burn(1, 2, 2, 6, 50000, 0.2f);
        burn(2, 3, 1, 3, 200000, 0.1f);
        burn(3, 12, 4, 3, 300000, 0.2f);
        burn(4, 1, 1, 3, 1000, 0.1f);
        configuration(1, 3, 1, 1, 1, 7);
        configuration(2, 0, 0, 0, 0, 9);  // the first empty row; its bin stays when it is filled
        bin(7, 1.3f);
        bin(9, 0.5f);
    }
    i16 cell(long a, long b, long c, long d, long e) const { return binnumbercell(app->ws, a, b, c, d, e); }
};

TEST_F(UnitTypes, ClassesCountUnitsByFuelCodesAndSize) {
    cmdunittype_Click(*app);
    // Fuel entries in the order the units meet the fuels.
    EXPECT_EQ(cell(1, 0, 0, 0, 0), 3);
    EXPECT_EQ(cell(2, 0, 0, 0, 0), 6);
    EXPECT_EQ(cell(3, 0, 0, 0, 0), 0);
    // Fuel 3: units 1, 2 and 3, the fuel listed twice at plant 2 counting once; 600 MW is
    // medium, 600.5 MW large, 100 MW small.
    EXPECT_EQ(cell(1, 1, 1, 1, 0), 3);
    EXPECT_EQ(cell(1, 1, 1, 1, 1), 1);
    EXPECT_EQ(cell(1, 1, 1, 1, 2), 1);
    EXPECT_EQ(cell(1, 1, 1, 1, 3), 1);
    // Fuel 6: both units of plant 1 count, though only unit 1 burned it; only its burn adds.
    EXPECT_EQ(cell(2, 1, 1, 1, 0), 2);
    EXPECT_EQ(cell(2, 1, 1, 1, 2), 1);
    EXPECT_EQ(cell(2, 1, 1, 1, 3), 1);
    EXPECT_NEAR(app->ws.binnumbervalue(1, 1, 1, 1), 0.0009072 * (10000 + 20000 + 60000), 1e-3);
    EXPECT_NEAR(app->ws.binnumbervalue(2, 1, 1, 1), 0.0009072 * 10000, 1e-4);
    // Unit type codes in listing order.
    EXPECT_EQ(cell(1, 1, 1, 1, 4), 1);
    EXPECT_EQ(cell(2, 1, 1, 1, 4), 2);
    // The unit without model codes leaves the fuel number of its entry alone and is told; what
    // it burned is added up all the same.
    EXPECT_TRUE(warned("unit 4 (U4) of plant 2 (BETA) has no model boiler, particulate or SO2 code; its coal and "
                       "mercury are added up, but the unit is not counted in a class"));
    EXPECT_EQ(warnings().size(), 1u);
    EXPECT_NEAR(app->ws.binnumbervalue(1, 0, 0, 0), 0.0009072 * 100, 1e-6);
    for (long e = 1; e <= 4; ++e) EXPECT_EQ(cell(1, 0, 0, 0, e), 0) << e;
}

TEST_F(UnitTypes, ReportLinesAndTotals) {
    cmdunittype_Click(*app);
    EXPECT_EQ(app->report.line(1), "  Number of units for Fuel Types, Boilers, PM controls, and SO2 controls. ");
    EXPECT_EQ(app->report.pageindex().substr(0, 1), "2");
    EXPECT_EQ(linestarting("3   \t"), "3   \t 601000");
    EXPECT_EQ(linestarting("6   \t"), "6   \t 50000");
    // Count, mercury, the fuel and type names, the NOx class, the large, medium and small
    // counts and the four indices, each after a TAB at its column.
    EXPECT_EQ(linestarting("001"), "001 \t 3    \t81.648   \t" + pad("BITUMINOUS", 39) + "\t" + pad("BOILER 1", 19) +
                                       "\t" + pad("PM 1", 19) + "\t" + pad("SO2 1", 12) + "\t" + pad("", 9) +
                                       "\t1   \t1   \t1   \t1 \t1 \t1 \t1");
    EXPECT_EQ(linestarting("002").substr(124), "\t1   \t1   \t    \t2 \t1 \t1 \t1");
    EXPECT_EQ(linestarting("Total coal burned "), "Total coal burned 651000 dry tons");
    EXPECT_EQ(linestarting("Total mercury in coal "), "Total mercury in coal 91kg (.1 tons)");
    // The listing by unit type code: units with burned fuel, each fuel once.
    EXPECT_EQ(linestarting("  1      \tU1 "), "  1      \tU1            \tALPHA" + pad("", 39) + "\tBITUMINOUS");
    EXPECT_EQ(linestarting("  2      \tU1 "), "  2      \tU1            \tALPHA" + pad("", 39) + "\tBIT LS");
    EXPECT_TRUE(linestarting("  2      \tU2 ").empty());  // unit 2 burned no fuel 6
    EXPECT_EQ(linestarting("  1      \tU3 ").substr(0, 30), "  1      \tU3            \tBETA ");
    // The configuration with a bin factor of 1.3 is listed with 1 and its input as stack value;
    // the class without a configuration row is listed with bin 90 and factor 1 and counted, so
    // the listing accounts for all the mercury in coal.
    EXPECT_EQ(linestarting("1   3").substr(0, 49), "1   3   81.648       1.        81.648            ");
    EXPECT_EQ(linestarting("1   3").substr(49, 10), " 7   BITUM");
    EXPECT_EQ(linestarting("2   2").substr(0, 52), "2   2   9.072        1.        9.072              90");
    EXPECT_EQ(linestarting("Total national mercury in coal "), "Total national mercury in coal 91kg (.1 tons)");
    EXPECT_EQ(linestarting("Total national mercury emissions "), "Total national mercury emissions 91kg (.1 tons)");
    // The unmatched configuration now fills the first empty row with bin 90, never the bin the
    // row held before (bin 9, factor .5), which the unit's estimates would then take.
    EXPECT_EQ(configurationof(2), (std::vector<long>{6, 1, 1, 1, 90}));

    // The next run finds it, with the same result.
    cmdunittype_Click(*app);
    EXPECT_EQ(linestarting("2   2").substr(0, 52), "2   2   9.072        1.        9.072              90");
    EXPECT_EQ(linestarting("Total national mercury in coal "), "Total national mercury in coal 91kg (.1 tons)");
    EXPECT_EQ(linestarting("Total national mercury emissions "), "Total national mercury emissions 91kg (.1 tons)");
}

// The hidden maintenance item runs the report, which leaves the busy panel hidden and the
// report window shown.
TEST_F(UnitTypes, TheHiddenMenuItemRunsTheReport) {
    MenuItem& item = mainwindow(*app).menu("cmdunittype");
    EXPECT_EQ(item.Caption(), "unit type report");
    EXPECT_FALSE(item.Visible());
    item.Click();
    EXPECT_EQ(cell(1, 1, 1, 1, 0), 3);
    const frmplants& m = app->main;
    EXPECT_EQ(m.Label19.Caption(), "calculating unit type data ");
    EXPECT_EQ(m.Label9.Caption(), "Preparing text for display ");
    EXPECT_FALSE(m.Label19.Visible());
    EXPECT_FALSE(m.Label22.Visible());
    EXPECT_EQ(app->reportcalc, 0);
    EXPECT_TRUE(app->display.Visible());
}

TEST_F(UnitTypes, NOxClassesFromTheBoilerTypeName) {
    const std::pair<std::string, std::string> names[] = {
        {"NONOX/SCR", "SCR"}, {"FBC/SNCR", "SNCR"}, {"NONOX", "NONOX"}, {"PC NOX", "NOX"}, {"CYCLONE", "  "}};
    for (long b = 1; b <= 5; ++b) {
        app->ws.emfactor(b, 0).name = names[b - 1].first;
        unit(10 + b, 1, static_cast<int>(b), 2, 2);
        burn(10 + b, 1, 1, 3, 10, 1);
    }
    cmdunittype_Click(*app);
    // Fuel entry 1 lists class (1, 1, 1) first, then boiler types 1..5 with codes 2 and 2.
    for (long b = 1; b <= 5; ++b) {
        const std::string l = linestarting("00" + std::to_string(b + 1));
        ASSERT_EQ(l.substr(139), "\t1 \t" + std::to_string(b) + " \t2 \t2");
        EXPECT_EQ(l.substr(114, 10), pad("\t" + names[b - 1].second, 10)) << names[b - 1].first;
    }
}

// Data beyond the tables is left out where it does not fit, with a warning line each.
TEST_F(UnitTypes, DataBeyondTheTablesIsLeftOutAndTold) {
    plant(3, "GAMMA", "WV", {1203, 203});
    unit(5, 3, 26, 1, 1);  // boiler type beyond 25
    unit(6, 501, 1, 1, 1);  // plant beyond 500
    unit(1501, 3, 1, 1, 1);
    burn(1501, 1, 1, 1203, 1000, 1);
    burn(1501, 2, 1, 203, 2000, 1);
    burn(1499, 2, 1, 203, 3000, 1);
    unit(1499, 3, 1, 1, 1);
    cmdunittype_Click(*app);
    EXPECT_TRUE(warned("unit 5 (U5) of plant 3 (GAMMA) has boiler type 26, particulate control 1 and SO2 control 1, "
                       "beyond the table (25, 17, 12); the unit is not classified"));
    EXPECT_TRUE(warned("unit 6 (U6) of plant 501 has a plant number outside the plant table"));
    EXPECT_TRUE(warned("fuel number 1203 of unit 1501 (U1501) of plant 3 (GAMMA) lies beyond the coal use summary"));
    EXPECT_TRUE(warned("unit 1501 (U1501) of plant 3 (GAMMA) lies beyond the coal use listing by unit"));
    // Fuel 1203 counts in its class and the totals, but not in the fuel summary.
    const long a1203 = 3, a203 = 4;
    EXPECT_EQ(binnumbercell(app->ws, a1203, 0, 0, 0, 0), 1203);
    EXPECT_EQ(binnumbercell(app->ws, a1203, 1, 1, 1, 0), 2);
    EXPECT_EQ(binnumbercell(app->ws, a203, 1, 1, 1, 0), 2);
    EXPECT_TRUE(linestarting("1203").empty());
    EXPECT_EQ(linestarting("203   \t"), "203   \t 5000");
    // The bituminous use by unit lists unit 1499 but not unit 1501.
    EXPECT_EQ(linestarting(" 1499  \t"), " 1499  \t3000       \tGAMMA" + pad("", 24) + "\tU1499");
    EXPECT_TRUE(linestarting(" 1501").empty());
    EXPECT_EQ(linestarting("Total coal burned "), "Total coal burned 657000 dry tons");
}

TEST_F(UnitTypes, FuelEntriesBeyondTwentyFiveAndFifty) {
    // Six plants of ten fuels each: fuels 101..160, one unit each burning its plant's last fuel.
    for (long p = 3; p <= 8; ++p) {
        plantrec& r = app->ws.plant(p);
        for (std::size_t s = 1; s <= 10; ++s) r.fuelno[s] = static_cast<i16>(100 + (p - 3) * 10 + static_cast<long>(s));
        app->ws.idplant(p).plantname = "P" + std::to_string(p);
        unit(10 + p, p, 2, 2, 2);
        burn(10 + p, 1, 1, r.fuelno[10], 100, 1);
    }
    cmdunittype_Click(*app);
    // Plant 1's fuels take entries 1 and 2; fuels 101..148 take entries 3..50.
    EXPECT_EQ(binnumbercell(app->ws, 26, 0, 0, 0, 0), 124);
    EXPECT_EQ(binnumbercell(app->ws, 50, 0, 0, 0, 0), 148);
    EXPECT_EQ(binnumbercell(app->ws, 26, 2, 2, 2, 0), 1);
    EXPECT_EQ(binnumbercell(app->ws, 26, 2, 2, 2, 4), 0);  // no unit type code past entry 25
    EXPECT_EQ(binnumbercell(app->ws, 25, 2, 2, 2, 4), 25);
    for (long f = 149; f <= 160; ++f)
        EXPECT_TRUE(warned("fuel " + std::to_string(f) + " of unit ")) << f;
    EXPECT_TRUE(warned("finds no free fuel entry (all 50 are taken); it is not classified"));
    // Unit 16 burned fuel 140, entry 42, and unit 18 fuel 160, which has no entry: code 0.
    EXPECT_EQ(linestarting("  0      \tU16 ").substr(0, 13), "  0      \tU16");
    EXPECT_EQ(linestarting("  0      \tU18 ").substr(0, 13), "  0      \tU18");
    EXPECT_EQ(linestarting("  22     \tU14 ").substr(0, 13), "  22     \tU14");

    // The national summary by bin lists the classes of entries 26 to 50 too: its first run
    // enters their configurations with bin 90 and lists them, its second finds them.
    printbins(*app);
    EXPECT_EQ(linestarting("42  1").substr(0, 12), "42  1   .091");  // fuel 140 of unit 16
    EXPECT_FALSE(linestarting("50  1").empty());
    printbins(*app);
    EXPECT_EQ(linestarting("42  1").substr(0, 12), "42  1   .091");
    EXPECT_FALSE(linestarting("50  1").empty());
}

// With every row in use nothing is entered, but every class is still listed (bin 90, factor 1)
// and counted; the warning log says so once for the run, with the number of classes.
TEST_F(UnitTypes, EveryConfigurationRowInUseEntersNothingButCountsEveryClass) {
    fillconfigurations();
    const binindexrec before = app->ws.binindex(0);
    cmdunittype_Click(*app);
    EXPECT_TRUE(warned("unit type report: every configuration row is in use; 2 classes that have no row could not "
                       "be entered and are listed with bin 90 and factor 1"));
    long told = 0;
    for (const std::string& w : warnings()) told += w.find("every configuration row is in use") != std::string::npos;
    EXPECT_EQ(told, 1);
    for (long row = 1; row <= 300; ++row) ASSERT_EQ(app->ws.binindex(row).unitfuel, 999);
    EXPECT_EQ(app->ws.binindex(0).unitfuel, before.unitfuel);
    EXPECT_EQ(app->ws.binindex(0).unitcode, before.unitcode);
    EXPECT_EQ(linestarting("2   2").substr(0, 52), "2   2   9.072        1.        9.072              90");
    EXPECT_EQ(linestarting("Total national mercury in coal "), "Total national mercury in coal 91kg (.1 tons)");
    EXPECT_EQ(linestarting("Total national mercury emissions "), "Total national mercury emissions 91kg (.1 tons)");
}

// Run as its menu item runs it, the report gives each warning once in the log: the lines the
// run adds are all different, each kind of repeated warning (one that many classes or units
// give alike) stands on one line, and the run's warning count is the lines it added.
TEST_F(UnitTypes, AMenuRunAddsOneLinePerKindOfRepeatedWarning) {
    fillconfigurations();
    unit(5, 2, 2, 3, 4, 50);  // a second class without a configuration row
    burn(5, 1, 1, 3, 1000, 0.1f);
    const long before = app->importwarnings;
    app->handlers.find("cmdunittype_Click")->run(*app);
    const std::vector<std::string> added = warnings();
    EXPECT_EQ(app->importwarnings - before, static_cast<long>(added.size()));
    std::set<std::string> distinct(added.begin(), added.end());
    EXPECT_EQ(distinct.size(), added.size());
    // The unit without model codes is told once, not once per fuel of its plant.
    EXPECT_EQ(std::count_if(added.begin(), added.end(),
                            [](const std::string& l) { return l.find("unit 4 (U4)") != std::string::npos; }),
              1);
    // The classes that found no row to be entered into are told in one line with their number.
    EXPECT_EQ(std::count_if(added.begin(), added.end(),
                            [](const std::string& l) {
                                return l.find("every configuration row is in use") != std::string::npos;
                            }),
              1);
    EXPECT_TRUE(warned("every configuration row is in use; 3 classes"));
    // A second run adds the same lines again.
    app->handlers.find("cmdunittype_Click")->run(*app);
    EXPECT_EQ(warnings().size(), 2 * added.size());
}

// With no units the reports hold their headings and zero totals; the state report still lists
// every state.
TEST_F(FleetSet, ReportsOfAnEmptyFleet) {
    cmdunittype_Click(*app);
    expectgolden("unit-type-report-empty.txt", reporttext(app->report));
    printbins(*app);
    expectgolden("national-summary-by-bin-empty.txt", reporttext(app->report));
    cmdstatelist_Click(*app);
    const std::vector<std::string> l = lines();
    ASSERT_EQ(l.size(), 63u);
    EXPECT_EQ(l[62], "   National Totals                .          kg Hg per year, . tons/yr.");
}

// Over the example working set.
struct UnitTypeExample : FleetExampleSet {};

TEST_F(UnitTypeExample, GoldenReport) {
    cmdunittype_Click(app);
    expectgolden("unit-type-report.txt", reporttext(app.report));
}

// Layers 1 + 2 + 3 equal layer 0 in every class cell, the mercury cells add up to the total in
// coal, and a rerun gives the same tables and report.
TEST_F(UnitTypeExample, TheLayersAndTheMercuryAddUpAndARerunRepeatsThem) {
    cmdunittype_Click(app);
    const std::string first = reporttext(app.report);
    const Workset before = app.ws;
    cmdunittype_Click(app);
    EXPECT_EQ(reporttext(app.report), first);
    const Workset& w = app.ws;
    double mercury = 0;
    long classes = 0;
    for (long a = 0; a <= 50; ++a)
        for (long b = 0; b <= 25; ++b)
            for (long c = 0; c <= 17; ++c)
                for (long d = 0; d <= 12; ++d) {
                    for (long e = 0; e <= 4; ++e)
                        ASSERT_EQ(binnumbercell(w, a, b, c, d, e), binnumbercell(before, a, b, c, d, e));
                    ASSERT_EQ(w.binnumbervalue(a, b, c, d), before.binnumbervalue(a, b, c, d));
                    mercury += w.binnumbervalue(a, b, c, d);
                    if (b == 0 && c == 0 && d == 0) continue;  // the fuel number of the entry
                    const long layers = binnumbercell(w, a, b, c, d, 1) + binnumbercell(w, a, b, c, d, 2) +
                                        binnumbercell(w, a, b, c, d, 3);
                    ASSERT_EQ(layers, binnumbercell(w, a, b, c, d, 0)) << a << " " << b << " " << c << " " << d;
                    if (layers > 0) ++classes;
                }
    EXPECT_GT(classes, 10);
    EXPECT_EQ(val(firstline(app, "Total mercury in coal ").substr(22)), std::llround(mercury));
}

// The working file keeps the counts and values of layer 0 only; the other layers live until
// the program ends.
TEST(UnitTypeFile, SavingKeepsLayerZeroInItsFile) {
    const TempFolder copy = copyexampleset("unittypefile");
    const std::filesystem::path& dir = copy.path();
    std::vector<std::string> saved;
    {
        ScriptedPlatform platform;
        App app(platform);
        loadexampleset(app, platform, dir);
        cmdunittype_Click(app);
        cmdsaveallupdate_Click(app);
        ScriptedPlatform again;
        App reloaded(again);
        loadexampleset(reloaded, again, dir);
        for (long a = 0; a <= 50; ++a)
            for (long b = 0; b <= 25; ++b)
                for (long c = 0; c <= 17; ++c)
                    for (long d = 0; d <= 12; ++d) {
                        ASSERT_EQ(reloaded.ws.binnumbertable(a, b, c, d), app.ws.binnumbertable(a, b, c, d));
                        ASSERT_FLOAT_EQ(reloaded.ws.binnumbervalue(a, b, c, d), app.ws.binnumbervalue(a, b, c, d));
                        for (long e = 1; e <= 4; ++e) ASSERT_EQ(binnumbercell(reloaded.ws, a, b, c, d, e), 0);
                    }
    }
    std::ifstream in(dir / "binnumber.dat", std::ios::binary);
    long lines = 0;
    for (std::string l; std::getline(in, l); ++lines) ASSERT_EQ(std::count(l.begin(), l.end(), ','), 5) << l;
    EXPECT_GT(lines, 10);
}

}  // namespace
