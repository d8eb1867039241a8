// Gamma, log-gamma, normal quantile, polynomial evaluators and the error reporter of the
// Student-t family.
#include "numeric/StudentT.h"

#include "numeric/FloatRounding.h"
#include "numeric/NumericCore.h"
#include "numeric/StudentTConstants.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <numbers>

namespace tdist {
namespace {

// Coefficient tables from "Cephes Mathematical Library" (gamma.c and ndtri.c).
// clang-format off
constexpr double kGammaP[] = {
    1.60119522476751861407E-4,
    1.19135147006586384913E-3,
    1.04213797561761569935E-2,
    4.76367800457137231464E-2,
    2.07448227648435975150E-1,
    4.94214826801497100753E-1,
    9.99999999999999996796E-1,
};
// clang-format on
// clang-format off
constexpr double kGammaQ[] = {
    -2.31581873324120129819E-5,
    5.39605580493303397842E-4,
    -4.45641913851797240494E-3,
    1.18139785222060435552E-2,
    3.58236398605498653373E-2,
    -2.34591795718243348568E-1,
    7.14304917030273074085E-2,
    1.00000000000000000320E0,
};
// clang-format on
// clang-format off
constexpr double kStirling[] = {
    7.87311395793093628397E-4,
    -2.29549961613378126380E-4,
    -2.68132617805781232825E-3,
    3.47222221605458667310E-3,
    8.33333333333482257126E-2,
};
// clang-format on
// clang-format off
constexpr double kLgamA[] = {
    8.11614167470508450300E-4,
    -5.95061904284301438324E-4,
    7.93650340457716943945E-4,
    -2.77777777730099687205E-3,
    8.33333333333331927722E-2,
};
// clang-format on
// clang-format off
constexpr double kLgamB[] = {
    -1.37825152569120859100E3,
    -3.88016315134637840924E4,
    -3.31612992738871184744E5,
    -1.16237097492762307383E6,
    -1.72173700820839662146E6,
    -8.53555664245765465627E5,
};
// clang-format on
// clang-format off
constexpr double kLgamC[] = {
    -3.51815701436523470549E2,
    -1.70642106651881159223E4,
    -2.20528590553854454839E5,
    -1.13933444367982507207E6,
    -2.53252307177582951285E6,
    -2.01889141433532773231E6,
};
// clang-format on
// clang-format off
constexpr double kNdtriP0[] = {
    -5.99633501014107895267E1,
    9.80010754185999661536E1,
    -5.66762857469070293439E1,
    1.39312609387279679503E1,
    -1.23916583867381258016E0,
};
// clang-format on
// clang-format off
constexpr double kNdtriQ0[] = {
    1.95448858338141759834E0,
    4.67627912898881538453E0,
    8.63602421390890590575E1,
    -2.25462687854119370527E2,
    2.00260212380060660359E2,
    -8.20372256168333339912E1,
    1.59056225126211695515E1,
    -1.18331621121330003142E0,
};
// clang-format on
// clang-format off
constexpr double kNdtriP1[] = {
    4.05544892305962419923E0,
    3.15251094599893866154E1,
    5.71628192246421288162E1,
    4.40805073893200834700E1,
    1.46849561928858024014E1,
    2.18663306850790267539E0,
    -1.40256079171354495875E-1,
    -3.50424626827848203418E-2,
    -8.57456785154685413611E-4,
};
// clang-format on
// clang-format off
constexpr double kNdtriQ1[] = {
    1.57799883256466749731E1,
    4.53907635128879210584E1,
    4.13172038254672030440E1,
    1.50425385692907503408E1,
    2.50464946208309415979E0,
    -1.42182922854787788574E-1,
    -3.80806407691578277194E-2,
    -9.33259480895457427372E-4,
};
// clang-format on
// clang-format off
constexpr double kNdtriP2[] = {
    3.23774891776946035970E0,
    6.91522889068984211695E0,
    3.93881025292474443415E0,
    1.33303460815807542389E0,
    2.01485389549179081538E-1,
    1.23716634817820021358E-2,
    3.01581553508235416007E-4,
    2.65806974686737550832E-6,
    6.23974539184983293730E-9,
};
// clang-format on
// clang-format off
constexpr double kNdtriQ2[] = {
    6.02427039364742014255E0,
    3.67983563856160859403E0,
    1.37702099489081330271E0,
    2.16236993594496635890E-1,
    1.34204006088543189037E-2,
    3.28014464682127739104E-4,
    2.89247864745380683936E-6,
    6.79019408009981274425E-9,
};
// clang-format on

constexpr double kExpMinus2 = 0.13533528323661269189;
constexpr double kSqrtTwoPi = 2.50662827463100050242;

int g_gammaSign = 1;

const char* KindText(int kind)
{
    switch (kind) {
    case MathDomain:
        return "domain";
    case MathSingularity:
        return "singularity";
    case MathOverflow:
        return "overflow";
    case MathUnderflow:
        return "underflow";
    case MathTotalLoss:
        return "total loss of precision";
    case MathPartialLoss:
        return "partial loss of precision";
    default:
        return "unknown";
    }
}

// An even whole number, decided without converting a possibly huge double to an integer.
bool IsEven(double wholeNumber) { return std::fmod(wholeNumber, 2.0) == 0; }

double StirlingGamma(double x)
{
    // Beyond MAXGAM the value overflows; exp and pow would give inf/inf = NaN further on.
    if (x >= MAXGAM)
        return std::numeric_limits<double>::infinity();
    double w = 1.0 / x;
    w = 1.0 + w * EvaluatePolynomial(w, kStirling, 4);
    double y = std::exp(x);
    if (x > MAXSTIR) {
        // x^(x − 1/2) in two halves, so that pow cannot overflow before the division.
        const double v = std::pow(x, 0.5 * x - 0.25);
        y = v * (v / y);
    } else {
        y = std::pow(x, x - 0.5) / y;
    }
    return SQTPI * y * w;
}

double GammaOfLarge(double x)
{
    if (x >= MAXGAM) {
        ReportMathError("gamma", MathOverflow);
        return MAXNUM;
    }
    if (x >= 0)
        return StirlingGamma(x);
    const double q = -x;
    double p = NumericFloor(q);
    if (p == q) {
        ReportMathError("gamma", MathOverflow);
        return g_gammaSign * MAXNUM;
    }
    if (IsEven(p))
        g_gammaSign = -1;
    double z = q - p;
    if (z > 0.5) {
        p += 1.0;
        z = q - p;
    }
    z = q * std::sin(std::numbers::pi * z);
    if (z == 0.0) {
        ReportMathError("gamma", MathOverflow);
        return g_gammaSign * MAXNUM;
    }
    z = std::fabs(z);
    return g_gammaSign * (std::numbers::pi / (z * StirlingGamma(q)));
}

double GammaUnchecked(double x)
{
    g_gammaSign = 1;
    if (std::isinf(x) && x > 0)
        return x;
    if (std::fabs(x) > 33.0)
        return GammaOfLarge(x);
    double z = 1.0;
    while (x >= 3.0) {
        x -= 1.0;
        z *= x;
    }
    bool small = false;
    while (!small && x < 0.0) {
        if (x > -1.0e-9) {
            small = true;
        } else {
            z /= x;
            x += 1.0;
        }
    }
    while (!small && x < 2.0) {
        if (x < 1.0e-9) {
            small = true;
        } else {
            z /= x;
            x += 1.0;
        }
    }
    if (small) {
        if (x == 0.0) {
            ReportMathError("gamma", MathSingularity);
            return MAXNUM;
        }
        return z / ((1.0 + 0.5772156649015329 * x) * x);
    }
    if (x == 2.0)
        return z;
    x -= 2.0;
    return z * EvaluatePolynomial(x, kGammaP, 6) / EvaluatePolynomial(x, kGammaQ, 7);
}

double LogGammaPole()
{
    ReportMathError("lgam", MathOverflow);
    return g_gammaSign * MAXNUM;
}

double LgamUnchecked(double x);

// ln |Γ(x)| for x < −34 by the reflection formula.
double LgamReflected(double x)
{
    const double q = -x;
    const double w = LgamUnchecked(q);
    double p = NumericFloor(q);
    if (p == q)
        return LogGammaPole();
    g_gammaSign = IsEven(p) ? -1 : 1;
    double z = q - p;
    if (z > 0.5) {
        p += 1.0;
        z = p - q;
    }
    z = q * std::sin(std::numbers::pi * z);
    if (z == 0.0)
        return LogGammaPole();
    return LOGPI - std::log(z) - w;
}

// ln |Γ(x)| for −34 <= x < 13 by reduction into [2, 3).
double LgamReduced(double x)
{
    double z = 1.0;
    double p = 0.0;
    double u = x;
    while (u >= 3.0) {
        p -= 1.0;
        u = x + p;
        z *= u;
    }
    while (u < 2.0) {
        if (u == 0.0)
            return LogGammaPole();
        z /= u;
        p += 1.0;
        u = x + p;
    }
    if (z < 0.0) {
        g_gammaSign = -1;
        z = -z;
    } else {
        g_gammaSign = 1;
    }
    if (u == 2.0)
        return std::log(z);
    p -= 2.0;
    x = x + p;
    p = x * EvaluatePolynomial(x, kLgamB, 5) / EvaluateMonicPolynomial(x, kLgamC, 6);
    return std::log(z) + p;
}

double LgamUnchecked(double x)
{
    g_gammaSign = 1;
    if (std::isnan(x))
        return x;
    if (x < -34.0)
        return LgamReflected(x);
    if (x < 13.0)
        return LgamReduced(x);
    if (x > MAXLGM)
        return LogGammaPole();
    double q = (x - 0.5) * std::log(x) - x + LS2PI;
    if (x > 1.0e8)
        return q;
    const double p = 1.0 / (x * x);
    if (x >= 1000.0) {
        q += ((7.9365079365079365079365e-4 * p - 2.7777777777777777777778e-3) * p +
              0.0833333333333333333333) /
             x;
    } else {
        q += EvaluatePolynomial(p, kLgamA, 4) / x;
    }
    return q;
}

double NdtriUnchecked(double y0)
{
    if (std::isnan(y0)) {
        ReportMathError("ndtri", MathDomain);
        return y0;
    }
    if (y0 <= 0.0) {
        ReportMathError("ndtri", MathDomain);
        return -MAXNUM;
    }
    if (y0 >= 1.0) {
        ReportMathError("ndtri", MathDomain);
        return MAXNUM;
    }
    bool negate = true;
    double y = y0;
    if (y > 1.0 - kExpMinus2) {
        y = 1.0 - y;
        negate = false;
    }
    if (y > kExpMinus2) {
        y = y - 0.5;
        const double y2 = y * y;
        const double x = y + y * (y2 * EvaluatePolynomial(y2, kNdtriP0, 4) /
                                  EvaluateMonicPolynomial(y2, kNdtriQ0, 8));
        return x * kSqrtTwoPi;
    }
    const double x = std::sqrt(-2.0 * std::log(y));
    const double x0 = x - std::log(x) / x;
    const double z = 1.0 / x;
    const double x1 =
        x < 8.0 ? z * EvaluatePolynomial(z, kNdtriP1, 8) / EvaluateMonicPolynomial(z, kNdtriQ1, 8)
                : z * EvaluatePolynomial(z, kNdtriP2, 8) / EvaluateMonicPolynomial(z, kNdtriQ2, 8);
    const double result = x0 - x1;
    return negate ? -result : result;
}

} // namespace

int ReportMathError(const char* name, int kind)
{
    // A windowed program's standard output is not open: the failed writes must not reach errno.
    const int saved = ErrnoEnter();
    std::fputs("\n", stdout);
    std::fputs(name, stdout);
    std::fputs(" ", stdout);
    std::fputs(KindText(kind), stdout);
    std::fputs(" error\n", stdout);
    errno = saved;
    return 0;
}

double EvaluatePolynomial(double x, const double* coef, int n)
{
    double ans = coef[0];
    for (int i = 1; i <= n; ++i)
        ans = ans * x + coef[i];
    return ans;
}

double EvaluateMonicPolynomial(double x, const double* coef, int n)
{
    double ans = x + coef[0];
    for (int i = 1; i < n; ++i)
        ans = ans * x + coef[i];
    return ans;
}

double gamma(double x)
{
    const int saved = ErrnoEnter();
    return ErrnoLeave(saved, GammaUnchecked(x));
}

double lgam(double x)
{
    const int saved = ErrnoEnter();
    return ErrnoLeave(saved, LgamUnchecked(x));
}

int LastGammaSign() { return g_gammaSign; }

double ndtri(double y)
{
    const int saved = ErrnoEnter();
    return ErrnoLeave(saved, NdtriUnchecked(y));
}

} // namespace tdist
