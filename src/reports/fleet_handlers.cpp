#include "app.h"
#include "reports/fleetreports.h"
#include "ui/handlers.h"

namespace brasket {

void registerfleetreporthandlers(HandlerRegistry& r) {
    const std::string menu = "Reports";
    r.add({"cmdunittype_Click", "frmplants", menu, "unit type report", cmdunittype_Click});
}

}  // namespace brasket
