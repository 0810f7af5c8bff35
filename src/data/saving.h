// Saving the working tables back to the data folder as one set, erasing them in memory, and
// loading the emission data of the current emission factor set.
#pragma once

namespace brasket {

struct App;

// "Save update of processed files in set": writes every working file of the set from its
// table. The set is written to temporaries and renamed into place, so a failure leaves the
// previous files whole; it is told in a message naming the file.
void cmdsaveallupdate_Click(App& app);

// "Erase all data": empties the loaded tables in memory, without asking.
void cmderase_Click(App& app);

// Loads `emisf` from emisf.dat (emission factor set 1) or emisf2.dat (set 2).
void loademisf(App& app);

}  // namespace brasket
