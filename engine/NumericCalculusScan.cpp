// The scan of an interval for the zeros of a function of one variable: its steps, the search of
// steps whose ends say nothing of the roots inside, and of turns of the values toward 0 inside a
// step, where two roots hide without a sign change between the step's ends.
#include "engine/NumericCalculusZeros.h"

#include "engine/EngineErrors.h"
#include "engine/EvaluationWork.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <set>
#include <vector>

using zeros::BandRoot;
using zeros::ExactZero;
using zeros::kNoLastingSign;
using zeros::Resolved;
using zeros::SameSign;
using zeros::Sample;
using zeros::SampleAt;
using zeros::ZeroBetween;
using zeros::ZeroSearch;

namespace {

// Where a search that found no zero has not said where its sign change lies.
constexpr double kNoPlace = std::numeric_limits<double>::quiet_NaN();

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
// valued end until a sign change shows (then Brent's method), or it is within tol and the values
// stop shrinking toward the edge of f's domain, or the two are neighbouring doubles. A steep zero
// may lie closer to that edge than tol (ln(x) = -30 at 9.4e-14).
int NarrowToValuedEnd(ZeroSearch& s, Sample valued, Sample without, double& root, int sameSignCode)
{
    const double tol = s.tol;
    if (valued.y == 0.0)
        return ExactZero(s, valued.x, root);
    for (;;) {
        const double mid = valued.x + 0.5 * (without.x - valued.x);
        if (mid == valued.x || mid == without.x)
            return sameSignCode;
        const Sample p = SampleAt(s.f, mid);
        if (!p.Valued()) {
            without = p;
        } else if (!SameSign(p.y, valued.y)) {
            return ZeroBetween(s, valued, p, std::fabs(mid - valued.x), sameSignCode, root);
        } else if (std::fabs(without.x - valued.x) <= tol &&
                   !(std::fabs(p.y) < std::fabs(valued.y))) {
            return sameSignCode; // within tol of the edge, values no longer heading for 0
        } else {
            valued = p;
        }
    }
}

// Appends each zero once, telling found of it, notes the sign changes that are no zeros, and
// keeps what looking inside steps may still cost: as many evaluations of f as the scan's own
// points took, and a few hundred to begin with, spent in the scan's order (nearest 0 first in a
// searching scan). Where they are spent, the places not looked into are noted.
class ZeroList {
public:
    ZeroList(std::vector<double>& zeros, const ZeroFound& found, ScanNotes* notes)
        : m_zeros(zeros), m_first(zeros.size()), m_found(found), m_notes(notes)
    {
    }
    void Add(double z)
    {
        // Steps meeting where doubles are coarse, or a look inside a step, can close on the same
        // one.
        if (!m_seen.insert(z).second)
            return;
        m_zeros.push_back(z);
        if (m_found)
            m_found(z);
    }
    // A sign change between u and v that a search found to be no zero (a pole, a jump or a gap)
    // at x; NaN where it did not say where.
    void Refuse(const Sample& u, const Sample& v, double x)
    {
        if (m_notes && u.Valued() && v.Valued() && u.y != 0.0 && v.y != 0.0 && !SameSign(u.y, v.y))
            m_notes->refused.push_back(std::isnan(x) ? u.x + 0.5 * (v.x - u.x) : x);
    }
    // The scan sampled count points of its own.
    void Earn(std::size_t count) { m_left += double(count); }
    // Whether count more evaluations may go into looking inside a step; where not, x is noted.
    bool MayLook(int count, double x)
    {
        if (m_left >= count)
            return true;
        if (m_notes)
            m_notes->unlooked.push_back(x);
        return false;
    }
    void Spend() { m_left -= 1.0; }
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
    ScanNotes* m_notes;
    std::set<double> m_seen;
    double m_left = 256.0;
};

// Where a span [lo, hi] comes in a search that takes the numbers nearest 0 first.
double DistanceFromZero(double lo, double hi)
{
    return (lo <= 0.0 && hi >= 0.0) ? 0.0 : std::min(std::fabs(lo), std::fabs(hi));
}

// The lowest a convex f could reach between a and c, signed so that it is positive at the three
// points (sign f): from the lines through a and b and through b and c, each carried on past b.
// Above 0, a valley shaped as most are holds no root.
double ConvexFloor(const Sample& a, const Sample& b, const Sample& c, double sign)
{
    const double ga = sign * a.y, gb = sign * b.y, gc = sign * c.y;
    const double beyondB = gb - (ga - gb) / (b.x - a.x) * (c.x - b.x);
    const double beforeB = gb - (gc - gb) / (c.x - b.x) * (b.x - a.x);
    return std::min(beyondB, beforeB);
}

// The next point of the search for the lowest of sign f in [a, c] around b, the lowest so far:
// the vertex of the parabola through the three where it falls well inside and away from b,
// otherwise the golden section of the wider side.
double NextValleyPoint(const Sample& a, const Sample& b, const Sample& c, double sign)
{
    const double ga = sign * a.y, gb = sign * b.y, gc = sign * c.y;
    const double p = (b.x - a.x) * (gb - gc), q = (b.x - c.x) * (gb - ga);
    const double margin = 0.01 * (c.x - a.x);
    if (p != q) {
        const double u = b.x - ((b.x - a.x) * p - (b.x - c.x) * q) / (2.0 * (p - q));
        if (u > a.x + margin && u < c.x - margin && std::fabs(u - b.x) > margin)
            return u;
    }
    constexpr double kGolden = 0.3819660112501051;
    return c.x - b.x > b.x - a.x ? b.x + kGolden * (c.x - b.x) : b.x - kGolden * (b.x - a.x);
}

// At most this many points are tried for the lowest point of one valley.
constexpr int kValleyPoints = 120;

void LookInside(ZeroSearch& s, const Sample& u, const Sample& v, double z, int sameSignCode,
                int depth, ZeroList& zeros);

// The zero between u and v (values of two signs), appended, and the span looked inside depth
// times where it may hold more.
void ZeroAndInside(ZeroSearch& s, const Sample& u, const Sample& v, int sameSignCode, int depth,
                   ZeroList& zeros)
{
    double z = 0.0;
    if (ZeroBetween(s, u, v, std::fabs(v.x - u.x), sameSignCode, z) != 0)
        return;
    zeros.Add(z);
    if (depth > 0)
        LookInside(s, u.x < v.x ? u : v, u.x < v.x ? v : u, z, sameSignCode, depth, zeros);
}

// Looks inside [a, c] around b, where f has one sign and its size turns toward 0 (smaller at b
// than at a, and no larger than at c), for the two roots where the values cross 0 and come back:
// the lowest point is searched until f changes sign or is 0 there, the bracket is within tol, or
// the lines through its points keep a convex f clear of 0. Appends the roots found, looking
// inside their spans depth times for more.
void SearchValley(ZeroSearch& s, Sample a, Sample b, Sample c, int sameSignCode, int depth,
                  ZeroList& zeros)
{
    const double sign = b.y > 0.0 ? 1.0 : -1.0;
    for (int i = 0; i < kValleyPoints && !CommandWork::Spent(); ++i) {
        if (ConvexFloor(a, b, c, sign) > 0.0 || Resolved(a.x, c.x, s.tol) || !zeros.MayLook(1, b.x))
            return;
        zeros.Spend();
        const Sample u = SampleAt(s.f, NextValleyPoint(a, b, c, sign));
        double z = 0.0;
        if (u.code == 0 && u.rounded && BandRoot(s, u.x, u.x, 0.0, u.x, true, z) == 0)
            zeros.Add(z); // a 0 through rounding that the valley touches
        if (!u.Valued())  // no value, or a 0 only through rounding
            return;
        if (u.y == 0.0) {
            if (ExactZero(s, u.x, z) == 0)
                zeros.Add(z); // a double root
            return;
        }
        if (!SameSign(u.y, b.y)) {
            ZeroAndInside(s, a, u, sameSignCode, depth, zeros);
            ZeroAndInside(s, u, c, sameSignCode, depth, zeros);
            return;
        }
        if (sign * u.y < sign * b.y) {
            (u.x < b.x ? c : a) = b;
            b = u;
        } else {
            (u.x < b.x ? a : c) = u;
        }
    }
}

// Searches the turn toward 0 at b, the middle of three points in a row where f's size is
// smallest (smaller than at a, no larger than at c), for the roots that hide in a step without a
// sign change between its ends. With one sign at all three, the valley around b. Where f changes
// sign on one side of b (a root there), the other side holds a turn only if f falls on from b
// into it (x^3-6*x^2+11*x-6 falls from 1.9 toward its roots 2 and 3): asked a short way in.
// The spans of roots found are looked inside depth times.
void SearchTurn(ZeroSearch& s, const Sample& a, const Sample& b, const Sample& c, int sameSignCode,
                int depth, ZeroList& zeros)
{
    if (!a.Valued() || !b.Valued() || !c.Valued() || b.y == 0.0 ||
        !(std::fabs(b.y) < std::fabs(a.y) && std::fabs(b.y) <= std::fabs(c.y)))
        return;
    const bool left = SameSign(a.y, b.y), right = SameSign(b.y, c.y);
    if (left && right) {
        SearchValley(s, a, b, c, sameSignCode, depth, zeros);
        return;
    }
    if (!left && !right)
        return;
    const Sample& outer = right ? c : a;
    if (!zeros.MayLook(1, b.x))
        return;
    zeros.Spend();
    const Sample in = SampleAt(s.f, b.x + (outer.x - b.x) / 1024.0);
    if (!in.Valued() || !(std::fabs(in.y) < std::fabs(b.y)))
        return;
    if (SameSign(in.y, b.y)) {
        right ? SearchValley(s, b, in, c, sameSignCode, depth, zeros)
              : SearchValley(s, a, in, b, sameSignCode, depth, zeros);
        return;
    }
    double z = 0.0;
    if (in.y == 0.0) {
        if (ExactZero(s, in.x, z) == 0)
            zeros.Add(z);
        return;
    }
    // Already across 0: the two roots lie on either side of in.
    for (const Sample* end : {&b, &outer})
        ZeroAndInside(s, in, *end, sameSignCode, depth, zeros);
}

// At most this many points look inside one span of a step's search, and spans of those again so
// many times.
constexpr int kInsidePoints = 16;
constexpr int kInsideDepth = 2;

void SearchRow(ZeroSearch& s, const std::vector<Sample>& points, int sameSignCode, bool lastStep,
               int lookInside, ZeroList& zeros);

// Looks inside the span [u, v] of a step's search beside a zero z: where f changes sign across
// it, or beside one that does, it may hold more (a new model's steps are octaves near 0, and
// (x-1)*(x-1.1)*(x-1.2) has all its roots in one), searched on points that split it evenly, and
// those spans again, depth times.
void LookInside(ZeroSearch& s, const Sample& u, const Sample& v, double z, int sameSignCode,
                int depth, ZeroList& zeros)
{
    if (!u.Valued() || !v.Valued() || !zeros.MayLook(kInsidePoints, z))
        return;
    std::vector<Sample> points{u};
    for (int k = 1; k < kInsidePoints; ++k) {
        zeros.Spend();
        points.push_back(SampleAt(s.f, u.x + (v.x - u.x) * k / kInsidePoints));
    }
    points.push_back(v);
    SearchRow(s, points, sameSignCode, true, depth - 1, zeros);
}

// Appends the zeros found on a row of sampled points, searched nearest 0 first, as the scan
// takes its steps: each span between them, and each valley at a point once the spans on both
// sides are searched. As in the scan, a zero of f at the last point is left to the next step
// unless that ends the scan. With lookInside (a depth), a span that changes sign across a zero,
// and the spans beside it, are looked inside.
void SearchRow(ZeroSearch& s, const std::vector<Sample>& points, int sameSignCode, bool lastStep,
               int lookInside, ZeroList& zeros)
{
    std::vector<bool> looked(points.size());
    const auto look = [&](std::size_t i, double z) {
        if (lookInside > 0 && i + 1 < points.size() && !looked[i]) {
            looked[i] = true;
            LookInside(s, points[i], points[i + 1], z, sameSignCode, lookInside, zeros);
        }
    };
    // The spans between the points, nearest 0 first: outward from where 0 lies among them.
    std::size_t right = 0;
    while (right + 1 < points.size() && points[right + 1].x <= 0.0)
        ++right;
    for (std::size_t left = right;
         (left > 0 || right + 1 < points.size()) && !CommandWork::Spent();) {
        const bool takeRight =
            right + 1 < points.size() &&
            (left == 0 || DistanceFromZero(points[right].x, points[right + 1].x) <=
                              DistanceFromZero(points[left - 1].x, points[left].x));
        const std::size_t i = takeRight ? right++ : --left;
        const Sample &u = points[i], &v = points[i + 1];
        double z = 0.0;
        int code = sameSignCode;
        const bool signChange = u.Valued() && v.Valued() && !SameSign(u.y, v.y);
        if (signChange) {
            z = kNoPlace;
            code = ZeroBetween(s, u, v, v.x - u.x, sameSignCode, z);
            if (code != 0 && code != kNoLastingSign)
                zeros.Refuse(u, v, z);
        } else if (u.Valued() != v.Valued()) {
            code = u.Valued() ? NarrowToValuedEnd(s, u, v, z, sameSignCode)
                              : NarrowToValuedEnd(s, v, u, z, sameSignCode);
        }
        const bool nextReports = v.Valued() && v.y == 0.0 && !(lastStep && i + 2 == points.size());
        if (code == 0 && !(z == v.x && nextReports))
            zeros.Add(z);
        if (code == 0 && signChange && u.y != 0.0 && v.y != 0.0) {
            look(i, z);
            if (i > 0 && SameSign(points[i - 1].y, u.y))
                look(i - 1, z);
            if (SameSign(v.y, points[std::min(i + 2, points.size() - 1)].y))
                look(i + 1, z);
        }
        // The turn toward 0 at the near end of the span, whose other side is searched already.
        if (takeRight && i > left)
            SearchTurn(s, points[i - 1], u, v, sameSignCode, lookInside, zeros);
        if (!takeRight && i + 1 < right)
            SearchTurn(s, u, v, points[i + 2], sameSignCode, lookInside, zeros);
    }
}

// Appends the zeros of a step [lo, hi] whose ends say nothing of them, searched on its
// SearchPoints (SearchRow).
void SearchStep(ZeroSearch& s, double lo, double hi, int sameSignCode, bool lastStep,
                ZeroList& zeros)
{
    const std::vector<double> xs = SearchPoints(lo, hi, s.tol);
    std::vector<Sample> points;
    points.reserve(xs.size());
    for (double x : xs)
        points.push_back(SampleAt(s.f, x));
    zeros.Earn(points.size());
    SearchRow(s, points, sameSignCode, lastStep, kInsideDepth, zeros);
}

// The scan of [a, b] in n equal steps: the points between the steps, each sampled once, when a
// step first needs it, and which steps are searched already.
class StepScan {
public:
    StepScan(ZeroSearch& search, double a, double b, int n, int sameSignCode, BlindSteps blindSteps,
             ZeroList& zeros)
        : m_s(search), m_a(a), m_b(b), m_step((b - a) / n), m_n(n), m_sameSignCode(sameSignCode),
          m_blindSteps(blindSteps), m_zeros(zeros), m_points(std::size_t(n) + 1),
          m_sampled(std::size_t(n) + 1), m_state(std::size_t(n)), m_looked(std::size_t(n))
    {
    }

