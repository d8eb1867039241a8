// The zero of a function of one variable in a bracket: Brent's method, and the decision whether
// the bracket it closes on holds a zero or a pole, a jump or a gap.
#include "engine/NumericCalculusZeros.h"

#include "engine/EngineErrors.h"
#include "engine/EvaluationWork.h"
#include "engine/EvaluatorRounding.h"
#include "numeric/UnderflowFlag.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

using zeros::BandMemo;
using zeros::BandRoot;
using zeros::ExactZero;
using zeros::kNoLastingSign;
using zeros::Resolved;
using zeros::RoundingNoise;
using zeros::SameSign;
using zeros::Sample;
using zeros::SampleAt;
using zeros::SignChangeRoot;
using zeros::ZeroSearch;

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// f at x into y with its arithmetic rounded up (direction +1) or down (-1), and the results of
// library functions too where library says so; f's code. The underflow flag is left as it was,
// so that an evaluation this one is nested in learns nothing from it.
int RoundedValue(const CalculusFunction& f, double x, int direction, bool library, double& y)
{
    const bool raised = UnderflowFlagRaised();
    int code = 0;
    RunRounded(direction, library, [&] { code = f(x, y); });
    if (!raised)
        ClearUnderflowFlag();
    return code;
}

// Whether f's 0 at s.x came from rounding, asked by evaluating again from a lowered underflow
// flag and with the arithmetic rounded up and down, where an exact 0 stays 0 (x-x, floor(x)):
// zeros are few, and lowering the flag before every evaluation would cost as much as it.
[[gnu::noinline]] void AskRounded(const CalculusFunction& f, Sample& s)
{
    s.rounded = RaisesUnderflow([&] { s.code = f(s.x, s.y); }) && s.code == 0 && s.y == 0.0;
    if (s.rounded || s.code != 0 || s.y != 0.0)
        return;
    for (int direction : {1, -1}) {
        double y = 0.0;
        if ((s.code = RoundedValue(f, s.x, direction, false, y)) != 0)
            return;
        s.rounded = s.rounded || (y != 0.0 && std::isfinite(y));
    }
}

// The rounding noise of f at x (RoundingNoise); f's code.
int NoiseAt(const CalculusFunction& f, double x, double& noise)
{
    noise = 0.0;
    double y = 0.0;
    if (const int code = f(x, y); code != 0 || !std::isfinite(y))
        return code;
    return RoundingNoise(f, x, y, noise);
}

// Whether the values of two signs at p and q are no larger than f's rounding noise beside them,
// at least away from them: the sign change of a root whose values are lost in the noise before
// the doubles resolve it, where a jump's values are larger than the noise beside it. Within a
// few doubles of a jump, rounding may move f across it (floor(10*x) just below 1 rounds up to
// 10), so the noise is asked at least 16 times their distance out. f's code.
int WithinNoise(const CalculusFunction& f, const Sample& p, const Sample& q, double away,
                bool& within)
{
    const double lo = std::min(p.x, q.x), hi = std::max(p.x, q.x);
    const double d = std::max(away, 16.0 * (hi - lo));
    double below = 0.0, above = 0.0;
    int code = NoiseAt(f, lo - d, below);
    if (code == 0)
        code = NoiseAt(f, hi + d, above);
    within = std::max(std::fabs(p.y), std::fabs(q.y)) <= 4.0 * std::max(below, above);
    return code;
}

// The size of a bracket's end values, halved so that it stays finite.
double Size(double u, double v) { return 0.5 * std::fabs(u) + 0.5 * std::fabs(v); }

// The point one resolution step from x toward y: tol, or the next double where that is farther.
double StepToward(double x, double y, double tol)
{
    const double s = x + std::copysign(tol, y - x);
    return (s == x) ? std::nextafter(x, y) : s;
}

