#include "engine/NumericCalculus.h"

#include "engine/EngineErrors.h"
#include "engine/EvaluationWork.h"

#include "numeric/FloatRounding.h"
#include "numeric/Moments.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <limits>
#include <numeric>

namespace {

constexpr double kHuge = 1e300; // stands for an infinite end of an integration range

// Successive refinements of the trapezoid rule on [a, b]; stage n adds 2^(n-2) points.
class TrapezoidStages {
public:
    TrapezoidStages(const CalculusFunction& f, double a, double b) : m_f(f), m_a(a), m_b(b) {}

    int Next(double& s)
    {
        ++m_stage;
        if (m_stage == 1) {
            double fa = 0.0, fb = 0.0;
            int code = m_f(m_a, fa);
            if (code == 0)
                code = m_f(m_b, fb);
            if (code != 0)
                return code;
            m_sum = 0.5 * (m_b - m_a) * (fa + fb);
        } else {
            const double points = NumericLdexp(1.0, m_stage - 2);
            const double del = (m_b - m_a) / points;
            double sum = 0.0;
            for (double k = 0.0; k < points; k += 1.0) {
                double y = 0.0;
                if (const int code = m_f(m_a + (k + 0.5) * del, y))
                    return code;
                sum += y;
            }
            m_sum = 0.5 * (m_sum + (m_b - m_a) * sum / points);
        }
        s = m_sum;
        return 0;
    }

private:
    const CalculusFunction& m_f;
    double m_a, m_b;
    double m_sum = 0.0;
    int m_stage = 0;
};

// Successive refinements of the open midpoint rule on [a, b]; stage n triples the points and
// never evaluates f at the ends.
class MidpointStages {
public:
    MidpointStages(const CalculusFunction& f, double a, double b) : m_f(f), m_a(a), m_b(b) {}

