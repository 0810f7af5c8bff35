// A test's own folder under the system's temporary folder (TMPDIR, else /tmp), removed with
// all it holds when the object ends, so that a test leaves nothing behind, whether it passed,
// failed an assertion midway or made read-only files and folders in it.
#pragma once
#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <utility>

namespace brasket::testing {

// Removes a folder with all it holds; folders in it that were made read-only are opened first.
inline void removefolder(const std::filesystem::path& dir) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ec);
    for (fs::recursive_directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code entry;
        if (it->is_directory(entry) && !it->is_symlink(entry))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, entry);
    }
    fs::remove_all(dir, ec);
}

class TempFolder {
public:
    // A fresh empty folder "brasket-NAME-PID-N", N counting the folders of this process.
    explicit TempFolder(const std::string& name = "workset") {
        static int serial = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("brasket-" + name + "-" + std::to_string(::getpid()) + "-" + std::to_string(++serial));
        removefolder(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        if (!path_.empty()) removefolder(path_);
    }
    TempFolder(TempFolder&& other) noexcept : path_(std::exchange(other.path_, {})) {}
    TempFolder& operator=(TempFolder&& other) noexcept {
        if (this != &other) {
            if (!path_.empty()) removefolder(path_);
            path_ = std::exchange(other.path_, {});
        }
        return *this;
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

}  // namespace brasket::testing
