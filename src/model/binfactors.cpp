#include "model/binfactors.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "app.h"
#include "common/numtext.h"
#include "common/textutil.h"
#include "import/testimport.h"
#include "model/binlookup.h"
#include "model/codes.h"
#include "model/montecarlo.h"
#include "model/statistics.h"
#include "model/testratios.h"
#include "model/testrun.h"
#include "report/frmdisplay.h"
#include "report/numformat.h"
#include "report/reportbuffer.h"
#include "report/reportrow.h"
#include "model/testruns.h"

namespace brasket {

namespace {

std::string five(double x) { return formatnumber(x, "#.#####"); }
std::string four(double x) { return formatnumber(x, "0.0000"); }

// The tested unit's boiler/NOx, particulate and SO2 types and the fuel of a test row.
std::string controlstext(const Workset& ws, const binindexrec& row) {
    unitcrec none;
    const unitcrec& u = ws.unitc.inbounds(row.testunit) ? ws.unitc(row.testunit) : none;
    return "  " + trim(devicename(ws, u.modelboiler, furnacecolumn)) + "  " + trim(devicename(ws, u.modelpm, pmcolumn)) +
           "  " + trim(devicename(ws, u.modelso2, so2column)) + "  " + fuellabel(row.testfuel);
}

// What one call gathers from the runs of its bin.
struct BinRuns {
    long n = 0;
    std::vector<double> emf;  // run 1 first
    double sum = 0, squares = 0;
    std::array<double, 3> fractions{};
    long missing = 0;
    RunLayout layout = acrosscontrol;  // of the last run found
    long lastcontrolcount = 0;
    double lastcontrolsum = 0;
    double combined = 0;  // the bin's factor as loaded, once a last-control run is computed
    double mean = 0, sd = 0;
};

// Mean and standard deviation of n values from their sum and sum of squares; a single value
// has no spread and a variance below 0 from rounding counts as 0.
void meanandsd(long n, double sum, double squares, double& mean, double& sd) {
    mean = sum / static_cast<double>(n);
    double variance = n > 1 ? (squares - sum * sum / static_cast<double>(n)) / static_cast<double>(n - 1) : 0;
    sd = std::sqrt(std::max(variance, 0.0));
}

// Step through the test records: each run of the bin is listed, counted and filed.
BinRuns listruns(App& app, long bin) {
    Workset& ws = app.ws;
    BinRuns b;
    if (bin >= 0 && bin <= lasttestratiobin) app.model.testratiotable(bin, 0) = 0;
    const long count = storedtests(ws);
    for (long t = 1; t <= count; ++t) {
        const testrec& rec = ws.test(t);
        const std::string name = trim(rec.testname.str());
        double emf = 0;
        std::array<double, 3> fractions{};
        const binindexrec* remembered = nullptr;
        for (long j = 1; j <= lasttestrow; ++j) {
            const binindexrec& row = ws.binindex(j);
            if (row.testcode != bin || trim(row.testname.str()) != name) continue;
            RunFactor run = runfactor(ws, t, row.testline);
            if (!run.fits) continue;
            remembered = &row;
            if (run.layout == lastcontrol) b.layout = lastcontrol;
            if (!run.computed) continue;
            emf = run.emf;
            fractions = run.fractions;
            if (run.layout == lastcontrol) {
                b.lastcontrolsum += run.emf;
                ++b.lastcontrolcount;
                b.combined = ws.binindex(bin).efactor;
            } else {
                b.layout = run.layout;
            }
        }
        if (!(emf > 0)) continue;
        ++b.n;
        b.emf.push_back(emf);
        filetestratio(app, bin, emf);
        const char* layouttext = b.layout == coaltostack   ? "coal to stack"
                                 : b.layout == lastcontrol ? "last control"
                                                           : "across control";
        Row line(140);
        line.at(2, rec.testname.str()).at(25, runidtext(rec.runid.str())).at(30, five(emf)).at(40, layouttext);
        line.at(55, controlstext(ws, *remembered));
        line.at(100, five(fractions[0])).at(110, five(fractions[1])).at(120, five(fractions[2]));
        reportline(app, line.text());
        b.sum += emf;
        b.squares += emf * emf;
        for (int k = 0; k < 3; ++k) {
            b.fractions[static_cast<std::size_t>(k)] += fractions[static_cast<std::size_t>(k)];
            if (fractions[static_cast<std::size_t>(k)] == 0) ++b.missing;
        }
    }
    return b;
}

// The bin's factor and speciation from its runs; a bin without runs keeps what it has.
void storebinresults(App& app, long bin, BinRuns& b) {
    if (b.n == 0) return;
    meanandsd(b.n, b.sum, b.squares, b.mean, b.sd);
    std::array<double, 3> f{};
    for (std::size_t k = 0; k < 3; ++k) f[k] = b.fractions[k] / static_cast<double>(b.n);
    double total = f[0] + f[1] + f[2];
    if (total > 0)
        for (double& x : f) x /= total;
    binindexrec& row = app.ws.binindex(bin);
    // A composite bin keeps its factor: it is the product of both units in series.
    if (b.layout != lastcontrol) row.efactor = static_cast<f32>(b.sum / static_cast<double>(b.n));
    row.partfrac = static_cast<f32>(f[0]);
    row.oxfrac = static_cast<f32>(f[1]);
    row.elemfrac = static_cast<f32>(f[2]);
}

void setworkvalues(App& app, double mean, double high, double low) {
    app.model.workvalues(1) = mean;
    app.model.workvalues(2) = high;
    app.model.workvalues(3) = low;
}

const char* const notusednotice =
    " The emission modification factor is not used in the model as greater than a value of 1.   ";

void singlebin(App& app, long bin, const std::string& heading, const BinRuns& b) {
    const binindexrec& row = app.ws.binindex(bin);
    const double efactor = row.efactor;
    Row average(130);
    average.at(2, "Average EMF").at(30, five(efactor));
    average.at(100, five(row.partfrac)).at(110, five(row.oxfrac)).at(120, five(row.elemfrac));
    reportline(app, average.text());
    if (efactor > 1) {
        reportline(app, " ");
        reportline(app, notusednotice);
    }
    reportline(app, " ");
    if (b.n == 0) {
        // Without runs the bin's own factor is its estimate.
        setworkvalues(app, efactor, efactor, efactor);
        return;
    }
    const double n = static_cast<double>(b.n);
    const double t = tvalue90(n - 1);
    reportline(app, heading.empty()
                        ? "========Confidence Estimates for the Emission Modification Factor=============="
                        : heading);
    reportline(app, " ");
    reportline(app, "Confidence method 1 is obtained by assuming a normal distribution about the mean.");
    reportline(app, "To estimate the variability of the emission modification factor, estimate=mean +/- "
                    "sigma*t*{(n+1)/n}^.5");
    reportline(app, "The standard deviation (sigma) is " + formatnumber(b.sd, "0.####"));
    reportline(app, "There are " + formatnumber(n, "##") + " measurements of the emission modification factor (n).");
    reportline(app, "The t-value for this degree of freedom at 90% confidence is " + formatnumber(t, "0.0000"));
    const double half = t * b.sd * std::sqrt((n + 1) / n);
    const double high = std::min(b.mean + half, 1.0), low = std::max(b.mean - half, 0.0);
    reportline(app, "The average (mean) is" + fmtnum(b.mean) + ".  The 90% confidence range is " + four(high) +
                        " to " + four(low));
    setworkvalues(app, b.mean, high, low);

    const double sd = std::min(0.3 * efactor, 0.1);
    double mcmean = 0, mchigh = 0, mclow = 0;
    montecarlo2(app, b.n, b.emf, sd, mcmean, mchigh, mclow);
    reportline(app, " ");
    reportline(app, "Confidence method 3 is obtained by randomly selecting points from the bin,");
    reportline(app, "and then adding random variability about that point, from an assumed normal dist.");
    reportline(app, "The method of discrete bin distributions with an individual sd of " + fmtnum(sd));
    reportline(app, "The average is" + fmtnum(mcmean) + ".  The 90% confidence range is " + four(mchigh) + " to " +
                        four(mclow));
}

// The across-control runs of the first unit of a composite bin.
struct FirstUnit {
    std::vector<double> emf;
    double mean = 0, variance = 0;
};

FirstUnit firstunitruns(const App& app, long firstbin) {
    const Workset& ws = app.ws;
    FirstUnit f;
    double sum = 0, squares = 0;
    const long count = storedtests(ws);
    for (long t = 1; t <= count; ++t) {
        const std::string name = trim(ws.test(t).testname.str());
        for (long j = 1; j <= lasttestrow; ++j) {
            const binindexrec& row = ws.binindex(j);
            if (row.testcode != firstbin || row.testline != 1 || trim(row.testname.str()) != name) continue;
            RunFactor run = runfactor(ws, t, 1);
            // A run without inlet mercury has no factor of its own and is left out; a run
            // with nothing leaving counts with its factor 0.
            if (!run.computed) continue;
            f.emf.push_back(run.emf);
            sum += run.emf;
            squares += run.emf * run.emf;
        }
    }
    const long m = static_cast<long>(f.emf.size());
    if (m > 0) {
        double sd;
        meanandsd(m, sum, squares, f.mean, sd);
        f.variance = sd * sd;
    }
    return f;
}

void tablerow(App& app, std::string_view label, long bin, double average, long number, double sd, bool showbin,
              bool shownumber, bool showsd) {
    Row line(80);
    line.at(2, label);
    if (showbin) line.at(30, formatnumber(static_cast<double>(bin), "##"));
    line.at(40, fmtnum(average));
    if (shownumber) line.at(55, formatnumber(static_cast<double>(number), "##"));
    if (showsd) line.at(60, fmtnum(sd));
    reportline(app, line.text());
}

void compositebin(App& app, long bin, long firstbin, const std::string& heading, const BinRuns& b) {
    const binindexrec& row = app.ws.binindex(bin);
    const double second = b.lastcontrolcount > 0 ? b.lastcontrolsum / static_cast<double>(b.lastcontrolcount) : 1;
    Row secondline(130);
    secondline.at(2, "Second unit Average ").at(30, five(second)).at(40, "(two series units, second tested)");
    secondline.at(100, five(row.partfrac)).at(110, five(row.oxfrac)).at(120, five(row.elemfrac));
    reportline(app, secondline.text());
    Row correction(80);
    // Second units that let nothing through leave no ratio to form: the value stays empty
    // rather than an infinite or undefined number.
    correction.at(2, "First unit correction").at(30, second > 0 ? five(b.combined / second) : "");
    correction.at(40, "(two series units, first from bin " + str(firstbin) + ")");
    reportline(app, correction.text());
    Row combined(80);
    combined.at(2, "Combined EMF").at(30, five(b.combined));
    reportline(app, combined.text());
    if (b.combined > 1) reportline(app, notusednotice);
    if (b.missing > 0) {
        reportline(app, " ");
        reportline(app, " ________warning notice_______________________________");
        reportline(app, " There were " + formatnumber(static_cast<double>(b.missing), "#") +
                            " missing exit concentrations in the above table.  Values of zero were assumed.");
        reportline(app, " Because of the magnitude of similar measurements, inspection of the data set did not indicate");
        reportline(app, " unacceptable error in either the emission modification factor or the estimate of exit partitioning ");
        reportline(app, " due to this assumption of zero for the values of the missing data.");
        reportline(app, " ");
    }

    const FirstUnit first = firstunitruns(app, firstbin);
    const long m = static_cast<long>(first.emf.size());
    reportline(app, "");
    reportline(app, "Two factors are multiplied together to obtain the combined factor.");
    reportline(app, "                          bin number     average   number   st.deviation");
    reportline(app, "___________________________________________________________________________");
    tablerow(app, "factor second unit", bin, b.mean, b.n, b.sd, true, true, true);
    tablerow(app, "factor first unit", firstbin, first.mean, m, std::sqrt(first.variance), true, true, true);

    double lncount = 0, lnmean = 0, lnvariance = 0;
    lognormalstats(static_cast<double>(b.n), b.mean, b.sd * b.sd, static_cast<double>(m), first.mean, first.variance,
                   lncount, lnmean, lnvariance);
    tablerow(app, "method 1 (factor1)X(factor2)", 0, lnmean, static_cast<long>(lncount), std::sqrt(lnvariance), false,
             true, true);

    double crmean = 0, crvariance = 0, crcount = 0, crgeomean = 0, crhigh = 0, crlow = 0;
    confidencerange(app, bin, firstbin, crmean, crvariance, crcount, crgeomean, crhigh, crlow);
    tablerow(app, "method 1b lognormal distribution", 0, crmean, static_cast<long>(crcount), std::sqrt(crvariance),
             false, true, true);

    // A first unit without runs of its own draws its own factor, the first unit correction
    // above, without spread: a product with an empty list would read as no mercury leaving.
    const double firstfactor = second > 0 ? b.combined / second : 0;
    const bool firsthasruns = m > 0;
    const double firstmean = firsthasruns ? first.mean : firstfactor;
    const double firstsd = firsthasruns ? std::sqrt(first.variance) : 0;
    const std::vector<double> firstdraws = firsthasruns ? first.emf : std::vector<double>{firstfactor};

    double m1high = 0, m1low = 0, m1mean = 0, m1variance = 0;
    montecarlo1(app, b.mean, b.sd, firstmean, firstsd, m1high, m1low, m1mean, m1variance);
    tablerow(app, "method 2 (factor1)X(factor2)", 0, m1mean, 0, std::sqrt(std::max(m1variance, 0.0)), false, false,
             true);

    double m3mean = 0, m3high = 0, m3low = 0;
    montecarlo3(app, b.n, b.emf, static_cast<long>(firstdraws.size()), firstdraws, 0.05, m3mean, m3high, m3low);
    tablerow(app, "method 3 (factor1)X(factor2)", 0, m3mean, 0, 0, false, false, false);

    reportline(app, "_________________________________________________________________");
    reportline(app, " ");
    reportline(app, heading.empty() ? "======Confidence Estimates for the Emission Modification Factor==========="
                                    : heading);
    reportline(app, " ");
    reportline(app, "The composite emission modification factor is the product of two emission modification factors.");
    reportline(app, "Each of these emission modification factors has an assumed separate normal distribution.  ");
    reportline(app, "Confidence method 1 transforms the two normal distributions to ");
    reportline(app, "log normal distributions. The variance and average were estimated by adding ");
    reportline(app, "the log distributions and then converting back to normal distributions.");
    reportline(app, "Confidence method 1b assumes two lognormal distributions.  The variance");
    reportline(app, "and average were estimated and then converted back to a normal distribution.");
    reportline(app, "The average is" + fmtnum(crmean) + ", and the lognormal mean is" + fmtnum(crgeomean) + ".  ");
    reportline(app, " The 90% confidence range is " + four(crhigh) + " to " + four(crlow));

    reportline(app, " ");
    reportline(app, "The composite emission modification factor is the product of two emission modification factors.");
    reportline(app, "Confidence method 2 is obtained by randomly selecting from two bin normal ");
    reportline(app, "distributions, and then multiplying these numbers together to generate a new");
    reportline(app, " distribution of the composite emission modification factors.");
    reportline(app, "The Monte Carlo average is" + fmtnum(m1mean) + ".  The 90% confidence range is " + four(m1high) +
                        " to " + four(m1low));
    // Without runs of both units the product cannot be formed (it would read as no mercury
    // leaving at all): the bin's own factor is its estimate.
    if (b.n > 0 && m > 0) setworkvalues(app, m1mean, m1high, m1low);
    else setworkvalues(app, row.efactor, row.efactor, row.efactor);
    reportline(app, "");

    reportline(app, "Confidence method 3 is the method of discrete bin distributions.  The confidence");
    reportline(app, "estimate is obtained by randomly selecting a point from the bin, and then adding");
    reportline(app, "random variability about the point, from an assumed normal dist.");
    reportline(app, "The individual point estimate of standard deviation was " + fmtnum(0.05));
    reportline(app, "The average is" + fmtnum(m3mean) + ".  The 90% confidence range is " + four(m3high) + " to " +
                        four(m3low));
    reportline(app, " ");
    reportline(app, "NOTE: the results of the Monte Carlo estimation depend upon random numbers that may differ");
    reportline(app, "      slightly from one evaluation to another.");
}

}  // namespace

std::string runidtext(const std::string& runid) {
    std::string t = trim(runid);
    std::size_t i = 0;
    auto digits = [&] {
        std::size_t from = i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
        return i - from;
    };
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    std::size_t whole = digits(), fraction = 0;
    if (i < t.size() && t[i] == '.') {
        ++i;
        fraction = digits();
    }
    bool number = whole + fraction > 0;
    if (number && i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        number = digits() > 0;
    }
    if (number && i == t.size()) return str(val(t));
    return t;
}

void printbinnumber(App& app, long bin, const std::string& heading) {
    reportline(app, "     ");
    Row title(140);
    title.at(4, "Emission control device type " + str(bin));
    const std::string titletext = title.text();
    reportline(app, titletext);
    Row columns(140);
    columns.at(28, "emission modification factor").at(73, "emission controls").at(100, " speciated mercury fractions");
    reportline(app, columns.text());
    Row names(140);
    names.at(4, "plant").at(23, "run").at(28, "(outlet/inlet)").at(44, "test").at(57, "boiler").at(87, "SOx");
    names.at(93, "fuel").at(78, "PM").at(100, " Part.").at(110, " Oxid.").at(120, "Element.");
    reportline(app, names.text());

    if (bin == unitybin) {
        // The bin without controls: nothing is computed; its factor stands as the estimate.
        Row line(140);
        line.at(2, "no specified controls").at(25, app.ws.binindex(0).testname.str()).at(30, five(0));
        line.at(100, " Part.").at(110, " Oxid.").at(120, "Element.").at(4, titletext);
        reportline(app, line.text());
        const double efactor = app.ws.binindex(bin).efactor;
        setworkvalues(app, efactor, efactor, efactor);
        return;
    }

    // A number beyond the bin table names no bin: there is nothing to compute or store.
    if (!app.ws.binindex.inbounds(bin)) return;
    BinRuns b = listruns(app, bin);
    storebinresults(app, bin, b);
    const long firstbin = firstunitbin(bin);
    reportline(app, "______________________________________________________");
    if (b.layout != lastcontrol) singlebin(app, bin, heading, b);
    else compositebin(app, bin, firstbin, heading, b);
}

void bincalculation(App& app) {
    if (importtests(app) == TestImportEnd::failed) {
        app.platform.msgbox("The bin calculations were not made: the emission tests could not be read. "
                            "The bin factors are as they were.");
        return;
    }
    frmplants& w = mainwindow(app);
    w.MousePointer = 11;
    startreport(app, 0, 0);
    reportline(app, "  A LISTING OF TEST RUNS WITH EMISSION MODIFICATION FACTORS ");
    reportline(app, "   Amount not removed by the control devices");
    reportline(app, " ");
    for (long bin = 0; bin <= 44; ++bin) printbinnumber(app, bin, "");
    reportline(app, "@NEW PAGE");
    reportline(app, "#");
    reportpages(app, app.report.reportlinecount);
    showreport(app);
    w.MousePointer = 1;
}

void cmdbincalcs_Click(App& app) { bincalculation(app); }

}  // namespace brasket
