#include "import/importconduct.h"

#include <cmath>
#include <fstream>

#include "app.h"
#include "common/numtext.h"
#include "common/textutil.h"

namespace brasket {

namespace fs = std::filesystem;

void showbusy(App& app, double n) {
    frmplants& w = mainwindow(app);
    if (n == 0) {
        w.Label19.Left = w.Picture1.Left() + w.Picture1.Width() / 5;
        w.Label19.Top = w.Picture1.Top() + w.Picture1.Height() / 5;
        w.Label22.Left = w.Label19.Left() + 50;
        w.Label22.Top = w.Label19.Top() + 200;
        w.Label19.Visible = true;
        w.Label22.Visible = true;
    } else if (n <= -1) {
        w.Label19.Visible = false;
        w.Label22.Visible = false;
    } else {
        w.Label22.Width = static_cast<long>(std::lround(33 * n));
    }
}

void clearscr(App& app) {
    PictureBox& p = mainwindow(app).Picture1;
    p.Cls();
    const char* captions[] = {"Fuel type", "Boiler type", "Particulate control", "SO2 control"};
    for (int i = 0; i < 4; ++i) {
        p.CurrentX = p.ScaleWidth() * i / 4;
        p.CurrentY = 0;
        p.Print(captions[i]);
    }
}

std::optional<fs::path> chooseexportfile(App& app, const std::string& filter, const std::string& filename) {
    FileDialog& d = mainwindow(app).CommonDialog1;
    d.InitDir = app.importpath.string();
    d.Filter = filter;
    d.FileName = filename;
    d.Flags = 0;
    std::string chosen = app.platform.openfile(d);
    if (chosen.find('*') != std::string::npos) return std::nullopt;
    return fs::path(chosen);
}

bool importfolderdialog(App& app, const std::string& filter) {
    const auto chosen = chooseexportfile(app, filter);
    if (!chosen) return false;
    fs::path folder = chosen->parent_path();
    app.importpath = folder.empty() ? fs::current_path() : folder;
    return true;
}

void beginimport(App& app, const std::string& caption) {
    frmplants& w = mainwindow(app);
    app.importwarningsatstart = app.importwarnings;
    w.MousePointer = 11;
    w.Label11.Caption = caption;
    w.Label11.Visible = true;
    app.platform.pumpevents();
}

void importstep(App& app, const std::string& caption, bool pump) {
    mainwindow(app).Label11.Caption = caption;
    if (pump) app.platform.pumpevents();
}

void endimport(App& app) {
    frmplants& w = mainwindow(app);
    if (app.updatingall == 1) {
        // A step of the batch rebuild: its status label goes, and the batch tells the lines
        // skipped by all its steps once, at its end.
        w.Label11.Visible = false;
        w.MousePointer = 0;
        return;
    }
    // The import's lines are put into the file first: only then is it known whether they are there.
    app.warnings.flush();
    const long count = app.importwarnings - app.importwarningsatstart;
    const bool lost = app.warnings.lostinrun() > 0;
    w.Label11.Caption = warningsummary(count, lost);
    w.Label11.Visible = true;
    w.MousePointer = 0;
    if (count > 0 && !lost) app.platform.msgbox(warningsummary(count) + " (" + warninglogpath(app).string() + ")");
}

std::string warningsummary(long count, bool lost) {
    if (count == 0) return "no lines skipped or changed";
    return std::to_string(count) + (count == 1 ? " line" : " lines") + " skipped or changed: " +
           (lost ? "import warnings.txt could not be written" : "see import warnings.txt");
}

fs::path warninglogpath(const App& app) { return app.datapath / "import warnings.txt"; }

void importwarning(App& app, const std::string& line) {
    app.warnings.write(warninglogpath(app), line);
    ++app.importwarnings;
}

std::string lostwarnings(const App& app, long count) {
    return std::to_string(count) + (count == 1 ? " warning line" : " warning lines") + " could not be written to " +
           warninglogpath(app).string() + " and " + (count == 1 ? "was" : "were") + " lost";
}

void importfailed(App& app, const std::string& message) {
    app.failure = message;
    app.platform.msgbox(message);
}

std::optional<fs::path> findexport(const fs::path& path) {
    std::error_code ec;
    if (fs::is_regular_file(path, ec)) return path;
    fs::path folder = path.parent_path();
    if (folder.empty()) folder = ".";
    std::string wanted = lcase(path.filename().string());
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (lcase(it->path().filename().string()) == wanted && it->is_regular_file(ec)) return it->path();
    }
    return std::nullopt;
}

