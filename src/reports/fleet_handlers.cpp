#include "app.h"
#include "reports/fleetreports.h"
#include "ui/handlers.h"

namespace brasket {

void registerfleetreporthandlers(HandlerRegistry& r) {
    const std::string menu = "Reports";
    r.add({"cmdactslusum_Click", "frmplants", menu, "National Emissions of Mercury", cmdactslusum_Click});
    r.add({"cmdnatsummary_Click", "frmplants", menu, "Summary of National Emissions", cmdnatsummary_Click});
    r.add({"cmdstatelist_Click", "frmplants", menu, "List of mercury emissions by state", cmdstatelist_Click});
    r.add({"cmdreportbyregion_Click", "frmplants", menu, "Report by region", cmdreportbyregion_Click});
    r.add({"cmdreportbystate_Click", "frmplants", menu, "Report by state", cmdreportbystate_Click});
    r.add({"cmdunitspecsplus_Click", "frmplants", menu, "unit specifications with plants", cmdunitspecsplus_Click});
    r.add({"cmdunittype_Click", "frmplants", menu, "unit type report", cmdunittype_Click});
    r.add({"cmdus_Click", "frmplants", menu, "summary by unit types", cmdus_Click});
    r.add({"cmdunitspecreport_Click", "frmplants", menu, "Unit speciated emissions", cmdunitspecreport_Click});
    // The buttons of the area frame.
    r.add({"Command16_Click", "frmplants", "", "ALL", Command16_Click});
    r.add({"Command17_Click", "frmplants", "", "NONE", Command17_Click});
    r.add({"Command18_Click", "frmplants", "", "OK", Command18_Click});
}

}  // namespace brasket
