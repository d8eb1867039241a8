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

template <class Real> [[gnu::always_inline]] inline Real WholePower(Real x, unsigned n)
{
    switch (n) {
    case 3:
        return FixedPower<3>(x);
    case 4:
        return FixedPower<4>(x);
    case 5:
        return FixedPower<5>(x);
    case 6:
        return FixedPower<6>(x);
    case 7:
        return FixedPower<7>(x);
    case 8:
        return FixedPower<8>(x);
    case 9:
        return FixedPower<9>(x);
    case 10:
        return FixedPower<10>(x);
    case 11:
        return FixedPower<11>(x);
    case 12:
        return FixedPower<12>(x);
    case 13:
        return FixedPower<13>(x);
    case 14:
        return FixedPower<14>(x);
    case 15:
        return FixedPower<15>(x);
    case 16:
        return FixedPower<16>(x);
    default:
        return RepeatedSquaring(x, n);
    }
}

// The stored significand bits that are 0 in a double of at most 53/n significant bits, whose
// n-th power has at most 53 and is a double unless it leaves the normal range.
constexpr auto kShortSignificands = [] {
    std::array<std::uint64_t, 65> masks{};
    for (unsigned n = 1; n < masks.size(); ++n)
        masks[n] = (std::uint64_t(1) << (53 - 53 / n)) - 1;
    return masks;
}();

} // namespace extended_detail

// x^n, or x^-n when negative, for a whole n from 3 to 64, rounded once to double: within
// 0.5 + n/2048 ulp of the truth (0.51 up to the 16th power). A base of few significant bits
// (small whole numbers, halves) whose power is a double multiplies out exactly in double
// precision; any other multiplies out in extended precision. A result too small for a double
// raises the underflow flag, also where 1/x^n is 0 because x^n overflowed.
inline double ExtendedWholePower(double x, unsigned n, bool negative)
{
    using namespace extended_detail;
    if ((std::bit_cast<std::uint64_t>(x) & kShortSignificands[n]) == 0) {
        const double exact = WholePower(x, n);
        if ((std::fabs(exact) >= DBL_MIN && std::fabs(exact) <= DBL_MAX) || x == 0.0)
            return negative ? 1.0 / exact : exact;
    }
    const unsigned short saved = ControlWord();
    const bool narrower = (saved & kPrecisionBits) != kPrecisionBits;
    if (narrower)
        SetControlWord(saved | kPrecisionBits);
    // Loading and storing a double is exact or rounds by the rounding mode alone, so only the
    // arithmetic between the two pins needs the precision set.
    long double power = x;
    PinExtended(power);
    power = WholePower(power, n);
    if (negative)
        power = 1.0L / power;
    PinExtended(power);
    if (narrower)
        SetControlWord(saved);
    const double result = double(power);
    if (negative && result == 0.0)
        RaiseUnderflowFlag();
    return result;
}
