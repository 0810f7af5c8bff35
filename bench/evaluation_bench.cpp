// One whole evaluation of a unit (every stage, the long report included) timed beside the
// Monte Carlo draws of its uncertainty section alone. Prints the ratio of the two.
#include <benchmark/benchmark.h>

#include <iostream>
#include <map>
#include <set>

#include "../tests/workset_files.h"
#include "app.h"
#include "data/loading.h"
#include "model/montecarlo.h"
#include "ui/scripted_platform.h"
#include "unitwindow/form1.h"

namespace {

using namespace brasket;
using namespace brasket::testing;

std::map<std::string, double> seconds;  // real time per iteration, by benchmark name

// A loaded working set with the evaluation window open on a unit burning four fuels.
struct Evaluation {
    TempFolder dir;
    ScriptedPlatform platform;
    App app{platform};
    Evaluation() {
        writeworkset(dir.path());
        loadinitial(app, dir.path());
        app.currentunit = 1;
        cmdevaluateunit_Click(app);
        const char* hg[] = {"2.5", "0.12", "0.3", "0.08"};
        const char* tons[] = {"10000", "4000", "2500", "800"};
        for (std::size_t i = 0; i < 4; ++i) {
            app.form1.Combo2[i].setListIndex(static_cast<int>(2 + i));
            app.form1.Text1[i].setText(hg[i]);
            app.form1.Text2[i].setText(tons[i]);
        }
        app.form1.Combo3[1].setListIndex(2);
        app.form1.Combo3[2].setListIndex(8);
    }
};

void BM_WholeEvaluation(benchmark::State& state) {
    Evaluation e;
    for (auto _ : state) {
        cmdreport_Click(e.app);
        benchmark::DoNotOptimize(e.app.report.reportlinecount);
    }
}
BENCHMARK(BM_WholeEvaluation)->Unit(benchmark::kMillisecond);

// The draws of section 6.3: four fuel rows, five candidate bins each.
void BM_MonteCarloDraws(benchmark::State& state) {
    Evaluation e;
    BinCandidates candidates{};
    for (std::size_t f = 0; f < 4; ++f)
        for (std::size_t k = 1; k <= 5; ++k) candidates[f][k] = {static_cast<double>(k), 0.2};
    double mean = 0, high = 0, low = 0;
    for (auto _ : state) {
        for (long f = 0; f < 4; ++f) montecarlobins(e.app, f, candidates, 0.1, mean, high, low);
        benchmark::DoNotOptimize(mean);
    }
}
BENCHMARK(BM_MonteCarloDraws)->Unit(benchmark::kMillisecond);

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& r : runs)
            if (r.run_type == Run::RT_Iteration && r.iterations > 0)
                seconds[r.run_name.function_name] = r.real_accumulated_time / static_cast<double>(r.iterations);
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    if (seconds.count("BM_WholeEvaluation") && seconds.count("BM_MonteCarloDraws") && seconds["BM_MonteCarloDraws"] > 0)
        std::cout << "whole evaluation / its Monte Carlo draws alone: "
                  << seconds["BM_WholeEvaluation"] / seconds["BM_MonteCarloDraws"] << "\n";
    benchmark::Shutdown();
    return 0;
}
