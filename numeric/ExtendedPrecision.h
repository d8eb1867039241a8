#pragma once
// Extended precision: long double arithmetic in the x87 unit, 64 significant bits. The unit
// rounds each sum, product and quotient to the precision its control word sets, and the
// runtime's long double functions compute with it too. The Windows runtime sets 64 bits on the
// main thread only and a thread Windows starts runs at 53, so whatever relies on the extra bits
// runs through InExtendedPrecision, which sets 64 bits for its own duration.
#include "numeric/UnderflowFlag.h"

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
#else
constexpr unsigned short kPrecisionBits = 0;
inline unsigned short ControlWord() { return 0; }
inline void SetControlWord(unsigned short) {}
inline void Pin(double&) {}
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

// x^n, or x^-n when negative, for a whole n from 0 to 64, multiplied out in extended precision
// and rounded once to double: within 0.5 + n/2048 ulp of the truth (0.51 up to the 16th power),
// and exact where the truth is a double. A result too small for a double raises the underflow
// flag, also where 1/x^n is 0 because x^n overflowed.
inline double ExtendedWholePower(double x, unsigned n, bool negative)
{
    const double result = InExtendedPrecision(
        [n, negative](double base) {
            const long double power = RepeatedSquaring<long double>(base, n);
            return double(negative ? 1.0L / power : power);
        },
        x);
    if (negative && result == 0.0)
        RaiseUnderflowFlag();
    return result;
}