    // The steps in the order taken: from a up, or, in a searching scan, nearest 0 first, so that
    // a scan of -1e300 .. 1e300 cut short by the command's time has resolved the roots a user
    // looks for first.
    std::vector<int> Order() const
    {
        std::vector<int> order(static_cast<std::size_t>(m_n));
        std::iota(order.begin(), order.end(), 0);
        if (m_blindSteps == BlindSteps::Search) {
            const auto nearest = [this](int k) { return DistanceFromZero(X(k), X(k + 1)); };
            std::stable_sort(order.begin(), order.end(),
                             [&nearest](int j, int k) { return nearest(j) < nearest(k); });
        }
        return order;
    }

    void Step(int k)
    {
        const double lo = X(k), hi = X(k + 1);
        const bool last = k == m_n - 1;
        // A step wider than all the numbers doubles resolve is searched whatever its ends say:
        // Brent's method on it would list one root of its many and miss those nearest 0.
        if (m_blindSteps == BlindSteps::Search && OutgrowsResolvableRange(lo, hi, m_s.tol)) {
            SearchStep(m_s, lo, hi, m_sameSignCode, last, m_zeros);
            m_state[std::size_t(k)] = State::Searched;
        } else {
            m_state[std::size_t(k)] = ScanStep(k, lo, hi, last);
        }
        AtPoint(k);
        AtPoint(k + 1);
    }

private:
    enum class State { Unseen, Scanned, Searched };

