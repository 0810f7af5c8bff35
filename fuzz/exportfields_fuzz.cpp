// The export line splitter and field cleaning over any bytes: lines cut as the readers cut
// them, each line split into fields, each field cleaned, unquoted, read as a date and looked up
// as a fuel, a type and a device name. A name looked up twice must give the same code both
// times: a second row for the same name would give the units of one fuel or device two codes.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app.h"
#include "fuzzfolder.h"
#include "import/exportfields.h"
#include "import/importconduct.h"
#include "ui/scripted_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brasket;
    const auto& dir = fuzz::scratchfolder("exportfields");
    fuzz::clear(dir);
    ScriptedPlatform platform;
    App app(platform);
    app.datapath = app.importpath = dir;  // the warning log of the name lists
    for (long k = 1; k <= 100; ++k) app.ws.idfuel(k).code = static_cast<u8>(k);

    ExportLines lines(std::string(reinterpret_cast<const char*>(data), size));
    std::string_view line;
    CTXT fields;
    while (lines.next(line)) {
        splitline(line, fields);
        for (std::string& f : fields) {
            std::string u = unquoted(f);
            int year = 0, month = 0;
            readdate(f, year, month);
            for (const char* category : {"fuel", "boiler", "pms"}) {
                std::string first = f, again = f;
                if (codelookup(app, category, first) != codelookup(app, category, again)) std::abort();
            }
            cleanfield(f);
        }
    }
    return 0;
}
