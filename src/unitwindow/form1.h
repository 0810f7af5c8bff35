// The unit evaluation window model: four fuel rows (fuel, mercury content, tons a month), the
// unit's existing configuration (locked), the proposed configuration, and the result cells that
// the evaluation writes. Captions of the result cells are the results: every later step reads
// them back as numbers with `val`.
#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "ui/controls.h"

namespace brasket {

struct App;

// Back colours of the bin and factor cells, 0xBBGGRR (the first is the system's button face).
inline constexpr long buttonfacecolor = 0x8000000F;
inline constexpr long yellowcell = 0xC0FFFF;  // no exact match
inline constexpr long orangecell = 0xC0E0FF;  // computer assigned best match; factor limited to 1
inline constexpr long groupmatchcell = 0xC000FF;  // found by boiler group and NOx group
// Text colours of the percent cells.
inline constexpr long blacktext = 0x000000;
inline constexpr long redtext = 0x0000FF;

// The fuel list of every row: item data by position (the second entry is the empty row).
inline constexpr std::array<long, 18> fuelitemdata{102, 202, 203, 204, 205, 206, 207, 208, 209,
                                                   210, 211, 212, 213, 403, 304, 407, 307, 308};
inline constexpr long nofuelcode = 202;
// Blend entries after the thirteen fuel names.
inline constexpr std::array<const char*, 5> blendnames{"Subbit/Bit", "Bit/subBit", "Subbit/PetCoke", "Bit/PetCoke",
                                                       "Bit/WasteBit"};

class Form1 : public Form {
public:
    Form1();

    // Existing configuration, locked; the selected position is the code.
    // 0 boiler/NOx model type, 1 particulate model type, 2 SO2 model type, 3 specified NOx control.
    std::array<ComboBox, 4> Combo1;
    // Fuel of each row: position + 1 is the fuel class, item data the fuel code.
    std::array<ComboBox, 4> Combo2;
    // Proposed configuration: 0 boiler group, 1 particulate code, 2 SO2 code, 3 NOx group.
    std::array<ComboBox, 4> Combo3;
    std::array<TextBox, 4> Text1;  // mercury in the fuel, ppm by weight
    std::array<TextBox, 4> Text2;  // fuel burnt, dry short tons a month

    // Result cells: 4i mercury in, 4i + 1 existing, 4i + 2 proposed, 4i + 3 percent reduction of
    // row i; 16 total percent reduction; 17 overall fraction emitted.
    std::array<Label, 18> Label3;
    Label Label12;                   // busy flag: "N" while evaluation is blocked, "Y" otherwise (hidden)
    Label Label13;                   // summary sentences
    std::array<Label, 4> Label14;    // bin of each row's proposed configuration
    Label Label15;                   // heading of the bin column: "bins" or "M 2"
    Label Label17;                   // the plant's street address
    Label Label25;                   // percent removed by the proposed controls
    std::array<Label, 4> Label26;    // factor of each row's proposed configuration with the percent removed
    ListBox List1;                   // mercury help: suppliers of the row's fuel

    CommandButton Command1;   // "update"
    CommandButton Command2;   // "matching bins 1"
    CommandButton Command3;   // "report as lb/yr." (kilogram and pound toggle)
    CommandButton Command4;   // "Change  Method Shown"
    CommandButton Command13;  // "bin display update"

    // Menu items by name ("cmdreport", "cmdbinassignments", ...), created on first use.
    MenuItem& menu(const std::string& name);
    const std::map<std::string, std::unique_ptr<MenuItem>>& menus() const { return menus_; }

    // Settings of the window read by the evaluation.
    std::int16_t methodflag = 1;   // 1 the bin method's results shown, otherwise the second method's
    std::int16_t warnlevel = 1;    // 0 bin-match warning shown, 1 held for now, 2 off
    std::int16_t showdetails = 1;  // 1 detail controls shown, 0 the simplified form
    std::int16_t loadingflag = 0;  // 1 while the window loads a unit: change handlers do not evaluate
    std::array<std::int16_t, 4> matchlevel{};  // match level of each row's bin (0 while searching, 1..5)
    long mercuryhelprow = -1;      // the row whose mercury help List1 shows

private:
    std::map<std::string, std::unique_ptr<MenuItem>> menus_;
};

// Reading the window's rows. A row without a selected fuel counts as a row without fuel.
long fuelcode(const Form1& f, int row);   // item data of the selected entry (202 none)
long fuelclass(const Form1& f, int row);  // position of the selected entry + 1 (2 none)
bool hasfuel(const Form1& f, int row);    // fuel code neither 202 nor 0
// The code a configuration list shows: its selected position, 0 when none is selected.
long listcode(const ComboBox& c);
// True when the row's shown fuel text begins with "NONE".
bool nonerow(const Form1& f, int row);

// The window, loaded on its first use (its load handler runs before the use completes).
Form1& unitwindow(App& app);

// Handlers of the window. The change handlers skip the evaluation while `loadingflag` is 1.
void Form1_Load(App& app);
void Form1_Activate(App& app);
void Combo2_Click(App& app, int row);
void Combo3_Click(App& app, int list);
void Combo3_Change(App& app, int list);
void Text1_Change(App& app, int row);
void Text2_Change(App& app, int row);
void Command1_Click(App& app);  // "update"
void Command3_Click(App& app);  // kilogram and pound toggle
void Command4_Click(App& app);  // "Change  Method Shown"
void cmdreport_Click(App& app); // "view the report": the long evaluation report
void cmdbinassignments_Click(App& app);
void Form1_Command2_Click(App& app);  // "matching bins 1"
void Text1_GotFocus(App& app, int row);  // opens the mercury help of the row
void List1_Click(App& app);

// The least unit chooser of the main window: a plant of List3 lists its units, a unit is
// chosen, and "Evaluate unit" opens the evaluation window on it.
void List3_Click(App& app);
void chooseunit(App& app, int position);  // position in the unit list, from 0
void cmdevaluateunit_Click(App& app);
// Selects unit u as the main window's choice would; false when u is no unit of a plant.
bool selectunit(App& app, long u);
// Makes the plant list and the unit list of the main window run the chooser.
void wireunitchooser(App& app);

}  // namespace brasket
