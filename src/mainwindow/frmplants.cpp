#include "mainwindow/frmplants.h"

#include "app.h"

namespace brasket {

frmplants::frmplants() {
    name = "frmplants";
    Visible = false;
    add(List1, "List1");
    add(List2, "List2");
    add(List3, "List3");
    add(List4, "List4");
    add(List5, "List5");
    add(List6, "List6");
    add(List7, "List7");
    add(List8, "List8");
    add(List12, "List12");
    add(List13, "List13");
    add(List15, "List15");
    add(List16, "List16");
    // A click on a compound only shows it.
    List1.onClick = [this] { Label3.Caption = List1.SelectedText(); };
    List12.MultiSelect = true;
    List13.MultiSelect = true;
    List15.MultiSelect = true;
    List16.MultiSelect = true;
    add(Option7, "Option7");
    add(Option9, "Option9");
    add(Option10, "Option10");
    add(Option12, "Option12");
    add(Option13, "Option13");
    Option7.Caption = "Upgrade to baghouse";
    Option9.Caption = "Dry scrubber";
    Option10.Caption = "Wet scrubber";
    Option12.Caption = "ESP particulate control";
    Option13.Caption = "Change all to option";
    add(Check1, "Check1");
    Check1[1].Caption = "Truncate distribution at 1";
    add(Label3, "Label3");
    add(Label9, "Label9");
    add(Label11, "Label11");
    add(Label19, "Label19");
    add(Label22, "Label22");
    add(Picture1, "Picture1");
    add(Frame4, "Frame4");
    add(Frame7, "Frame7");
    Frame4.Caption = "Select the area for emissions";
    Frame7.Caption = "Regulatory requirements";
    add(Command16, "Command16");
    add(Command17, "Command17");
    add(Command18, "Command18");
    add(Command19, "Command19");
    add(Command22, "Command22");
    Command16.Caption = "ALL";
    Command17.Caption = "NONE";
    Command18.Caption = "OK";
    Command19.Caption = "OK";
    Command22.Caption = "fuel speciation table";
}

MenuItem& frmplants::menu(const std::string& nm) { return menuitem(menus_, nm); }

frmplants& mainwindow(App& app) {
    if (!app.main.loaded) {
        app.main.loaded = true;
        frmplants_Load(app);
    }
    return app.main;
}

}  // namespace brasket