// The brackets a search narrowed through, each kept at most half as wide as the one kept before
// it, with the size of their end values: what the equation does as its bracket narrows.
class BracketTrail {
public:
    void Add(double width, double size)
    {
        if (m_count > 0 && !(width <= 0.5 * m_entries[(m_count - 1) % kKept].width))
            return;
        m_entries[m_count % kKept] = {width, size};
        ++m_count;
    }
    // The width of the widest bracket kept since whose end values were no larger than size: where
    // the values a bracket narrowed through stopped shrinking; 0 when none was.
    double WidestWithin(double size) const
    {
        double widest = 0.0;
        for (std::size_t i = m_count; i > 0 && i + kKept > m_count; --i) {
            const Entry& entry = m_entries[(i - 1) % kKept];
            if (entry.size > size)
                break;
            widest = entry.width;
        }
        return widest;
    }
    // The size at the narrowest bracket kept that was wider (16) to widest (64) times as wide as
    // width; -1 when there was none. Wider brackets say nothing of the equation beside the zero:
    // one that holds a hump of exp(-x^2)*(x-1) has ends far smaller than those near its zero.
    double SizeWider(double width, double wider = 16.0, double widest = 64.0) const
    {
        for (std::size_t i = m_count; i > 0 && i + kKept > m_count; --i) {
            const Entry& entry = m_entries[(i - 1) % kKept];
            if (entry.width > widest * width)
                break;
            if (entry.width >= wider * width)
                return entry.size;
        }
        return -1.0;
    }

private:
    static constexpr std::size_t kKept = 64;
    struct Entry {
        double width, size;
    };
    std::array<Entry, kKept> m_entries; // the first m_count of them, in a ring
    std::size_t m_count = 0;
};

// Whether the sign change between neighbouring doubles p and q is a steep zero of a function the
// doubles follow: f changes by about as much, in one direction, from the double before p to p,
// from p to q and from q to the double after it. Beside a pole or a jump it does not.
bool EvenlySteep(const CalculusFunction& f, const Sample& p, const Sample& q)
{
    const Sample beforeP = SampleAt(f, std::nextafter(p.x, 2.0 * p.x - q.x));
    const Sample afterQ = SampleAt(f, std::nextafter(q.x, 2.0 * q.x - p.x));
    if (!beforeP.Valued() || !afterQ.Valued())
        return false;
    const double across = q.y - p.y;
    const auto alike = [across](double change) {
        return change / across > 0.5 && change / across < 2.0;
    };
    return alike(p.y - beforeP.y) && alike(afterQ.y - q.y);
}

// Whether f's values at the neighbouring doubles p and q are at most half those 16 doubles
// farther out on each side, as a zero's are (they grow with the distance from it); where f has no
// value there, nothing speaks against the zero.
bool ShrinksBeside(const CalculusFunction& f, const Sample& p, const Sample& q)
{
    const double out = 16.0 * (q.x - p.x);
    const Sample beforeP = SampleAt(f, p.x - out), afterQ = SampleAt(f, q.x + out);
    return !beforeP.Valued() || !afterQ.Valued() ||
           Size(p.y, q.y) <= 0.5 * Size(beforeP.y, afterQ.y);
}

// Moves an end where f has no sign toward the point toward by halving, until f has a sign there
// or the two lie within tol; 0, or the error of f met on the way.
int MoveToSign(const CalculusFunction& f, Sample& end, const Sample& toward, double tol)
{
    while (end.rounded && std::fabs(toward.x - end.x) > tol) {
        end = SampleAt(f, end.x + 0.5 * (toward.x - end.x));
        if (end.code != 0)
            return end.code;
    }
    return 0;
}

