// The emission test data behind the emission modification factors: the sections that list
// the test runs of one device type with their speciation, factors, means and mercury
// material balances, and the two reports built from them.
#pragma once

#include <vector>

#include "data/records.h"
#include "report/reportrow.h"
#include "model/testruns.h"

namespace brasket {

struct App;

// The row of a boiler run, 80 wide: its name, its run and its three outlet forms.
Row outletrow(const testrec& t);
// The row of a control device run, 120 wide: its name, its run, its inlet and outlet forms.
Row controlrow(const testrec& t);

// The rows of the boiler runs of type c with their outlet speciation (a run without outlet
// mercury has none); returns the number of rows.
long speciationrows(App& app, long c);
// For a boiler type without runs of its own: the line saying so, then a row for each boiler
// type that has tests, with its stored speciation, or with `totalonly` its total factor.
void othertypesrows(App& app, bool totalonly);
// The column headings and the rows of the accepted control runs of a kind and type code: inlet
// and outlet forms, oxygen correction and the factor of each form. Returns the accepted runs.
std::vector<ListedRun> controlfactorrows(App& app, int kind, long code);

// Section modes: the device family whose runs a section lists.
enum TestSectionMode : long {
    boilersection = 0,       // boiler/NOx type: outlet speciation of the boiler runs
    so2section = 1,          // SO2 control type: factors of the SO2 control runs
    particulatesection = 2,  // particulate control type: factors of the particulate runs
    balancesection = 3,      // mercury material balance of the boiler runs of one type
    balancelistsection = 4,  // material balance listing of every boiler run
};

// Appends the test data of device type `code` in the section of `mode`: the device is first
// resolved (modelled-as types, the parts of a composite particulate device), then each part
// gets its section. Balance sections add to app.balance.
void testdatareport(App& app, long mode, long code);

// The same resolution with sections that speak of total mercury only (boiler mercury out
// over mercury in, total factors, the control effectiveness of a particulate device). Balance
// modes write only the entry line.
void unittestreport(App& app, long mode, long code);

// The material balance table of the boiler runs of one type code: the column headings, a row
// per run, the underline and the average ratio; the ratios join app.balance.
void balancetable(App& app, long typecode);

// "total removal test report": the material balances of the boiler tests by type, then those
// of the boiler tests whose type was not recognised.
void cmdtotalremovalreport_Click(App& app);

// "Emission factor report": the test data of every device type, the material balances by
// boiler type with their summary, and the balance listing of every boiler run.
void cmdemissfactorrept_Click(App& app);

}  // namespace brasket
