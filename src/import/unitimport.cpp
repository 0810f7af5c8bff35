// Units and plants from the unit export: two readers that number the lines alike.
#include "app.h"
#include "common/numtext.h"
#include "common/textutil.h"
#include "import/exportfields.h"
#include "import/importconduct.h"
#include "import/imports.h"

namespace brasket {

namespace {

constexpr long maxunits = 2000, maxplants = 500, maxowners = 500, maxoperators = 500, maxpositions = 35;

// The numbering of owners, operators, plants, positions and units by change between
// consecutive lines. Both readers number through it, so the second reproduces the first's
// unit numbers, skipped lines included.
class UnitNumbering {
public:
    enum Outcome { Unit, Repeat, Skipped };
    long u = 0, p = 0, k = 0, o = 0, q = 0;
    bool newplant = false;
    std::string plantname;

    // Numbers one split line. A line repeating the previous line's plant and boiler
    // identifier describes the same unit; a line past a table's bound is skipped (reason set)
    // and changes no counter.
    Outcome number(const CTXT& f, std::string& reason) {
        // A line of blanks and tabs only (often the last line of a spreadsheet export)
        // describes no unit: numbering it would make a plant and a unit without names.
        bool blank = true;
        for (const auto& field : f) blank = blank && field.find_first_not_of(" \t") == std::string::npos;
        if (blank) {
            reason = "an empty line";
            return Skipped;
        }
        plantname = unquoted(f[13]);
        std::string boiler = f[33];
        cleanfield(boiler);
        // The plant name and the boiler identifier say which unit a line describes: a line
        // without them (plain text, a row of tabs, binary bytes) describes none.
        if (plantname.empty() || boiler.empty()) {
            reason = plantname.empty() ? "no plant name (field 13)" : "no boiler identifier (field 33)";
            return Skipped;
        }
        if (!fitsf32(val(f[34]))) {
            reason = "the capacity " + trim(f[34]) + " does not fit its field";
            return Skipped;
        }
        std::string code = trim(f[14]);
        if (plantname == prevplant_ && code == prevcode_ && boiler == prevboiler_) return Repeat;
        // Neighbouring plants may share a name (two states each have a "Columbia"): a change
        // of the plant code starts a new plant as a change of the name does.
        newplant = plantname != prevplant_ || code != prevcode_;
        long nu = u + 1, np = newplant ? p + 1 : p, nk = newplant ? 1 : k + 1;
        long no = f[1] != prevowner_ ? o + 1 : o, nq = f[2] != prevoperator_ ? q + 1 : q;
        if (nu > maxunits) reason = "more than " + std::to_string(maxunits) + " units";
        else if (np > maxplants) reason = "more than " + std::to_string(maxplants) + " plants";
        else if (nk > maxpositions) reason = "more than " + std::to_string(maxpositions) + " units in plant " + plantname;
        else if (no > maxowners) reason = "more than " + std::to_string(maxowners) + " owners";
        else if (nq > maxoperators) reason = "more than " + std::to_string(maxoperators) + " operators";
        if (!reason.empty()) return Skipped;
        u = nu, p = np, k = nk, o = no, q = nq;
        prevowner_ = f[1], prevoperator_ = f[2], prevplant_ = plantname, prevcode_ = code, prevboiler_ = boiler;
        return Unit;
    }

private:
    std::string prevowner_, prevoperator_, prevplant_, prevcode_, prevboiler_;
};

// A code stored into an 8-bit field: a code that does not fit leaves the field as it was.
void storecode(App& app, u8& field, long code, const std::string& what, long u) {
    if (code >= 0 && code <= 255) {
        field = static_cast<u8>(code);
        return;
    }
    importwarning(app, "the " + what + " code" + str(code) + " of unit" + str(u) +
                           " does not fit its field; the unit keeps its code" + str(static_cast<long>(field)));
}

long lookupfield(App& app, std::string_view category, std::string_view field) {
    std::string name(field);
    return codelookup(app, category, name);
}

bool hasx(const std::string& field) { return field.find('x') != std::string::npos; }

void writeunitrecords(App& app, const CTXT& f, const UnitNumbering& n) {
    Workset& ws = app.ws;
    const long u = n.u, p = n.p, o = n.o, q = n.q;

    ownerrec& ow = ws.owner(o);
    ow.ownerno = static_cast<i16>(o);
    ow.ownername = f[1];
    ow.addr1 = f[2];
    ow.addr2 = f[3];
    ow.addr3 = f[5];
    ow.addr4 = f[6];
    ow.spare = "";
    ow.addr5 = f[7];

    operatorrec& op = ws.operator_(q);
    op.operatorname = f[2];
    op.street1 = op.mail1 = f[8];
    op.street2 = op.mail2 = f[9];
    op.street3 = op.mail3 = f[10];
    op.streetstate = op.mailstate = f[11];
    op.streetspare = op.mailspare = "";
    op.street4 = op.mail4 = f[12];

    plantrec& pl = ws.plant(p);
    pl.plantno = static_cast<i16>(p);
    pl.plantname = n.plantname;
    pl.street1 = f[15];
    pl.street2 = f[16];
    pl.statecode = f[18];
    pl.street3 = f[17];
    pl.streetspare = "";
    pl.street4 = f[19];
    pl.mail1 = f[20];
    pl.mail2 = f[21];
    pl.mail3 = f[22];
    pl.mailstate = f[23];
    pl.mailspare = "";
    pl.mail4 = f[24];
    pl.latitude = f[45];
    pl.longitude = f[46];

    idplantrec& id = ws.idplant(p);
    id.pfcode = f[14];
    id.plantname = n.plantname;
    id.unitno[static_cast<std::size_t>(n.k)] = static_cast<i16>(u);
    ws.idplant(0).pfcode = ltrim(str(p));

    idunitrec& iu = ws.idunit(u);
    iu.plantno = static_cast<i16>(p);
    iu.boilerid = f[33];

    unitcrec& uc = ws.unitc(u);
    uc.ownerno = static_cast<i16>(o);
    uc.operatorno = static_cast<i16>(q);
    uc.plantno = static_cast<i16>(p);
    uc.otherfuel = 0;
    for (int i = 0; i < 4; ++i) uc.fuelflag[static_cast<std::size_t>(i)] = hasx(f[static_cast<std::size_t>(29 + i)]) ? 1 : 0;
    uc.position = static_cast<u8>(n.k);
    std::string unitname = f[33];
    cleanfield(unitname);
    uc.unitname = unitname;
    uc.mw = static_cast<f32>(val(f[34]));
    storecode(app, uc.modelboiler, lookupfield(app, "boiler", f[41]), "boiler type", u);
    storecode(app, uc.modelpm, lookupfield(app, "pm", f[43]), "particulate control type", u);
    storecode(app, uc.modelso2, lookupfield(app, "so2", f[42]), "SO2 control type", u);
    uc.sparebyte = 0;
    uc.longname = f[44];
}

}  // namespace

bool processunits(App& app, const std::filesystem::path& path) {
    auto lines = openexport(app, path);
    if (!lines) return false;
    frmplants& w = mainwindow(app);
    w.List3.Clear();
    w.Label19.Caption = readingcaption(path);
    showbusy(app, 0);

    lines->skipheading(2);
    std::string_view line;
    CTXT f;
    UnitNumbering n;
    while (lines->next(line)) {
        splitline(line, f);
        showbusy(app, static_cast<double>(n.u + 1) / 12);
        std::string reason;
        switch (n.number(f, reason)) {
        case UnitNumbering::Repeat: break;
        case UnitNumbering::Skipped: skippedline(app, *lines, reason); break;
        case UnitNumbering::Unit:
            if (n.newplant) w.List3.AddItem(n.plantname);
            writeunitrecords(app, f, n);
            break;
        }
    }
    std::string sdaesp = "SDAESP", sorbesp = "SORBESP";
    codelookup(app, "so2", sdaesp);
    codelookup(app, "so2", sorbesp);
    setunitcount(app.ws, n.u);
    setownercount(app.ws, n.o);
    setoperatorcount(app.ws, n.q);
    setplantcount(app.ws, n.p);
    app.ws.idplant(0).pfcode = ltrim(str(n.p));
    return true;
}

bool processunits2(App& app, const std::filesystem::path& path) {
    auto lines = openexport(app, path);
    if (!lines) return false;
    lines->skipheading(2);
    std::string_view line;
    CTXT f;
    UnitNumbering n;
    while (lines->next(line)) {
        splitline(line, f);
        showbusy(app, static_cast<double>(n.u + 1) / 12);
        std::string reason;
        auto outcome = n.number(f, reason);
        if (outcome == UnitNumbering::Skipped) skippedline(app, *lines, reason);
        if (outcome != UnitNumbering::Unit) continue;
        const long u = n.u;
        unitcrec& uc = app.ws.unitc(u);
        uc.otherfuel = static_cast<i16>(lookupfield(app, "fuel", unquoted(f[28])));
        storecode(app, uc.specboiler, lookupfield(app, "boilers", f[37]), "specified boiler", u);
        storecode(app, uc.specpm, lookupfield(app, "pms", f[40]), "specified particulate control", u);
        storecode(app, uc.specscrub, lookupfield(app, "scrubs", f[39]), "specified scrubber", u);
        storecode(app, uc.specnox, lookupfield(app, "noxs", f[38]), "specified NOx control", u);
        if (uc.plantno == 0) importwarning(app, " The plant identification is trash for line " + str(u));
    }
    showbusy(app, -3);
    return true;
}

void cmdupdateplant_Click(App& app) {
    if (!importfolderdialog(app)) return;
    beginimport(app, "reading units");
    std::filesystem::path path = app.importpath / "partIIexport.txt";
    if (processunits(app, path)) {
        importstep(app, "update other fuel names.", false);
        processunits2(app, path);
    }
    endimport(app);
}

void cmdotherfuel_Click(App& app) {
    if (!importfolderdialog(app)) return;
    beginimport(app, "reading other names of units and controls");
    processunits2(app, app.importpath / "partIIexport.txt");
    endimport(app);
}

}  // namespace brasket
