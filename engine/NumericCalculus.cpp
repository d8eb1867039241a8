// Integrals, derivatives and minima of a function of one variable; its zeros are in
// NumericCalculusZeros.cpp.
#include "engine/NumericCalculus.h"

#include "engine/EngineErrors.h"

#include "numeric/FloatRounding.h"
#include "numeric/Moments.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>

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
