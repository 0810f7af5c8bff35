// The imports of the full-size example exports, timed beside a plain read and split of the
// same lines in the same run; the ratio of the two is printed at the end.
#include <cstdio>

#include "app.h"
#include "benchsupport.h"
#include "data/loading.h"
#include "import/imports.h"
#include "ui/scripted_platform.h"

namespace {

namespace fs = std::filesystem;

const char* const exportfiles[] = {"partIIExport.txt", "partIIExport.txt", "hg1Qdatashort.txt", "hg2Qdatashort.txt",
                                   "hg3Qdatashort.txt", "hg4Qdatashort.txt", "fuelusageexport.txt"};

const fs::path& exampledir() {
    static const brasket::bench::ExampleFolder folder("brasket-bench");
    return folder.dir;
}

// Every line of every export the imports read (the unit export twice, as the two unit
// readers do), read with getline and split at its TABs.
void PlainReadAndSplit(benchmark::State& state) {
    const fs::path& dir = exampledir();
    for (auto _ : state) benchmark::DoNotOptimize(brasket::bench::plainreadandsplit(dir, exportfiles));
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

}  // namespace

int main(int argc, char** argv) {
    return brasket::bench::runbenchmarks(argc, argv, [](const brasket::bench::RatioReporter& reporter) {
        if (double r = reporter.ratio("Imports", "PlainReadAndSplit"); r > 0)
            std::printf("imports take %.2f times a plain read and split of the same lines (target: within 3)\n", r);
    });
}
