// The headless driver: loads the working set of a data folder, runs menu and button handlers
// by name, answers their file dialogs from the command line, and can write the report buffer.
//
//   brasket-batch --data DIR [--unit N] [--clock "YYYY-MM-DD HH:MM:SS"] [--answer TEXT]...
//                 [--report FILE] HANDLER...
//   brasket-batch --help
//
// --unit N selects unit N as the main window's choice would and opens the unit evaluation
// window on it before the handlers run. The run's clock is the machine's; --clock stands it
// at a fixed moment (universal time), which fixes the report dates and the random draws of the
// Monte Carlo estimates, so that two runs give the same reports.
//
// Message boxes go to standard error, and so does the count of lines the run added to the
// import warning log. Exits 0 when every handler ran; 1 with the first line of its message when
// a save or an import failed, or with the count of warning lines lost when the warning log
// could not be written (the handlers still run and the report is still written); otherwise 2
// with a one-line reason: an unknown handler, a missing data folder, a file dialog left without
// an answer, a fault inside the loading or a handler, or a command line it cannot read.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app.h"
#include "data/loading.h"
#include "import/importconduct.h"
#include "report/printexport.h"
#include "ui/scripted_platform.h"
#include "unitwindow/form1.h"

namespace fs = std::filesystem;
using namespace brasket;

namespace {

const char* const usage =
    "usage: brasket-batch --data DIR [--unit N] [--clock \"YYYY-MM-DD HH:MM:SS\"] [--answer TEXT]... [--report FILE] "
    "HANDLER...";

int fail(const std::string& reason, int code = 2) {
    std::cerr << "brasket-batch: " << reason << "\n";
    return code;
}

// The command line, option by option. An option with a value names it after the option; a
// new option is one more member, one more branch in `readcommandline` and one more usage line.
struct CommandLine {
    bool help = false;
    bool havedata = false;
    std::string data;
    std::string report;
    std::string unit;
    std::string clock;
    std::vector<std::string> answers;
    std::vector<std::string> handlers;
};

// Reads the command line; false with `error` set when it cannot.
bool readcommandline(const std::vector<std::string>& args, CommandLine& cl, std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](const char* what, std::string& into) {
            if (i + 1 >= args.size()) {
                error = a + " needs " + what;
                return false;
            }
            into = args[++i];
            return true;
        };
        std::string v;
        if (a == "--help" || a == "-h") {
            cl.help = true;
        } else if (a == "--data") {
            if (!value("a folder", cl.data)) return false;
            cl.havedata = true;
        } else if (a == "--answer") {
            if (!value("a text", v)) return false;
            cl.answers.push_back(v);
        } else if (a == "--unit") {
            if (!value("a unit number", cl.unit)) return false;
        } else if (a == "--clock") {
            if (!value("a moment \"YYYY-MM-DD HH:MM:SS\"", cl.clock)) return false;
        } else if (a == "--report") {
            if (!value("a file name", cl.report)) return false;
        } else if (a.rfind("--", 0) == 0) {
            error = "unknown option " + a + " (" + usage + "; --help lists the handlers)";
            return false;
        } else {
            cl.handlers.push_back(a);
        }
    }
    return true;
}

// The usage and every registered handler with its window, menu and caption.
void printhelp(const HandlerRegistry& registry) {
    std::cout << usage << "\n"
              << "       brasket-batch --help\n\n"
              << "Loads the working set of DIR, then runs each HANDLER in order as its menu item or button\n"
              << "would; --unit N first selects unit N and opens the unit evaluation window on it.\n"
              << "The clock is the machine's; --clock fixes it (universal time), and with it the report\n"
              << "dates and the Monte Carlo draws.\n"
              << "Each file dialog takes the next --answer (a path; a text with \"*\" cancels it);\n"
              << "message boxes go to standard error; --report FILE writes the report buffer as the report\n"
              << "window's \"File\" export does. Warning lines go to \"import warnings.txt\" in DIR, and\n"
              << "their count to standard error. Exit status: 0 done, 1 a save or an import failed\n"
              << "or warning lines could not be written, 2 anything else that stopped the run.\n\n"
              << "Handlers (name, window, menu and caption):\n";
    std::size_t namewidth = 0, windowwidth = 0;
    for (const Handler& h : registry.all()) {
        namewidth = std::max(namewidth, h.name.size());
        windowwidth = std::max(windowwidth, h.window.size());
    }
    for (const Handler& h : registry.all()) {
        std::string where = h.menu.empty() ? "button \"" + h.caption + "\"" : h.menu + " > " + h.caption;
        std::cout << "  " << h.name << std::string(namewidth - h.name.size() + 2, ' ') << h.window
                  << std::string(windowwidth - h.window.size() + 2, ' ') << where << "\n";
    }
}

