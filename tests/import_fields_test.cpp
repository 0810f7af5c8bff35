#include "import/exportfields.h"
#include "import/importconduct.h"
#include "data/textfiles.h"
#include "import_testkit.h"

using namespace brasket;
using brasket::testkit::ImportTest;

TEST(Splitline, KeepsFieldsExactlyAndNumbersThemFromOne) {
    CTXT f;
    splitline("a\t\tb", f);
    EXPECT_EQ(f[1], "a");
    EXPECT_EQ(f[2], "");
    EXPECT_EQ(f[3], "b");
    EXPECT_EQ(f[0], "");
    splitline(" \"x y\" \tLow", f);
    EXPECT_EQ(f[1], " \"x y\" ");
    EXPECT_EQ(f[2], "Low");
    EXPECT_EQ(f[3], "");  // the previous line's third field is gone
}

TEST(Splitline, KeepsAtMostFortyNineFields) {
    std::string line;
    for (int k = 1; k <= 60; ++k) line += (k > 1 ? "\t" : "") + std::to_string(k);
    CTXT f;
    splitline(line, f);
    EXPECT_EQ(f[49], "49");
    EXPECT_EQ(f[50], "");
    splitline("", f);
    for (const auto& field : f) EXPECT_EQ(field, "");
}

TEST(Cleanfield, TrimsUppercasesAndRemovesOneQuoteAtEachEnd) {
    std::string s = "  \"ab cd\"  ";
    cleanfield(s);
    EXPECT_EQ(s, "AB CD");
    s = "\"\"";
    cleanfield(s);
    EXPECT_EQ(s, "");
    s = "\" abc \"";
    cleanfield(s);
    EXPECT_EQ(s, " ABC ");
    s = "\"\"x\"\"";
    cleanfield(s);
    EXPECT_EQ(s, "\"X\"");
    EXPECT_EQ(unquoted("  \"Plant 7\" "), "Plant 7");
}

using CodeLookup = ImportTest;

TEST_F(CodeLookup, FuelTakesTheFirstRowThatMatchesOrIsEmpty) {
    app.ws.idfuel(1).name = "BITUMINOUS";
    app.ws.idfuel(9).name = "LIGNITE";
    for (long k = 2; k <= 4; ++k) app.ws.idfuel(k).name = "FUEL " + std::to_string(k);
    std::string name = "  lignite  ";
    EXPECT_EQ(codelookup(app, "fuel", name), 5);
    EXPECT_EQ(name, "LIGNITE");
    EXPECT_EQ(app.ws.idfuel(5).name.trimmed(), "LIGNITE");
    std::string again = "Lignite";
    EXPECT_EQ(codelookup(app, "fuel", again), 5);
    std::string bit = "bituminous";
    EXPECT_EQ(codelookup(app, "fuel", bit), 1);
    std::string empty = "  ";
    EXPECT_EQ(codelookup(app, "fuel", empty), 0);
    EXPECT_EQ(app.ws.idfuel(6).name.trimmed(), "");
}

TEST_F(CodeLookup, FuelNamesAreKnownByTheirFirst35CharactersAndAFullListGivesNothing) {
    std::string longname(40, 'A');
    EXPECT_EQ(codelookup(app, "fuel", longname), 1);
    std::string other = std::string(35, 'A') + "BBB";
    EXPECT_EQ(codelookup(app, "fuel", other), 1);
    for (long k = 1; k <= 100; ++k) app.ws.idfuel(k).name = "F" + std::to_string(k);
    std::string newname = "WOOD";
    EXPECT_EQ(codelookup(app, "fuel", newname), 0);
}

TEST_F(CodeLookup, NameListsGrowAtTheirFirstEmptyElement) {
    for (long i = 1; i <= 12; ++i) app.ws.pmnames(i) = "PM" + std::to_string(i);
    app.ws.pmnames(0) = "12";
    std::string name = "esp cold side";
    EXPECT_EQ(codelookup(app, "pms", name), 13);
    EXPECT_EQ(app.ws.pmnames(13), "ESP COLD SIDE");
    EXPECT_EQ(app.ws.pmnames(0), " 13");
    std::string again = "ESP COLD SIDE";
    EXPECT_EQ(codelookup(app, "pms", again), 13);
    for (long i = 1; i <= 400; ++i) app.ws.noxnames(i) = "N" + std::to_string(i);
    std::string full = "NEW";
    EXPECT_EQ(codelookup(app, "noxs", full), 0);
    std::string last = "N400";
    EXPECT_EQ(codelookup(app, "noxs", last), 400);
}

