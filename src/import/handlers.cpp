#include "ui/handlers.h"

#include "import/imports.h"
#include "import/testimport.h"

namespace brasket {

void registerimporthandlers(HandlerRegistry& r) {
    const std::string menu = "Update data";
    r.add({"cmdupdateplant_Click", "frmplants", menu, "update plant information from data file", cmdupdateplant_Click});
    r.add({"cmdotherfuel_Click", "frmplants", menu, "update other fuel names", cmdotherfuel_Click});
    r.add({"cmdreadhganalysis_Click", "frmplants", menu, "read mercury analysis data", cmdreadhganalysis_Click});
    r.add({"cmdfuelusageexport_Click", "frmplants", menu, "load fuelusage export", cmdfuelusageexport_Click});
    registertestdataimporthandlers(r);
}

}  // namespace brasket
