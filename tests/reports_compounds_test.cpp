// The compound emission of a unit slot, the compound and concentration listings, the slot
// reports, the unit property listings and the names of input data.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "app.h"
#include "common/textutil.h"
#include "data/codec.h"
#include "data/loading.h"
#include "exampleset.h"
#include "golden.h"
#include "import_folder.h"
#include "import/compounddata.h"
#include "reports/compoundemission.h"
#include "reports/compounds.h"
#include "reports/inputnames.h"
#include "reports/unitproperties.h"
#include "ui/scripted_platform.h"

namespace brasket::testing {
namespace {

namespace fs = std::filesystem;

struct CompoundReports : ImportFolder {
    void SetUp() override {
        platform.clock = fixedclock();
        ImportFolder::SetUp();
    }

    const std::string& line(long i) const { return app->report.line(i); }
    const std::string& index() const { return app->report.pageindex(); }
    frmplants& w() { return mainwindow(*app); }
    void writeprops(const std::vector<unitpropsrec>& records) {
        std::ofstream out(unitpropspath(*app), std::ios::binary);
        for (const auto& r : records) {
            auto b = encode(r);
            out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
        }
    }
    // Device code d gets factor f for compound k.
    void factor(long d, long k, float f) { app->devicefactors(d).factor[static_cast<std::size_t>(k)] = f; }
};

TEST_F(CompoundReports, CompoundEmissionOfASlot) {
    double coal = -1, oil = -1, gas = -1;
    // Zero tables, as the system starts.
    compoundemission(*app, 1, 0, coal, oil, gas);
    EXPECT_EQ(coal, 0);
    EXPECT_EQ(oil, 0);
    EXPECT_EQ(gas, 0);
    EXPECT_EQ(app->coalslotfactor, 0);
    EXPECT_EQ(app->oilslotfactor, 0);
    EXPECT_EQ(app->gasslotfactor, 0);

    // Coal 1000 through a stage-1 device of 0.5; oil and gas not burned, their later stages counting.
    fuelslotrec& s = app->fuelslots(2);
    s.coalamount = 1000;
    s.device = {1, 9, 9, 2, 3, 5, 2, 4, 6};
    // Device 9, the stage-1 oil and gas device, never counts.
    for (auto [d, f] : std::vector<std::pair<long, float>>{{1, 0.5f}, {2, 1}, {3, 0.4f}, {4, 0.5f}, {5, 0.5f}, {6, 0.7f}, {9, 0.01f}})
        factor(d, 7, f);
    compoundemission(*app, 2, 7, coal, oil, gas);
    EXPECT_NEAR(coal, 0.0454, 1e-9);
    EXPECT_NEAR(app->coalslotfactor, 0.5, 1e-9);
    EXPECT_NEAR(app->oilslotfactor, 0.2, 1e-7);
    EXPECT_NEAR(app->gasslotfactor, 0.35, 1e-7);
    EXPECT_EQ(oil, 0);
    EXPECT_EQ(gas, 0);

    // Without coal the stage-1 factor is left out; burning oil or gas makes their factor 1.
    s.coalamount = 0;
    s.oilamount = 50;
    s.gasamount = 50;
    factor(2, 7, 0.8f);
    compoundemission(*app, 2, 7, coal, oil, gas);
    EXPECT_EQ(coal, 0);
    EXPECT_NEAR(app->coalslotfactor, 0.64, 1e-7);  // stage 2 and stage 3 both device 2
    EXPECT_EQ(app->oilslotfactor, 1);
    EXPECT_EQ(app->gasslotfactor, 1);
    EXPECT_EQ(oil, 0);

    // Slots, devices and compounds beyond their tables read as zero.
    s.coalamount = 1000;
    compoundemission(*app, 2, 151, coal, oil, gas);
    EXPECT_EQ(coal, 0);
    EXPECT_EQ(app->coalslotfactor, 0);
    s.device[0] = 101;
    compoundemission(*app, 2, 7, coal, oil, gas);
    EXPECT_EQ(coal, 0);
    compoundemission(*app, 5, 7, coal, oil, gas);
    EXPECT_EQ(app->oilslotfactor, 0);
    compoundemission(*app, -1, 7, coal, oil, gas);
    EXPECT_EQ(coal, 0);
}

TEST_F(CompoundReports, CompoundListNumbersTheListEntries) {
    std::int16_t n = 0;
    putlistrecords(*app, "ARSENIC", n);
    putlistrecords(*app, "LEAD", n);
    cmdcompdnumb_Click(*app);
    EXPECT_EQ(line(1), "");
    EXPECT_EQ(line(2), "LISTING OF ALL COMPOUNDS");
    long first = 2 + 6 + 4 + 1;  // title, six option lines, blank, heading, underline, blank
    EXPECT_EQ(line(first), " 1       ARSENIC");
    EXPECT_EQ(line(first + 1), " 2       LEAD");
    EXPECT_EQ(line(first + 2), "________________________________________");
    EXPECT_EQ(index()[0], '0');  // no repeated header lines
    EXPECT_TRUE(app->display.Visible());
}

TEST_F(CompoundReports, ConcentrationListingsHeaderLinesAndTitles) {
    cmdconcs_Click(*app);
    EXPECT_EQ(line(1), "  A LISTING OF CONCENTRATIONS IN OIL AND GAS");
    EXPECT_EQ(line(2), "     Concentration set  1    07-14-1999");
    // A line of columns keeps its blanks up to its last column's text.
    EXPECT_EQ(line(4), "No. COMPOUND                                OIL            GAS" + std::string(17, ' '));
    EXPECT_EQ(index()[0], '6');
    EXPECT_EQ(line(7), "@NEW PAGE");

    cmdwastedes_Click(*app);
    EXPECT_EQ(index()[0], '6');
    EXPECT_EQ(line(1), "  A LISTING OF FUEL SOURCES OF " + std::string(40, ' '));  // compound 0

    std::int16_t n = 0;
    putlistrecords(*app, "ARSENIC", n);
    putlistrecords(*app, "LEAD", n);
    app->concranges(2, 3) = 12.5;
    app->concranges(2, 5) = 0.05;
    cmdemisdataq_Click(*app);
    EXPECT_EQ(index()[0], char(60));  // twelve header lines, the option lines among them
    EXPECT_EQ(line(12), "");
    EXPECT_EQ(rtrim(line(13)), "        High....                          *           *           *");
    EXPECT_EQ(rtrim(line(14)), "        High....                         12.5         *           0.05");

    cmdwasteconc_Click(*app);
    EXPECT_EQ(index()[0], char(60));
    EXPECT_EQ(rtrim(line(13)), "   1 ARSENIC");
    EXPECT_EQ(rtrim(line(14)), "   2 LEAD");
    EXPECT_EQ(line(15), "@NEW PAGE");
}

TEST_F(CompoundReports, SlotReportsOverZeroTablesHaveOnlyHeadingsAndFooters) {
    for (const char* plant : {"A", "B", "C"}) w().List3.AddItem(plant);
    cmdplantemisfacts_Click(*app);
    long n = app->report.reportlinecount;
    EXPECT_EQ(line(2), "COAL EMISSION MODIFICATION FACTORS BY PLANT");
    EXPECT_EQ(line(3), " COMPOUND:");
    EXPECT_EQ(line(n - 1), " NATIONAL SUMMARY OF SELECTED COMPOUND" + std::string(34, ' ') + "*");
    EXPECT_EQ(line(n - 2), "________________________________________");
    EXPECT_EQ(line(n - 3), "");  // no data lines after the heading's empty line
    EXPECT_EQ(line(n - 4), "___ ________  _____________     ___________     ________    ________   ____");

    cmdsummunits_Click(*app);
    n = app->report.reportlinecount;
    EXPECT_EQ(line(2), "NATIONAL EMISSIONS BY UNIT TYPE");
    EXPECT_EQ(line(n - 1), " NATIONAL SUMMARY OF SELECTED COMPOUND      *" + std::string(27, ' ') + "*");
    EXPECT_EQ(line(n - 3), "");

    platform.messages.clear();
    cmdunitcon_Click(*app);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0],
              "This compound is not present in the original fuel data base.  It may originate as a product of "
              "combustion.  The estimated combustion emissions are based upon measured stack emissions rather than "
              "measured fuel concentrations and control devices. ");
}