// The ends of a bracket where f has no sign (a rounded 0) move inward until it has one;
// with no sign at either end, toward the middle, where it is tried first and the side of the
// sign change is kept ((x-1)*exp(-x^2) on [-50, 50]). 0, or the error of f met on the way.
int SignEnds(const CalculusFunction& f, Sample& first, Sample& second, double tol)
{
    if (!first.rounded || !second.rounded) {
        const int code = MoveToSign(f, first, second, tol);
        return code != 0 ? code : MoveToSign(f, second, first, tol);
    }
    const Sample middle = SampleAt(f, first.x + 0.5 * (second.x - first.x));
    if (middle.code != 0)
        return middle.code;
    if (!middle.Valued() || middle.y == 0.0) {
        first = middle;
        return 0;
    }
    int code = MoveToSign(f, first, middle, tol);
    if (code == 0)
        code = MoveToSign(f, second, middle, tol);
    if (code == 0 && first.Valued() && second.Valued() && SameSign(first.y, second.y))
        (SameSign(first.y, middle.y) ? first : second) = middle;
    return code;
}

// A sign change between p and q that is no zero (a pole, a jump or a gap), placed in root.
int Refused(const Sample& p, const Sample& q, double& root)
{
    root = p.x + 0.5 * (q.x - p.x);
    return ErrBadArgument;
}

// How far the value at inner lies off the line through outer and middle, where f is straight.
double OffLine(const Sample& outer, const Sample& middle, const Sample& inner)
{
    const double slope = (middle.y - outer.y) / (middle.x - outer.x);
    return std::fabs(inner.y - (middle.y + slope * (inner.x - middle.x)));
}

// Whether f steps between the neighbouring doubles lo < hi (values of two signs) as a jump does:
// the step across them larger than f's slopes 16 doubles out on either side carry it, which agree
// with each other, f straight on either side, and the excess larger than f's rounding noise,
// which steps repeatedly where a jump steps once and beside it f goes on smoothly. A zero whose
// slope grows without bound toward it is no straight line beside it; one of odd order steps
// across by less than the slopes carry it. Most zeros are told by the slopes alone.
bool JumpBetween(const CalculusFunction& f, const Sample& lo, const Sample& hi)
{
    const double u = hi.x - lo.x;
    const Sample below = SampleAt(f, lo.x - 16.0 * u), above = SampleAt(f, hi.x + 16.0 * u);
    if (!below.Valued() || !above.Valued())
        return false;
    const double slopeBelow = (lo.y - below.y) / (lo.x - below.x);
    const double slopeAbove = (above.y - hi.y) / (above.x - hi.x);
    const double across = hi.y - lo.y;
    const double excess = across - 0.5 * (slopeBelow + slopeAbove) * u;
    if (!(excess / across > 1e-8) ||
        !(std::fabs(excess) > 2.0 * std::fabs(slopeBelow - slopeAbove) * u))
        return false;
    const Sample nearBelow = SampleAt(f, lo.x - 4.0 * u), nearAbove = SampleAt(f, hi.x + 4.0 * u);
    if (!nearBelow.Valued() || !nearAbove.Valued() ||
        !(std::fabs(excess) >
          8.0 * (OffLine(below, nearBelow, lo) + OffLine(above, nearAbove, hi))))
        return false;
    double noiseBelow = 0.0, noiseAbove = 0.0;
    if (NoiseAt(f, below.x, noiseBelow) != 0 || NoiseAt(f, above.x, noiseAbove) != 0)
        return false;
    return std::fabs(excess) > 1.5 * std::max(noiseBelow, noiseAbove);
}

// The zero between the neighbouring doubles p and q, unless f jumps there or its sign change
// does not last beyond its rounding noise.
int Found(ZeroSearch& s, const Sample& p, const Sample& q, double& root)
{
    if (JumpBetween(s.f, p.x < q.x ? p : q, p.x < q.x ? q : p))
        return Refused(p, q, root);
    return SignChangeRoot(s, p, q, root);
}

int SettleUnsigned(ZeroSearch& s, Sample p, Sample q, double u, double& root);

// How halving a bracket ended.
enum class Halving { Narrowed, Zero, Unsigned, Failed };

