#include "import/fuelchecks.h"
#include "reports/binspeciation.h"
#include "reports/datascan.h"
#include "reports/factorexample.h"
#include "reports/factorsummary.h"
#include "ui/handlers.h"

namespace brasket {

// The menu items of the factor example, the factor summary, the data scan and the fuel checks.
void registersummaryreporthandlers(HandlerRegistry& r) {
    const std::string menu = "Emission factors";
    r.add({"cmdflowsheet_Click", "frmplants", menu, "example calculation of EF", cmdflowsheet_Click});
    r.add({"cmdefsummary_Click", "frmplants", menu, "Emission factor summary", cmdefsummary_Click});
    r.add({"cmddatascan_Click", "frmplants", menu, "Unit data scan summary", cmddatascan_Click});
    // The fuel data checks sit with the other data checks.
    const std::string checks = "Update data";
    r.add({"cmdworkunit_Click", "frmplants", checks, "Burn data QA", cmdworkunit_Click});
    r.add({"cmdmercury_conc_Click", "frmplants", checks, "mercury-gas conc. /QA", cmdmercury_conc_Click});
    r.add({"Command19_Click", "frmplants", "", "OK", Command19_Click});
    // The bin labels of the evaluation window's four fuel rows, pressed with either button.
    for (int row = 0; row < 4; ++row) {
        for (int button : {leftbutton, rightbutton}) {
            const std::string side = button == leftbutton ? "Left" : "Right";
            r.add({"Form1.Label14_MouseDown" + std::to_string(row) + side, "Form1", "", "bin " + side + " press",
                   [row, button](App& app) { Label14_MouseDown(app, row, button); }});
        }
    }
}

}  // namespace brasket
