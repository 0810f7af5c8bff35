#include "ui/handlers.h"

#include "model/binfactors.h"

namespace brasket {

void registermodelhandlers(HandlerRegistry& r) {
    r.add({"cmdbincalcs_Click", "frmplants", "Update data", "Bin calculations", cmdbincalcs_Click});
}

}  // namespace brasket