TEST_F(CompoundReports, SlotReportsListTheEmittingSlotsAndAddUp) {
    for (int i = 0; i < 6; ++i) w().List3.AddItem("PLANT " + std::to_string(i));  // more plants than slots
    for (const char* d : {"No Controls", "ESP COLD SIDE", "BAGHOUSE"}) w().List2.AddItem(d);
    w().List6.AddItem("no spec.");
    for (int i = 1; i <= 20; ++i) w().List6.AddItem("PM " + std::to_string(i));  // 21 entries
    for (const char* d : {"no spec.", "WET SCRUB", "SDA"}) w().List7.AddItem(d);
    factor(1, 0, 1);
    factor(2, 0, 0.5f);
    auto slot = [&](long k, float coal, short list, short pm, short so2) {
        fuelslotrec& s = app->fuelslots(k);
        s.coalamount = coal;
        s.devicelistno = list;
        s.pmcode = pm;
        s.so2code = so2;
        s.basis1 = 1e9;
        s.device = {1, 0, 0, 2, 0, 0, 1, 0, 0};
    };
    // Coal x 0.0000908 x 0.5: 4.54, 13.62, 9.08 and 13.62 kilograms.
    slot(1, 1e5, 1, 6, 5);
    slot(2, 3e5, 1, 6, 5);
    slot(3, 2e5, 2, 1, 25);
    slot(4, 3e5, 30, 1, 0);  // a configuration beyond the unit types: listed by plant, in no cell

    cmdplantemisfacts_Click(*app);
    long n = app->report.reportlinecount;
    const std::string tail = "     .5        2   1";
    EXPECT_EQ(line(n - 6), "1   ESP COLD SPM 2              WET SCRUB       4.540e-3    .5        2   1");
    EXPECT_EQ(line(n - 5), "2   ESP COLD SPM 2              WET SCRUB       0.01362" + tail);
    EXPECT_EQ(line(n - 4), "3   BAGHOUSE  PM 1              SDA             9.080e-3    .5        2   1");
    EXPECT_EQ(line(n - 3), "4             PM 1              no spec.        0.01362" + tail);
    EXPECT_EQ(line(n - 1), " NATIONAL SUMMARY OF SELECTED COMPOUND                                   4");

    cmdsummunits_Click(*app);
    n = app->report.reportlinecount;
    EXPECT_EQ(line(n - 5), "");
    EXPECT_EQ(line(n - 4), "CO  ESP COLD SPM 2              WET SCRUB       0.01816     .5           2");
    EXPECT_EQ(line(n - 3), "CO  BAGHOUSE  PM 1              SDA             9.080e-3    .5           1");
    // The total and the rate (per basis, 4e9) cover every slot, the one beyond the unit types
    // too, as the plant report counts it; the count covers the slots listed in cells.
    EXPECT_EQ(line(n - 1), " NATIONAL SUMMARY OF SELECTED COMPOUND     0.04086     10.215            3");
}

