#include "common/warninglog.h"

namespace brasket {

namespace fs = std::filesystem;

void WarningLog::write(const fs::path& file, const std::string& line) {
    if (depth_ == 0) {
        std::ofstream once(file, std::ios::binary | std::ios::app);
        once << line << "\r\n";
        once.close();
        if (once) ++written_;
        else ++lost_;
        return;
    }
    if (openpath_.native() != file.native()) {
        if (out_.is_open()) {
            out_.close();
            settle(!out_.fail());
        }
        out_.clear();
        out_.open(file, std::ios::binary | std::ios::app);
        openpath_ = file;
    }
    // A stream that failed to open, or to write an earlier line, stays failed.
    if (!out_) {
        ++lost_;
        return;
    }
    out_ << line << "\r\n";
    ++pending_;
    if (!out_) settle(false);
}

void WarningLog::flush() {
    if (!out_.is_open()) return;
    out_.flush();
    settle(!out_.fail());
}

void WarningLog::settle(bool ok) {
    (ok ? written_ : lost_) += pending_;
    pending_ = 0;
}

void WarningLog::beginrun() {
    if (depth_++ == 0) lostatrun_ = lost_;
}

void WarningLog::endrun() {
    if (depth_ == 0 || --depth_ > 0) return;
    if (out_.is_open()) {
        out_.close();
        settle(!out_.fail());
    }
    out_.clear();
    openpath_.clear();
}

}  // namespace brasket
