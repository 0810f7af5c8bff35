// The one report line buffer: lines 1..7500 hold the report, line 0 the page index.
//
// Page index: one character per entry, each of code 48 + v. The first gives H, the number of
// header lines (lines 1..H, shown atop every page); each further one the line count of one
// page. Pages follow each other from line H + 1, each at most 30 - H lines long.
//
// Marks in lines: a line containing "@NEW PAGE" (also "@NEW PAGEL", a landscape page) ends
// its page and is stored as its last line; the line "#" closes the page without being
// stored; "Tab(n)" with one or two digits moves the text after it to column n.
#pragma once
#include <string>
#include <string_view>

#include "data/table.h"

namespace brasket {

struct App;

struct ReportBuffer {
    static constexpr long lastline = 7500;
    static constexpr int pagesize = 30;  // header and page lines together

    Table<std::string, 0, 7500> reportbuffer;
    long reportlinecount = 0;  // the last line appended, stored or only counted
    std::string& pageindex() { return reportbuffer(0); }
    const std::string& pageindex() const { return reportbuffer(0); }

    // Line i of the report; lines outside 1..7500 do not exist and read as empty.
    const std::string& line(long i) const;
    // Empties every line, the page index included; the line counter is left as it is.
    void erase() { reportbuffer.clear(); }
};

// Header lines H from the page index, held within 0..maxheaders (an empty index gives 0),
// so that every page keeps at least one line of its own.
inline constexpr int maxheaders = 29;
int headercount(const ReportBuffer& rb);
// Pages recorded in the page index.
long pagecount(const ReportBuffer& rb);

// Sets the page index to the header count alone (held within 0..maxheaders), for a writer
// that knows its header lines only once it has written them.
void setheadercount(ReportBuffer& rb, long headers);

// Starts a report: erases the buffer, sets the page index to the character of the header
// count and the line counter to `linecount` (the lines the writer places itself at the top).
void startreport(ReportBuffer& rb, int headers, long linecount);
void startreport(App& app, int headers, long linecount);
inline void startreport(App& app, int headers) { startreport(app, headers, headers); }

// Appends one line. A tab mark is expanded in the caller's text.
void reportline(ReportBuffer& rb, std::string& line);
void reportline(App& app, std::string& line);
void reportline(App& app, std::string_view line);

// Closes pages in the page index up to and including line n.
void reportpages(ReportBuffer& rb, long n);
void reportpages(App& app, long n);

// First and last buffer line of a page (1-based; page 0 is the header lines). A page
// outside the index gives an empty range (last below first).
struct PageRange {
    long first = 1;
    long last = 0;
};
PageRange pagelines(const ReportBuffer& rb, long page);

// Appends one line built from up to six (column, text) pairs, columns counted from 1. Pairs
// after the one with the largest column are ignored; unused pairs take column 0.
void addcolumns(ReportBuffer& rb, long c1, std::string_view t1, long c2 = 0, std::string_view t2 = {},
                long c3 = 0, std::string_view t3 = {}, long c4 = 0, std::string_view t4 = {}, long c5 = 0,
                std::string_view t5 = {}, long c6 = 0, std::string_view t6 = {});
void addcolumns(App& app, long c1, std::string_view t1, long c2 = 0, std::string_view t2 = {}, long c3 = 0,
                std::string_view t3 = {}, long c4 = 0, std::string_view t4 = {}, long c5 = 0,
                std::string_view t5 = {}, long c6 = 0, std::string_view t6 = {});

// True when the line is a page mark ("@NEW PAGE" anywhere, "@NEW PAGEL" included).
bool ispagemark(std::string_view line);

}  // namespace brasket