    int Next(double& s)
    {
        ++m_stage;
        if (m_stage == 1) {
            double y = 0.0;
            if (const int code = m_f(0.5 * (m_a + m_b), y))
                return code;
            m_sum = (m_b - m_a) * y;
        } else {
            const double intervals = std::pow(3.0, m_stage - 2);
            const double del = (m_b - m_a) / (3.0 * intervals);
            double sum = 0.0;
            for (double k = 0.0; k < intervals; k += 1.0) {
                double y1 = 0.0, y2 = 0.0;
                int code = m_f(m_a + (3.0 * k + 0.5) * del, y1);
                if (code == 0)
                    code = m_f(m_a + (3.0 * k + 2.5) * del, y2);
                if (code != 0)
                    return code;
                sum += y1 + y2;
            }
            m_sum = (m_sum + (m_b - m_a) * sum / intervals) / 3.0;
        }
        s = m_sum;
        return 0;
    }

private:
    const CalculusFunction& m_f;
    double m_a, m_b;
    double m_sum = 0.0;
    int m_stage = 0;
};

// Romberg extrapolation of a stage sequence to step 0 over the last five stages. The early
// stages of a peaked or slowly decaying integrand are far from their limit, and extrapolating
// them can give a small error estimate for a wrong value; so a value is accepted only when its
// estimate is within eps and it also agrees with the previous stage's extrapolation.
template <class Stages>
int Romberg(Stages& stages, int maxStages, double stepRatio, double eps, double& result)
{
    constexpr int kPoints = 5;
    constexpr double kTiny = 1e-15; // below it a value counts as zero and eps as absolute
    std::array<double, 22> h{}, s{};
    h[1] = 1.0;
    double previous = 0.0;
    for (int j = 1; j <= maxStages; ++j) {
        if (const int code = stages.Next(s[size_t(j)]))
            return code;
        if (j >= kPoints) {
            // The last five (h, s) pairs, 1-based for the interpolation, extrapolated to h = 0.
            double ss = 0.0, dss = 0.0;
            errno = 0;
            PolynomialInterpolate(&h[size_t(j - kPoints)], &s[size_t(j - kPoints)], kPoints, 0.0,
                                  &ss, &dss);
            if (errno != 0) {
                errno = 0;
                return ErrBadArgument;
            }
            const double allowed = std::fabs(ss) < kTiny ? eps : eps * std::fabs(ss);
            if (j > kPoints && std::fabs(dss) < allowed && std::fabs(ss - previous) <= allowed) {
                result = ss;
                return 0;
            }
            previous = ss;
        }
        h[size_t(j) + 1] = h[size_t(j)] / stepRatio;
    }
    return ErrMaxIterations;
}

int ClosedRomberg(const CalculusFunction& f, double a, double b, double eps, double& result)
{
    TrapezoidStages stages(f, a, b);
    return Romberg(stages, 20, 4.0, eps, result);
}

int OpenRomberg(const CalculusFunction& f, double a, double b, double eps, double& result)
{
    MidpointStages stages(f, a, b);
    return Romberg(stages, 14, 9.0, eps, result);
}

// Open Romberg over a range that reaches out to +-1e300, through the substitution x = 1/t.
int InfiniteRangeRomberg(const CalculusFunction& f, double a, double b, double eps, double& result)
{
    const CalculusFunction g = [&f](double t, double& y) {
        double fx = 0.0;
        if (const int code = f(1.0 / t, fx))
            return code;
        y = fx / (t * t);
        return 0;
    };
    MidpointStages stages(g, 1.0 / b, 1.0 / a);
    return Romberg(stages, 14, 9.0, eps, result);
}

struct RangePiece {
    int (*rule)(const CalculusFunction&, double, double, double, double&);
    double a, b;
};

// Integral over [a, b] with a <= b, at least one end infinite.
int IntegrateInfinite(const CalculusFunction& f, double a, double b, double eps, double& result)
{
    std::array<RangePiece, 3> pieces{};
    int count = 0;
    if (std::isinf(a) && std::isinf(b)) {
        pieces[0] = {InfiniteRangeRomberg, -kHuge, -10.0};
        pieces[1] = {InfiniteRangeRomberg, 10.0, kHuge};
        pieces[2] = {OpenRomberg, -10.0, 10.0};
        count = 3;
    } else if (std::isinf(a)) {
        if (b < 0.0) {
            pieces[0] = {InfiniteRangeRomberg, -kHuge, b};
            count = 1;
        } else {
            pieces[0] = {InfiniteRangeRomberg, -kHuge, -10.0};
            pieces[1] = {ClosedRomberg, -10.0, b};
            count = 2;
        }
    } else if (a > 0.0) {
        pieces[0] = {InfiniteRangeRomberg, a, kHuge};
        count = 1;
    } else {
        pieces[0] = {ClosedRomberg, a, 10.0};
        pieces[1] = {InfiniteRangeRomberg, 10.0, kHuge};
        count = 2;
    }
    double sum = 0.0;
    for (int i = 0; i < count; ++i) {
        double piece = 0.0;
        if (const int code =
                pieces[size_t(i)].rule(f, pieces[size_t(i)].a, pieces[size_t(i)].b, eps, piece))
            return code;
        sum += piece;
    }
    result = sum;
    return 0;
}

bool SameSign(double u, double v) { return (u > 0.0 && v > 0.0) || (u < 0.0 && v < 0.0); }

// f at x, as the search of a step sees it: no value where f fails or gives no finite number.
struct StepPoint {
    double x = 0.0, y = 0.0;
    bool valued = false;
};

StepPoint ValueAt(const CalculusFunction& f, double x)
{
    StepPoint p{x, 0.0, false};
    p.valued = f(x, p.y) == 0 && std::isfinite(p.y);
    return p;
}

// Whether a sign change between p and q places a root as closely as asked: within tol, or between
// neighbouring doubles where those lie farther apart.
bool Resolved(double p, double q, double tol)
{
    return std::fabs(q - p) <= tol || std::nextafter(p, q) == q;
}

// The point one resolution step from x toward y: tol, or the next double where that is farther.
double StepToward(double x, double y, double tol)
{
    const double s = x + std::copysign(tol, y - x);
    return (s == x) ? std::nextafter(x, y) : s;
}

// Whether x (f(x) = fx) is a zero that f resolves: f is 0 there, or changes sign across it, from
// one resolution step below to one above. Where a side has no value (the edge of f's domain), the
// sign changes between x and the other side.
bool ResolvesZero(const CalculusFunction& f, double x, double fx, double tol)
{
    if (fx == 0.0)
        return true;
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    const StepPoint below = ValueAt(f, StepToward(x, -kInfinity, tol));
    const StepPoint above = ValueAt(f, StepToward(x, kInfinity, tol));
    if (below.valued && above.valued)
        return !SameSign(below.y, above.y);
    if (below.valued || above.valued)
        return !SameSign(below.valued ? below.y : above.y, fx);
    return false;
}

// Whether the sign change between neighbouring doubles p and q is a steep zero of a function the
// doubles follow: f changes by about as much, in one direction, from the double before p to p,
// from p to q and from q to the double after it. Beside a pole or a jump it does not.
bool EvenlySteep(const CalculusFunction& f, const StepPoint& p, const StepPoint& q)
{
    const StepPoint beforeP = ValueAt(f, std::nextafter(p.x, 2.0 * p.x - q.x));
    const StepPoint afterQ = ValueAt(f, std::nextafter(q.x, 2.0 * q.x - p.x));
    if (!beforeP.valued || !afterQ.valued)
        return false;
    const double across = q.y - p.y;
    const auto alike = [across](double change) {
        return change / across > 0.5 && change / across < 2.0;
    };
    return alike(p.y - beforeP.y) && alike(afterQ.y - q.y);
}

// The outcome of Brent's method once its bracket [b, c] has closed (fb and fc of two signs, |fb|
// <= |fc|). The bracket closes to tol plus a few rounding units of b, wider than the doubles at
// large magnitudes, so where f does not resolve b as a zero the bracket is halved until it is
// within tol or between neighbouring doubles, and its end of smaller value is tried, then the
// other. A point without a value met there is a gap. A value of 0.1 or more is a pole or a jump,
// except between neighbouring doubles where f is evenly steep: there a steep zero
// ((x-1e15)^2 = 2, doubles 0.125 apart) has no double nearer to it.
int AcceptClosedBracket(const CalculusFunction& f, double b, double fb, double c, double fc,
                        double tol, double& root)
{
    root = 0.0;
    if (std::fabs(fb) < 0.1 && ResolvesZero(f, b, fb, tol)) {
        root = b;
        return 0;
    }
    StepPoint p{b, fb, true}, q{c, fc, true};
    while (!Resolved(p.x, q.x, tol)) {
        StepPoint m{p.x + 0.5 * (q.x - p.x), 0.0, true};
        if (const int code = f(m.x, m.y))
            return code;
        if (!std::isfinite(m.y))
            return ErrBadArgument;
        (SameSign(m.y, p.y) ? p : q) = m;
        if (m.y == 0.0) {
            root = m.x;
            return 0;
        }
    }
    if (std::fabs(q.y) < std::fabs(p.y))
        std::swap(p, q);
    const bool neighbours = std::nextafter(p.x, q.x) == q.x;
    for (const StepPoint& end : {p, q})
        if (ResolvesZero(f, end.x, end.y, tol) &&
            (std::fabs(end.y) < 0.1 || (neighbours && EvenlySteep(f, p, q)))) {
            root = end.x;
            return 0;
        }
    return ErrBadArgument;
}

// Whether a step [lo, hi] meets the range where doubles hold tol (|x| <= tol * 2^52) and is wider
// than all of it, so that the signs at its ends say nothing of the roots there (a new model's
// interval, -1e300 .. 1e300, has steps 1e298 wide).
bool OutgrowsResolvableRange(double lo, double hi, double tol)
{
    const double resolvable = tol * 0x1p52;
    return hi - lo > 2.0 * resolvable && lo < resolvable && hi > -resolvable;
}

// The points a step [lo, hi] is searched on: its ends, 0 when it lies inside, and points halving
// the distance to each end of every part down to tol, so that each magnitude gets its own points.
std::vector<double> SearchPoints(double lo, double hi, double tol)
{
    std::vector<double> points{lo, hi};
    const auto halve = [&points, tol](double p, double q) {
        for (double d = 0.5 * (q - p); d >= tol; d *= 0.5) {
            if (p + d == p && q - d == q)
                break; // finer than the doubles at both ends
            points.push_back(p + d);
            points.push_back(q - d);
        }
    };
    if (lo < 0.0 && hi > 0.0) {
        points.push_back(0.0);
        halve(lo, 0.0);
        halve(0.0, hi);
    } else {
        halve(lo, hi);
    }
    std::sort(points.begin(), points.end());
    points.erase(std::unique(points.begin(), points.end()), points.end());
    return points;
}

// A zero between a valued point and one without a value: the interval is narrowed toward the
// valued end until a sign change shows (then Brent's method) or it is narrower than tol.
int NarrowToValuedEnd(const CalculusFunction& f, StepPoint valued, StepPoint without, double tol,
                      double& root, int sameSignCode)
{
    if (valued.y == 0.0) {
        root = valued.x;
        return 0;
    }
    for (;;) {
        const double mid = valued.x + 0.5 * (without.x - valued.x);
        if (!(std::fabs(without.x - valued.x) > tol) || mid == valued.x || mid == without.x)
            return sameSignCode;
        const StepPoint p = ValueAt(f, mid);
        if (!p.valued) {
            without = p;
        } else if (!SameSign(p.y, valued.y)) {
            return FindZeroOfFunction(f, std::min(valued.x, mid), std::max(valued.x, mid), tol,
                                      root, sameSignCode);
        } else {
            valued = p;
        }
    }
}

// Appends each zero once, telling found of it.
class ZeroList {
public:
    ZeroList(std::vector<double>& zeros, const ZeroFound& found)
        : m_zeros(zeros), m_first(zeros.size()), m_found(found)
    {
    }
    void Add(double z)
    {
        // Two steps meeting where doubles are coarse can close on the same one.
        if (m_zeros.size() > m_first && m_zeros.back() == z)
            return;
        m_zeros.push_back(z);
        if (m_found)
            m_found(z);
    }
    bool Any() const { return m_zeros.size() > m_first; }
    // The zeros appended, in ascending order and each once, whatever order the steps took.
    void Sort()
    {
        const auto first = m_zeros.begin() + std::ptrdiff_t(m_first);
        std::sort(first, m_zeros.end());
        m_zeros.erase(std::unique(first, m_zeros.end()), m_zeros.end());
    }

private:
    std::vector<double>& m_zeros;
    std::size_t m_first;
    const ZeroFound& m_found;
};

// Appends the zeros of a step [lo, hi] that has an end without a value, searched on its
// SearchPoints. As in the scan, a zero of f at hi is left to the next step unless hi ends the scan.
void SearchStep(const CalculusFunction& f, double lo, double hi, double tol, int sameSignCode,
                bool lastStep, ZeroList& zeros)
{
    std::vector<StepPoint> points;
    for (double x : SearchPoints(lo, hi, tol))
        points.push_back(ValueAt(f, x));
    for (std::size_t i = 0; i + 1 < points.size() && !CommandWork::Spent(); ++i) {
        const StepPoint &u = points[i], &v = points[i + 1];
        double z = 0.0;
        int code = sameSignCode;
        if (u.valued && v.valued) {
            if (!SameSign(u.y, v.y))
                code = FindZeroOfFunction(f, u.x, v.x, tol, z, sameSignCode);
        } else if (u.valued || v.valued) {
            code = u.valued ? NarrowToValuedEnd(f, u, v, tol, z, sameSignCode)
                            : NarrowToValuedEnd(f, v, u, tol, z, sameSignCode);
        }
        const bool nextReports = v.valued && v.y == 0.0 && !(lastStep && i + 2 == points.size());
        if (code == 0 && !(z == v.x && nextReports))
            zeros.Add(z);
    }
}

} // namespace

