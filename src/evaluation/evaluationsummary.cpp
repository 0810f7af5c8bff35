// The closing sections of the long evaluation report: 5.0 compares the mercury to the stack
// with the existing and the proposed controls, by form, per fuel and for all fuels; 6.0 gives
// the uncertainty of the estimate: the range of each proposed bin's factor, a Monte Carlo range
// over the five best bins weighed by their desirability, and the second method with its range.
#include <cmath>
#include <cstdio>
#include <string>

#include "app.h"
#include "common/numtext.h"
#include "evaluation/binscan.h"
#include "evaluation/evaluation.h"
#include "evaluation/evaluationtext.h"
#include "evaluation/secondmethod.h"
#include "model/montecarlo.h"
#include "model/testratios.h"
#include "report/numformat.h"
#include "report/reportbuffer.h"
#include "unitwindow/form1.h"

namespace brasket {

namespace {

// A row of a table: a label followed by a field with values at field positions.
struct Cell {
    long position;
    std::string text;
};
void tablerow(App& app, const std::string& label, std::initializer_list<Cell> cells) {
    std::string field = blankfield();
    for (const Cell& c : cells) putinfield(field, c.position, c.text);
    reportline(app, label + field);
}

// A 32-bit float as the plain conversion shows it in a table column: up to seven significant
// digits, a zero before the point, no blank before it.
std::string floattext(float x) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.7g", static_cast<double>(x));
    return buf;
}

std::string rowfuel(const Form1& f, int row) { return f.Combo2[static_cast<std::size_t>(row)].Text(); }

// The fuel summary table of slot `slot` (4: all fuels), or the take-back of its two heading
// lines when the slot has no fuel or no mercury.
void fuelsummarytable(App& app, EvaluationRun& run, int slot, long code, double hgin) {
    if (!(code != nofuelcode && code != 0 && hgin > 0)) {
        takebacklines(app, 2);
        return;
    }
    ++run.tables;
    reportline(app, " ");
    reportline(app, slot == 4 ? std::string("                    Summary for all of the fuels.")
                              : "                    Summary for the fuel " + rowfuel(app.form1, slot));
    reportline(app, "                                  _____Air emissions from the stack___");
    const bool existing = app.newunitflag < 1;
    const std::string& u = run.u;
    if (existing) {
        reportline(app, "                  Hg in fuel      Hg existing        Hg evaluation    ");
        reportline(app, "                   (" + u + ")            (" + u + ")           (" + u + ")");
    } else {
        reportline(app, "                  Hg in fuel                         Hg evaluation    ");
        reportline(app, "                   (" + u + ")                              (" + u + ")");
    }
    const auto& ex = run.hgresults[0][static_cast<std::size_t>(slot)];
    const auto& pr = run.hgresults[1][static_cast<std::size_t>(slot)];
    auto row = [&](const char* label, std::string in, std::string existingvalue, std::string proposed) {
        std::string field = blankfield();
        if (!in.empty()) putinfield(field, 1, in);
        if (existing) putinfield(field, 19, existingvalue);
        putinfield(field, 38, proposed);
        reportline(app, label + field);
    };
    row(" particulate Hg   ", "", fmtnum(ex[1]), fmtnum(pr[1]));
    row(" oxidized Hg      ", "", fmtnum(ex[2]), fmtnum(pr[2]));
    row(" Elemental Hg     ", "", fmtnum(ex[3]), fmtnum(pr[3]));
    row("                  ", "", "___________", "___________");
    row(" Total Hg         ", fmtnum(hgin), fmtnum(ex[0]), fmtnum(pr[0]));
    row("Percent reduction ", "", fmtnum(100 * (hgin - ex[0]) / hgin), fmtnum(100 * (hgin - pr[0]) / hgin));
}

void speciatedcomparison(App& app, EvaluationRun& run) {
    Form1& f = app.form1;
    reportline(app, "5.0  SUMMARY OF THE ESTIMATED EFFECTIVENESS OF THE CONTROLS");
    reportline(app, "   This section compares the performance of the evaluation controls");
    reportline(app, "to the existing controls.  The percent reduction in the following");
    reportline(app, "tables is the amount of the uncontrolled emissions (or the mercury ");
    reportline(app, "that is in the fuel) that are removed by the control device.");
    for (int k = 0; k < 4; ++k) run.hgresults[0][4][static_cast<std::size_t>(k)] = run.hgresults[1][4][static_cast<std::size_t>(k)] = 0;
    run.tables = 0;
    for (int slot = 0; slot <= 4; ++slot) {
        if (slot == 4 && run.tables < 2) break;
        long code = 1;
        double hgin = 0;
        if (slot < 4) {
            code = fuelcode(f, slot);
            hgin = run.hgresults[3][static_cast<std::size_t>(slot)][0];
            reportline(app, " ");
            reportline(app, "    5." + std::to_string(slot + 1) +
                                ". Speciated comparison of current and proposed controls for fuel " +
                                std::to_string(slot + 1));
        } else {
            for (std::size_t g = 0; g < 4; ++g) {
                hgin += run.hgresults[3][g][0];
                for (std::size_t k = 0; k < 4; ++k) {
                    run.hgresults[1][4][k] += run.hgresults[1][g][k];
                    run.hgresults[0][4][k] += run.hgresults[0][g][k];
                }
            }
            reportline(app, " ");
            reportline(app, "    5.5. Speciated comparison of current and proposed controls for the combined fuels.");
        }
        fuelsummarytable(app, run, slot, code, hgin);
    }
}

const char* const introduction[] = {
    "     The estimated control effectiveness by the bin method may have some uncertainty,",
    "   depending upon the test conditions and the operation of the unit that was tested.",
    "   The performance of the control device may depend on the partitioning of the Hg  ",
    "   on the particulate fraction, and this partitioning depends on factors such as",
    "   amount of particulate, the temperature, the residence time, and the type of the ",
    "   coal.  The inclusion of minor supplemental fuels such as petroleum coke, can alter",
    "   the partitioning on the particulate.",
    "     One alternative method for evaluating the uncertainty in estimated performance",
    "   of this selected control system is to perform an alternative evaluation, again ",
    "   based upon the bin method.  The speciation exiting the furnace/boiler is estimated",
    "   based upon the test data, and then the performance of the controls are ",
    "   estimated using separate emission modification factors for each species.",
    "  ",
    "  "};

const char* const rangeheading = "      fuel                        mean value        high           low";

// A row of the range tables: a name and the mean, high and low values.
void rangerow(App& app, const std::string& name, double mean, double high, double low) {
    tablerow(app, "", {{5, name}, {35, fmtnum(mean)}, {50, fmtnum(high)}, {65, fmtnum(low)}});
}

// 6.2: the range of each proposed bin's factor and the emission rates it gives.
void binfactorranges(App& app, EvaluationRun& run) {
    Form1& f = app.form1;
    reportline(app, "   6.2 Bin method estimate of confidence limits");
    reportline(app, "       As a review of the bin method evaluations of the estimate of the uncertainty in the ");
    reportline(app, "   emission modification factors, the following table is presented, with 90% of estimates ");
    reportline(app, "   of emission modification factors expected to fall within the high-low range.");
    reportline(app, "");
    reportline(app, "                                emission modification factors (outlet/inlet)");
    reportline(app, rangeheading);
    auto& er = run.emfrange;
    for (int i = 0; i < 4; ++i) {
        const auto r = static_cast<std::size_t>(i);
        if (nonerow(f, i)) continue;
        rangerow(app, rowfuel(f, i), er[r][1], er[r][2], er[r][3]);
    }
    reportline(app, " ");
    reportline(app, "                              _______________emission rates " + run.U + "________________");
    reportline(app, rangeheading);
    for (int i = 0; i < 4; ++i) {
        const auto r = static_cast<std::size_t>(i);
        if (nonerow(f, i)) continue;
        rangerow(app, rowfuel(f, i), er[r][0] * er[r][1], er[r][0] * er[r][2], er[r][0] * er[r][3]);
        for (std::size_t c = 1; c <= 3; ++c) er[4][c] += er[r][0] * er[r][c];
        er[4][4] += er[r][0];
    }
    reportline(app, " ");
    rangerow(app, "TOTAL ALL FUELS " + run.U, er[4][1], er[4][2], er[4][3]);
    reportline(app, " ");
    if (er[4][4] > 0) {
        const double t = er[4][4];
        rangerow(app, "OVERALL % AIR EMISSIONS", 100 * er[4][1] / t, 100 * er[4][2] / t, 100 * er[4][3] / t);
        rangerow(app, "OVERALL % REMOVED", 100 - 100 * er[4][1] / t, 100 - 100 * er[4][2] / t, 100 - 100 * er[4][3] / t);
    }
}

// 6.3: the five best bins of each row weighed by desirability, and the Monte Carlo range over them.
void binselectionranges(App& app, EvaluationRun& run) {
    Form1& f = app.form1;
    const long g = listcode(f.Combo3[0]), x = listcode(f.Combo3[3]);
    const long pm = listcode(f.Combo3[1]), so2 = listcode(f.Combo3[2]);
    reportline(app, "@NEW PAGE");
    reportline(app, "   6.3 Bin method confidence limits with bin selection uncertainty");
    reportline(app, "      In order to estimate of the effects of both uncertainty in the bin number and the ");
    reportline(app, "   uncertainty in the selection of the bins, the following table presents estimates of");
    reportline(app, "   the probability that selected individual bins correctly match the evaluation");
    reportline(app, "   specifications.  The top 5 matching bins are presented, and their total probability");
    reportline(app, "   is assumed to equal 1.  Some bins may appear twice due to matches with different ");
    reportline(app, "   types of units within the bins.");
    reportline(app, "    ");
    for (int i = 0; i < 4; ++i) {
        app.model.binmatches[0][0][0] = i + 1;
        scanbins(app, fuelclass(f, i), g, x, so2, pm);
    }
    for (int i = 0; i < 4; ++i) {
        if (nonerow(f, i)) continue;
        const auto r = static_cast<std::size_t>(i);
        const auto& matches = app.model.binmatches[r + 1];
        reportline(app, "");
        reportline(app, " For the fuel " + rowfuel(f, i));
        reportline(app, "   _______________bin matches in order of desirability___________________");
        reportline(app, "      bin selection        desirability       probability     emis factor");
        std::array<double, 5> desirability{}, weight{};
        for (std::size_t k = 1; k <= 5; ++k) desirability[k - 1] = matches[k][1];
        const double sum = candidateweights(desirability, weight);
        for (std::size_t k = 1; k <= 5; ++k) {
            run.bincandidates[r][k][0] = matches[k][0];
            run.bincandidates[r][k][1] = weight[k - 1];
        }
        for (std::size_t k = 1; k <= 5; ++k) {
            if (sum > 0) run.bincandidates[r][k][1] = weight[k - 1] / sum;
            const long bin = static_cast<long>(matches[k][0]);
            const float factor = app.ws.binindex.inbounds(bin) ? app.ws.binindex(bin).efactor : 0.0f;
            tablerow(app, "", {{10, formatnumber(matches[k][0], "##")}, {33, formatnumber(matches[k][1], "0.####")},
                               {50, formatnumber(run.bincandidates[r][k][1], "0.####")}, {64, floattext(factor)}});
        }
        reportline(app, "   ______________________________________________________________________");
        reportline(app, " ");
    }
    reportline(app, "                              ______emission modification factors_______");
    reportline(app, rangeheading);
    auto& mc = run.mcrange;
    for (int i = 0; i < 4; ++i) {
        const auto r = static_cast<std::size_t>(i);
        montecarlobins(app, i, run.bincandidates, 0.1, mc[r][1], mc[r][2], mc[r][3]);
        if (nonerow(f, i)) continue;
        rangerow(app, rowfuel(f, i), mc[r][1], mc[r][2], mc[r][3]);
    }
    reportline(app, " ");
    reportline(app, "                              _______________emission rates " + run.U + "________________");
    reportline(app, rangeheading);
    const auto& er = run.emfrange;
    for (int i = 0; i < 4; ++i) {
        const auto r = static_cast<std::size_t>(i);
        if (nonerow(f, i)) continue;
        rangerow(app, rowfuel(f, i), er[r][0] * mc[r][1], er[r][0] * mc[r][2], er[r][0] * mc[r][3]);
        for (std::size_t c = 1; c <= 3; ++c) mc[4][c] += er[r][0] * mc[r][c];
    }
    reportline(app, " ");
    rangerow(app, "TOTAL ALL FUELS", mc[4][1], mc[4][2], mc[4][3]);
}

// 6.4: the second method per fuel, with its confidence range.
void secondmethodsection(App& app, EvaluationRun& run) {
    Form1& f = app.form1;
    const long g = listcode(f.Combo3[0]), x = listcode(f.Combo3[3]);
    const long pm = listcode(f.Combo3[1]), so2 = listcode(f.Combo3[2]);
    reportline(app, "@NEW PAGE");
    reportline(app, "    6.4 Alternative method of estimating emission modification factors (method 2)");
    reportline(app, "");
    for (int slot = 0; slot <= 4; ++slot) {
        const auto sl = static_cast<std::size_t>(slot);
        reportline(app, "  ");
        if (slot > 0) reportline(app, "@NEW PAGE");
        if (slot < 4) {
            if (!nonerow(f, slot))
                reportline(app, "       6.4." + std::to_string(slot + 1) + " for the fuel " + rowfuel(f, slot));
            reportline(app, "________________________________________________________________________");
        } else {
            reportline(app, "       6.4.5 Summary for the combined fuels. ");
        }
        long p = slot < 4 ? fuelclass(f, slot) : 2;
        if (slot == 4 && run.tables < 2) break;
        if (slot < 4) {
            reportline(app, "         a. Estimate of fraction removed for each species");
            controleffectiveness(app, p, g, x, so2, pm, run.hgresults);
            reportline(app, " ");
            reportline(app, "         b. Estimate of speciation for fuel and Furnace/boiler");
            fuelspeciation(app, p, g, x, so2, pm, run.hgresults, slot);
        }
        const double hgin = run.hgresults[3][sl][0];
        if (p == 2 || p == 13 || !(hgin > 0)) continue;
        ++run.tables;
        reportline(app, " ");
        if (slot < 4) {
            reportline(app, "         c. Combined factors a+b for control effectiveness");
            reportline(app, "                    Method 2 for the fuel " + rowfuel(f, slot));
        }
        reportline(app, "                   Hg from Furnace/boiler    EMF             Hg to stack");
        reportline(app, "                         (" + run.u + ")          stack/furnace       (" + run.u + ")");
        const auto& sp = run.hgresults[2][sl];
        const auto& rm = run.hgresults[2][4];
        double t = 0, forms = 0;
        const char* labels[] = {" particulate bound Hg   ", " oxidized Hg            ", " Elemental Hg           "};
        for (std::size_t k = 1; k <= 3; ++k) {
            const double stack = sp[k] * hgin * (1 - rm[k]);
            t += stack;
            forms += sp[k] * hgin;
            tablerow(app, labels[k - 1], {{1, fmtnum(sp[k] * hgin)}, {19, fmtnum(1 - rm[k])}, {38, fmtnum(stack)}});
        }
        // Mercury the speciation gives no form (a speciation without runs, or a partial one)
        // is removed by no form's control: it goes to the stack whole, as the window's factor
        // of this method counts it.
        if (notspeciated(hgin, forms)) {
            t += hgin - forms;
            tablerow(app, " Not speciated Hg       ", {{1, fmtnum(hgin - forms)}, {19, fmtnum(1)}, {38, fmtnum(hgin - forms)}});
        }
        tablerow(app, "                        ", {{1, "___________"}, {19, "___________"}, {38, "___________"}});
        tablerow(app, " Total Hg               ", {{1, fmtnum(hgin)}, {19, " "}, {38, fmtnum(t)}});
        tablerow(app, "                        ", {{38, "-----------"}});
        tablerow(app, " Percent reduction      ", {{38, fmtnum(100 * (hgin - t) / hgin)}});
        run.hgresults[2][sl][0] = t;
        const double m = t / hgin;
        reportline(app, " ");
        reportline(app, "         d. Confidence limits for method 2 emission modification factors");
        reportline(app, "  The uncertainty in this predicted reduction in mercury is estimated by the ");
        reportline(app, "  difference in the predicted mercury removal and the reported mercury measurements in the ");
        reportline(app, "  80 test reports.  The square of the residuals divided by (n-1) is 1.96/77, or");
        reportline(app, "  0.025, and the variance is estimated as 0.025.  The standard deviation is estimated");
        reportline(app, "  as the square root of the variance, or 0.15.  The variance is 3.69% of the mean ");
        reportline(app, "  emission modification factor.");
        const RemovalRange range = secondmethodrange(m);
        reportline(app, "  From a fraction removal of " + fmtnum(range.removed) +
                            " the standard deviation is estimated as " + fmtnum(range.sd));
        reportline(app, " ");
        reportline(app, "For the purpose of estimating the variability of the emission modification factor, a normal ");
        reportline(app, "distribution is assumed.  The t-value for this degree of freedom at 90% confidence is 1.66");
        reportline(app, "The 90% confidence range of the removal is " + formatnumber(range.high, "0.0000") + " to " +
                            formatnumber(range.low, "0.0000"));
        reportline(app, "  ");
        reportline(app, "  ");
    }
}

}  // namespace