    // Brent's method on step k between its ends, or, where an end has no value, a search of it;
    // which of the two it took.
    State ScanStep(int k, double lo, double hi, bool last)
    {
        const Sample &u = Point(k), &v = Point(k + 1);
        double z = kNoPlace;
        const int code = ZeroBetween(m_s, u, v, hi - lo, m_sameSignCode, z);
        if (code == 0) {
            // A zero of f at hi starts the next step, which reports it.
            if (!(z == hi && !last && v.Valued() && v.y == 0.0))
                m_zeros.Add(z);
            return State::Scanned;
        }
        if (u.HasValue() && v.HasValue()) {
            if (code != kNoLastingSign)
                m_zeros.Refuse(u, v, z);
            return State::Scanned;
        }
        // Where the equation has no value at an end, the values may begin inside the step
        // (ln(x) + 3 on [-0.1, 0]); a searching scan looks inside every such step.
        if (u.HasValue() || v.HasValue() || m_blindSteps == BlindSteps::Search)
            SearchStep(m_s, lo, hi, m_sameSignCode, last, m_zeros);
        return State::Searched;
    }

    double X(int j) const { return j == m_n ? m_b : m_a + j * m_step; }

    const Sample& Point(int j)
    {
        if (!m_sampled[std::size_t(j)]) {
            m_points[std::size_t(j)] = SampleAt(m_s.f, X(j));
            m_sampled[std::size_t(j)] = true;
            m_zeros.Earn(1);
        }
        return m_points[std::size_t(j)];
    }