// A moment "YYYY-MM-DD HH:MM:SS" in universal time; false when the text is no such moment.
bool readmoment(const std::string& text, std::chrono::system_clock::time_point& at) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, se = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &y, &mo, &d, &h, &mi, &se, &tail) != 6) return false;
    const std::chrono::year_month_day day{std::chrono::year{y}, std::chrono::month{static_cast<unsigned>(mo)},
                                          std::chrono::day{static_cast<unsigned>(d)}};
    if (!day.ok() || h > 23 || mi > 59 || se > 59 || h < 0 || mi < 0 || se < 0) return false;
    at = std::chrono::sys_days{day} + std::chrono::hours{h} + std::chrono::minutes{mi} + std::chrono::seconds{se};
    return true;
}

std::string firstline(const std::string& text) { return text.substr(0, text.find_first_of("\r\n")); }

}  // namespace

int main(int argc, char** argv) {
    CommandLine cl;
    std::string error;
    if (!readcommandline(std::vector<std::string>(argv + 1, argv + argc), cl, error)) return fail(error);

    ScriptedPlatform platform;
    platform.clock = std::chrono::system_clock::now();
    if (!cl.clock.empty() && !readmoment(cl.clock, platform.clock))
        return fail("--clock needs a moment \"YYYY-MM-DD HH:MM:SS\", not \"" + cl.clock + "\"");
    platform.onmessage = [](const std::string& prompt) { std::cerr << prompt << "\n"; };
    App app(platform);
    if (cl.help) {
        printhelp(app.handlers);
        return 0;
    }
    if (!cl.havedata) return fail("no data folder given (--data DIR)");
    std::error_code ec;
    if (!fs::is_directory(cl.data, ec)) return fail("data folder not found: " + cl.data);
    for (const auto& h : cl.handlers)
        if (!app.handlers.find(h)) return fail("unknown handler: " + h + " (brasket-batch --help lists the handlers)");

    // A fault inside the loading or a handler ends the run with its one line too.
    try {
        loadinitial(app, cl.data);
    } catch (const std::exception& e) {
        return fail(std::string("the loading of the working set stopped: ") + e.what());
    }
    if (!cl.unit.empty()) {
        const long u = static_cast<long>(std::strtol(cl.unit.c_str(), nullptr, 10));
        try {
            if (!selectunit(app, u)) return fail("no unit " + cl.unit + " of a plant in the working set");
            cmdevaluateunit_Click(app);
        } catch (const std::exception& e) {
            return fail(std::string("opening unit ") + cl.unit + " stopped: " + e.what());
        }
    }
    // The count of warning lines the run added, and of those the log lost, told however the
    // run ends.
    auto tellwarnings = [&] {
        const long added = app.warnings.written();
        if (added > 0)
            std::cerr << "brasket-batch: " << added << (added == 1 ? " warning line" : " warning lines")
                      << " added to " << warninglogpath(app).string() << "\n";
        if (app.warnings.lost() > 0) std::cerr << "brasket-batch: " << lostwarnings(app, app.warnings.lost()) << "\n";
    };
    for (const auto& a : cl.answers) platform.answers.push_back(a);
    for (const auto& h : cl.handlers) {
        app.failure.clear();
        try {
            app.handlers.find(h)->run(app);
        } catch (const std::exception& e) {
            tellwarnings();
            return fail(h + " stopped: " + e.what());
        }
        if (platform.unanswered > 0) {
            tellwarnings();
            return fail(h + " asked for a file and no --answer was left");
        }
        if (!app.failure.empty()) {
            tellwarnings();
            return fail(h + " failed: " + firstline(app.failure), 1);
        }
    }
    tellwarnings();
    // The report buffer as the report window's "File" export writes it.
    if (!cl.report.empty() && !writedisplayset(app.report, cl.report, error))
        return fail("could not write the report to " + cl.report + ": " + error);
    return app.warnings.lost() > 0 ? 1 : 0;
}
