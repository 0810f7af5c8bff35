// The headless driver: loads the working set of a data folder, runs menu and button handlers
// by name, answers their file dialogs from the command line, and can write the report buffer.
//
//   brasket-batch --data DIR [--unit N] [--answer TEXT]... [--report FILE] HANDLER...
//
// --unit N selects unit N as the main window's choice would and opens the unit evaluation
// window on it before the handlers run.
//
// Message boxes go to standard error. Exits 0 when every handler ran; otherwise 2 with a
// one-line reason: an unknown handler, a missing data folder, a file dialog left without an
// answer, a fault inside the loading or a handler, or a command line it cannot read.
#include <cstdlib>
#include <filesystem>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "app.h"
#include "data/loading.h"
#include "report/printexport.h"
#include "ui/scripted_platform.h"
#include "unitwindow/form1.h"

namespace fs = std::filesystem;
using namespace brasket;

namespace {

int fail(const std::string& reason) {
    std::cerr << "brasket-batch: " << reason << "\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string data, report, unit;
    bool havedata = false;
    std::vector<std::string> answers, handlers;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= args.size()) return false;
            into = args[++i];
            return true;
        };
        std::string v;
        if (a == "--data") {
            if (!value(data)) return fail("--data needs a folder");
            havedata = true;
        } else if (a == "--answer") {
            if (!value(v)) return fail("--answer needs a text");
            answers.push_back(v);
        } else if (a == "--unit") {
            if (!value(unit)) return fail("--unit needs a unit number");
        } else if (a == "--report") {
            if (!value(report)) return fail("--report needs a file name");
        } else if (a.rfind("--", 0) == 0) {
            return fail("unknown option " + a +
                        " (usage: brasket-batch --data DIR [--answer TEXT]... [--report FILE] HANDLER...)");
        } else {
            handlers.push_back(a);
        }
    }
    if (!havedata) return fail("no data folder given (--data DIR)");
    std::error_code ec;
    if (!fs::is_directory(data, ec)) return fail("data folder not found: " + data);

    ScriptedPlatform platform;
    platform.onmessage = [](const std::string& prompt) { std::cerr << prompt << "\n"; };
    App app(platform);
    for (const auto& h : handlers)
        if (!app.handlers.find(h)) return fail("unknown handler: " + h);

    // A fault inside the loading or a handler ends the run with its one line too.
    try {
        loadinitial(app, data);
    } catch (const std::exception& e) {
        return fail(std::string("the loading of the working set stopped: ") + e.what());
    }
    if (!unit.empty()) {
        const long u = static_cast<long>(std::strtol(unit.c_str(), nullptr, 10));
        try {
            if (!selectunit(app, u)) return fail("no unit " + unit + " of a plant in the working set");
            cmdevaluateunit_Click(app);
        } catch (const std::exception& e) {
            return fail(std::string("opening unit ") + unit + " stopped: " + e.what());
        }
    }
    for (const auto& a : answers) platform.answers.push_back(a);
    for (const auto& h : handlers) {
        try {
            app.handlers.find(h)->run(app);
        } catch (const std::exception& e) {
            return fail(h + " stopped: " + e.what());
        }
        if (platform.unanswered > 0) return fail(h + " asked for a file and no --answer was left");
    }
    // The report buffer as the report window's "File" export writes it.
    std::string error;
    if (!report.empty() && !writedisplayset(app.report, report, error))
        return fail("could not write the report to " + report + ": " + error);
    return 0;
}