int IntegrateFunction(const CalculusFunction& f, double a, double b, double eps, double& result)
{
    result = 0.0;
    if (std::isnan(a) || std::isnan(b))
        return ErrBadArgument;
    if (a == b)
        return 0;
    eps = std::max(eps, kMinimumTolerance);
    const double sign = (a > b) ? -1.0 : 1.0;
    if (a > b)
        std::swap(a, b);
    double value = 0.0;
    int code = 0;
    if (std::isinf(a) || std::isinf(b)) {
        code = IntegrateInfinite(f, a, b, eps, value);
    } else {
        // An end where f overflows needs the open rule, which never evaluates the ends.
        double fa = 0.0, fb = 0.0;
        const bool overflowAtEnd = f(a, fa) == ErrRange || f(b, fb) == ErrRange;
        code =
            overflowAtEnd ? OpenRomberg(f, a, b, eps, value) : ClosedRomberg(f, a, b, eps, value);
    }
    if (code == 0)
        result = sign * value;
    return code;
}

int RiddersDerivative(const CalculusFunction& f, double x, double h, double& err, double& result)
{
    constexpr int kTable = 10;
    constexpr double kShrink = 1.4, kShrink2 = kShrink * kShrink, kSafe = 2.0;
    result = 0.0;
    if (h == 0.0)
        return ErrBadArgument;
    auto central = [&f, x](double step, double& value) {
        double up = 0.0, down = 0.0;
        int code = f(x + step, up);
        if (code == 0)
            code = f(x - step, down);
        value = (up - down) / (2.0 * step);
        return code;
    };
    std::array<std::array<double, kTable>, kTable> t{};
    if (const int code = central(h, t[0][0]))
        return code;
    double answer = t[0][0];
    err = 1e30;
    for (int i = 1; i < kTable; ++i) {
        h /= kShrink;
        if (const int code = central(h, t[0][size_t(i)]))
            return code;
        double fac = kShrink2;
        for (int j = 1; j <= i; ++j) {
            t[size_t(j)][size_t(i)] =
                (t[size_t(j - 1)][size_t(i)] * fac - t[size_t(j - 1)][size_t(i - 1)]) / (fac - 1.0);
            fac *= kShrink2;
            const double errt =
                std::max(std::fabs(t[size_t(j)][size_t(i)] - t[size_t(j - 1)][size_t(i)]),
                         std::fabs(t[size_t(j)][size_t(i)] - t[size_t(j - 1)][size_t(i - 1)]));
            if (errt <= err) {
                err = errt;
                answer = t[size_t(j)][size_t(i)];
            }
        }
        if (std::fabs(t[size_t(i)][size_t(i)] - t[size_t(i - 1)][size_t(i - 1)]) >= kSafe * err)
            break;
    }
    result = answer;
    return 0;
}

