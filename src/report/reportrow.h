// A row of a report table: a line of blanks of fixed width on which texts are written from
// 1-based columns, each over what stood there, cut at the row's end. The report buffer
// stores the row without its trailing blanks.
#pragma once
#include <string>
#include <string_view>

#include "common/textutil.h"
#include "report/numformat.h"

namespace brasket {

class Row {
public:
    explicit Row(long width) : text_(static_cast<std::size_t>(width > 0 ? width : 0), ' ') {}
    Row& at(long column, std::string_view text) {
        placeat(text_, column, text);
        return *this;
    }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

// A summary line: its heading, then values written whole at their columns (the line grows
// where a value reaches past the heading).
class SummaryLine {
public:
    explicit SummaryLine(std::string_view heading) : text_(heading) {}
    SummaryLine& at(long column, std::string_view text) {
        putat(text_, column, text);
        return *this;
    }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

// The particulate, oxidized and elemental values of a row or summary line, in the mask
// "#.#####", at col, col + 10 and col + 20.
template <class Line>
Line threeforms(Line line, long col, double part, double ox, double elem) {
    line.at(col, formatnumber(part, "#.#####"))
        .at(col + 10, formatnumber(ox, "#.#####"))
        .at(col + 20, formatnumber(elem, "#.#####"));
    return line;
}

}  // namespace brasket
