// The export line splitter and field cleaning over any bytes: lines cut as the readers cut
// them, each line split into fields, each field cleaned, unquoted and read as a date.
#include <cstdint>
#include <string>
#include <string_view>

#include "import/exportfields.h"
#include "import/importconduct.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brasket;
    ExportLines lines(std::string(reinterpret_cast<const char*>(data), size));
    std::string_view line;
    CTXT fields;
    while (lines.next(line)) {
        splitline(line, fields);
        for (std::string& f : fields) {
            std::string u = unquoted(f);
            int year = 0, month = 0;
            readdate(f, year, month);
            cleanfield(f);
        }
    }
    return 0;
}
