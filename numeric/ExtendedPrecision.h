#pragma once
// Extended precision: long double arithmetic in the x87 unit, 64 significant bits. The unit
// rounds each sum, product and quotient to the precision its control word sets, and the
// runtime's long double functions compute with it too. The Windows runtime sets 64 bits on the
// main thread only and a thread Windows starts runs at 53, so whatever relies on the extra bits
// runs through InExtendedPrecision, which sets 64 bits for its own duration.
#include "numeric/UnderflowFlag.h"

#include <array>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>

namespace extended_detail {

#if defined(__x86_64__) || defined(__i386__)
constexpr unsigned short kPrecisionBits = 0x300; // 64 significant bits when both are set

inline unsigned short ControlWord()
{
    unsigned short word;
    __asm__ volatile("fnstcw %0" : "=m"(word));
    return word;
}

inline void SetControlWord(unsigned short word) { __asm__ volatile("fldcw %0" : : "m"(word)); }

// Ties a value to this point of the program: arithmetic that reads it cannot move above, nor
// arithmetic that wrote it below, a change of the control word.
inline void Pin(double& v) { __asm__ volatile("" : "+x"(v)); }
// The same for a value held in the x87 unit, which leaves it there.
inline void PinExtended(long double& v) { __asm__ volatile("" : "+t"(v)); }
#else
constexpr unsigned short kPrecisionBits = 0;
inline unsigned short ControlWord() { return 0; }
inline void SetControlWord(unsigned short) {}
inline void Pin(double&) {}
inline void PinExtended(long double&) {}
#endif

} // namespace extended_detail

// work(args...), which takes and gives doubles, computed with the x87 unit at 64 bits and the
// thread's own precision restored afterwards. Where the precision is 64 bits already, this costs
// a read of the control word.
template <class Work, class... Args> double InExtendedPrecision(Work work, Args... args)
{
    using namespace extended_detail;
    const unsigned short saved = ControlWord();
    const bool narrower = (saved & kPrecisionBits) != kPrecisionBits;
    if (narrower)
        SetControlWord(saved | kPrecisionBits);
    (Pin(args), ...);
    double result = work(args...);
    Pin(result);
    if (narrower)
        SetControlWord(saved);
    return result;
}

// x^n by repeated squaring, off by at most n - 1 roundings of Real (2^-64 each in extended
// precision). No square is taken beyond the last one used, so nothing underflows or overflows
// that x^n does not.
template <class Real> Real RepeatedSquaring(Real x, unsigned n)
{
    Real result = (n & 1u) ? x : Real(1);
    for (n >>= 1; n != 0; n >>= 1) {
        x *= x;
        if (n & 1u)
            result *= x;
    }
    return result;
}