TEST_F(CodeLookup, TypeNamesAreKnownByTheirFirst25Characters) {
    std::string longname = "WET SCRUBBER WITH LIMESTONE FORCED OXIDATION";
    EXPECT_EQ(codelookup(app, "so2", longname), 1);
    EXPECT_EQ(app.ws.emfactor(1, 1).name.str(), std::string("WET SCRUBBER WITH LIMESTO"));
    std::string again = "WET SCRUBBER WITH LIMESTONE FORCED OXIDATION";
    EXPECT_EQ(codelookup(app, "so2", again), 1);
    EXPECT_EQ(app.ws.emfactor(2, 1).name.trimmed(), std::string(25, '\0'));  // no second row taken
    std::string pm = "ESP-CS";
    EXPECT_EQ(codelookup(app, "pm", pm), 1);
    std::string boiler = "ESP-CS";
    EXPECT_EQ(codelookup(app, "boiler", boiler), 1);  // each column is its own list
}

TEST_F(CodeLookup, LookupOnlyAddsNoTypeAndPassesOverEmptyRows) {
    app.ws.emfactor(1, 1).name = "WET SCRUB";
    app.ws.emfactor(3, 1).name = "SDA";
    app.lookuponly = 1;
    std::string unknown = "SORB INJ";
    EXPECT_EQ(codelookup(app, "so2", unknown), 0);
    EXPECT_EQ(app.ws.emfactor(2, 1).name.trimmed(), std::string(25, '\0'));
    std::string later = "sda";
    EXPECT_EQ(codelookup(app, "so2", later), 3);
    app.lookuponly = 0;
    std::string added = "SORB INJ";
    EXPECT_EQ(codelookup(app, "so2", added), 2);
}

TEST_F(CodeLookup, PlantCodesGiveTheHighestMatchingPlantAndAddNothing) {
    setplantcount(app.ws, 3);
    app.ws.idplant(1).pfcode = "  1001";
    app.ws.idplant(2).pfcode = "2002";
    app.ws.idplant(3).pfcode = "1001";
    std::string code = "1001";
    EXPECT_EQ(codelookup(app, "pfcode", code), 3);
    std::string missing = "9999";
    EXPECT_EQ(codelookup(app, "pfcode", missing), 0);
    PlantCodeIndex index(app.ws);
    std::string a = " 1001 ", b = "2002", c = "9999";
    EXPECT_EQ(index.lookup(a), 3);
    EXPECT_EQ(index.lookup(b), 2);
    EXPECT_EQ(index.lookup(c), 0);
}

TEST_F(CodeLookup, BoilerIdsAreSoughtAmongThePlantsUnitsIgnoringCase) {
    app.ws.idplant(4).unitno[1] = 10;
    app.ws.idplant(4).unitno[2] = 11;
    app.ws.unitc(10).unitname = "1";
    app.ws.unitc(11).unitname = "st2";
    app.lookupplant = 4;
    std::string id = " \"ST2\"";
    EXPECT_EQ(codelookup(app, "boiler_ID", id), 2);
    std::string missing = "3";
    EXPECT_EQ(codelookup(app, "boiler_ID", missing), 0);
    std::string unknown = "x";
    EXPECT_EQ(codelookup(app, "PM", unknown), 0);  // categories are matched exactly
    EXPECT_EQ(app.ws.emfactor(1, 2).name.trimmed(), std::string(25, '\0'));
}

using ImportConduct = ImportTest;

TEST_F(ImportConduct, FolderDialogTakesTheChosenFilesFolderAndACancelChangesNothing) {
    app.importpath = "/start";
    platform.answers.push_back("C:*.txt");
    EXPECT_FALSE(importfolderdialog(app));
    EXPECT_EQ(app.importpath, "/start");
    ASSERT_EQ(platform.dialogs.size(), 1u);
    EXPECT_EQ(platform.dialogs[0].InitDir, "/start");
    EXPECT_EQ(platform.dialogs[0].Filter, "Data set files (*.txt) ");
    EXPECT_EQ(platform.dialogs[0].FileName, "*.txt");
    platform.answers.push_back((dir / "sub" / "whatever.txt").string());
    EXPECT_TRUE(importfolderdialog(app));
    EXPECT_EQ(app.importpath, dir / "sub");
}

