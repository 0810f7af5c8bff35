// The bin explanations of the unit evaluation window: a press on a fuel row's bin label lists
// the bin's factor listing (left button) or the speciation and removal of the test runs the bin
// table assigns to the bin (right button).
#include "reports/binspeciation.h"

#include <optional>
#include <string>

#include "app.h"
#include "common/numtext.h"
#include "common/textutil.h"
#include "model/binfactors.h"
#include "model/binlookup.h"
#include "model/codes.h"
#include "report/frmdisplay.h"
#include "report/numformat.h"
#include "report/reportbuffer.h"
#include "report/reportrow.h"
#include "model/testruns.h"
#include "unitwindow/form1.h"

namespace brasket {
namespace {

constexpr long testrows = 81;  // rows of the bin table that serve as test rows
constexpr long width = 140;

// The share of one form at the control inlet and its removal across the controls, "46%(85%)".
std::string sharetext(double share, double factor) {
    return formatnumber(share, "###%") + "(" + formatnumber(1 - factor, "###%)");
}

// Inlet shares and oxygen-corrected factors of the three forms of a test.
struct Shares {
    double part = 0, ox = 0, elem = 0;     // shares of the inlet
    double epart = 0, eox = 0, eelem = 0;  // outlet over inlet, oxygen corrected
};

// The shares of a test with mercury at its inlet and outlet; none otherwise, and none at an
// outlet oxygen of 21 %, where no correction exists.
std::optional<Shares> testshares(const testrec& t) {
    const float tin = t.inox + t.inpart + t.inelem;
    const float tout = t.outox + t.outpart + t.outelem;
    if (!(tin > 0) || !(tout > 0) || t.o2out == 21) return std::nullopt;
    const double c = (21.0 - t.o2in) / (21.0 - t.o2out);
    Shares s;
    s.part = t.inpart / tin;
    s.ox = t.inox / tin;
    s.elem = t.inelem / tin;
    s.epart = s.part > 0 ? t.outpart / t.inpart * c : 0;
    s.eox = s.ox > 0 ? t.outox / t.inox * c : 0;
    s.eelem = s.elem > 0 ? t.outelem / t.inelem * c : 0;
    return s;
}

// The last test row of the bin that names the test and serves its kind; 0 when none does.
long matchingrow(const Workset& ws, const testrec& t, double bin) {
    const std::string name = rtrim(t.testname.str());
    long matched = 0;
    for (long j = 1; j <= testrows; ++j) {
        const binindexrec& row = ws.binindex(j);
        if (rtrim(row.testname.str()) != name || row.testcode != bin) continue;
        if (row.testline == 2 || (row.testline == 1 && t.testkind != boilertest)) matched = j;
    }
    return matched;
}

// The tested unit's model boiler, particulate and SO2 types and the test row's fuel; a unit
// outside the unit table has no type names.
std::string description(const Workset& ws, const binindexrec& row) {
    static const unitcrec nounit;
    const unitcrec& u = decltype(ws.unitc)::inbounds(row.testunit) ? ws.unitc(row.testunit) : nounit;
    return "  " + rtrim(devicename(ws, u.modelboiler, furnacecolumn)) + "  " + rtrim(devicename(ws, u.modelpm, pmcolumn)) +
           "  " + rtrim(devicename(ws, u.modelso2, so2column)) + "  " + fuellabel(row.testfuel);
}

}  // namespace

void speciationreport(App& app, double bin) {
    const Workset& ws = app.ws;
    reportline(app, "     ");
    reportline(app, Row(width).at(4, "Emission control device type " + str(bin)).text());
    reportline(app, Row(width).at(28, "speciation % and % removal").at(73, "emission controls").text());
    reportline(app, Row(width)
                        .at(4, "plant")
                        .at(20, "run")
                        .at(28, "%P(%rem)")
                        .at(40, "%O(%rem)")
                        .at(52, "%E(%rem)")
                        .at(67, "boiler,  PM, SOx,  and  fuel")
                        .text());
    if (bin == unitybin) {  // the configuration without specified controls has no tests
        reportline(app, Row(width).at(2, "no specified controls").text());
        return;
    }
    const long n = storedtests(ws);
    for (long i = 1; i <= n; ++i) {
        const testrec& t = ws.test(i);
        const long matched = matchingrow(ws, t, bin);
        if (matched == 0) continue;
        const std::optional<Shares> s = testshares(t);
        if (!s) continue;
        Row row(width);
        row.at(2, rtrim(t.testname.str())).at(20, runidtext(t.runid.str()));
        row.at(28, sharetext(s->part, s->epart)).at(40, sharetext(s->ox, s->eox)).at(52, sharetext(s->elem, s->eelem));
        row.at(65, description(ws, ws.binindex(matched)));
        reportline(app, row.text());
    }
}

void Label14_MouseDown(App& app, int row, int button) {
    if (button != leftbutton && button != rightbutton) return;
    const Label& label = unitwindow(app).Label14.at(static_cast<std::size_t>(row));
    startreport(app, 0, 1);
    const std::string caption = label.Caption();
    if (caption == "NA") {
        reportline(app, " You have not identified a fuel for evaluation.");
        reportline(app, " Please identify a fuel, amount burned, and mercury content.");
    } else {
        reportline(app, "This display presents the bin that is assigned for the fuel.");
        reportline(app, label.BackColor() == buttonfacecolor
                            ? "   This bin assignment is based upon previous manual evaluation of configurations."
                            : "   This bin is not an exact match with previous assignments, but is the closest match");
        reportline(app, " ");
        // "NM": the configuration matched no bin.
        const double bin = caption == "NM" ? static_cast<double>(nobin) : val(caption);
        if (bin == nobin)
            reportline(app, "No automatic identification of applicable bin configuration for this fuel in this unit.");
        else if (button == rightbutton)
            speciationreport(app, bin);
        else
            printbinnumber(app, static_cast<long>(bin), "");
    }
    reportpages(app, app.report.reportlinecount);
    showreport(app);
}

}  // namespace brasket
