// The example export set imported end to end: the working set saved after the imports holds
// what the exports define.
#include <cstdlib>
#include <map>
#include <set>

#include "../tools/examplegen.h"
#include "common/textutil.h"
#include "data/codec.h"
#include "data/loading.h"
#include "data/saving.h"
#include "import/exportfields.h"
#include "import/imports.h"
#include "import_testkit.h"

using namespace brasket;
using brasket::testkit::ImportTest;

namespace {

class ExampleSet : public ImportTest {
protected:
    void runimports(App& a, ScriptedPlatform& p) {
        for (const char* item : {"cmdupdateplant", "cmdreadhganalysis", "cmdfuelusageexport"}) {
            p.answers.push_back((dir / "partIIExport.txt").string());
            a.main.menu(item).Click();
        }
    }
};

std::vector<std::string> lines(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<std::string> out;
    std::string l;
    while (std::getline(in, l)) {
        if (!l.empty() && l.back() == '\r') l.pop_back();
        out.push_back(l);
    }
    return out;
}

}  // namespace

TEST(ExampleGenerator, WritesTheSameSetEveryTime) {
    const brasket::testing::TempFolder folder("example");
    const std::filesystem::path& base = folder.path();
    auto a = example::makeexample(base / "a", true);
    auto b = example::makeexample(base / "b", true);
    EXPECT_EQ(a.units, b.units);
    for (const char* f : {"partIIExport.txt", "hg3Qdatashort.txt", "fuelusageexport.txt", "idfuel.dat"})
        EXPECT_EQ(lines(base / "a" / f), lines(base / "b" / f)) << f;
    auto states = lines(base / "a" / "states.prn");
    EXPECT_EQ(states.size(), 51u);
    std::set<int> regions;
    for (const auto& s : states) {
        ASSERT_EQ(s[2], ',') << s;
        regions.insert(std::stoi(s.substr(3)));
    }
    EXPECT_EQ(regions, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(a.plants, 20);
    EXPECT_EQ(a.fueluselines % 12, 0);
}

TEST_F(ExampleSet, ImportedAndSavedItHoldsThePlantsUnitsAndAnalysesItDefines) {
    const example::Summary sum = example::makeexample(dir, true);
    loadinitial(app, dir);
    runimports(app, platform);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(warnings().empty());
    app.handlers.find("cmdsaveallupdate_Click")->run(app);

    ScriptedPlatform platform2;
    App saved(platform2);
    loadinitial(saved, dir);
    const Workset& ws = saved.ws;
    EXPECT_EQ(plantcount(ws), sum.plants);
    EXPECT_EQ(unitcount(ws), sum.units);
    EXPECT_EQ(meascount(ws), sum.analyses);
    EXPECT_EQ(unitcoalcount(ws), sum.units);
    EXPECT_EQ(saved.main.List3.ListCount(), sum.plants);

    // Every unit lies in its plant at its position; every analysis has its plant and fuel.
    for (long u = 1; u <= sum.units; ++u) {
        const unitcrec& rec = ws.unitc(u);
        ASSERT_GE(rec.plantno, 1);
        EXPECT_EQ(ws.idplant(rec.plantno).unitno[rec.position], u);
        EXPECT_GT(rec.modelboiler, 0);
        EXPECT_GT(rec.modelpm, 0);
        EXPECT_GT(rec.specboiler, 0);
    }
    std::map<long, long> byquarter;
    for (long n = 1; n <= sum.analyses; ++n) {
        const measrec& m = ws.meas(n);
        EXPECT_GE(m.plantno, 1);
        EXPECT_GT(m.fuelnum, 0);
        EXPECT_EQ(m.year, 1999);
        ++byquarter[(m.month - 1) / 3];
        if (m.lowmark) {
            EXPECT_FLOAT_EQ(m.hgppm, 0.01f);
        }
    }
    for (int q = 0; q < 4; ++q) EXPECT_EQ(byquarter[q], sum.quarteranalyses[static_cast<std::size_t>(q)]);

    // Type names kept their rows: the exports named no type that the type columns lacked.
    EXPECT_EQ(trim(ws.emfactor(26, 0).name.str()), "");
    EXPECT_EQ(trim(ws.emfactor(13, 1).name.str()), "");
    EXPECT_EQ(trim(ws.emfactor(17, 2).name.str()), "");

    // Fuel names kept their codes: no export named a fuel the fuel list lacked.
    for (long k = 18; k <= 100; ++k) EXPECT_EQ(trim(ws.idfuel(k).name.str()), "") << k;

    // Every unit burned fuel in every month, dry tons below the tons reported.
    for (long u = 1; u <= sum.units; ++u)
        for (long m = 1; m <= 12; ++m) EXPECT_GT(ws.unitcoal(u, m).drytons[1], 0) << u << "/" << m;
}

TEST_F(ExampleSet, ImportingTwiceGivesTheSameTables) {
    example::makeexample(dir, true);
    loadinitial(app, dir);
    runimports(app, platform);
    ScriptedPlatform platform2;
    App twice(platform2);
    loadinitial(twice, dir);
    runimports(twice, platform2);
    runimports(twice, platform2);
    long units = unitcount(app.ws);
    EXPECT_EQ(unitcount(twice.ws), units);
    EXPECT_EQ(meascount(twice.ws), meascount(app.ws));
    for (long u = 1; u <= units; ++u) {
        EXPECT_EQ(encode(twice.ws.unitc(u)), encode(app.ws.unitc(u)));
        for (long m = 0; m <= 12; ++m) EXPECT_EQ(encode(twice.ws.unitcoal(u, m)), encode(app.ws.unitcoal(u, m)));
    }
    for (long n = 1; n <= meascount(app.ws); ++n) EXPECT_EQ(encode(twice.ws.meas(n)), encode(app.ws.meas(n)));
}

TEST_F(ExampleSet, TheHeadlessDriverImportsAndSavesTheSet) {
    const std::filesystem::path batch = std::filesystem::path(BRASKET_TOOLS_DIR) / "brasket-batch";
    if (!std::filesystem::exists(batch)) GTEST_SKIP() << "brasket-batch not built";
    const example::Summary sum = example::makeexample(dir, true);
    const std::string answer = " --answer \"" + (dir / "partIIExport.txt").string() + "\"";
    const std::string command = "\"" + batch.string() + "\" --data \"" + dir.string() + "\"" + answer + answer + answer +
                                answer +
                                " cmdupdateplant_Click cmdotherfuel_Click cmdreadhganalysis_Click"
                                " cmdfuelusageexport_Click cmdsaveallupdate_Click";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    loadinitial(app, dir);
    EXPECT_EQ(plantcount(app.ws), sum.plants);
    EXPECT_EQ(unitcount(app.ws), sum.units);
    EXPECT_EQ(meascount(app.ws), sum.analyses);
    EXPECT_EQ(unitcoalcount(app.ws), sum.units);
    EXPECT_EQ(std::filesystem::file_size(dir / "meas.dat"), static_cast<std::uintmax_t>(sum.analyses) * 32);
    EXPECT_TRUE(warnings().empty());
}
