#include "common/warninglog.h"

namespace brasket {

namespace fs = std::filesystem;

void WarningLog::write(const fs::path& file, const std::string& line) {
    if (depth_ == 0) {
        std::ofstream once(file, std::ios::binary | std::ios::app);
        once << line << "\r\n";
        return;
    }
    if (!out_.is_open() || openpath_.native() != file.native()) {
        out_.close();
        out_.clear();
        out_.open(file, std::ios::binary | std::ios::app);
        openpath_ = file;
    }
    out_ << line << "\r\n";
}

bool WarningLog::repeat(const fs::path& file, const std::string& line) {
    if (depth_ == 0) {
        write(file, line);
        return true;
    }
    for (Repeated& r : repeated_)
        if (r.line == line && r.file == file) {
            ++r.count;
            return false;
        }
    repeated_.push_back({file, line, 1});
    return true;
}

std::string WarningLog::countedline(const std::string& line, long count) {
    if (count <= 1) return line;
    return line + " (" + std::to_string(count) + " times)";
}

void WarningLog::endrun() {
    if (depth_ == 0 || --depth_ > 0) return;
    // The repeated warnings are written while the run's file is still open.
    ++depth_;
    std::vector<Repeated> repeated;
    repeated.swap(repeated_);
    for (const Repeated& r : repeated) write(r.file, countedline(r.line, r.count));
    --depth_;
    out_.close();
    out_.clear();
    openpath_.clear();
}

}  // namespace brasket
