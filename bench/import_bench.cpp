// The imports of the full-size example exports, timed beside a plain read and split of the
// same lines in the same run; the ratio of the two is printed at the end.
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
#include "import/imports.h"
#include "ui/scripted_platform.h"

namespace {

namespace fs = std::filesystem;

const char* const exportfiles[] = {"partIIExport.txt", "partIIExport.txt", "hg1Qdatashort.txt", "hg2Qdatashort.txt",
                                   "hg3Qdatashort.txt", "hg4Qdatashort.txt", "fuelusageexport.txt"};

const fs::path& exampledir() {
    static const fs::path dir = [] {
        fs::path d = fs::temp_directory_path() / ("brasket-bench-" + std::to_string(std::random_device{}()));
        brasket::example::makeexample(d, false);
        return d;
    }();
    return dir;
}

// Every line of every export the imports read (the unit export twice, as the two unit
// readers do), read with getline and split at its TABs.
void PlainReadAndSplit(benchmark::State& state) {
    const fs::path& dir = exampledir();
    for (auto _ : state) {
        std::size_t fields = 0;
        for (const char* name : exportfiles) {
            std::ifstream in(dir / name, std::ios::binary);
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

// The four import steps of the example set build over a loaded working set.
void Imports(benchmark::State& state) {
    const fs::path& dir = exampledir();
    brasket::ScriptedPlatform platform;
    brasket::App app(platform);
    brasket::loadinitial(app, dir);
    for (auto _ : state) {
        brasket::processunits(app, dir / "partIIExport.txt");
        brasket::processunits2(app, dir / "partIIExport.txt");
        brasket::setmeascount(app.ws, 0);
        for (int q = 1; q <= 4; ++q) brasket::processHg(app, dir / ("hg" + std::to_string(q) + "Qdatashort.txt"));
        brasket::processcoal(app, dir / "fuelusageexport.txt");
    }
    state.counters["units"] = static_cast<double>(brasket::unitcount(app.ws));
    state.counters["analyses"] = static_cast<double>(brasket::meascount(app.ws));
}

BENCHMARK(PlainReadAndSplit)->Unit(benchmark::kMillisecond);
BENCHMARK(Imports)->Unit(benchmark::kMillisecond);

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
    auto plain = reporter.times.find("PlainReadAndSplit"), imports = reporter.times.find("Imports");
    if (plain != reporter.times.end() && imports != reporter.times.end() && plain->second > 0)
        std::printf("imports take %.2f times a plain read and split of the same lines (target: within 3)\n",
                    imports->second / plain->second);
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(exampledir(), ec);
    return 0;
}
