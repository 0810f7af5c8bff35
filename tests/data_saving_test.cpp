#include <gtest/gtest.h>

#include "app.h"
#include "data/loading.h"
#include "data/saving.h"
#include "ui/scripted_platform.h"
#include "workset_files.h"

namespace brasket {
namespace {

using namespace brasket::testing;

struct Loaded {
    explicit Loaded(const fs::path& dir) { loadinitial(app, dir); }
    ScriptedPlatform platform;
    App app{platform};
};

TEST(SavingTheSet, ALoadedSetSavedAtOnceIsWrittenBackByteForByte) {
    TempFolder dir;
    writeworkset(dir.path());
    auto before = folderfiles(dir.path());
    Loaded l(dir.path());
    cmdsaveallupdate_Click(l.app);
    auto after = folderfiles(dir.path());
    EXPECT_TRUE(l.platform.messages.empty());
    ASSERT_EQ(after.size(), before.size());  // no temporaries or kept files stay behind
    for (const auto& name : worksetfilenames()) {
        ASSERT_TRUE(after.count(name)) << name;
        EXPECT_TRUE(after[name] == before[name]) << name;
    }
}

TEST(SavingTheSet, WritesEveryFileFromItsTableAndCount) {
    TempFolder dir;
    writeworkset(dir.path());
    Loaded l(dir.path());
    Workset& w = l.app.ws;
    // Tables changed in memory, as the imports and factor derivations change them.
    w.unitc(7).mw = 850;
    setunitcount(w, 7);
    w.idunit(7).boilerid = "B7";
    setmeascount(w, 2);
    w.boilernames(4) = "Fluidized bed";
    setnamecount(w.boilernames, 4);
    w.binnumbertable(0, 0, 0, 1) = 0;
    w.binnumbervalue(0, 0, 0, 1) = 0;
    w.binnumbertable(1, 0, 0, 0) = 0;
    w.binnumbervalue(1, 0, 0, 0) = 0.5f;
    w.emfactorf(11, 30).hgtotal = 0.75f;
    w.emfactorfs(11, 20).hgtotal = 0.5f;
    w.binindex(300).efactor = 0.25f;
    cmdsaveallupdate_Click(l.app);

    std::string units = readfile(dir / "unit.dat");
    ASSERT_EQ(units.size(), 7 * 93u);
    EXPECT_EQ(recordat<unitcrec>(units, 7), recordbytesof(w.unitc(7)));
    std::string idunit = readfile(dir / "idunit.dat");
    ASSERT_EQ(idunit.size(), 7 * 17u);
    EXPECT_EQ(recordat<idunitrec>(idunit, 7), recordbytesof(w.idunit(7)));
    EXPECT_EQ(readfile(dir / "meas.dat").size(), 2 * 32u);
    EXPECT_EQ(readfile(dir / "boiler.dat"), "PC wall fired\r\nCyclone\r\nStoker\r\nFluidized bed\r\n");
    EXPECT_EQ(readfile(dir / "binnumber.dat"), "1,0,0,0,0,0.5\r\n2,5,7,12,0,0.25\r\n50,25,17,12,7,0\r\n");
    std::string ef = readfile(dir / "emfactorf.dat");
    ASSERT_EQ(ef.size(), 361 * 57u);
    EXPECT_EQ(recordat<emfactorrec>(ef, 361), recordbytesof(w.emfactorf(11, 30)));
    std::string efs = readfile(dir / "emfactorfs.dat");
    ASSERT_EQ(efs.size(), 241 * 57u);
    EXPECT_EQ(recordat<emfactorrec>(efs, 241), recordbytesof(w.emfactorfs(11, 20)));
    EXPECT_EQ(recordat<binindexrec>(readfile(dir / "bins.dat"), 301), recordbytesof(w.binindex(300)));
}

TEST(SavingTheSet, KeepsRecordOneOfTheFuelFactorFilesAndCutsShorterTablesAtTheirEnd) {
    TempFolder dir;
    writeworkset(dir.path());
    std::string ef = readfile(dir / "emfactorf.dat");
    std::string efs = readfile(dir / "emfactorfs.dat");
    // Files longer than their tables: an idunit.dat and an idplant.dat from a larger set, and
    // test runs and bin rows beyond the records the table keeps.
    writefile(dir / "idunit.dat", noisebytes(17 * 9, 20));
    writefile(dir / "idplant.dat", noisebytes(112 * 6, 21));
    writefile(dir / "bins.dat", noisebytes(57 * 305, 22));
    Loaded l(dir.path());
    settestcount(l.app.ws, 2);
    setplantcount(l.app.ws, 3);
    cmdsaveallupdate_Click(l.app);

    EXPECT_EQ(readfile(dir / "emfactorf.dat"), ef);
    EXPECT_EQ(readfile(dir / "emfactorfs.dat"), efs);
    EXPECT_EQ(fs::file_size(dir / "idunit.dat"), 6 * 17u);  // the unit count, whatever its length was
    EXPECT_EQ(fs::file_size(dir / "idplant.dat"), 3 * 112u);
    EXPECT_EQ(fs::file_size(dir / "plant.dat"), 3 * 873u);
    EXPECT_EQ(fs::file_size(dir / "test.dat"), 2 * 90u);
    EXPECT_EQ(fs::file_size(dir / "bins.dat"), 301 * 57u);
    // The next start reads back only what was saved.
    Loaded again(dir.path());
    EXPECT_EQ(testcount(again.app.ws), 2);
    EXPECT_EQ(again.app.main.List3.ListCount(), 3);
}

TEST(SavingTheSet, AFuelFactorFileThatWasMissingGetsAnEmptyFirstRecord) {
    TempFolder dir;
    writeworkset(dir.path());
    fs::remove(dir / "emfactorf.dat");
    Loaded l(dir.path());
    l.app.ws.emfactorf(0, 1).name = "Bituminous";
    cmdsaveallupdate_Click(l.app);
    std::string ef = readfile(dir / "emfactorf.dat");
    ASSERT_EQ(ef.size(), 361 * 57u);
    EXPECT_EQ(recordat<emfactorrec>(ef, 1), std::string(57, '\0'));
    EXPECT_EQ(recordat<emfactorrec>(ef, 2).substr(0, 25), Text<25>("Bituminous").str());
}

TEST(SavingTheSet, AnIncompleteLastUnitOfFuelUseIsWrittenOutToThirteenMonths) {
    TempFolder dir;
    writeworkset(dir.path());
    std::string fueluse = readfile(dir / "fueluse.dat") + noisebytes(62, 30);
    writefile(dir / "fueluse.dat", fueluse);
    Loaded l(dir.path());
    cmdsaveallupdate_Click(l.app);
    std::string saved = readfile(dir / "fueluse.dat");
    ASSERT_EQ(saved.size(), 39 * 62u);
    // Record 1 carries the new unit count, 3; the rest are as loaded, then twelve empty months.
    EXPECT_EQ(saved[0], 3);
    EXPECT_EQ(saved.substr(2, 27 * 62 - 2), fueluse.substr(2));
    EXPECT_EQ(saved.substr(27 * 62), std::string(12 * 62, '\0'));
}

TEST(ErasingTheSet, EraseThenSaveEmptiesTheErasedFilesAndKeepsTheOthers) {
    TempFolder dir;
    writeworkset(dir.path());
    auto before = folderfiles(dir.path());
    Loaded l(dir.path());
    cmderase_Click(l.app);
    EXPECT_TRUE(l.platform.messages.empty());
    // Counts are all 0; the lists of the main window keep their entries.
    EXPECT_EQ(unitcount(l.app.ws), 0);
    EXPECT_EQ(ownercount(l.app.ws), 0);
    EXPECT_EQ(plantcount(l.app.ws), 0);
    EXPECT_EQ(l.app.main.List3.ListCount(), 4);
    EXPECT_EQ(l.app.ws.owner(0).ownername.str(), std::string(35, ' '));
    cmdsaveallupdate_Click(l.app);
    auto after = folderfiles(dir.path());

    for (const char* name : {"unit.dat", "plant.dat", "owner.dat", "operator.dat", "meas.dat", "fueluse.dat",
                             "boiler.dat", "pm.dat", "scrub.dat", "nox.dat", "idunit.dat", "idplant.dat"})
        EXPECT_EQ(after[name], "") << name;
    for (const char* name : {"test.dat", "bins.dat", "coalsupply.dat", "emfactorfs.dat", "binnumber.dat",
                             "partfactors1.dat", "partfactors2.dat"})
        EXPECT_TRUE(after[name] == before[name]) << name;

    idfuelrec nofuel;
    nofuel.name = "";
    std::string fuels;
    for (int k = 0; k < 100; ++k) fuels += recordbytesof(nofuel);
    EXPECT_TRUE(after["idfuel.dat"] == fuels);

    emfactorrec blank;
    blank.name = "";
    std::string factors;
    for (int k = 0; k < 90; ++k) factors += recordbytesof(blank);
    EXPECT_TRUE(after["emfactor.dat"] == factors);

    // Record 1 kept; records 2..361 zero values and names of code 0.
    ASSERT_EQ(after["emfactorf.dat"].size(), 361 * 57u);
    EXPECT_EQ(after["emfactorf.dat"].substr(0, 57), before["emfactorf.dat"].substr(0, 57));
    EXPECT_EQ(after["emfactorf.dat"].substr(57), std::string(360 * 57, '\0'));
}

TEST(SavingTheSet, AFailureMidwayLeavesTheOldSetWholeAndSaysWhichFile) {
    TempFolder dir;
    writeworkset(dir.path());
    Loaded l(dir.path());
    cmderase_Click(l.app);  // so that every saved file would differ
    auto before = folderfiles(dir.path());

    // A folder squatting on the temporary name of a file in the middle of the set.
    fs::create_directory(dir / "plant.dat.new");
    cmdsaveallupdate_Click(l.app);
    ASSERT_EQ(l.platform.messages.size(), 1u);
    EXPECT_NE(l.platform.messages[0].find("plant.dat"), std::string::npos);
    EXPECT_NE(l.platform.messages[0].find("not saved"), std::string::npos);
    EXPECT_TRUE(folderfiles(dir.path()) == before);
    EXPECT_TRUE(fs::is_directory(dir / "plant.dat.new"));
    fs::remove(dir / "plant.dat.new");

    // A folder on the name that a replaced file is kept under while the set is renamed into
    // place: the files renamed before it are put back.
    fs::create_directories(dir / "test.dat.old" / "inside");
    cmdsaveallupdate_Click(l.app);
    ASSERT_EQ(l.platform.messages.size(), 2u);
    EXPECT_NE(l.platform.messages[1].find("test.dat"), std::string::npos);
    EXPECT_TRUE(folderfiles(dir.path()) == before);
    fs::remove_all(dir / "test.dat.old");

    // A folder where a file of the set should be.
    fs::remove(dir / "scrub.dat");
    fs::create_directory(dir / "scrub.dat");
    before = folderfiles(dir.path());
    cmdsaveallupdate_Click(l.app);
    ASSERT_EQ(l.platform.messages.size(), 3u);
    EXPECT_NE(l.platform.messages[2].find("scrub.dat"), std::string::npos);
    EXPECT_TRUE(folderfiles(dir.path()) == before);
    fs::remove(dir / "scrub.dat");

    // With the obstacles gone the same save goes through.
    cmdsaveallupdate_Click(l.app);
    EXPECT_EQ(l.platform.messages.size(), 3u);
    EXPECT_EQ(readfile(dir / "unit.dat"), "");
    EXPECT_EQ(readfile(dir / "scrub.dat"), "");
}

TEST(EmissionData, LoadsTheFileOfTheCurrentEmissionFactorSet) {
    TempFolder dir;
    std::string set1 = noisebytes(72 * 4, 40), set2 = noisebytes(72 * 2 + 7, 41);
    writefile(dir / "emisf.dat", set1);
    writefile(dir / "emisf2.dat", set2);
    ScriptedPlatform platform;
    App app(platform);
    app.datapath = dir.path();

    app.opt.emisset = 1;
    loademisf(app);
    EXPECT_EQ(recordbytesof(app.ws.emisf(4)), recordat<emisfrec>(set1, 4));
    EXPECT_TRUE(platform.messages.empty());

    app.ws.emisf.clear();
    app.opt.emisset = 2;
    loademisf(app);
    EXPECT_EQ(recordbytesof(app.ws.emisf(2)), recordat<emisfrec>(set2, 2));
    EXPECT_EQ(app.ws.emisf(3).number1, 0);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0], "emisf2.dat ends in an incomplete record of 7 bytes; 2 whole records were loaded and the incomplete tail was left out.");

    app.ws.emisf.clear();
    app.opt.emisset = 3;
    loademisf(app);
    EXPECT_EQ(recordbytesof(app.ws.emisf(1)), recordbytesof(emisfrec{}));
}

TEST(EmissionData, StopsAtTheBoundOfItsTable) {
    TempFolder dir;
    std::string data = noisebytes(72 * 3001, 42);
    writefile(dir / "emisf.dat", data);
    ScriptedPlatform platform;
    App app(platform);
    app.datapath = dir.path();
    loademisf(app);
    EXPECT_EQ(recordbytesof(app.ws.emisf(3000)), recordat<emisfrec>(data, 3000));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0],
              "emisf.dat holds 3001 records, more than its table holds; only the first 3000 were loaded.");
}

}  // namespace
}  // namespace brasket