// Halves the bracket [p, q] (values of two signs), keeping the half across which f changes sign
// and telling trail of it; m receives the middle, at which f may be 0, unsigned or fail (code).
Halving Halve(const CalculusFunction& f, Sample& p, Sample& q, BracketTrail& trail, Sample& m,
              int& code)
{
    m = SampleAt(f, p.x + 0.5 * (q.x - p.x));
    code = m.code != 0 ? m.code : ErrBadArgument;
    if (m.code != 0 || !std::isfinite(m.y))
        return Halving::Failed;
    if (m.rounded)
        return Halving::Unsigned;
    if (m.y == 0.0)
        return Halving::Zero;
    (SameSign(m.y, p.y) ? p : q) = m;
    trail.Add(std::fabs(q.x - p.x), Size(p.y, q.y));
    return Halving::Narrowed;
}

int ConfirmZero(ZeroSearch& s, const Sample& p, const Sample& q, BracketTrail& trail, double& root);

// The bracket [p, q] that Brent's method closed on (values of two signs) holds a zero, a pole, a
// jump or a gap. It is told inside the bracket, never beside it, where the other zero of a close
// pair may lie: by what the end values do as the bracket is halved. Once it is within tol (or
// between neighbouring doubles), a zero's values have at least halved since the bracket was 16
// times as wide, a pole's have grown and a jump's have stayed; a jump small against f's change
// across tol shrinks there too, and is told only on neighbouring doubles (ConfirmZero). Only
// between neighbouring doubles with no wider bracket known are the doubles beside them asked.
int DecideBracket(ZeroSearch& s, Sample p, Sample q, BracketTrail& trail, double& root)
{
    const CalculusFunction& f = s.f;
    const double tol = s.tol;
    for (;;) {
        const bool neighbours = std::nextafter(p.x, q.x) == q.x;
        if (Resolved(p.x, q.x, tol)) {
            const double width = std::fabs(q.x - p.x), now = Size(p.y, q.y);
            const double before = trail.SizeWider(width), last = trail.SizeWider(width, 2.0, 4.0);
            if (before >= 0.0 && now <= 0.5 * before)
                return neighbours ? Found(s, p, q, root) : ConfirmZero(s, p, q, trail, root);
            if (neighbours && before < 0.0 && EvenlySteep(f, p, q))
                return Found(s, p, q, root);
            // Values that stayed down to the doubles, or that grew and grow on as the bracket
            // narrows: a pole or a jump, unless they are rounding noise, which may grow or stay.
            // Values that grew only against ends beside zeros of their own ((x-2.6)*(x-2.7) on
            // [2.6, 2.7]) shrink from there on.
            if (neighbours ||
                (before >= 0.0 && now >= 2.0 * before && last >= 0.0 && now >= last)) {
                bool noisy = false;
                const double away = neighbours ? 0.5 * trail.WidestWithin(2.0 * now) : 0.0;
                if (const int code = WithinNoise(f, p, q, away, noisy))
                    return code;
                if (!noisy)
                    return Refused(p, q, root);
                if (neighbours)
                    return Found(s, p, q, root);
            }
        }
        Sample m;
        int code = 0;
        switch (Halve(f, p, q, trail, m, code)) {
        case Halving::Failed:
            return code;
        case Halving::Unsigned:
            return SettleUnsigned(s, p, q, m.x, root);
        case Halving::Zero:
            return ExactZero(s, m.x, root);
        case Halving::Narrowed:
            break;
        }
    }
}

[[gnu::noinline]] int Brent(ZeroSearch& s, const Sample& first, const Sample& second, double& root);

