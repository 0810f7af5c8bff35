// Each import over a fuzzed export: the first byte chooses the export, the rest is its
// content. Analyses and fuel use are read after a small unit export, so that their plant and
// unit look-ups find something.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "app.h"
#include "fuzzfolder.h"
#include "import/bininfo.h"
#include "import/compounddata.h"
#include "import/imports.h"
#include "import/testimport.h"
#include "ui/scripted_platform.h"

namespace {

// Two plants, three units, in the unit export's layout (fields 13, 14, 33, 34, 41 to 43).
std::string unitexport() {
    auto line = [](const char* plant, const char* code, const char* boiler) {
        std::string f[47];
        f[1] = "OWNER";
        f[2] = "OPERATOR";
        f[13] = plant;
        f[14] = code;
        f[33] = boiler;
        f[34] = "250";
        f[41] = "PC";
        f[43] = "ESP-CS";
        std::string s;
        for (int k = 1; k <= 46; ++k) s += (k > 1 ? "\t" : "") + f[k];
        return s + "\r\n";
    };
    return "h1\r\nh2\r\n" + line("Alpha", "1001", "1") + line("Alpha", "1001", "2") + line("Beta", "2002", "ST1");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brasket;
    auto in = fuzz::select(data, size, 15);
    const auto& dir = fuzz::scratchfolder("imports");
    fuzz::clear(dir);
    ScriptedPlatform platform;
    App app(platform);
    app.datapath = app.importpath = dir;
    for (long k = 1; k <= 100; ++k) app.ws.idfuel(k).code = static_cast<u8>(k);
    std::string reason;
    switch (in.choice) {
    case 0:
        fuzz::writebytes(dir / "partIIExport.txt", in.content);
        if (processunits(app, dir / "partIIExport.txt")) processunits2(app, dir / "partIIExport.txt");
        break;
    case 1:
        fuzz::writebytes(dir / "u.txt", unitexport());
        processunits(app, dir / "u.txt");
        fuzz::writebytes(dir / "hg1Qdatashort.txt", in.content);
        processHg(app, dir / "hg1Qdatashort.txt");
        break;
    case 2:
        fuzz::writebytes(dir / "u.txt", unitexport());
        processunits(app, dir / "u.txt");
        fuzz::writebytes(dir / "fuelusageexport.txt", in.content);
        processcoal(app, dir / "fuelusageexport.txt");
        break;
    case 3:
    case 4:
    case 5:
        fuzz::writebytes(dir / "test.txt", in.content);
        processtests(app, in.choice == 3 ? boilertestkind : in.choice == 4 ? pmtestkind : so2testkind,
                     dir / "test.txt", reason);
        break;
    case 6:
    case 7: {
        // The three bin information exports: the fuzzed one among two empty ones.
        const char* names[] = {"efsummary.txt", "translation table.txt", "translation table 2.txt"};
        for (int k = 0; k < 3; ++k)
            fuzz::writebytes(dir / names[k], k == static_cast<int>(in.content.size() % 3) ? in.content : "");
        platform.answers.push_back((dir / "any.txt").string());
        cmdloadbin_Click(app);
        break;
    }
    case 8:
        fuzz::writebytes(dir / "factors.txt", in.content);
        readbinfactorfile(app, dir / "factors.txt");
        break;
    case 9: {
        // A concentration export of one of the three data kinds (oil, gas, fuel).
        static const int kinds[] = {48, 47, 1};
        fuzz::writebytes(dir / "concentrations.txt", in.content);
        std::vector<CompoundStatistics> statistics;
        coalfileload(app, dir / "concentrations.txt", kinds[in.content.size() % 3], &statistics);
        break;
    }
    case 10:
        std::filesystem::create_directories(dir / "database2");
        fuzz::writebytes(dir / "database2" / "coal suppliers.txt", in.content);
        cmdloadsupplier_Click(app);
        break;
    case 11:
        std::filesystem::create_directories(dir / "database2");
        fuzz::writebytes(dir / "database2" / "partfactors.txt", in.content);
        loadpartitionfactors(app);
        break;
    case 12:
        fuzz::writebytes(dir / "EMISDATA.prn", in.content);
        cmdemisf_Click(app);
        break;
    case 13:
        fuzz::writebytes(dir / "compounds.prn", in.content);
        cmdcompdtype_Click(app);
        break;
    default:
        // The oil print file, over a compound file of an earlier run made of the same bytes, from
        // which the update takes its compound list.
        fuzz::writebytes(dir / "compound.dat", in.content);
        fuzz::writebytes(dir / "trace oil.PRN", in.content);
        platform.answers.push_back((dir / "trace oil.PRN").string());
        cmdupdatetraceoil_Click(app);
        break;
    }
    return 0;
}
