// Test helpers: a temporary data folder (tempfolder.h) and a complete working set written into
// it byte by byte, every table partly filled, with record contents that differ in every byte.
#pragma once
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "data/codec.h"
#include "data/records.h"
#include "tempfolder.h"

namespace brasket::testing {

namespace fs = std::filesystem;

inline void writefile(const fs::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string readfile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Every file of a folder with its bytes.
inline std::map<std::string, std::string> folderfiles(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.is_regular_file()) files[e.path().filename().string()] = readfile(e.path());
    return files;
}

// Bytes that vary from byte to byte and from file to file.
inline std::string noisebytes(std::size_t n, unsigned seed) {
    std::mt19937 gen(seed);
    std::string s(n, '\0');
    for (auto& c : s) c = static_cast<char>(gen() & 0xFF);
    return s;
}

template <class R>
std::string recordbytesof(const R& r) {
    auto b = encode(r);
    return std::string(reinterpret_cast<const char*>(b.data()), b.size());
}

// Record k (from 1) of a file's bytes.
template <class R>
std::string recordat(const std::string& bytes, long k) {
    return bytes.substr(static_cast<std::size_t>(k - 1) * recordsize<R>(), recordsize<R>());
}

// How many records of each file the set holds.
struct SetSize {
    long plants = 4, units = 6, analyses = 7, owners = 2, operators = 3, suppliers = 3, fueluseunits = 2, tests = 5;
};

// The name list texts of the set.
inline std::vector<std::string> boilernamesofset() { return {"PC wall fired", "Cyclone", "Stoker"}; }
inline std::vector<std::string> noxnamesofset() { return {"LNB", "SCR", "SNCR", "OFA"}; }

inline std::string crlflines(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines) s += l + "\r\n";
    return s;
}

// Record bytes with each record k changed by name(record, k), so that a test can read it.
template <class R, class Namer>
std::string named(std::string bytes, Namer name) {
    constexpr std::size_t size = recordsize<R>();
    for (std::size_t k = 1; k <= bytes.size() / size; ++k) {
        R r;
        decode(reinterpret_cast<const std::uint8_t*>(bytes.data()) + (k - 1) * size, r);
        name(r, static_cast<long>(k));
        bytes.replace((k - 1) * size, size, recordbytesof(r));
    }
    return bytes;
}

// Writes a complete working set: every record file filled with varying bytes (with the plant
// names and the device names readable), the name lists, the bin statistics.
inline void writeworkset(const fs::path& folder, const SetSize& n = {}) {
    unsigned seed = 1;
    auto noise = [&](const char* name, std::size_t recsize, long count) {
        std::string bytes = noisebytes(recsize * static_cast<std::size_t>(count), seed++);
        writefile(folder / name, bytes);
        return bytes;
    };
    // Fuels: codes and readable names.
    {
        std::string bytes;
        for (int k = 1; k <= 100; ++k) {
            idfuelrec r;
            r.code = static_cast<u8>(k);
            r.name = "Fuel " + std::to_string(k);
            bytes += recordbytesof(r);
        }
        writefile(folder / "idfuel.dat", bytes);
    }
    writefile(folder / "binnumber.dat", "0,0,0,1,3,12.5\r\n2,5,7,12,0,0.25\r\n50,25,17,12,7,0\r\n");
    noise("partfactors1.dat", recordsize<partfactors1rec>(), 51);
    noise("coalsupply.dat", recordsize<coalsupplyrec>(), n.suppliers);
    noise("partfactors2.dat", recordsize<partfactors2rec>(), 13);
    noise("idplant.dat", recordsize<idplantrec>(), n.plants);
    noise("idunit.dat", recordsize<idunitrec>(), n.units);
    noise("unit.dat", recordsize<unitcrec>(), n.units);
    auto plantname = [](plantrec& r, long k) { r.plantname = "Plant number " + std::to_string(k); };
    writefile(folder / "plant.dat", named<plantrec>(noisebytes(recordsize<plantrec>() * n.plants, seed++), plantname));
    noise("meas.dat", recordsize<measrec>(), n.analyses);
    noise("owner.dat", recordsize<ownerrec>(), n.owners);
    noise("operator.dat", recordsize<operatorrec>(), n.operators);
    noise("bins.dat", recordsize<binindexrec>(), 301);
    {
        // Record 1 carries the number of units in its count field.
        std::string bytes = noisebytes(recordsize<unitcoalrec>() * 13 * n.fueluseunits, seed++);
        bytes[0] = static_cast<char>(n.fueluseunits & 0xFF);
        bytes[1] = static_cast<char>(n.fueluseunits >> 8);
        writefile(folder / "fueluse.dat", bytes);
    }
    writefile(folder / "boiler.dat", crlflines(boilernamesofset()));
    writefile(folder / "pm.dat", crlflines({"ESP cold side", "Baghouse"}));
    writefile(folder / "scrub.dat", crlflines({"Wet scrubber"}));
    writefile(folder / "nox.dat", crlflines(noxnamesofset()));
    noise("test.dat", recordsize<testrec>(), n.tests);
    auto devicename = [](emfactorrec& r, long k) {
        r.name = "Device " + std::to_string((k - 1) / 3 + 1) + "/" + std::to_string((k - 1) % 3);
    };
    std::string factors = noisebytes(recordsize<emfactorrec>() * 90, seed++);
    writefile(folder / "emfactor.dat", named<emfactorrec>(factors, devicename));
    noise("emfactorf.dat", recordsize<emfactorrec>(), 361);
    noise("emfactorfs.dat", recordsize<emfactorrec>(), 241);
}

// The files of the set, as the loader reads them and the save writes them.
inline const std::vector<std::string>& worksetfilenames() {
    static const std::vector<std::string> names{
        "idfuel.dat", "binnumber.dat", "partfactors1.dat", "coalsupply.dat", "partfactors2.dat", "idplant.dat",
        "idunit.dat", "unit.dat", "plant.dat", "meas.dat", "owner.dat", "operator.dat", "bins.dat", "fueluse.dat",
        "boiler.dat", "pm.dat", "scrub.dat", "nox.dat", "test.dat", "emfactor.dat", "emfactorf.dat", "emfactorfs.dat"};
    return names;
}

}  // namespace brasket::testing
