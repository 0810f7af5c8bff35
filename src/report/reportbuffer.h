// The one report line buffer: lines 1.. hold the report, line 0 is the page index.
#pragma once
#include <string>

#include "data/table.h"

namespace brasket {

struct ReportBuffer {
    Table<std::string, 0, 7500> reportbuffer;
    long reportlinecount = 0;
    std::string& pageindex() { return reportbuffer(0); }
    const std::string& pageindex() const { return reportbuffer(0); }
};

}  // namespace brasket
