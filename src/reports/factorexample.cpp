// "example calculation of EF": how the emission modification factors of the unit chosen in
// the main window follow from the emission tests of its boiler/NOx, particulate and SO2 types.
#include "reports/factorexample.h"

#include <optional>
#include <string>

#include "app.h"
#include "common/clocktext.h"
#include "common/numtext.h"
#include "report/frmdisplay.h"
#include "report/numformat.h"
#include "report/reportbuffer.h"
#include "report/reportrow.h"
#include "reports/testdata.h"
#include "model/testruns.h"

namespace brasket {
namespace {

const std::string underline = std::string(41, '_') + "  ";

// A record of the factor table, or an empty one for a code outside it.
const emfactorrec& factorrow(const Workset& ws, long code, int column) {
    static const emfactorrec none;
    return decltype(ws.emfactor)::inbounds(code, column) ? ws.emfactor(code, column) : none;
}

// Names of the unit's owner, operator and plant; a number outside its table has no name.
template <class T, class F>
std::string nameof(const T& table, long i, F field) {
    return table.inbounds(i) ? field(table(i)) : std::string();
}

void identification(App& app, const unitcrec& u) {
    const Workset& ws = app.ws;
    reportline(app, "  ");
    reportline(app, " The unit owner data____________________________");
    reportline(app, "The owner is " + nameof(ws.owner, u.ownerno, [](const ownerrec& o) { return o.ownername.str(); }));
    reportline(app, nameof(ws.operator_, u.operatorno, [](const operatorrec& o) { return o.operatorname.str(); }));
    reportline(app, "The plant is " + nameof(ws.plant, u.plantno, [](const plantrec& p) { return p.plantname.str(); }));
    reportline(app, "pf code " + nameof(ws.idplant, u.plantno, [](const idplantrec& p) { return p.pfcode.str(); }));
    reportline(app, "__Model Unit Characteristics");
    reportline(app, "Boiler/NOx type: " + devicename(ws, u.modelboiler, furnacecolumn));
    reportline(app, "Particulate control: " + devicename(ws, u.modelpm, pmcolumn));
    reportline(app, "SO2 control: " + devicename(ws, u.modelso2, so2column));
}

// The boiler runs of type b with their outlet speciation, or the types that have tests.
void boilerruns(App& app, long b) {
    const Workset& ws = app.ws;
    reportline(app, "");
    reportline(app, " Test data for boiler type__________");
    reportline(app, " test      run     Hg part   Hg ox.  Hg elem.  fractions");
    if (speciationrows(app, b) == 0) othertypesrows(app, false);
    reportline(app, underline);
    const emfactorrec& e = factorrow(ws, b, furnacecolumn);
    reportline(app, threeforms(SummaryLine(" average factors for mercury speciation"), 50, e.hgpart, e.hgox, e.hgelem).text());
    reportline(app, "");
}

// The runs of one control type with their oxygen correction and factors, closed by the
// factors the table holds for the type.
void controlruns(App& app, const char* title, int kind, long code, int column) {
    const Workset& ws = app.ws;
    reportline(app, title);
    controlfactorrows(app, kind, code);
    reportline(app, underline);
    const emfactorrec& e = factorrow(ws, code, column);
    std::string heading = " average factors for unit control emission modification factor";
    heading.resize(128, ' ');
    reportline(app, threeforms(SummaryLine(heading), 90, e.hgpart, e.hgox, e.hgelem).text());
}

}  // namespace

void cmdflowsheet_Click(App& app) {
    const Workset& ws = app.ws;
    const long unit = app.currentunit > 0 ? app.currentunit : 1;
    static const unitcrec nounit;
    const unitcrec& u = decltype(ws.unitc)::inbounds(unit) ? ws.unitc(unit) : nounit;

    startreport(app, 2, 2);
    app.report.reportbuffer(1) = "  Estimate of Emission Modification Factors for Unit";
    app.report.reportbuffer(2) = "  Data base record " + str(unit) + "    " + datetext(app.platform.now());
    identification(app, u);
    boilerruns(app, u.modelboiler);
    controlruns(app, " Test data for particulate control__________", particulatetest, u.modelpm, pmcolumn);
    reportline(app, "");
    controlruns(app, " Test data for SO2 control__________", so2test, u.modelso2, so2column);
    reportline(app, "@NEW PAGE");
    reportline(app, "#");
    app.reportcalc = 0;
    showreport(app);
}

}  // namespace brasket
