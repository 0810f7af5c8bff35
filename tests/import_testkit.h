// A fresh App over a temporary data folder, with helpers to write export files.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app.h"
#include "tempfolder.h"
#include "ui/scripted_platform.h"

namespace brasket::testkit {

namespace fs = std::filesystem;

class ImportTest : public ::testing::Test {
protected:
    ImportTest() : app(platform) {
        app.datapath = dir;
        app.importpath = dir;
        // As the start-up loading leaves it: fuel codes preset, names blank.
        for (long k = 1; k <= 100; ++k) {
            app.ws.idfuel(k).code = static_cast<u8>(k);
            app.ws.idfuel(k).name = "";
        }
    }
    // Writes an export: the lines joined by CR LF.
    void writeexport(const std::string& name, const std::vector<std::string>& lines) {
        std::ofstream out(dir / name, std::ios::binary);
        for (const auto& l : lines) out << l << "\r\n";
    }
    // A line of tab-separated fields, given as (field number, text) pairs.
    static std::string line(std::initializer_list<std::pair<int, std::string>> fields, int count = 46) {
        std::vector<std::string> f(static_cast<std::size_t>(count) + 1);
        for (const auto& [k, text] : fields) f[static_cast<std::size_t>(k)] = text;
        std::string s;
        for (int k = 1; k <= count; ++k) {
            if (k > 1) s += '\t';
            s += f[static_cast<std::size_t>(k)];
        }
        return s;
    }
    std::vector<std::string> warnings() const {
        std::ifstream in(dir / "import warnings.txt", std::ios::binary);
        std::vector<std::string> out;
        std::string l;
        while (std::getline(in, l)) out.push_back(l);
        return out;
    }

    testing::TempFolder folder{"import"};
    fs::path dir = folder.path();
    ScriptedPlatform platform;
    App app;
};

}  // namespace brasket::testkit