int DifferentiateFunction(const CalculusFunction& f, double x, double& result, double& tol)
{
    result = 0.0;
    if (!(tol >= kMinimumTolerance))
        return ErrBadArgument;
    const double wanted = tol;
    double h = 0.1;
    for (int k = 0; k < 15; ++k, h *= 0.1) {
        if (const int code = RiddersDerivative(f, x, h, tol, result)) {
            result = 0.0;
            return code;
        }
        if (std::fabs(tol) < std::fabs(result * wanted) ||
            (std::fabs(result) < 1e-15 && std::fabs(tol) < wanted))
            return 0;
    }
    result = 0.0;
    return ErrMaxIterations;
}

int FindZeroOfFunction(const CalculusFunction& f, double a, double b, double tol, double& root,
                       int sameSignCode)
{
    root = 0.0;
    if (std::isnan(a) || std::isnan(b))
        return ErrBadArgument;
    if (!(tol >= kMinimumTolerance))
        tol = 1e-5;
    double fa = 0.0, fb = 0.0;
    if (const int code = f(a, fa))
        return code;
    if (const int code = f(b, fb))
        return code;
    if (fa == 0.0) {
        root = a;
        return 0;
    }
    if (fb == 0.0) {
        root = b;
        return 0;
    }
    if (SameSign(fa, fb))
        return sameSignCode;
    double c = b, fc = fb, d = 0.0, e = 0.0;
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
        const double tol1 = 6e-15 * std::fabs(b) + 0.5 * tol;
        const double xm = 0.5 * (c - b);
        if (std::fabs(xm) <= tol1 || fb == 0.0)
            return AcceptClosedBracket(f, b, fb, c, fc, tol, root);
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
        a = b;
        fa = fb;
        b += (std::fabs(d) > tol1) ? d : std::copysign(tol1, xm);
        if (const int code = f(b, fb))
            return code;
    }
    return ErrMaxIterations;
}

