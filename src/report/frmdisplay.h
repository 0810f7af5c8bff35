// The report window model.
#pragma once
#include "ui/controls.h"

namespace brasket {

class frmDisplay : public Form {
public:
    frmDisplay() {
        name = "frmDisplay";
        Visible = false;
        Caption = "Data Display";
    }
};

}  // namespace brasket
