// Working files read and written whole: a file's bytes are read into one buffer and records
// are decoded from it, and a set of files is written to temporaries and committed as a whole.
#pragma once
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace brasket {

// The whole content of a file into `bytes`; false (and no bytes) when it does not exist or
// cannot be read.
bool readfilebytes(const std::filesystem::path& file, std::string& bytes);

// What reading a working file found: its bytes, no file at all, or a file (or another entry
// on its name) that exists but could not be read.
enum class FileRead { read, missing, unreadable };
// The whole content of a file into `bytes` (none unless read), telling the three cases apart.
FileRead readworkingfile(const std::filesystem::path& file, std::string& bytes);

// Reads a record file whole. A missing file is created empty (as opening a record file
// always did), and then reads as no records; if it cannot be created it still reads as empty.
// A file that exists but cannot be read gives no bytes and `unreadable`.
FileRead readrecordfile(const std::filesystem::path& file, std::string& bytes);

// The messages of a file that does not fit its table, ends in an incomplete record, or
// exists but cannot be read.
std::string toomanymessage(const std::string& file, long found, long loaded, const char* what = "records");
std::string incompletemessage(const std::string& file, long wholerecords, std::size_t restbytes);
std::string unreadablemessage(const std::string& file);
// The message of an id file that holds records while the file of those records is missing or
// empty.
std::string unpairedmessage(const std::string& idfile, long records, const std::string& missing);

// One file of a set to be written: its name in the folder and its complete bytes.
struct FileImage {
    std::string name;
    std::string bytes;
};

// The name of the commit marker of a save in the data folder: while it exists, the new set
// is whole on disk as "<name>.new" files and only their renames into place remain.
extern const char* const commitmarker;
// The marker a save writes before anything else, naming its files: while it exists without
// the commit marker, the save has begun and not counted, and a start undoes it.
extern const char* const beginmarker;

// How a save of a set ended.
struct SaveOutcome {
    bool saved = false;
    std::string failedfile;  // the file that stopped it
    std::string reason;      // why
    // After a failure: true when the folder holds the previous set whole again; false when
    // that could not be done either and the next start must finish or undo the save.
    bool restored = true;
};

// Called before each step of a save that changes the folder, with the step in words ("write
// begin marker", "write unit.dat.new", "keep unit.dat.old", "write marker", "commit", "rename unit.dat", "drop
// unit.dat.old", "end"); a test stops the process there or puts obstacles in its way.
using SaveStepHook = std::function<void(const std::string& step)>;

// Writes every file of the set into `folder` so that the set changes as a whole. Each file is
// written and flushed to disk as "<name>.new", each previous file is kept as "<name>.old" (a
// second link), and then the commit marker naming the set is written: from that moment the
// save counts as done, and the renames of the new files into place follow. A save stopped
// before the marker is undone by the next start, one stopped after it is finished
// (`finishfileset`). A working file marked read-only, or any entry on a file's name that is
// not a plain file, refuses the save before anything is written. On a failure midway the
// folder is put back as it was where possible, and the outcome says whether it was.
SaveOutcome writefileset(const std::filesystem::path& folder, const std::vector<FileImage>& files,
                         const SaveStepHook& step = {});

// At start-up: a save that was stopped is finished (commit marker present) or undone (no
// commit marker) for the files of the given names and those its begin marker names. Returns an empty text when there was nothing to do, otherwise
// one line for the analyst saying what was done.
std::string finishfileset(const std::filesystem::path& folder, const std::vector<std::string>& names);

}  // namespace brasket
