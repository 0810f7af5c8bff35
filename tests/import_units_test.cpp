#include "common/numtext.h"
#include "import/imports.h"
#include "import_testkit.h"

using namespace brasket;
using brasket::testkit::ImportTest;

namespace {

struct UnitLine {
    std::string owner = "OWNER A", operator_ = "OPERATOR A", plant = "Plant 0001", code = "1001", boiler = "1";
    std::string mw = "250", boilertype = "PC/NOX", so2 = "", pm = "ESP-CS";
    std::string flags[4] = {"", "", "", ""};
    std::string otherfuel = "", specboiler = "", specnox = "", specscrub = "", specpm = "";
};

class UnitImport : public ImportTest {
protected:
    std::string text(const UnitLine& u) {
        return line({{1, u.owner}, {2, u.operator_}, {3, "owner t3"}, {5, "owner street"}, {6, "owner city"},
                     {7, "owner zip"}, {8, "op street"}, {9, "op city"}, {10, "op county"}, {11, "OH"},
                     {12, "op zip"}, {13, u.plant}, {14, u.code}, {15, "plant street"}, {16, "plant city"},
                     {17, "plant county"}, {18, "OH"}, {19, "43001"}, {20, "mail street"}, {21, "mail city"},
                     {22, "mail county"}, {23, "OH"}, {24, "43002"}, {28, u.otherfuel}, {29, u.flags[0]},
                     {30, u.flags[1]}, {31, u.flags[2]}, {32, u.flags[3]}, {33, u.boiler}, {34, u.mw},
                     {37, u.specboiler}, {38, u.specnox}, {39, u.specscrub}, {40, u.specpm},
                     {41, u.boilertype}, {42, u.so2}, {43, u.pm}, {44, u.plant + " unit " + u.boiler},
                     {45, "40.1"}, {46, "-82.5"}});
    }
    void writeunits(const std::vector<UnitLine>& units, const std::string& name = "partIIExport.txt") {
        std::vector<std::string> lines = {"header 1", "header 2"};
        for (const auto& u : units) lines.push_back(text(u));
        writeexport(name, lines);
    }
    std::filesystem::path path() const { return dir / "partIIExport.txt"; }
};

UnitLine unit(const std::string& plant, const std::string& boiler) {
    UnitLine u;
    u.plant = plant;
    u.boiler = boiler;
    return u;
}

}  // namespace

