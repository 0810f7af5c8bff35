// Every reader of an export over heading lines that hold a NUL byte: a damaged heading line is
// still passed over as the heading, and every data line after it is read as from the sound file.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app.h"
#include "data/filebytes.h"
#include "data/saving.h"
#include "exampleset.h"
#include "import/bininfo.h"
#include "import/compounddata.h"
#include "import/imports.h"
#include "import/testimport.h"
#include "ui/scripted_platform.h"
#include "workset_files.h"

namespace brasket::testing {
namespace {

// The bytes with a NUL byte at the end of each of their first `headings` lines.
std::string nulinheadings(const std::string& bytes, int headings) {
    std::string out = bytes;
    std::size_t pos = 0;
    for (int i = 0; i < headings; ++i) {
        std::size_t end = out.find('\n', pos);
        if (end == std::string::npos) break;
        std::size_t at = end > pos && out[end - 1] == '\r' ? end - 1 : end;
        out.insert(at, 1, '\0');
        pos = end + 2;
    }
    return out;
}

// One reader: the export it reads, its heading lines, and how it is run over a data folder
// that holds the example set's exports.
struct Reader {
    const char* exportfile;
    int headings;
    std::function<void(App&, ScriptedPlatform&, const fs::path&)> run;
};

void units(App& app, const fs::path& dir) {
    ASSERT_TRUE(processunits(app, dir / "partIIExport.txt"));
    ASSERT_TRUE(processunits2(app, dir / "partIIExport.txt"));
}

// What the readers leave: the working set as a save would write it, the compound list, the
// concentration ranges and the files the compound imports write themselves.
std::string outcome(const App& app, const fs::path& dir) {
    std::string all;
    for (const FileImage& f : worksetimages(app)) all += f.name + ":" + f.bytes + "\n";
    const ListBox& list = app.main.List1;
    for (int i = 0; i < list.ListCount(); ++i) all += list.List(i) + "\n";
    for (long i = 0; i <= 300; ++i)
        for (long c = 0; c <= 5; ++c) all += std::to_string(app.concranges(i, c)) + " ";
    for (const char* f : {"emisf.dat", "compound.dat", "partfactors1.dat", "partfactors2.dat"})
        all += std::string(f) + ":" + readfile(dir / f) + "\n";
    return all;
}

TEST(HeadingLines, ANulByteInAHeadingLineLosesNoDataLineOfAnyExport) {
    const auto folderdialog = [](ScriptedPlatform& p, const fs::path& dir) {
        p.answers.push_back((dir / "any.txt").string());
    };
    const std::vector<Reader> readers{
        {"partIIExport.txt", 2, [](App& a, ScriptedPlatform&, const fs::path& d) { units(a, d); }},
        {"hg1Qdatashort.txt", 1,
         [](App& a, ScriptedPlatform&, const fs::path& d) {
             units(a, d);
             processHg(a, d / "hg1Qdatashort.txt");
         }},
        {"fuelusageexport.txt", 1,
         [](App& a, ScriptedPlatform&, const fs::path& d) {
             units(a, d);
             processcoal(a, d / "fuelusageexport.txt");
         }},
        {"efsummary.txt", 2, [&](App& a, ScriptedPlatform& p, const fs::path& d) {
             folderdialog(p, d);
             cmdloadbin_Click(a);
         }},
        {"translation table.txt", 1, [&](App& a, ScriptedPlatform& p, const fs::path& d) {
             folderdialog(p, d);
             cmdloadbin_Click(a);
         }},
        {"translation table 2.txt", 2, [&](App& a, ScriptedPlatform& p, const fs::path& d) {
             folderdialog(p, d);
             cmdloadbin_Click(a);
         }},
        {"dornvelt factors.txt", 2,
         [](App& a, ScriptedPlatform&, const fs::path& d) { readbinfactorfile(a, d / "dornvelt factors.txt"); }},
        {"boilertest.txt", 2,
         [](App& a, ScriptedPlatform&, const fs::path& d) {
             std::string reason;
             EXPECT_TRUE(processtests(a, boilertestkind, d / "boilertest.txt", reason)) << reason;
         }},
        {"database2/coal suppliers.txt", 1, [](App& a, ScriptedPlatform&, const fs::path&) { cmdloadsupplier_Click(a); }},
        {"database2/partfactors.txt", 2, [](App& a, ScriptedPlatform&, const fs::path&) { loadpartitionfactors(a); }},
        {"EMISDATA.prn", 1, [](App& a, ScriptedPlatform&, const fs::path&) { cmdemisf_Click(a); }},
        {"trace oil.PRN", 1, [](App& a, ScriptedPlatform& p, const fs::path& d) {
             p.answers.push_back((d / "trace oil.PRN").string());
             cmdupdatetraceoil_Click(a);
         }},
        {"combustion concentrations.prn", 1, [](App& a, ScriptedPlatform&, const fs::path& d) {
             coalfileload(a, d / "combustion concentrations.prn", 50);
         }},
    };
    const fs::path example = exampleworkingset();
    for (const Reader& r : readers) {
        std::vector<std::string> outcomes;
        std::vector<long> warnings;
        for (bool damaged : {false, true}) {
            TempFolder dir;
            fs::create_directories(dir / "database2");
            for (const auto& e : fs::recursive_directory_iterator(example)) {
                const auto name = e.path().lexically_relative(example);
                const auto ext = e.path().extension().string();
                if (e.is_regular_file() && (ext == ".txt" || ext == ".prn" || ext == ".PRN"))
                    fs::copy_file(e.path(), dir.path() / name);
            }
            if (damaged) writefile(dir / r.exportfile, nulinheadings(readfile(dir / r.exportfile), r.headings));
            ScriptedPlatform platform;
            App app(platform);
            app.datapath = app.importpath = dir.path();
            for (long k = 1; k <= 100; ++k) app.ws.idfuel(k).code = static_cast<u8>(k);
            r.run(app, platform, dir.path());
            outcomes.push_back(outcome(app, dir.path()));
            warnings.push_back(app.importwarnings);
        }
        EXPECT_TRUE(outcomes[0] == outcomes[1]) << r.exportfile;
        EXPECT_EQ(warnings[0], warnings[1]) << r.exportfile;
    }
}

}  // namespace
}  // namespace brasket::testing
