// The trace compound imports: the compound list and file, the emission factor data, the
// compound type and print-file updates, the concentration ranges, suppliers and partition factors.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "app.h"
#include "data/codec.h"
#include "data/filebytes.h"
#include "data/loading.h"
#include "exampleset.h"
#include "import/compounddata.h"
#include "import2_fixture.h"
#include "unitwindow/form1.h"

namespace brasket::testing {
namespace {

namespace fs = std::filesystem;

// A text written from its column on a line of blanks.
std::string at(std::string line, std::size_t column, const std::string& text) {
    if (line.size() < column - 1 + text.size()) line.resize(column - 1 + text.size(), ' ');
    line.replace(column - 1, text.size(), text);
    return line;
}

// One line of "EMISDATA.prn".
std::string emisline(const std::string& device, const std::string& compound, const std::string& value,
                     const std::string& devno, const std::string& number1 = "1") {
    std::string l = at("", 1, device);
    l = at(l, 21, number1);
    l = at(l, 29, compound);
    l = at(l, 69, value);
    l = at(l, 83, devno);
    return at(l, 91, "0");
}

std::string bytesof(const fs::path& file) {
    std::string b;
    readfilebytes(file, b);
    return b;
}

std::vector<std::string> entries(const ListBox& list) {
    std::vector<std::string> out;
    for (int i = 0; i < list.ListCount(); ++i) out.push_back(list.List(i));
    return out;
}

struct CompoundImport : ImportFolder {
    ListBox& list1() { return mainwindow(*app).List1; }
    ListBox& list2() { return mainwindow(*app).List2; }
    // Record k of the compound file as it stands on disk.
    compoundrec filed(long k) {
        compoundrec r;
        EXPECT_TRUE(readcompoundrecord(*app, k, r)) << "record " << k;
        return r;
    }
    void writeemisdata(const std::vector<std::string>& lines) {
        std::vector<std::string> all{"DEVICE              NUMBER  COMPOUND"};
        all.insert(all.end(), lines.begin(), lines.end());
        write("EMISDATA.prn", all);
    }
};

TEST_F(CompoundImport, ListRecordsNumberCompoundsByListPosition) {
    std::int16_t n = -1;
    putlistrecords(*app, "ARSENIC   ", n);
    EXPECT_EQ(n, 1);
    putlistrecords(*app, "LEAD", n);
    EXPECT_EQ(n, 2);
    putlistrecords(*app, "ARSENIC", n);  // trailing blanks do not count
    EXPECT_EQ(n, 1);
    putlistrecords(*app, " ARSENIC", n);  // a leading blank makes a new compound
    EXPECT_EQ(n, 3);
    putlistrecords(*app, "arsenic", n);  // so does another letter case
    EXPECT_EQ(n, 4);
    EXPECT_EQ(entries(list1()), (std::vector<std::string>{"ARSENIC", "LEAD", " ARSENIC", "arsenic"}));
    EXPECT_EQ(app->ws.compounds(2).name.trimmed(), "LEAD");
    EXPECT_EQ(filed(3).name.trimmed(), " ARSENIC");
    EXPECT_EQ(fs::file_size(compoundfilepath(*app)), 4u * 50);

    // The last of two equal entries wins.
    list1().AddItem("LEAD");
    putlistrecords(*app, "LEAD", n);
    EXPECT_EQ(n, 5);

    // A blank name is no compound.
    putlistrecords(*app, "     ", n);
    EXPECT_EQ(n, 0);
    EXPECT_EQ(list1().ListCount(), 5);
}

TEST_F(CompoundImport, ListRecordsStopAtTheTableBound) {
    for (int i = 1; i <= 300; ++i) list1().AddItem("C" + std::to_string(i));
    std::int16_t n = -1;
    putlistrecords(*app, "C300", n);
    EXPECT_EQ(n, 300);
    putlistrecords(*app, "ONE MORE", n);
    EXPECT_EQ(n, 0);
    EXPECT_EQ(list1().ListCount(), 300);
    ASSERT_EQ(warnings().size(), 1u);
    EXPECT_NE(warnings()[0].find("ONE MORE"), std::string::npos);
}

TEST_F(CompoundImport, FixedLineColumnsAndRounding) {
    emisfrec r;
    r.unused = 77;  // a field the line does not set
    ASSERT_TRUE(parsefixedline(emisline("BAGHOUSE", "CADMIUM", "  0.0125", "    12.5", "13.5"), r));
    EXPECT_EQ(r.text1.str(), std::string("BAGHOUSE") + std::string(12, ' '));
    EXPECT_EQ(r.number1, 14);  // halves to even
    EXPECT_EQ(r.compoundname.trimmed(), "CADMIUM");
    EXPECT_FLOAT_EQ(r.value, 0.0125f);
    EXPECT_EQ(r.number2, 12);
    EXPECT_EQ(r.unused, 77);

    // A line shorter than the last columns: blanks and zeros there.
    emisfrec s;
    s.number2 = 9;
    s.compoundno = 9;
    ASSERT_TRUE(parsefixedline("ESP COLD SIDE          3    LEAD", s));
    EXPECT_EQ(s.compoundname.trimmed(), "LEAD");
    EXPECT_EQ(s.number1, 3);
    EXPECT_EQ(s.value, 0);
    EXPECT_EQ(s.number2, 0);
    EXPECT_EQ(s.compoundno, 0);

    // A whole number beyond 16 bits leaves the record as it was.
    emisfrec t = s;
    EXPECT_FALSE(parsefixedline(emisline("X", "Y", "1", "40000"), t));
    EXPECT_EQ(encode(t), encode(s));
}

TEST_F(CompoundImport, EmissionDataFillsFactorsCompoundsAndDevices) {
    writeemisdata({emisline("WET SCRUBBER", "ARSENIC", "0.05", "3"), emisline("WET SCRUBBER", "LEAD", "0.04", "3"),
                   emisline("ESP COLD SIDE", "ARSENIC", "0.03", "1"), emisline("ESP COLD SIDE", " LEAD", "0.02", "1"),
                   emisline("ESP COLD SIDE", "LEAD", "0.01", "1"), ""});
    cmdemisf_Click(*app);
    EXPECT_TRUE(platform.messages.empty());

    EXPECT_EQ(entries(list1()), (std::vector<std::string>{"ARSENIC", "LEAD", " LEAD"}));
    EXPECT_EQ(entries(list2()), (std::vector<std::string>{"No Controls", "ESP COLD SIDE       ", "WET SCRUBBER        "}));
    const auto& e = app->ws.emisf;
    EXPECT_EQ(e(1).compoundno, 1);
    EXPECT_EQ(e(2).compoundno, 2);
    EXPECT_EQ(e(3).compoundno, 1);
    EXPECT_EQ(e(4).compoundno, 3);
    EXPECT_EQ(e(5).compoundno, 2);
    EXPECT_EQ(e(6).compoundno, 0);  // the blank closing line is a record without a compound
    EXPECT_FLOAT_EQ(e(3).value, 0.03f);

    // Files: a record per line, a record per compound.
    std::string factors = bytesof(dir / "emisf.dat");
    ASSERT_EQ(factors.size(), 6u * 72);
    emisfrec fourth;
    decode(reinterpret_cast<const std::uint8_t*>(factors.data()) + 3 * 72, fourth);
    EXPECT_EQ(encode(fourth), encode(e(4)));
    EXPECT_EQ(fs::file_size(dir / "compound.dat"), 3u * 50);
    EXPECT_EQ(filed(3).name.trimmed(), " LEAD");
    EXPECT_EQ(mainwindow(*app).Label9.Caption(), "Updating compound file");
    EXPECT_TRUE(mainwindow(*app).Label19.Visible());

    // A second import renumbers from the new file alone.
    writeemisdata({emisline("BAGHOUSE", "LEAD", "0.01", "2")});
    cmdemisf_Click(*app);
    EXPECT_EQ(entries(list1()), (std::vector<std::string>{"LEAD"}));
    EXPECT_EQ(entries(list2()), (std::vector<std::string>{"No Controls", "BAGHOUSE            "}));
    EXPECT_EQ(fs::file_size(dir / "emisf.dat"), 72u);
    EXPECT_EQ(fs::file_size(dir / "compound.dat"), 3u * 50);  // records beyond are kept
}

TEST_F(CompoundImport, DeviceListFollowsDeviceNumbersNotLineOrder) {
    writeemisdata({emisline("THIRD", "A", "1", "3"), emisline("FIRST", "A", "1", "1"),
                   emisline("FIRST AGAIN", "B", "1", "1"), emisline("BEYOND", "B", "1", "101"),
                   emisline("NONE", "B", "1", "0")});
    cmdemisf_Click(*app);
    EXPECT_EQ(entries(list2()),
              (std::vector<std::string>{"No Controls", "FIRST               ", "THIRD               "}));
}

TEST_F(CompoundImport, BadEmissionDataLeavesEverythingAsItWas) {
    writeemisdata({emisline("ESP", "ARSENIC", "0.05", "1"), emisline("BAGHOUSE", "LEAD", "0.01", "2")});
    cmdemisf_Click(*app);
    const std::string factors = bytesof(dir / "emisf.dat"), compounds = bytesof(dir / "compound.dat");
    const auto list = entries(list1()), devices = entries(list2());
    ASSERT_EQ(list.size(), 2u);

    auto expectunchanged = [&](const char* what) {
        EXPECT_EQ(bytesof(dir / "emisf.dat"), factors) << what;
        EXPECT_EQ(bytesof(dir / "compound.dat"), compounds) << what;
        EXPECT_EQ(entries(list1()), list) << what;
        EXPECT_EQ(entries(list2()), devices) << what;
        EXPECT_EQ(app->ws.emisf(1).compoundname.trimmed(), "ARSENIC") << what;
        EXPECT_EQ(app->ws.compounds(1).name.trimmed(), "ARSENIC") << what;
        EXPECT_FALSE(fs::exists(dir / "emisf.dat.new")) << what;
    };

    std::vector<std::string> lines(3001, emisline("ESP", "NEW", "0.5", "1"));
    writeemisdata(lines);
    platform.messages.clear();
    cmdemisf_Click(*app);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find("more than 3000 lines"), std::string::npos);
    expectunchanged("3001 lines");