TEST_F(CompoundReports, SlotReportsPrintNeverAssignedTypeNamesAsBlanks) {
    // A folder without emfactor.dat: the type lists hold names never assigned (code 0).
    loadinitial(*app, dir);
    ASSERT_NE(w().List6.List(1).find('\0'), std::string::npos);
    w().List2.AddItem("No Controls");
    w().List2.AddItem("ESP");
    factor(1, 0, 1);
    fuelslotrec& s = app->fuelslots(1);
    s.coalamount = 1e5;
    s.devicelistno = 1;
    s.pmcode = 1;  // List6 entry 1
    s.so2code = 5;  // List7 entry 1
    s.device = {1, 0, 0, 1, 0, 0, 1, 0, 0};
    w().List3.AddItem("PLANT");
    for (auto report : {cmdplantemisfacts_Click, cmdsummunits_Click}) {
        report(*app);
        bool listed = false;
        for (long i = 1; i <= app->report.reportlinecount; ++i) {
            EXPECT_EQ(line(i).find('\0'), std::string::npos) << "line " << i << ": " << line(i);
            listed = listed || line(i).find("ESP") != std::string::npos;
        }
        EXPECT_TRUE(listed);
    }
}

TEST_F(CompoundReports, DefaultDataBaseSkipsPlaceholdersAndNeverListsStaleLines) {
    std::vector<unitpropsrec> records(3);
    records[0].propname = "PC WALL";
    records[0].propvalue = {20, 300.5f, 0.8f};
    records[0].proptext1 = "First line";
    records[0].proptext2 = "Second line";
    records[1].propname = "new data";
    records[2].propname = "New Data";
    records[2].proptext1 = "Listed";
    records[2].proptext2 = "";
    writeprops(records);
    cmddefdatabase_Click(*app);
    EXPECT_EQ(line(1), "         DEFAULT DATA BASE OF UNIT PROPERTIES  07-14-1999");
    EXPECT_EQ(index(), "36");
    EXPECT_EQ(line(4), " 1 PC WALL" + std::string(33, ' ') + "   20   300.5   .8");
    EXPECT_EQ(line(5), "     First line");
    EXPECT_EQ(line(6), "     Second line");
    EXPECT_EQ(line(7), " 3 New Data" + std::string(32, ' ') + "   0   0   0");
    EXPECT_EQ(line(8), "     Listed");
    EXPECT_EQ(line(9), "@NEW PAGE");
    EXPECT_TRUE(platform.messages.empty());

    // Without the file: an empty listing and a message; the earlier lines are no page.
    fs::remove(unitpropspath(*app));
    cmddefdatabase_Click(*app);
    EXPECT_EQ(index(), "31");
    EXPECT_EQ(line(4), "@NEW PAGE");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find("unitprops.dat"), std::string::npos);

    // A file shorter than one record lists nothing either, and says so.
    std::ofstream(unitpropspath(*app), std::ios::binary) << "short";
    cmddefdatabase_Click(*app);
    EXPECT_EQ(index(), "31");
    EXPECT_EQ(platform.messages.size(), 2u);

    // At most 450 records.
    records.assign(460, unitpropsrec{});
    for (auto& r : records) r.propname = "TYPE", r.proptext1 = "x";
    writeprops(records);
    cmddefdatabase_Click(*app);
    EXPECT_EQ(app->report.reportlinecount, 3 + 2 * 450 + 1);
}

