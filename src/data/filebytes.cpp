#include "data/filebytes.h"

#include <cstdio>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace brasket {

bool readfilebytes(const fs::path& file, std::string& bytes) {
    std::error_code ec;
    std::FILE* f = fs::is_regular_file(file, ec) ? std::fopen(file.c_str(), "rb") : nullptr;
    if (!f) {
        bytes.clear();
        return false;
    }
    // Sized from the file without clearing first, so a buffer reused from file to file is
    // not filled with zeros only to be overwritten.
    auto size = fs::file_size(file, ec);
    bytes.resize(ec ? 0 : static_cast<std::size_t>(size));
    std::size_t got = bytes.empty() ? 0 : std::fread(bytes.data(), 1, bytes.size(), f);
    bytes.resize(got);
    // A file that grew since its size was taken is read to its end all the same.
    char more[4096];
    std::size_t n;
    while ((n = std::fread(more, 1, sizeof more, f)) > 0) bytes.append(more, n);
    bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

void readrecordfile(const fs::path& file, std::string& bytes) {
    if (!readfilebytes(file, bytes)) {
        std::error_code ec;
        if (!fs::exists(file, ec)) std::ofstream(file, std::ios::binary | std::ios::app);
        bytes.clear();
    }
}

std::string toomanymessage(const std::string& file, long found, long loaded, const char* what) {
    return file + " holds " + std::to_string(found) + " " + what + ", more than its table holds; only the first " +
           std::to_string(loaded) + " were loaded.";
}

std::string incompletemessage(const std::string& file, std::size_t restbytes) {
    return file + " ends in an incomplete record of " + std::to_string(restbytes) + " bytes; it was not loaded.";
}

namespace {

fs::path sibling(const fs::path& folder, const std::string& name, const char* suffix) {
    return folder / (name + suffix);
}

bool writewhole(const fs::path& file, const std::string& bytes, std::string& reason) {
    std::FILE* f = std::fopen(file.c_str(), "wb");
    if (!f) {
        reason = std::generic_category().message(errno);
        return false;
    }
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (!ok) reason = std::generic_category().message(errno);
    if (std::fclose(f) != 0 && ok) {
        ok = false;
        reason = std::generic_category().message(errno);
    }
    return ok;
}

}  // namespace

bool writefileset(const fs::path& folder, const std::vector<FileImage>& files, std::string& failedfile,
                  std::string& reason) {
    std::error_code ec;
    auto removetemporaries = [&] {
        for (const auto& f : files) fs::remove(sibling(folder, f.name, ".new"), ec);
    };

    // Every target must be a plain file or absent, or renaming would move a folder aside.
    for (const auto& f : files) {
        auto st = fs::symlink_status(folder / f.name, ec);
        if (fs::exists(st) && !fs::is_regular_file(st)) {
            failedfile = f.name;
            reason = "a folder or other entry that is not a file has its name";
            return false;
        }
    }
    for (const auto& f : files) {
        if (!writewhole(sibling(folder, f.name, ".new"), f.bytes, reason)) {
            failedfile = f.name;
            reason = "its temporary file " + f.name + ".new could not be written (" + reason + ")";
            // A squatting folder is not ours to remove: only plain temporaries are cleaned up.
            for (const auto& g : files) {
                auto tmp = sibling(folder, g.name, ".new");
                if (fs::is_regular_file(fs::symlink_status(tmp, ec))) fs::remove(tmp, ec);
            }
            return false;
        }
    }

    // All temporaries are whole: rename them into place, each over its previous file in one
    // step, so that the folder holds the old or the new file under its name at every moment.
    // The previous file stays reachable as ".old" (a second link, or a copy) until the whole set
    // is in place, so that a failure midway can put the old set back.
    struct Done {
        bool hadold = false;
    };
    std::vector<Done> done;
    bool failed = false;
    for (const auto& f : files) {
        fs::path target = folder / f.name, backup = sibling(folder, f.name, ".old");
        Done d;
        d.hadold = fs::exists(fs::symlink_status(target, ec));
        if (d.hadold) {
            if (fs::is_regular_file(fs::symlink_status(backup, ec))) fs::remove(backup, ec);
            ec.clear();
            fs::create_hard_link(target, backup, ec);
            if (ec && !fs::exists(fs::symlink_status(backup))) {
                ec.clear();
                fs::copy_file(target, backup, ec);
            }
            if (ec) {
                failed = true;
                failedfile = f.name;
                reason = "the previous file could not be kept aside as " + f.name + ".old (" + ec.message() + ")";
                break;
            }
        }
        fs::rename(sibling(folder, f.name, ".new"), target, ec);
        if (ec) {
            failed = true;
            failedfile = f.name;
            reason = "the new file could not be put in place (" + ec.message() + ")";
            std::error_code ignored;
            if (d.hadold) fs::remove(backup, ignored);
            break;
        }
        done.push_back(d);
    }
    if (failed) {
        for (std::size_t i = done.size(); i-- > 0;) {
            fs::path target = folder / files[i].name;
            if (done[i].hadold)
                fs::rename(sibling(folder, files[i].name, ".old"), target, ec);
            else
                fs::remove(target, ec);
        }
        removetemporaries();
        return false;
    }
    for (std::size_t i = 0; i < files.size(); ++i)
        if (done[i].hadold) fs::remove(sibling(folder, files[i].name, ".old"), ec);
    return true;
}

}  // namespace brasket