TEST_F(UnitImport, NumbersPlantsAndUnitsInFileOrderAndFillTheirRecords) {
    UnitLine a = unit("Plant 0001", "1"), b = unit("Plant 0001", "2"), c = unit("Plant 0002", "ST1");
    c.owner = "OWNER B";
    c.code = "2002";
    c.mw = "612.5";
    c.so2 = "wet scrub";
    writeunits({a, b, c});
    ASSERT_TRUE(processunits(app, path()));
    Workset& ws = app.ws;
    EXPECT_EQ(unitcount(ws), 3);
    EXPECT_EQ(plantcount(ws), 2);
    EXPECT_EQ(ownercount(ws), 2);
    EXPECT_EQ(operatorcount(ws), 1);
    EXPECT_EQ(ws.unitc(0).unitname.str(), " 3" + std::string(23, ' '));
    EXPECT_EQ(ws.idplant(0).pfcode.trimmed(), "2");
    EXPECT_EQ(ws.idplant(1).unitno[1], 1);
    EXPECT_EQ(ws.idplant(1).unitno[2], 2);
    EXPECT_EQ(ws.idplant(2).unitno[1], 3);
    EXPECT_EQ(ws.idplant(2).pfcode.trimmed(), "2002");
    EXPECT_EQ(ws.idunit(3).plantno, 2);
    EXPECT_EQ(ws.idunit(3).boilerid.trimmed(), "ST1");
    const unitcrec& u3 = ws.unitc(3);
    EXPECT_EQ(u3.ownerno, 2);
    EXPECT_EQ(u3.operatorno, 1);
    EXPECT_EQ(u3.plantno, 2);
    EXPECT_EQ(u3.position, 1);
    EXPECT_FLOAT_EQ(u3.mw, 612.5f);
    EXPECT_EQ(u3.modelboiler, 1);
    EXPECT_EQ(u3.modelpm, 1);
    EXPECT_EQ(u3.modelso2, 1);
    EXPECT_EQ(ws.emfactor(1, 1).name.trimmed(), "WET SCRUB");
    EXPECT_EQ(u3.longname.trimmed(), "Plant 0002 unit ST1");
    EXPECT_EQ(ws.unitc(1).modelso2, 0);
    const plantrec& p2 = ws.plant(2);
    EXPECT_EQ(p2.plantno, 2);
    EXPECT_EQ(p2.plantname.trimmed(), "Plant 0002");
    EXPECT_EQ(p2.statecode.str(), "OH   ");
    EXPECT_EQ(p2.street3.trimmed(), "plant county");
    EXPECT_EQ(p2.mailstate.str(), "OH");
    EXPECT_EQ(p2.mail4.trimmed(), "43002");
    EXPECT_EQ(p2.streetspare.str(), std::string(20, ' '));
    EXPECT_EQ(p2.latitude.trimmed(), "40.1");
    EXPECT_EQ(ws.owner(2).ownername.trimmed(), "OWNER B");
    EXPECT_EQ(ws.owner(2).addr1.trimmed(), "OPERATOR A");
    EXPECT_EQ(ws.owner(2).addr5.trimmed(), "owner zip");
    EXPECT_EQ(ws.operator_(1).street1.trimmed(), "op street");
    EXPECT_EQ(ws.operator_(1).mail3.trimmed(), "op county");
    EXPECT_EQ(ws.operator_(1).mailstate.trimmed(), "OH");
    ASSERT_EQ(app.main.List3.ListCount(), 2);
    EXPECT_EQ(app.main.List3.List(1), "Plant 0002");
}

TEST_F(UnitImport, RepeatedLinesOfOneUnitCountOnce) {
    UnitLine a = unit("Plant 0001", "1"), quoted = unit("\"Plant 0001\"", " \"1\" "), lower = unit("Plant 0001", "st2"),
             upper = unit("Plant 0001", "ST2"), next = unit("Plant 0002", "1");
    writeunits({a, a, quoted, lower, upper, next});
    ASSERT_TRUE(processunits(app, path()));
    EXPECT_EQ(unitcount(app.ws), 3);
    EXPECT_EQ(plantcount(app.ws), 2);
    EXPECT_EQ(app.ws.unitc(2).unitname.trimmed(), "ST2");
    EXPECT_EQ(app.ws.unitc(3).plantno, 2);
    EXPECT_EQ(app.main.List3.ListCount(), 2);
}

TEST_F(UnitImport, ARepeatedUnitLineWithAnotherOwnerNumbersNoOwner) {
    UnitLine a = unit("Plant 0001", "1"), repeat = a, b = unit("Plant 0001", "2");
    repeat.owner = "OWNER SHARE";
    repeat.operator_ = "OPERATOR SHARE";
    writeunits({a, repeat, b});
    ASSERT_TRUE(processunits(app, path()));
    EXPECT_EQ(ownercount(app.ws), 1);
    EXPECT_EQ(operatorcount(app.ws), 1);
    EXPECT_EQ(app.ws.unitc(2).ownerno, 1);
    EXPECT_EQ(app.ws.owner(1).ownername.trimmed(), "OWNER A");
}

TEST_F(UnitImport, FuelFlagsAreSetByALowerCaseXOnly) {
    UnitLine a = unit("Plant 0001", "1");
    a.flags[1] = "x";
    a.flags[2] = "X";
    writeunits({a});
    ASSERT_TRUE(processunits(app, path()));
    EXPECT_EQ(app.ws.unitc(1).fuelflag, (std::array<u8, 4>{0, 1, 0, 0}));
}

