// The synthetic example export set: a national fleet of plants and units that exists nowhere,
// made deterministically, with the working files that its exports presuppose (the fuel names
// at the codes the model's fuel tables assume, the device type names at their rows). The
// generator program, the tests and the benchmarks write it through makeexample.
#pragma once
#include <array>
#include <filesystem>

namespace brasket::example {

namespace fs = std::filesystem;

// What the written exports define, for checking an import of them.
struct Summary {
    long plants = 0;
    long units = 0;      // distinct units (a unit may have several lines)
    long unitlines = 0;  // data lines of the unit export
    long analyses = 0;   // analyses over the four quarters
    long fueluselines = 0;
    std::array<long, 4> quarteranalyses{};
};

// Writes the example set into `dir`: the full national fleet, or a small one for tests.
Summary makeexample(const fs::path& dir, bool small);

}  // namespace brasket::example
