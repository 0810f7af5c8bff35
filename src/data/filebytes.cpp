#include "data/filebytes.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <string_view>
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

FileRead readworkingfile(const fs::path& file, std::string& bytes) {
    bytes.clear();
    std::error_code ec;
    auto st = fs::status(file, ec);
    if (!fs::exists(st)) {
        // A name that cannot even be looked at (a folder without search permission on the
        // way, an I/O error) is not a missing file.
        return ec && ec != std::errc::no_such_file_or_directory ? FileRead::unreadable : FileRead::missing;
    }
    if (!fs::is_regular_file(st)) return FileRead::unreadable;
    if (readfilebytes(file, bytes)) return FileRead::read;
    bytes.clear();
    return fs::exists(fs::symlink_status(file, ec)) ? FileRead::unreadable : FileRead::missing;
}

FileRead readrecordfile(const fs::path& file, std::string& bytes) {
    FileRead state = readworkingfile(file, bytes);
    if (state == FileRead::missing) std::ofstream(file, std::ios::binary | std::ios::app);
    return state;
}

std::string toomanymessage(const std::string& file, long found, long loaded, const char* what) {
    return file + " holds " + std::to_string(found) + " " + what + ", more than its table holds; only the first " +
           std::to_string(loaded) + " were loaded.";
}

std::string incompletemessage(const std::string& file, long wholerecords, std::size_t restbytes) {
    return file + " ends in an incomplete record of " + std::to_string(restbytes) + " bytes; " +
           std::to_string(wholerecords) + (wholerecords == 1 ? " whole record was" : " whole records were") +
           " loaded and the incomplete tail was left out.";
}

std::string unreadablemessage(const std::string& file) {
    return file + " exists but could not be read; its table was loaded empty. Saving the working set will not "
                  "replace it until the program runs on a readable set or its table is emptied by \"Erase all "
                  "data\" or rebuilt from the exports.";
}

std::string unpairedmessage(const std::string& idfile, long records, const std::string& missing) {
    return missing + " is missing or empty, while " + idfile + " holds " + std::to_string(records) +
           (records == 1 ? " record" : " records") + ". Saving the working set will not replace " + idfile +
           ", whose names can help to rebuild the set, until its table is emptied by \"Erase all data\" or rebuilt "
           "from the exports.";
}

const char* const commitmarker = "saving.commit";
const char* const beginmarker = "saving.begin";

namespace {

fs::path sibling(const fs::path& folder, const std::string& name, const char* suffix) {
    return folder / (name + suffix);
}

std::string errnotext() { return std::generic_category().message(errno); }

// Writes a file whole and flushes it to the disk before closing it.
bool writedurable(const fs::path& file, const std::string& bytes, std::string& reason) {
    int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        reason = errnotext();
        return false;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            reason = n < 0 ? errnotext() : "the disk took no more bytes";
            ::close(fd);
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) {
        reason = errnotext();
        ::close(fd);
        return false;
    }
    if (::close(fd) != 0) {
        reason = errnotext();
        return false;
    }
    return true;
}

// Makes the renames and removals in a folder durable.
void syncfolder(const fs::path& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

bool plainfile(const fs::path& p) {
    std::error_code ec;
    return fs::is_regular_file(fs::symlink_status(p, ec));
}

bool present(const fs::path& p) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(p, ec));
}

// A file its owner may not write: the analyst (or a copy from a CD) marked it read-only.
bool readonly(const fs::path& p) {
    std::error_code ec;
    auto perms = fs::status(p, ec).permissions();
    if (ec) return false;
    return (perms & fs::perms::owner_write) == fs::perms::none || ::access(p.c_str(), W_OK) != 0;
}

// Puts a kept previous file back under its name. Where both names are links to the same
// file, a rename would leave both (renaming a link onto itself does nothing): the kept name
// is removed instead.
void putback(const fs::path& backup, const fs::path& target, std::error_code& ec) {
    std::error_code same;
    if (present(target) && fs::equivalent(backup, target, same) && !same)
        fs::remove(backup, ec);
    else
        fs::rename(backup, target, ec);
}

// The commit marker's text: the names of the set, one a line, closed by "end".
std::string markertext(const std::vector<FileImage>& files) {
    std::string out = "BRASKET working set save\n";
    for (const auto& f : files) out += f.name + "\n";
    return out + "end\n";
}

// The names of a marker, or nothing when it is not a whole marker.
std::vector<std::string> markernames(const std::string& text) {
    std::vector<std::string> names;
    std::size_t pos = 0;
    bool first = true, ended = false;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos) return {};
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        if (first) {
            if (line != "BRASKET working set save") return {};
            first = false;
        } else if (line == "end") {
            ended = true;
            break;
        } else if (line.empty() || line.find_first_of(std::string_view("/\0", 2)) != std::string::npos ||
                   line == "." || line == "..") {
            // A name of the folder itself, never a path; a NUL would cut the name short and
            // make it name another file.
            return {};
        } else {
            names.push_back(line);
        }
    }
    if (!ended) return {};
    return names;
}

}  // namespace

