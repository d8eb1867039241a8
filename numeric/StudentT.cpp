// Student-t quantile with the regularised incomplete beta function and its inverse.
#include "numeric/StudentT.h"

#include "numeric/NumericCore.h"
#include "numeric/StudentTConstants.h"

#include <cmath>

namespace tdist {
namespace {

constexpr int kMaxFractionSteps = 300;

// The eight k-terms of one continued fraction with their per-step increments.
struct FractionTerms {
    double k[8];
    double step[8];
};

// Evaluates the fraction with numerators −u·k1·k2/(k3·k4) and u·k5·k6/(k7·k8), rescaling the
// recurrence terms so that they neither overflow nor vanish.
double EvaluateFraction(double u, FractionTerms t)
{
    double pkm2 = 0.0;
    double qkm2 = 1.0;
    double pkm1 = 1.0;
    double qkm1 = 1.0;
    double ans = 1.0;
    double r = 1.0;
    const double thresh = 3.0 * MACHEP;
    for (int n = 0; n < kMaxFractionSteps; ++n) {
        double* k = t.k;
        double xk = -(u * k[0] * k[1]) / (k[2] * k[3]);
        double pk = pkm1 + pkm2 * xk;
        double qk = qkm1 + qkm2 * xk;
        pkm2 = pkm1;
        pkm1 = pk;
        qkm2 = qkm1;
        qkm1 = qk;
        xk = (u * k[4] * k[5]) / (k[6] * k[7]);
        pk = pkm1 + pkm2 * xk;
        qk = qkm1 + qkm2 * xk;
        pkm2 = pkm1;
        pkm1 = pk;
        qkm2 = qkm1;
        qkm1 = qk;
        if (qk != 0)
            r = pk / qk;
        double change = 1.0;
        if (r != 0) {
            change = std::fabs((ans - r) / r);
            ans = r;
        }
        if (change < thresh)
            break;
        for (int i = 0; i < 8; ++i)
            k[i] += t.step[i];
        if (std::fabs(qk) + std::fabs(pk) > BIG) {
            pkm2 *= BIGINV;
            pkm1 *= BIGINV;
            qkm2 *= BIGINV;
            qkm1 *= BIGINV;
        }
        if (std::fabs(qk) < BIGINV || std::fabs(pk) < BIGINV) {
            pkm2 *= BIG;
            pkm1 *= BIG;
            qkm2 *= BIG;
            qkm1 *= BIG;
        }
    }
    return ans;
}

double IncompleteBetaExpansion1(double a, double b, double x)
{
    const FractionTerms terms = {{a, a + b, a, a + 1.0, 1.0, b - 1.0, a + 1.0, a + 2.0},
                                 {1, 1, 2, 2, 1, -1, 2, 2}};
    return EvaluateFraction(x, terms);
}

double IncompleteBetaExpansion2(double a, double b, double x)
{
    const FractionTerms terms = {{a, b - 1.0, a, a + 1.0, 1.0, a + b, a + 1.0, a + 2.0},
                                 {1, -1, 2, 2, 1, 1, 2, 2}};
    return EvaluateFraction(x / (1.0 - x), terms);
}

// Power series for b·x <= 1 and x <= 0.95.
double IncompleteBetaPowerSeries(double a, double b, double x)
{
    const double ai = 1.0 / a;
    double u = (1.0 - b) * x;
    double v = u / (a + 1.0); // the n = 1 term (1 − b)·x/(a + 1)
    const double t1 = v;
    double t = u;
    double n = 2.0;
    double s = 0.0;
    const double z = MACHEP * ai;
    while (std::fabs(v) > z) {
        u = (n - b) * x / n;
        t *= u;
        v = t / (a + n);
        s += v;
        n += 1.0;
    }
    s += t1;
    s += ai;
    u = a * std::log(x);
    if (a + b < MAXGAM && std::fabs(u) < MAXLOG) {
        t = gamma(a + b) / (gamma(a) * gamma(b));
        return s * t * std::pow(x, a);
    }
    t = lgam(a + b) - lgam(a) - lgam(b) + u + std::log(s);
    return t < MINLOG ? 0.0 : std::exp(t);
}

// w·x^a·(1 − x)^b·Γ(a+b)/(a·Γ(a)·Γ(b)), directly or through logarithms.
double ScaleByBetaFactor(double a, double b, double x, double xc, double w)
{
    double y = a * std::log(x);
    double t = b * std::log(xc);
    if (a + b < MAXGAM && std::fabs(y) < MAXLOG && std::fabs(t) < MAXLOG) {
        t = std::pow(xc, b);
        t *= std::pow(x, a);
        t /= a;
        t *= w;
        t *= gamma(a + b) / (gamma(a) * gamma(b));
        return t;
    }
    y += t + lgam(a + b) - lgam(a) - lgam(b);
    y += std::log(w / a);
    return y < MINLOG ? 0.0 : std::exp(y);
}

double IncbetUnchecked(double aa, double bb, double xx)
{
    if (aa <= 0.0 || bb <= 0.0 || xx < 0.0 || xx > 1.0) {
        ReportMathError("incbet", MathDomain);
        return 0.0;
    }
    if (xx == 0.0)
        return 0.0;
    if (xx == 1.0)
        return 1.0;
    if (bb * xx <= 1.0 && xx <= 0.95)
        return IncompleteBetaPowerSeries(aa, bb, xx);
    const double w = 1.0 - xx;
    const bool swapped = xx > aa / (aa + bb);
    const double a = swapped ? bb : aa;
    const double b = swapped ? aa : bb;
    const double x = swapped ? w : xx;
    const double xc = swapped ? xx : w;
    double t;
    if (swapped && b * x <= 1.0 && x <= 0.95) {
        t = IncompleteBetaPowerSeries(a, b, x);
    } else {
        const double fraction = x * (a + b - 2.0) - (a - 1.0) < 0.0
                                    ? IncompleteBetaExpansion1(a, b, x)
                                    : IncompleteBetaExpansion2(a, b, x) / xc;
        t = ScaleByBetaFactor(a, b, x, xc, fraction);
    }
    if (swapped)
        t = t <= MACHEP ? 1.0 - MACHEP : 1.0 - t;
    return t;
}

} // namespace

double incbet(double a, double b, double x)
{
    if (std::isnan(a) || std::isnan(b) || std::isnan(x))
        return a + b + x;
    const int saved = ErrnoEnter();
    return ErrnoLeave(saved, IncbetUnchecked(a, b, x));
}

double stdtri(int k, double p)
{
    if (std::isnan(p)) {
        ReportMathError("stdtri", MathDomain);
        return p;
    }
    if (k <= 0 || p <= 0.0 || p >= 1.0) {
        ReportMathError("stdtri", MathDomain);
        return 0.0;
    }
    const int saved = ErrnoEnter();
    const double rk = k;
    if (p > 0.25 && p < 0.75) {
        if (p == 0.5)
            return 0.0;
        const double z = incbi(0.5, 0.5 * rk, std::fabs(1.0 - 2.0 * p));
        const double t = std::sqrt(rk * z / (1.0 - z));
        return ErrnoLeave(saved, p < 0.5 ? -t : t);
    }
    double sign = -1.0;
    if (p >= 0.5) {
        p = 1.0 - p;
        sign = 1.0;
    }
    const double z = incbi(0.5 * rk, 0.5, 2.0 * p);
    if (MAXNUM * z < rk)
        return ErrnoLeave(saved, sign * MAXNUM);
    return ErrnoLeave(saved, sign * std::sqrt(rk / z - rk));
}

} // namespace tdist
