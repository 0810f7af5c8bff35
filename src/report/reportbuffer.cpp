#include "report/reportbuffer.h"

#include <array>

#include "app.h"
#include "common/numtext.h"
#include "common/textutil.h"

namespace brasket {
namespace {

int indexvalue(char c) { return static_cast<unsigned char>(c) - 48; }

// The text of a line with its first tab mark expanded, when that mark qualifies: "Tab("
// followed by one or two characters and ")". Only the first "Tab(" is looked at.
void expandtab(std::string& line) {
    long t = instr(line, "Tab(");
    if (t == 0) return;
    long c = instr(t + 3, line, ")");
    if (c == 0) return;
    long d = c - t - 4;
    if (d != 1 && d != 2) return;
    std::string before = left(line, t - 1);
    std::string after = mid(line, c + 1);
    long n = static_cast<long>(val(mid(line, t + 4, d)));
    // A column left of the text before the mark cannot be reached: no blanks then.
    line = before + space(n - 1 - static_cast<long>(before.size())) + after;
}

void store(ReportBuffer& rb, long i, std::string text) {
    if (i >= 1 && i <= ReportBuffer::lastline) rb.reportbuffer(i) = std::move(text);
}

}  // namespace

const std::string& ReportBuffer::line(long i) const {
    static const std::string none;
    return i >= 1 && i <= lastline ? reportbuffer(i) : none;
}

int headercount(const ReportBuffer& rb) {
    const std::string& index = rb.pageindex();
    if (index.empty()) return 0;
    int h = indexvalue(index[0]);
    return h < 0 ? 0 : h > maxheaders ? maxheaders : h;
}

long pagecount(const ReportBuffer& rb) {
    long n = static_cast<long>(rb.pageindex().size()) - 1;
    return n < 0 ? 0 : n;
}

void setheadercount(ReportBuffer& rb, long headers) {
    // The count is the character of code 48 + count: "0".."9", then ":", ";", "<", ...
    rb.pageindex() = std::string(1, static_cast<char>(48 + (headers < 0 ? 0 : headers > maxheaders ? maxheaders : headers)));
}

void startreport(ReportBuffer& rb, int headers, long linecount) {
    rb.erase();
    setheadercount(rb, headers);
    rb.reportlinecount = linecount;
}

void startreport(App& app, int headers, long linecount) { startreport(app.report, headers, linecount); }

void reportline(ReportBuffer& rb, std::string& line) {
    if (ispagemark(line)) {
        ++rb.reportlinecount;
        store(rb, rb.reportlinecount, line);  // dropped past line 7500
        reportpages(rb, rb.reportlinecount);
        return;
    }
    if (line == "#") {
        reportpages(rb, rb.reportlinecount);
        return;
    }
    ++rb.reportlinecount;
    expandtab(line);
    if (rb.reportlinecount < ReportBuffer::lastline) store(rb, rb.reportlinecount, rtrim(line));
}

void reportline(App& app, std::string& line) { reportline(app.report, line); }

void reportline(App& app, std::string_view line) {
    std::string copy(line);
    reportline(app.report, copy);
}

void reportpages(ReportBuffer& rb, long n) {
    std::string& index = rb.pageindex();
    if (index.empty()) index = "0";
    const long h = headercount(rb);
    long sum = h;
    for (std::size_t k = 1; k < index.size(); ++k) sum += indexvalue(index[k]);
    const long per = ReportBuffer::pagesize - h;
    if (n - sum > per) {
        long full = (n - sum) / per;
        index.append(static_cast<std::size_t>(full), static_cast<char>(48 + per));
        sum += full * per;
    }
    if (n > sum) index.push_back(static_cast<char>(48 + (n - sum)));
}

void reportpages(App& app, long n) { reportpages(app.report, n); }

PageRange pagelines(const ReportBuffer& rb, long page) {
    const std::string& index = rb.pageindex();
    long first = 1 + headercount(rb);
    if (page == 0) return {1, headercount(rb)};
    if (page < 0 || page >= static_cast<long>(index.size())) return {first, first - 1};
    for (long k = 1; k < page; ++k) first += indexvalue(index[static_cast<std::size_t>(k)]);
    return {first, first - 1 + indexvalue(index[static_cast<std::size_t>(page)])};
}

void addcolumns(ReportBuffer& rb, long c1, std::string_view t1, long c2, std::string_view t2, long c3,
                std::string_view t3, long c4, std::string_view t4, long c5, std::string_view t5, long c6,
                std::string_view t6) {
    ++rb.reportlinecount;
    const std::array<long, 6> cols{c1, c2, c3, c4, c5, c6};
    const std::array<std::string_view, 6> texts{t1, t2, t3, t4, t5, t6};
    std::size_t m = 0;
    for (std::size_t k = 1; k < cols.size(); ++k)
        if (cols[k] > cols[m]) m = k;
    std::string line;
    if (cols[m] >= 1) {  // with every column 0 or less no text has a place: an empty line
        line = space(cols[m] + static_cast<long>(texts[m].size()));
        for (std::size_t k = 0; k <= m; ++k) {
            if (cols[k] < 1) continue;  // no place for this pair
            std::string text = rtrim(texts[k]);
            for (std::size_t j = 0; j < text.size(); ++j) {
                std::size_t at = static_cast<std::size_t>(cols[k] - 1) + j;
                if (at >= line.size()) break;
                line[at] = text[j];
            }
        }
    }
    store(rb, rb.reportlinecount, std::move(line));  // dropped past line 7500
}

void addcolumns(App& app, long c1, std::string_view t1, long c2, std::string_view t2, long c3,
                std::string_view t3, long c4, std::string_view t4, long c5, std::string_view t5, long c6,
                std::string_view t6) {
    addcolumns(app.report, c1, t1, c2, t2, c3, t3, c4, t4, c5, t5, c6, t6);
}

bool ispagemark(std::string_view line) { return line.find("@NEW PAGE") != std::string_view::npos; }

}  // namespace brasket