TEST_F(CompoundReports, DeviceListingNumbersAndCutsEntries) {
    w().List2.AddItem("No Controls");
    w().List2.AddItem("A DEVICE NAME OF MORE THAN TWENTY-SIX CHARACTERS");
    cmddetailed_Click(*app);
    EXPECT_EQ(line(1), "         SPECIFIED UNIT PROPERTIES  07-14-1999");
    EXPECT_EQ(line(3), "    *      No Controls");
    EXPECT_EQ(line(4), "    1      A DEVICE NAME OF MORE THAN");  // cut at 26 characters
    EXPECT_EQ(line(5), "");
    EXPECT_EQ(line(6), "@NEW PAGE");
    EXPECT_EQ(index(), "231");  // the mark forms a last page of its own
}

TEST_F(CompoundReports, NamesOfInputDataOverEmptyTables) {
    cmdnames_Click(*app);
    EXPECT_EQ(line(1), "  A LISTING OF FUEL NAMES WITH NUMBERS");
    EXPECT_EQ(line(2), "");
    EXPECT_EQ(line(3), " NUMBER       FUEL NAME____________________________");
    EXPECT_EQ(line(4), " 1");
    EXPECT_EQ(line(103), " 100");
    EXPECT_EQ(line(104), "  A LISTING OF BOILER NAMES WITH NUMBERS");
    EXPECT_EQ(line(137), "");  // section 3 starts with an empty line
    EXPECT_EQ(line(138), "  A LISTING OF SO2 CONTROLS WITH NUMBERS");
    // Fuels 103 lines, the type columns 33, 34 and 34, the device lists 4 lines each and the mark.
    EXPECT_EQ(index(), std::string("0NNN=") + "N3" + "N4" + "N4" + "4" + "4" + "4" + "5");
    EXPECT_EQ(line(app->report.reportlinecount), "@NEW PAGE");
}