TEST_F(ImportConduct, StatusShowsHourglassAndCaptionWithOnePumpPerCaption) {
    beginimport(app, "reading units");
    EXPECT_EQ(app.main.MousePointer(), 11);
    EXPECT_TRUE(app.main.Label11.Visible());
    EXPECT_EQ(app.main.Label11.Caption(), "reading units");
    EXPECT_EQ(platform.pumps, 1);
    importstep(app, "next", false);
    EXPECT_EQ(platform.pumps, 1);
    importstep(app, "after", true);
    EXPECT_EQ(platform.pumps, 2);
    endimport(app);
    EXPECT_TRUE(app.main.Label11.Visible());
    EXPECT_EQ(app.main.Label11.Caption(), "no lines skipped or changed");
    EXPECT_EQ(app.main.MousePointer(), 0);
}

TEST_F(ImportConduct, BusyPanelShowsMovesAndHides) {
    app.main.Picture1.Width = 5000;
    app.main.Picture1.Height = 4000;
    app.main.Label22.Width = 700;
    showbusy(app, 0);
    EXPECT_TRUE(app.main.Label19.Visible());
    EXPECT_TRUE(app.main.Label22.Visible());
    EXPECT_EQ(app.main.Label19.Left(), 1000);
    EXPECT_EQ(app.main.Label19.Top(), 800);
    EXPECT_EQ(app.main.Label22.Left(), 1050);
    EXPECT_EQ(app.main.Label22.Top(), 1000);
    EXPECT_EQ(app.main.Label22.Width(), 700);
    showbusy(app, 10);
    EXPECT_EQ(app.main.Label22.Width(), 330);
    showbusy(app, -1);
    EXPECT_FALSE(app.main.Label19.Visible());
    EXPECT_FALSE(app.main.Label22.Visible());
}

TEST_F(ImportConduct, ClearscrLeavesOnlyTheFourCaptions) {
    app.main.Picture1.Line(0, 0, 10, 10);
    clearscr(app);
    std::vector<std::string> texts;
    for (const auto& op : app.main.Picture1.ops) {
        EXPECT_EQ(op.kind, DrawOp::Text);
        texts.push_back(op.text);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"Fuel type", "Boiler type", "Particulate control", "SO2 control"}));
}

TEST_F(ImportConduct, WarningLogAppendsCrLfLines) {
    importwarning(app, "first");
    importwarning(app, "second");
    std::ifstream in(dir / "import warnings.txt", std::ios::binary);
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(all, "first\r\nsecond\r\n");
}

TEST_F(ImportConduct, ExportsAreFoundWithoutRegardToCaseAndReadAsTheirBytes) {
    {
        std::ofstream out(dir / "PartIIEXPORT.TXT", std::ios::binary);
        out << "h1\r\nb\xE9 \r\n\r\nlast\rx\nend";
    }
    auto found = findexport(dir / "partIIexport.txt");
    ASSERT_TRUE(found);
    auto lines = openexport(app, dir / "partIIExport.txt");
    ASSERT_TRUE(lines);
    std::vector<std::string> got;
    std::string_view l;
    while (lines->next(l)) got.emplace_back(l);
    EXPECT_EQ(got, (std::vector<std::string>{"h1", "b\xE9 ", "", "last", "x", "end"}));  // a lone CR ends a line
    EXPECT_FALSE(findexport(dir / "other.txt"));
    EXPECT_FALSE(openexport(app, dir / "other.txt"));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find("other.txt"), std::string::npos);
}

TEST(ReadDate, ReadsMonthAndYearOfTheUsualForms) {
    int y = 0, m = 0;
    EXPECT_TRUE(readdate("3/15/1999", y, m));
    EXPECT_EQ(y, 1999);
    EXPECT_EQ(m, 3);
    EXPECT_TRUE(readdate("12/1/99 0:00:00", y, m));
    EXPECT_EQ(y, 1999);
    EXPECT_EQ(m, 12);
    EXPECT_TRUE(readdate("2010-07-01", y, m));
    EXPECT_EQ(y, 2010);
    EXPECT_EQ(m, 7);
    EXPECT_TRUE(readdate("1/2/05", y, m));
    EXPECT_EQ(y, 2005);
    EXPECT_FALSE(readdate("13/1/1999", y, m));
    EXPECT_FALSE(readdate("sometime", y, m));
    EXPECT_FALSE(readdate("1999", y, m));
}

