#include "numeric/FloatRounding.h"

#include <bit>
#include <cstdint>
#include <limits>

namespace {

constexpr int kExponentShift = 52;
constexpr std::uint64_t kExponentMask = 0x7FFull << kExponentShift;
constexpr int kMaxExponentField = 0x7FF;
constexpr int kExponentBias = 1023;

int ExponentField(double x)
{
    return static_cast<int>((std::bit_cast<std::uint64_t>(x) & kExponentMask) >> kExponentShift);
}

double WithExponentField(double x, int field)
{
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(x) & ~kExponentMask;
    return std::bit_cast<double>(bits | (static_cast<std::uint64_t>(field) << kExponentShift));
}

} // namespace

double NumericFloor(double x)
{
    const int e = ExponentField(x) - kExponentBias;
    if (e < 0)
        return x < 0 ? -1.0 : 0.0;
    double y = x;
    if (e < kExponentShift) {
        // Clear the significand bits below the binary point.
        const std::uint64_t fraction = (std::uint64_t{1} << (kExponentShift - e)) - 1;
        y = std::bit_cast<double>(std::bit_cast<std::uint64_t>(x) & ~fraction);
    }
    if (x < 0 && y != x)
        y -= 1.0;
    return y;
}

double NumericCeil(double x)
{
    double y = NumericFloor(x);
    if (y < x)
        y += 1.0;
    return y;
}

double NumericLdexp(double x, int n)
{
    if (ExponentField(x) == kMaxExponentField)
        return x;
    while (ExponentField(x) == 0) {
        if (x == 0)
            return 0.0;
        if (n > 0) {
            x *= 2;
            --n;
        } else if (n < 0) {
            if (n < -53)
                return 0.0;
            x /= 2;
            ++n;
        } else {
            return x;
        }
    }
    const std::int64_t e = static_cast<std::int64_t>(ExponentField(x)) + n;
    if (e >= kMaxExponentField) {
        return x < 0 ? -std::numeric_limits<double>::infinity()
                     : std::numeric_limits<double>::infinity();
    }
    if (e >= 1)
        return WithExponentField(x, static_cast<int>(e));
    if (e < -53)
        return 0.0;
    // Into the denormal range with a single rounding.
    return WithExponentField(x, 1) * NumericLdexp(1.0, static_cast<int>(e) - 1);
}
