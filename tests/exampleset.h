// The small example working set: the synthetic exports rebuilt into a working set by
// examples/build-example-set.sh, once for each build of the tools, and shared by every test
// process of that build. Reports over it are compared with golden files.
#pragma once
#include <chrono>
#include <filesystem>
#include <string>

namespace brasket {
struct App;
class ScriptedPlatform;
}

namespace brasket::testing {

// The folder of the shared set. Tests must not write into it: use copyexampleset.
const std::filesystem::path& exampleworkingset();

// A private copy of the shared set in a fresh temporary folder named after `name`.
std::filesystem::path copyexampleset(const std::string& name);

// The clock of every golden report: 1999-07-14 09:30:15 UTC.
std::chrono::system_clock::time_point fixedclock();

// Fixes the platform's clock and loads the working set of `dir` (the shared set when empty).
void loadexampleset(App& app, ScriptedPlatform& platform, const std::filesystem::path& dir = {});

}  // namespace brasket::testing
