#include "numeric/ExtendedPrecision.h"

namespace extended_detail {
namespace {

constexpr long double kOverflowing = 0x1p1024L;
constexpr long double kHalfLeastSubnormal = 0x1p-1075L;

// The double that every value from 2^1024 up (huge) or strictly between 0 and 2^-1075 rounds to
// in the rounding mode of the moment, negated where negative: a product of two doubles that
// rounds the same way, raising the overflow or underflow flag as such a value does. The x87
// unit takes hundreds of cycles to store a double that overflows or underflows; the SSE unit
// takes none to compute one that is far out of range.
double Beyond(bool huge, bool negative)
{
    double a = huge ? DBL_MAX : 1e-300;
    const double b = huge ? 2.0 : 1e-150;
    if (negative)
        a = -a;
    Pin(a);
    return a * b;
}

// x rounded to a double, fast also where it leaves the normal range, except into the subnormal
// numbers. Between DBL_MAX and 2^1024, x scaled by 2^-64 is normal and rounds at the same bit
// as x, and the scaling back in the SSE unit is exact unless it overflows, as x's own rounding.
double RoundedToDouble(long double x)
{
    const long double size = std::fabs(x);
    if (size >= kOverflowing)
        return Beyond(true, x < 0);
    if (size > DBL_MAX) {
        double scaled = double(x * 0x1p-64L);
        Pin(scaled);
        return scaled * 0x1p64;
    }
    if (size <= kHalfLeastSubnormal)
        return Beyond(false, std::signbit(x));
    return double(x); // a normal or subnormal double, or NaN
}

// Whether x^n (x^-n when negative) surely lies at or above 2^1024 (huge) or below 2^-1076
// (tiny), judged by the exponent e of a normal x, which lies in [2^e, 2^(e+1)).
void ClearlyBeyond(double x, unsigned n, bool negative, bool& huge, bool& tiny)
{
    const int biased = int(std::bit_cast<std::uint64_t>(x) >> 52 & 0x7ff);
    huge = tiny = false;
    if (biased == 0 || biased == 0x7ff)
        return;
    const int low = int(n) * (biased - 1023); // x^n lies in [2^low, 2^high)
    const int high = low + int(n);
    huge = negative ? high <= -1024 : low >= 1024;
    tiny = negative ? low >= 1076 : high <= -1076;
}

} // namespace

double WholePowerBeyondNormal(double x, unsigned n, bool negative)
{
    if (x == 0.0)
        return negative ? 1.0 / WholePower(x, n) : WholePower(x, n);
    bool huge = false, tiny = false;
    ClearlyBeyond(x, n, negative, huge, tiny);
    double result = 0;
    if (huge || tiny) {
        result = Beyond(huge, x < 0 && (n & 1u) != 0);
    } else {
        const unsigned short saved = ControlWord();
        const bool narrower = (saved & kPrecisionBits) != kPrecisionBits;
        if (narrower)
            SetControlWord(saved | kPrecisionBits);
        long double power = x;
        PinExtended(power);
        power = WholePower(power, n);
        if (negative)
            power = 1.0L / power;
        PinExtended(power);
        if (narrower)
            SetControlWord(saved);
        result = RoundedToDouble(power);
    }
    if (result == 0.0)
        RaiseUnderflowFlag();
    return result;
}

} // namespace extended_detail
