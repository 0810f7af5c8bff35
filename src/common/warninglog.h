// The warning log of a data folder. Its file is opened once for a run of handlers and closed
// when the run ends, rather than opened and closed for every line. A line that does not reach
// the file (the file cannot be opened, or writing, flushing or closing it fails) is counted as
// lost, so that the run can tell the user instead of pointing to lines that are not there.
#pragma once
#include <filesystem>
#include <fstream>
#include <string>

namespace brasket {

class WarningLog {
public:
    // Appends a line to `file`. Within a run the file stays open until the run ends; outside
    // one it is opened, appended to and closed. A file that cannot be opened in a run is not
    // tried again before the run ends: the rest of the run's lines for it are lost.
    void write(const std::filesystem::path& file, const std::string& line);

    // Puts what a run wrote so far into the file, before the user is told to read it.
    void flush();

    // Runs nest: only the outermost one closes the file.
    void beginrun();
    void endrun();
    bool inrun() const { return depth_ > 0; }

    // Lines known to be in the file and lines lost, since the log was made; and the lines
    // lost since the outermost run began (the last one, once it has ended). A line written in
    // a run is known to be in the file once the run flushes or ends.
    long written() const { return written_; }
    long lost() const { return lost_; }
    long lostinrun() const { return lost_ - lostatrun_; }

private:
    // The lines written since the file was last flushed are in it when `ok`, lost otherwise.
    void settle(bool ok);
    int depth_ = 0;
    std::filesystem::path openpath_;
    std::ofstream out_;
    long pending_ = 0;
    long written_ = 0;
    long lost_ = 0;
    long lostatrun_ = 0;
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
