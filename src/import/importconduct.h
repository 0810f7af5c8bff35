// What the import menu items share: the import folder dialog, the busy panel and status
// label, the warning log, reading an export file, and the dates of export fields.
#pragma once
#include <filesystem>
#include <initializer_list>
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

// The Open dialog on the main window's CommonDialog1, starting in importpath with the filter
// and file name given; the chosen file, or nullopt when the user cancelled (the returned name
// still holds "*"). The import folder stays as it was.
std::optional<std::filesystem::path> chooseexportfile(App& app, const std::string& filter,
                                                      const std::string& filename = "*.txt");
// The import folder dialog: false when the user cancelled; otherwise importpath becomes the
// chosen file's folder.
bool importfolderdialog(App& app, const std::string& filter = "Data set files (*.txt) ");

// Status of an import menu item: hourglass pointer and Label11 shown with the caption,
// then window events pumped once. The warnings of the import are counted from here.
void beginimport(App& app, const std::string& caption);
// A new caption for the next step; events are pumped once when `pump` is set.
void importstep(App& app, const std::string& caption, bool pump);
// The end of an import: the normal pointer back, and Label11 left showing how many lines the
// import skipped or changed with a warning; when any, a message says so too, unless the
// warning log lost lines in this handler run (the run's end tells that instead). Inside the
// batch rebuild (`updatingall` 1) Label11 is hidden and nothing is told: the batch tells the
// count.
void endimport(App& app);
// The caption that tells how many warning lines an import gave ("no lines skipped" for none);
// `lost` when the warning log could not be written, so that it does not send the user there.
std::string warningsummary(long count, bool lost = false);

// The warning log "import warnings.txt" in the data folder: one line appended per warning,
// counted in app.importwarnings. Within a handler run the file is opened once.
std::filesystem::path warninglogpath(const App& app);
void importwarning(App& app, const std::string& line);
// "N warning lines could not be written to LOG and were lost", for lines the log lost.
std::string lostwarnings(const App& app, long count);

// An import that failed and changed nothing (or could not finish writing its files): the
// message is shown and kept in app.failure, so that a script driving the program ends with it.
void importfailed(App& app, const std::string& message);

// The export file of that name in its folder, its name matched without regard to letter
// case; nullopt when there is none.
std::optional<std::filesystem::path> findexport(const std::filesystem::path& path);

// The lines of an export file, read whole: a line ends at LF, CR LF or a lone CR, every other
// byte is kept as it is. Opened by `openexport`, it skips a data line holding NUL bytes (no
// text export holds them: the file is damaged or not an export there) with a warning line.
class ExportLines {
public:
    explicit ExportLines(std::string text, std::filesystem::path path = {}, App* app = nullptr)
        : text_(std::move(text)), path_(std::move(path)), app_(app) {}
    // Passes over the first `count` lines of the file, its heading, whatever bytes they hold:
    // a damaged heading line is still a heading line, and the data line after it is read.
    void skipheading(int count);
    // The next data line; false at the end of the file.
    bool next(std::string_view& line);
    long linenumber() const { return number_; }
    // The file as it is spelled on disk, for warnings.
    const std::filesystem::path& path() const { return path_; }

private:
    bool nextraw(std::string_view& line);
    std::string text_;
    std::filesystem::path path_;
    App* app_;
    std::size_t pos_ = 0;
    long number_ = 0;
};

// Opens an export for a reader: the file's lines, or nullopt after telling the user in a
// message that the export cannot be read (the reader then changes nothing; the failure is
// kept in app.failure).
std::optional<ExportLines> openexport(App& app, const std::filesystem::path& path);

// "line N of FILE skipped: REASON" into the warning log.
void skippedline(App& app, const ExportLines& lines, const std::string& reason);

// A number of an export line bound for a stored field: its name in warnings, its text,
// whether the field is a 32-bit float or a 16-bit integer, and the value stored when it is not
// the text read as a number.
struct StoredNumber {
    const char* what;
    std::string_view text;
    bool whole = false;
    std::optional<double> value = std::nullopt;
};
// True when every number fits its field. Otherwise the first that does not (beyond the
// field's range, infinite or not a number) is told in the warning log, naming the line and
// the field, and the caller skips the line: such a number is never stored.
bool numbersfit(App& app, const ExportLines& lines, std::initializer_list<StoredNumber> numbers);

// "reading " and the last 18 characters of the path, the busy panel's caption of a reader.
std::string readingcaption(const std::filesystem::path& path);

// The month and year of a date field: "m/d/yyyy", "m/d/yy", "yyyy-mm-dd" or "m-d-yyyy",
// a time after a blank allowed. False when the text is not such a date or names a day its
// month does not have (2/30/1999, 4/31/1999, 2/29 of a year that is not a leap year).
bool readdate(std::string_view text, int& year, int& month);

}  // namespace brasket