TEST_F(UnitImport, TheSo2ColumnEndsWithSdaespAndSorbesp) {
    app.ws.emfactor(1, 1).name = "WET SCRUB";
    app.ws.emfactor(2, 1).name = "SORBESP";
    writeunits({unit("Plant 0001", "1")});
    ASSERT_TRUE(processunits(app, path()));
    EXPECT_EQ(app.ws.emfactor(2, 1).name.trimmed(), "SORBESP");
    EXPECT_EQ(app.ws.emfactor(3, 1).name.trimmed(), "SDAESP");
    EXPECT_EQ(app.ws.emfactor(4, 1).name.trimmed(), std::string(25, '\0'));
}

TEST_F(UnitImport, SecondReaderStoresTheNameListCodesOfTheSameUnits) {
    UnitLine a = unit("Plant 0001", "1"), b = unit("Plant 0001", "2"), c = unit("Plant 0002", "1");
    a.otherfuel = "\"natural gas\"";
    b.specboiler = "dry bottom wall";
    b.specnox = "low nox burner";
    b.specscrub = "wet limestone";
    b.specpm = "esp cold side";
    c.specboiler = "dry bottom wall";
    writeunits({a, a, b, c});
    ASSERT_TRUE(processunits(app, path()));
    ASSERT_TRUE(processunits2(app, path()));
    const Workset& ws = app.ws;
    EXPECT_EQ(ws.unitc(1).otherfuel, 1);
    EXPECT_EQ(ws.idfuel(1).name.trimmed(), "NATURAL GAS");
    EXPECT_EQ(ws.unitc(2).specboiler, 1);
    EXPECT_EQ(ws.unitc(2).specnox, 1);
    EXPECT_EQ(ws.unitc(2).specscrub, 1);
    EXPECT_EQ(ws.unitc(2).specpm, 1);
    EXPECT_EQ(ws.unitc(3).specboiler, 1);
    EXPECT_EQ(ws.unitc(3).specnox, 0);
    EXPECT_EQ(ws.boilernames(1), "DRY BOTTOM WALL");
    EXPECT_TRUE(warnings().empty());
}

TEST_F(UnitImport, SecondReaderAloneOnAnErasedSetWarnsForEveryUnitAndStillStoresCodes) {
    writeunits({unit("Plant 0001", "1"), unit("Plant 0002", "1")});
    UnitLine b = unit("Plant 0002", "1");
    ASSERT_TRUE(processunits2(app, path()));
    EXPECT_EQ(warnings(), (std::vector<std::string>{" The plant identification is trash for line  1\r",
                                                    " The plant identification is trash for line  2\r"}));
    EXPECT_EQ(unitcount(app.ws), 0);  // the second reader writes no counts
}

TEST_F(UnitImport, ANoxCodeBeyond255LeavesTheFieldWithAWarning) {
    for (long i = 1; i <= 255; ++i) app.ws.noxnames(i) = "NOX " + std::to_string(i);
    app.ws.unitc(1).specnox = 7;
    UnitLine a = unit("Plant 0001", "1");
    a.specnox = "new burner";
    writeunits({a});
    ASSERT_TRUE(processunits(app, path()));
    ASSERT_TRUE(processunits2(app, path()));
    EXPECT_EQ(app.ws.noxnames(256), "NEW BURNER");
    EXPECT_EQ(app.ws.unitc(1).specnox, 7);
    ASSERT_EQ(warnings().size(), 1u);
    EXPECT_NE(warnings()[0].find("256"), std::string::npos);
}

TEST_F(UnitImport, UnitsPastThirtyFivePositionsAreSkippedAndBothReadersNumberAlike) {
    std::vector<UnitLine> lines;
    for (int i = 1; i <= 37; ++i) {
        UnitLine u = unit("Plant 0001", std::to_string(i));
        u.specboiler = "BOILER " + std::to_string(i);
        lines.push_back(u);
    }
    UnitLine last = unit("Plant 0002", "A");
    last.specboiler = "LAST BOILER";
    lines.push_back(last);
    writeunits(lines);
    ASSERT_TRUE(processunits(app, path()));
    ASSERT_TRUE(processunits2(app, path()));
    EXPECT_EQ(unitcount(app.ws), 36);
    EXPECT_EQ(app.ws.idplant(1).unitno[35], 35);
    EXPECT_EQ(app.ws.idplant(2).unitno[1], 36);
    EXPECT_EQ(app.ws.unitc(36).unitname.trimmed(), "A");
    EXPECT_EQ(app.ws.unitc(36).specboiler, 36);  // the second reader's unit 36 is the same unit
    EXPECT_EQ(app.ws.boilernames(36), "LAST BOILER");
    auto w = warnings();
    ASSERT_EQ(w.size(), 4u);  // lines 38 and 39, once by each reader
    EXPECT_NE(w[0].find("line 38 "), std::string::npos);
    EXPECT_NE(w[0].find("more than 35 units in plant Plant 0001"), std::string::npos);
}

