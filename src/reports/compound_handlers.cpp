#include "reports/compounds.h"
#include "reports/inputnames.h"
#include "reports/unitproperties.h"
#include "ui/handlers.h"

namespace brasket {

// The menu items of the compound reports, the unit property listings and the names of input data.
void registercompoundreporthandlers(HandlerRegistry& r) {
    const std::string compounds = "Trace compounds";
    r.add({"cmdcompdnumb_Click", "frmplants", compounds, "List of compounds", cmdcompdnumb_Click});
    r.add({"cmdconcs_Click", "frmplants", compounds, "compounds in oil and gas", cmdconcs_Click});
    r.add({"cmdemisdataq_Click", "frmplants", compounds, "Analysis of combustion data", cmdemisdataq_Click});
    r.add({"cmdwasteconc_Click", "frmplants", compounds, "compounds in combustion gas", cmdwasteconc_Click});
    r.add({"cmdwastedes_Click", "frmplants", compounds, "compound concentrations in fuel", cmdwastedes_Click});
    r.add({"cmdplantemisfacts_Click", "frmplants", compounds, "Plant coal emission factors", cmdplantemisfacts_Click});
    r.add({"cmdsummunits_Click", "frmplants", compounds, "Summary units and controls", cmdsummunits_Click});
    r.add({"cmdunitcon_Click", "frmplants", compounds, "compound emission factors", cmdunitcon_Click});
    const std::string listings = "Data listings";
    r.add({"cmddefdatabase_Click", "frmplants", listings, "show default data base", cmddefdatabase_Click});
    r.add({"cmddetailed_Click", "frmplants", listings, "Unit description forms", cmddetailed_Click});
    r.add({"cmdnames_Click", "frmplants", listings, "names of input data", cmdnames_Click});
}

}  // namespace brasket
