// The Monte Carlo estimates beside the bare cost of their random draws in the same run (the
// ratio is printed at the end), and the whole bin listing over the full-size example set.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app.h"
#include "benchsupport.h"
#include "data/loading.h"
#include "model/binfactors.h"
#include "model/montecarlo.h"
#include "ui/scripted_platform.h"

namespace {

namespace fs = std::filesystem;
using namespace brasket;

const std::vector<double> runs{0.31, 0.42, 0.38, 0.55, 0.47, 0.29, 0.61, 0.44, 0.36, 0.50,
                               0.40, 0.33, 0.58, 0.45, 0.39, 0.52, 0.48, 0.35, 0.43, 0.41};

// The random numbers of one estimate of the product of two bins (montecarlo3): per draw two
// run positions and two deviates, drawn and summed without the estimate around them.
void BareDraws(benchmark::State& state) {
    ScriptedPlatform platform;
    App app(platform);
    for (auto _ : state) {
        app.rng.reseed(static_cast<std::uint64_t>(platform.now().time_since_epoch().count()));
        double sum = 0;
        for (long i = 0; i < montecarlodraws; ++i) {
            sum += app.rng.next();
            sum += app.rng.next();
            sum += deviatedraw(app);
            sum += deviatedraw(app);
        }
        benchmark::DoNotOptimize(sum);
    }
}

void MonteCarloEstimate(benchmark::State& state) {
    ScriptedPlatform platform;
    App app(platform);
    for (auto _ : state) {
        double mean, high, low;
        montecarlo3(app, 20, runs, 12, runs, 0.05, mean, high, low);
        benchmark::DoNotOptimize(mean);
        benchmark::DoNotOptimize(high);
    }
}

// The full-size example exports rebuilt into a working set, as the example build does.
const fs::path& exampledir() {
    static const brasket::bench::ExampleFolder folder("brasket-bench-bins");
    static const bool imported = [] {
        ScriptedPlatform platform;
        App app(platform);
        loadinitial(app, folder.dir);
        brasket::bench::importexampleset(app, platform, folder.dir, true);
        return true;
    }();
    (void)imported;
    return folder.dir;
}

// "Bin calculations": the test import, bins 0..44 with their estimates, the report shown.
void BinListing(benchmark::State& state) {
    const fs::path& dir = exampledir();
    ScriptedPlatform platform;
    auto app = std::make_unique<App>(platform);
    loadinitial(*app, dir);
    for (auto _ : state) {
        platform.answers.push_back((dir / "boilertest.txt").string());
        cmdbincalcs_Click(*app);
    }
    state.counters["lines"] = static_cast<double>(app->report.reportlinecount);
    if (!platform.messages.empty()) state.SkipWithError(platform.messages.front().c_str());
}

BENCHMARK(BareDraws)->Unit(benchmark::kMicrosecond);
BENCHMARK(MonteCarloEstimate)->Unit(benchmark::kMicrosecond);
BENCHMARK(BinListing)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return brasket::bench::runbenchmarks(argc, argv, [](const brasket::bench::RatioReporter& reporter) {
        if (double r = reporter.ratio("MonteCarloEstimate", "BareDraws"); r > 0)
            std::printf("a Monte Carlo estimate takes %.2f times the bare cost of its draws (target: within 2)\n", r);
    });
}
