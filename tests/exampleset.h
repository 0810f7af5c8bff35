// The small example working set: the synthetic exports rebuilt into a working set by
// examples/build-example-set.sh, once for each build of the tools, kept in the build folder and
// shared by every test process of that build. Reports over it are compared with golden files.
#pragma once
#include <chrono>
#include <filesystem>
#include <string>

#include "tempfolder.h"

namespace brasket {
struct App;
class ScriptedPlatform;
}

namespace brasket::testing {

// The folder of the shared set. Tests must not write into it: use copyexampleset.
const std::filesystem::path& exampleworkingset();

// The full-size example fleet (the set `./run.sh` opens), built and shared the same way; for
// identity tests over every unit. Tests must not write into it.
const std::filesystem::path& fullexampleworkingset();

// A private copy of the shared set (or of the set `from`) in a fresh temporary folder named
// after `name`, removed with the returned object.
TempFolder copyexampleset(const std::string& name, const std::filesystem::path& from = {});

// The clock of every golden report: 1999-07-14 09:30:15 UTC.
std::chrono::system_clock::time_point fixedclock();

// Fixes the platform's clock and loads the working set of `dir` (the shared set when empty).
void loadexampleset(App& app, ScriptedPlatform& platform, const std::filesystem::path& dir = {});

}  // namespace brasket::testing