SaveOutcome writefileset(const fs::path& folder, const std::vector<FileImage>& files, const SaveStepHook& step) {
    SaveOutcome out;
    std::error_code ec;
    auto at = [&](const std::string& name, std::string why) {
        out.failedfile = name;
        out.reason = std::move(why);
    };
    auto nextstep = [&](const std::string& what) {
        if (step) step(what);
    };
    const fs::path marker = folder / commitmarker, markertemp = sibling(folder, commitmarker, ".new");
    const fs::path begun = folder / beginmarker;

    if (present(marker) || present(begun)) {
        at(commitmarker, "an earlier save of the set is not finished (the program's next start finishes or undoes it)");
        return out;
    }
    // Every target must be a plain file the program may replace, or absent; a folder on a
    // file's name would otherwise be moved aside by the rename.
    for (const auto& f : files) {
        fs::path target = folder / f.name;
        if (!present(target)) continue;
        if (!plainfile(target)) {
            at(f.name, "a folder or other entry that is not a file has its name");
            return out;
        }
        if (readonly(target)) {
            at(f.name, "the file is marked read-only");
            return out;
        }
    }

    // Only plain files of our own making are removed when the save is abandoned: a squatting
    // folder is not ours.
    auto removeplain = [&](const char* suffix) {
        for (const auto& f : files) {
            fs::path p = sibling(folder, f.name, suffix);
            if (plainfile(p)) fs::remove(p, ec);
        }
    };

    // 0. The names of the set, so that a start after a stop before the commit marker undoes
    // this save whatever files it writes.
    nextstep("write begin marker");
    if (std::string why; !writedurable(begun, markertext(files), why)) {
        at(beginmarker, "the save's marker could not be written (" + why + ")");
        fs::remove(begun, ec);
        return out;
    }
    syncfolder(folder);
    // Once the folder holds the previous set again, the marker of the begun save goes.
    auto unbegin = [&] {
        fs::remove(begun, ec);
        syncfolder(folder);
    };

    // 1. The new set, each file whole on the disk under its temporary name.
    for (const auto& f : files) {
        nextstep("write " + f.name + ".new");
        fs::path tmp = sibling(folder, f.name, ".new");
        std::string why;
        if (!writedurable(tmp, f.bytes, why)) {
            at(f.name, "its temporary file " + f.name + ".new could not be written (" + why + ")");
            removeplain(".new");
            unbegin();
            return out;
        }
    }

    // 2. Each previous file kept aside as "<name>.old" (a second link to it, or a copy); a
    // file the set did not hold yet is kept aside as an empty file, which loads as the same
    // empty table.
    std::vector<bool> kept(files.size(), false);
    auto abandon = [&] {
        // A previous file moved aside whole (no link or copy could be made) goes back under
        // its name; a second link or copy is dropped.
        for (std::size_t i = 0; i < files.size(); ++i) {
            if (!kept[i]) continue;
            fs::path target = folder / files[i].name, backup = sibling(folder, files[i].name, ".old");
            if (present(target))
                fs::remove(backup, ec);
            else
                fs::rename(backup, target, ec);
        }
        removeplain(".new");
        unbegin();
    };
    for (std::size_t i = 0; i < files.size(); ++i) {
        const auto& f = files[i];
        nextstep("keep " + f.name + ".old");
        fs::path target = folder / f.name, backup = sibling(folder, f.name, ".old");
        if (plainfile(backup)) fs::remove(backup, ec);
        ec.clear();
        std::string why;
        if (present(backup)) {
            why = "a folder or other entry has that name";
        } else if (present(target)) {
            fs::create_hard_link(target, backup, ec);
            if (ec) {
                ec.clear();
                fs::copy_file(target, backup, ec);
            }
            if (ec) {
                // A file this user may replace but neither link nor read is moved aside
                // whole; until the renames it is missing under its name, which the next
                // start mends either way.
                fs::remove(backup, ec);
                ec.clear();
                fs::rename(target, backup, ec);
            }
            if (ec) why = ec.message();
        } else {
            writedurable(backup, "", why);
        }
        if (!why.empty()) {
            at(f.name, "the previous file could not be kept aside as " + f.name + ".old (" + why + ")");
            if (plainfile(backup) && !present(target)) kept[i] = true;
            abandon();
            return out;
        }
        kept[i] = true;
    }
    syncfolder(folder);

    // 3. The commit marker: from here on the save counts as done.
    nextstep("write marker");
    std::string why;
    if (!writedurable(markertemp, markertext(files), why)) {
        at(commitmarker, "the commit marker could not be written (" + why + ")");
        fs::remove(markertemp, ec);
        abandon();
        return out;
    }
    nextstep("commit");
    fs::rename(markertemp, marker, ec);
    if (ec) {
        at(commitmarker, "the commit marker could not be put in place (" + ec.message() + ")");
        fs::remove(markertemp, ec);
        abandon();
        return out;
    }
    syncfolder(folder);

    // 4. Each new file renamed over its previous one.
    for (std::size_t i = 0; i < files.size(); ++i) {
        nextstep("rename " + files[i].name);
        fs::rename(sibling(folder, files[i].name, ".new"), folder / files[i].name, ec);
        if (!ec) continue;
        at(files[i].name, "the new file could not be put in place (" + ec.message() + ")");
        // Undo: without the marker the save no longer counts, then the previous files go back.
        std::error_code undo;
        fs::remove(marker, undo);
        if (undo || present(marker)) {
            out.restored = false;
            out.reason += "; the commit marker could not be removed either (" + undo.message() +
                          "), so the next start of the program finishes this save";
            return out;
        }
        syncfolder(folder);
        std::string stuck;
        for (std::size_t j = 0; j < files.size(); ++j) {
            fs::path target = folder / files[j].name, backup = sibling(folder, files[j].name, ".old");
            if (plainfile(backup)) {
                putback(backup, target, undo);
                if (undo && stuck.empty()) stuck = files[j].name + " (" + undo.message() + ")";
            }
            fs::path tmp = sibling(folder, files[j].name, ".new");
            if (plainfile(tmp)) fs::remove(tmp, undo);
        }
        syncfolder(folder);
        if (!stuck.empty()) {
            out.restored = false;
            out.reason += "; the previous file " + stuck +
                          " could not be put back either, so the next start of the program puts the previous set back";
            return out;
        }
        unbegin();
        return out;
    }
    syncfolder(folder);

    // 5. The previous files are no longer needed; the marker goes last, so that a start after
    // a stop here never puts a previous file back.
    for (const auto& f : files) {
        nextstep("drop " + f.name + ".old");
        fs::path backup = sibling(folder, f.name, ".old");
        if (plainfile(backup)) fs::remove(backup, ec);
    }
    syncfolder(folder);
    nextstep("end");
    unbegin();
    fs::remove(marker, ec);
    syncfolder(folder);
    out.saved = true;
    return out;
}

