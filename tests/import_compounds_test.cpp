// The trace compound imports: the compound list and file, the emission factor data, the
// compound type and print-file updates, the concentration ranges, suppliers and partition factors.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "app.h"
#include "data/codec.h"
#include "data/filebytes.h"
#include "data/loading.h"
#include "exampleset.h"
#include "import/compounddata.h"
#include "import/importconduct.h"
#include "import_folder.h"
#include "unitwindow/form1.h"

namespace brasket::testing {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

// A text written from its column on a line of blanks.
std::string at(std::string line, std::size_t column, const std::string& text) {
    if (line.size() < column - 1 + text.size()) line.resize(column - 1 + text.size(), ' ');
    line.replace(column - 1, text.size(), text);
    return line;
}

// One line of "EMISDATA.prn".
std::string emisline(const std::string& device, const std::string& compound, const std::string& value,
                     const std::string& devno, const std::string& number1 = "1") {
    return at(at(at(at(at(at("", 1, device), 21, number1), 29, compound), 69, value), 83, devno), 91, "0");
}

std::string bytesof(const fs::path& file) {
    std::string b;
    readfilebytes(file, b);
    return b;
}

Lines entries(const ListBox& list) {
    Lines out;
    for (int i = 0; i < list.ListCount(); ++i) out.push_back(list.List(i));
    return out;
}

// One line of a combustion concentration export.
std::string concline(const std::string& compound, const std::string& value) {
    return at(at(at("SITE 1", 13, "BIT"), 21, compound), 61, value);
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
    void writeemisdata(const Lines& lines) {
        Lines all{"DEVICE              NUMBER  COMPOUND"};
        all.insert(all.end(), lines.begin(), lines.end());
        write("EMISDATA.prn", all);
    }
    void writedb2(const std::string& name, const Lines& lines) {
        fs::create_directories(dir / "database2");
        write("database2/" + name, lines);
    }
    // The one message of a step, emptied for the next.
    std::string onemessage() {
        EXPECT_EQ(platform.messages.size(), 1u);
        std::string m = platform.messages.empty() ? std::string() : platform.messages.back();
        platform.messages.clear();
        return m;
    }
};

TEST_F(CompoundImport, ListRecordsNumberCompoundsByListPosition) {
    std::int16_t n = -1;
    const std::vector<std::pair<const char*, int>> cases{
        {"ARSENIC   ", 1}, {"LEAD", 2}, {"ARSENIC", 1},  // trailing blanks do not count
        {" ARSENIC", 3},                                  // a leading blank makes a new compound
        {"arsenic", 4},                                   // so does another letter case
        {"     ", 0}};                                    // a blank name is no compound
    for (const auto& [name, number] : cases) {
        putlistrecords(*app, name, n);
        EXPECT_EQ(n, number) << '"' << name << '"';
    }
    EXPECT_EQ(entries(list1()), (Lines{"ARSENIC", "LEAD", " ARSENIC", "arsenic"}));
    EXPECT_EQ(app->ws.compounds(2).name.trimmed(), "LEAD");
    EXPECT_EQ(filed(3).name.trimmed(), " ARSENIC");
    EXPECT_EQ(fs::file_size(compoundfilepath(*app)), 4u * 50);
    list1().AddItem("LEAD");  // the last of two equal entries wins
    putlistrecords(*app, "LEAD", n);
    EXPECT_EQ(n, 5);

    for (int i = 6; i <= 300; ++i) list1().AddItem("C" + std::to_string(i));
    putlistrecords(*app, "ONE MORE", n);  // beyond the table: no compound, told in the log
    EXPECT_EQ(n, 0);
    EXPECT_EQ(list1().ListCount(), 300);
    ASSERT_EQ(warnings().size(), 1u);
    EXPECT_NE(warnings()[0].find("ONE MORE"), std::string::npos);
}

TEST_F(CompoundImport, FixedLineColumnsRoundingAndFieldRanges) {
    emisfrec r;
    r.unused = 77;  // a field the line does not set
    ASSERT_TRUE(parsefixedline(emisline("BAGHOUSE", "CADMIUM", "  0.0125", "    12.5", "13.5"), r));
    EXPECT_EQ(r.text1.str(), std::string("BAGHOUSE") + std::string(12, ' '));
    EXPECT_EQ(r.number1, 14);  // halves to even
    EXPECT_EQ(r.number2, 12);
    EXPECT_EQ(r.compoundname.trimmed(), "CADMIUM");
    EXPECT_FLOAT_EQ(r.value, 0.0125f);
    EXPECT_EQ(r.unused, 77);

    emisfrec s;  // a line shorter than the last columns: blanks and zeros there
    s.number2 = s.compoundno = 9;
    ASSERT_TRUE(parsefixedline("ESP COLD SIDE          3    LEAD", s));
    EXPECT_EQ(s.compoundname.trimmed(), "LEAD");
    EXPECT_EQ(s.number1, 3);
    EXPECT_EQ(s.value, 0);
    EXPECT_EQ(s.number2, 0);
    EXPECT_EQ(s.compoundno, 0);

    // A whole number beyond 16 bits or a factor beyond a float leaves the record as it was.
    for (const std::string& bad : {emisline("X", "Y", "1", "40000"), emisline("X", "Y", "1e39", "1")}) {
        emisfrec t = s;
        EXPECT_FALSE(parsefixedline(bad, t)) << bad;
        EXPECT_EQ(encode(t), encode(s));
    }
}

TEST_F(CompoundImport, EmissionDataFillsFactorsCompoundsAndDevices) {
    writeemisdata({emisline("WET SCRUBBER", "ARSENIC", "0.05", "3"), emisline("WET SCRUBBER", "LEAD", "0.04", "3"),
                   emisline("ESP COLD SIDE", "ARSENIC", "0.03", "1"), emisline("ESP COLD SIDE", " LEAD", "0.02", "1"),
                   emisline("ESP AGAIN", "LEAD", "0.01", "1"), emisline("BEYOND", "B", "1", "101"),
                   emisline("NONE", "B", "1", "0"), ""});
    cmdemisf_Click(*app);
    EXPECT_TRUE(platform.messages.empty());

    EXPECT_EQ(entries(list1()), (Lines{"ARSENIC", "LEAD", " LEAD", "B"}));
    // One entry per device number 1..100 in number order, named by its first record.
    EXPECT_EQ(entries(list2()), (Lines{"No Controls", "ESP COLD SIDE       ", "WET SCRUBBER        "}));
    const auto& e = app->ws.emisf;
    const std::vector<int> numbers{1, 2, 1, 3, 2, 4, 4, 0};  // the blank closing line has no compound
    for (std::size_t i = 0; i < numbers.size(); ++i) EXPECT_EQ(e(static_cast<long>(i + 1)).compoundno, numbers[i]);

    std::string factors = bytesof(dir / "emisf.dat");  // a record per line, a record per compound
    ASSERT_EQ(factors.size(), 8u * 72);
    emisfrec fourth;
    decode(reinterpret_cast<const std::uint8_t*>(factors.data()) + 3 * 72, fourth);
    EXPECT_EQ(encode(fourth), encode(e(4)));
    EXPECT_EQ(filed(3).name.trimmed(), " LEAD");
    const frmplants& w = mainwindow(*app);
    EXPECT_EQ(w.Label9.Caption(), "Updating compound file");
    EXPECT_EQ(w.Label19.Caption(), "Loading emission modification factors");
    EXPECT_TRUE(w.Label19.Visible());
    EXPECT_EQ(w.Label11.Caption(), "no lines skipped or changed");
    EXPECT_EQ(w.MousePointer(), 0);

    // A second import renumbers from the new file alone; compound records beyond are kept.
    writeemisdata({emisline("BAGHOUSE", "LEAD", "0.01", "2")});
    cmdemisf_Click(*app);
    EXPECT_EQ(entries(list1()), (Lines{"LEAD"}));
    EXPECT_EQ(entries(list2()), (Lines{"No Controls", "BAGHOUSE            "}));
    EXPECT_EQ(fs::file_size(dir / "emisf.dat"), 72u);
    EXPECT_EQ(fs::file_size(dir / "compound.dat"), 4u * 50);
}

TEST_F(CompoundImport, BadEmissionDataLeavesFilesAndListsByteIdentical) {
    writeemisdata({emisline("ESP", "ARSENIC", "0.05", "1"), emisline("BAGHOUSE", "LEAD", "0.01", "2")});
    cmdemisf_Click(*app);
    const std::string factors = bytesof(dir / "emisf.dat"), compounds = bytesof(dir / "compound.dat");
    const Lines list = entries(list1()), devices = entries(list2());
    ASSERT_EQ(list.size(), 2u);

    Lines compoundsbeyond;
    for (int i = 0; i < 301; ++i) compoundsbeyond.push_back(emisline("ESP", "C" + std::to_string(i), "1", "1"));
    struct Case {
        const char* what;
        Lines lines;
        const char* told;
    };
    const std::vector<Case> cases{
        {"3001 lines", Lines(3001, emisline("ESP", "NEW", "0.5", "1")), "more than 3000 lines"},
        {"301 compounds", compoundsbeyond, "more than 300 compounds"},
        {"a device number beyond 16 bits", {emisline("ESP", "NEW", "0.5", "1"), emisline("E", "N", "1", "99999")},
         "line 3"},
        {"a heading alone", {}, "no lines of emission data"},
    };
    auto expectunchanged = [&](const std::string& what) {
        EXPECT_EQ(bytesof(dir / "emisf.dat"), factors) << what;
        EXPECT_EQ(bytesof(dir / "compound.dat"), compounds) << what;
        EXPECT_EQ(entries(list1()), list) << what;
        EXPECT_EQ(entries(list2()), devices) << what;
        EXPECT_EQ(app->ws.emisf(1).compoundname.trimmed(), "ARSENIC") << what;
        EXPECT_EQ(app->ws.compounds(1).name.trimmed(), "ARSENIC") << what;
        EXPECT_FALSE(fs::exists(dir / "emisf.dat.new")) << what;
    };
    for (const Case& c : cases) {
        writeemisdata(c.lines);
        cmdemisf_Click(*app);
        EXPECT_NE(onemessage().find(c.told), std::string::npos) << c.what;
        expectunchanged(c.what);
    }
    fs::remove(dir / "EMISDATA.prn");
    cmdemisf_Click(*app);
    EXPECT_NE(onemessage().find("EMISDATA.prn"), std::string::npos);
    expectunchanged("no file");
}

TEST_F(CompoundImport, CompoundTypesRoundHalvesToEvenAndAddNewCompounds) {
    writeemisdata({emisline("ESP", "ARSENIC", "0.05", "1")});
    cmdemisf_Click(*app);
    app->ws.compounds(1).oilconc = 0.7f;
    writecompoundrecord(*app, 1);
    app->ws.compounds(1).oilconc = 0;  // the file's record is read before the type is set

    auto typed = [](const char* name, const char* type) { return at(at("", 1, name), 41, type); };
    write("compounds.prn", {typed("ARSENIC", "     2.5"), typed("DIOXINS", "3.5"), typed("BENZENE", "12.5"), "",
                            typed("HUGE", "99999")});
    cmdcompdtype_Click(*app);
    EXPECT_EQ(app->ws.compounds(1).comptype, 2);
    EXPECT_FLOAT_EQ(app->ws.compounds(1).oilconc, 0.7f);
    EXPECT_EQ(filed(2).name.trimmed(), "DIOXINS");
    EXPECT_EQ(filed(2).comptype, 4);
    EXPECT_EQ(filed(3).comptype, 12);
    EXPECT_EQ(entries(list1()), (Lines{"ARSENIC", "DIOXINS", "BENZENE"}));
    ASSERT_EQ(warnings().size(), 1u);  // the type beyond 16 bits, told in a message too
    EXPECT_NE(warnings()[0].find("line 5"), std::string::npos);
    EXPECT_NE(onemessage().find("1 line skipped or changed: see import warnings.txt"), std::string::npos);
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
    EXPECT_EQ(entries(list1()), (Lines{"NICKEL", "VANADIUM"}));
    EXPECT_FLOAT_EQ(app->ws.compounds(1).oilconc, 21.5f);
    EXPECT_FLOAT_EQ(filed(2).oilconc, 45.0f);
    EXPECT_EQ(app->importpath, before);
    EXPECT_EQ(mainwindow(*app).Label11.Caption(), "no lines skipped or changed");

    const ExportLines none("");
    transloilc(*app, none, at(at("", 17, "ZINC"), 49, "3"), 49);  // another selector lists, stores nothing
    EXPECT_EQ(list1().ListCount(), 3);
    EXPECT_EQ(filed(3).oilconc, 0);

    platform.answers.push_back("*.PRN");  // a cancelled dialog changes nothing
    cmdupdatetraceoil_Click(*app);
    EXPECT_EQ(list1().ListCount(), 3);
}

TEST_F(CompoundImport, PrintFileValuesBeyondTheirFieldAreSkippedWithAWarning) {
    // The oil print file: 1e39 and -1e39 would be plus and minus infinity as 32-bit floats.
    auto oil = [](const char* name, const char* conc) { return at(at("", 17, name), 49, conc); };
    write("trace oil.PRN", {"CODE    SOURCE  COMPOUND", oil("NICKEL", "1e39"), oil("VANADIUM", "-1e39"),
                            oil("ZINC", "3.4e38"), oil("LEAD", "1.5")});
    platform.answers.push_back((dir / "trace oil.PRN").string());
    cmdupdatetraceoil_Click(*app);
    EXPECT_EQ(entries(list1()), (Lines{"ZINC", "LEAD"}));  // a skipped line lists no compound
    EXPECT_FLOAT_EQ(filed(1).oilconc, 3.4e38f);
    EXPECT_FLOAT_EQ(filed(2).oilconc, 1.5f);
    const std::string file = (dir / "trace oil.PRN").string();
    EXPECT_EQ(warnings(), (Lines{"line 2 of " + file + " skipped: the concentration in oil 1e39 does not fit its field",
                                 "line 3 of " + file + " skipped: the concentration in oil -1e39 does not fit its field"}));
    EXPECT_EQ(mainwindow(*app).Label11.Caption(), "2 lines skipped or changed: see import warnings.txt");
    platform.messages.clear();

    // The compound types and the combustion concentrations alike.
    write("compounds.prn", {at(at("", 1, "LEAD"), 41, "1e39"), at(at("", 1, "LEAD"), 41, "7")});
    cmdcompdtype_Click(*app);
    EXPECT_EQ(filed(2).comptype, 7);
    write("conc.prn", {"HEADING", concline("LEAD", "1e39"), concline("COBALT", "-1e300"), concline("LEAD", "2")});
    ASSERT_TRUE(coalfileload(*app, dir / "conc.prn", 48));
    EXPECT_EQ(app->concranges(2, 4), 2);
    EXPECT_EQ(list1().ListCount(), 2);
    ASSERT_EQ(warnings().size(), 5u);
    EXPECT_EQ(warnings()[2], "line 1 of " + (dir / "compounds.prn").string() +
                                 " skipped: the compound type 1e39 does not fit its field");
    EXPECT_EQ(warnings()[4], "line 3 of " + (dir / "conc.prn").string() +
                                 " skipped: the concentration -1e300 does not fit its field");
}

TEST_F(CompoundImport, UpdatesOfALaterRunKeepTheCompoundsOfTheFileInTheirRecords) {
    auto typed = [](const char* name, const char* type) { return at(at("", 1, name), 41, type); };
    write("compounds.prn", {typed("ARSENIC", "2"), typed("LEAD", "3"), typed("NICKEL", "4")});
    cmdcompdtype_Click(*app);
    const compoundrec arsenic = filed(1), lead = filed(2);

    // A later run: the compound list starts empty, and the compound file names the compounds.
    auto laterrun = [&] {
        app = std::make_unique<App>(platform);
        app->datapath = app->importpath = dir;
    };
    laterrun();
    write("compounds.prn", {typed("NICKEL", "5")});
    cmdcompdtype_Click(*app);
    EXPECT_EQ(entries(list1()), (Lines{"ARSENIC", "LEAD", "NICKEL"}));
    EXPECT_EQ(fs::file_size(compoundfilepath(*app)), 3u * 50);
    EXPECT_EQ(encode(filed(1)), encode(arsenic));
    EXPECT_EQ(encode(filed(2)), encode(lead));
    EXPECT_EQ(filed(3).name.trimmed(), "NICKEL");
    EXPECT_EQ(filed(3).comptype, 5);

    // The oil update of yet another run writes into the compound's record, keeping its type,
    // and lists a new compound after the others.
    laterrun();
    write("trace oil.PRN", {"HEADING", at(at("", 17, "LEAD"), 49, "0.25"), at(at("", 17, "ZINC"), 49, "1")});
    platform.answers.push_back((dir / "trace oil.PRN").string());
    cmdupdatetraceoil_Click(*app);
    EXPECT_EQ(filed(2).comptype, 3);
    EXPECT_FLOAT_EQ(filed(2).oilconc, 0.25f);
    EXPECT_EQ(filed(4).name.trimmed(), "ZINC");
    EXPECT_EQ(encode(filed(1)), encode(arsenic));
    EXPECT_EQ(entries(list1()), (Lines{"ARSENIC", "LEAD", "NICKEL", "ZINC"}));
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
    EXPECT_NE(onemessage().find("missing.PRN"), std::string::npos);

    for (int run = 0; run < 2; ++run) {  // the second run has no file left to delete: no error
        platform.answers.push_back((dir / "trace coal.PRN").string());
        cmdupdcoal_Click(*app);
        EXPECT_FALSE(fs::exists(dir / "concen.dat"));
    }
    EXPECT_EQ(list1().ListCount(), 0);  // nothing is stored
    EXPECT_TRUE(platform.messages.empty());
    cmdupgas_Click(*app);
}

TEST(CompoundStatistics, MedianAverageAndKinds) {
    const std::vector<std::pair<std::vector<double>, double>> medians{
        {{3, 1, 2}, 2}, {{4, 1, 3, 2}, 2.5}, {{7}, 7}, {{}, 0}, {{0, 0, 5}, 0} /* zeros take part */,
        {{2e30, 1}, 1e30} /* values above any marker sort as they are */};
    for (const auto& [v, m] : medians) EXPECT_EQ(median(v), m);
    const std::vector<std::pair<std::vector<double>, double>> averages{{{0, 2, 4}, 3}, {{0, 0}, 0}, {{}, 0}};
    for (const auto& [v, a] : averages) EXPECT_EQ(average(v), a);
    for (auto [code, kind] : std::vector<std::pair<int, int>>{{50, 0}, {48, 1}, {47, 2}, {12, 0}})
        EXPECT_EQ(concentrationkind(code), kind) << code;
}

TEST_F(CompoundImport, ConcentrationRangesKeepLowestPositiveAndHighestByKind) {
    write("conc.prn", {"HEADING", concline("ARSENIC", "0.2"), concline("ARSENIC", "0"), concline("ARSENIC", "0.5"),
                       concline("LEAD", "3"), concline("", "9")});
    list1().AddItem("EARLIER");  // listed before: no values in this file
    std::vector<CompoundStatistics> stats;
    ASSERT_TRUE(coalfileload(*app, dir / "conc.prn", 50, &stats));
    const auto& r = app->concranges;
    EXPECT_EQ(r(2, 0), 0.2);
    EXPECT_EQ(r(2, 3), 0.5);
    EXPECT_EQ(r(3, 0), 3);
    EXPECT_EQ(r(1, 0), 5000);    // a compound without values keeps the preset low value
    EXPECT_EQ(r(200, 0), 5000);  // every row is preset alike
    EXPECT_EQ(r(1, 3), 0);
    EXPECT_EQ(list1().ListCount(), 3);  // the blank name is no compound
    ASSERT_EQ(stats.size(), 3u);
    EXPECT_EQ(stats[1].count, 3);
    EXPECT_DOUBLE_EQ(stats[1].median, 0.2);
    EXPECT_DOUBLE_EQ(stats[1].mean, 0.35);

    // Other kinds go to their own columns; a kind code of no kind counts as kind 0, and the
    // high value of all loads of a kind is kept.
    write("one.prn", {"HEADING", concline("ARSENIC", "0.1")});
    for (auto [code, low, high] : std::vector<std::tuple<int, long, double>>{{48, 1, 0.1}, {47, 2, 0.1}, {12, 0, 0.5}}) {
        ASSERT_TRUE(coalfileload(*app, dir / "one.prn", code));
        EXPECT_EQ(r(2, low), 0.1) << code;
        EXPECT_EQ(r(2, low + 3), high) << code;
    }

    Lines many{"HEADING"};  // values beyond thirty are ignored with a warning each
    for (int i = 1; i <= 32; ++i) many.push_back(concline("LEAD", std::to_string(i + 10)));
    write("conc.prn", many);
    ASSERT_TRUE(coalfileload(*app, dir / "conc.prn", 50));
    EXPECT_EQ(r(3, 3), 40);
    EXPECT_EQ(warnings().size(), 2u);

    for (int i = 4; i <= 301; ++i) list1().AddItem("C" + std::to_string(i));  // an entry beyond the table
    write("beyond.prn", {"HEADING", concline("C301", "7")});
    ASSERT_TRUE(coalfileload(*app, dir / "beyond.prn", 50));
    EXPECT_EQ(warnings().size(), 3u);

    app->concranges(5, 0) = 1;  // a missing file is told and changes nothing
    EXPECT_FALSE(coalfileload(*app, dir / "none.prn", 50));
    EXPECT_NE(onemessage().find("none.prn"), std::string::npos);
    EXPECT_EQ(app->concranges(5, 0), 1);
}

TEST_F(CompoundImport, SuppliersTypesCountAndBounds) {
    const std::vector<std::pair<const char*, int>> types{
        {"Bituminous", 3}, {"bituminous", 2}, {"", 2},       {"Subbituminous", 4}, {"Lignite", 5},
        {"Waste coal", 8}, {"Tires", 12},     {"Petroleum coke", 7}, {"Bitu", 2}};
    for (const auto& [rank, code] : types) EXPECT_EQ(suppliertype(rank), code) << rank;

    writedb2("coal suppliers.txt",
             {"HEAD", tabbed({"A supplier with a long name", "Mine", "KY", "Bituminous", "1.5", "12000", "9.1", "0.11", "800"}),
              tabbed({"B", "", "", "Lignite", "0.8", "1e39"}), tabbed({"C", "", "", "Lignite", "0.8", "6800"})});
    cmdloadsupplier_Click(*app);
    const auto& s = app->ws.coalsupply;
    EXPECT_EQ(coalsupplycount(app->ws), 2);
    EXPECT_EQ(s(1).name1.str(), "A supplier with a lo");
    EXPECT_EQ(s(1).fueltype, 3);
    EXPECT_FLOAT_EQ(s(1).mercury, 0.11f);
    EXPECT_FLOAT_EQ(s(1).chlorine, 800);
    EXPECT_EQ(s(2).name1.trimmed(), "C");  // a number beyond a float is never stored: its line is skipped
    EXPECT_EQ(s(2).ash, 0);
    ASSERT_EQ(warnings().size(), 1u);
    EXPECT_NE(warnings()[0].find("skipped: the heat content 1e39 does not fit its field"), std::string::npos);
    // The status label ends telling the skipped line, and a message says so too.
    EXPECT_EQ(mainwindow(*app).Label11.Caption(), "1 line skipped or changed: see import warnings.txt");
    EXPECT_TRUE(mainwindow(*app).Label11.Visible());
    EXPECT_NE(onemessage().find("import warnings.txt"), std::string::npos);

    Lines many(2002, tabbed({"S", "M", "C", "Tires"}));
    many[0] = "HEAD";
    writedb2("coal suppliers.txt", many);
    cmdloadsupplier_Click(*app);
    EXPECT_EQ(coalsupplycount(app->ws), 2000);  // the line beyond the table is skipped and told
    EXPECT_EQ(warnings().size(), 2u);
    onemessage();

    app->ws.coalsupply(1).fueltype = 3;
    writedb2("coal suppliers.txt", {"HEAD"});
    cmdloadsupplier_Click(*app);
    EXPECT_EQ(coalsupplycount(app->ws), 0);
    EXPECT_EQ(s(1).fueltype, 3);  // no entry changed
    EXPECT_EQ(mainwindow(*app).Label11.Caption(), "no lines skipped or changed");

    fs::remove(dir / "database2" / "coal suppliers.txt");
    setcoalsupplycount(app->ws, 2);
    cmdloadsupplier_Click(*app);
    EXPECT_EQ(coalsupplycount(app->ws), 2);
    EXPECT_NE(onemessage().find("coal suppliers.txt"), std::string::npos);
}

TEST_F(CompoundImport, PartitionFactorsRouteByDataLineAndFieldThree) {
    Lines lines{"TITLE", "HEADING"};
    for (int n = 1; n <= 51; ++n) {
        Lines f(12);
        f[0] = std::to_string(n == 7 ? 2 : n % 6);
        f[1] = "6";
        f[2] = n == 7 ? "LONG!" : "4";  // five characters: a device row though before line 52
        f[3] = "3";
        f[9] = "0.1";
        f[10] = "0.2";
        f[11] = std::to_string(n / 100.0);
        lines.push_back(tabbed(f));
    }
    lines.push_back(tabbed({"1", "", "ESP", "", "0.99", "0.3", "0.05"}));  // line 52: field 3 short, still a device
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
    EXPECT_EQ(std::vector<int>({p1(5).boilergroup, p1(5).noxgroup, p1(5).controlclass, p1(5).fuelclass}),
              std::vector<int>({5, 6, 4, 3}));
    EXPECT_FLOAT_EQ(p1(51).elemfrac, 0.51f);
    EXPECT_EQ(p1(7).fuelclass, 42);  // line 7 went to the device table
    EXPECT_EQ(p2(2).devicename.str(), "LONG!       ");
    EXPECT_EQ(p2(1).devicename.trimmed(), "ESP");
    EXPECT_FLOAT_EQ(p2(1).partremoval, 0.99f);
    EXPECT_EQ(p2(14).devicename.str(), "Sorb/ESP is ");
    EXPECT_EQ(p2(3).devicename.trimmed(), "SECOND");
    ASSERT_EQ(warnings().size(), 1u);
    EXPECT_NE(warnings()[0].find("line 58"), std::string::npos);
    EXPECT_NE(onemessage().find("1 line skipped or changed"), std::string::npos);

    std::string f1 = bytesof(dir / "partfactors1.dat"), f2 = bytesof(dir / "partfactors2.dat");
    ASSERT_EQ(f1.size(), old1.size());
    ASSERT_EQ(f2.size(), old2.size());
    EXPECT_EQ(f1.substr(51 * 16), old1.substr(51 * 16));
    EXPECT_EQ(f2.substr(13 * 24), old2.substr(13 * 24));
    ScriptedPlatform p;  // the start-up loading reads back what was written
    App again(p);
    loadinitial(again, dir);
    EXPECT_EQ(encode(again.ws.partfactors1(51)), encode(p1(51)));
    EXPECT_EQ(encode(again.ws.partfactors2(3)), encode(p2(3)));
}

TEST_F(CompoundImport, PartitionLinesBeyondTheirFieldsAreSkippedAndAMissingExportChangesNothing) {
    writedb2("partfactors.txt", {"T", "H", tabbed({"256", "1", "0", "3"}), tabbed({"1", "1", "0", "3"}),
                                 tabbed({"1", "1", "0", "3", "", "", "", "", "", "0.1", "-4e38", "0.3"}),
                                 tabbed({"2", "", "ESP-CS", "", "9e99", "0.3", "0.05"})});
    app->ws.partfactors1(1).boilergroup = 9;
    app->ws.partfactors1(3).oxfrac = 0.25f;
    cmdloadefacts_Click(*app);
    EXPECT_EQ(app->ws.partfactors1(1).boilergroup, 9);  // a key beyond 8 bits
    EXPECT_EQ(app->ws.partfactors1(2).boilergroup, 1);
    EXPECT_FLOAT_EQ(app->ws.partfactors1(3).oxfrac, 0.25f);  // numbers beyond a float
    EXPECT_EQ(app->ws.partfactors2(2).partremoval, 0);
    EXPECT_EQ(warnings().size(), 3u);
    EXPECT_NE(onemessage().find("3 lines skipped or changed"), std::string::npos);
    EXPECT_EQ(app->form1.MousePointer(), 1);

    fs::remove(dir / "database2" / "partfactors.txt");
    const std::string before = bytesof(dir / "partfactors1.dat");
    std::vector<int> pointers;
    platform.onmessage = [&](const std::string&) { pointers.push_back(app->form1.MousePointer()); };
    cmdloadefacts_Click(*app);  // the registered handler too works under the unit window's hourglass
    EXPECT_EQ(pointers, std::vector<int>{11});
    EXPECT_EQ(app->form1.MousePointer(), 1);
    EXPECT_EQ(bytesof(dir / "partfactors1.dat"), before);
}

TEST_F(CompoundImport, ClickOnACompoundShowsIt) {
    list1().AddItem("ARSENIC");
    list1().AddItem("LEAD");
    list1().setListIndex(1);
    EXPECT_EQ(mainwindow(*app).Label3.Caption(), "LEAD");
}

// The example set's compound exports as its build imported them.
TEST(CompoundExample, ExampleSetCarriesTheCompoundData) {
    const TempFolder copy = copyexampleset("compounds");
    const fs::path& dir = copy.path();
    ScriptedPlatform platform;
    App app(platform);
    loadexampleset(app, platform, dir);
    EXPECT_EQ(coalsupplycount(app.ws), 12);
    EXPECT_EQ(app.ws.coalsupply(1).fueltype, 3);
    EXPECT_EQ(app.ws.partfactors2(13).devicename.trimmed(), "Sorb/ESP");

    cmdemisf_Click(app);
    EXPECT_TRUE(platform.messages.empty());
    ASSERT_EQ(app.main.List1.ListCount(), 12);
    EXPECT_EQ(app.main.List1.List(0), "ARSENIC");
    Lines devices = entries(app.main.List2);
    ASSERT_EQ(devices.size(), 7u);
    EXPECT_EQ(devices[1], "ESP COLD SIDE       ");
    compoundrec c;  // the oil update of the example build stored its concentrations
    ASSERT_TRUE(readcompoundrecord(app, 14, c));
    EXPECT_FLOAT_EQ(c.oilconc, 45.0f);

    // The unit evaluation window's hidden item runs the partition factor import.
    ASSERT_TRUE(selectunit(app, 1));
    cmdevaluateunit_Click(app);
    MenuItem& item = app.form1.menu("cmdloadefacts");
    EXPECT_FALSE(item.Visible());
    EXPECT_EQ(item.Caption(), "load emis factors");
    app.ws.partfactors2(5).partremoval = 0;
    item.Click();
    EXPECT_FLOAT_EQ(app.ws.partfactors2(5).partremoval, 0.99f);
    EXPECT_EQ(app.form1.MousePointer(), 1);
}

}  // namespace
}  // namespace brasket::testing