    lines.assign(301, "");
    for (int i = 0; i < 301; ++i) lines[static_cast<std::size_t>(i)] = emisline("ESP", "C" + std::to_string(i), "1", "1");
    writeemisdata(lines);
    platform.messages.clear();
    cmdemisf_Click(*app);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find("more than 300 compounds"), std::string::npos);
    expectunchanged("301 compounds");

    writeemisdata({emisline("ESP", "NEW", "0.5", "1"), emisline("ESP", "NEWER", "0.5", "99999")});
    platform.messages.clear();
    cmdemisf_Click(*app);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find("line 3"), std::string::npos);
    expectunchanged("a device number beyond 16 bits");

    writeemisdata({});
    platform.messages.clear();
    cmdemisf_Click(*app);
    EXPECT_EQ(platform.messages.size(), 1u);
    expectunchanged("a heading alone");

    fs::remove(dir / "EMISDATA.prn");
    platform.messages.clear();
    cmdemisf_Click(*app);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find("EMISDATA.prn"), std::string::npos);
    expectunchanged("no file");
}

TEST_F(CompoundImport, CompoundTypesRoundHalvesToEvenAndAddNewCompounds) {
    writeemisdata({emisline("ESP", "ARSENIC", "0.05", "1")});
    cmdemisf_Click(*app);
    app->ws.compounds(1).oilconc = 0.7f;
    writecompoundrecord(*app, 1);
    app->ws.compounds(1).oilconc = 0;  // the file's record is read before the type is set

    write("compounds.prn", {at(at("", 1, "ARSENIC"), 41, "     2.5"), at(at("", 1, "DIOXINS"), 41, "3.5"),
                            at(at("", 1, "BENZENE"), 41, "12.5"), "", at(at("", 1, "HUGE"), 41, "99999")});
    cmdcompdtype_Click(*app);
    EXPECT_EQ(app->ws.compounds(1).comptype, 2);
    EXPECT_FLOAT_EQ(app->ws.compounds(1).oilconc, 0.7f);
    EXPECT_EQ(filed(2).name.trimmed(), "DIOXINS");
    EXPECT_EQ(filed(2).comptype, 4);
    EXPECT_EQ(filed(3).comptype, 12);
    EXPECT_EQ(entries(list1()), (std::vector<std::string>{"ARSENIC", "DIOXINS", "BENZENE"}));
    ASSERT_EQ(warnings().size(), 1u);  // the type beyond 16 bits
    EXPECT_NE(warnings()[0].find("line 5"), std::string::npos);
}

