// The national summary by bin: each class of the bin-number table with the mercury its units
// take in and emit through the factor of the class's configuration, with national totals.
#include <string>

#include "app.h"
#include "common/numtext.h"
#include "import/importconduct.h"
#include "model/codes.h"
#include "report/numformat.h"
#include "reports/fleet.h"
#include "reports/fleetreports.h"

namespace brasket {
namespace {

const std::string reportname = "national summary by bin";

constexpr long fuelentries = 50;
constexpr long lastboiler = 25, lastpm = 17, lastso2 = 12;

}  // namespace

ReportModeScope::ReportModeScope(App& app, std::int16_t mode) : app_(app) { app_.reportmode = mode; }
ReportModeScope::~ReportModeScope() { app_.reportmode = normalreport; }

void printbins(App& app) {
    Workset& ws = app.ws;
    frmplants& w = mainwindow(app);
    w.Label19.Caption = "calculating unit type data ";
    showbusy(app, 0);
    startreport(app, 2, 2);
    w.Label9.Caption = "Preparing text for display ";
    const bool truncate = w.Check1[1].Value() == 1;

    // Room is kept for the underscore line and the two totals.
    ReportBody body(app, 3);
    for (const char* title :
         {"            Summary of National Mercury Emissions ", "                     methodology June 20, 2001",
          "  This summary presents the plants organized by type of unit and by the type",
          "  of fuel that is burned.  The first column is the bin number that represents",
          "  the type of unit and fuel.  The second column is the number of units in the data base",
          "  that are represented by that bin.  The third column is the total mercury input to these  ",
          "  units based upon coal burned and mercury analysis. The next two columns indicate codes    ",
          "  identifying the emission modification factor and the mercury emitted to the atmosphere.  The remaining ",
          "  columns indicate the identification of the emission modification factor and the characteristics of the "
          "bin.",
          " "})
        body.line(title);
    Row heading(120);
    heading.put(2, "Number").put(8, " kg Hg in").put(22, "emf").put(32, "kg Hg stack").put(45, "control");
    body.line(heading.text());

    long n = 0;
    double input = 0, emissions = 0;
    for (long a = 1; a <= fuelentries; ++a) {
        showbusy(app, 2.0 * a);
        const long f = ws.binnumbertable(a, 0, 0, 0);
        for (long b = 1; b <= lastboiler; ++b)
            for (long c = 1; c <= lastpm; ++c)
                for (long d = 1; d <= lastso2; ++d) {
                    const i16 count = ws.binnumbertable(a, b, c, d);
                    if (count <= 0) continue;
                    ++n;
                    const double value = ws.binnumbervalue(a, b, c, d);
                    const long bin = configurationbin(app, f, b, c, d, reportname);
                    if (bin < 0) continue;
                    double emf = ws.binindex(bin).efactor;
                    if (truncate && emf > 1) emf = 1;
                    Row row(140);
                    row.put(1, formatnumber(n, "###"))
                        .put(4, str(count))
                        .put(9, formatnumber(value, "########.###"))
                        .put(22, formatnumber(emf, "#.####"))
                        .put(32, formatnumber(value * emf, "########.###"))
                        .put(45, str(bin) + " " + ws.binindex(bin).Code.str())
                        .put(55, fuellabel(f))
                        .put(70, ws.emfactor(b, 0).name.str())
                        .put(85, ws.emfactor(c, 2).name.str())
                        .put(96, ws.emfactor(d, 1).name.str());
                    body.line(row.text());
                    emissions += value * emf;
                    input += value;
                }
    }

    body.closing("__________________________________________________");
    body.closing(massline("Total national mercury in coal ", input));
    body.closing(massline("Total national mercury emissions ", emissions));
    reportline(app, "#");
    reportpages(app, app.report.reportlinecount);
    app.reportcalc = 0;
    showreport(app);
}

void cmdnatsummary_Click(App& app) {
    // The busy panel is hidden and the mode put back on every way out.
    struct HideBusy {
        App& app;
        ~HideBusy() { showbusy(app, -3); }
    } hidebusy{app};
    ReportModeScope mode(app, nationalsummary);
    if (app.opt.partcorrmode == 100)
        printbins(app);
    else
        cmdactslusum_Click(app);
}

}  // namespace brasket
