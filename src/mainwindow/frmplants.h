// The main window model: plant and unit lists, option frames and lists, the busy panel and
// status labels, the flowsheet picture, and the menu items.
#pragma once
#include <array>
#include <map>
#include <memory>
#include <string>

#include "ui/controls.h"
#include "ui/platform.h"

namespace brasket {

struct App;

class frmplants : public Form {
public:
    frmplants();

    // Lists
    ListBox List1;   // compounds: entry k - 1 names compound k
    ListBox List2;   // control devices: "No Controls", then the devices of the emission data
    ListBox List3;   // plants: entry k - 1 is plant k
    ListBox List4;   // fuel types: 13 fuel names and five blends
    ListBox List5;   // boiler (and NOx) types: "no spec." and 25 names
    ListBox List6;   // particulate control types: "no spec." and 20 names
    ListBox List7;   // SO2 control types: "no spec." and 11 names
    ListBox List8;   // units of the chosen plant: entry k - 1 is the unit at position k
    ListBox List12;  // states (multi-select): "AL   ( 4)"
    ListBox List13;  // regions (multi-select): "Region1".."Region10"
    ListBox List15;  // particulate controls of the area frame
    ListBox List16;  // SO2 controls of the area frame

    // Control-upgrade options
    OptionButton Option7;   // "Upgrade to baghouse"
    OptionButton Option9;   // "Dry scrubber"
    OptionButton Option10;  // "Wet scrubber"
    OptionButton Option12;  // "ESP particulate control"
    OptionButton Option13;  // "Change all to option"

    std::array<CheckBox, 4> Check1;  // Check1(1): "Truncate distribution at 1"

    // Busy panel and status labels
    Label Label3;   // the chosen compound
    Label Label9;   // status of the bin-number reports
    Label Label11;  // status of the import menu items
    Label Label19;  // busy panel caption
    Label Label22;  // busy panel progress bar

    PictureBox Picture1;  // flowsheet of the selected unit

    Frame Frame4;  // "Select the area for emissions"
    Frame Frame7;  // "Regulatory requirements"
    CommandButton Command16, Command17, Command18, Command19, Command22;

    FileDialog CommonDialog1;

    // Menu items by name ("cmderase", "cmdsaveallupdate", ...), created on first use.
    MenuItem& menu(const std::string& name);
    const std::map<std::string, std::unique_ptr<MenuItem>>& menus() const { return menus_; }

private:
    std::map<std::string, std::unique_ptr<MenuItem>> menus_;
};

// The main window, created at the first use of one of its controls: its load handler runs
// to its end before the first use completes.
frmplants& mainwindow(App& app);

// The main window's load handler: option start values, the state and region lists, the
// option lists and the banner.
void frmplants_Load(App& app);
// Shows or hides the maintenance items of the main window's menus (hidden when it loads).
void setmaintenancevisible(frmplants& m, bool visible);

// The region number of a state entry of List12: the number read from its 7th character on.
int stateregion(const frmplants& m, int entry);
// The region click rule: List12's selection becomes exactly the states of the selected regions.
void List13_Click(frmplants& m);

}  // namespace brasket