TEST_F(CodeLookup, StoredNamesAreComparedWithoutBlanksAtEitherEnd) {
    app.ws.idfuel(1).name = "  LIGNITE";
    std::string fuel = "lignite";
    EXPECT_EQ(codelookup(app, "fuel", fuel), 1);
    EXPECT_EQ(app.ws.idfuel(2).name.trimmed(), "");  // no second row taken
    app.ws.emfactor(1, 1).name = " SDA";
    std::string so2 = "SDA";
    EXPECT_EQ(codelookup(app, "so2", so2), 1);
    // A quoted boiler identifier with blanks inside its quotes finds its unit.
    app.ws.idplant(2).unitno[1] = 7;
    app.ws.unitc(7).unitname = " st2 ";
    app.lookupplant = 2;
    std::string id = "\" ST2 \"";
    EXPECT_EQ(codelookup(app, "boiler_ID", id), 1);
    EXPECT_EQ(id, " ST2 ");  // the name itself is only cleaned
}

TEST(Splitline, RemovesTheDoubleQuotesASpreadsheetPutsAroundAWholeField) {
    CTXT f;
    splitline("\"Ohio Power\"\t\"DRY \"\"BOTTOM\"\", WALL\"\t\"\"\t\"\t\"a\"b\"\tx\"", f);
    EXPECT_EQ(f[1], "Ohio Power");
    EXPECT_EQ(f[2], "DRY \"BOTTOM\", WALL");
    EXPECT_EQ(f[3], "");
    EXPECT_EQ(f[4], "\"");      // a lone quote is no pair
    EXPECT_EQ(f[5], "a\"b");   // a single quote inside a quoted field stays
    EXPECT_EQ(f[6], "x\"");    // a quote at one end only stays
}

TEST_F(CodeLookup, ANameWithADoubleQuoteIsStoredWithAnApostropheAndTold) {
    std::string name = "DRY \"BOTTOM\", WALL";
    EXPECT_EQ(codelookup(app, "boilers", name), 1);
    EXPECT_EQ(app.ws.boilernames(1), "DRY 'BOTTOM', WALL");
    std::string again = "dry \"bottom\", wall";
    EXPECT_EQ(codelookup(app, "boilers", again), 1);  // the same name finds its row
    auto log = warnings();
    ASSERT_EQ(log.size(), 1u);  // told once, when stored
    EXPECT_EQ(log[0], "the name DRY \"BOTTOM\", WALL holds a double quote, which boiler.dat cannot keep; it is "
                      "stored as DRY 'BOTTOM', WALL\r");
    // The list file reads back as the same names.
    std::vector<std::string> names{app.ws.boilernames(1), "PC"};
    EXPECT_EQ(namelistitems(namelisttext(names)), names);
}

TEST_F(CodeLookup, ListNamesAreStoredAndComparedWithoutBlanksAtEitherEnd) {
    std::string quoted = "\" esp cold side \"";
    EXPECT_EQ(codelookup(app, "pms", quoted), 1);
    EXPECT_EQ(app.ws.pmnames(1), "ESP COLD SIDE");
    std::string plain = "ESP COLD SIDE";
    EXPECT_EQ(codelookup(app, "pms", plain), 1);
    // A row loaded from an older list with blanks around its name matches too.
    app.ws.scrubnames(1) = " WET LIME ";
    std::string wet = "wet lime";
    EXPECT_EQ(codelookup(app, "scrubs", wet), 1);
    EXPECT_EQ(app.ws.scrubnames(2), "");
}

TEST_F(CodeLookup, ANameCutAtABlankStillFindsItsRow) {
    // 24 characters, a blank at the 25th (or 35th), then more: the cut leaves a blank at the end.
    const std::string type = "ABCDEFGHIJKLMNOPQRSTUVWX YZ";
    std::string first = type;
    EXPECT_EQ(codelookup(app, "so2", first), 1);
    for (int k = 0; k < 3; ++k) {
        std::string again = type;
        EXPECT_EQ(codelookup(app, "so2", again), 1);
    }
    EXPECT_EQ(app.ws.emfactor(2, 1).name.trimmed(), std::string(25, '\0'));
    const std::string fuel = std::string(34, 'F') + " BLEND";
    std::string f1 = fuel, f2 = fuel;
    EXPECT_EQ(codelookup(app, "fuel", f1), 1);
    EXPECT_EQ(codelookup(app, "fuel", f2), 1);
    EXPECT_EQ(app.ws.idfuel(2).name.trimmed(), "");
}