TEST_F(CompoundImport, OilUpdateStoresConcentrations) {
    std::string oil = at(at(at(at("RO6", 9, "EPRI"), 17, "NICKEL"), 37, "14"), 49, "21.5");
    write("trace oil.PRN", {"CODE    SOURCE  COMPOUND", oil, at(at("", 17, "VANADIUM"), 49, "  45.0")});
    fs::path before = app->importpath;
    platform.answers.push_back((dir / "trace oil.PRN").string());
    cmdupdatetraceoil_Click(*app);
    ASSERT_EQ(platform.dialogs.size(), 1u);
    EXPECT_EQ(platform.dialogs[0].Filter, "Data set files (*.PRN) ");
    EXPECT_EQ(platform.dialogs[0].FileName, "*.PRN");
    EXPECT_EQ(platform.dialogs[0].InitDir, dir.string());
    EXPECT_EQ(entries(list1()), (std::vector<std::string>{"NICKEL", "VANADIUM"}));
    EXPECT_FLOAT_EQ(app->ws.compounds(1).oilconc, 21.5f);
    EXPECT_FLOAT_EQ(filed(2).oilconc, 45.0f);
    EXPECT_EQ(app->importpath, before);

    // Any other selector lists the compound and stores nothing.
    transloilc(*app, at(at("", 17, "ZINC"), 49, "3"), 49);
    EXPECT_EQ(list1().ListCount(), 3);
    EXPECT_EQ(filed(3).oilconc, 0);

    // A cancelled dialog changes nothing.
    platform.answers.push_back("*.PRN");
    cmdupdatetraceoil_Click(*app);
    EXPECT_EQ(list1().ListCount(), 3);
}

