#include "exampleset.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "app.h"
#include "data/loading.h"
#include "ui/scripted_platform.h"

namespace fs = std::filesystem;

namespace brasket::testing {

namespace {

// Builds the example set of the given size once for each build of the tools, in the build
// folder's cache (removed with the build): built aside and renamed into place, so parallel test
// processes never see half a set. The sets of earlier builds of the tools are removed then.
fs::path buildexampleset(const std::string& size) {
    const fs::path tools = BRASKET_TOOLS_DIR;
    const fs::path cache = BRASKET_TEST_CACHE;
    // A new build of either tool, or a changed build script, gives a new set.
    const auto stamp = std::max({fs::last_write_time(tools / "brasket-batch"),
                                 fs::last_write_time(tools / "brasket-make-example"),
                                 fs::last_write_time(fs::path(BRASKET_SOURCE_DIR) / "examples/build-example-set.sh")})
                           .time_since_epoch()
                           .count();
    const std::string prefix = "example-" + size + "-";
    const fs::path final = cache / (prefix + std::to_string(stamp));
    if (fs::exists(final / "complete")) return final;
    fs::create_directories(cache);
    const fs::path work = final.string() + ".build-" + std::to_string(::getpid());
    fs::remove_all(work);
    const std::string command = std::string("\"") + BRASKET_SOURCE_DIR + "/examples/build-example-set.sh\" \"" +
                                tools.string() + "\" \"" + work.string() + "\"" +
                                (size == "small" ? " --small" : "") + " >\"" + work.string() + ".log\" 2>&1";
    if (std::system(command.c_str()) != 0) {
        ADD_FAILURE() << "the example working set could not be built: see " << work << ".log";
        return work;
    }
    std::ofstream(work / "complete") << "built\n";
    std::error_code ec;
    fs::rename(work, final, ec);
    if (ec) fs::remove_all(work);  // another process was first
    fs::remove(work.string() + ".log", ec);
    // The complete sets of earlier builds (a set still being built carries ".build-" in its name).
    for (const auto& e : fs::directory_iterator(cache, ec)) {
        const std::string name = e.path().filename().string();
        if (name.rfind(prefix, 0) == 0 && e.path() != final && name.find(".build-") == std::string::npos)
            fs::remove_all(e.path(), ec);
    }
    return final;
}

}  // namespace

const fs::path& exampleworkingset() {
    static const fs::path dir = buildexampleset("small");
    return dir;
}

const fs::path& fullexampleworkingset() {
    static const fs::path dir = buildexampleset("full");
    return dir;
}

TempFolder copyexampleset(const std::string& name, const fs::path& from) {
    TempFolder dir("example-" + name);
    fs::copy(from.empty() ? exampleworkingset() : from, dir.path(), fs::copy_options::recursive);
    return dir;
}

std::chrono::system_clock::time_point fixedclock() {
    return std::chrono::system_clock::time_point{} + std::chrono::seconds(931944615);  // 1999-07-14 09:30:15 UTC
}

void loadexampleset(App& app, ScriptedPlatform& platform, const fs::path& dir) {
    platform.clock = fixedclock();
    loadinitial(app, dir.empty() ? exampleworkingset() : dir);
}

}  // namespace brasket::testing
