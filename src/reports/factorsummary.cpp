// "Emission factor summary": the mercury partition factors derived from the tests, by boiler
// type and fuel, by fuel and fuel-element class, and by fuel and boiler type, each followed by
// the number of data points behind it.
#include "reports/factorsummary.h"

#include <array>
#include <string>

#include "app.h"
#include "common/numtext.h"
#include "common/textutil.h"
#include "model/codes.h"
#include "model/testfactors.h"
#include "report/frmdisplay.h"
#include "report/numformat.h"
#include "report/reportbuffer.h"
#include "report/reportrow.h"
#include "model/testruns.h"

namespace brasket {
namespace {

constexpr std::array<long, 10> fuelrows{0, 3, 4, 5, 6, 7, 8, 9, 10, 11};  // rows 1 and 2 are never listed
constexpr long boilertypes = 23;
constexpr long elementclasses = 18;

const std::string blockline(61, '=');
const std::string rowunderline(90, '_');
constexpr const char* partitionheading =
    "                        _______Partition factors__    ___standard deviation___";
constexpr const char* fuelheading =
    " fuel type              Hg part.  Hg ox.   Hg elem.   Hg part.  Hg ox.   Hg elem.";
constexpr const char* boilerheading =
    " boiler type            Hg part.  Hg ox.   Hg elem.   Hg part.  Hg ox.   Hg elem.";

std::string f5(double x) { return formatnumber(x, "#.#####"); }
std::string count3(double x) { return formatnumber(x, "###"); }

std::string fuellabel(const Workset& ws, long f) { return f == 0 ? "COAL GAS PROCESS" : fuelname(ws, -f); }
// The label as the rows and titles of part 1 carry it: padded and cut to 20 characters.
std::string shortlabel(const Workset& ws, long f) { return left(fuellabel(ws, f) + space(27), 20); }

// The number of tests of a cell as a 16-bit whole number.
long testsof(const emfactorrec& cell) { return cint16(cell.testcount); }

void valuecolumns(Row& row, const emfactorrec& cell, double tests) {
    row.at(25, f5(cell.hgpart)).at(35, f5(cell.hgox)).at(45, f5(cell.hgelem));
    row.at(55, f5(cell.sdpart)).at(65, f5(cell.sdox)).at(75, f5(cell.sdelem));
    row.at(85, count3(tests));
}

void groupblock(App& app, const std::string& title, const char* heading) {
    reportline(app, blockline);
    reportline(app, "");
    reportline(app, title);
    reportline(app, partitionheading);
    reportline(app, heading);
}

// The weighted sums of one group of part 1: the test-weighted fractions and the tests.
struct GroupSums {
    float part = 0, ox = 0, elem = 0;
    long weights = 0;
    long tests = 0;