TEST_F(CompoundImport, CoalUpdateDeletesTheConcentrationFileOnlyForAReadableFile) {
    write("concen.dat", {"old"});
    write("trace coal.PRN", {"STATE", "KY      BIT     ARSENIC"});

    platform.answers.push_back("*.PRN");
    cmdupdcoal_Click(*app);
    EXPECT_TRUE(fs::exists(dir / "concen.dat"));

    platform.answers.push_back((dir / "missing.PRN").string());
    cmdupdcoal_Click(*app);
    EXPECT_TRUE(fs::exists(dir / "concen.dat"));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find("missing.PRN"), std::string::npos);

    platform.answers.push_back((dir / "trace coal.PRN").string());
    cmdupdcoal_Click(*app);
    EXPECT_FALSE(fs::exists(dir / "concen.dat"));
    EXPECT_EQ(list1().ListCount(), 0);  // nothing is stored

    platform.answers.push_back((dir / "trace coal.PRN").string());
    cmdupdcoal_Click(*app);  // no concentration file left to delete: no error
    EXPECT_EQ(platform.messages.size(), 1u);
    cmdupgas_Click(*app);
}

TEST(CompoundStatistics, MedianAndAverage) {
    auto med = [](std::vector<double> v) { return median(v); };
    auto avg = [](std::vector<double> v) { return average(v); };
    EXPECT_EQ(med({3, 1, 2}), 2);
    EXPECT_EQ(med({4, 1, 3, 2}), 2.5);
    EXPECT_EQ(med({7}), 7);
    EXPECT_EQ(med({}), 0);
    EXPECT_EQ(med({0, 0, 5}), 0);  // zeros take part
    EXPECT_EQ(med({2e30, 1}), 1e30);  // values above any marker sort as they are
    EXPECT_EQ(avg({0, 2, 4}), 3);     // the zero does not count
    EXPECT_EQ(avg({0, 0}), 0);
    EXPECT_EQ(avg({}), 0);
    EXPECT_EQ(concentrationkind(50), 0);
    EXPECT_EQ(concentrationkind(48), 1);
    EXPECT_EQ(concentrationkind(47), 2);
    EXPECT_EQ(concentrationkind(12), 0);
}

