// The warning log of a data folder. Its file is opened once for a run of handlers and closed
// when the run ends, rather than opened and closed for every line; a warning given for many
// items of one run, where the items add nothing to it, is kept back and written once with the
// number of times it was given when the run ends.
#pragma once
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace brasket {

class WarningLog {
public:
    // Appends a line to `file`. Within a run the file stays open until the run ends; outside
    // one it is opened, appended to and closed.
    void write(const std::filesystem::path& file, const std::string& line);
    // A warning that may be given many times in a run: within a run it is written once, at the
    // end, followed by its count when it was given more than once; outside a run it is written
    // at once. True when the warning adds a line to the log (its first time in the run).
    bool repeat(const std::filesystem::path& file, const std::string& line);

    // Puts what a run wrote so far into the file, before the user is told to read it.
    void flush() {
        if (out_.is_open()) out_.flush();
    }

    // Runs nest: only the outermost one writes the repeated warnings and closes the file.
    void beginrun() { ++depth_; }
    void endrun();
    bool inrun() const { return depth_ > 0; }

    // The line a repeated warning is written as.
    static std::string countedline(const std::string& line, long count);

private:
    struct Repeated {
        std::filesystem::path file;
        std::string line;
        long count = 0;
    };
    int depth_ = 0;
    std::filesystem::path openpath_;
    std::ofstream out_;
    std::vector<Repeated> repeated_;
};

// A run of the warning log for the life of the object (a handler run).
class WarningRun {
public:
    explicit WarningRun(WarningLog& log) : log_(log) { log_.beginrun(); }
    ~WarningRun() { log_.endrun(); }
    WarningRun(const WarningRun&) = delete;
    WarningRun& operator=(const WarningRun&) = delete;

private:
    WarningLog& log_;
};

}  // namespace brasket
