// The unit type report: every unit classified by fuel, model boiler/NOx type, particulate and
// SO2 control and size into the bin-number table, then the coal use, the unit type table, the
// units by unit type code and the configurations with their factors and stack emissions.
#include <cstdint>
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

const std::string reportname = "unit type report";

constexpr long fuelentries = 50;     // fuel entries of the table
constexpr long listedentries = 25;   // the entries that get unit type codes and listings
constexpr long lastboiler = 25, lastpm = 17, lastso2 = 12;
constexpr long lastsummaryfuel = 1000;  // fuel numbers of the coal use summary
constexpr long lastlistedunit = 1500;   // units of the bituminous use listing
constexpr long bituminousfuel = 203;    // the fuel whose use is listed unit by unit
constexpr long sizelarge = 600, sizemedium = 100;  // MW, strict comparisons

void bump(i16& v) {
    if (v < INT16_MAX) ++v;
}

bool codesintable(long b, long c, long d) { return b <= lastboiler && c <= lastpm && d <= lastso2; }

// The fuel entry that holds fuel number f, or the first free entry, which then takes it;
// 0 when all entries hold other fuels.
long takefuelentry(Workset& ws, long f) {
    for (long j = 1; j <= fuelentries; ++j) {
        i16& cell = ws.binnumbertable(j, 0, 0, 0);
        if (cell == f) return j;
        if (cell == 0) {
            cell = static_cast<i16>(f);
            return j;
        }
    }
    return 0;
}

// The fuel entry that holds fuel number f, 0 when none does.
long findfuelentry(const Workset& ws, long f) {
    for (long j = 1; j <= fuelentries; ++j)
        if (ws.binnumbertable(j, 0, 0, 0) == f) return j;
    return 0;
}

// The size class of a capacity: 1 up to 100 MW, 2 up to 600 MW, 3 above.
long sizeclass(float mw) {
    long z = 1;
    if (mw > sizemedium) z = 2;
    if (mw > sizelarge) z = 3;
    return z;
}

// The NOx class that a boiler/NOx type name names.
std::string noxclass(const std::string& name) {
    for (const char* c : {"SCR", "SNCR", "NONOX", "NOX"})
        if (name.find(c) != std::string::npos) return c;
    return "  ";
}

// A device type name; a never-named type (code 0 of a list) prints as blanks.
std::string typename_(const Workset& ws, long row, long column) { return ws.emfactor(row, column).name.printable(); }

// The names the class listings print, formed once for the report rather than once a class:
// the fuel of each fuel entry and the boiler/NOx, particulate and SO2 type names of each code.
struct ClassNames {
    std::vector<std::string> fuel, boiler, pm, so2;
    explicit ClassNames(const Workset& ws) {
        for (long a = 0; a <= fuelentries; ++a) fuel.push_back(fuelname(ws, ws.binnumbertable(a, 0, 0, 0)));
        for (long b = 0; b <= lastboiler; ++b) boiler.push_back(typename_(ws, b, 0));
        for (long c = 0; c <= lastpm; ++c) pm.push_back(typename_(ws, c, 2));
        for (long d = 0; d <= lastso2; ++d) so2.push_back(typename_(ws, d, 1));
    }
    static const std::string& at(const std::vector<std::string>& v, long k) { return v[static_cast<std::size_t>(k)]; }
};

bool burned(const Workset& ws, long unit, long fuel) {
    for (std::size_t k = 1; k <= 4; ++k)
        for (long m = 1; m <= 12; ++m)
            if (ws.unitcoal(unit, m).fuelnum[k] == fuel) return true;
    return false;
}

struct Totals {
    std::vector<float> fueltons = std::vector<float>(lastsummaryfuel + 1, 0.0f);
    std::vector<float> unittons = std::vector<float>(lastlistedunit + 1, 0.0f);
    double coal = 0;     // dry tons
    double mercury = 0;  // kg
};

