#include "report/printexport.h"

#include <algorithm>
#include <cmath>
#include <fstream>

#include "app.h"
#include "common/numtext.h"
#include "common/textutil.h"
#include "report/frmdisplay.h"
#include "report/reportbuffer.h"

namespace brasket {

// ---- Printing ----

namespace {

struct PrintJob {
    Printer& pr;
    const ReportBuffer& rb;
    long pageno = 0;
    int h = 0;

    // The page's size, read afresh each time: a page turned landscape is wider than high.
    double width() const { return std::trunc(pr.ScaleWidth()); }
    double height() const { return std::trunc(pr.ScaleHeight()); }

    // The head of every printed page: the header lines, the first one carrying the page number.
    void head() {
        pr.CurrentY = 0.07 * height();
        ++pageno;
        if (!rb.pageindex().empty()) h = headercount(rb);
        for (long k = 1; k <= h; ++k) {
            pr.CurrentX = 0.05 * width();
            std::string text = rb.line(k);
            if (k == 1) text += "          page" + str(pageno);
            pr.Print(text);
        }
    }
    void newpage(int orientation) {
        pr.NewPage();
        if (orientation) pr.setOrientation(orientation);
        head();
    }
};

}  // namespace

void printreport(App& app) {
    Printer& pr = app.platform.printer();
    const ReportBuffer& rb = app.report;
    PrintJob job{pr, rb};
    std::string error;
    bool ok = true;
    try {
        job.head();
        const long last = std::min(rb.reportlinecount, ReportBuffer::lastline);
        for (long i = job.h + 1; i <= last; ++i) {
            const std::string& line = rb.line(i);
            if (line.find("@NEW PAGEL") != std::string::npos) {
                job.newpage(2);
            } else if (ispagemark(line)) {
                job.newpage(1);
            } else {
                if (pr.CurrentY > 0.9 * job.height()) job.newpage(0);
                if (line == "#" || left(line, 6) == "!TABS:") continue;
                pr.CurrentX = 0.05 * job.width();
                pr.Print(cleantabs(line));
            }
        }
        ok = pr.EndDoc(error);
    } catch (const std::exception& e) {
        error = e.what();
        ok = false;
    }
    if (!ok) app.platform.msgbox("The report could not be printed: " + error);
}

void printsetup(App& app) {
    Printer& pr = app.platform.printer();
    PrinterFont font = pr.font;  // the dialog lists the printer's fonts
    if (app.platform.fontdialog(font)) pr.font = font;
    int orientation = pr.Orientation, copies = pr.Copies;
    if (app.platform.printerdialog(orientation, copies)) {
        pr.Orientation = orientation;
        pr.Copies = copies;
    }
}

// ---- Files ----

namespace {

// Header lines as both files write them: moved to text column 6.
void writeheader(std::ostream& out, const ReportBuffer& rb) {
    const int h = rb.pageindex().empty() ? 0 : headercount(rb);
    for (long k = 1; k <= h; ++k) out << space(5) << rb.line(k) << "\r\n";
    out << "  \r\n";
}

bool finish(std::ofstream& out, const std::filesystem::path& file, std::string& error) {
    out.close();
    if (out.fail()) {
        error = "The file " + file.string() + " could not be written.";
        return false;
    }
    return true;
}

bool openfile(std::ofstream& out, const std::filesystem::path& file, std::string& error) {
    out.open(file, std::ios::binary | std::ios::trunc);
    if (!out) {
        error = "The file " + file.string() + " could not be written.";
        return false;
    }
    return true;
}

bool cancelled(const std::string& name) { return name.empty() || name.find('*') != std::string::npos; }

// Asks for the file of an export with the report window's save dialog and writes it there;
// a cancelled dialog writes nothing, a failed write is told.
template <class Writer>
void exportto(App& app, const char* ext, const char* filter, const char* initialname, Writer write) {
    FileDialog& d = app.display.CommonDialog1;
    d.DefaultExt = ext;
    d.Filter = filter;
    d.FileName = initialname;
    d.Flags = 0;
    const std::string name = app.platform.savefile(d);
    if (cancelled(name)) return;
    std::string error;
    if (!write(app.report, name, error)) app.platform.msgbox(error);
}

}  // namespace

bool writedisplayset(const ReportBuffer& rb, const std::filesystem::path& file, std::string& error) {
    std::ofstream out;
    if (!openfile(out, file, error)) return false;
    writeheader(out, rb);
    for (long p = 1; p <= pagecount(rb); ++p) {
        const PageRange r = pagelines(rb, p);
        for (long i = r.first; i <= r.last; ++i) {
            const std::string& line = rb.line(i);
            out << (ispagemark(line) ? std::string(1, '\f') : line) << "\r\n";
        }
    }
    return finish(out, file, error);
}

void exportfile(App& app) {
    exportto(app, ".txt", "Data set files (*.txt)|*.txt", "display set.txt", writedisplayset);
}

// ---- C,S,V ----

namespace {

// A character of a line, positions counted from 1; outside the line it counts as not blank.
bool blankat(const std::string& line, long pos) {
    return pos >= 1 && pos <= static_cast<long>(line.size()) && line[static_cast<std::size_t>(pos - 1)] == ' ';
}

// The end of the first run of two or more blanks at or after `from`, as the column search
// takes it (1, or the end of a leading run of blanks, when there is none).
long runend(const std::string& line, long from) {
    long p = instr(from, line, "  ");
    do ++p;
    while (instr(p, line, "  ") == p);
    return p;
}

void findcolumns(const ReportBuffer& rb, long first, long last, ColumnState& cs) {
    if (cs.colstart[0] && *cs.colstart[0] <= -5) return;  // fixed by a tab line
    cs = ColumnState{};
    cs.colstart[1] = 9;
    for (std::size_t k = 2; k <= 6; ++k) {
        auto& prev = cs.colstart[k - 1];
        if (!prev || *prev < 9) prev = 9;
        for (long r = first;; ++r) {
            const std::string& line = rb.line(r);  // past the report, and past line 7500, empty
            long p = runend(line, *prev);
            if (p < 9) p = static_cast<long>(line.size());
            if (p == 0) break;  // an empty line: no start for this column
            const std::string& next = rb.line(r + 1);
            if ((blankat(next, p - 1) && blankat(next, p) && !blankat(next, p + 1)) || r > last) {
                cs.colstart[k] = p + 1;
                break;
            }
        }
    }
}

}  // namespace

void csvline(const ReportBuffer& rb, long first, long last, ColumnState& cs, std::string& s) {
    if (left(s, 6) == "!TABS:") {
        s += "aaaaa";
        for (std::size_t k = 1; k <= 6; ++k) {
            std::size_t at = 6 + k - 1;  // character 6 + k
            cs.colstart[k] = at < s.size() ? static_cast<unsigned char>(s[at]) : 'a';
        }
        cs.colstart[0] = -5;
        return;
    }
    if (s == "!SETUP") {
        findcolumns(rb, first, last, cs);
        return;
    }
    cs.colval = {};
    const long len = static_cast<long>(s.size());
    for (std::size_t k = 1; k <= 6; ++k) {
        const auto& start = cs.colstart[k];
        if (!start || *start <= 0 || *start >= len) continue;
        auto& end = cs.colstart[k + 1];
        if (!end || *end < *start) end = len;  // stays for the following lines of the page
        cs.colval[k] = val(mid(s, *start, *end - *start));
    }
    if (s.find_first_not_of(' ') == std::string::npos) return;  // blank or empty: unchanged
    // A page without a second column (its first line empty) has its whole line as text.
    s = cs.colstart[2] ? trim(left(s, *cs.colstart[2] - 1)) : trim(s);
}

std::string csvrecord(const std::string& text, const ColumnState& cs) {
    std::string rec = "\"" + text + "\"";
    for (std::size_t k = 2; k <= 6; ++k) {
        rec += ",";
        if (cs.colval[k]) rec += trim(str(*cs.colval[k]));
    }
    return rec;
}

bool writecsvset(const ReportBuffer& rb, const std::filesystem::path& file, std::string& error) {
    std::ofstream out;
    if (!openfile(out, file, error)) return false;
    writeheader(out, rb);
    ColumnState cs;
    for (long p = 1; p <= pagecount(rb); ++p) {
        const PageRange r = pagelines(rb, p);
        std::string setup = "!SETUP";
        csvline(rb, r.first, r.last, cs, setup);
        for (long i = r.first; i <= r.last; ++i) {
            std::string t = rb.line(i);
            csvline(rb, r.first, r.last, cs, t);
            out << csvrecord(t, cs) << "\r\n";
        }
    }
    return finish(out, file, error);
}

void exportcsv(App& app) {
    // The initial name holds "*", so the analyst has to give a name of their own.
    exportto(app, ".prn", "Data set files (*.prn)|*.prn", "set*.prn", writecsvset);
}

}  // namespace brasket
