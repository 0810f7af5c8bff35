// Monthly fuel use of each unit from the fuel-use export.
#include <utility>

#include "app.h"
#include "common/numtext.h"
#include "common/textutil.h"
#include "import/exportfields.h"
#include "import/importconduct.h"
#include "import/imports.h"

namespace brasket {

bool processcoal(App& app, const std::filesystem::path& path) {
    auto lines = openexport(app, path);
    if (!lines) return false;
    Workset& ws = app.ws;
    mainwindow(app).Label19.Caption = readingcaption(path);
    showbusy(app, 0);
    const PlantCodeIndex plants(ws);

    lines->skipheading(1);
    std::string_view line;
    CTXT f;
    long n = 0;
    int c = 1;
    while (lines->next(line)) {
        ++n;
        splitline(line, f);
        if (c == 10) showbusy(app, static_cast<double>(n) / 160);
        else ++c;
        auto skip = [&](const std::string& reason) { skippedline(app, *lines, reason); };
        // The plant code and the boiler identifier say whose fuel use a line is.
        if (f[2].find_first_not_of(' ') == std::string::npos || f[3].find_first_not_of(' ') == std::string::npos) {
            if (line.find_first_not_of(" \t") != std::string_view::npos)
                skip(f[2].find_first_not_of(' ') == std::string::npos ? "no plant code (field 2)"
                                                                       : "no boiler identifier (field 3)");
            continue;
        }
        if (!numbersfit(app, *lines, {{"tons", f[7]}, {"moisture", f[8]}})) continue;

        const long p = plants.lookup(f[2]);
        app.lookupplant = static_cast<int>(p);
        const long k = codelookup(app, "boiler_ID", f[3]);
        int month = 0;
        if (val(f[4]) != 0) {
            int year = 0;
            if (!readdate(f[4], year, month)) {
                skip("unreadable date " + f[4]);
                continue;
            }
        }
        const long u = ws.idplant(p).unitno[static_cast<std::size_t>(k)];
        if (!ws.unitc.inbounds(u)) {
            skip("unit number" + str(u) + " beyond the fuel-use table");
            continue;
        }
        long a = codelookup(app, "fuel", f[5]);
        long b = codelookup(app, "fuel", f[6]);
        if (a > b) std::swap(a, b);
        const i16 fuel = static_cast<i16>(100 * a + b);
        const double drytons = val(f[7]) * (100 - val(f[8])) / 100;
        if (!fitsf32(drytons)) {
            skip("the dry tons of " + trim(f[7]) + " tons at " + trim(f[8]) + " percent moisture do not fit their field");
            continue;
        }

        unitcoalrec& rec = ws.unitcoal(u, month);
        for (std::size_t s = 1; s <= 4; ++s) {
            if (rec.fuelnum[s] == fuel || rec.fuelnum[s] < 1) {
                rec.fuelnum[s] = fuel;
                rec.drytons[s] = static_cast<f32>(drytons);
                break;
            }
        }
        if (u > unitcoalcount(ws)) setunitcoalcount(ws, u);
    }
    showbusy(app, -3);
    return true;
}

void cmdfuelusageexport_Click(App& app) {
    if (!importfolderdialog(app)) return;
    beginimport(app, "processing fuel useage");
    processcoal(app, app.importpath / "fuelusageexport.txt");
    endimport(app);
}

}  // namespace brasket
