// Reports of the trace compounds: the compound list, the concentration listings, and the
// emissions and emission modification factors of the unit slots for the selected compound.
#pragma once
#include <string>

namespace brasket {

struct App;

// The 40-character name of compound k as reports print it (blanks for a compound outside the
// table, and for characters never assigned).
std::string compoundname(const App& app, long k);

// "List of compounds"
void cmdcompdnumb_Click(App& app);
// "compounds in oil and gas"
void cmdconcs_Click(App& app);
// "Analysis of combustion data": the highest concentrations of each compound by data kind.
void cmdemisdataq_Click(App& app);
// "compounds in combustion gas"
void cmdwasteconc_Click(App& app);
// "compound concentrations in fuel"
void cmdwastedes_Click(App& app);

// "Plant coal emission factors"
void cmdplantemisfacts_Click(App& app);
// "Summary units and controls"
void cmdsummunits_Click(App& app);
// "compound emission factors": where the factors of such a compound come from.
void cmdunitcon_Click(App& app);

// The list positions of a slot's particulate and SO2 control codes in List6 and List7.
int particulateposition(int pmcode);
int so2position(int so2code);

}  // namespace brasket