bool ExportLines::nextraw(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    // A plain scan for the line end: a search for either of two characters would look each
    // byte up in the pair, which made the search most of an import's time.
    const std::size_t size = text_.size();
    std::size_t end = pos_;
    while (end < size && text_[end] != '\n' && text_[end] != '\r') ++end;
    std::size_t next;
    if (end == size) {
        next = size;
    } else if (text_[end] == '\r' && end + 1 < text_.size() && text_[end + 1] == '\n') {
        next = end + 2;
    } else {
        next = end + 1;
    }
    line = std::string_view(text_).substr(pos_, end - pos_);
    pos_ = next;
    ++number_;
    return true;
}

void ExportLines::skipheading(int count) {
    std::string_view line;
    for (int i = 0; i < count && nextraw(line); ++i) {
    }
}

bool ExportLines::next(std::string_view& line) {
    while (nextraw(line)) {
        if (app_ && line.find('\0') != std::string_view::npos) {
            skippedline(*app_, *this, "it holds NUL bytes");
            continue;
        }
        return true;
    }
    return false;
}

std::optional<ExportLines> openexport(App& app, const fs::path& path) {
    auto found = findexport(path);
    if (found) {
        std::error_code ec;
        auto size = fs::file_size(*found, ec);
        std::ifstream in(*found, std::ios::binary);
        if (in && !ec) {
            std::string text(static_cast<std::size_t>(size), '\0');
            in.read(text.data(), static_cast<std::streamsize>(size));
            if (static_cast<std::uintmax_t>(in.gcount()) == size) return ExportLines(std::move(text), *found, &app);
        }
    }
    app.failure = "The export file " + path.string() + " cannot be read.";
    app.platform.msgbox("The export file " + path.string() +
                        " cannot be read. This step of the import was abandoned; the working tables are as they were.");
    return std::nullopt;
}

void skippedline(App& app, const ExportLines& lines, const std::string& reason) {
    importwarning(app, "line " + std::to_string(lines.linenumber()) + " of " + lines.path().string() +
                           " skipped: " + reason);
}

bool numbersfit(App& app, const ExportLines& lines, std::initializer_list<StoredNumber> numbers) {
    for (const StoredNumber& n : numbers) {
        double v = n.value ? *n.value : val(n.text);
        if (n.whole ? fitsi16(v) : fitsf32(v)) continue;
        skippedline(app, lines, std::string("the ") + n.what + " " + trim(n.text) + " does not fit its field");
        return false;
    }
    return true;
}

std::string readingcaption(const fs::path& path) { return "reading " + right(path.string(), 18); }

namespace {

// Whole numbers separated by one kind of separator: up to three of them.
bool dateparts(std::string_view text, char sep, int parts[3], int digits[3]) {
    int k = 0;
    std::size_t i = 0;
    while (k < 3) {
        std::size_t start = i;
        long v = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - start < 4) v = v * 10 + (text[i++] - '0');
        if (i == start) return false;
        parts[k] = static_cast<int>(v);
        digits[k] = static_cast<int>(i - start);
        ++k;
        if (k < 3) {
            if (i >= text.size() || text[i] != sep) return false;
            ++i;
        }
    }
    return i == text.size();
}

}  // namespace

bool readdate(std::string_view text, int& year, int& month) {
    std::string t = trim(text);
    std::size_t blank = t.find(' ');
    if (blank != std::string::npos) t.resize(blank);  // a time of day follows
    int p[3], d[3];
    int y, m, day;
    if (dateparts(t, '-', p, d) && d[0] == 4) {
        y = p[0], m = p[1], day = p[2];
    } else if (dateparts(t, '/', p, d) || dateparts(t, '-', p, d)) {
        m = p[0], day = p[1], y = p[2];
        if (d[2] <= 2) y += y < 30 ? 2000 : 1900;
        else if (d[2] != 4) return false;
    } else {
        return false;
    }
    if (m < 1 || m > 12 || day < 1) return false;
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    if (day > days[m - 1] + (m == 2 && leap ? 1 : 0)) return false;
    year = y;
    month = m;
    return true;
}

}  // namespace brasket
