// The state emission report: every unit's mercury emission over the twelve months of its fuel
// use, summed by the state of its plant and split into particulate, oxidized and elemental
// mercury by the fractions of its bin, one line per state of the state list.
#include <array>
#include <string>
#include <vector>

#include "app.h"
#include "import/importconduct.h"
#include "report/numformat.h"
#include "reports/fleet.h"
#include "reports/fleetreports.h"

namespace brasket {
namespace {

const std::string reportname = "state emission report";
constexpr long statelines = 54;

}  // namespace

StateEmissions stateemissions(App& app, const std::vector<std::string>& codes) {
    StateEmissions sums;
    sums.states.resize(codes.size() + 1);
    const long n = fleetunitcount(app, reportname);
    PlantStates plantstates(codes);
    for (long u = 1; u <= n; ++u) {
        showbusy(app, 99.0 * u / n);
        const long p = reportplant(app, u, reportname);
        if (p < 0) continue;
        const unitcrec& unit = app.ws.unitc(u);
        const long k = plantstates.unitstate(app, u, p, reportname);
        for (long f : plantfuels(app.ws, p)) {
            const FuelEmission e = fuelemission(app, u, f, unit.modelboiler, unit.modelso2, unit.modelpm);
            if (k > 0) sums.states[static_cast<std::size_t>(k)].add(e);
            sums.nation.add(e);
        }
    }
    return sums;
}

void cmdstatelist_Click(App& app) {
    frmplants& w = mainwindow(app);
    w.Frame4.Visible = false;
    showbusy(app, 0);
    const std::vector<std::string> codes = statecodes(w.List12, statelines);

    startlisting(app);
    // Room is kept for the four closing lines.
    ReportBody body(app, 4);
    body.line("  EMISSIONS OF MERCURY BY STATE");
    body.line(" Based upon plant reported fuel use and mercury tests.");
    body.line("");
    Row heading(85);
    heading.at(1, tab("STATE "))
        .at(10, tab("TONS MERCURY 1999"))
        .at(28, tab("particlate"))
        .at(42, tab("ionized"))
        .at(56, tab("elemental"));
    body.line(heading.text());

    const StateEmissions sums = stateemissions(app, codes);
    const MercurySplit& nation = sums.nation;

    for (long k = 1; k <= statelines; ++k) {
        const MercurySplit& s = sums.states[static_cast<std::size_t>(k)];
        Row row(85);
        row.at(3, tab(codes[static_cast<std::size_t>(k - 1)]))
            .at(11, tab(fmtnum(s.kg * tonsperkg)))
            .at(25, tab(fmtnum(s.part * tonsperkg)))
            .at(40, tab(fmtnum(s.ox * tonsperkg)))
            .at(55, tab(fmtnum(s.elem * tonsperkg)));
        body.line(row.text());
    }

    body.closing("___________________________     ");
    Row speciated(114);
    speciated.at(1, "Tons speciated")
        .at(25, tab(fmtnum(nation.part * tonsperkg)))
        .at(40, tab(fmtnum(nation.ox * tonsperkg)))
        .at(55, tab(fmtnum(nation.elem * tonsperkg)));
    body.closing(speciated.text());
    body.closing(Row(48).at(35, "1999 Mercury").text());
    body.closing(totalsline("National Totals", nation.kg));
    reportline(app, "#");
    app.reportcalc = 0;
    showreport(app);
    showbusy(app, -2);
}

}  // namespace brasket
