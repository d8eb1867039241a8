#pragma once
// Whole powers x^n and x^-n for n from 2 to 16 as the double nearest the exact power, while the
// arithmetic rounds to nearest. A base of few significant bits multiplies out exactly; any other
// multiplies out as a pair of doubles whose sum lies within 2^-90 of the power, rounded once, and
// where that sum lies too near a midpoint between two doubles to tell which way the power
// rounds, the power is computed exactly in whole numbers. No x87 instruction is used, and every
// processor gives the same bits: the products of the pair are exact with a fused multiply-add
// where the processor has one and by halves of the significands where it has none.
#include "numeric/ExtendedPrecision.h"

#include <array>
#include <bit>
#include <cstdint>

// How the pair's products are formed; Fastest is the fused multiply-add where the processor has
// one. Exact computes every power in whole numbers, the route of the doubtful ones.
enum class WholePowerMethod { Fastest, Split, Fused, Exact };
// Makes every power from now on take method; false, with nothing changed, where the processor
// has no fused multiply-add for Fused. Tests force each method.
bool ForceWholePowerMethod(WholePowerMethod method);

namespace nearest_detail {

// x^n or x^-n for one n of a base whose powers lie within [2^-900, 2^900], by the method chosen.
using PowerRoute = double (*)(double x, bool negative);
extern std::array<PowerRoute, 17> g_routes;

// The biased exponents of the bases whose powers x^n and x^-n lie within [2^-900, 2^900], as
// extended_detail::kNormalPowerBases gives those within [2^-1020, 2^1020]: every product of the
// pair is then normal, with its rounding error too, and no half of it overflows.
constexpr auto kPairPowerBases = [] {
    std::array<extended_detail::ExponentRange, 17> ranges{};
    for (int n = 1; n < int(ranges.size()); ++n) {
        const int low = -(900 / n);
        const int high = 900 / n - 1;
        ranges[size_t(n)] = {unsigned(low + 1023), unsigned(high - low)};
    }
    return ranges;
}();

inline bool HasPairPowers(std::uint64_t bits, unsigned n)
{
    return unsigned(bits >> 52 & 0x7ff) - kPairPowerBases[n].low <= kPairPowerBases[n].span;
}

// x^n or x^-n for the bases without HasPairPowers: a power that is a normal double from its
// base scaled into [1, 2), the others (0, infinities, NaN, and beyond the normal doubles) as
// WholePowerBeyondNormal takes them.
double PowerBeyondPairs(double x, unsigned n, bool negative);

} // namespace nearest_detail

// x^N, or x^-N when negative, for a whole N from 2 to 16 known where the caller is compiled.
template <unsigned N> inline double NearestWholePowerOf(double x, bool negative)
{
    using namespace nearest_detail;
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(x);
    if (!HasPairPowers(bits, N)) [[unlikely]]
        return PowerBeyondPairs(x, N, negative);
    if ((bits & extended_detail::kShortSignificands[N]) == 0) {
        const double exact = extended_detail::FixedPower<N>(x);
        return negative ? 1.0 / exact : exact;
    }
    return g_routes[N](x, negative);
}

// The same for n from 2 to 16 given at run time.
inline double NearestWholePower(double x, unsigned n, bool negative)
{
    using namespace nearest_detail;
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(x);
    if (!HasPairPowers(bits, n)) [[unlikely]]
        return PowerBeyondPairs(x, n, negative);
    if ((bits & extended_detail::kShortSignificands[n]) == 0) {
        const double exact = RepeatedSquaring(x, n);
        return negative ? 1.0 / exact : exact;
    }
    return g_routes[n](x, negative);
}

// x^n or x^-n for n from 1 to 16 computed in whole numbers, for a base whose power is a normal
// double; the route of the doubtful powers, slow but exact.
double ExactWholePower(double x, unsigned n, bool negative);