std::string finishfileset(const fs::path& folder, const std::vector<std::string>& names) {
    std::error_code ec;
    const fs::path marker = folder / commitmarker, markertemp = sibling(folder, commitmarker, ".new");
    const fs::path begun = folder / beginmarker;
    bool acted = false;
    if (plainfile(markertemp)) {
        fs::remove(markertemp, ec);
        acted = true;
    }
    // The names a begun save wrote: files beside the working set (emission data, compounds,
    // partition factors) are undone as well as the working set's own.
    std::vector<std::string> undo = names;
    if (plainfile(begun)) {
        std::string text;
        readfilebytes(begun, text);
        for (auto& name : markernames(text))
            if (std::find(undo.begin(), undo.end(), name) == undo.end()) undo.push_back(std::move(name));
        acted = true;
    }
    std::vector<std::string> committed;
    if (plainfile(marker)) {
        std::string text;
        readfilebytes(marker, text);
        committed = markernames(text);
        if (committed.empty()) {
            // Not a marker this program wrote whole: the save did not count.
            fs::remove(marker, ec);
            acted = true;
        }
    }

    if (!committed.empty()) {
        // The save counted: every new file still waiting goes into place.
        std::string stuck;
        for (const auto& name : committed) {
            fs::path tmp = sibling(folder, name, ".new");
            if (!plainfile(tmp)) continue;
            fs::rename(tmp, folder / name, ec);
            if (ec && stuck.empty()) stuck = name + " (" + ec.message() + ")";
        }
        syncfolder(folder);
        if (!stuck.empty())
            return "The last save of the working set was stopped before it ended, and it could not be finished now: " +
                   stuck + ". The data folder holds a mixture of the previous and the new files until it is.";
        for (const auto& name : committed) {
            fs::path backup = sibling(folder, name, ".old");
            if (plainfile(backup)) fs::remove(backup, ec);
        }
        syncfolder(folder);
        fs::remove(begun, ec);
        fs::remove(marker, ec);
        syncfolder(folder);
        return "The last save of the working set was stopped before it ended; it was finished now.";
    }

    // The save did not count: its new files go, the previous files come back.
    std::string stuck;
    for (const auto& name : undo) {
        fs::path tmp = sibling(folder, name, ".new"), backup = sibling(folder, name, ".old");
        if (plainfile(tmp)) {
            fs::remove(tmp, ec);
            acted = true;
        }
        if (plainfile(backup)) {
            putback(backup, folder / name, ec);
            if (ec && stuck.empty()) stuck = name + " (" + ec.message() + ")";
            acted = true;
        }
    }
    if (stuck.empty()) fs::remove(begun, ec);
    syncfolder(folder);
    if (!stuck.empty())
        return "The last save of the working set was stopped before it ended, and the previous file " + stuck +
               " could not be put back; it is kept as " + stuck.substr(0, stuck.find(' ')) + ".old.";
    if (!acted) return "";
    return "The last save of the working set was stopped before it ended; the previous set was kept.";
}

}  // namespace brasket