int FindZerosOfFunction(const CalculusFunction& f, double a, double b, int n, double tol,
                        std::vector<double>& zeros, int sameSignCode, BlindSteps blindSteps,
                        const ZeroFound& found)
{
    if (!(a < b) || n <= 0 || !(tol >= kMinimumTolerance))
        return ErrBadArgument;
    ZeroList list(zeros, found);
    const double step = (b - a) / n;
    // A searching scan may span -1e300 .. 1e300: it takes the steps nearest 0 first, so that a
    // scan cut short by the command's time has resolved the roots a user looks for first.
    std::vector<int> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    if (blindSteps == BlindSteps::Search) {
        const auto nearest = [a, step](int k) {
            const double lo = a + k * step, hi = lo + step;
            return (lo <= 0.0 && hi >= 0.0) ? 0.0 : std::min(std::fabs(lo), std::fabs(hi));
        };
        std::stable_sort(order.begin(), order.end(),
                         [&nearest](int j, int k) { return nearest(j) < nearest(k); });
    }
    for (std::size_t i = 0; i < order.size() && !CommandWork::Spent(); ++i) {
        const int k = order[i];
        const double lo = a + k * step;
        const double hi = (k == n - 1) ? b : a + (k + 1) * step;
        double z = 0.0;
        if (FindZeroOfFunction(f, lo, hi, tol, z, sameSignCode) != 0) {
            if (blindSteps == BlindSteps::Search &&
                (!ValueAt(f, lo).valued || !ValueAt(f, hi).valued ||
                 OutgrowsResolvableRange(lo, hi, tol)))
                SearchStep(f, lo, hi, tol, sameSignCode, k == n - 1, list);
            continue;
        }
        // A zero of f at hi starts the next step, which reports it.
        if (z == hi && k < n - 1) {
            const StepPoint end = ValueAt(f, hi);
            if (end.valued && end.y == 0.0)
                continue;
        }
        list.Add(z);
    }
    if (blindSteps == BlindSteps::Search)
        list.Sort();
    if (CommandWork::Spent())
        return ErrMaxIterations;
    return list.Any() ? 0 : ErrNoSolutions;
}

