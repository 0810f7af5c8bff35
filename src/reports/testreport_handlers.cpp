#include "reports/testdata.h"
#include "ui/handlers.h"

namespace brasket {

// The menu items of the test data reports.
void registertestreporthandlers(HandlerRegistry& r) {
    const std::string menu = "Emission factors";
    r.add({"cmdemissfactorrept_Click", "frmplants", menu, "Emission factor report", cmdemissfactorrept_Click});
    r.add({"cmdtotalremovalreport_Click", "frmplants", menu, "total removal test report", cmdtotalremovalreport_Click});
}

}  // namespace brasket
