// Whole powers rounded once: multiplied out as pairs of doubles, and in whole numbers where a
// pair cannot tell which double is nearest.
#include "numeric/NearestWholePower.h"

#include <utility>

namespace nearest_detail {
namespace {

using Bits = std::uint64_t;

// hi + lo: hi is the power multiplied out in doubles, lo what those products rounded away.
struct Pair {
    double hi;
    double lo;
};

// The rounding error of a product by halves of the significands (Dekker's), exact on every
// processor while the product and its error are normal and no half overflows.
struct SplitProducts {
    [[gnu::always_inline]] static void Halves(double a, double& high, double& low)
    {
        const double scaled = a * 134217729.0; // 2^27 + 1
        high = scaled - (scaled - a);
        low = a - high;
    }
    [[gnu::always_inline]] static double ErrorOf(double a, double b, double product)
    {
        double ah, al, bh, bl;
        Halves(a, ah, al);
        Halves(b, bh, bl);
        return ((ah * bh - product) + ah * bl + al * bh) + al * bl;
    }
    [[gnu::always_inline]] static double MulAdd(double a, double b, double c) { return a * b + c; }
    // 1 - q * d for q = 1/d: 1 - (q * d rounded) is exact, as that product lies in [1/2, 2].
    [[gnu::always_inline]] static double Residual(double q, double d)
    {
        const double product = q * d;
        return (1.0 - product) - ErrorOf(q, d, product);
    }
};

// The same by the fused multiply-add, in functions compiled for it (FusedRoute).
struct FusedProducts {
    [[gnu::always_inline]] static double ErrorOf(double a, double b, double product)
    {
        return __builtin_fma(a, b, -product);
    }
    [[gnu::always_inline]] static double MulAdd(double a, double b, double c)
    {
        return __builtin_fma(a, b, c);
    }
    [[gnu::always_inline]] static double Residual(double q, double d)
    {
        return __builtin_fma(-q, d, 1.0);
    }
};

// A pair's low part stays within 15 * 2^-53 of its high part (the roundings of the highs, which
// each squaring doubles). Each product adds its lows' terms rounded once or twice (2^-53 of at
// most 31 * 2^-53 of it) and leaves out the product of the lows (225 * 2^-106): under 2^-97.8
// of the product, while a squaring doubles the error there was. Up to the 16th power a pair
// lies within 2^-98 of the power, and its reciprocal (below) within 2^-97.
template <class Products> [[gnu::always_inline]] inline Pair Squared(Pair a)
{
    const double hi = a.hi * a.hi;
    return {hi, Products::MulAdd(a.hi + a.hi, a.lo, Products::ErrorOf(a.hi, a.hi, hi))};
}

template <class Products> [[gnu::always_inline]] inline Pair Squared(double x)
{
    const double hi = x * x;
    return {hi, Products::ErrorOf(x, x, hi)};
}

template <class Products> [[gnu::always_inline]] inline Pair Times(Pair a, double x)
{
    const double hi = a.hi * x;
    return {hi, Products::MulAdd(a.lo, x, Products::ErrorOf(a.hi, x, hi))};
}

// x^N by the squarings of FixedPower, so that hi is what FixedPower gives.
template <class Products, unsigned N> [[gnu::always_inline]] inline Pair PairPower(double x)
{
    Pair squared{};
    if constexpr (N < 4)
        squared = Squared<Products>(x);
    else
        squared = Squared<Products>(PairPower<Products, N / 2>(x));
    if constexpr (N % 2 == 0)
        return squared;
    else
        return Times<Products>(squared, x);
}

// 1/(hi + lo) = q (1 + r) (1 - lo/hi + ...) for q = 1/hi rounded and r = 1 - q hi exactly; the
// terms left out and the roundings stay below 2^-97.7 of it.
template <class Products> [[gnu::always_inline]] inline Pair Reciprocal(Pair a)
{
    const double q = 1.0 / a.hi;
    return {q, q * Products::MulAdd(-a.lo, q, Products::Residual(q, a.hi))};
}

// hi + lo rounded, where that is surely the double nearest the power, which lies within 2^-90
// |hi + lo| of it; else the exact power. Moving lo by 2^-24 of itself either way moves the sum
// by at least 2^-25 |lo|: where both sums round to one double, so does every value between them,
// the power among them unless 2^-25 |lo| < 2^-90 |hi + lo|. Then hi + lo and the power lie
// closer than 2^-64 |hi| to hi, a double, whose midpoints are 2^-55 |hi| away at least, and
// round to hi.
template <class Products>
[[gnu::always_inline]] inline double Rounded(Pair v, double x, unsigned n, bool negative)
{
    const double above = Products::MulAdd(v.lo, 1.0 + 0x1p-24, v.hi);
    const double below = Products::MulAdd(v.lo, 1.0 - 0x1p-24, v.hi);
    if (above != below) [[unlikely]]
        return ExactWholePower(x, n, negative);
    return above;
}

template <class Products, unsigned N>
[[gnu::always_inline]] inline double PairRouted(double x, bool negative)
{
    const Pair power = PairPower<Products, N>(x);
    return Rounded<Products>(negative ? Reciprocal<Products>(power) : power, x, N, negative);
}

template <unsigned N> double SplitRoute(double x, bool negative)
{
    return PairRouted<SplitProducts, N>(x, negative);
}

template <unsigned N> double ExactRoute(double x, bool negative)
{
    return ExactWholePower(x, N, negative);
}

using Routes = std::array<PowerRoute, 17>;
constexpr auto kExponents = std::make_integer_sequence<unsigned, 15>(); // 2 to 16

template <unsigned... N> constexpr Routes SplitRoutes(std::integer_sequence<unsigned, N...>)
{
    return {nullptr, nullptr, SplitRoute<N + 2>...};
}

template <unsigned... N> constexpr Routes ExactRoutes(std::integer_sequence<unsigned, N...>)
{
    return {nullptr, nullptr, ExactRoute<N + 2>...};
}

#if defined(__x86_64__) || defined(__i386__)
template <unsigned N> [[gnu::target("fma")]] double FusedRoute(double x, bool negative)
{
    return PairRouted<FusedProducts, N>(x, negative);
}

template <unsigned... N> constexpr Routes FusedRoutes(std::integer_sequence<unsigned, N...>)
{
    return {nullptr, nullptr, FusedRoute<N + 2>...};
}

bool ProcessorFuses()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("fma");
}
#else
constexpr Routes FusedRoutes(std::make_integer_sequence<unsigned, 15>) { return {}; }
bool ProcessorFuses() { return false; }
#endif

// A whole number of up to 15 digits of 64 bits, least significant first: room for a 53-bit
// significand to the 16th power and twice that.
using WholeNumber = std::array<Bits, 15>;

void MultiplyBy(WholeNumber& a, Bits factor)
{
    unsigned __int128 carry = 0;
    for (Bits& digit : a) {
        carry += static_cast<unsigned __int128>(digit) * factor;
        digit = Bits(carry);
        carry >>= 64;
    }
}

int BitLength(const WholeNumber& a)
{
    for (int i = int(a.size()) - 1; i >= 0; --i)
        if (a[size_t(i)] != 0)
            return 64 * i + 64 - std::countl_zero(a[size_t(i)]);
    return 0;
}

bool BitAt(const WholeNumber& a, int i) { return i >= 0 && (a[size_t(i / 64)] >> (i % 64) & 1); }

// The bits from i up, as many as a digit holds.
Bits BitsFrom(const WholeNumber& a, int i)
{
    const size_t digit = size_t(i / 64);
    const int shift = i % 64;
    Bits bits = a[digit] >> shift;
    if (shift != 0 && digit + 1 < a.size())
        bits |= a[digit + 1] << (64 - shift);
    return bits;
}

bool AnyBitBelow(const WholeNumber& a, int i)
{
    for (int k = 0; k < i; k += 64)
        if ((i - k >= 64 ? a[size_t(k / 64)] : a[size_t(k / 64)] & ((Bits(1) << (i - k)) - 1)) != 0)
            return true;
    return false;
}

bool Below(const WholeNumber& a, const WholeNumber& b)
{
    for (int i = int(a.size()) - 1; i >= 0; --i)
        if (a[size_t(i)] != b[size_t(i)])
            return a[size_t(i)] < b[size_t(i)];
    return false;
}

void Subtract(WholeNumber& a, const WholeNumber& b)
{
    Bits borrow = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        const Bits d = a[i] - b[i] - borrow;
        borrow = (a[i] < b[i] || (a[i] == b[i] && borrow)) ? 1 : 0;
        a[i] = d;
    }
}