int FindMinimumOfFunction(const CalculusFunction& f, double a, double b, double tol, double& xmin,
                          double& fmin)
{
    constexpr double kGold = 1.618034, kGrowthLimit = 100.0, kTiny = 1e-20;
    constexpr double kR = 0.61803399, kC = 0.38196601;
    constexpr int kMaxSteps = 10000; // ends a search that walks off to infinity or stalls
    xmin = fmin = 0.0;
    if (!(tol >= kMinimumTolerance))
        tol = 1e-5;
    double fa = 0.0, fb = 0.0, fc = 0.0, fu = 0.0;
    if (int code = f(a, fa); code || (code = f(b, fb)))
        return code;
    if (fb > fa) {
        std::swap(a, b);
        std::swap(fa, fb);
    }
    double c = b + kGold * (b - a);
    if (const int code = f(c, fc))
        return code;
    for (int steps = 0; fc < fb; ++steps) {
        if (steps > kMaxSteps)
            return ErrMaxIterations;
        const double r = (b - a) * (fb - fc), q = (b - c) * (fb - fa);
        const double s = std::copysign(std::max(std::fabs(q - r), kTiny), q - r);
        double u = b - ((b - c) * q - (b - a) * r) / (2.0 * s);
        const double ulim = b + kGrowthLimit * (c - b);
        if ((b - u) * (u - c) > 0.0) {
            if (const int code = f(u, fu))
                return code;
            if (fu < fc) {
                a = b;
                fa = fb;
                b = u;
                fb = fu;
                break;
            }
            if (fu > fb) {
                c = u;
                fc = fu;
                break;
            }
            u = c + kGold * (c - b);
            if (const int code = f(u, fu))
                return code;
        } else if ((c - u) * (u - ulim) > 0.0) {
            if (const int code = f(u, fu))
                return code;
            if (fu < fc) {
                b = c;
                c = u;
                u = c + kGold * (c - b);
                fb = fc;
                fc = fu;
                if (const int code = f(u, fu))
                    return code;
            }
        } else if ((u - ulim) * (ulim - c) >= 0.0) {
            u = ulim;
            if (const int code = f(u, fu))
                return code;
        } else {
            u = c + kGold * (c - b);
            if (const int code = f(u, fu))
                return code;
        }
        a = b;
        b = c;
        c = u;
        fa = fb;
        fb = fc;
        fc = fu;
    }
    double x0 = a, x3 = c, x1, x2;
    if (std::fabs(c - b) > std::fabs(b - a)) {
        x1 = b;
        x2 = b + kC * (c - b);
    } else {
        x2 = b;
        x1 = b - kC * (b - a);
    }
    double f1 = 0.0, f2 = 0.0;
    if (int code = f(x1, f1); code || (code = f(x2, f2)))
        return code;
    for (int steps = 0;
         std::fabs(x3 - x0) > tol * (std::fabs(x1) + std::fabs(x2)) && steps < kMaxSteps; ++steps) {
        if (f2 < f1) {
            x0 = x1;
            x1 = x2;
            x2 = kR * x1 + kC * x3;
            f1 = f2;
            if (const int code = f(x2, f2))
                return code;
        } else {
            x3 = x2;
            x2 = x1;
            x1 = kR * x2 + kC * x0;
            f2 = f1;
            if (const int code = f(x1, f1))
                return code;
        }
    }
    if (f1 < f2) {
        xmin = x1;
        fmin = f1;
    } else {
        xmin = x2;
        fmin = f2;
    }
    return 0;
}