TEST_F(UnitImport, ManyUnitsGetTheSameNumbersFromBothReaders) {
    std::vector<UnitLine> lines;
    for (int p = 1; p <= 40; ++p)
        for (int k = 1; k <= 1 + p % 4; ++k) {
            UnitLine u = unit("Plant " + std::to_string(p), std::to_string(k));
            u.owner = "OWNER " + std::to_string(p / 3);
            u.specpm = "PM FOR " + std::to_string(p) + "/" + std::to_string(k);
            lines.push_back(u);
            if (k == 2) lines.push_back(u);  // a unit with two generator lines
        }
    writeunits(lines);
    ASSERT_TRUE(processunits(app, path()));
    ASSERT_TRUE(processunits2(app, path()));
    long units = unitcount(app.ws);
    ASSERT_EQ(units, 100);
    for (long u = 1; u <= units; ++u) {
        const unitcrec& rec = app.ws.unitc(u);
        std::string expected = "PM FOR " + app.ws.plant(rec.plantno).plantname.trimmed().substr(6) + "/" +
                               rec.unitname.trimmed();
        EXPECT_EQ(app.ws.pmnames(rec.specpm), expected) << "unit " << u;
    }
}

TEST_F(UnitImport, ATypeNameEndingInABlankAndAQuoteGivesEveryUnitOfItOneCode) {
    std::vector<UnitLine> lines;
    for (int k = 1; k <= 40; ++k) {  // more units than the 30 type rows
        UnitLine u = unit(k <= 20 ? "Plant 0001" : "Plant 0002", std::to_string(k));
        u.code = k <= 20 ? "1001" : "1002";
        u.boilertype = "BIT \" ";
        u.pm = "ESP-CS";
        lines.push_back(u);
    }
    writeunits(lines);
    ASSERT_TRUE(processunits(app, path()));
    ASSERT_EQ(unitcount(app.ws), 40);
    for (long u = 1; u <= 40; ++u) EXPECT_EQ(app.ws.unitc(u).modelboiler, 1) << "unit " << u;
    EXPECT_EQ(app.ws.emfactor(1, 0).name.trimmed(), "BIT");
    EXPECT_EQ(app.ws.emfactor(2, 0).name, emfactorrec{}.name);
    EXPECT_TRUE(warnings().empty());
}

TEST_F(UnitImport, AMissingExportIsToldAndChangesNothing) {
    app.main.List3.AddItem("Old plant");
    setunitcount(app.ws, 5);
    EXPECT_FALSE(processunits(app, path()));
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(unitcount(app.ws), 5);
    EXPECT_EQ(app.main.List3.ListCount(), 1);
}

TEST_F(UnitImport, MenuItemsReadTheExportOfTheChosenFolderWithoutRegardToCase) {
    writeunits({unit("Plant 0001", "1")}, "PARTIIEXPORT.TXT");
    platform.answers.push_back("*");
    app.main.menu("cmdupdateplant").Click();
    EXPECT_EQ(unitcount(app.ws), 0);
    EXPECT_EQ(platform.pumps, 0);

    platform.answers.push_back((dir / "any.txt").string());
    app.main.menu("cmdupdateplant").Click();
    EXPECT_EQ(unitcount(app.ws), 1);
    EXPECT_EQ(platform.pumps, 1);
    EXPECT_EQ(app.main.Label11.Caption(), "no lines skipped or changed");
    EXPECT_TRUE(app.main.Label11.Visible());
    EXPECT_FALSE(app.main.Label19.Visible());
    EXPECT_EQ(app.main.MousePointer(), 0);
    EXPECT_EQ(app.main.menu("cmdupdateplant").Caption(), "update plant information from data file");

    platform.answers.push_back((dir / "any.txt").string());
    app.main.menu("cmdotherfuel").Click();
    EXPECT_EQ(app.main.Label11.Caption(), "no lines skipped or changed");
    EXPECT_EQ(platform.pumps, 2);
}