void Double(WholeNumber& a)
{
    for (size_t i = a.size() - 1; i > 0; --i)
        a[i] = a[i] << 1 | a[i - 1] >> 63;
    a[0] <<= 1;
}

// sign * s * 2^scale for the significand s in [2^52, 2^53] rounded from top (53 bits) by its
// next bit and whether any bit below that is set, to nearest with ties to even; the result
// must be a normal double.
double Composed(Bits sign, Bits top, bool next, bool below, int scale)
{
    const Bits s = top + ((next && (below || (top & 1))) ? 1 : 0);
    return std::bit_cast<double>(sign | ((Bits(scale + 52 + 1023) << 52) + (s - (Bits(1) << 52))));
}

} // namespace

constinit std::array<PowerRoute, 17> g_routes = SplitRoutes(kExponents);

double PowerBeyondPairs(double x, unsigned n, bool negative)
{
    const Bits bits = std::bit_cast<Bits>(x);
    const int biased = int(bits >> 52 & 0x7ff);
    if (biased != 0 && biased != 0x7ff) {
        // x = s 2^e with s in [1, 2): s^n takes its route, and where the power is a normal
        // double, adding ne to its exponent scales it exactly.
        const double s = std::bit_cast<double>((bits & ~(Bits(0x7ff) << 52)) | (Bits(1023) << 52));
        const std::int64_t scale = (negative ? -1 : 1) * std::int64_t(n) * (biased - 1023);
        const Bits power = std::bit_cast<Bits>(g_routes[n](s, negative));
        const std::int64_t exponent = std::int64_t(power >> 52 & 0x7ff) + scale;
        if (exponent >= 1 && exponent <= 0x7fe)
            return std::bit_cast<double>(power + (Bits(scale) << 52));
    }
    return extended_detail::WholePowerBeyondNormal(x, n, negative);
}

} // namespace nearest_detail

