// The about box, which also serves as the start-up progress panel.
#pragma once
#include "ui/controls.h"

namespace brasket {

class frmabout : public Form {
public:
    frmabout() {
        name = "frmabout";
        Visible = false;
        add(Label6, "Label6");
    }
    Label Label6;  // the progress caption during the start-up loading
};

}  // namespace brasket