TEST_F(UnitImport, APlantPastFiveHundredIsSkippedAndTheCountsStayWithinTheTables) {
    std::vector<UnitLine> lines;
    for (int p = 1; p <= 502; ++p) {
        UnitLine u = unit("Plant " + std::to_string(p), "1");
        u.owner = "OWNER " + std::to_string(p);
        u.operator_ = "OPERATOR " + std::to_string(p);
        lines.push_back(u);
    }
    writeunits(lines);
    ASSERT_TRUE(processunits(app, path()));
    ASSERT_TRUE(processunits2(app, path()));
    EXPECT_EQ(plantcount(app.ws), 500);
    EXPECT_EQ(unitcount(app.ws), 500);
    EXPECT_EQ(ownercount(app.ws), 500);
    EXPECT_EQ(operatorcount(app.ws), 500);
    EXPECT_EQ(app.main.List3.ListCount(), 500);
    EXPECT_EQ(app.ws.plant(500).plantname.trimmed(), "Plant 500");
    auto w = warnings();
    ASSERT_EQ(w.size(), 4u);  // lines 503 and 504, once by each reader
    EXPECT_NE(w[0].find("line 503 "), std::string::npos);
    EXPECT_NE(w[0].find("more than 500 plants"), std::string::npos);
}

TEST_F(UnitImport, ABlankLineDescribesNoUnitInEitherReader) {
    std::vector<std::string> lines = {"header 1", "header 2", text(unit("Plant 0001", "1")), "\t\t  \t",
                                      text(unit("Plant 0002", "1")), ""};
    writeexport("partIIExport.txt", lines);
    ASSERT_TRUE(processunits(app, path()));
    EXPECT_EQ(unitcount(app.ws), 2);
    EXPECT_EQ(plantcount(app.ws), 2);
    EXPECT_EQ(app.ws.unitc(2).plantno, 2);
    ASSERT_TRUE(processunits2(app, path()));
    EXPECT_EQ(app.ws.unitc(2).plantno, 2);
    auto w = warnings();
    ASSERT_FALSE(w.empty());
    EXPECT_NE(w[0].find("skipped: an empty line"), std::string::npos);
}

TEST_F(UnitImport, LinesWithoutPlantNameOrBoilerIdentifierMakeNoPlantUnitOrTypeName) {
    UnitLine good = unit("Plant 0001", "1");
    UnitLine noboiler = unit("Plant 0002", "  ");
    UnitLine noplant = unit("", "7");
    std::vector<std::string> lines = {"header 1", "header 2", "just some words of a note",
                                      std::string("\x01\x02\x00\xff binary", 12) + "\tPlant X\t",
                                      std::string(45, '\t'), text(noboiler), text(noplant), text(good)};
    writeexport("partIIExport.txt", lines);
    ASSERT_TRUE(processunits(app, path()));
    ASSERT_TRUE(processunits2(app, path()));
    EXPECT_EQ(unitcount(app.ws), 1);
    EXPECT_EQ(plantcount(app.ws), 1);
    EXPECT_EQ(app.ws.idplant(1).plantname.trimmed(), "Plant 0001");
    EXPECT_EQ(app.ws.emfactor(2, 0).name.trimmed(), std::string(25, '\0'));  // only the good line's type
    auto log = warnings();
    // Each reader tells each line: the text, the NUL line, the tabs, no boiler, no plant.
    ASSERT_EQ(log.size(), 10u);
    EXPECT_EQ(log[0], "line 3 of " + path().string() + " skipped: no plant name (field 13)\r");
    EXPECT_EQ(log[1], "line 4 of " + path().string() + " skipped: it holds NUL bytes\r");
    EXPECT_EQ(log[2], "line 5 of " + path().string() + " skipped: an empty line\r");
    EXPECT_EQ(log[3], "line 6 of " + path().string() + " skipped: no boiler identifier (field 33)\r");
    EXPECT_EQ(log[4], "line 7 of " + path().string() + " skipped: no plant name (field 13)\r");
}

