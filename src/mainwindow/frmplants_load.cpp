#include "app.h"
#include "mainwindow/frmplants.h"

namespace brasket {

void frmplants_Load(App& app) {
    Options& o = app.opt;
    o.efmeanoption = 1;
    o.databaseyear = 90;
    o.calcmode = 1;
    o.emisset = 1;
    o.gasmedianoption = 1;
    o.partcorrmode = 100;
    o.estimatemissing = 0;
    o.concset = 1;
}

}  // namespace brasket
