// The batch rebuild over the full-size example exports, timed beside a plain read and split of
// the same exports in the same run; the ratio of the two is printed at the end.
#include <cstdio>

#include "app.h"
#include "benchsupport.h"
#include "data/loading.h"
#include "data/workset.h"
#include "import/batchrebuild.h"
#include "ui/scripted_platform.h"

namespace {

namespace fs = std::filesystem;

const fs::path& exampledir() {
    static const brasket::bench::ExampleFolder folder("brasket-bench-batch");
    return folder.dir;
}

// Every line of every export the batch reads, read with getline and split at its TABs.
void PlainReadAndSplit(benchmark::State& state) {
    const fs::path& dir = exampledir();
    for (auto _ : state) benchmark::DoNotOptimize(brasket::bench::plainreadandsplit(dir, brasket::batchexports));
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

}  // namespace

int main(int argc, char** argv) {
    return brasket::bench::runbenchmarks(argc, argv, [](const brasket::bench::RatioReporter& reporter) {
        if (double r = reporter.ratio("BatchRebuild", "PlainReadAndSplit"); r > 0)
            std::printf("the batch rebuild takes %.2f times a plain read and split of the same exports "
                        "(target: within 3)\n",
                        r);
    });
}