struct ConcentrationRanges : CompoundImport {
    static std::string line(const std::string& compound, const std::string& value) {
        return at(at(at("SITE 1", 13, "BIT"), 21, compound), 61, value);
    }
};

TEST_F(ConcentrationRanges, LowestPositiveAndHighestValueByKind) {
    write("conc.prn", {"HEADING", line("ARSENIC", "0.2"), line("ARSENIC", "0"), line("ARSENIC", "0.5"),
                       line("LEAD", "3"), line("", "9")});
    list1().AddItem("EARLIER");  // listed before: no values in this file
    std::vector<CompoundStatistics> stats;
    ASSERT_TRUE(coalfileload(*app, dir / "conc.prn", 50, &stats));
    const auto& r = app->concranges;
    EXPECT_EQ(r(2, 0), 0.2);
    EXPECT_EQ(r(2, 3), 0.5);
    EXPECT_EQ(r(3, 0), 3);
    EXPECT_EQ(r(1, 0), 5000);  // a compound without values keeps the preset low value
    EXPECT_EQ(r(200, 0), 5000);  // every row is preset alike
    EXPECT_EQ(r(1, 3), 0);
    EXPECT_EQ(list1().ListCount(), 3);  // the blank name is no compound
    ASSERT_EQ(stats.size(), 3u);
    EXPECT_EQ(stats[1].count, 3);
    EXPECT_DOUBLE_EQ(stats[1].median, 0.2);
    EXPECT_DOUBLE_EQ(stats[1].mean, 0.35);

    // Other kinds go to their own columns; a kind code of no kind counts as kind 0.
    write("oil.prn", {"HEADING", line("ARSENIC", "0.7")});
    ASSERT_TRUE(coalfileload(*app, dir / "oil.prn", 48));
    EXPECT_EQ(r(2, 1), 0.7);
    EXPECT_EQ(r(2, 4), 0.7);
    ASSERT_TRUE(coalfileload(*app, dir / "oil.prn", 47));
    EXPECT_EQ(r(2, 2), 0.7);
    EXPECT_EQ(r(2, 5), 0.7);
    write("low.prn", {"HEADING", line("ARSENIC", "0.1")});
    ASSERT_TRUE(coalfileload(*app, dir / "low.prn", 12));
    EXPECT_EQ(r(2, 0), 0.1);
    EXPECT_EQ(r(2, 3), 0.5);  // the high value of all loads of the kind is kept
}

TEST_F(ConcentrationRanges, ValuesBeyondThirtyAreIgnoredAndAMissingFileChangesNothing) {
    std::vector<std::string> lines{"HEADING"};
    for (int i = 1; i <= 32; ++i) lines.push_back(line("LEAD", std::to_string(i)));
    write("conc.prn", lines);
    ASSERT_TRUE(coalfileload(*app, dir / "conc.prn", 50));
    EXPECT_EQ(app->concranges(1, 3), 30);
    EXPECT_EQ(warnings().size(), 2u);

    app->concranges(5, 0) = 1;
    EXPECT_FALSE(coalfileload(*app, dir / "none.prn", 50));
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(app->concranges(5, 0), 1);
}

struct DatabaseTwo : CompoundImport {
    void SetUp() override {
        CompoundImport::SetUp();
        fs::create_directories(dir / "database2");
    }
    void writedb2(const std::string& name, const std::vector<std::string>& lines) { write("database2/" + name, lines); }
};

