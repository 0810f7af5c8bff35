#include "unitwindow/form1.h"

#include "common/textutil.h"

namespace brasket {

Form1::Form1() {
    name = "Form1";
    Caption = "Unit evaluation";
    Visible = false;
    add(Combo1, "Combo1");
    add(Combo2, "Combo2");
    add(Combo3, "Combo3");
    add(Text1, "Text1");
    add(Text2, "Text2");
    add(Label3, "Label3");
    add(Label12, "Label12");
    add(Label13, "Label13");
    add(Label14, "Label14");
    add(Label15, "Label15");
    add(Label17, "Label17");
    add(Label25, "Label25");
    add(Label26, "Label26");
    add(List1, "List1");
    add(Command1, "Command1");
    add(Command2, "Command2");
    add(Command3, "Command3");
    add(Command4, "Command4");
    add(Command13, "Command13");
    for (auto& c : Combo1) c.Locked = true;
    Label12.Caption = "Y";
    Label12.Visible = false;
    Label15.Caption = "bins";
    List1.Visible = false;
    Command1.Caption = "update";
    Command2.Caption = "matching bins 1";
    Command3.Caption = "report as lb/yr.";
    Command4.Caption = "Change  Method Shown";
    Command13.Caption = "bin display update";
}

MenuItem& Form1::menu(const std::string& nm) { return menuitem(menus_, nm); }

long fuelcode(const Form1& f, int row) {
    const ComboBox& c = f.Combo2.at(static_cast<std::size_t>(row));
    if (c.ListIndex() < 0) return nofuelcode;
    return c.ItemData(c.ListIndex());
}

long fuelclass(const Form1& f, int row) {
    const ComboBox& c = f.Combo2.at(static_cast<std::size_t>(row));
    if (c.ListIndex() < 0) return 2;
    return c.ListIndex() + 1;
}

bool hasfuel(const Form1& f, int row) {
    long code = fuelcode(f, row);
    return code != nofuelcode && code != 0;
}

long listcode(const ComboBox& c) { return c.ListIndex() < 0 ? 0 : c.ListIndex(); }

bool nonerow(const Form1& f, int row) { return left(f.Combo2.at(static_cast<std::size_t>(row)).Text(), 4) == "NONE"; }

}  // namespace brasket
