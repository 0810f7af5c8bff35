#include "import/batchrebuild.h"
#include "ui/handlers.h"

namespace brasket {

void registerbatchhandlers(HandlerRegistry& r) {
    r.add({"cmdupdateall_Click", "frmplants", "Update data", "Load and process set from all data files ",
           cmdupdateall_Click});
}

}  // namespace brasket
