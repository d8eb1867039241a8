// Inverse of the regularised incomplete beta function: an initial approximation, interval
// halving and Newton steps on a bracket.
#include "numeric/StudentT.h"

#include "numeric/NumericCore.h"
#include "numeric/StudentTConstants.h"

#include <cmath>

namespace tdist {
namespace {

constexpr int kHalvingRounds = 100;
constexpr int kNewtonSteps = 8;
// Reversals restart the halving; a bound keeps a pathological argument from ping-ponging.
constexpr int kMaxReversals = 100;

enum class Stage { Halve, Newton, Underflow, Done };

struct Inverse {
    double aa, bb, yy0; // the problem as asked
    double a, b, y0;    // the problem being solved (reversed: a ↔ b, y ↔ 1 − y)
    bool reversed;
    double x, y;
    double x0, x1, yl, yh; // bracket
    double dithresh;
    bool newtonTried;
    int reversals;
};

void Reverse(Inverse& s)
{
    s.reversed = !s.reversed;
    s.a = s.reversed ? s.bb : s.aa;
    s.b = s.reversed ? s.aa : s.bb;
    s.y0 = s.reversed ? 1.0 - s.yy0 : s.yy0;
}

// Step fraction after a trial below the target.
double StepAfterLow(const Inverse& s, int dir, double di)
{
    if (dir < 0)
        return 0.5;
    if (dir > 3)
        return 1.0 - (1.0 - di) * (1.0 - di);
    if (dir > 1)
        return 0.5 * di + 0.5;
    return (s.y0 - s.y) / (s.yh - s.yl);
}

// Step fraction after a trial above the target.
double StepAfterHigh(const Inverse& s, int dir, double di)
{
    if (dir > 0)
        return 0.5;
    if (dir < -3)
        return di * di;
    if (dir < -1)
        return 0.5 * di;
    return (s.y - s.y0) / (s.yh - s.yl);
}

Stage Halve(Inverse& s)
{
    int dir = 0;
    double di = 0.5;
    for (int i = 0; i < kHalvingRounds; ++i) {
        if (i != 0) {
            s.x = s.x0 + di * (s.x1 - s.x0);
            if (s.x == 1.0)
                s.x = 1.0 - MACHEP;
            if (s.x == 0.0) {
                di = 0.5;
                s.x = s.x0 + di * (s.x1 - s.x0);
                if (s.x == 0.0)
                    return Stage::Underflow;
            }
            s.y = incbet(s.a, s.b, s.x);
            if (std::fabs((s.x1 - s.x0) / (s.x1 + s.x0)) < s.dithresh)
                return Stage::Newton;
            // Closeness is measured against the target's distance from the nearer end, so that a
            // target near 1 (a reversed far tail) is not met by any value that rounds near it.
            if (std::fabs(s.y - s.y0) / std::fmin(s.y0, 1.0 - s.y0) < s.dithresh)
                return Stage::Newton;
        }
        if (s.y < s.y0) {
            s.x0 = s.x;
            s.yl = s.y;
            di = StepAfterLow(s, dir, di);
            dir = dir < 0 ? 1 : dir + 1;
            if (s.x0 > 0.75 && s.reversals < kMaxReversals) {
                ++s.reversals;
                Reverse(s);
                s.x = 1.0 - s.x;
                s.y = incbet(s.a, s.b, s.x);
                s.x0 = 0.0;
                s.yl = 0.0;
                s.x1 = 1.0;
                s.yh = 1.0;
                dir = 0;
                di = 0.5;
                i = -1; // restart the rounds on the reversed problem
            }
        } else {
            s.x1 = s.x;
            if (s.reversed && s.x1 < MACHEP) {
                s.x = 0.0;
                return Stage::Done;
            }
            s.yh = s.y;
            di = StepAfterHigh(s, dir, di);
            dir = dir > 0 ? -1 : dir - 1;
        }
    }
    ReportMathError("incbi", MathPartialLoss);
    if (s.x0 >= 1.0) {
        s.x = 1.0 - MACHEP;
        return Stage::Done;
    }
    if (s.x <= 0.0)
        return Stage::Underflow;
    return Stage::Newton;
}

// Keeps the bracket current with the trial point, clamping a trial that left it.
void UpdateBracket(Inverse& s)
{
    if (s.y < s.yl) {
        s.x = s.x0;
        s.y = s.yl;
    } else if (s.y > s.yh) {
        s.x = s.x1;
        s.y = s.yh;
    } else if (s.y < s.y0) {
        s.x0 = s.x;
        s.yl = s.y;
    } else {
        s.x1 = s.x;
        s.yh = s.y;
    }
}

Stage Newton(Inverse& s)
{
    if (s.newtonTried)
        return Stage::Done;
    s.newtonTried = true;
    const double lgm = lgam(s.a + s.b) - lgam(s.a) - lgam(s.b);
    for (int i = 0; i < kNewtonSteps; ++i) {
        if (i != 0)
            s.y = incbet(s.a, s.b, s.x);
        UpdateBracket(s);
        if (s.x == 1.0 || s.x == 0.0)
            break;
        double d = (s.a - 1.0) * std::log(s.x) + (s.b - 1.0) * std::log(1.0 - s.x) + lgm;
        if (d < MINLOG)
            return Stage::Done;
        if (d > MAXLOG)
            break;
        d = (s.y - s.y0) / std::exp(d);
        double xt = s.x - d;
        // A step below the resolution of x has converged; the bracket formulas would give 0/0.
        if (xt == s.x)
            return Stage::Done;
        if (xt <= s.x0) {
            const double f = (s.x - s.x0) / (s.x - xt);
            xt = s.x0 + 0.5 * f * (s.x - s.x0);
            if (xt <= 0.0)
                break;
        }
        if (xt >= s.x1) {
            const double f = (s.x1 - s.x) / (xt - s.x);
            xt = s.x1 - 0.5 * f * (s.x1 - s.x);
            if (xt >= 1.0)
                break;
        }
        s.x = xt;
        if (std::fabs(d / s.x) < 128.0 * MACHEP)
            return Stage::Done;
    }
    s.dithresh = 256.0 * MACHEP;
    return Stage::Halve;
}

// Starting point for a, b > 1 from the normal quantile; Underflow when the estimate is 0.
Stage Approximate(Inverse& s)
{
    s.dithresh = 1.0e-4;
    double yp = -ndtri(s.yy0);
    if (s.yy0 > 0.5) {
        Reverse(s);
        yp = -yp;
    }
    const double lgm = (yp * yp - 3.0) / 6.0;
    const double x = 2.0 / (1.0 / (2.0 * s.a - 1.0) + 1.0 / (2.0 * s.b - 1.0));
    double d = yp * std::sqrt(x + lgm) / x - (1.0 / (2.0 * s.b - 1.0) - 1.0 / (2.0 * s.a - 1.0)) *
                                                 (lgm + 5.0 / 6.0 - 2.0 / (3.0 * x));
    d = 2.0 * d;
    if (d < MINLOG) {
        s.x = 1.0;
        return Stage::Underflow;
    }
    s.x = s.a / (s.a + s.b * std::exp(d));
    s.y = incbet(s.a, s.b, s.x);
    return std::fabs((s.y - s.y0) / s.y0) < 0.2 ? Stage::Newton : Stage::Halve;
}

double IncbiUnchecked(double aa, double bb, double yy0)
{
    if (yy0 <= 0)
        return 0.0;
    if (yy0 >= 1.0)
        return 1.0;
    Inverse s{aa, bb, yy0, aa, bb, yy0, false, 0, 0, 0.0, 1.0, 0.0, 1.0, 1.0e-6, false, 0};
    Stage stage;
    if (aa <= 1.0 || bb <= 1.0) {
        s.x = aa / (aa + bb);
        s.y = incbet(aa, bb, s.x);
        stage = Stage::Halve;
    } else {
        stage = Approximate(s);
    }
    while (stage != Stage::Done) {
        if (stage == Stage::Halve) {
            stage = Halve(s);
        } else if (stage == Stage::Newton) {
            stage = Newton(s);
        } else {
            ReportMathError("incbi", MathUnderflow);
            s.x = 0.0;
            stage = Stage::Done;
        }
    }
    if (s.reversed)
        return s.x <= MACHEP ? 1.0 - MACHEP : 1.0 - s.x;
    return s.x;
}

} // namespace

double incbi(double a, double b, double y)
{
    if (std::isnan(a) || std::isnan(b) || std::isnan(y))
        return a + b + y;
    const int saved = ErrnoEnter();
    return ErrnoLeave(saved, IncbiUnchecked(a, b, y));
}

} // namespace tdist
