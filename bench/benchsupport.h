// What the benchmarks share: the full-size example exports in a folder of their own, the
// working set the single import items build from them, a plain read and split of export lines
// to time a subject beside, and a reporter that keeps each run's time for the printed ratios.
#pragma once
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "../tools/examplegen.h"
#include "app.h"
#include "import/importconduct.h"
#include "ui/scripted_platform.h"

namespace brasket::bench {

namespace fs = std::filesystem;

// A temporary folder holding the full-size example exports; removed with the object.
struct ExampleFolder {
    fs::path dir;
    explicit ExampleFolder(const std::string& prefix)
        : dir(fs::temp_directory_path() / (prefix + "-" + std::to_string(std::random_device{}()))) {
        example::makeexample(dir, false);
    }
    ~ExampleFolder() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    ExampleFolder(const ExampleFolder&) = delete;
    ExampleFolder& operator=(const ExampleFolder&) = delete;
};

// The exports of `dir` imported into the loaded working set by the single import items, as
// the example set build does it; saved too when `save` is set.
inline void importexampleset(App& app, ScriptedPlatform& platform, const fs::path& dir, bool save) {
    const std::string any = (dir / "partIIExport.txt").string();
    for (int k = 0; k < 5; ++k) platform.answers.push_back(any);
    platform.answers.push_back((dir / "dornvelt factors.txt").string());
    for (const char* h : {"cmdupdateplant_Click", "cmdreadhganalysis_Click", "cmdfuelusageexport_Click",
                          "cmdmakeEF_Click", "cmdloadbin_Click", "cmdupdatebininfo_Click", "cmdupdateconc_Click"})
        app.handlers.find(h)->run(app);
    if (save) app.handlers.find("cmdsaveallupdate_Click")->run(app);
}

// Every line of the named exports of `dir` (names matched without regard to letter case),
// read with getline and split at its TABs; the count of fields.
template <class Names>
std::size_t plainreadandsplit(const fs::path& dir, const Names& names) {
    std::size_t fields = 0;
    for (const char* name : names) {
        std::ifstream in(dir / name, std::ios::binary);
        if (!in) in.open(findexport(dir / name).value_or(dir / name), std::ios::binary);
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
    return fields;
}

// The console reporter, keeping each benchmark's time for the ratios printed after the runs.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& r : runs) times_[r.benchmark_name()] = r.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    // The time of `subject` over that of `base`; 0 when either did not run.
    double ratio(const std::string& subject, const std::string& base) const {
        auto s = times_.find(subject), b = times_.find(base);
        if (s == times_.end() || b == times_.end() || b->second <= 0) return 0;
        return s->second / b->second;
    }

private:
    std::map<std::string, double> times_;
};

// Runs the benchmarks the command line selects with the ratio reporter, then tells the
// ratios through `tell`.
template <class Tell>
int runbenchmarks(int argc, char** argv, Tell tell) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    tell(reporter);
    benchmark::Shutdown();
    return 0;
}

}  // namespace brasket::bench
