#include "import/compounddata.h"
#include "ui/handlers.h"

namespace brasket {

// The menu items of the compound, supplier and partition factor imports.
void registercompoundimporthandlers(HandlerRegistry& r) {
    const std::string menu = "Update data";
    r.add({"cmdemisf_Click", "frmplants", menu, "Load emission factor data", cmdemisf_Click});
    r.add({"cmdcompdtype_Click", "frmplants", menu, "update compound type", cmdcompdtype_Click});
    r.add({"cmdupdatetraceoil_Click", "frmplants", menu, "update oil data", cmdupdatetraceoil_Click});
    r.add({"cmdupdcoal_Click", "frmplants", menu, "update coal data", cmdupdcoal_Click});
    r.add({"cmdupgas_Click", "frmplants", menu, "update gas data", cmdupgas_Click});
    r.add({"cmdloadsupplier_Click", "frmplants", menu, "load supplier mercury info.", cmdloadsupplier_Click});
    r.add({"cmdloadefacts_Click", "Form1", menu, "load emis factors", cmdloadefacts_Click});
}

}  // namespace brasket