TEST_F(DatabaseTwo, SupplierTypesAndCount) {
    EXPECT_EQ(suppliertype("Bituminous"), 3);
    EXPECT_EQ(suppliertype("bituminous"), 2);
    EXPECT_EQ(suppliertype(""), 2);
    EXPECT_EQ(suppliertype("Subbituminous"), 4);
    EXPECT_EQ(suppliertype("Lignite"), 5);
    EXPECT_EQ(suppliertype("Waste coal"), 8);
    EXPECT_EQ(suppliertype("Tires"), 12);
    EXPECT_EQ(suppliertype("Petroleum coke"), 7);
    EXPECT_EQ(suppliertype("Bitu"), 2);

    writedb2("coal suppliers.txt",
             {"HEAD", tabbed({"A supplier with a long name", "Mine", "KY", "Bituminous", "1.5", "12000", "9.1", "0.11", "800"}),
              tabbed({"B", "", "", "Lignite", "0.8", "6800"})});
    cmdloadsupplier_Click(*app);
    const auto& s = app->ws.coalsupply;
    EXPECT_EQ(coalsupplycount(app->ws), 2);
    EXPECT_EQ(s(1).name1.str(), "A supplier with a lo");
    EXPECT_EQ(s(1).fueltype, 3);
    EXPECT_FLOAT_EQ(s(1).mercury, 0.11f);
    EXPECT_FLOAT_EQ(s(1).chlorine, 800);
    EXPECT_EQ(s(2).fueltype, 5);
    EXPECT_EQ(s(2).ash, 0);
    EXPECT_EQ(mainwindow(*app).Label11.Caption(), "reading coal supply info");
    EXPECT_TRUE(mainwindow(*app).Label11.Visible());

    std::vector<std::string> many(2002, tabbed({"S", "M", "C", "Tires"}));
    many[0] = "HEAD";
    writedb2("coal suppliers.txt", many);
    cmdloadsupplier_Click(*app);
    EXPECT_EQ(coalsupplycount(app->ws), 2000);  // the line beyond the table is skipped, told in the log
    EXPECT_EQ(warnings().size(), 1u);
    app->ws.coalsupply(1).fueltype = 3;

    writedb2("coal suppliers.txt", {"HEAD"});
    cmdloadsupplier_Click(*app);
    EXPECT_EQ(coalsupplycount(app->ws), 0);
    EXPECT_EQ(s(1).fueltype, 3);  // no entry changed

    fs::remove(dir / "database2" / "coal suppliers.txt");
    setcoalsupplycount(app->ws, 2);
    cmdloadsupplier_Click(*app);
    EXPECT_EQ(coalsupplycount(app->ws), 2);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find("coal suppliers.txt"), std::string::npos);
}

