// The batch rebuild over the full-size example exports, timed beside a plain read and split of
// the same exports in the same run; the ratio of the two is printed at the end.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "../examples/examplegen.h"
#include "app.h"
#include "data/loading.h"
#include "data/workset.h"
#include "import/batchrebuild.h"
#include "ui/scripted_platform.h"

namespace {

namespace fs = std::filesystem;

const fs::path& exampledir() {
    static const fs::path dir = [] {
        fs::path d = fs::temp_directory_path() / ("brasket-bench-batch-" + std::to_string(std::random_device{}()));
        brasket::example::makeexample(d, false);
        return d;
    }();
    return dir;
}

// Every line of every export the batch reads, read with getline and split at its TABs.
void PlainReadAndSplit(benchmark::State& state) {
    const fs::path& dir = exampledir();
    for (auto _ : state) {
        std::size_t fields = 0;
        for (const char* name : brasket::batchexports) {
            std::ifstream in(dir / name, std::ios::binary);
            if (!in) in.open(dir / "partIIExport.txt", std::ios::binary);  // the second spelling of one file
            std::string line;
            std::vector<std::string> parts;
            while (std::getline(in, line)) {
                parts.clear();
                std::size_t pos = 0;
                for (;;) {
                    std::size_t tab = line.find('\t', pos);
                    parts.emplace_back(line, pos, tab == std::string::npos ? std::string::npos : tab - pos);
                    if (tab == std::string::npos) break;
                    pos = tab + 1;
                }
                fields += parts.size();
            }
        }
        benchmark::DoNotOptimize(fields);
    }
}

// The whole batch rebuild, every step, over a working set loaded from the same folder.
void BatchRebuild(benchmark::State& state) {
    const fs::path& dir = exampledir();
    brasket::ScriptedPlatform platform;
    brasket::App app(platform);
    brasket::loadinitial(app, dir);
    for (auto _ : state) brasket::cmdupdateall_Click(app);
    state.counters["units"] = static_cast<double>(brasket::unitcount(app.ws));
    state.counters["analyses"] = static_cast<double>(brasket::meascount(app.ws));
    state.counters["tests"] = static_cast<double>(brasket::testcount(app.ws));
    state.counters["messages"] = static_cast<double>(platform.messages.size());
}

BENCHMARK(PlainReadAndSplit)->Unit(benchmark::kMillisecond);
BENCHMARK(BatchRebuild)->Unit(benchmark::kMillisecond);

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
    auto plain = reporter.times.find("PlainReadAndSplit"), batch = reporter.times.find("BatchRebuild");
    if (plain != reporter.times.end() && batch != reporter.times.end() && plain->second > 0)
        std::printf("the batch rebuild takes %.2f times a plain read and split of the same exports (target: within 3)\n",
                    batch->second / plain->second);
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(exampledir(), ec);
    return 0;
}