namespace extended_detail {

// x^N by a chain of squarings fixed when compiled, so that no branch depends on N at run time.
template <unsigned N, class Real> [[gnu::always_inline]] inline Real FixedPower(Real x)
{
    if constexpr (N == 1) {
        return x;
    } else {
        const Real half = FixedPower<N / 2>(x);
        if constexpr (N % 2 == 0)
            return half * half;
        else
            return half * half * x;
    }
}

// f.template operator()<N>() for the whole n = N from 3 to 16, so that each gets its own fixed
// sequence; f.template operator()<0>() for any other n.
template <class F> [[gnu::always_inline]] inline decltype(auto) WithFixedExponent(unsigned n, F f)
{
    switch (n) {
    case 3:
        return f.template operator()<3>();
    case 4:
        return f.template operator()<4>();
    case 5:
        return f.template operator()<5>();
    case 6:
        return f.template operator()<6>();
    case 7:
        return f.template operator()<7>();
    case 8:
        return f.template operator()<8>();
    case 9:
        return f.template operator()<9>();
    case 10:
        return f.template operator()<10>();
    case 11:
        return f.template operator()<11>();
    case 12:
        return f.template operator()<12>();
    case 13:
        return f.template operator()<13>();
    case 14:
        return f.template operator()<14>();
    case 15:
        return f.template operator()<15>();
    case 16:
        return f.template operator()<16>();
    default:
        return f.template operator()<0>();
    }
}

// x^N, or x^n by repeated squaring where N is 0.
template <unsigned N, class Real> [[gnu::always_inline]] inline Real WholePower(Real x, unsigned n)
{
    if constexpr (N != 0)
        return FixedPower<N>(x);
    else
        return RepeatedSquaring(x, n);
}

template <class Real> inline Real WholePower(Real x, unsigned n)
{
    return WithFixedExponent(n, [&]<unsigned N>() { return WholePower<N>(x, n); });
}

// The stored significand bits that are 0 in a double of at most 53/n significant bits, whose
// n-th power has at most 53 and is a double unless it leaves the normal range.
constexpr auto kShortSignificands = [] {
    std::array<std::uint64_t, 65> masks{};
    for (unsigned n = 1; n < masks.size(); ++n)
        masks[n] = (std::uint64_t(1) << (53 - 53 / n)) - 1;
    return masks;
}();

// The biased exponents of the bases x whose x^n and x^-n lie within [2^-1020, 2^1020], as
// lowest and count above it: their powers neither overflow nor underflow on the way to a double.
struct ExponentRange {
    unsigned low;
    unsigned span;
};

constexpr auto kNormalPowerBases = [] {
    std::array<ExponentRange, 65> ranges{};
    for (int n = 1; n < int(ranges.size()); ++n) {
        const int low = -(1020 / n);   // n * low >= -1020
        const int high = 1020 / n - 1; // n * (high + 1) <= 1020
        ranges[size_t(n)] = {unsigned(low + 1023), unsigned(high - low)};
    }
    return ranges;
}();

inline bool HasNormalPowers(std::uint64_t bits, unsigned n)
{
    return unsigned(bits >> 52 & 0x7ff) - kNormalPowerBases[n].low <= kNormalPowerBases[n].span;
}

// x in the x87 unit, loaded from where it is stored.
[[gnu::always_inline]] inline long double LoadExtended(const double& x)
{
#if defined(__x86_64__) || defined(__i386__)
    long double v;
    __asm__("fldl %1" : "=t"(v) : "m"(x));
    return v;
#else
    return x;
#endif
}

// x^n or x^-n for a base whose power may leave the normal range or be 0, infinite or NaN.
double WholePowerBeyondNormal(double x, unsigned n, bool negative);

// x^N, or x^n where N is 0, for a base of HasNormalPowers: exactly in double precision where
// the base is short, else in extended precision with one rounding to double at the end.
template <unsigned N>
[[gnu::always_inline]] inline double NormalWholePower(const double& x, unsigned n, bool negative,
                                                      std::uint64_t bits)
{
    if ((bits & kShortSignificands[N != 0 ? N : n]) == 0) {
        const double exact = WholePower<N>(x, n);
        return negative ? 1.0 / exact : exact;
    }
    const unsigned short saved = ControlWord();
    const bool narrower = (saved & kPrecisionBits) != kPrecisionBits;
    if (narrower)
        SetControlWord(saved | kPrecisionBits);
    // Loading and storing a double is exact or rounds by the rounding mode alone, so only the
    // arithmetic between the two pins needs the precision set.
    long double power = LoadExtended(x);
    PinExtended(power);
    power = WholePower<N>(power, n);
    if (negative)
        power = 1.0L / power;
    PinExtended(power);
    if (narrower)
        SetControlWord(saved);
    return double(power);
}

} // namespace extended_detail

// x^N, or x^-N when negative, for a whole N from 3 to 16 known where the caller is compiled (N 0:
// n from 3 to 64 given at run time), rounded once to double: within 0.5 + n/2048 ulp of the
// truth (0.51 up to the 16th power). A base of few significant bits (small whole numbers,
// halves) whose power is a double multiplies out exactly in double precision; any other
// multiplies out in extended precision. A result too small for a double raises the underflow
// flag, also where 1/x^n is 0 because x^n overflowed.
template <unsigned N>
[[gnu::always_inline]] inline double ExtendedWholePowerOf(const double& x, unsigned n,
                                                          bool negative)
{
    using namespace extended_detail;
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(x);
    if (!HasNormalPowers(bits, N != 0 ? N : n)) [[unlikely]]
        return WholePowerBeyondNormal(x, N != 0 ? N : n, negative);
    return NormalWholePower<N>(x, n, negative, bits);
}

// The same for n from 3 to 64 given at run time.
inline double ExtendedWholePower(double x, unsigned n, bool negative)
{
    return extended_detail::WithFixedExponent(
        n, [&]<unsigned N>() { return ExtendedWholePowerOf<N>(x, n, negative); });
}
