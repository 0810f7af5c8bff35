// The fleet reports over the full-size example working set, each timed beside a plain pass
// over the same burn records in the same run; the ratios are printed at the end.
#include <cstdio>

#include "app.h"
#include "benchsupport.h"
#include "data/loading.h"
#include "ui/scripted_platform.h"

namespace {

namespace fs = std::filesystem;

// The full-size exports imported into a working set, as the example set build does it.
struct FullSet {
    brasket::bench::ExampleFolder folder{"brasket-fleet-bench"};
    brasket::ScriptedPlatform platform;
    brasket::App app{platform};
    FullSet() {
        brasket::loadinitial(app, folder.dir);
        brasket::bench::importexampleset(app, platform, folder.dir, false);
    }
};
FullSet& fullset() {
    static FullSet set;
    return set;
}

// Every burn record of every unit's plant fuels: the mercury in, summed by plant fuel.
void PlainPassOverBurnRecords(benchmark::State& state) {
    const brasket::Workset& ws = fullset().app.ws;
    const long n = brasket::unitcount(ws);
    for (auto _ : state) {
        double kg = 0;
        for (long u = 1; u <= n; ++u) {
            const long p = ws.idunit(u).plantno;
            if (p < 0 || p > 500) continue;
            for (std::size_t s = 1; s <= 10; ++s) {
                const long f = ws.plant(p).fuelno[s];
                if (f <= 0) continue;
                for (std::size_t k = 1; k <= 4; ++k)
                    for (long m = 1; m <= 12; ++m) {
                        const brasket::unitcoalrec& r = ws.unitcoal(u, m);
                        if (r.fuelnum[k] == f) kg += 0.0009072 * r.drytons[k] * r.hgppm[k];
                    }
            }
        }
        benchmark::DoNotOptimize(kg);
    }
    state.counters["units"] = static_cast<double>(n);
}

// A report run as its menu item runs it, through the handler registry (which keeps the warning
// log open for the run).
void runhandler(brasket::App& app, const char* name) { app.handlers.find(name)->run(app); }

void UnitTypeReport(benchmark::State& state) {
    brasket::App& app = fullset().app;
    for (auto _ : state) runhandler(app, "cmdunittype_Click");
    state.counters["lines"] = static_cast<double>(app.report.reportlinecount);
}

void StateReport(benchmark::State& state) {
    brasket::App& app = fullset().app;
    for (auto _ : state) runhandler(app, "cmdstatelist_Click");
    state.counters["lines"] = static_cast<double>(app.report.reportlinecount);
}

void NationalReport(benchmark::State& state) {
    brasket::App& app = fullset().app;
    for (auto _ : state) runhandler(app, "cmdactslusum_Click");
    state.counters["lines"] = static_cast<double>(app.report.reportlinecount);
}

// The summary lists the classes of the bin-number table as the unit type report left them.
void NationalSummary(benchmark::State& state) {
    brasket::App& app = fullset().app;
    runhandler(app, "cmdunittype_Click");
    for (auto _ : state) runhandler(app, "cmdnatsummary_Click");
    state.counters["lines"] = static_cast<double>(app.report.reportlinecount);
}

BENCHMARK(PlainPassOverBurnRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(UnitTypeReport)->Unit(benchmark::kMillisecond);
BENCHMARK(StateReport)->Unit(benchmark::kMillisecond);
BENCHMARK(NationalReport)->Unit(benchmark::kMillisecond);
BENCHMARK(NationalSummary)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return brasket::bench::runbenchmarks(argc, argv, [](const brasket::bench::RatioReporter& reporter) {
        for (const char* report : {"UnitTypeReport", "StateReport", "NationalReport", "NationalSummary"}) {
            if (double r = reporter.ratio(report, "PlainPassOverBurnRecords"); r > 0)
                std::printf("\n%s takes %.2f times a plain pass over the same burn records\n", report, r);
        }
    });
}
