#include "reports/compounds.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "app.h"
#include "common/clocktext.h"
#include "common/numtext.h"
#include "report/headers.h"
#include "report/numformat.h"
#include "report/reportbuffer.h"
#include "reports/compoundemission.h"
#include "common/textutil.h"
#include "report/reportrow.h"

namespace brasket {

namespace {

constexpr long rowwidth = 80;
constexpr long lastslot = 4;  // the unit's fuel slots 1..4

// Compounds listed: the entries of the compound list.
long listedcompounds(App& app) { return mainwindow(app).List1.ListCount(); }

double highvalue(const App& app, long compound, long column) {
    return decltype(app.concranges)::inbounds(compound, column) ? app.concranges(compound, column) : 0;
}

// Lines 1 and 2 (title, concentration set and date), an empty line, the member's headings as
// header lines, its rows, and the closing page.
template <class Headings, class Rows>
void concentrationlisting(App& app, const std::string& title, Headings headings, Rows rows) {
    ReportBuffer& rb = app.report;
    rb.reportlinecount = 2;
    rb.erase();
    rb.pageindex() = "2";
    rb.reportbuffer(1) = title;
    rb.reportbuffer(2) = "     Concentration set " + str(app.opt.concset) + "    " + datetext(app.platform.now());
    reportline(app, std::string_view("  "));
    headings();
    setheadercount(rb, rb.reportlinecount);
    rows();
    reportline(app, std::string_view("@NEW PAGE"));
    reportline(app, std::string_view("#"));
    reportpages(app, rb.reportlinecount);
    app.reportcalc = 0;
    showreport(app);
}

// The heading of the ranges and stack listings.
void rangeheadings(App& app, const std::array<long, 6>& c) {
    addcolumns(app, c[0], "No.", c[1], "COMPOUND", c[2], "     COAL", c[3], "     OIL", c[4], "     GAS", c[5], "");
    reportline(app, std::string_view("___ ______________________________    (pounds per trillion B.T.U.)"));
    reportsettings(app);
    reportline(app, std::string_view("  "));
}

// The start of the two slot reports: title, compound, options and column heading.
void slotreportheading(App& app, const char* title, const char* heading) {
    app.report.reportlinecount = 1;
    app.report.erase();
    reportline(app, std::string_view(title));
    reportline(app, " COMPOUND: " + compoundname(app, app.selcompound));
    reportsettings(app);
    reportline(app, std::string_view(""));
    reportline(app, std::string_view(heading));
    reportline(app, std::string_view("___ ________  _____________     ___________     ________    ________   ____"));
    reportline(app, std::string_view(""));
}

void closeslotreport(App& app, const std::string& summary) {
    reportline(app, std::string_view("________________________________________ "));
    reportline(app, summary);
    reportline(app, std::string_view(" "));
    reportline(app, std::string_view("#"));
    app.reportcalc = 0;
    showreport(app);
}

// An entry of a main window list as the slot reports print it: a type name never assigned (the
// lists of a folder without emfactor.dat) prints as blanks.
std::string listentry(const ListBox& list, long i) { return printedtext(list.List(static_cast<int>(i))); }

// The slots the slot reports walk: the unit's fuel slots, no more than the plant list has entries.
long slotcount(App& app) { return std::min<long>(mainwindow(app).List3.ListCount(), lastslot); }

}  // namespace

std::string compoundname(const App& app, long k) {
    if (!decltype(app.ws.compounds)::inbounds(k)) return std::string(40, ' ');
    return printedtext(app.ws.compounds(k).name.str());
}

int particulateposition(int pmcode) {
    switch (pmcode) {
        case 1: return 1;
        case 6: return 2;
        case 7: return 3;
        case 12: return 4;
        case 21: return 5;
        default: return 0;
    }
}

int so2position(int so2code) { return so2code == 5 ? 1 : so2code == 25 ? 2 : 0; }

void cmdcompdnumb_Click(App& app) {
    app.reportcalc = 0;
    app.report.erase();
    app.report.reportlinecount = 1;
    reportline(app, std::string_view("LISTING OF ALL COMPOUNDS"));
    reportsettings(app);
    for (const char* line : {"", " NUMBER      COMPOUND", "            _________________________  ", ""})
        reportline(app, std::string_view(line));
    long n = listedcompounds(app);
    for (long i = 1; i <= n; ++i) reportline(app, Row(rowwidth).at(1, str(i)).at(10, compoundname(app, i)).text());
    for (const char* line : {"________________________________________ ", " ", "#"}) reportline(app, std::string_view(line));
    app.reportcalc = 0;
    showreport(app);
}

void cmdconcs_Click(App& app) {
    const std::array<long, 6> c{1, 5, 45, 60, 75, 78};
    concentrationlisting(
        app, "  A LISTING OF CONCENTRATIONS IN OIL AND GAS",
        [&] {
            addcolumns(app, c[0], "No.", c[1], "COMPOUND", c[2], "OIL", c[3], "GAS", c[4], "", c[5], " ");
            addcolumns(app, c[0], "___", c[1], "_____________________", c[2], "(ppmw)", c[3], "(ppmv)", c[4], " ", c[5], "");
            reportline(app, std::string_view("  "));
        },
        [] {});  // the concentrations in oil and gas are not listed
}

void cmdemisdataq_Click(App& app) {
    const std::array<long, 6> c{1, 6, 40, 52, 64, 78};
    concentrationlisting(
        app, "  A LISTING OF CONCENTRATIONS AND RANGES IN OIL AND GAS", [&] { rangeheadings(app, c); },
        [&] {
            long n = listedcompounds(app);
            for (long i = 1; i <= n; ++i)
                addcolumns(app, c[0], "", c[1], "   High....", c[2], fmtsig(highvalue(app, i, 3), 3, 6), c[3],
                           fmtsig(highvalue(app, i, 4), 3, 6), c[4], fmtsig(highvalue(app, i, 5), 3, 6), c[5], "");
        });
}

void cmdwasteconc_Click(App& app) {
    const std::array<long, 6> c{1, 6, 40, 52, 64, 78};
    concentrationlisting(
        app, "  A LISTING OF EMISSIONS IN COMBUSTION STACKS", [&] { rangeheadings(app, c); },
        [&] {
            const ListBox& list = mainwindow(app).List1;
            long n = list.ListCount();
            for (long i = 1; i <= n; ++i)
                addcolumns(app, c[0], fmtsig(static_cast<double>(i), 3, 0), c[1], list.List(static_cast<int>(i - 1)),
                           c[2], "", c[3], "", c[4], "", c[5], "");
        });
}

void cmdwastedes_Click(App& app) {
    const std::array<long, 6> c{1, 10, 20, 30, 50, 60};
    concentrationlisting(
        app, "  A LISTING OF FUEL SOURCES OF " + compoundname(app, app.selcompound),
        [&] {
            addcolumns(app, c[0], "No.", c[1], "STATE", c[2], "RANK", c[3], "FACTOR", c[4], "", c[5], " ");
            addcolumns(app, c[0], "___", c[1], "_____", c[2], "____", c[3], "(ppmw)", c[4], " ", c[5], "");
            reportline(app, std::string_view("  "));
        },
        [] {});  // the fuel sources are not listed
}

void cmdplantemisfacts_Click(App& app) {
    slotreportheading(app, "COAL EMISSION MODIFICATION FACTORS BY PLANT",
                      "NUM UNIT     PART. CONTROL      SCRUBBER        Mg/yr.    emis fact    NO.");
    const frmplants& w = mainwindow(app);
    long lines = 0, slots = slotcount(app);
    for (long slot = 1; slot <= slots; ++slot) {
        double coal = 0, oil = 0, gas = 0;
        compoundemission(app, slot, app.selcompound, coal, oil, gas);
        if (!(coal > 0)) continue;
        const fuelslotrec& s = app.fuelslots(slot);
        reportline(app, Row(rowwidth)
                            .at(1, formatnumber(static_cast<double>(slot), "####"))
                            .at(5, listentry(w.List2, s.devicelistno))
                            .at(15, listentry(w.List6, particulateposition(s.pmcode)))
                            .at(33, listentry(w.List7, so2position(s.so2code)))
                            .at(47, fmtsig(coal / 1000, 2, 5))
                            .at(61, formatnumber(app.coalslotfactor, "#.#####"))
                            .at(71, formatnumber(s.stagedevice(2, slotcoal), "###"))
                            .at(75, formatnumber(s.stagedevice(3, slotcoal), "###"))
                            .text());
        ++lines;
    }
    closeslotreport(app, Row(rowwidth)
                             .at(2, "NATIONAL SUMMARY OF SELECTED COMPOUND")
                             .at(70, fmtsig(static_cast<double>(lines), 4, 0))
                             .text());
}

void cmdsummunits_Click(App& app) {
    slotreportheading(app, "NATIONAL EMISSIONS BY UNIT TYPE",
                      "FUEL UNIT     PART. CONTROL      SCRUBBER        Mg/yr.    emis fact    NO.");
    const frmplants& w = mainwindow(app);
    // Cells by unit type, particulate position, SO2 position and fuel (1 coal, 2 oil, 3 gas),
    // sized by the lists the listing walks (and by the positions a slot can take).
    constexpr long lastunittype = 26;
    const long nu = std::max<long>(lastunittype + 1, w.List2.ListCount());
    const long np = std::max<long>(7, w.List6.ListCount()), ns = std::max<long>(26, w.List7.ListCount());
    struct Cell {
        long count = 0;
        double factor = 0, sum = 0;
    };
    std::vector<Cell> cells(static_cast<std::size_t>(nu * np * ns * 4));
    auto cell = [&](long u, long p, long s, long f) -> Cell& {
        return cells[static_cast<std::size_t>(((u * np + p) * ns + s) * 4 + f)];
    };

    double total = 0, basistotal = 0;
    long slots = slotcount(app);
    for (long slot = 1; slot <= slots; ++slot) {
        std::array<double, 4> part{};
        compoundemission(app, slot, app.selcompound, part[1], part[2], part[3]);
        const std::array<double, 4> factor{0, app.coalslotfactor, app.oilslotfactor, app.gasslotfactor};
        const fuelslotrec& s = app.fuelslots(slot);
        // Every slot counts in the national totals, as it does in the plant report; one whose
        // configuration lies beyond the unit types of the cells has no cell to be listed in.
        const long u = s.devicelistno;
        if (u >= 0 && u < nu) {
            const long p = particulateposition(s.pmcode), q = so2position(s.so2code);
            for (long f = 1; f <= 3; ++f) {
                Cell& c = cell(u, p, q, f);
                if (part[static_cast<std::size_t>(f)] > 0) {
                    c.factor = factor[static_cast<std::size_t>(f)];
                    c.count += 1;
                }
                c.sum += part[static_cast<std::size_t>(f)];
            }
        }
        total += part[1] + part[2] + part[3];
        basistotal += static_cast<double>(s.basis1) + s.basis2 + s.basis3;
    }

    static const char* const fuels[] = {"", "CO", "OI", "GA"};
    long listed = 0;
    for (long u = 1; u <= w.List2.ListCount() - 1; ++u)
        for (long f = 1; f <= 3; ++f)
            for (long b = 1; b <= w.List6.ListCount(); ++b)
                for (long c = 1; c <= w.List7.ListCount(); ++c) {
                    const Cell& x = cell(u, b - 1, c - 1, f);
                    if (x.sum > 0)
                        reportline(app, Row(rowwidth)
                                            .at(1, fuels[f])
                                            .at(5, listentry(w.List2, u))
                                            .at(15, listentry(w.List6, b - 1))
                                            .at(33, listentry(w.List7, c - 1))
                                            .at(47, fmtsig(x.sum / 1000, 2, 5))
                                            .at(61, formatnumber(x.factor, "#.#####"))
                                            .at(70, fmtsig(static_cast<double>(x.count), 4, 0))
                                            .text());
                    listed += x.count;
                }

    Row summary(rowwidth);
    summary.at(2, "NATIONAL SUMMARY OF SELECTED COMPOUND").at(42, fmtsig(total / 1000, 2, 5));
    if (basistotal > 0) summary.at(56, formatnumber(total / basistotal * 1e9, "##.######"));
    summary.at(70, fmtsig(static_cast<double>(listed), 4, 0));
    closeslotreport(app, summary.text());
}

void cmdunitcon_Click(App& app) {
    app.platform.msgbox(
        "This compound is not present in the original fuel data base.  It may originate as a product of combustion.  "
        "The estimated combustion emissions are based upon measured stack emissions rather than measured fuel "
        "concentrations and control devices. ",
        vbOKOnly, "BRASKET");
}

}  // namespace brasket
