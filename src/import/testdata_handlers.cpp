#include "import/bininfo.h"
#include "import/concentrations.h"
#include "import/testimport.h"
#include "ui/handlers.h"

namespace brasket {

// The menu items of the emission test, bin information and concentration imports.
void registertestdataimporthandlers(HandlerRegistry& r) {
    const std::string menu = "Update data";
    r.add({"cmdmakeEF_Click", "frmplants", menu, "Load and process test data to EF", cmdmakeEF_Click});
    r.add({"cmdloadbin_Click", "frmplants", menu, "load bin information", cmdloadbin_Click});
    r.add({"cmdupdatebininfo_Click", "frmplants", menu, "Bin information", cmdupdatebininfo_Click});
    r.add({"cmdupdateconc_Click", "frmplants", menu, "Update concentration data/QA", cmdupdateconc_Click});
}

}  // namespace brasket
