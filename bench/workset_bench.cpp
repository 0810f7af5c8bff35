// Loading and saving a working set filled to the bounds of its tables, timed beside a plain
// read of the same files in the same run. Prints the ratio of loading to the plain read.
#include <benchmark/benchmark.h>

#include <iostream>
#include <map>
#include <set>

#include "../tests/workset_files.h"
#include "app.h"
#include "data/filebytes.h"
#include "data/loading.h"
#include "data/saving.h"
#include "data/textfiles.h"
#include "ui/scripted_platform.h"

namespace {

using namespace brasket;
using namespace brasket::testing;

// A data folder holding a working set at the tables' full bounds.
const TempFolder& fullset() {
    static TempFolder folder;
    static TempFolder* dir = [] {
        auto* d = &folder;
        SetSize n;
        n.plants = 500;
        n.units = 2000;
        n.analyses = 55000;
        n.owners = 500;
        n.operators = 500;
        n.suppliers = 2000;
        n.fueluseunits = 2000;
        n.tests = 500;
        writeworkset(d->path(), n);
        auto names = [](const std::string& stem, int count) {
            std::vector<std::string> v;
            for (int k = 1; k <= count; ++k) v.push_back(stem + " type " + std::to_string(k));
            return v;
        };
        writefile(*d / "boiler.dat", namelisttext(names("Boiler", 300)));
        writefile(*d / "pm.dat", namelisttext(names("Particulate", 300)));
        writefile(*d / "scrub.dat", namelisttext(names("Scrubber", 300)));
        writefile(*d / "nox.dat", namelisttext(names("NOx", 400)));
        // The bin statistics count units, so at most one cell per unit of the fleet is in use:
        // 2000 cells spread over the whole table.
        BinGrid<i16> count;
        BinGrid<f32> mercury;
        for (long u = 0; u < 2000; ++u) {
            long cell = u * 155;  // 2000 distinct cells of the 310 284
            int e = static_cast<int>(cell % count.nd), c = static_cast<int>(cell / count.nd % count.nc);
            int b = static_cast<int>(cell / count.nd / count.nc % count.nb);
            int a = static_cast<int>(cell / count.nd / count.nc / count.nb);
            count(a, b, c, e) = static_cast<i16>(1 + u % 40);
            mercury(a, b, c, e) = static_cast<f32>(u * 0.37 + 0.011);
        }
        writefile(*d / "binnumber.dat", binnumbertext(count, mercury));
        return d;
    }();
    return *dir;
}

std::map<std::string, double> seconds;  // real time per iteration, by benchmark name

void BM_PlainRead(benchmark::State& state) {
    const auto& dir = fullset();
    std::string bytes;
    for (auto _ : state) {
        std::size_t total = 0;
        for (const auto& name : worksetfilenames()) {
            readfilebytes(dir / name, bytes);
            total += bytes.size();
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);

void BM_Load(benchmark::State& state) {
    const auto& dir = fullset();
    ScriptedPlatform platform;
    App app(platform);
    for (auto _ : state) {
        loadinitial(app, dir.path());
        benchmark::DoNotOptimize(app.ws.meas(55000));
    }
    if (!platform.messages.empty()) state.SkipWithError(platform.messages.front().c_str());
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);

void BM_Save(benchmark::State& state) {
    const auto& dir = fullset();
    ScriptedPlatform platform;
    App app(platform);
    loadinitial(app, dir.path());
    for (auto _ : state) cmdsaveallupdate_Click(app);
    if (!platform.messages.empty()) state.SkipWithError(platform.messages.front().c_str());
}
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's time so that the ratio can be printed after the runs.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        // One repetition's time, or the median when repetitions are aggregated.
        for (const auto& r : runs) {
            const std::string& name = r.run_name.function_name;
            if (r.run_type == Run::RT_Iteration && r.iterations > 0 && !medians_.count(name))
                seconds[name] = r.real_accumulated_time / static_cast<double>(r.iterations);
            if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median") {
                seconds[name] = r.GetAdjustedRealTime() / 1000.0;  // reported in milliseconds
                medians_.insert(name);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

private:
    std::set<std::string> medians_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    if (seconds.count("BM_Load") && seconds.count("BM_PlainRead") && seconds["BM_PlainRead"] > 0)
        std::cout << "loading / plain read of the same files: " << seconds["BM_Load"] / seconds["BM_PlainRead"]
                  << " (target: within 3)\n";
    benchmark::Shutdown();
    return 0;
}