    // Step k, scanned, between values of one sign beside a point where f has no value: the
    // point that would show a turn toward 0 inside it is missing (ln(sin(x)) = -0.1 in steps of
    // 3 has pairs of roots 0.9 apart between the gaps in its domain), so its middle is asked.
    void LookBesideGap(int k)
    {
        const Sample &p = Point(k), &q = Point(k + 1);
        if (m_looked[std::size_t(k)] || !p.Valued() || !q.Valued() || !SameSign(p.y, q.y))
            return;
        m_looked[std::size_t(k)] = true;
        const double middle = p.x + 0.5 * (q.x - p.x);
        if (!m_zeros.MayLook(1, middle))
            return;
        m_zeros.Spend();
        const Sample m = SampleAt(m_s.f, middle);
        if (!m.HasValue()) {
            SearchStep(m_s, p.x, q.x, m_sameSignCode, k + 1 == m_n, m_zeros);
        } else if (m.Valued() && !SameSign(m.y, p.y)) {
            for (const Sample* end : {&p, &q}) {
                double z = 0.0;
                if (ZeroBetween(m_s, *end, m, std::fabs(m.x - end->x), m_sameSignCode, z) == 0)
                    m_zeros.Add(z);
            }
        } else {
            SearchTurn(m_s, p, m, q, m_sameSignCode, 0, m_zeros);
        }
    }

