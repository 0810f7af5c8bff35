// The fleet reports over the full-size example working set, each timed beside a plain pass
// over the same burn records in the same run; the ratios are printed at the end.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "../examples/examplegen.h"
#include "app.h"
#include "data/loading.h"
#include "reports/fleetreports.h"
#include "ui/scripted_platform.h"

namespace {

namespace fs = std::filesystem;

// The full-size exports imported into a working set, as the example set build does it.
struct FullSet {
    fs::path dir;
    brasket::ScriptedPlatform platform;
    brasket::App app{platform};
    FullSet() {
        dir = fs::temp_directory_path() / ("brasket-fleet-bench-" + std::to_string(std::random_device{}()));
        brasket::example::makeexample(dir, false);
        brasket::loadinitial(app, dir);
        const std::string any = (dir / "partIIExport.txt").string();
        for (int k = 0; k < 5; ++k) platform.answers.push_back(any);
        platform.answers.push_back((dir / "dornvelt factors.txt").string());
        for (const char* h : {"cmdupdateplant_Click", "cmdreadhganalysis_Click", "cmdfuelusageexport_Click",
                              "cmdmakeEF_Click", "cmdloadbin_Click", "cmdupdatebininfo_Click", "cmdupdateconc_Click"})
            app.handlers.find(h)->run(app);
    }
    ~FullSet() {
        std::error_code ec;
        fs::remove_all(dir, ec);
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

void UnitTypeReport(benchmark::State& state) {
    brasket::App& app = fullset().app;
    for (auto _ : state) brasket::cmdunittype_Click(app);
    state.counters["lines"] = static_cast<double>(app.report.reportlinecount);
}

void StateReport(benchmark::State& state) {
    brasket::App& app = fullset().app;
    for (auto _ : state) brasket::cmdstatelist_Click(app);
    state.counters["lines"] = static_cast<double>(app.report.reportlinecount);
}

BENCHMARK(PlainPassOverBurnRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(UnitTypeReport)->Unit(benchmark::kMillisecond);
BENCHMARK(StateReport)->Unit(benchmark::kMillisecond);

class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> times;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& r : runs) times[r.benchmark_name()] = r.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto plain = reporter.times.find("PlainPassOverBurnRecords");
    if (plain != reporter.times.end() && plain->second > 0) {
        for (const char* report : {"UnitTypeReport", "StateReport"}) {
            const auto t = reporter.times.find(report);
            if (t != reporter.times.end())
                std::printf("\n%s takes %.2f times a plain pass over the same burn records\n", report,
                            t->second / plain->second);
        }
    }
    benchmark::Shutdown();
    return 0;
}
