#include "data/textfiles.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>
#include <cmath>

#include "common/numtext.h"
#include "common/textutil.h"

namespace brasket {
std::vector<std::string> namelistitems(const std::string& content) {
    std::vector<std::string> items;
    std::size_t i = 0, n = content.size();
    // The first position at or after p holding one of the two characters, or n.
    auto until = [&](std::size_t p, char a, char b) {
        while (p < n && content[p] != a && content[p] != b) ++p;
        return p;
    };
    while (i < n) {
        while (i < n && content[i] == ' ') ++i;
        std::string item;
        if (i < n && content[i] == '"') {
            std::size_t end = until(i + 1, '"', '\n');
            item.assign(content, i + 1, end - i - 1);
            i = end;
            if (i < n && content[i] == '"') ++i;
            // Anything between the closing quote and the delimiter is dropped.
            i = until(i, ',', '\n');
        } else {
            std::size_t end = until(i, ',', '\n');
            item.assign(content, i, end - i);
            i = end;
            if (!item.empty() && item.back() == '\r') item.pop_back();
        }
        // Names are kept without blanks at either end, so that a name reads back as saved.
        items.push_back(trim(item));
        if (i < n) ++i;  // the delimiter
    }
    return items;
}

std::string namelisttext(const std::vector<std::string>& names) {
    std::string out;
    for (const auto& given : names) {
        // A double quote inside a name would end it on reading: it is written as an apostrophe
        // (the imports store such names that way already and tell it).
        std::string name = trim(given);
        std::replace(name.begin(), name.end(), '"', '\'');
        if (name.find(',') != std::string::npos)
            out += '"' + name + '"';
        else
            out += name;
        out += "\r\n";
    }
    return out;
}

std::string decimaltext(float x) {
    char buf[48];
    auto r = std::to_chars(buf, buf + sizeof buf, x);
    return std::string(buf, r.ptr);
}

BinnumberRead readbinnumber(const std::string& content, BinGrid<i16>& count, BinGrid<f32>& mercury) {
    BinnumberRead result;
    std::string_view text(content);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.find_first_not_of(" \t") == std::string_view::npos) continue;
        // Six comma-separated numbers, each read once.
        std::array<double, 6> v{};
        std::size_t fields = 0;
        bool wellformed = true;
        std::size_t p = 0;
        while (true) {
            std::size_t c = line.find(',', p);
            std::string_view f = line.substr(p, c == std::string_view::npos ? std::string_view::npos : c - p);
            if (fields < v.size()) {
                v[fields] = val(f);
                bool numeric = std::any_of(f.begin(), f.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
                if (!numeric || !std::isfinite(v[fields]))
                    wellformed = false;
            }
            ++fields;
            if (c == std::string_view::npos) break;
            p = c + 1;
        }
        // The count goes into a 16-bit field and the mercury into a 32-bit float: a value beyond
        // either is refused, never converted out of range.
        wellformed = wellformed && fields == 6 && fitsi16(v[4]) && fitsf32(v[5]);
        // Indices are checked while still numbers, so that a huge one is refused, not converted.
        for (std::size_t k = 0; wellformed && k < 4; ++k) wellformed = v[k] > -1 && v[k] < 100;
        long a = 0, b = 0, c = 0, d = 0;
        if (wellformed) {
            a = static_cast<long>(v[0]);
            b = static_cast<long>(v[1]);
            c = static_cast<long>(v[2]);
            d = static_cast<long>(v[3]);
        }
        if (!wellformed || !BinGrid<i16>::inbounds(a, b, c, d)) {
            ++result.skipped;
            continue;
        }
        count(a, b, c, d) = cint16(v[4]);
        mercury(a, b, c, d) = static_cast<f32>(v[5]);
        ++result.cells;
    }
    return result;
}

std::string binnumbertext(const BinGrid<i16>& count, const BinGrid<f32>& mercury) {
    std::string out;
    for (int a = 0; a < BinGrid<i16>::na; ++a)
        for (int b = 0; b < BinGrid<i16>::nb; ++b)
            for (int c = 0; c < BinGrid<i16>::nc; ++c)
                for (int d = 0; d < BinGrid<i16>::nd; ++d) {
                    i16 n = count(a, b, c, d);
                    f32 hg = mercury(a, b, c, d);
                    if (hg <= 0 && n < 1) continue;
                    out += std::to_string(a) + ',' + std::to_string(b) + ',' + std::to_string(c) + ',' +
                           std::to_string(d) + ',' + std::to_string(n) + ',' + decimaltext(hg) + "\r\n";
                }
    return out;
}

}  // namespace brasket