// Counts one unit into the classes of its plant's fuels and adds what it burned.
void classify(App& app, long i, Totals& t) {
    Workset& ws = app.ws;
    const long p = ws.idunit(i).plantno;
    const unitcrec& u = ws.unitc(i);
    const long b = u.modelboiler, d = u.modelso2, c = u.modelpm;
    if (p < 0 || p > lastplant) {
        fleetwarning(app, reportname + ": " + unitdescription(ws, i) +
                              " has a plant number outside the plant table; the unit is not classified");
        return;
    }
    if (!codesintable(b, c, d)) {
        fleetwarning(app, reportname + ": " + unitdescription(ws, i) + " has boiler type " + std::to_string(b) +
                              ", particulate control " + std::to_string(c) + " and SO2 control " +
                              std::to_string(d) + ", beyond the table (25, 17, 12); the unit is not classified");
        return;
    }
    const bool nocodes = b == 0 && c == 0 && d == 0;
    bool toldnocodes = false;
    for (long f : plantfuels(ws, p)) {
        const long a = takefuelentry(ws, f);
        if (a == 0) {
            fleetwarning(app, reportname + ": fuel " + std::to_string(f) + " of " + unitdescription(ws, i) +
                                  " finds no free fuel entry (all 50 are taken); it is not classified");
            continue;
        }
        for (std::size_t k = 1; k <= 4; ++k) {
            for (long m = 1; m <= 12; ++m) {
                const unitcoalrec& r = ws.unitcoal(i, m);
                if (r.fuelnum[k] != f) continue;
                const double kg = kgperppmton * r.drytons[k] * r.hgppm[k];
                f32& value = ws.binnumbervalue(a, b, c, d);
                value = static_cast<f32>(value + kg);
                t.mercury += kg;
                t.coal += r.drytons[k];
                if (f <= lastsummaryfuel) t.fueltons[static_cast<std::size_t>(f)] += r.drytons[k];
                if (f == bituminousfuel && i <= lastlistedunit) t.unittons[static_cast<std::size_t>(i)] += r.drytons[k];
            }
        }
        if (f > lastsummaryfuel)
            fleetwarning(app, reportname + ": fuel number " + std::to_string(f) + " of " + unitdescription(ws, i) +
                                  " lies beyond the coal use summary (1 to 1000)");
        if (f == bituminousfuel && i > lastlistedunit)
            fleetwarning(app, reportname + ": " + unitdescription(ws, i) +
                                  " lies beyond the coal use listing by unit (1 to 1500)");
        // The class of three zero codes is the cell that holds the entry's fuel number: what
        // such a unit burned is added up, but it is not counted.
        if (nocodes) {
            if (!toldnocodes)
                fleetwarning(app, reportname + ": " + unitdescription(ws, i) +
                                      " has no model boiler, particulate or SO2 code; its coal and mercury are "
                                      "added up, but the unit is not counted in a class");
            toldnocodes = true;
            continue;
        }
        bump(binnumbercell(ws, a, b, c, d, 0));
        bump(binnumbercell(ws, a, b, c, d, sizeclass(u.mw)));
    }
}

void coalsummaries(App& app, const Totals& t, ReportBody& body) {
    const Workset& ws = app.ws;
    body.line("FUEL TYPE SUMMARY OF COAL USE");
    for (long f = 1; f <= lastsummaryfuel; ++f) {
        const float tons = t.fueltons[static_cast<std::size_t>(f)];
        if (tons > 0) body.line(formatnumber(f, "####   ") + "\t" + str(tons));
    }
    body.line("BITUNINIOUS COAL USE BY UNIT");
    for (long u = 1; u <= lastlistedunit; ++u) {
        const float tons = t.unittons[static_cast<std::size_t>(u)];
        if (!(tons > 0)) continue;
        const long p = ws.idunit(u).plantno;
        const std::string plantname = decltype(ws.idplant)::inbounds(p) ? ws.idplant(p).plantname.str() : "";
        Row row(80);
        row.at(2, formatnumber(u, "####   "))
            .at(8, "\t" + formatnumber(tons, "###########"))
            .at(20, "\t" + plantname)
            .at(50, "\t" + ws.idunit(u).boilerid.str());
        body.line(row.text());
    }
    body.line("=============================================================");
    body.line("");
}

void unittypetable(App& app, const ClassNames& names, ReportBody& body) {
    Workset& ws = app.ws;
    mainwindow(app).Label9.Caption = "Preparing text for display ";
    Row heading(150);
    heading.at(2, "ID\t No.")
        .at(12, "\tkg Hg")
        .at(22, "\tfuel types")
        .at(62, "\tboiler type")
        .at(82, "\tPM contr.")
        .at(102, "\tSO2 cont.")
        .at(115, "\tNOx cont.")
        .at(125, "\tLarge")
        .at(130, "\tMedium")
        .at(135, "\tSmall");
    body.line(heading.text());
    long code = 0;
    eachclass(app, listedentries, 2.0, [&](const BinClass& k) {
        ++code;
        binnumbercell(ws, k.a, k.b, k.c, k.d, 4) = static_cast<i16>(code < INT16_MAX ? code : INT16_MAX);
        const std::string& boilername = ClassNames::at(names.boiler, k.b);
        Row row(152);
        row.at(1, formatnumber(code, "000"))
            .at(5, "\t" + str(k.count))
            .at(12, "\t" + formatnumber(ws.binnumbervalue(k.a, k.b, k.c, k.d), "########.###"))
            .at(22, "\t" + ClassNames::at(names.fuel, k.a))
            .at(62, "\t" + boilername)
            .at(82, "\t" + ClassNames::at(names.pm, k.c))
            .at(102, "\t" + ClassNames::at(names.so2, k.d))
            .at(115, "\t" + noxclass(boilername))
            .at(125, "\t" + formatnumber(binnumbercell(ws, k.a, k.b, k.c, k.d, 3), "###"))
            .at(130, "\t" + formatnumber(binnumbercell(ws, k.a, k.b, k.c, k.d, 2), "###"))
            .at(135, "\t" + formatnumber(binnumbercell(ws, k.a, k.b, k.c, k.d, 1), "###"))
            .at(140, "\t" + formatnumber(k.a, "##"))
            .at(143, "\t" + formatnumber(k.b, "##"))
            .at(146, "\t" + formatnumber(k.c, "##"))
            .at(149, "\t" + formatnumber(k.d, "##"));
        body.line(row.text());
    });
}

