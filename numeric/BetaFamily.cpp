#include "numeric/BetaFamily.h"

#include "numeric/FloatRounding.h"
#include "numeric/GammaFamily.h"
#include "numeric/NumericCore.h"

#include <climits>
#include <cmath>
#include <cstdint>

namespace {

constexpr int kMaxSteps = 100;
constexpr double kBetaEps = 3e-7;
constexpr double kFpMin = 1e-30;

// Dawson's sampling sum: H = 0.4, six terms, c[i] = exp(−((2i − 1)·H)²), filled on first use.
constexpr double kDawsonH = 0.4;
constexpr int kDawsonTerms = 6;
double g_dawsonCoefficients[kDawsonTerms + 1];
bool g_dawsonFilled = false;

// n over k (0 <= k <= n) in exact integer arithmetic, or -1 once it reaches 2^53.
std::int64_t ExactBinomial(int n, int k)
{
    constexpr unsigned __int128 kLimit = static_cast<unsigned __int128>(1) << 53;
    const int m = k < n - k ? k : n - k;
    unsigned __int128 result = 1;
    // result stays C(n − m + i, i), so each division is exact; C grows at least twofold per
    // step, so the loop ends within about 53 steps.
    for (int i = 1; i <= m; ++i) {
        result = result * static_cast<unsigned __int128>(n - m + i) / static_cast<unsigned>(i);
        if (result >= kLimit)
            return -1;
    }
    return static_cast<std::int64_t>(result);
}

// ln v! for any 64-bit v: negative values go through LogFactorial's own refusal (errno 103).
double WideLogFactorial(std::int64_t v)
{
    if (v < 0)
        return LogFactorial(-1);
    if (v > INT_MAX)
        return LogGamma(static_cast<double>(v) + 1.0);
    return LogFactorial(static_cast<int>(v));
}

double ClampFpMin(double v) { return std::fabs(v) < kFpMin ? kFpMin : v; }

// The fraction itself; false when it did not converge in kMaxSteps.
bool BetaFraction(double a, double b, double x, double* result)
{
    const double qab = a + b;
    const double qap = a + 1;
    const double qam = a - 1;
    double c = 1;
    double d = 1 / ClampFpMin(1 - qab * x / qap);
    double h = d;
    for (int m = 1; m <= kMaxSteps; ++m) {
        const int m2 = 2 * m;
        double aa = m * (b - m) * x / ((qam + m2) * (a + m2));
        d = 1 / ClampFpMin(1 + aa * d);
        c = ClampFpMin(1 + aa / c);
        h *= d * c;
        aa = -(a + m) * (qab + m) * x / ((a + m2) * (qap + m2));
        d = 1 / ClampFpMin(1 + aa * d);
        c = ClampFpMin(1 + aa / c);
        const double del = d * c;
        h *= del;
        if (std::fabs(del - 1) < kBetaEps) {
            *result = h;
            return true;
        }
    }
    return false;
}

void FillDawsonTable()
{
    for (int i = 1; i <= kDawsonTerms; ++i) {
        const double v = (2.0 * i - 1.0) * kDawsonH;
        g_dawsonCoefficients[i] = std::exp(-v * v);
    }
    g_dawsonFilled = true;
}

} // namespace

double BinomialCoefficient(int n, int k)
{
    if (k >= 0 && k <= n) {
        const std::int64_t exact = ExactBinomial(n, k);
        if (exact >= 0)
            return static_cast<double>(exact);
    }
    const int saved = ErrnoEnter();
    errno = 0;
    const double logValue = WideLogFactorial(n) - WideLogFactorial(k) -
                            WideLogFactorial(static_cast<std::int64_t>(n) - k);
    const int code = errno;
    const double value = NumericFloor(0.5 + std::exp(logValue));
    errno = IsNumericErrorCode(code) ? code : saved;
    return value;
}

double BetaFunction(double z, double w)
{
    const int saved = ErrnoEnter();
    return ErrnoLeave(saved, std::exp(LogGamma(z) + LogGamma(w) - LogGamma(z + w)));
}

double IncompleteBetaContinuedFraction(double a, double b, double x)
{
    if (std::isnan(a) || std::isnan(b) || std::isnan(x)) {
        SetMathErrno(NumericBadArgument);
        return 0;
    }
    double result = 0;
    if (!BetaFraction(a, b, x, &result)) {
        SetMathErrno(NumericBadArgument);
        return 0;
    }
    return result;
}

double IncompleteBeta(double a, double b, double x)
{
    if (std::isnan(a) || std::isnan(b) || std::isnan(x) || x < 0 || x > 1) {
        SetMathErrno(NumericBadArgument);
        return 0;
    }
    const int saved = ErrnoEnter();
    double bt = 0;
    if (x != 0 && x != 1) {
        bt = std::exp(LogGamma(a + b) - LogGamma(a) - LogGamma(b) + a * std::log(x) +
                      b * std::log(1 - x));
    }
    double fraction = 0;
    if (x < (a + 1) / (a + b + 2)) {
        if (!BetaFraction(a, b, x, &fraction)) {
            SetMathErrno(NumericBadArgument);
            return 0;
        }
        return ErrnoLeave(saved, bt * fraction / a);
    }
    if (!BetaFraction(b, a, 1 - x, &fraction)) {
        SetMathErrno(NumericBadArgument);
        return 1;
    }
    return ErrnoLeave(saved, 1 - bt * fraction / b);
}

double DawsonIntegral(double x)
{
    constexpr double kA1 = 2.0 / 3.0;
    constexpr double kA2 = 0.4;
    constexpr double kA3 = 2.0 / 7.0;
    constexpr double kInvSqrtPi = 0.5641895835;
    if (std::isnan(x)) {
        SetMathErrno(NumericBadArgument);
        return 0;
    }
    const int saved = ErrnoEnter();
    if (!g_dawsonFilled)
        FillDawsonTable();
    if (std::fabs(x) < 0.2) {
        const double x2 = x * x;
        return ErrnoLeave(saved, x * (1 - kA1 * x2 * (1 - kA2 * x2 * (1 - kA3 * x2))));
    }
    const double xx = std::fabs(x);
    // The nearest even sample point, kept in double so that no argument overflows an int.
    const double nn = 2 * std::trunc(xx * (0.5 / kDawsonH) + 0.5);
    const double xp = xx - nn * kDawsonH;
    double e1 = std::exp(2 * xp * kDawsonH);
    const double e2 = e1 * e1;
    double d1 = nn + 1;
    double d2 = d1 - 2;
    double sum = 0;
    for (int i = 1; i <= kDawsonTerms; ++i) {
        sum += g_dawsonCoefficients[i] * (e1 / d1 + 1 / (d2 * e1));
        d1 += 2;
        d2 -= 2;
        e1 *= e2;
    }
    const double result = kInvSqrtPi * std::exp(-xp * xp) * sum;
    return ErrnoLeave(saved, x < 0 ? -result : result);
}