TEST_F(UnitImport, NeighbouringPlantsOfOneNameAreTwoPlantsWhenTheirCodesDiffer) {
    UnitLine a = unit("Columbia", "1"), b = unit("Columbia", "2"), c = unit("Columbia", "1");
    c.code = "8023";
    writeunits({a, b, c});
    ASSERT_TRUE(processunits(app, path()));
    Workset& ws = app.ws;
    EXPECT_EQ(plantcount(ws), 2);
    EXPECT_EQ(unitcount(ws), 3);
    EXPECT_EQ(ws.idplant(1).pfcode.trimmed(), "1001");
    EXPECT_EQ(ws.idplant(2).pfcode.trimmed(), "8023");
    EXPECT_EQ(ws.idplant(1).unitno[2], 2);
    EXPECT_EQ(ws.idplant(2).unitno[1], 3);
    EXPECT_EQ(ws.unitc(3).plantno, 2);
    EXPECT_EQ(app.main.List3.ListCount(), 2);
}

TEST_F(UnitImport, SpreadsheetQuotesAreRemovedFromEveryTextField) {
    UnitLine u = unit("\"Plant 0001\"", "\" 1 \"");
    u.owner = "\"OWNER, INC\"";
    u.operator_ = "\"OPERATOR A\"";
    u.code = "\"1001\"";
    writeunits({u});
    ASSERT_TRUE(processunits(app, path()));
    Workset& ws = app.ws;
    EXPECT_EQ(ws.owner(1).ownername.trimmed(), "OWNER, INC");
    EXPECT_EQ(ws.operator_(1).operatorname.trimmed(), "OPERATOR A");
    EXPECT_EQ(ws.idplant(1).pfcode.trimmed(), "1001");
    EXPECT_EQ(ws.idunit(1).boilerid.trimmed(), " 1");  // the blanks inside the quotes stay
    EXPECT_EQ(ws.plant(1).plantname.trimmed(), "Plant 0001");
    // The test builds the long name of quoted parts; quotes not around the whole field stay.
    EXPECT_EQ(ws.unitc(1).longname.trimmed(), "Plant 0001\" unit \" 1");
}

TEST_F(UnitImport, ACapacityBeyondAFloatIsNeverStoredAndTheLineIsTold) {
    UnitLine big = unit("Plant 0001", "1"), next = unit("Plant 0001", "2");
    big.mw = "1e39";
    writeunits({big, next});
    ASSERT_TRUE(processunits(app, path()));
    EXPECT_EQ(unitcount(app.ws), 1);
    EXPECT_FLOAT_EQ(app.ws.unitc(1).mw, 250);
    ASSERT_EQ(warnings().size(), 1u);
    EXPECT_EQ(warnings()[0], "line 3 of " + path().string() + " skipped: the capacity 1e39 does not fit its field\r");
}

TEST_F(UnitImport, LinesEndedByALoneCarriageReturnAreReadAndWarningsNameTheFileAsOnDisk) {
    UnitLine a = unit("Plant 0001", "1"), b = unit("Plant 0002", "1");
    b.code = "2002";
    std::ofstream(dir / "PARTIIEXPORT.TXT", std::ios::binary) << "h1\rh2\r" << text(a) << "\r\r" << text(b) << "\r";
    ASSERT_TRUE(processunits(app, dir / "partIIexport.txt"));
    EXPECT_EQ(unitcount(app.ws), 2);
    EXPECT_EQ(plantcount(app.ws), 2);
    ASSERT_EQ(warnings().size(), 1u);  // the empty line between them
    EXPECT_EQ(warnings()[0], "line 4 of " + (dir / "PARTIIEXPORT.TXT").string() + " skipped: an empty line\r");
}
