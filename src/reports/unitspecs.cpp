// The unit listing with plants: every unit with its plant, the dry tons it burned of each of its
// plant's fuels, the plant code and the fuel name; units whose plant lists no fuel are flagged.
#include <string>
#include <vector>

#include "app.h"
#include "model/codes.h"
#include "report/numformat.h"
#include "reports/fleet.h"
#include "reports/fleetreports.h"

namespace brasket {

namespace {
const std::string reportname = "unit specifications with plants";
}  // namespace

void cmdunitspecsplus_Click(App& app) {
    Workset& ws = app.ws;
    app.reportcalc = 0;
    startlisting(app);
    ReportBody body(app, 0);
    body.line("NATIONAL COAL FIRED POWER PLANT DATA BASE...  MERCURY");
    body.line("");
    body.line(Row(83).at(2, "Unit").at(20, "Plant").at(45, "tons coal").at(55, "pf code").at(75, "fuel type").text());

    const long n = fleetunitcount(app, reportname);
    for (long u = 1; u <= n; ++u) {
        const long p = reportplant(app, u, reportname);
        if (p < 0) continue;
        const std::string boilerid = ws.idunit(u).boilerid.str();
        const std::string plantname = ws.idplant(p).plantname.str();
        const std::vector<long> fuels = plantfuels(ws, p);
        for (long f : fuels) {
            double burned = 0;
            for (std::size_t k = 1; k <= 4; ++k)
                for (long m = 1; m <= 12; ++m) {
                    const unitcoalrec& r = ws.unitcoal(u, m);
                    if (r.fuelnum[k] == f) burned += r.drytons[k];
                }
            Row row(75);
            row.at(2, boilerid)
                .at(20, plantname)
                .at(45, formatnumber(burned, "#########"))
                .at(55, ws.idplant(p).pfcode.str());
            body.line(row.text() + fuelname(ws, f));
        }
        if (app.reportmode < 1 && p > 0 && fuels.empty())
            body.line(Row(82).at(2, boilerid).at(20, plantname).at(45, "  This unit did not burn coal in 1999.").text());
    }
    reportline(app, "#");
    app.reportcalc = 0;
    showreport(app);
}

}  // namespace brasket
