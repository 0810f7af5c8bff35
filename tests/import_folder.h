// A fresh App over a temporary data folder that doubles as the import folder, with helpers
// that write export files.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app.h"
#include "tempfolder.h"
#include "ui/scripted_platform.h"

namespace brasket::testing {

struct ImportFolder : ::testing::Test {
    TempFolder folder{"importfolder"};
    std::filesystem::path dir = folder.path();
    ScriptedPlatform platform;
    std::unique_ptr<App> app = std::make_unique<App>(platform);

    void SetUp() override {
        app->datapath = dir;
        app->importpath = dir;
    }

    // Writes an export: its lines ended by CR LF.
    void write(const std::string& name, const std::vector<std::string>& lines) {
        std::ofstream out(dir / name, std::ios::binary);
        for (const auto& l : lines) out << l << "\r\n";
    }
    // The lines of the warning log (none when it does not exist).
    std::vector<std::string> warnings() const {
        std::vector<std::string> lines;
        std::ifstream in(dir / "import warnings.txt", std::ios::binary);
        for (std::string l; std::getline(in, l);) {
            if (!l.empty() && l.back() == '\r') l.pop_back();
            lines.push_back(l);
        }
        return lines;
    }
    // The import folder dialog answered with a file of the folder.
    void answerfolder() { platform.answers.push_back((dir / "any.txt").string()); }
};

// Fields joined by TABs.
inline std::string tabbed(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) line += (i ? "\t" : "") + fields[i];
    return line;
}

}  // namespace brasket::testing
