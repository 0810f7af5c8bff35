// Working files read and written whole: a file's bytes are read into one buffer and records
// are decoded from it, and a set of files is written to temporaries and renamed into place.
#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace brasket {

// The whole content of a file into `bytes`; false (and no bytes) when it does not exist or
// cannot be read.
bool readfilebytes(const std::filesystem::path& file, std::string& bytes);

// Reads a record file whole. A missing file is created empty (as opening a record file
// always did), and then reads as no records; if it cannot be created it still reads as empty.
void readrecordfile(const std::filesystem::path& file, std::string& bytes);

// The messages of a file that does not fit its table or ends in an incomplete record.
std::string toomanymessage(const std::string& file, long found, long loaded, const char* what = "records");
std::string incompletemessage(const std::string& file, std::size_t restbytes);

// One file of a set to be written: its name in the folder and its complete bytes.
struct FileImage {
    std::string name;
    std::string bytes;
};

// Writes every file of the set into `folder` so that the set changes as a whole: each file is
// written to "<name>.new", and only when all are written are they renamed into place, every
// replaced file being kept as "<name>.old" until the last rename succeeded. On any failure the
// files already replaced are put back, nothing of the new set stays behind, and the function
// returns false with `failedfile` and `reason` telling what went wrong.
bool writefileset(const std::filesystem::path& folder, const std::vector<FileImage>& files, std::string& failedfile,
                  std::string& reason);

}  // namespace brasket
