// The selected-area emission report and its frame: the analyst chooses states, directly or by
// region, and optionally one particulate and one SO2 control for every unit; the report lists
// the mercury emission of every unit of the chosen states, fuel by fuel, with area totals.
#include <string>
#include <vector>

#include "app.h"
#include "common/numtext.h"
#include "common/textutil.h"
#include "import/importconduct.h"
#include "model/codes.h"
#include "report/numformat.h"
#include "reports/fleet.h"
#include "reports/fleetreports.h"

namespace brasket {
namespace {

const std::string reportname = "selected-area emission report";
constexpr long stateentries = 55;

// The position of the last selected entry of a device list, -1 when none is selected.
long devicechoice(const ListBox& list) {
    long choice = -1;
    for (int i = 0; i < list.ListCount(); ++i)
        if (list.Selected(i)) choice = i;
    return choice;
}

// The region number of state entry k - 1 as the report prints it (a leading blank).
std::string regiontext(const ListBox& states, long k) {
    const std::string& entry = states.List(static_cast<int>(k - 1));
    return str(val(entry.size() > 3 ? mid(entry, 7, 3) : std::string()));
}

std::string tonsline(const std::string& lead, double kg) {
    return lead + formatnumber(kg * tonsperkg, "###.##") + " tons/yr.";
}

}  // namespace

void cmdreportbyregion_Click(App& app) {
    frmplants& w = mainwindow(app);
    w.List15.Clear();
    w.List16.Clear();
    for (int i = 0; i < w.List6.ListCount(); ++i) w.List15.AddItem(w.List6.List(i));
    for (int i = 0; i < w.List7.ListCount(); ++i) w.List16.AddItem(w.List7.List(i));
    w.Frame4.Visible = true;
}

void cmdreportbystate_Click(App& app) { cmdreportbyregion_Click(app); }

void Command16_Click(App& app) {
    ListBox& regions = mainwindow(app).List13;
    for (int j = 0; j < regions.ListCount(); ++j) regions.setSelected(j, true);
}

void Command17_Click(App& app) {
    frmplants& w = mainwindow(app);
    for (int i = 0; i < w.List12.ListCount(); ++i) w.List12.setSelected(i, false);
    for (int j = 0; j < w.List13.ListCount(); ++j) w.List13.setSelected(j, false);
}

void Command18_Click(App& app) {
    frmplants& w = mainwindow(app);
    Workset& ws = app.ws;
    w.Frame4.Visible = false;
    w.Label19.Caption = "Calculating Display for Region ";
    showbusy(app, 0);
    const long pmchoice = devicechoice(w.List15);
    const long so2choice = devicechoice(w.List16);
    const std::vector<std::string> codes = statecodes(w.List12, stateentries);

    startreport(app, 3, 0);
    // Room is kept for the six closing lines.
    ReportBody body(app, 6);
    body.line("      SELECTED 1999 REGIONAL EMISSIONS OF MERCURY");
    body.line(" Based upon plant reported fuel use and mercury tests.");
    body.line("");
    Row heading(130);
    heading.at(1, tab("Unit           "))
        .at(17, tab("Plant              "))
        .at(37, tab("state"))
        .at(46, tab("region"))
        .at(53, tab("kg Hg"))
        .at(70, tab("kg Hg par"))
        .at(81, tab("kg Hg ox."))
        .at(92, tab("kg Hg ele"))
        .at(105, tab("fuel type"));
    body.line(heading.text());

    MercurySplit total;
    double burned = 0;  // dry tons
    const long n = fleetunitcount(app, reportname);
    PlantStates plantstates(codes);
    for (long u = 1; u <= n; ++u) {
        showbusy(app, 99.0 * u / n);
        const long p = reportplant(app, u, reportname);
        if (p < 0) continue;
        const unitcrec& unit = ws.unitc(u);
        const long boiler = unit.modelboiler;
        const long so2 = so2choice >= 0 ? so2choice : unit.modelso2;
        const long pm = pmchoice >= 0 ? pmchoice : unit.modelpm;
        const std::string st = trim(ws.plant(p).statecode.str());
        const long k = plantstates.unitstate(app, u, p, reportname);
        // Units of a state that is not chosen are left out.
        if (k == 0 || !w.List12.Selected(static_cast<int>(k - 1))) continue;
        const std::vector<long> fuels = plantfuels(ws, p);
        for (long f : fuels) {
            const FuelEmission e = fuelemission(app, u, f, boiler, so2, pm);
            if (!(e.burned > 0)) continue;
            Row row(130);
            row.at(1, tab(ws.idunit(u).boilerid.str()))
                .at(17, tab(ws.idplant(p).plantname.str()))
                .at(39, tab(st))
                .at(46, tab(regiontext(w.List12, k)))
                .at(54, tab(fmtnum(e.emitted)))
                .at(70, tab(fmtnum(e.part)))
                .at(81, tab(fmtnum(e.ox)))
                .at(92, tab(fmtnum(e.elem)))
                .at(103, tab(fuelname(ws, f)));
            body.line(row.text());
            burned += e.burned;
            total.add(e);
        }
        if (p > 0 && fuels.empty()) {
            Row row(65);
            row.at(1, tab(ws.idunit(u).boilerid.str()))
                .at(17, tab(ws.idplant(p).plantname.str()))
                .at(39, tab(ws.plant(p).statecode.str()))
                .at(46, tab(regiontext(w.List12, k) + "\t"));
            body.line(row.text() + " This unit did not burn coal in 1999.");
        }
    }

    body.closing("___________________________     ");
    body.closing(Row(48).at(22, "Coal Mg").at(35, "1999 Mercury").text());
    body.closing(totalsline("Region Totals", total.kg, formatnumber(burned, "#########")));
    body.closing(tonsline("  Particulate bound mercury ", total.part));
    body.closing(tonsline("  Oxidized mercury ", total.ox));
    body.closing(tonsline("  Elemental mercury ", total.elem));
    reportline(app, "#");
    app.reportcalc = 0;
    showbusy(app, -3);
    showreport(app);
}

}  // namespace brasket