void unitsbycode(App& app, long n, ReportBody& body) {
    const Workset& ws = app.ws;
    body.line("A listing of units by unit type codes");
    Row heading(120);
    heading.at(2, "ID").at(10, "\tunit").at(25, "\tplant").at(70, "\tfuel");
    body.line(heading.text());
    for (long i = 1; i <= n; ++i) {
        const long p = ws.idunit(i).plantno;
        if (p < 0 || p > lastplant) continue;
        const unitcrec& u = ws.unitc(i);
        const long b = u.modelboiler, d = u.modelso2, c = u.modelpm;
        for (long f : plantfuels(ws, p)) {
            if (!burned(ws, i, f)) continue;
            const long a = findfuelentry(ws, f);
            const long code = codesintable(b, c, d) ? binnumbercell(ws, a, b, c, d, 4) : 0;
            Row row(120);
            row.at(2, str(code))
                .at(10, "\t" + ws.idunit(i).boilerid.str())
                .at(25, "\t" + ws.idplant(p).plantname.str())
                .at(70, "\t" + fuelname(ws, f));
            body.line(row.text());
        }
    }
}

// The configuration listing; returns the mercury in and emitted of the classes listed.
ClassTotals configurations(App& app, const ClassNames& names, ReportBody& body) {
    Row heading(120);
    heading.at(2, "Number").at(8, " kg Hg in").at(22, "emf").at(32, "kg Hg stack").at(50, "control type");
    body.line(heading.text());
    long n = 0;
    ClassTotals totals;
    eachclass(app, listedentries, 3.0, [&](const BinClass& k) {
        ClassFactor cf = classfactor(app, ++n, k, true, totals);
        cf.row.at(50, str(cf.bin))
            .at(55, ClassNames::at(names.fuel, k.a))
            .at(95, ClassNames::at(names.boiler, k.b))
            .at(115, ClassNames::at(names.pm, k.c))
            .at(130, ClassNames::at(names.so2, k.d));
        body.line(cf.row.text());
    });
    return totals;
}

}  // namespace

void cmdunittype_Click(App& app) {
    Workset& ws = app.ws;
    frmplants& w = mainwindow(app);
    w.Label19.Caption = "calculating unit type data ";
    showbusy(app, 0);
    ws.binnumbertable.clear();
    ws.binnumbervalue.clear();
    for (auto& layer : ws.binnumberlayers) layer.clear();
    const long n = fleetunitcount(app, reportname);
    const double step = roundhalfeven(n / 100.0 + 2);

    app.reportcalc = 0;
    startreport(app, 2, 2);
    app.report.reportbuffer(1) = "  Number of units for Fuel Types, Boilers, PM controls, and SO2 controls. ";
    // Room is kept for the three coal and mercury lines and the two national totals.
    ReportBody body(app, 5);
    body.line("  ");

    Totals t;
    for (long i = 1; i <= n; ++i) {
        showbusy(app, i / step);
        classify(app, i, t);
    }

    coalsummaries(app, t, body);
    // The fuel entries are set by the classification: the names are formed once from then on.
    const ClassNames names(ws);
    unittypetable(app, names, body);

    body.closing("Total coal burned " + formatnumber(t.coal, "########") + " dry tons");
    body.closing(massline("Total mercury in coal ", t.mercury));
    body.closing(" a large unit is >600 MW and a medium unit is >100 MW.");
    reportline(app, "#");

    unitsbycode(app, n, body);
    reportline(app, "#");

    endclasslisting(app, body, configurations(app, names, body), reportname);
    showbusy(app, -3);
}

}  // namespace brasket
