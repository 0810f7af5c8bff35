// Emission test runs and test rows of the bin table built in memory, for the tests of the
// test ratios and the bin factors; and the headless driver run over a working set.
#pragma once
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app.h"
#include "data/workset.h"
#include "import/testimport.h"

namespace brasket::testing {

// A control device run: inlet and outlet totals split evenly unless given by form.
struct DeviceRun {
    std::string name;
    std::string run = "1";
    int kind = pmtestkind;
    double in = 10, out = 4;
    double o2in = 6, o2out = 6;
};

class TestTable {
public:
    explicit TestTable(App& app) : ws_(app.ws) {}

    testrec& device(const DeviceRun& r) {
        testrec& t = add(r.name, r.run, r.kind);
        t.inpart = float(r.in / 4), t.inox = float(r.in / 4), t.inelem = float(r.in / 2);
        t.outpart = float(r.out / 4), t.outox = float(r.out / 4), t.outelem = float(r.out / 2);
        t.o2in = float(r.o2in), t.o2out = float(r.o2out);
        return t;
    }
    // A boiler run: mercury in the fuel (ppmw) and burn rate (kg/h) in, stack forms and gas
    // rate (m3/h) out.
    testrec& boiler(const std::string& name, const std::string& run, double hg, double burn, double part, double ox,
                    double elem, double gas) {
        testrec& t = add(name, run, boilertestkind);
        t.hgcoal = float(hg), t.burnrate = float(burn), t.gasrate = float(gas);
        t.outpart = float(part), t.outox = float(ox), t.outelem = float(elem);
        return t;
    }
    // Test row j of the bin table: unit name, bin and layout.
    binindexrec& row(long j, const std::string& name, int bin, int layout, int unit = 0, int fuel = 3) {
        binindexrec& r = ws_.binindex(j);
        r.testname = name;
        r.testcode = i16(bin);
        r.testline = u8(layout);
        r.testunit = i16(unit);
        r.testfuel = i16(fuel);
        return r;
    }

private:
    testrec& add(const std::string& name, const std::string& run, int kind) {
        long n = testcount(ws_) + 1;
        settestcount(ws_, n);
        testrec& t = ws_.test(n);
        t.testname = name;
        t.runid = run;
        t.testkind = u8(kind);
        return t;
    }
    Workset& ws_;
};

// Runs `handlers` through the headless driver over the working set of `dir`, answering the
// folder dialog with the emission test export of the set; the report goes to `report` when
// given. True when the driver ends with status 0.
inline bool runbatch(const std::filesystem::path& dir, const std::string& handlers,
                     const std::filesystem::path& report = {}) {
    std::string command = std::string("'") + BRASKET_TOOLS_DIR + "/brasket-batch' --data '" + dir.string() +
                          "' --answer '" + (dir / "boilertest.txt").string() + "'";
    if (!report.empty()) command += " --report '" + report.string() + "'";
    command += " " + handlers + " >/dev/null 2>&1";
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) && WEXITSTATUS(raw) == 0;
}

inline std::string filetext(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace brasket::testing
