#include <gtest/gtest.h>

#include <set>

#include "app.h"
#include "data/loading.h"
#include "ui/scripted_platform.h"
#include "workset_files.h"

namespace brasket {
namespace {

using namespace brasket::testing;

// Every element that a record file fills encodes back to that record's bytes.
template <class R, class Element>
void expectrecords(const std::string& file, long count, Element element) {
    std::string bytes = readfile(file);
    ASSERT_GE(static_cast<long>(bytes.size() / recordsize<R>()), count) << file;
    for (long k = 1; k <= count; ++k)
        ASSERT_EQ(recordbytesof<R>(element(k)), recordat<R>(bytes, k)) << file << " record " << k;
}

struct Loaded {
    ScriptedPlatform platform;
    App app{platform};
};

TEST(StartupLoading, FullSetLoadsEveryRecordIntoItsElementWithItsCounts) {
    TempFolder dir;
    writeworkset(dir.path());
    Loaded l;
    loadinitial(l.app, dir.path());
    const Workset& w = l.app.ws;
    auto f = [&](const char* n) { return (dir / n).string(); };

    expectrecords<idfuelrec>(f("idfuel.dat"), 100, [&](long k) { return w.idfuel(k); });
    expectrecords<partfactors1rec>(f("partfactors1.dat"), 51, [&](long k) { return w.partfactors1(k); });
    expectrecords<coalsupplyrec>(f("coalsupply.dat"), 3, [&](long k) { return w.coalsupply(k); });
    expectrecords<partfactors2rec>(f("partfactors2.dat"), 13, [&](long k) { return w.partfactors2(k); });
    expectrecords<idplantrec>(f("idplant.dat"), 4, [&](long k) { return w.idplant(k); });
    expectrecords<idunitrec>(f("idunit.dat"), 6, [&](long k) { return w.idunit(k); });
    expectrecords<unitcrec>(f("unit.dat"), 6, [&](long k) { return w.unitc(k); });
    expectrecords<plantrec>(f("plant.dat"), 4, [&](long k) { return w.plant(k); });
    expectrecords<measrec>(f("meas.dat"), 7, [&](long k) { return w.meas(k); });
    expectrecords<ownerrec>(f("owner.dat"), 2, [&](long k) { return w.owner(k); });
    expectrecords<operatorrec>(f("operator.dat"), 3, [&](long k) { return w.operator_(k); });
    expectrecords<binindexrec>(f("bins.dat"), 301, [&](long k) { return w.binindex(k - 1); });
    expectrecords<testrec>(f("test.dat"), 5, [&](long k) { return w.test(k); });
    // Unit 1 month 0 is record 1 (its count field replaced by the count), unit 2 month 0 record 14.
    expectrecords<unitcoalrec>(f("fueluse.dat"), 26,
                               [&](long k) { return w.unitcoal((k - 1) / 13 + 1, (k - 1) % 13); });
    expectrecords<emfactorrec>(f("emfactor.dat"), 90, [&](long k) { return w.emfactor((k - 1) / 3 + 1, (k - 1) % 3); });
    // Record 1 of the two fuel tables is nobody's: (0, 1) is record 2, (11, 30) record 361.
    std::string ef = readfile(dir / "emfactorf.dat");
    EXPECT_EQ(recordbytesof(w.emfactorf(0, 1)), recordat<emfactorrec>(ef, 2));
    EXPECT_EQ(recordbytesof(w.emfactorf(11, 30)), recordat<emfactorrec>(ef, 361));
    EXPECT_EQ(recordbytesof(w.emfactorf(4, 7)), recordat<emfactorrec>(ef, 30 * 4 + 7 + 1));
    std::string efs = readfile(dir / "emfactorfs.dat");
    EXPECT_EQ(recordbytesof(w.emfactorfs(0, 1)), recordat<emfactorrec>(efs, 2));
    EXPECT_EQ(recordbytesof(w.emfactorfs(11, 20)), recordat<emfactorrec>(efs, 241));
    EXPECT_EQ(w.emfactorf(0, 0).name.str(), std::string(25, '\0'));

    EXPECT_EQ(w.binnumbertable(0, 0, 0, 1), 3);
    EXPECT_FLOAT_EQ(w.binnumbervalue(0, 0, 0, 1), 12.5f);
    EXPECT_FLOAT_EQ(w.binnumbervalue(2, 5, 7, 12), 0.25f);
    EXPECT_EQ(w.binnumbertable(50, 25, 17, 12), 7);
    EXPECT_EQ(w.binnumbertable(1, 1, 1, 1), 0);

    EXPECT_EQ(w.boilernames(1), "PC wall fired");
    EXPECT_EQ(w.boilernames(3), "Stoker");
    EXPECT_EQ(w.noxnames(4), "OFA");
    EXPECT_EQ(w.scrubnames(1), "Wet scrubber");

    // Counts, each in the form its table keeps it.
    EXPECT_EQ(w.unitc(0).unitname.str(), " 6" + std::string(23, ' '));
    EXPECT_EQ(w.owner(0).ownername.str(), " 2" + std::string(33, ' '));
    EXPECT_EQ(w.operator_(0).operatorname.str(), " 3" + std::string(23, ' '));
    EXPECT_EQ(w.plant(0).plantno, 4);
    EXPECT_EQ(w.meas(0).hgppm, 7.0f);
    EXPECT_EQ(w.test(0).inpart, 5.0f);
    EXPECT_EQ(w.coalsupply(0).ash, 3.0f);
    EXPECT_EQ(w.unitcoal(1, 0).count, 2);
    EXPECT_EQ(w.boilernames(0), "3");
    EXPECT_EQ(w.pmnames(0), "2");
    EXPECT_EQ(w.scrubnames(0), "1");
    EXPECT_EQ(w.noxnames(0), "4");
    EXPECT_EQ(unitcount(w), 6);
    EXPECT_EQ(ownercount(w), 2);
    EXPECT_EQ(operatorcount(w), 3);
    // Fuel 0 has a blank name, never code-0 characters.
    EXPECT_EQ(w.idfuel(0).name.str(), std::string(35, ' '));
    EXPECT_EQ(l.app.datapath, dir.path());
    EXPECT_EQ(l.app.importpath, dir.path());
}

TEST(StartupLoading, FillsTheMainWindowListsAndShowsIt) {
    TempFolder dir;
    writeworkset(dir.path());
    Loaded l;
    loadinitial(l.app, dir.path());
    frmplants& m = l.app.main;

    ASSERT_EQ(m.List3.ListCount(), 4);
    EXPECT_EQ(m.List3.List(0), Text<50>("Plant number 1").str());
    EXPECT_EQ(m.List3.List(3), Text<50>("Plant number 4").str());

    ASSERT_EQ(m.List4.ListCount(), 18);
    EXPECT_EQ(m.List4.List(0), Text<35>("Fuel 1").str());
    EXPECT_EQ(m.List4.List(12), Text<35>("Fuel 13").str());
    const char* blends[] = {"Subbit/Bit", "Bit/subBit", "Subbit/PetCoke", "Bit/PetCoke", "Bit/WasteBit"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(m.List4.List(13 + i), blends[i]);

    ASSERT_EQ(m.List5.ListCount(), 26);
    ASSERT_EQ(m.List6.ListCount(), 21);
    ASSERT_EQ(m.List7.ListCount(), 12);
    EXPECT_EQ(m.List5.List(0), "no spec.");
    EXPECT_EQ(m.List6.List(0), "no spec.");
    EXPECT_EQ(m.List7.List(0), "no spec.");
    // Entry k is device type k: boiler types are column 0, SO2 column 1, particulate column 2.
    EXPECT_EQ(m.List5.List(25), Text<25>("Device 25/0").str());
    EXPECT_EQ(m.List7.List(11), Text<25>("Device 11/1").str());
    EXPECT_EQ(m.List6.List(20), Text<25>("Device 20/2").str());

    EXPECT_TRUE(m.loaded);
    EXPECT_TRUE(m.Visible());
    EXPECT_FALSE(l.app.about.Visible());
    EXPECT_EQ(l.app.about.Label6.Caption(), "");
    EXPECT_EQ(l.platform.printer().font.name, "Courier New");
    EXPECT_EQ(l.platform.printer().font.size, 8);
    EXPECT_TRUE(l.platform.messages.empty());
}

TEST(StartupLoading, ShowsItsProgressCaptionsInOrderWhileLettingEventsRun) {
    TempFolder dir;
    SetSize n;
    n.analyses = 1234;
    writeworkset(dir.path(), n);
    Loaded l;
    std::vector<std::string> seen;
    std::vector<bool> aboutshown, mainshown;
    l.platform.onpump = [&] {
        seen.push_back(l.app.about.Label6.Caption());
        aboutshown.push_back(l.app.about.Visible());
        mainshown.push_back(l.app.main.Visible());
    };
    loadinitial(l.app, dir.path());
    std::vector<std::string> expected{
        "Please wait... updating working files....",
        "Please wait... updating unit data....",
        "Please wait... updating plant data....",
        "Please wait... updating Hg measurement data....",
        "Please wait... updated Hg measurement data.... 1234",
        "Please wait... updated Hg measurement data.... 1234",
    };
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(aboutshown, std::vector<bool>(6, true));
    // The main window is shown only at the end, so no menu can run during the loading.
    EXPECT_EQ(mainshown, std::vector<bool>(6, false));
}

TEST(StartupLoading, AnEmptyFolderGivesEmptyTablesAndCreatesTheRecordFiles) {
    TempFolder dir;
    Loaded l;
    loadinitial(l.app, dir.path());
    const Workset& w = l.app.ws;
    EXPECT_EQ(w.unitc(0).unitname.str(), " 0" + std::string(23, ' '));
    EXPECT_EQ(w.owner(0).ownername.str(), " 0" + std::string(33, ' '));
    EXPECT_EQ(unitcoalcount(w), 0);
    EXPECT_EQ(plantcount(w), 0);
    EXPECT_EQ(w.boilernames(0), "0");
    EXPECT_EQ(w.noxnames(0), "0");
    for (int k = 1; k <= 100; ++k) {
        EXPECT_EQ(w.idfuel(k).code, k);
        EXPECT_EQ(w.idfuel(k).name.str(), std::string(35, ' '));
    }
    EXPECT_EQ(l.app.main.List3.ListCount(), 0);
    EXPECT_EQ(l.app.main.List4.ListCount(), 18);
    EXPECT_EQ(l.app.main.List5.ListCount(), 26);
    EXPECT_TRUE(l.platform.messages.empty());
    // Record files are created empty, as opening them always did; text files are not.
    const std::set<std::string> textfiles{"binnumber.dat", "boiler.dat", "pm.dat", "scrub.dat", "nox.dat"};
    for (const auto& name : worksetfilenames()) {
        if (textfiles.count(name)) {
            EXPECT_FALSE(fs::exists(dir / name)) << name;
        } else {
            ASSERT_TRUE(fs::exists(dir / name)) << name;
            EXPECT_EQ(fs::file_size(dir / name), 0u) << name;
        }
    }
}

TEST(StartupLoading, FuelUseCountsEveryUnitOfWhichARecordWasRead) {
    for (auto [records, units] : {std::pair{26, 2}, {27, 3}, {13, 1}, {0, 0}}) {
        TempFolder dir;
        writefile(dir / "fueluse.dat", noisebytes(62u * records, 9));
        Loaded l;
        loadinitial(l.app, dir.path());
        EXPECT_EQ(unitcoalcount(l.app.ws), units) << records;
        if (records == 27) {
            EXPECT_EQ(recordbytesof(l.app.ws.unitcoal(3, 0)), recordat<unitcoalrec>(readfile(dir / "fueluse.dat"), 27));
        }
    }
}

TEST(StartupLoading, AFolderWithOrWithoutATrailingSeparatorLoadsTheSameFiles) {
    TempFolder dir;
    writeworkset(dir.path());
    Loaded a, b;
    loadinitial(a.app, dir.path());
    loadinitial(b.app, fs::path(dir.path().string() + "/"));
    EXPECT_EQ(unitcount(b.app.ws), 6);
    EXPECT_EQ(b.app.main.List3.ListCount(), 4);
    EXPECT_EQ(recordbytesof(a.app.ws.plant(2)), recordbytesof(b.app.ws.plant(2)));
}

TEST(StartupLoading, AFileLongerThanItsTableStopsAtTheBoundAndSaysSo) {
    TempFolder dir;
    std::string units = noisebytes(93u * 2001, 3);
    writefile(dir / "unit.dat", units);
    std::vector<std::string> nox;
    for (int k = 1; k <= 450; ++k) nox.push_back("nox " + std::to_string(k));
    writefile(dir / "nox.dat", crlflines(nox));
    std::vector<std::string> boilers(301, "b");
    writefile(dir / "boiler.dat", crlflines(boilers));
    Loaded l;
    loadinitial(l.app, dir.path());
    EXPECT_EQ(unitcount(l.app.ws), 2000);
    EXPECT_EQ(recordbytesof(l.app.ws.unitc(2000)), recordat<unitcrec>(units, 2000));
    EXPECT_EQ(l.app.ws.noxnames(0), "400");
    EXPECT_EQ(l.app.ws.noxnames(400), "nox 400");
    EXPECT_EQ(l.app.ws.boilernames(0), "300");
    ASSERT_EQ(l.platform.messages.size(), 3u);
    EXPECT_EQ(l.platform.messages[0],
              "unit.dat holds 2001 records, more than its table holds; only the first 2000 were loaded.");
    EXPECT_EQ(l.platform.messages[1],
              "boiler.dat holds 301 names, more than its table holds; only the first 300 were loaded.");
    EXPECT_EQ(l.platform.messages[2],
              "nox.dat holds 450 names, more than its table holds; only the first 400 were loaded.");
}

TEST(StartupLoading, AnIncompleteLastRecordIsLeftOutAndTold) {
    TempFolder dir;
    std::string meas = noisebytes(32u * 3 + 10, 4);
    writefile(dir / "meas.dat", meas);
    // A fixed-count file short of its count keeps the preset elements beyond its end.
    writefile(dir / "idfuel.dat", noisebytes(36u * 2 + 5, 5));
    Loaded l;
    loadinitial(l.app, dir.path());
    EXPECT_EQ(meascount(l.app.ws), 3);
    EXPECT_EQ(recordbytesof(l.app.ws.meas(3)), recordat<measrec>(meas, 3));
    EXPECT_EQ(l.app.ws.meas(4).plantno, 0);
    EXPECT_EQ(l.app.ws.idfuel(3).code, 3);
    EXPECT_EQ(l.app.ws.idfuel(3).name.str(), std::string(35, ' '));
    ASSERT_EQ(l.platform.messages.size(), 2u);
    EXPECT_EQ(l.platform.messages[0], "idfuel.dat ends in an incomplete record of 5 bytes; 2 whole records were loaded and the incomplete tail was left out.");
    EXPECT_EQ(l.platform.messages[1], "meas.dat ends in an incomplete record of 10 bytes; 3 whole records were loaded and the incomplete tail was left out.");
}

TEST(StartupLoading, MalformedBinNumberLinesAreSkippedAndTold) {
    TempFolder dir;
    writefile(dir / "binnumber.dat", "1,2,3,4,5,6.5\r\n1,2,x\r\n99,0,0,0,1,1\r\n3,3,3,3,2,0\r\n");
    Loaded l;
    loadinitial(l.app, dir.path());
    EXPECT_EQ(l.app.ws.binnumbertable(1, 2, 3, 4), 5);
    EXPECT_FLOAT_EQ(l.app.ws.binnumbervalue(1, 2, 3, 4), 6.5f);
    EXPECT_EQ(l.app.ws.binnumbertable(3, 3, 3, 3), 2);
    ASSERT_EQ(l.platform.messages.size(), 1u);
    EXPECT_EQ(l.platform.messages[0],
              "binnumber.dat: 2 lines were not six numbers of a cell within the table, or held a value beyond its field, "
              "and were skipped.");
}

}  // namespace
}  // namespace brasket