    // At point j, once the steps on both sides of it are taken: a sign change across it where
    // it has no value (1/x at 0), and the step beside such a point. Where both are scanned, a
    // turn toward 0 there: a valley whose lowest point may lie below 0, or an exact 0 with values
    // of one sign on both sides, which may be one root of a pair in one step ((x-1)*(x-1.001)
    // at 1), whose steps are searched for the other.
    void AtPoint(int j)
    {
        if (j <= 0 || j >= m_n || m_state[std::size_t(j) - 1] == State::Unseen ||
            m_state[std::size_t(j)] == State::Unseen)
            return;
        const Sample &a = Point(j - 1), &b = Point(j), &c = Point(j + 1);
        if (!b.HasValue())
            m_zeros.Refuse(a, c, b.x);
        if (!a.HasValue() && m_state[std::size_t(j)] == State::Scanned)
            LookBesideGap(j);
        if (!c.HasValue() && m_state[std::size_t(j) - 1] == State::Scanned)
            LookBesideGap(j - 1);
        if (m_state[std::size_t(j) - 1] != State::Scanned ||
            m_state[std::size_t(j)] != State::Scanned)
            return;
        if (!(b.Valued() && b.y == 0.0)) {
            SearchTurn(m_s, a, b, c, m_sameSignCode, 0, m_zeros);
        } else if (a.Valued() && c.Valued() && SameSign(a.y, c.y)) {
            SearchStep(m_s, a.x, b.x, m_sameSignCode, false, m_zeros);
            SearchStep(m_s, b.x, c.x, m_sameSignCode, j + 1 == m_n, m_zeros);
        }
    }

    ZeroSearch& m_s;
    double m_a, m_b, m_step;
    int m_n;
    int m_sameSignCode;
    BlindSteps m_blindSteps;
    ZeroList& m_zeros;
    std::vector<Sample> m_points;
    std::vector<bool> m_sampled;
    std::vector<State> m_state;
    std::vector<bool> m_looked; // steps beside a gap whose middle was asked
};

} // namespace

int FindZerosOfFunction(const CalculusFunction& f, double a, double b, int n, double tol,
                        std::vector<double>& zeros, int sameSignCode, BlindSteps blindSteps,
                        const ZeroFound& found, ScanNotes* notes)
{
    if (!(a < b) || n <= 0 || !(tol >= kMinimumTolerance))
        return ErrBadArgument;
    ZeroList list(zeros, found, notes);
    ZeroSearch search(f, a, b, tol);
    StepScan scan(search, a, b, n, sameSignCode, blindSteps, list);
    for (int k : scan.Order()) {
        if (CommandWork::Spent())
            break;
        scan.Step(k);
    }
    list.Sort();
    if (CommandWork::Spent())
        return ErrMaxIterations;
    return list.Any() ? 0 : ErrNoSolutions;
}