TEST_F(CompoundReports, NamesOfInputDataColumnsAndCounts) {
    app->ws.idfuel(7).name = "PETROLEUM COKE";
    app->ws.idfuel(100).name = "LAST";
    app->ws.boilernames(2) = "CYCLONE";
    app->ws.pmnames(0) = "999";  // beyond the list's bound: held at 300
    app->ws.pmnames(300) = "LAST PM";
    app->ws.scrubnames(0) = "two";  // no number: nothing listed
    app->ws.scrubnames(1) = "WET";
    app->ws.noxnames(0) = "2";
    app->ws.noxnames(1) = "LNB";
    cmdnames_Click(*app);
    EXPECT_EQ(line(10), " 7       PETROLEUM COKE");
    EXPECT_EQ(line(103), " 100       LAST");
    const ReportBuffer& rb = app->report;
    std::vector<std::string> all;
    for (long i = 1; i <= rb.reportlinecount; ++i) all.push_back(rb.line(i));
    auto has = [&](const std::string& s) { return std::find(all.begin(), all.end(), s) != all.end(); };
    EXPECT_TRUE(has(" 2       CYCLONE"));
    EXPECT_TRUE(has(" 1       LNB"));
    EXPECT_TRUE(has(" 2"));  // an empty NOx name within the count is listed
    EXPECT_TRUE(has(" 300       LAST PM"));
    EXPECT_FALSE(has(" 1       WET"));
    EXPECT_EQ(all.back(), "@NEW PAGE");
    EXPECT_EQ(all[all.size() - 2], " NUMBER       SCRUBBER CONTROLS NAME__________________");
}

// Golden listings over the example working set, its compound data imported.
struct CompoundGolden : ::testing::Test {
    ScriptedPlatform platform;
    App app{platform};
    TempFolder copy = copyexampleset("compoundgolden");
    fs::path dir = copy.path();
    void SetUp() override {
        loadexampleset(app, platform, dir);
        cmdemisf_Click(app);
        cmdcompdtype_Click(app);
        ASSERT_TRUE(coalfileload(app, dir / "combustion concentrations.prn", 50));
    }
};

TEST_F(CompoundGolden, Listings) {
    EXPECT_TRUE(platform.messages.empty());
    const std::vector<std::pair<void (*)(App&), const char*>> listings{
        {cmdcompdnumb_Click, "compounds_list.txt"},
        {cmdconcs_Click, "compounds_oil_gas.txt"},
        {cmdemisdataq_Click, "compounds_ranges.txt"},
        {cmdwasteconc_Click, "compounds_stacks.txt"},
        {cmdwastedes_Click, "compounds_fuel_sources.txt"},
        {cmdplantemisfacts_Click, "compounds_plant_factors.txt"},
        {cmdsummunits_Click, "compounds_units_controls.txt"},
        {cmddefdatabase_Click, "unit_properties_default.txt"},
        {cmddetailed_Click, "unit_properties_devices.txt"},
        {cmdnames_Click, "names_of_input_data.txt"}};
    for (const auto& [report, golden] : listings) {
        report(app);
        expectgolden(golden, reporttext(app.report));
    }
}

}  // namespace
}  // namespace brasket::testing