RemovalRange secondmethodrange(double m) {
    RemovalRange r;
    r.removed = 1 - m;
    // A factor below 0 (controls said to add mercury) has no variance: its square root counts as 0.
    const double variance = 0.0369 * m;
    r.sd = variance > 0 ? std::sqrt(variance) : 0.0;
    const double n = 77, t = 1.66;
    const double spread = t * r.sd * std::sqrt((n + 1) / n);
    r.high = r.removed + spread;
    r.low = r.removed - spread;
    return r;
}

double candidateweights(const std::array<double, 5>& desirability, std::array<double, 5>& weight) {
    double sum = 0;
    for (std::size_t k = 0; k < 5; ++k) {
        const double d = desirability[k];
        double w = d > 0.8 ? 2 * d : d > 0.3 ? d : 0.5 * d;
        if (k == 0) w *= 1.5;
        weight[k] = w;
        sum += w;
    }
    return sum;
}

void summaryanduncertainty(App& app, EvaluationRun& run) {
    speciatedcomparison(app, run);

    testratios(app);
    // Bins whose draws are multiplied by a run of a second bin.
    static constexpr std::pair<long, long> companions[] = {{10, 1},  {11, 4},  {12, 7},  {19, 13},
                                                           {20, 14}, {33, 21}, {36, 21}, {38, 24}};
    for (auto [bin, second] : companions) app.model.testratiotable(bin, secondbincolumn) = static_cast<double>(second);

    reportline(app, "@NEW PAGE");
    reportline(app, "6.0  EVALUATION OF UNCERTAINTY IN THE ESTIMATED EFFECTIVENESS OF THE CONTROLS");
    reportline(app, " ");
    reportline(app, "   6.1 Introductory Discussion ");
    for (const char* line : introduction) reportline(app, line);
    run.tables = 0;
    binfactorranges(app, run);
    binselectionranges(app, run);
    secondmethodsection(app, run);
}

}  // namespace brasket