TEST_F(DatabaseTwo, PartitionFactorsRouteByDataLineAndFieldThree) {
    std::vector<std::string> lines{"TITLE", "HEADING"};
    for (int n = 1; n <= 51; ++n) {
        std::vector<std::string> f(12);
        f[0] = std::to_string(n % 6);
        f[1] = "6";
        f[2] = n == 7 ? "LONG!" : "4";  // five characters: a device row though before line 52
        f[3] = "3";
        f[9] = "0.1";
        f[10] = "0.2";
        f[11] = std::to_string(n / 100.0);
        if (n == 7) f[0] = "2";
        lines.push_back(tabbed(f));
    }
    lines.push_back(tabbed({"1", "", "ESP", "", "0.99", "0.3", "0.05"}));   // line 52: field 3 short, still a device
    lines.push_back(tabbed({"13.5", "", "Sorb/ESP is long", "", "0.9", "0.8", "0.4"}));  // entry 14
    lines.push_back(tabbed({"3", "", "FIRST", "", "0.5", "0.5", "0.5"}));
    lines.push_back(tabbed({"3", "", "SECOND", "", "0.6", "0.6", "0.6"}));  // the later line wins
    lines.push_back(tabbed({"15", "", "BEYOND", "", "1", "1", "1"}));
    writedb2("partfactors.txt", lines);

    // Files with more records than are written: records beyond keep what they held.
    std::string old1(60 * 16, '\x5a'), old2(20 * 24, '\x5b');
    std::ofstream(dir / "partfactors1.dat", std::ios::binary) << old1;
    std::ofstream(dir / "partfactors2.dat", std::ios::binary) << old2;

    app->ws.partfactors1(7).fuelclass = 42;
    cmdloadefacts_Click(*app);
    const auto& p1 = app->ws.partfactors1;
    const auto& p2 = app->ws.partfactors2;
    EXPECT_EQ(p1(5).boilergroup, 5);
    EXPECT_EQ(p1(5).noxgroup, 6);
    EXPECT_EQ(p1(5).controlclass, 4);
    EXPECT_EQ(p1(5).fuelclass, 3);
    EXPECT_FLOAT_EQ(p1(51).elemfrac, 0.51f);
    EXPECT_EQ(p1(7).fuelclass, 42);  // line 7 went to the device table
    EXPECT_EQ(p2(2).devicename.str(), "LONG!       ");
    EXPECT_EQ(p2(1).devicename.trimmed(), "ESP");
    EXPECT_FLOAT_EQ(p2(1).partremoval, 0.99f);
    EXPECT_EQ(p2(14).devicename.str(), "Sorb/ESP is ");
    EXPECT_EQ(p2(3).devicename.trimmed(), "SECOND");
    ASSERT_EQ(warnings().size(), 1u);
    EXPECT_NE(warnings()[0].find("line 58"), std::string::npos);

    std::string f1 = bytesof(dir / "partfactors1.dat"), f2 = bytesof(dir / "partfactors2.dat");
    ASSERT_EQ(f1.size(), old1.size());
    ASSERT_EQ(f2.size(), old2.size());
    EXPECT_EQ(f1.substr(51 * 16), old1.substr(51 * 16));
    EXPECT_EQ(f2.substr(13 * 24), old2.substr(13 * 24));
    partfactors2rec third;
    decode(reinterpret_cast<const std::uint8_t*>(f2.data()) + 2 * 24, third);
    EXPECT_EQ(third.devicename.trimmed(), "SECOND");

    // The start-up loading reads back what was written.
    ScriptedPlatform p;
    App again(p);
    loadinitial(again, dir);
    EXPECT_EQ(encode(again.ws.partfactors1(51)), encode(p1(51)));
    EXPECT_EQ(encode(again.ws.partfactors2(3)), encode(p2(3)));
}

TEST_F(DatabaseTwo, PartitionKeysBeyondEightBitsAndAMissingExport) {
    writedb2("partfactors.txt", {"T", "H", tabbed({"256", "1", "0", "3"}), tabbed({"1", "1", "0", "3"})});
    app->ws.partfactors1(1).boilergroup = 9;
    cmdloadefacts_Click(*app);
    EXPECT_EQ(app->ws.partfactors1(1).boilergroup, 9);
    EXPECT_EQ(app->ws.partfactors1(2).boilergroup, 1);
    EXPECT_EQ(warnings().size(), 1u);

    fs::remove(dir / "database2" / "partfactors.txt");
    std::string before = bytesof(dir / "partfactors1.dat");
    EXPECT_FALSE(loadpartitionfactors(*app));
    EXPECT_EQ(bytesof(dir / "partfactors1.dat"), before);
    EXPECT_EQ(platform.messages.size(), 1u);
}

TEST_F(DatabaseTwo, NumbersBeyondAFloatAreNeverStoredAndTheirLinesAreTold) {
    writedb2("coal suppliers.txt", {"HEAD", tabbed({"A", "", "", "Lignite", "0.8", "1e39"}),
                                    tabbed({"B", "", "", "Lignite", "0.7", "6800"})});
    cmdloadsupplier_Click(*app);
    EXPECT_EQ(coalsupplycount(app->ws), 1);
    EXPECT_EQ(app->ws.coalsupply(1).name1.trimmed(), "B");
    ASSERT_EQ(warnings().size(), 1u);
    EXPECT_NE(warnings()[0].find("skipped: the heat content 1e39 does not fit its field"), std::string::npos);

    writedb2("partfactors.txt", {"T", "H", tabbed({"1", "1", "0", "3", "", "", "", "", "", "0.1", "-4e38", "0.3"}),
                                 tabbed({"2", "", "ESP-CS", "", "9e99", "0.3", "0.05"})});
    app->ws.partfactors1(1).oxfrac = 0.25f;
    cmdloadefacts_Click(*app);
    EXPECT_FLOAT_EQ(app->ws.partfactors1(1).oxfrac, 0.25f);
    EXPECT_EQ(app->ws.partfactors2(2).partremoval, 0);
    EXPECT_EQ(warnings().size(), 3u);

    emisfrec r;
    r.value = 2;
    EXPECT_FALSE(parsefixedline(emisline("BAGHOUSE", "LEAD", "1e39", "1"), r));
    EXPECT_EQ(r.value, 2);
}

