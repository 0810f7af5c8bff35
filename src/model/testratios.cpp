#include "model/testratios.h"

#include <array>
#include <utility>

#include "app.h"
#include "model/testrun.h"
#include "model/testruns.h"

namespace brasket {

long firstunitbin(long bin) {
    static constexpr std::array<std::pair<long, long>, 8> pairs{
        {{10, 1}, {11, 4}, {12, 7}, {19, 13}, {20, 14}, {33, 21}, {36, 21}, {38, 24}}};
    for (const auto& [composite, first] : pairs)
        if (composite == bin) return first;
    return 0;
}

void testratios(App& app) {
    auto& table = app.model.testratiotable;
    for (long b = 0; b <= lasttestratiobin; ++b) table(b, 0) = 0;
    const Workset& ws = app.ws;
    const long count = storedtests(ws);
    for (long i = 1; i <= count; ++i) {
        const testrec& t = ws.test(i);
        const std::string name = t.testname.trimmed();
        double ratio = 0;
        long bin = 0;
        for (long j = 1; j <= lasttestrow; ++j) {
            const binindexrec& row = ws.binindex(j);
            if (row.testname.trimmed() != name) continue;
            RunFactor run = runfactor(ws, i, row.testline);
            // The last ratio computed stands, filed under the bin of the row that computed it.
            if (run.computed) {
                ratio = run.emf;
                bin = row.testcode;
            }
        }
        if (ratio > 0) filetestratio(app, bin, ratio);
    }
}

void filetestratio(App& app, long bin, double ratio) {
    if (bin < 0 || bin > lasttestratiobin) return;
    auto& table = app.model.testratiotable;
    long col = static_cast<long>(table(bin, 0)) + 1;
    if (col > maxbinruns) col = maxbinruns;
    table(bin, col) = ratio;
    table(bin, 0) = static_cast<double>(col);
}

}  // namespace brasket