// A bracket [p, q] with a point u inside where f is an unsigned 0: the points from each end
// toward u are halved down to neighbouring doubles. A sign change met on the way is a bracket of
// its own without u; otherwise f has no sign between the last valued points, a noise band, which
// holds the zero where the band rule finds one: at u where those points lie within tol of each
// other (1e-300*(x-1)^3 underflows within 2e-8 of 1), amid them where they lie farther apart and
// their values are no larger than f's rounding noise (exp(-x^2) = 1e-320 rounds to its target
// over 9e-6), and not where f jumps across the unsigned points.
int SettleUnsigned(ZeroSearch& s, Sample p, Sample q, double u, double& root)
{
    const CalculusFunction& f = s.f;
    for (Sample* end : {&p, &q}) {
        double edge = u; // the unsigned point nearest to this end
        while (std::nextafter(end->x, edge) != edge) {
            const Sample m = SampleAt(f, end->x + 0.5 * (edge - end->x));
            if (m.code != 0)
                return m.code;
            if (!std::isfinite(m.y))
                return ErrBadArgument;
            if (m.rounded) {
                edge = m.x;
            } else if (m.y == 0.0) {
                return ExactZero(s, m.x, root);
            } else if (SameSign(m.y, end->y)) {
                *end = m;
            } else {
                return Brent(s, *end, m, root);
            }
        }
    }
    const double lo = std::min(p.x, q.x), hi = std::max(p.x, q.x);
    // One unsigned double between them is as near as the doubles place the zero (10^x = 1e200
    // is 0 at 200 only because 10^200 rounds to the same double as 1e200).
    if (Resolved(p.x, q.x, s.tol) || std::nextafter(std::nextafter(p.x, q.x), q.x) == q.x)
        return BandRoot(s, lo, hi, 0.0, u, true, root);
    bool noisy = false;
    if (const int code = WithinNoise(f, p, q, 0.0, noisy))
        return code;
    if (!noisy)
        return SameSign(p.y, q.y) ? kNoLastingSign : Refused(p, q, root);
    return BandRoot(s, lo, hi, 0.0, p.x + 0.5 * (q.x - p.x), true, root);
}

// The nearest point to x in direction, going out by tol doubling up to reach, where f has a sign
// (or an exact 0); a point without a value or a sign where there is none. Where f has no sign
// at reach either, the points between are not asked: a plateau of underflows or of rounding
// onto a limit (exp(x) = 0, tanh(x) = 1) goes on, where the 0s of a root in noise are narrow.
Sample SignFrom(const CalculusFunction& f, double x, double direction, double tol, double reach)
{
    const Sample atReach = SampleAt(f, StepToward(x, direction, reach));
    if (!atReach.Valued())
        return atReach;
    for (double d = tol;; d *= 2.0) {
        const Sample s = SampleAt(f, StepToward(x, direction, std::min(d, reach)));
        if (s.Valued() || !s.HasValue() || !(d < reach))
            return s;
    }
}

// Whether the unsigned 0 at u (a 0 only through rounding) is a zero of f, placed in root (0): f
// has values beside it, within reach, and the band of unsigned points between them holds a zero
// (SettleUnsigned), as for (x-30)*(1+exp(-x^2)) at 30, which underflows on the way to 0,
// (1e9+x)^2-1e9^2 = 1e9 at 0.5, 0 across 1e-7, or mod(10*x, 1) at 0.9, 0 at a point. Where it is
// none, kNoLastingSign; an error of f met on the way ends the search with it.
int UnsignedZero(ZeroSearch& s, const Sample& u, double reach, double& root)
{
    const Sample below = SignFrom(s.f, u.x, -kInfinity, s.tol, reach);
    if (!below.Valued())
        return kNoLastingSign;
    const Sample above = SignFrom(s.f, u.x, kInfinity, s.tol, reach);
    if (!above.Valued())
        return kNoLastingSign;
    const int code = SettleUnsigned(s, below, above, u.x, root);
    return code == ErrBadArgument ? kNoLastingSign : code;
}