TEST_F(CodeLookup, ANameEndingInABlankAndAQuoteIsEnteredOnce) {
    // Cleaning removes the quote and leaves the blank before it; the row stores the name
    // without it, and every later line naming it finds that row.
    for (int k = 0; k < 40; ++k) {
        std::string fuel = "LUMP 2 \"", type = "BIT \" ", plain = "lump 2";
        EXPECT_EQ(codelookup(app, "fuel", fuel), 1) << k;
        EXPECT_EQ(codelookup(app, "fuel", plain), 1) << k;
        EXPECT_EQ(codelookup(app, "boiler", type), 1) << k;
    }
    EXPECT_EQ(app.ws.idfuel(1).name.trimmed(), "LUMP 2");
    EXPECT_EQ(app.ws.idfuel(2).name.trimmed(), "");
    EXPECT_EQ(app.ws.emfactor(2, 0).name, emfactorrec{}.name);  // never assigned
    // A plant code ending so finds its plant, in the reader's index as in the look-up.
    app.ws.idplant(1).pfcode = "1001";
    setplantcount(app.ws, 1);
    std::string code = "1001 \"", indexed = "1001 \"";
    EXPECT_EQ(codelookup(app, "pfcode", code), 1);
    EXPECT_EQ(PlantCodeIndex(app.ws).lookup(indexed), 1);
    // A quoted blank is no name: it takes no row that a later name would then share.
    std::string blank = "\" \"";
    EXPECT_EQ(codelookup(app, "fuel", blank), 0);
    std::string next = "LIGNITE";
    EXPECT_EQ(codelookup(app, "fuel", next), 2);
}

TEST(Splitline, ReadsADoubledQuoteInsideAQuotedFieldAsOneQuote) {
    // The spreadsheet convention that goes with the quotes around a field; outside such a
    // field, quotes stand as they are.
    CTXT f;
    splitline("\"\"\"\"\t\"a\"\"\"\"b\"\t\"12\"\" PIPE\"\t\"x\"\"\"\ta\"\"b\t\"open", f);
    EXPECT_EQ(f[1], "\"");         // a field of one doubled quote
    EXPECT_EQ(f[2], "a\"\"b");     // two doubled quotes, two quotes
    EXPECT_EQ(f[3], "12\" PIPE");
    EXPECT_EQ(f[4], "x\"");        // a doubled quote before the closing one
    EXPECT_EQ(f[5], "a\"\"b");     // not wrapped in quotes: kept as it is
    EXPECT_EQ(f[6], "\"open");      // a quote at the start only: kept as it is
}

TEST(ReadDate, DaysTheirMonthDoesNotHaveAreNoDates) {
    int y = 0, m = 0;
    EXPECT_FALSE(readdate("2/30/1999", y, m));
    EXPECT_FALSE(readdate("4/31/1999", y, m));
    EXPECT_FALSE(readdate("2/29/1999", y, m));
    EXPECT_FALSE(readdate("1900-02-29", y, m));
    EXPECT_FALSE(readdate("13/45/1999", y, m));
    EXPECT_TRUE(readdate("2/29/2000", y, m));
    EXPECT_EQ(m, 2);
    EXPECT_TRUE(readdate("2004-02-29", y, m));
    EXPECT_TRUE(readdate("12/31/99", y, m));
    EXPECT_EQ(y, 1999);
}

TEST_F(ImportConduct, NumbersThatDoNotFitTheirFieldAreTold) {
    std::ofstream(dir / "x.txt", std::ios::binary) << "a\n";
    auto lines = openexport(app, dir / "x.txt");
    std::string_view l;
    ASSERT_TRUE(lines->next(l));
    EXPECT_TRUE(numbersfit(app, *lines, {{"tons", "3.4e38"}, {"count", "-32768", true}}));
    EXPECT_FALSE(numbersfit(app, *lines, {{"tons", "3.5e38"}}));
    EXPECT_FALSE(numbersfit(app, *lines, {{"count", "32767.5", true}}));  // rounds to 32768
    EXPECT_FALSE(numbersfit(app, *lines, {{"value", "1", false, std::numeric_limits<double>::quiet_NaN()}}));
    EXPECT_EQ(app.importwarnings, 3);
    auto log = warnings();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[1], "line 1 of " + (dir / "x.txt").string() + " skipped: the count 32767.5 does not fit its field\r");
}
