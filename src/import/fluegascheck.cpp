#include <algorithm>
#include <string>

#include "app.h"
#include "common/numtext.h"
#include "common/textutil.h"
#include "import/fuelchecks.h"
#include "report/frmdisplay.h"
#include "report/numformat.h"
#include "report/reportbuffer.h"
#include "model/testruns.h"

namespace brasket {
namespace {

constexpr long unittypes = 30;
constexpr int boilertestkind = 1;
// Flue gas mercury in grams per hour from micrograms per cubic metre: the gas rate over the
// molar volume, times the molar mass of mercury.
constexpr double molarvolume = 385.3, mercurymolarmass = 200.59;

}  // namespace

void cmdmercury_conc_Click(App& app) {
    const Workset& ws = app.ws;
    startreport(app, 0, 1);
    reportline(app, "Error form for coal mercury-gas concentration mismatch");
    reportline(app, "");
    const long n = storedtests(ws);
    double ratiosum = 0;
    long count = 0;
    for (long c = 1; c <= unittypes; ++c) {
        for (long j = 1; j <= n; ++j) {
            const testrec& t = ws.test(j);
            if (t.testkind != boilertestkind || t.typecode != c) continue;
            const float inlet = static_cast<float>(static_cast<double>(t.hgcoal) * t.burnrate / 1000.0);
            const double outlet = (static_cast<double>(t.outpart) + t.outox + t.outelem) * t.gasrate / molarvolume *
                                  mercurymolarmass / 1000000.0;
            if (inlet == 0) {
                reportline(app, t.testname.str() + "  " + t.runid.str() + " No mercury reported inlet to boiler.");
                continue;
            }
            const double ratio = outlet / inlet;
            ratiosum += ratio;
            ++count;
            std::string line(90, ' ');
            placeat(line, 2, t.testname.str());
            placeat(line, 22, t.runid.str());
            placeat(line, 30, " in: " + formatnumber(inlet, "#.###e+00"));
            placeat(line, 45, " out: " + formatnumber(outlet, "#.###e+00"));
            placeat(line, 65, " ratio=" + formatnumber(ratio, "##.###"));
            reportline(app, line);
        }
    }
    reportline(app, "_________________________________________");
    reportline(app, "Average ratio of outlet to inlet is " +
                        (count > 0 ? formatnumber(ratiosum / static_cast<double>(count), "##.####") : std::string("n/a")));
    reportline(app, "This is based upon " + str(count) + " measurements");
    reportline(app, " ");
    reportline(app, "#");
    app.reportcalc = 0;
    showreport(app);
}

}  // namespace brasket