// The next step d of Brent's method from b (e the one before): inverse quadratic or secant
// interpolation where it falls well inside the bracket [b, c] and the steps shrink fast enough,
// otherwise halving.
void NextBrentStep(double a, double b, double c, double fa, double fb, double fc, double tol1,
                   double& d, double& e)
{
    const double xm = 0.5 * (c - b);
    if (std::fabs(e) >= tol1 && std::fabs(fa) > std::fabs(fb)) {
        const double s = fb / fa;
        double p, q;
        if (a == c) {
            p = 2.0 * xm * s;
            q = 1.0 - s;
        } else {
            const double qa = fa / fc, r = fb / fc;
            p = s * (2.0 * xm * qa * (qa - r) - (b - a) * (r - 1.0));
            q = (qa - 1.0) * (r - 1.0) * (s - 1.0);
        }
        if (p > 0.0)
            q = -q;
        p = std::fabs(p);
        if (2.0 * p < std::min(3.0 * xm * q - std::fabs(tol1 * q), std::fabs(e * q))) {
            e = d;
            d = p / q;
        } else {
            d = xm;
            e = d;
        }
    } else {
        d = xm;
        e = d;
    }
}

// Where Brent's method stopped: on a bracket [b, c] as narrow as asked (closed) or not (open,
// out of iterations), |f(b)| <= |f(c)|; at an exact 0 at b; at a point u where f has no sign,
// inside the bracket [b, c]; or at an error of f (code).
struct BrentStop {
    enum Kind { Closed, Open, Zero, Unsigned, Failed } kind = Failed;
    Sample b, c;
    double u = 0.0;
    int code = 0;
};

// Brent's method on [first, second], where f has values of two signs, until the bracket is
// within 2 (relative |b| + absolute), telling trail of each bracket.
BrentStop RunBrent(const CalculusFunction& f, const Sample& first, const Sample& second,
                   double relative, double absolute, BracketTrail& trail)
{
    BrentStop stop;
    double a = first.x, b = second.x;
    double fa = first.y, fb = second.y, c = b, fc = fb, d = 0.0, e = 0.0;
    for (int iteration = 0; iteration < 100; ++iteration) {
        if (SameSign(fb, fc)) {
            c = a;
            fc = fa;
            e = d = b - a;
        }
        if (std::fabs(fc) < std::fabs(fb)) {
            a = b;
            b = c;
            c = a;
            fa = fb;
            fb = fc;
            fc = fa;
        }
        trail.Add(std::fabs(c - b), Size(fb, fc));
        const double tol1 = relative * std::fabs(b) + absolute;
        const double xm = 0.5 * (c - b);
        stop.b = {b, fb};
        stop.c = {c, fc};
        if (fb == 0.0) {
            stop.kind = BrentStop::Zero;
            return stop;
        }
        if (std::fabs(xm) <= tol1) {
            stop.kind = BrentStop::Closed;
            return stop;
        }
        NextBrentStep(a, b, c, fa, fb, fc, tol1, d, e);
        a = b;
        fa = fb;
        b += (std::fabs(d) > tol1) ? d : std::copysign(tol1, xm);
        const Sample next = SampleAt(f, b);
        if (next.code != 0 || next.rounded) {
            stop.kind = next.code != 0 ? BrentStop::Failed : BrentStop::Unsigned;
            stop.code = next.code;
            stop.b = {a, fa};
            stop.u = b;
            return stop;
        }
        fb = next.y;
    }
    stop.kind = BrentStop::Open;
    stop.code = ErrMaxIterations;
    return stop;
}

// Brent's method on [first, second], where f has values of two signs. Kept apart from the
// checks of the ends, which most steps of a scan stop at, so that those run in a small frame.
[[gnu::noinline]] int Brent(ZeroSearch& s, const Sample& first, const Sample& second, double& root)
{
    BracketTrail trail;
    const BrentStop stop = RunBrent(s.f, first, second, 6e-15, 0.5 * s.tol, trail);
    switch (stop.kind) {
    case BrentStop::Closed:
    case BrentStop::Open: // interpolation stalls on a root of high order (x^5): halving goes on
        return DecideBracket(s, stop.b, stop.c, trail, root);
    case BrentStop::Zero:
        return ExactZero(s, stop.b.x, root);
    case BrentStop::Unsigned:
        return SettleUnsigned(s, stop.b, stop.c, stop.u, root);
    default:
        return stop.code;
    }
}

