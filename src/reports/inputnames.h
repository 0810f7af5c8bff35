// The listing of the coded name tables of the working data: fuels, the three columns of the
// emission factor table and the four name lists of the specified devices.
#pragma once

namespace brasket {

struct App;

// "names of input data"
void cmdnames_Click(App& app);

}  // namespace brasket
