// The start-up loader over a fuzzed working file: the first byte chooses the file, the rest
// is its content; the other files of the set are absent. The loaded tables are then encoded
// as a save would write them (without writing them).
#include <cstdint>
#include <string>
#include <vector>

#include "app.h"
#include "data/loading.h"
#include "data/saving.h"
#include "fuzzfolder.h"
#include "ui/scripted_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brasket;
    static const std::vector<std::string> files = [] {
        std::vector<std::string> f = savedfilenames();
        for (const char* more : {"partfactors1.dat", "partfactors2.dat", "states.prn", "saving.commit", "saving.begin"})
            f.push_back(more);
        return f;
    }();
    auto in = fuzz::select(data, size, static_cast<unsigned>(files.size()));
    const auto& dir = fuzz::scratchfolder("loading");
    fuzz::clear(dir);
    fuzz::writebytes(dir / files[in.choice], in.content);
    ScriptedPlatform platform;
    App app(platform);
    loadinitial(app, dir);
    worksetimages(app);
    return 0;
}