// Whether f, going out from the neighbouring doubles p and q, moves in further steps of at least
// an eighth of its step across them, as rounding noise does ((x+1000)-1000 in steps of 1.1e-13,
// cos(x)-1 in steps of 1.1e-16), where beside a jump it goes on smoothly. On each side, out to
// where f has changed by 16 such steps (at most reach), the half that changes more is kept down
// to neighbouring doubles, where a step shows. Where f is flat out to reach, or has no value,
// nothing speaks against the zero.
bool StepsBeside(const CalculusFunction& f, const Sample& p, const Sample& q, double reach)
{
    const double step = std::fabs(q.y - p.y);
    for (const Sample* side : {&p, &q}) {
        const double away = side->x - (side == &p ? q.x : p.x);
        Sample inner = *side, outer = *side;
        for (double d = std::fabs(away);; d *= 2.0) {
            outer = SampleAt(f, side->x + std::copysign(std::min(d, reach), away));
            if (!outer.Valued())
                return true;
            if (std::fabs(outer.y - side->y) >= 16.0 * step || !(d < reach))
                break;
        }
        if (std::fabs(outer.y - inner.y) < 0.125 * step)
            return true;
        while (std::nextafter(inner.x, outer.x) != outer.x) {
            const Sample m = SampleAt(f, inner.x + 0.5 * (outer.x - inner.x));
            if (!m.Valued())
                return true;
            (std::fabs(m.y - inner.y) >= std::fabs(outer.y - m.y) ? outer : inner) = m;
        }
        if (std::fabs(outer.y - inner.y) >= 0.125 * step)
            return true;
    }
    return false;
}

// Confirms a zero in a bracket [p, q] within tol whose values shrank as it narrowed: a jump small
// against f's change across tol shrinks there too (1000*x+floor(x) = 1000.5 at 0.01). Narrowed
// on to neighbouring doubles, a zero's values go on shrinking, or fall to f's rounding noise,
// while a jump's stay. Where f is an exact 0 on the way, that is the zero; where a 0 comes only
// through rounding, its values shrank beyond doubt.
int ConfirmZero(ZeroSearch& s, const Sample& p, const Sample& q, BracketTrail& trail, double& root)
{
    const CalculusFunction& f = s.f;
    const BrentStop stop = RunBrent(f, p, q, std::numeric_limits<double>::epsilon(),
                                    std::numeric_limits<double>::denorm_min(), trail);
    if (stop.kind == BrentStop::Zero)
        return ExactZero(s, stop.b.x, root);
    if (stop.kind == BrentStop::Unsigned)
        return SettleUnsigned(s, stop.b, stop.c, stop.u, root);
    if (stop.kind == BrentStop::Failed)
        return stop.code;
    Sample lo = stop.b, hi = stop.c;
    while (std::nextafter(lo.x, hi.x) != hi.x) {
        Sample m;
        int code = 0;
        switch (Halve(f, lo, hi, trail, m, code)) {
        case Halving::Failed:
            return code;
        case Halving::Unsigned:
            return SettleUnsigned(s, lo, hi, m.x, root);
        case Halving::Zero:
            return ExactZero(s, m.x, root);
        case Halving::Narrowed:
            break;
        }
    }
    const double now = Size(lo.y, hi.y), before = trail.SizeWider(std::fabs(hi.x - lo.x));
    if (before >= 0.0 ? now <= 0.5 * before : ShrinksBeside(f, lo, hi))
        return Found(s, lo, hi, root);
    return StepsBeside(f, lo, hi, 64.0 * std::fabs(q.x - p.x)) ? Found(s, lo, hi, root)
                                                               : Refused(lo, hi, root);
}

