#include "app.h"
#include "evaluation/matchlevels.h"
#include "ui/handlers.h"
#include "unitwindow/form1.h"

namespace brasket {

void registerunitwindowhandlers(HandlerRegistry& r) {
    r.add({"cmdevaluateunit_Click", "frmplants", "Unit", "Evaluate unit", cmdevaluateunit_Click});
    r.add({"cmdreport_Click", "Form1", "Report", "view the report", cmdreport_Click});
    r.add({"cmdbinassignments_Click", "Form1", "Report", "bin assignments", cmdbinassignments_Click});
    r.add({"Form1.Command1_Click", "Form1", "", "update", [](App& app) { unitwindow(app); Command1_Click(app); }});
    r.add({"Form1.Command2_Click", "Form1", "", "matching bins 1", Form1_Command2_Click});
    r.add({"Form1.Command3_Click", "Form1", "", "report as lb/yr.", [](App& app) { unitwindow(app); Command3_Click(app); }});
    r.add({"Form1.Command4_Click", "Form1", "", "Change  Method Shown",
           [](App& app) { unitwindow(app); Command4_Click(app); }});
    r.add({"Command13_Click", "Form1", "", "bin display update", [](App& app) { unitwindow(app); Command13_Click(app); }});
}

}  // namespace brasket
