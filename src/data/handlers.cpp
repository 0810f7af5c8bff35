#include "app.h"
#include "data/saving.h"
#include "ui/handlers.h"

namespace brasket {

void registerdatahandlers(HandlerRegistry& r) {
    r.add({"cmdsaveallupdate_Click", "frmplants", "File", "Save update of processed files in set",
           cmdsaveallupdate_Click});
    r.add({"cmderase_Click", "frmplants", "File", "Erase all data", cmderase_Click});
}

}  // namespace brasket
