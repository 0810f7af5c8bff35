// Fixed-length fields of the working records.
#pragma once
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/textutil.h"

namespace brasket {

// textN: N single-byte characters. A never-assigned field holds code 0 in every byte; an
// assigned text is cut to N characters or padded on the right with blanks.
template <std::size_t N>
struct Text {
    std::array<char, N> b{};

    Text() = default;
    Text(std::string_view s) { assign(s); }
    Text& operator=(std::string_view s) { assign(s); return *this; }

    void assign(std::string_view s) {
        std::size_t n = std::min(N, s.size());
        std::copy_n(s.data(), n, b.data());
        std::fill(b.begin() + static_cast<long>(n), b.end(), ' ');
    }
    // All N characters, code-0 characters and padding blanks included.
    std::string str() const { return std::string(b.data(), N); }
    // All N characters as a report prints them: a never-assigned (code-0) character as a blank.
    std::string printable() const { return printedtext(str()); }
    // The text without its trailing blanks (code-0 characters stay).
    std::string trimmed() const {
        std::size_t n = N;
        while (n > 0 && b[n - 1] == ' ') --n;
        return std::string(b.data(), n);
    }
    bool operator==(const Text&) const = default;
};

// Bytes that belong to a layout but carry no meaning: kept as read, written back unchanged.
template <std::size_t N>
struct Bytes {
    std::array<std::uint8_t, N> b{};
    bool operator==(const Bytes&) const = default;
};

// A two-index field laid out with the first index innermost: element (i, j) is stored at
// i + Ni * j, as the working files lay out their two-index fields.
template <class T, std::size_t Ni, std::size_t Nj>
struct Grid {
    std::array<T, Ni * Nj> v{};
    T& operator()(std::size_t i, std::size_t j) { return v.at(i + Ni * j); }
    const T& operator()(std::size_t i, std::size_t j) const { return v.at(i + Ni * j); }
    bool operator==(const Grid&) const = default;
};

}  // namespace brasket
