// The rule for values lost in an equation's rounding noise, which every search for zeros keeps.
// A noise band is a stretch where f's computed values lie within its rounding noise of 0: no
// farther from it than twice what they move by when every operation rounds up or down instead of
// to the nearest, or scatter by between neighbouring doubles, nor than the values met inside it.
// Outside a band f's sign is certain; inside, the signs it shows are rounding.
// - Where f's certain signs on the two sides of a band differ, the band holds a root: one point
//   inside it is listed, however often the signs inside change ((x-1)^3 multiplied out, at 1).
// - Where they agree, or one side is not known (f has no value there, or the band runs on far
//   past the interval searched), it holds none: a near miss or a rounding plateau
//   (exp(x)*exp(-x)-1 = 1e-17, tanh(x) = 1).
// - A 0 that f gives keeps its point: exactly (x - x, floor(x), (x-2)^2 at 2) outside a band,
//   or through rounding at a point, in a band no wider than the tolerance (mod(10*x, 1) at 0.9,
//   where 10*x rounds onto 9).
#include "engine/NumericCalculusZeros.h"

#include "engine/EngineErrors.h"

#include <algorithm>
#include <iterator>
#include <limits>

namespace zeros {

namespace {

// How many times its rounding noise, and the values met inside its band, a value must be to have
// a certain sign; and to need no band to be told from 0 at all.
constexpr double kCertainty = 2.0;
constexpr double kBeyondDoubt = 8.0;

// The distance from x to the next double away from 0: the least step a walk from x can make.
double Spacing(double x)
{
    const double size = std::fabs(x);
    return std::nextafter(size, std::numeric_limits<double>::infinity()) - size;
}

// A point beside a band: where f's sign is certain, with that sign, or where the walk to it ended
// without one (sign 0: f has no finite value there, or the limit was reached), with the error of
// f that ended it.
struct Beside {
    double x = 0.0;
    int sign = 0;
    int code = 0;
};

// The noise of f's value y at x: its rounding noise, and how the values at the neighbouring
// doubles scatter about the line through them, for rounding every operation one way cancels in
// a difference of like terms (x^3-0.3*x^2+0.03*x rounds up to its nearest value at
// 0.10000072477695114, off by 4e-19). f's code.
int ValueNoise(const CalculusFunction& f, double x, double y, double& noise)
{
    if (const int code = RoundingNoise(f, x, y, noise))
        return code;
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    double below = 0.0, above = 0.0;
    if (const int code = f(std::nextafter(x, -kInfinity), below))
        return code;
    if (const int code = f(std::nextafter(x, kInfinity), above))
        return code;
    const double scatter = 0.5 * std::fabs(below + above - 2.0 * y);
    if (scatter < kInfinity)
        noise = std::max(noise, scatter);
    return 0;
}

// The sign of f at x, where its value is y, when the value is larger than factor times its noise
// and than floor, else 0; f's code.
int CertainSign(const CalculusFunction& f, double x, double y, double floor, double factor,
                int& sign)
{
    sign = 0;
    double noise = 0.0;
    if (!std::isfinite(y))
        return 0;
    if (const int code = ValueNoise(f, x, y, noise))
        return code;
    if (std::fabs(y) > factor * std::max(noise, floor))
        sign = y > 0.0 ? 1 : -1;
    return 0;
}

// Goes out from x in direction (+1 or -1) by distances doubling from start, up to limit, to the
// first of two points in a row where f has one certain sign, or one before the walk ends
// without a value: rounding up and down tells the noise of one point only roughly (it cancels
// in a difference of like terms, (x+1)^2-x^2), so the values met inside the band, where they lie
// within their noise, raise the bar (amplitude), and one point above it by chance does not end
// the band.
Beside SignBeside(const CalculusFunction& f, double x, double direction, double start, double limit,
                  double& amplitude)
{
    Beside first;
    double firstSize = 0.0;
    for (double d = start;; d *= 2.0) {
        Beside beside{x + direction * d, 0, 0};
        const bool last = direction > 0.0 ? !(beside.x < limit) : !(beside.x > limit);
        if (last)
            beside.x = limit;
        double y = 0.0, noise = 0.0;
        beside.code = f(beside.x, y);
        if (beside.code == 0 && std::isfinite(y))
            beside.code = ValueNoise(f, beside.x, y, noise);
        if (beside.code != 0 || !std::isfinite(y))
            return first.sign != 0 && beside.code != ErrMaxIterations ? first : beside;
        const double size = std::fabs(y);
        if (size > kCertainty * std::max(noise, amplitude))
            beside.sign = y > 0.0 ? 1 : -1;
        if (beside.sign != 0 && beside.sign == first.sign)
            return first;
        if (first.sign != 0)
            amplitude = std::max(amplitude, firstSize); // it stood alone
        if (size <= kCertainty * noise)
            amplitude = std::max(amplitude, size);
        first = beside;
        firstSize = size;
        if (last)
            return beside;
    }
}

} // namespace

const BandMemo::Band* BandMemo::Around(double p, double q) const
{
    // The last band that begins before p is the only one that can hold it: bands do not overlap.
    auto after = m_bands.lower_bound(p);
    if (after == m_bands.begin())
        return nullptr;
    const Band& band = std::prev(after)->second;
    return q < band.hi ? &band : nullptr;
}

void BandMemo::Add(const Band& band) { m_bands.emplace(band.lo, band); }

ZeroSearch::ZeroSearch(const CalculusFunction& function, double a, double b, double tolerance)
    : f(function), tol(tolerance)
{
    // A band may run well past a bracket a user gave FZERO inside it ((x-1e6)^3 multiplied out
    // is noise for 10 on either side of 1e6).
    const double reach = 16.0 * (b - a);
    constexpr double kLargest = std::numeric_limits<double>::max();
    lo = std::max(a - reach, -kLargest);
    hi = std::min(b + reach, kLargest);
    if (!(lo <= a))
        lo = a; // a width that overflowed
    if (!(hi >= b))
        hi = b;
}

int BandRoot(ZeroSearch& s, double p, double q, double inside, double place, bool zeroInside,
             double& root)
{
    if (const BandMemo::Band* known = s.bands.Around(p, q)) {
        root = known->root;
        return known->holdsRoot ? 0 : kNoLastingSign;
    }
    double amplitude = inside / kCertainty;
    const Beside below =
        SignBeside(s.f, p, -1.0, std::max(q - p, Spacing(p)), std::min(s.lo, p), amplitude);
    if (below.code != 0)
        return below.code;
    const Beside above =
        SignBeside(s.f, q, 1.0, std::max(q - p, Spacing(q)), std::max(s.hi, q), amplitude);
    if (above.code != 0)
        return above.code;
    BandMemo::Band band{below.x, above.x, false, place, below.sign, above.sign};
    if (below.sign != 0 && above.sign != 0 && below.sign != above.sign)
        band.holdsRoot = true;
    else if (zeroInside)
        band.holdsRoot = above.x - below.x <= std::max(s.tol, 16.0 * Spacing(place));
    s.bands.Add(band);
    root = place;
    return band.holdsRoot ? 0 : kNoLastingSign;
}

int ExactZero(const ZeroSearch& s, double x, double& root)
{
    root = x;
    const BandMemo::Band* known = s.bands.Around(x, x);
    if (!known)
        return 0;
    root = known->root;
    return known->holdsRoot ? 0 : kNoLastingSign;
}

int SignChangeRoot(ZeroSearch& s, const Sample& p, const Sample& q, double& root)
{
    const Sample& lo = p.x < q.x ? p : q;
    const Sample& hi = p.x < q.x ? q : p;
    const double nearer = std::fabs(lo.y) <= std::fabs(hi.y) ? lo.x : hi.x;
    const double inside = std::max(std::fabs(lo.y), std::fabs(hi.y));
    // Values far above their noise on both sides need no band (1e20*(x-3.3) at 3.3).
    int below = 0, above = 0;
    if (const int code = CertainSign(s.f, lo.x, lo.y, 0.0, kBeyondDoubt, below))
        return code;
    if (below != 0)
        if (const int code = CertainSign(s.f, hi.x, hi.y, 0.0, kBeyondDoubt, above))
            return code;
    if (below != 0 && above != 0) {
        root = nearer;
        return 0;
    }
    return BandRoot(s, lo.x, hi.x, inside, nearer, false, root);
}

} // namespace zeros