// Brent's method between first and second, where f has values of two signs, unless a noise band
// decided already holds both. Where it closed on a sign change that does not last, the lasting
// one lies beside that band, between an end and the band's edge of the other sign (multiplied out,
// (x-1)*(x-1.1)*(x-1.2) changes sign in its noise just above its root near 1.2).
int SignChange(ZeroSearch& s, const Sample& first, const Sample& second, double& root,
               int depth = 0)
{
    const Sample& lo = first.x < second.x ? first : second;
    const Sample& hi = first.x < second.x ? second : first;
    if (const BandMemo::Band* known = s.bands.Around(lo.x, hi.x)) {
        root = known->root;
        return known->holdsRoot ? 0 : kNoLastingSign;
    }
    const int code = Brent(s, first, second, root);
    const BandMemo::Band* band = code == kNoLastingSign ? s.bands.Around(root, root) : nullptr;
    if (!band || depth >= 4)
        return code;
    const int loSign = lo.y > 0.0 ? 1 : -1, hiSign = hi.y > 0.0 ? 1 : -1;
    if (lo.x < band->lo && band->loSign == -loSign) {
        const Sample edge = SampleAt(s.f, band->lo);
        if (edge.Valued() && !SameSign(edge.y, lo.y))
            return SignChange(s, lo, edge, root, depth + 1);
    }
    if (band->hi < hi.x && band->hiSign == -hiSign) {
        const Sample edge = SampleAt(s.f, band->hi);
        if (edge.Valued() && !SameSign(edge.y, hi.y))
            return SignChange(s, edge, hi, root, depth + 1);
    }
    return code;
}

} // namespace

namespace zeros {

Sample SampleAt(const CalculusFunction& f, double x)
{
    Sample s;
    s.x = x;
    s.code = f(x, s.y);
    if (s.code == 0 && s.y == 0.0)
        AskRounded(f, s);
    return s;
}

int RoundingNoise(const CalculusFunction& f, double x, double y, double& noise)
{
    noise = 0.0;
    if (!std::isfinite(y))
        return 0;
    for (int direction : {1, -1}) {
        double moved = 0.0;
        if (const int code = RoundedValue(f, x, direction, true, moved))
            return code;
        moved = std::fabs(moved - y);
        if (moved < kInfinity) // infinity and NaN say nothing of the noise
            noise = std::max(noise, moved);
    }
    return 0;
}

int ZeroBetween(ZeroSearch& s, Sample first, Sample second, double reach, int sameSignCode,
                double& root)
{
    if (first.code != 0)
        return first.code;
    if (second.code != 0)
        return second.code;
    // Most steps of a scan end here: no 0 at an end, so no question of rounding.
    if (first.y != 0.0 && second.y != 0.0)
        return SameSign(first.y, second.y) ? sameSignCode : SignChange(s, first, second, root);
    for (const Sample* end : {&first, &second}) {
        if (end->Valued() && end->y == 0.0)
            return ExactZero(s, end->x, root);
        if (end->code == 0 && end->rounded)
            if (const int code = UnsignedZero(s, *end, reach, root); code != kNoLastingSign)
                return code;
    }
    if (first.rounded || second.rounded) {
        if (const int code = SignEnds(s.f, first, second, s.tol))
            return code;
        for (const Sample& end : {first, second})
            if (end.Valued() && end.y == 0.0)
                return ExactZero(s, end.x, root);
    }
    if (!first.Valued() || !second.Valued() || SameSign(first.y, second.y))
        return sameSignCode;
    return SignChange(s, first, second, root);
}

} // namespace zeros

int FindZeroOfFunction(const CalculusFunction& f, double a, double b, double tol, double& root,
                       int sameSignCode)
{
    root = 0.0;
    if (std::isnan(a) || std::isnan(b))
        return ErrBadArgument;
    if (!(tol >= kMinimumTolerance))
        tol = 1e-5;
    const Sample first = SampleAt(f, a);
    if (first.code != 0)
        return first.code;
    ZeroSearch search(f, std::min(a, b), std::max(a, b), tol);
    int code = ZeroBetween(search, first, SampleAt(f, b), std::fabs(b - a), sameSignCode, root);
    if (code == kNoLastingSign)
        code = sameSignCode;
    if (code != 0)
        root = 0.0;
    return code;
}
