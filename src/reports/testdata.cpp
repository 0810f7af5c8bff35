#include "reports/testdata.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "app.h"
#include "common/numtext.h"
#include "model/devicefactors.h"
#include "report/numformat.h"
#include "report/reportbuffer.h"
#include "report/reportrow.h"
#include "model/testruns.h"

namespace brasket {
namespace {

const std::string entryline(61, '=');
const std::string underline(41, '_');
const std::string compositeline(71, '_');

constexpr const char* notestsline = "There were no reported tests for this unit. average for others used.";
constexpr const char* sdgeometric = " standard deviations (ln normal)";
constexpr const char* sdaverage = " standard deviations for factors";

// The factor table column and the test kind of a section mode.
int columnof(long mode) {
    switch (mode) {
    case so2section: return so2column;
    case particulatesection: return pmcolumn;
    default: return furnacecolumn;
    }
}
int kindof(long mode) {
    switch (mode) {
    case so2section: return so2test;
    case particulatesection: return particulatetest;
    default: return boilertest;
    }
}

std::string f5(double x) { return formatnumber(x, "#.#####"); }
std::string f25(double x) { return formatnumber(x, "##.#####"); }

// The device after resolution: its mode, the code of the call, the parts shown one after
// the other and the factors of the whole device.
struct Resolution {
    long mode = 0;
    long code = 0;
    std::array<long, 3> parts{};
    int nparts = 1;
    DeviceFactors whole;
};

void modelledlines(App& app, int column, long specified, long modelled) {
    reportline(app, "This unit is modeled as another type of unit.");
    reportline(app, "The unit is specified as " + devicename(app.ws, specified, column));
    reportline(app, "The unit is modeled as " + devicename(app.ws, modelled, column));
}

// The entry line and the resolution of the device: a particulate device may be modelled as
// another type and be a composite of two or three types; an SO2 device may be modelled as
// another type. The coal gas particulate device is the material balance of its boiler type.
Resolution resolve(App& app, long mode, long code) {
    reportline(app, std::string_view(entryline));
    if (!isdevicecode(code)) code = 0;  // a code outside the factor table is no device
    if (mode == particulatesection && code == coalgasdevice) {
        mode = balancesection;
        code = coalgasboiler;
    }
    Resolution r;
    r.mode = mode;
    r.code = code;
    r.parts = {code, 0, 0};
    std::string m1, m2;
    long modelled = 0;
    if (mode == particulatesection) {
        long p1 = 0, p2 = 0, p3 = 0;
        pmcomposite(app.ws, 0, code, r.whole, modelled, p1, p2, p3, m1, m2);
        if (code != p1) modelledlines(app, pmcolumn, code, p1);
        r.parts = {p1, p2, p3};
        r.nparts = p3 > 0 ? 3 : p2 > 0 ? 2 : 1;
    } else if (mode == so2section) {
        so2modeledas(app.ws, code, 0, r.whole, modelled, m1, m2);
        if (code != modelled) modelledlines(app, so2column, code, modelled);
        r.parts = {modelled, 0, 0};
    }
    return r;
}

// The walk over the parts: the composite line before each part of a composite, the part's
// section (which tells whether the mode has one), an empty line after it.
template <class Section>
void walkparts(App& app, const Resolution& r, Section section) {
    static const char* const which[] = {" is a composite unit. The first unit is presented now.",
                                        " is a composite unit. The second unit is presented now.",
                                        " is a composite unit. The third unit is presented now."};
    for (int i = 0; i < r.nparts; ++i) {
        if (r.nparts > 1) reportline(app, rtrim(devicename(app.ws, r.code, pmcolumn)) + which[i]);
        if (section(r.parts[static_cast<std::size_t>(i)])) reportline(app, "");
    }
}

// The composite table after the parts of a composite device: each part's factors, then the
// factors of the whole device; all three forms, or with `totalonly` the total factor.
void compositetable(App& app, const Resolution& r, bool totalonly) {
    if (r.nparts < 2) return;
    const int column = columnof(r.mode);
    reportline(app, r.nparts == 2 ? "THIS UNIT IS A COMPOSITE UNIT OF TWO SETS OF EMISSION MODIFICATION FACTORS."
                                  : "THIS UNIT IS A COMPOSITE UNIT OF THREE SETS OF EMISSION MODIFICATION FACTORS.");
    reportline(app, " The composite emission modification factor is the product of the two individual factors.");
    reportline(app, totalonly ? "emission type                           EF total"
                              : "emission type                           EF part.  EF oxid.  EF element.");
    reportline(app, std::string_view(compositeline));
    auto row = [&](long code, double part, double ox, double elem, double total) {
        Row line = Row(80).at(2, devicename(app.ws, code, column));
        reportline(app, (totalonly ? line.at(40, f5(total)) : threeforms(line, 40, part, ox, elem)).text());
    };
    for (int i = 0; i < r.nparts; ++i) {
        const long p = r.parts[static_cast<std::size_t>(i)];
        const emfactorrec& e = app.ws.emfactor(p, column);
        row(p, e.hgpart, e.hgox, e.hgelem, e.hgtotal);
    }
    reportline(app, std::string_view(compositeline));
    row(r.code, r.whole.part, r.whole.ox, r.whole.elem, r.whole.total);
}

// ---- test data sections --------------------------------------------------------------------

// Boiler/NOx type c: outlet mercury and its speciation run by run.
void boilerspeciation(App& app, long c) {
    const Workset& ws = app.ws;
    const bool geometric = app.opt.efmeanmode == 1;
    reportline(app, "");
    reportline(app, " Test data for boiler type " + devicename(ws, c, furnacecolumn));
    reportline(app, "                   __________outlet__________    Emission Modification Factors");
    reportline(app, " test      run     Hg part.  Hg ox.   Hg elem.   Hg part.  Hg ox.   Hg elem.");
    if (speciationrows(app, c) == 0) othertypesrows(app, false);
    reportline(app, std::string_view(underline));
    const emfactorrec& e = ws.emfactor(c, furnacecolumn);
    reportline(app, threeforms(SummaryLine(geometric ? " geometric mean factors for mercury speciation"
                                                     : " average factors for mercury speciation"),
                               50, e.hgpart, e.hgox, e.hgelem)
                        .text());
    reportline(app, threeforms(SummaryLine(geometric ? sdgeometric : sdaverage), 50, e.sdpart, e.sdox, e.sdelem).text());
}

// The mean line of a device's total factors, when its runs give a mean.
void meanline(App& app, const std::vector<ListedRun>& runs) {
    const bool geometric = app.opt.efmeanmode == 1;
    const std::optional<double> m = geometric ? geometricmean(runs) : arithmeticmean(runs);
    if (!m) return;
    reportline(app, std::string(geometric ? " geometric mean total Hg emission modification factor      "
                                          : " average total Hg emission modification factor      ") +
                        f5(*m));
}

void controlheading(App& app, long mode, long c, int column) {
    reportline(app, "");
    reportline(app, std::string(mode == particulatesection ? " Test data for particulate control  "
                                                           : " Test data for SO2 control  ") +
                        devicename(app.ws, c, column));
}

// Particulate or SO2 control type c: factors of each accepted run, then its total factor
// and the mean of the total factors.
void controlfactors(App& app, long mode, long c) {
    const Workset& ws = app.ws;
    const int column = columnof(mode);
    const bool geometric = app.opt.efmeanmode == 1;
    controlheading(app, mode, c, column);
    const std::vector<ListedRun> runs = controlfactorrows(app, kindof(mode), c);
    reportline(app, std::string_view(underline));
    const emfactorrec& e = ws.emfactor(c, column);
    reportline(app, threeforms(SummaryLine(geometric ? " geometric mean factors for unit control emission modification factor"
                                                     : " average factors for unit control emission modification factor"),
                               90, e.hgpart, e.hgox, e.hgelem)
                        .text());
    reportline(app, threeforms(SummaryLine(geometric ? sdgeometric : sdaverage), 90, e.sdpart, e.sdox, e.sdelem).text());
    reportline(app, "");
    reportline(app, " test      run     Total Mercury Emission Modification Factor");
    for (const ListedRun& r : runs) {
        const testrec& t = ws.test(r.record);
        reportline(app, Row(120).at(2, t.testname.str()).at(12, t.runid.str()).at(40, f25(r.total)).text());
    }
    reportline(app, std::string_view(underline));
    meanline(app, runs);
}

const char* const balanceheadings[] = {
    "                   ___inlet data_____ _____________outlet data________________  Hg in     Hg out material balance",
    "                   Hg coal  burn rate gas rate  Hg part.   Hg ox.    Hg elem.            Hg part.  (gm Hg out/",
    " test      run      (ppmw)  dry kg/hr DSCM/hr.  (ug/DSCM) (ug/DSCM) (ug/DSCM)   (g/hr)    (g/hr)    gm Hg in)"};

// Counts a ratio above 1.5 or below 0.5 in its pair of the totals (1.5 and 0.5 in neither).
void countextreme(BalanceTotals& b, double ratio) {
    if (ratio > 1.5) {
        b.balancehighcount = addcount(b.balancehighcount, 1);
        b.balancehighsum += ratio;
    } else if (ratio < 0.5) {
        b.balancelowcount = addcount(b.balancelowcount, 1);
        b.balancelowsum += ratio;
    }
}

}  // namespace

void balancetable(App& app, long typecode) {
    for (const char* h : balanceheadings) reportline(app, h);
    long n = 0;
    double s = 0;
    forruns(app.ws, boilertest, typecode, [&](long, const testrec& t) {
        const MaterialBalance b = materialbalance(t);
        Row row(110);
        row.at(2, t.testname.str()).at(12, t.runid.str());
        row.at(20, f25(t.hgcoal)).at(30, formatnumber(t.burnrate, "########"))
            .at(39, formatnumber(t.gasrate, "########"));
        row.at(50, f25(t.outpart)).at(60, f25(t.outox)).at(70, f25(t.outelem));
        row.at(80, formatnumber(b.hgin, "0.00e+00")).at(90, formatnumber(b.hgout, "0.00e+00"));
        if (b.ratio) {
            row.at(100, formatnumber(*b.ratio, "  #.###"));
            ++n;
            s += *b.ratio;
            countextreme(app.balance, *b.ratio);
        }
        reportline(app, row.text());
    });
    reportline(app, std::string_view(underline));
    if (n >= 1) {
        reportline(app, SummaryLine(" average factors for material balance").at(100, f5(s / n)).text());
        app.balance.balancecount = addcount(app.balance.balancecount, n);
        app.balance.balancesum += s;
    }
}

namespace {

// Material balance of boiler/NOx type c.
void boilerbalance(App& app, long c) {
    reportline(app, "");
    reportline(app, " Test data for mercury balance in the boiler  " + devicename(app.ws, c, furnacecolumn));
    balancetable(app, c);
}

// Material balance of every boiler run, whatever its type, with its test method and fuel.
void balancelisting(App& app) {
    const Workset& ws = app.ws;
    reportline(app, "");
    reportline(app, " Test data for mercury balance in the boilers.  ");
    reportline(app, "                   ___inlet data_____   Hg in     Hg out material balance");
    reportline(app, "                   Hg coal  burn rate             Hg part.  (gm Hg out/");
    reportline(app, " test      run      (ppmw)  dry kg/hr   (g/hr)    (g/hr)    gm Hg in)        test  fuel   ");
    const long n = storedtests(ws);
    for (long j = 1; j <= n; ++j) {
        const testrec& t = ws.test(j);
        if (t.testkind != boilertest) continue;
        const MaterialBalance b = materialbalance(t);
        Row row(110);
        row.at(2, t.testname.str()).at(12, t.runid.str());
        row.at(20, f25(t.hgcoal)).at(30, formatnumber(t.burnrate, "########"));
        row.at(40, formatnumber(b.hgin, "0.00e+00")).at(50, formatnumber(b.hgout, "0.00e+00"));
        if (b.ratio) row.at(60, formatnumber(*b.ratio, "  #.###"));
        row.at(70, str(static_cast<long long>(t.refcode)));
        if (decltype(ws.idfuel)::inbounds(t.fueltype)) row.at(75, ws.idfuel(t.fueltype).name.str());
        reportline(app, row.text());
    }
}

// ---- total mercury sections ----------------------------------------------------------------

// Boiler/NOx type c: mercury leaving the boiler against mercury in the coal.
void boilertotal(App& app, long c) {
    const Workset& ws = app.ws;
    const bool geometric = app.opt.efmeanmode == 1;
    reportline(app, "");
    reportline(app, " Test data for boiler type " + devicename(ws, c, furnacecolumn));
    reportline(app, "                   __________outlet__________    ___g/hr Hg__     Emission Modification Factors");
    reportline(app, " test      run     Hg part.  Hg ox.   Hg elem.  outlet    inlet     outlet/inlet");
    long rows = 0;
    forruns(ws, boilertest, c, [&](long, const testrec& t) {
        const MaterialBalance b = materialbalance(t);
        if (b.outlettotal == 0) return;
        Row row = outletrow(t);
        row.at(60, formatnumber(b.hgin, "0.00e+00")).at(50, formatnumber(b.hgout, "0.00e+00"));
        if (b.hgin > 0) row.at(70, f5(b.hgout / b.hgin));
        reportline(app, row.text());
        ++rows;
    });
    if (rows == 0) othertypesrows(app, true);
    reportline(app, std::string_view(underline));
    reportline(app, SummaryLine(geometric ? " geometric mean factors for mercury speciation"
                                          : " average factors for mercury speciation")
                        .at(70, f5(ws.emfactor(c, furnacecolumn).hgtotal)).text());
    reportline(app, geometric ? sdgeometric : sdaverage);
}

// Particulate or SO2 control type c: the total factor of each accepted run; for a particulate
// device also the geometric mean of its control effectiveness.
void controltotal(App& app, long mode, long c) {
    const Workset& ws = app.ws;
    const int column = columnof(mode);
    const bool geometric = app.opt.efmeanmode == 1;
    const bool particulate = mode == particulatesection;
    controlheading(app, mode, c, column);
    if (particulate) {
        reportline(app,
                   "                   __________inlet data_____     _________outlet data______    flow      "
                   "Emission Modification Factor");
        reportline(app, " test      run     Hg part.  Hg ox.   Hg elem.   Hg part.  Hg ox.   Hg elem.   ratio");
    } else {
        reportline(app,
                   "                   __________inlet data_____     _________outlet data______    flow    "
                   "Emission Modification Factor");
        reportline(app,
                   " test      run     Hg part.  Hg ox.   Hg elem.   Hg part.  Hg ox.   Hg elem.   ratio     "
                   "total Hg");
    }
    std::vector<ListedRun> runs;
    double logeffectiveness = 0;
    forruns(ws, kindof(mode), c, [&](long j, const testrec& t) {
        const std::optional<ControlRun> v = controlrun(t);
        if (!v) return;
        Row row = controlrow(t);
        row.at(80, f5(v->oxygen)).at(90, f5(v->total));
        reportline(app, row.text());
        runs.push_back({v->total, j});
        logeffectiveness += std::log(controleffectiveness(v->total));
    });
    reportline(app, std::string_view(underline));
    reportline(app, SummaryLine(geometric ? " geometric mean factors for unit control emission modification factor"
                                          : " average factors for unit control emission modification factor")
                        .at(90, f5(ws.emfactor(c, column).hgtotal)).text());
    if (particulate) {
        reportline(app, SummaryLine(geometric ? sdgeometric : sdaverage).at(90, "fix").text());
        if (!runs.empty())
            reportline(app, "The geometric mean of the control effectiveness is (0-1) :" +
                                f5(std::exp(logeffectiveness / static_cast<double>(runs.size()))));
    } else {
        reportline(app, geometric ? sdgeometric : sdaverage);
    }
    reportline(app, "");
    reportline(app, std::string_view(underline));
    meanline(app, runs);
}

}  // namespace

long speciationrows(App& app, long c) {
    long rows = 0;
    forruns(app.ws, boilertest, c, [&](long, const testrec& t) {
        const std::optional<Speciation> s = outletspeciation(t);
        if (!s) return;
        reportline(app, threeforms(outletrow(t), 50, s->part, s->ox, s->elem).text());
        ++rows;
    });
    return rows;
}

void othertypesrows(App& app, bool totalonly) {
    const Workset& ws = app.ws;
    reportline(app, notestsline);
    for (long j = 1; j <= 30; ++j) {
        const emfactorrec& e = ws.emfactor(j, furnacecolumn);
        if (e.testcount <= 0) continue;
        Row row = Row(80).at(3, devicename(ws, j, furnacecolumn));
        reportline(app, (totalonly ? row.at(70, f5(e.hgtotal)) : threeforms(row, 50, e.hgpart, e.hgox, e.hgelem)).text());
    }
}

std::vector<ListedRun> controlfactorrows(App& app, int kind, long code) {
    reportline(app,
               "                   __________inlet data_____     _________outlet data______    flow      Emission "
               "Modification Factors");
    reportline(app,
               " test      run     Hg part.  Hg ox.   Hg elem.   Hg part.  Hg ox.   Hg elem.   ratio     Hg part.  "
               "Hg ox.   Hg elem");
    std::vector<ListedRun> runs;
    forruns(app.ws, kind, code, [&](long j, const testrec& t) {
        const std::optional<ControlRun> v = controlrun(t);
        if (!v) return;
        reportline(app, threeforms(controlrow(t).at(80, f5(v->oxygen)), 90, v->part, v->ox, v->elem).text());
        runs.push_back({v->total, j});
    });
    return runs;
}

Row outletrow(const testrec& t) {
    Row row(80);
    row.at(2, t.testname.str()).at(12, t.runid.str());
    row.at(20, f25(t.outpart)).at(30, f25(t.outox)).at(40, f25(t.outelem));
    return row;
}

Row controlrow(const testrec& t) {
    Row row(120);
    row.at(2, t.testname.str()).at(12, t.runid.str());
    row.at(20, f25(t.inpart)).at(30, f25(t.inox)).at(40, f25(t.inelem));
    row.at(50, f25(t.outpart)).at(60, f25(t.outox)).at(70, f25(t.outelem));
    return row;
}

void testdatareport(App& app, long mode, long code) {
    const Resolution r = resolve(app, mode, code);
    walkparts(app, r, [&](long c) {
        switch (r.mode) {
        case boilersection: boilerspeciation(app, c); return true;
        case so2section:
        case particulatesection: controlfactors(app, r.mode, c); return true;
        case balancesection: boilerbalance(app, c); return true;
        case balancelistsection: balancelisting(app); return true;
        default: return false;
        }
    });
    compositetable(app, r, false);
}

void unittestreport(App& app, long mode, long code) {
    const Resolution r = resolve(app, mode, code);
    walkparts(app, r, [&](long c) {
        switch (r.mode) {
        case boilersection: boilertotal(app, c); return true;
        case so2section:
        case particulatesection: controltotal(app, r.mode, c); return true;
        default: return false;
        }
    });
    compositetable(app, r, true);
}

}  // namespace brasket