TEST_F(CompoundImport, ClickOnACompoundShowsIt) {
    list1().AddItem("ARSENIC");
    list1().AddItem("LEAD");
    list1().setListIndex(1);
    EXPECT_EQ(mainwindow(*app).Label3.Caption(), "LEAD");
}

// The example set's compound exports as its build imported them.
TEST(CompoundExample, ExampleSetCarriesTheCompoundData) {
    fs::path dir = copyexampleset("compounds");
    ScriptedPlatform platform;
    App app(platform);
    loadexampleset(app, platform, dir);
    EXPECT_EQ(coalsupplycount(app.ws), 12);
    EXPECT_EQ(app.ws.coalsupply(1).fueltype, 3);
    EXPECT_EQ(app.ws.partfactors2(13).devicename.trimmed(), "Sorb/ESP");
    EXPECT_EQ(app.ws.partfactors1(32).boilergroup, 0);

    cmdemisf_Click(app);
    EXPECT_TRUE(platform.messages.empty());
    const ListBox& l1 = app.main.List1;
    ASSERT_EQ(l1.ListCount(), 12);
    EXPECT_EQ(l1.List(0), "ARSENIC");
    std::vector<std::string> devices = entries(app.main.List2);
    ASSERT_EQ(devices.size(), 7u);
    EXPECT_EQ(devices[1], "ESP COLD SIDE       ");
    EXPECT_EQ(devices[3], "WET SCRUBBER        ");
    // Records 13 and 14 of the compound file, added by the type and oil updates, stay.
    compoundrec c;
    ASSERT_TRUE(readcompoundrecord(app, 14, c));
    EXPECT_EQ(c.name.trimmed(), "VANADIUM");
    EXPECT_FLOAT_EQ(c.oilconc, 45.0f);
    ASSERT_TRUE(readcompoundrecord(app, 13, c));
    EXPECT_EQ(c.comptype, 2);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace brasket::testing

namespace brasket::testing {
namespace {

// The unit evaluation window's hidden item runs the partition factor import under the hourglass.
TEST(CompoundExample, UnitWindowItemImportsThePartitionFactorsUnderTheHourglass) {
    fs::path dir = copyexampleset("loadefacts");
    ScriptedPlatform platform;
    App app(platform);
    loadexampleset(app, platform, dir);
    ASSERT_TRUE(selectunit(app, 1));
    cmdevaluateunit_Click(app);
    MenuItem& item = app.form1.menu("cmdloadefacts");
    EXPECT_FALSE(item.Visible());
    EXPECT_EQ(item.Caption(), "load emis factors");

    fs::rename(dir / "database2" / "partfactors.txt", dir / "database2" / "aside.txt");
    std::vector<int> pointers;
    platform.onmessage = [&](const std::string&) { pointers.push_back(app.form1.MousePointer()); };
    item.Click();
    EXPECT_EQ(pointers, std::vector<int>{11});  // the message of the missing export came under the hourglass
    EXPECT_EQ(app.form1.MousePointer(), 1);

    fs::rename(dir / "database2" / "aside.txt", dir / "database2" / "partfactors.txt");
    app.ws.partfactors2(5).partremoval = 0;
    item.Click();
    EXPECT_FLOAT_EQ(app.ws.partfactors2(5).partremoval, 0.99f);
    EXPECT_EQ(app.form1.MousePointer(), 1);
    EXPECT_EQ(pointers.size(), 1u);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace brasket::testing
