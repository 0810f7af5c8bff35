// What the import menu items share: the import folder dialog, the busy panel and status
// label, the warning log, reading an export file, and the dates of export fields.
#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace brasket {

struct App;

// The main window's busy panel: 0 shows the caption Label19 and the bar Label22, -1 or less
// hides both, any other value sets the bar's width to 33 twips per unit.
void showbusy(App& app, double n);

// Clears the flowsheet picture and writes the captions of the four code lists above it.
void clearscr(App& app);

// The import folder dialog on the main window's CommonDialog1. False when the user cancelled
// (the returned name still holds "*"); otherwise importpath becomes the chosen file's folder.
bool importfolderdialog(App& app, const std::string& filter = "Data set files (*.txt) ");

// Status of an import menu item: hourglass pointer and Label11 shown with the caption,
// then window events pumped once.
void beginimport(App& app, const std::string& caption);
// A new caption for the next step; events are pumped once when `pump` is set.
void importstep(App& app, const std::string& caption, bool pump);
// Label11 hidden and the normal pointer back.
void endimport(App& app);

// The warning log "import warnings.txt" in the data folder: one line appended per warning.
std::filesystem::path warninglogpath(const App& app);
void importwarning(App& app, const std::string& line);

// The export file of that name in its folder, its name matched without regard to letter
// case; nullopt when there is none.
std::optional<std::filesystem::path> findexport(const std::filesystem::path& path);

// The lines of an export file, read whole: lines end at LF, a CR before the LF is dropped,
// every other byte is kept as it is.
class ExportLines {
public:
    explicit ExportLines(std::string text) : text_(std::move(text)) {}
    // The next line; false at the end of the file.
    bool next(std::string_view& line);
    long linenumber() const { return number_; }

private:
    std::string text_;
    std::size_t pos_ = 0;
    long number_ = 0;
};

// Opens an export for a reader: the file's lines, or nullopt after telling the user in a
// message that the export cannot be read (the reader then changes nothing).
std::optional<ExportLines> openexport(App& app, const std::filesystem::path& path);

// "reading " and the last 18 characters of the path, the busy panel's caption of a reader.
std::string readingcaption(const std::filesystem::path& path);

// The month and year of a date field: "m/d/yyyy", "m/d/yy", "yyyy-mm-dd" or "m-d-yyyy",
// a time after a blank allowed. False when the text is not such a date.
bool readdate(std::string_view text, int& year, int& month);

}  // namespace brasket
