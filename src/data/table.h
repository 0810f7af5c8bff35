// Fixed-bound tables with checked indexing. The working tables keep their fixed bounds
// (element 0 often carries the count); an index outside the bounds is a program fault and
// throws std::out_of_range rather than touching memory it does not own.
#pragma once
#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

namespace brasket {

template <class T, long Lo, long Hi>
class Table {
    static_assert(Hi >= Lo);

public:
    static constexpr long lo = Lo;
    static constexpr long hi = Hi;
    static constexpr std::size_t size = static_cast<std::size_t>(Hi - Lo + 1);

    Table() : items_(size) {}

    T& operator()(long i) { return items_[check(i)]; }
    const T& operator()(long i) const { return items_[check(i)]; }
    T& operator[](long i) { return items_[check(i)]; }
    const T& operator[](long i) const { return items_[check(i)]; }

    static bool inbounds(long i) { return i >= Lo && i <= Hi; }
    void clear() { std::fill(items_.begin(), items_.end(), T{}); }

    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    static std::size_t check(long i) {
        if (i < Lo || i > Hi) [[unlikely]]
            outofrange(i);
        return static_cast<std::size_t>(i - Lo);
    }
    // Kept out of line so that the checked access itself stays small enough to inline.
    [[noreturn, gnu::noinline, gnu::cold]] static void outofrange(long i) {
        throw std::out_of_range("table index " + std::to_string(i) + " outside " + std::to_string(Lo) + ".." +
                                std::to_string(Hi));
    }
    std::vector<T> items_;
};

// Two-dimensional table, first index outermost.
template <class T, long Lo1, long Hi1, long Lo2, long Hi2>
class Table2 {
public:
    static constexpr long lo1 = Lo1, hi1 = Hi1, lo2 = Lo2, hi2 = Hi2;
    static constexpr std::size_t rows = static_cast<std::size_t>(Hi1 - Lo1 + 1);
    static constexpr std::size_t cols = static_cast<std::size_t>(Hi2 - Lo2 + 1);

    Table2() : items_(rows * cols) {}

    T& operator()(long i, long j) { return items_[check(i, j)]; }
    const T& operator()(long i, long j) const { return items_[check(i, j)]; }
    static bool inbounds(long i, long j) { return i >= Lo1 && i <= Hi1 && j >= Lo2 && j <= Hi2; }
    void clear() { std::fill(items_.begin(), items_.end(), T{}); }

private:
    static std::size_t check(long i, long j) {
        if (!inbounds(i, j)) [[unlikely]]
            outofrange(i, j);
        return static_cast<std::size_t>(i - Lo1) * cols + static_cast<std::size_t>(j - Lo2);
    }
    [[noreturn, gnu::noinline, gnu::cold]] static void outofrange(long i, long j) {
        throw std::out_of_range("table index (" + std::to_string(i) + ", " + std::to_string(j) + ") outside bounds");
    }
    std::vector<T> items_;
};

}  // namespace brasket
