// The record codec: reads and writes a record's fields one by one as packed little-endian
// bytes, so the file layout never depends on how the compiler lays out a struct.
#pragma once
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>

#include "data/records.h"

namespace brasket {
namespace codec {

struct Sizer {
    std::size_t n = 0;
    template <class T> constexpr void operator()(const T&) {
        static_assert(std::is_arithmetic_v<T>);
        n += sizeof(T);
    }
    template <std::size_t N> constexpr void operator()(const Text<N>&) { n += N; }
    template <std::size_t N> constexpr void operator()(const Bytes<N>&) { n += N; }
    template <class T, std::size_t N> constexpr void operator()(const std::array<T, N>& a) {
        for (const auto& x : a) (*this)(x);
    }
    template <class T, std::size_t Ni, std::size_t Nj> constexpr void operator()(const Grid<T, Ni, Nj>& g) {
        (*this)(g.v);
    }
};

struct Writer {
    std::uint8_t* p;
    template <class T> void operator()(const T& x) {
        static_assert(std::is_arithmetic_v<T>);
        using U = std::conditional_t<sizeof(T) == 1, std::uint8_t,
                                     std::conditional_t<sizeof(T) == 2, std::uint16_t, std::uint32_t>>;
        static_assert(sizeof(T) == sizeof(U));
        U u;
        std::memcpy(&u, &x, sizeof u);
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(p, &u, sizeof u);  // the file's byte order already
            p += sizeof u;
        } else {
            for (std::size_t i = 0; i < sizeof u; ++i) *p++ = static_cast<std::uint8_t>(u >> (8 * i));
        }
    }
    template <std::size_t N> void operator()(const Text<N>& t) {
        std::memcpy(p, t.b.data(), N);
        p += N;
    }
    template <std::size_t N> void operator()(const Bytes<N>& t) {
        std::memcpy(p, t.b.data(), N);
        p += N;
    }
    template <class T, std::size_t N> void operator()(const std::array<T, N>& a) {
        for (const auto& x : a) (*this)(x);
    }
    template <class T, std::size_t Ni, std::size_t Nj> void operator()(const Grid<T, Ni, Nj>& g) { (*this)(g.v); }
};

struct Reader {
    const std::uint8_t* p;
    template <class T> void operator()(T& x) {
        static_assert(std::is_arithmetic_v<T>);
        using U = std::conditional_t<sizeof(T) == 1, std::uint8_t,
                                     std::conditional_t<sizeof(T) == 2, std::uint16_t, std::uint32_t>>;
        U u = 0;
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(&u, p, sizeof u);  // the file's byte order already
            p += sizeof u;
        } else {
            for (std::size_t i = 0; i < sizeof u; ++i) u = static_cast<U>(u | (static_cast<U>(*p++) << (8 * i)));
        }
        std::memcpy(&x, &u, sizeof u);
    }
    template <std::size_t N> void operator()(Text<N>& t) {
        std::memcpy(t.b.data(), p, N);
        p += N;
    }
    template <std::size_t N> void operator()(Bytes<N>& t) {
        std::memcpy(t.b.data(), p, N);
        p += N;
    }
    template <class T, std::size_t N> void operator()(std::array<T, N>& a) {
        for (auto& x : a) (*this)(x);
    }
    template <class T, std::size_t Ni, std::size_t Nj> void operator()(Grid<T, Ni, Nj>& g) { (*this)(g.v); }
};

}  // namespace codec

// The length in bytes of a record type's file record.
template <class R>
constexpr std::size_t recordsize() {
    R r{};
    codec::Sizer s;
    R::fields(r, s);
    return s.n;
}

template <class R>
using recordbytes = std::array<std::uint8_t, recordsize<R>()>;

template <class R>
void encode(const R& r, std::uint8_t* out) {
    codec::Writer w{out};
    R::fields(r, w);
}

template <class R>
recordbytes<R> encode(const R& r) {
    recordbytes<R> out{};
    encode(r, out.data());
    return out;
}

template <class R>
void decode(const std::uint8_t* in, R& r) {
    codec::Reader rd{in};
    R::fields(r, rd);
}

template <class R>
R decode(const recordbytes<R>& in) {
    R r{};
    decode(in.data(), r);
    return r;
}

static_assert(recordsize<idfuelrec>() == 36);
static_assert(recordsize<partfactors1rec>() == 16);
static_assert(recordsize<partfactors2rec>() == 24);
static_assert(recordsize<coalsupplyrec>() == 82);
static_assert(recordsize<idplantrec>() == 112);
static_assert(recordsize<idunitrec>() == 17);
static_assert(recordsize<unitcrec>() == 93);
static_assert(recordsize<plantrec>() == 873);
static_assert(recordsize<measrec>() == 32);
static_assert(recordsize<ownerrec>() == 143);
static_assert(recordsize<operatorrec>() == 235);
static_assert(recordsize<binindexrec>() == 57);
static_assert(recordsize<unitcoalrec>() == 62);
static_assert(recordsize<testrec>() == 90);
static_assert(recordsize<emfactorrec>() == 57);
static_assert(recordsize<emisfrec>() == 72);
static_assert(recordsize<compoundrec>() == 50);
static_assert(recordsize<unitpropsrec>() == 172);
static_assert(recordsize<plantdatarec>() == 572);

}  // namespace brasket
