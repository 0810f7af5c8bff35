#include "model/fuelcorrelation.h"
#include "model/testfactors.h"
#include "ui/handlers.h"

namespace brasket {

// The factor derivation from the tests and the model switches of the main window. Each
// switch's caption names the mode in force: the bin method and arithmetic means at start.
void registerfactorhandlers(HandlerRegistry& r) {
    r.add({"cmdupdateef_Click", "frmplants", "Update data", "update emission factors/QA", cmdupdateef_Click});
    r.add({"cmdburncorrelation_Click", "frmplants", "Options", "%part. by bin method", cmdburncorrelation_Click});
    r.add({"cmdemissionfactorset_Click", "frmplants", "Options", "now average EF", cmdemissionfactorset_Click});
    r.add({"Command22_Click", "frmplants", "", "fuel speciation table", Command22_Click});
}

}  // namespace brasket
