// The exports of the data folder's "database2": coal supplier analyses, and the partition
// factors of the second estimation method.
#include <array>
#include <string>

#include "app.h"
#include "common/numtext.h"
#include "common/textutil.h"
#include "data/codec.h"
#include "data/filebytes.h"
#include "import/compounddata.h"
#include "import/exportfields.h"
#include "import/importconduct.h"
#include "unitwindow/form1.h"

namespace brasket {

namespace fs = std::filesystem;

namespace {

constexpr long speciationrows = 51;  // partfactors1 rows written to their file
constexpr long devicerows = 13;      // partfactors2 rows written to their file
constexpr long lastspeciationline = 51;

fs::path exportfolder(const App& app) { return app.datapath / "database2"; }

std::string where(long line, const char* file) { return "line " + std::to_string(line) + " of " + file; }

// Records 1..n of a fixed-count file replaced by the table's elements, records beyond kept.
template <class Tab>
std::string overwritten(const fs::path& file, const Tab& table, long n) {
    using R = std::remove_cvref_t<decltype(table(1))>;
    constexpr std::size_t size = recordsize<R>();
    std::string bytes;
    readfilebytes(file, bytes);
    if (bytes.size() < static_cast<std::size_t>(n) * size) bytes.resize(static_cast<std::size_t>(n) * size, '\0');
    for (long k = 1; k <= n; ++k)
        encode(table(k), reinterpret_cast<std::uint8_t*>(bytes.data()) + static_cast<std::size_t>(k - 1) * size);
    return bytes;
}

void readsuppliers(App& app);

}  // namespace

std::int16_t suppliertype(std::string_view rank) {
    static const std::array<std::pair<const char*, std::int16_t>, 6> codes{
        {{"Subbi", 4}, {"Bitum", 3}, {"Ligni", 5}, {"Waste", 8}, {"Tires", 12}, {"Petro", 7}}};
    std::string start = left(rank, 5);
    std::int16_t type = 2;
    for (const auto& [text, code] : codes)
        if (start == text) type = code;
    return type;
}

void cmdloadsupplier_Click(App& app) {
    beginimport(app, "reading coal supply info");
    readsuppliers(app);
    endimport(app);
}

namespace {

void readsuppliers(App& app) {
    const char* name = "coal suppliers.txt";
    auto lines = openexport(app, exportfolder(app) / name);
    if (!lines) return;
    constexpr long bound = decltype(app.ws.coalsupply)::hi;
    lines->skipheading(1);
    std::string_view line;
    CTXT f;
    long n = 0;
    while (lines->next(line)) {
        if (n == bound) {
            importwarning(app, where(lines->linenumber(), name) + " skipped: the supplier table holds " +
                                   std::to_string(bound) + " lines");
            continue;
        }
        splitline(line, f);
        if (!numbersfit(app, *lines, {{"sulfur", f[5]}, {"heat content", f[6]}, {"ash", f[7]}, {"mercury", f[8]},
                                      {"chlorine", f[9]}}))
            continue;
        coalsupplyrec& s = app.ws.coalsupply(++n);
        s.name1 = f[1];
        s.name2 = f[2];
        s.name3 = f[3];
        s.fueltype = suppliertype(f[4]);
        s.sulfur = static_cast<f32>(val(f[5]));
        s.btu = static_cast<f32>(val(f[6]));
        s.ash = static_cast<f32>(val(f[7]));
        s.mercury = static_cast<f32>(val(f[8]));
        s.chlorine = static_cast<f32>(val(f[9]));
    }
    setcoalsupplycount(app.ws, n);
}

}  // namespace

bool loadpartitionfactors(App& app) {
    const char* name = "partfactors.txt";
    auto lines = openexport(app, exportfolder(app) / name);
    if (!lines) return false;
    Workset& ws = app.ws;
    lines->skipheading(2);
    std::string_view line;
    CTXT f;
    for (long n = 1; lines->next(line); ++n) {
        long lineno = lines->linenumber();
        splitline(line, f);
        if (n <= lastspeciationline && rtrim(f[3]).size() < 5) {
            std::array<double, 4> keys{};
            bool fits = true;
            for (std::size_t i = 0; i < keys.size(); ++i) {
                keys[i] = roundhalfeven(val(f[i + 1]));
                fits = fits && keys[i] >= 0 && keys[i] <= 255;
            }
            if (!fits) {
                importwarning(app, where(lineno, name) + " skipped: a key of the speciation row is outside 0..255");
                continue;
            }
            if (!numbersfit(app, *lines, {{"particulate fraction", f[10]}, {"oxidized fraction", f[11]},
                                          {"elemental fraction", f[12]}}))
                continue;
            partfactors1rec& r = ws.partfactors1(n);
            r.boilergroup = static_cast<u8>(keys[0]);
            r.noxgroup = static_cast<u8>(keys[1]);
            r.controlclass = static_cast<u8>(keys[2]);
            r.fuelclass = static_cast<u8>(keys[3]);
            r.partfrac = static_cast<f32>(val(f[10]));
            r.oxfrac = static_cast<f32>(val(f[11]));
            r.elemfrac = static_cast<f32>(val(f[12]));
        } else {
            double k = roundhalfeven(val(f[1]));
            if (!decltype(ws.partfactors2)::inbounds(static_cast<long>(std::clamp(k, -1.0, 1e6)))) {
                importwarning(app, where(lineno, name) + " skipped: device entry " + trim(f[1]) + " is outside 0.." +
                                       std::to_string(decltype(ws.partfactors2)::hi));
                continue;
            }
            if (!numbersfit(app, *lines, {{"particulate removal", f[5]}, {"oxidized removal", f[6]},
                                          {"elemental removal", f[7]}}))
                continue;
            partfactors2rec& r = ws.partfactors2(static_cast<long>(k));
            r.devicename = f[3];
            r.partremoval = static_cast<f32>(val(f[5]));
            r.oxremoval = static_cast<f32>(val(f[6]));
            r.elemremoval = static_cast<f32>(val(f[7]));
        }
    }
    const SaveOutcome out = writefileset(
        app.datapath,
        {{"partfactors1.dat", overwritten(app.datapath / "partfactors1.dat", ws.partfactors1, speciationrows)},
         {"partfactors2.dat", overwritten(app.datapath / "partfactors2.dat", ws.partfactors2, devicerows)}});
    if (!out.saved) {
        importfailed(app, "The partition factors were read, but " + out.failedfile + " could not be written: " +
                              out.reason +
                              (out.restored ? ". The files were left as they were."
                                            : ". The next start finishes or undoes the change."));
        return false;
    }
    return true;
}

void cmdloadefacts_Click(App& app) {
    Form1& f = app.form1;
    const long since = app.importwarnings;
    f.MousePointer = 11;
    loadpartitionfactors(app);
    f.MousePointer = 1;
    tellimportwarnings(app, since);
}

}  // namespace brasket