using namespace nearest_detail;

double ExactWholePower(double x, unsigned n, bool negative)
{
    const Bits bits = std::bit_cast<Bits>(x);
    const Bits sign = (n & 1) ? bits & (Bits(1) << 63) : 0;
    const int exponent = int(bits >> 52 & 0x7ff) - 1023 - 52; // x = +-m 2^exponent
    WholeNumber power{};                                      // m^n
    power[0] = 1;
    for (unsigned i = 0; i < n; ++i)
        MultiplyBy(power, (bits & ((Bits(1) << 52) - 1)) | (Bits(1) << 52));
    const int length = BitLength(power);
    if (!negative)
        return Composed(sign, BitsFrom(power, length - 53), BitAt(power, length - 54),
                        AnyBitBelow(power, length - 54), length - 53 + int(n) * exponent);
    // 2^(length + 54) / m^n bit by bit, from the 2^55 bit down: 55 or 56 bits.
    WholeNumber rest{};
    rest[size_t((length - 1) / 64)] = Bits(1) << ((length - 1) % 64);
    Bits quotient = 0;
    for (int i = 55; i >= 0; --i) {
        if (!Below(rest, power)) {
            Subtract(rest, power);
            quotient |= Bits(1) << i;
        }
        Double(rest);
    }
    const int drop = 64 - std::countl_zero(quotient) - 53;
    const bool inexact = rest != WholeNumber{} || (quotient & ((Bits(1) << (drop - 1)) - 1)) != 0;
    return Composed(sign, quotient >> drop, quotient >> (drop - 1) & 1, inexact,
                    drop - length - 54 - int(n) * exponent);
}

bool ForceWholePowerMethod(WholePowerMethod method)
{
    const bool fuses = ProcessorFuses();
    if (method == WholePowerMethod::Fused && !fuses)
        return false;
    if (method == WholePowerMethod::Exact)
        g_routes = ExactRoutes(kExponents);
    else if (method == WholePowerMethod::Split || !fuses)
        g_routes = SplitRoutes(kExponents);
    else
        g_routes = FusedRoutes(kExponents);
    return true;
}

namespace {
// The fastest method from the start; until then, the split products give the same bits.
[[maybe_unused]] const bool g_methodChosen = ForceWholePowerMethod(WholePowerMethod::Fastest);
} // namespace
