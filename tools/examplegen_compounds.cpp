// The trace compound exports of the example set and its unit property file: emission factor data by control device,
// compound types, trace elements in oil and coal, measured combustion concentrations, coal
// supplier analyses and the partition factors of the second estimation method. All values are
// synthetic, of plausible size.
#include <string>
#include <vector>

#include "examplegen_fleet.h"

namespace brasket::example {
namespace {

// A text written from its column on a line of blanks (columns from 1), for the print files.
void putcolumn(std::string& line, std::size_t column, const std::string& text) {
    if (line.size() < column - 1 + text.size()) line.resize(column - 1 + text.size(), ' ');
    line.replace(column - 1, text.size(), text);
}
// A number right-aligned in a field of `width` characters.
std::string rightaligned(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}
std::string trimmedline(std::string line) {
    while (!line.empty() && line.back() == ' ') line.pop_back();
    return line + "\r\n";
}

struct TraceCompound {
    const char* name;
    int type;  // 1 metal, 2 organic, 3 acid gas
    double ppm;  // typical concentration in coal, ppm by weight
};
const std::vector<TraceCompound>& tracecompounds() {
    static const std::vector<TraceCompound> list = {
        {"ARSENIC", 1, 10}, {"BERYLLIUM", 1, 1.5}, {"CADMIUM", 1, 0.5}, {"CHROMIUM", 1, 15},
        {"LEAD", 1, 8}, {"MANGANESE", 1, 40}, {"NICKEL", 1, 14}, {"SELENIUM", 1, 2.5},
        {"BENZENE", 2, 0}, {"FORMALDEHYDE", 2, 0}, {"HYDROGEN CHLORIDE", 3, 0}, {"HYDROGEN FLUORIDE", 3, 0}};
    return list;
}

// Control devices of the emission factor data by device number; numbers 4 and 7 are unused.
struct FactorDevice {
    int number;
    const char* name;
    double removal;  // share of a metal that the device removes
};
const std::vector<FactorDevice>& factordevices() {
    static const std::vector<FactorDevice> list = {
        {3, "WET SCRUBBER", 0.95}, {1, "ESP COLD SIDE", 0.97}, {2, "BAGHOUSE", 0.995},
        {5, "SDA/BAGHOUSE", 0.997}, {6, "MECHANICAL", 0.7}, {8, "ESP HOT SIDE/FGD", 0.98}};
    return list;
}

// "EMISDATA.prn": one line per device and compound, devices not in number order, closed by a
// blank line as the exporting spreadsheet leaves it.
std::string emissiondataprint() {
    std::string out = "DEVICE              NUMBER  COMPOUND                                FACTOR        DEVICE  COMPOUND\r\n";
    int row = 0;
    for (const FactorDevice& d : factordevices()) {
        for (const TraceCompound& c : tracecompounds()) {
            // Organic compounds pass the particulate devices; acid gases are taken by scrubbers.
            double factor = c.type == 1 ? 1 - d.removal
                            : c.type == 3 ? (d.number == 3 || d.number == 5 || d.number == 8 ? 0.05 : 0.9)
                                          : 0.8;
            std::string line;
            putcolumn(line, 1, d.name);
            putcolumn(line, 21, rightaligned(std::to_string(++row), 8));
            putcolumn(line, 29, c.name);
            putcolumn(line, 69, rightaligned(fixed(factor, 4), 14));
            putcolumn(line, 83, rightaligned(std::to_string(d.number), 8));
            putcolumn(line, 91, rightaligned("0", 8));
            out += trimmedline(line);
        }
    }
    return out + "\r\n";
}

// "compounds.prn": the type of each compound, and one compound that the factor data lack.
std::string compoundtypeprint() {
    std::string out;
    auto add = [&](const std::string& name, const std::string& type) {
        std::string line;
        putcolumn(line, 1, name);
        putcolumn(line, 41, rightaligned(type, 8));
        out += trimmedline(line);
    };
    for (const TraceCompound& c : tracecompounds()) add(c.name, std::to_string(c.type) + ".0");
    add("DIOXINS/FURANS", "2.0");
    return out;
}

// A trace-oil print file: elements in residual and distillate oil; vanadium is new to the list.
std::string traceoilprint() {
    std::string out = "CODE    SOURCE  COMPOUND            SAMPLES     PPMW\r\n";
    struct Oil {
        const char* code;
        const char* source;
        const char* name;
        int samples;
        double ppm;
    };
    const Oil oils[] = {{"RO6", "EPRI", "ARSENIC", 12, 0.8},  {"RO6", "EPRI", "CADMIUM", 12, 0.3},
                        {"RO6", "EPRI", "NICKEL", 14, 21.0},  {"RO6", "EPRI", "VANADIUM", 14, 45.0},
                        {"DO2", "API", "LEAD", 6, 0.4},       {"DO2", "API", "CHROMIUM", 6, 0.9}};
    for (const Oil& o : oils) {
        std::string line;
        putcolumn(line, 1, o.code);
        putcolumn(line, 9, o.source);
        putcolumn(line, 17, o.name);
        putcolumn(line, 37, rightaligned(std::to_string(o.samples), 12));
        putcolumn(line, 49, rightaligned(fixed(o.ppm, 2), 6));
        out += trimmedline(line);
    }
    return out;
}

// A coal print file, read through by the coal update.
std::string tracecoalprint() {
    std::string out = "STATE   RANK    COMPOUND            SAMPLES     PPMW\r\n";
    for (const TraceCompound& c : tracecompounds()) {
        if (c.type != 1) continue;
        std::string line;
        putcolumn(line, 1, "KY");
        putcolumn(line, 9, "BIT");
        putcolumn(line, 17, c.name);
        putcolumn(line, 37, rightaligned("30", 12));
        putcolumn(line, 49, rightaligned(fixed(c.ppm, 2), 6));
        out += trimmedline(line);
    }
    return out;
}

// A combustion concentration export: several measured values per compound, zeros where the
// analysis found nothing, and one compound (ANTIMONY) not yet listed.
std::string combustionconcentrationexport(Random& rng) {
    std::string out = "SITE        FUEL    COMPOUND                                CONC          SAMPLES REF     NOTE\r\n";
    std::vector<std::pair<std::string, double>> measured;
    for (const TraceCompound& c : tracecompounds())
        if (c.type == 1) measured.emplace_back(c.name, c.ppm);
    measured.emplace_back("ANTIMONY", 1.2);
    int site = 0;
    for (const auto& [name, ppm] : measured) {
        for (int k = 0; k < 4; ++k) {
            double v = rng.chance(0.15) ? 0.0 : ppm * std::exp(0.6 * rng.normal());
            std::string line;
            putcolumn(line, 1, "SITE " + std::to_string(++site % 7 + 1));
            putcolumn(line, 13, k % 2 ? "BIT" : "SUBBIT");
            putcolumn(line, 21, name);
            putcolumn(line, 61, rightaligned(fixed(v, 3), 14));
            putcolumn(line, 75, rightaligned(std::to_string(rng.range(1, 9)), 8));
            putcolumn(line, 83, rightaligned("0", 8));
            putcolumn(line, 91, "stack test");
            out += trimmedline(line);
        }
    }
    return out;
}

// "coal suppliers.txt": supplier, mine, county and state, rank and the analysis of each.
std::string supplierexport(Random& rng, int count) {
    std::string out = "SUPPLIER\tMINE\tCOUNTY, STATE\tRANK\tSULFUR\tBTU/LB\tASH\tHG PPM\tCL PPM\r\n";
    struct Rank {
        const char* text;
        int fuel;
    };
    const Rank ranks[] = {{"Bituminous", 3},  {"Subbituminous", 4}, {"Lignite", 5},      {"Waste coal", 8},
                          {"Tires", 12},      {"Petroleum coke", 7}, {"Anthracite", 10}, {"bituminous", 3},
                          {"", 3}};
    const char* suppliers[] = {"Appalachian Fuels", "Basin Coal Co", "Prairie Lignite", "Ridge Mining",
                               "Tri-State Energy", "Western Range Coal"};
    const char* places[] = {"Harlan, KY", "Campbell, WY", "Mercer, ND", "Greene, PA", "Logan, WV", "Big Horn, MT"};
    for (int i = 0; i < count; ++i) {
        const Rank& r = ranks[static_cast<std::size_t>(i) % std::size(ranks)];
        FuelTraits t = traits(r.fuel);
        std::vector<std::string> f(10);
        f[1] = suppliers[static_cast<std::size_t>(i) % std::size(suppliers)];
        f[2] = "Mine " + std::to_string(i + 1);
        f[3] = places[static_cast<std::size_t>(i) % std::size(places)];
        f[4] = r.text;
        f[5] = fixed(0.4 + 2.5 * rng.uniform(), 2);
        f[6] = fixed(t.btu * (0.95 + 0.1 * rng.uniform()), 0);
        f[7] = fixed(5 + 10 * rng.uniform(), 1);
        f[8] = fixed(t.hgmedian * std::exp(0.4 * rng.normal()), 3);
        f[9] = fixed(100 + 1500 * rng.uniform(), 0);
        out += joinfields(f);
    }
    return out;
}

// "partfactors.txt": 51 speciation rows (boiler group, NOx group, control class, fuel class;
// particulate, oxidized and elemental fractions in fields 10..12), then the 13 device types of
// the second method with the fractions they remove (fields 5..7). Row 32 is the fallback row
// used when no other fits, its keys matching nothing.
std::string partitionfactorexport() {
    std::string out = "SPECIATION AND CONTROL EFFECTIVENESS OF THE SECOND METHOD\r\n"
                      "BOILER\tNOX\tCONTROL\tFUEL\tNOTE\t\t\t\t\tPART\tOX\tELEM\r\n";
    struct Split {
        double part, ox, elem;
    };
    auto fuelsplit = [](int fuel) -> Split {
        switch (fuel) {
            case 3: return {0.05, 0.60, 0.35};
            case 4: return {0.03, 0.30, 0.67};
            case 5: return {0.02, 0.15, 0.83};
            case 8: return {0.10, 0.60, 0.30};
            default: return {0.04, 0.45, 0.51};  // blends
        }
    };
    auto classed = [](Split s, int control, int boiler) -> Split {
        if (control == 4) s = {s.part * 0.5, s.ox * 0.7, 0};
        if (control == 5) s = {s.part + 0.1, s.ox * 0.8, 0};
        if (boiler == 3) s = {s.part + 0.02, s.ox + 0.05, 0};  // cyclones oxidize more
        double elem = 1 - s.part - s.ox;
        return {s.part, s.ox, elem < 0 ? 0 : elem};
    };
    struct Row {
        int b, n, c, f;
    };
    std::vector<Row> rows;
    for (int b = 1; b <= 4; ++b)
        for (int f : {3, 4, 5}) rows.push_back({b, 6, 0, f});
    rows.push_back({3, 1, 0, 3});
    rows.push_back({1, 2, 0, 4});
    for (int f : {3, 4, 5}) rows.push_back({5, 3, 0, f});
    const int fuels[] = {3, 4, 5, 8, 13, 14, 15, 16, 17, 18, 19};
    for (int c : {0, 4, 5})
        for (int f : fuels) rows.push_back({5, 6, c, f});
    rows.insert(rows.begin() + 31, Row{0, 0, 0, 0});  // row 32
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row& r = rows[i];
        Split s = i == 31 ? Split{0.05, 0.45, 0.50} : classed(fuelsplit(r.f), r.c, r.b);
        std::vector<std::string> f(13);
        f[1] = std::to_string(r.b);
        f[2] = std::to_string(r.n);
        f[3] = std::to_string(r.c);
        f[4] = std::to_string(r.f);
        f[5] = i == 31 ? "fallback" : "";
        f[10] = fixed(s.part, 3);
        f[11] = fixed(s.ox, 3);
        f[12] = fixed(s.elem, 3);
        out += joinfields(f);
    }
    struct Device {
        const char* name;
        double part, ox, elem;
    };
    const Device devices[] = {
        {"ESP CS", 0.99, 0.30, 0.05},       {"ESP HS", 0.95, 0.10, 0.0},          {"Lignite ESP cs", 0.98, 0.20, 0.02},
        {"Particle Scrub", 0.95, 0.60, 0.05}, {"Baghouse", 0.99, 0.60, 0.15},       {"ESP CS wetscrub", 0.99, 0.85, 0.05},
        {"SDA control", 0.99, 0.40, 0.10},  {"Mechanical", 0.60, 0.05, 0.0},      {"ESPCS/bag", 0.995, 0.70, 0.15},
        {"ESPHS /Wetscrub", 0.95, 0.80, 0.0}, {"SDA/ESP", 0.99, 0.35, 0.05},      {"Baghouse/Wetscrub", 0.99, 0.90, 0.15},
        {"Sorb/ESP", 0.99, 0.75, 0.40}};
    for (std::size_t k = 0; k < std::size(devices); ++k) {
        std::vector<std::string> f(8);
        f[1] = std::to_string(k + 1);
        f[2] = "device";
        f[3] = devices[k].name;
        f[5] = fixed(devices[k].part, 3);
        f[6] = fixed(devices[k].ox, 3);
        f[7] = fixed(devices[k].elem, 3);
        out += joinfields(f);
    }
    return out;
}

// "unitprops.dat": default properties of unit types (excess air percent, flue gas temperature
// at the air heater outlet in degrees F, share of the ash leaving as fly ash), with the
// placeholder records the data-set forms leave ("new data", in either spelling).
std::vector<unitpropsrec> unitproperties() {
    struct P {
        const char* name;
        float air, temp, flyash;
        const char* text1;
        const char* text2;
    };
    const P props[] = {
        {"DRY BOTTOM WALL-FIRED", 20, 300, 0.8f, "Pulverized coal burned in wall-mounted burners.", "Dry ash hopper."},
        {"DRY BOTTOM TANGENTIAL", 20, 290, 0.8f, "Pulverized coal from the furnace corners, swirling.", ""},
        {"new data", 0, 0, 0, "", ""},
        {"CYCLONE FIRED", 15, 310, 0.2f, "Crushed coal burned in cyclone barrels; slag tapped.", "Molten slag removed wet."},
        {"SPREADER STOKER", 50, 330, 0.5f, "Coal thrown onto a moving grate.", ""},
        {"New Data", 0, 0, 0, "A placeholder spelled otherwise: listed.", ""},
        {"FLUIDIZED BED", 25, 280, 0.9f, "Coal burned in a bed of limestone and ash.", "Sorbent fed with the coal."},
        {"new data", 0, 0, 0, "", ""},
        {"WET BOTTOM WALL-FIRED", 20, 320, 0.45f, "Pulverized coal; ash leaves the furnace molten.", ""}};
    std::vector<unitpropsrec> out;
    for (const P& p : props) {
        unitpropsrec r;
        r.propname = p.name;
        r.propvalue = {p.air, p.temp, p.flyash};
        r.proptext1 = p.text1;
        r.proptext2 = p.text2;
        out.push_back(r);
    }
    return out;
}

}  // namespace

// Writes the compound, supplier and partition factor exports into `dir`.
void writecompoundexports(const fs::path& dir, bool small) {
    Random rng(small ? 7707 : 7708);
    writetext(dir / "EMISDATA.prn", emissiondataprint());
    writetext(dir / "compounds.prn", compoundtypeprint());
    writetext(dir / "trace oil.PRN", traceoilprint());
    writetext(dir / "trace coal.PRN", tracecoalprint());
    writetext(dir / "combustion concentrations.prn", combustionconcentrationexport(rng));
    fs::create_directories(dir / "database2");
    writetext(dir / "database2" / "coal suppliers.txt", supplierexport(rng, small ? 12 : 60));
    writetext(dir / "database2" / "partfactors.txt", partitionfactorexport());
    writerecords(dir / "unitprops.dat", unitproperties());
}

}  // namespace brasket::example