    // A tested cell joins the sums and fills its row's value columns.
    void add(Row& row, const emfactorrec& cell) {
        const long n = testsof(cell);
        if (n <= 0) return;
        valuecolumns(row, cell, n);
        part += static_cast<float>(n * cell.hgpart);
        ox += static_cast<float>(n * cell.hgox);
        elem += static_cast<float>(n * cell.hgelem);
        weights += n;
        tests += n;
    }
    // The group's fractions normalised by their sum, so that they add up to 1; without tested
    // cells, or with fractions that sum to 0, only the count.
    void totals(App& app) const {
        Row row(90);
        row.at(2, "TOTALS");
        const double d = static_cast<double>(part) + ox + elem;
        if (weights > 0 && d != 0) row.at(25, f5(part / d)).at(35, f5(ox / d)).at(45, f5(elem / d));
        row.at(85, count3(static_cast<double>(tests)));
        reportline(app, rowunderline);
        reportline(app, row.text());
    }
};

// A count summary: one line per entry with its count at column 40, the positive counts totalled.
template <class Entries, class Label>
void countsummary(App& app, const Entries& entries, const std::array<double, 26>& counts, Label label,
                  const std::string& underline) {
    reportline(app, "@NEW PAGE");
    reportline(app, "Summary of number of data points");
    double total = 0;
    for (long k : entries) {
        const double n = counts[static_cast<std::size_t>(k)];
        reportline(app, Row(80).at(2, label(k)).at(40, count3(n)).text());
        if (n > 0) total += n;
    }
    reportline(app, underline);
    reportline(app, Row(80).at(2, "Total").at(40, count3(total)).text());
}

std::array<long, boilertypes> boilerlist() {
    std::array<long, boilertypes> b{};
    for (long i = 0; i < boilertypes; ++i) b[static_cast<std::size_t>(i)] = i + 1;
    return b;
}

}  // namespace

void cmdefsummary_Click(App& app) {
    const Workset& ws = app.ws;
    const auto boilers = boilerlist();
    std::array<double, 26> counts{};
    auto boilername = [&ws](long b) { return devicename(ws, b, furnacecolumn); };

    startreport(app, 2, 2);
    app.report.reportbuffer(1) = "  Estimate of Emission Modification Factors for Units and Fuel Type ";
    reportline(app, "  ");
    reportline(app, "PART 1: SORTING BY BOILER TYPES AND FUEL TYPES");
    reportline(app, "   Measured data presented here.");
    reportline(app, "_________BOILER TYPES ________________");
    reportline(app, blockline);

    // Part 1, by boiler type, then by fuel.
    for (long b : boilers) {
        groupblock(app, " Summary data for boiler type " + boilername(b), fuelheading);
        GroupSums sums;
        for (long f : fuelrows) {
            Row row(90);
            row.at(2, shortlabel(ws, f));
            sums.add(row, ws.emfactorf(f, b));
            reportline(app, row.text());
        }
        sums.totals(app);
        counts[static_cast<std::size_t>(b)] = static_cast<double>(sums.tests);
        reportline(app, "");
    }
    reportline(app, "_________FUEL TYPES ________________");
    reportline(app, blockline);
    for (long f : fuelrows) {
        groupblock(app, " Summary data for fuel type " + shortlabel(ws, f), boilerheading);
        GroupSums sums;
        for (long b : boilers) {
            Row row(90);
            row.at(2, boilername(b));
            sums.add(row, ws.emfactorf(f, b));
            reportline(app, row.text());
        }
        sums.totals(app);
        reportline(app, "");
    }
    countsummary(app, boilers, counts, boilername, rowunderline);

    // Part 2, by fuel and fuel-element class; a fuel's count is its tests in the two sulfur classes.
    reportline(app, "@NEW PAGE");
    reportline(app, "PART 2: SORTING BY FUEL TYPES AND FUEL ELEMENTS");
    reportline(app, "  ");
    reportline(app, "_________FUEL TYPES ________________");
    counts.fill(0);
    for (long f : fuelrows) {
        groupblock(app, " Summary data for fuel type " + fuellabel(ws, f), fuelheading);
        for (long e = 1; e <= elementclasses; ++e) {
            const emfactorrec& cell = ws.emfactorfs(f, e);
            Row row(90);
            row.at(2, fuelelementclasslabels[static_cast<std::size_t>(e)]);
            if (cell.testcount > 0) valuecolumns(row, cell, cell.testcount);
            reportline(app, row.text());
        }
        reportline(app, rowunderline);
        reportline(app, "");
        counts[static_cast<std::size_t>(f)] =
            static_cast<double>(ws.emfactorfs(f, 1).testcount) + ws.emfactorfs(f, 2).testcount;
    }
    auto label = [&ws](long f) { return fuellabel(ws, f); };
    std::array<double, 26> sixteenbit{};
    for (long f : fuelrows) sixteenbit[static_cast<std::size_t>(f)] = cint16(counts[static_cast<std::size_t>(f)]);
    countsummary(app, fuelrows, sixteenbit, label, std::string(33, '_'));

    // Part 3, by fuel and boiler type: every cell whatever its tests, as the model completed it.
    reportline(app, "  ");
    reportline(app, "PART 3: SORTING BY FUEL TYPES AND BOILER TYPES");
    reportline(app, "  ");
    switch (app.opt.missingfactormode) {
    case 0: reportline(app, "Missing factors by average boiler type."); break;
    case 1: reportline(app, "Missing factors by average fuel type."); break;
    case 2: reportline(app, "Missing factors by similar boiler type."); break;
    default: break;
    }
    reportline(app, "_________FUEL TYPES ________________");
    for (long f : fuelrows) {
        groupblock(app, " Summary data for fuel type " + fuellabel(ws, f), boilerheading);
        long tests = 0;
        for (long b : boilers) {
            const emfactorrec& cell = ws.emfactorf(f, b);
            Row row(90);
            row.at(2, left(boilername(b), 20));
            valuecolumns(row, cell, static_cast<double>(testsof(cell)));
            reportline(app, row.text());
            tests += testsof(cell);
        }
        reportline(app, rowunderline);
        reportline(app, Row(90).at(2, "TOTALS").at(85, count3(static_cast<double>(tests))).text());
        counts[static_cast<std::size_t>(f)] = static_cast<double>(tests);
        reportline(app, "");
    }
    countsummary(app, fuelrows, counts, [&ws](long f) { return fuellabel(ws, f) + space(27); }, rowunderline);

    reportline(app, "#");
    reportpages(app, app.report.reportlinecount);
    showreport(app);
}

}  // namespace brasket
