#include "numeric/Bessel.h"

#include "numeric/GammaFamily.h"
#include "numeric/NumericCore.h"

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace {

// --- Orders 0 and 1 ---------------------------------------------------------------------------

// Rational approximations of J0 and Y0 (|x| < 8), "Numerical Recipes in C", second edition.
// clang-format off
constexpr double J0SmallNum[] = {57568490574.0, -13362590354.0, 651619640.7, -11214424.18, 77392.33017, -184.9052456};
constexpr double J0SmallDen[] = {57568490411.0, 1029532985.0, 9494680.718, 59272.64853, 267.8532712, 1.0};
constexpr double Y0SmallNum[] = {-2957821389.0, 7062834065.0, -512359803.6, 10879881.29, -86327.92757, 228.4622733};
constexpr double Y0SmallDen[] = {40076544269.0, 745249964.8, 7189466.438, 47447.26470, 226.1030244, 1.0};
// Asymptotic P and Q of J0 and Y0 (|x| >= 8), "Numerical Recipes in C", second edition; the
// publication prints the last Q coefficient differently for J0 and for Y0.
constexpr double J0LargeP[] = {1.0, -0.1098628627e-2, 0.2734510407e-4, -0.2073370639e-5, 0.2093887211e-6};
constexpr double J0LargeQ[] = {-0.1562499995e-1, 0.1430488765e-3, -0.6911147651e-5, 0.7621095161e-6, -0.934935152e-7};
constexpr double Y0LargeQ[] = {-0.1562499995e-1, 0.1430488765e-3, -0.6911147651e-5, 0.7621095161e-6, -0.934945152e-7};
// Rational approximations of J1 and Y1 (|x| < 8), "Numerical Recipes in C", second edition.
constexpr double J1SmallNum[] = {72362614232.0, -7895059235.0, 242396853.1, -2972611.439, 15704.48260, -30.16036606};
constexpr double J1SmallDen[] = {144725228442.0, 2300535178.0, 18583304.74, 99447.43394, 376.9991397, 1.0};
constexpr double Y1SmallNum[] = {-0.4900604943e13, 0.1275274390e13, -0.5153438139e11, 0.7349264551e9, -0.4237922726e7, 0.8511937935e4};
constexpr double Y1SmallDen[] = {0.2499580570e14, 0.4244419664e12, 0.3733650367e10, 0.2245904002e8, 0.1020426050e6, 0.3549632885e3, 1.0};
// Asymptotic P and Q of J1 and Y1 (|x| >= 8), "Numerical Recipes in C", second edition.
constexpr double J1LargeP[] = {1.0, 0.183105e-2, -0.3516396496e-4, 0.2457520174e-5, -0.240337019e-6};
constexpr double J1LargeQ[] = {0.04687499995, -0.2002690873e-3, 0.8449199096e-5, -0.88228987e-6, 0.105787412e-6};
// I0, "Handbook of Mathematical Functions" (Abramowitz and Stegun) 9.8.1 and 9.8.2.
constexpr double I0Small[] = {1.0, 3.5156229, 3.0899424, 1.2067492, 0.2659732, 0.360768e-1, 0.45813e-2};
constexpr double I0Large[] = {0.39894228, 0.1328592e-1, 0.225319e-2, -0.157565e-2, 0.916281e-2, -0.2057706e-1, 0.2635537e-1, -0.1647633e-1, 0.392377e-2};
// K0, "Handbook of Mathematical Functions" (Abramowitz and Stegun) 9.8.5 and 9.8.6.
constexpr double K0Small[] = {-0.57721566, 0.42278420, 0.23069756, 0.3488590e-1, 0.262698e-2, 0.10750e-3, 0.74e-5};
constexpr double K0Large[] = {1.25331414, -0.7832358e-1, 0.2189568e-1, -0.1062446e-1, 0.587872e-2, -0.251540e-2, 0.53208e-3};
// K1, "Handbook of Mathematical Functions" (Abramowitz and Stegun) 9.8.7 and 9.8.8.
constexpr double K1Small[] = {1.0, 0.15443144, -0.67278579, -0.18156897, -0.1919402e-1, -0.110404e-2, -0.4686e-4};
constexpr double K1Large[] = {1.25331414, 0.23498619, -0.3655620e-1, 0.1504268e-1, -0.780353e-2, 0.325614e-2, -0.68245e-3};
// clang-format on

// Eight-digit constants of the approximations: 2/pi and the phase shifts pi/4 and 3pi/4.
constexpr double TwoOverPi8 = 0.636619772;
constexpr double QuarterPi8 = 0.785398164;
constexpr double ThreeQuarterPi8 = 2.356194491;

// c[0] + y (c[1] + y (c[2] + ...)), in the publications' order of evaluation.
template <std::size_t N> double Poly(const double (&c)[N], double y)
{
    double sum = c[N - 1];
    for (std::size_t i = N - 1; i-- > 0;)
        sum = c[i] + y * sum;
    return sum;
}

double Reject()
{
    SetMathErrno(NumericBadArgument);
    return 0.0;
}

// sqrt(2/(pi ax)) (trig(xi) P(t) -/+ z trig'(xi) Q(t)): the common large-argument form, with
// sine selecting the Y functions (sin xi P + z cos xi Q) and cosine the J functions.
template <std::size_t NP, std::size_t NQ>
double LargeForm(double ax, double shift, const double (&p)[NP], const double (&q)[NQ], bool y)
{
    const double z = 8.0 / ax;
    const double t = z * z;
    const double xi = ax - shift;
    const double amp = std::sqrt(TwoOverPi8 / ax);
    if (y)
        return amp * (std::sin(xi) * Poly(p, t) + z * std::cos(xi) * Poly(q, t));
    return amp * (std::cos(xi) * Poly(p, t) - z * std::sin(xi) * Poly(q, t));
}

double J0Core(double x)
{
    const double ax = std::fabs(x);
    if (ax < 8.0) {
        const double y = x * x;
        return Poly(J0SmallNum, y) / Poly(J0SmallDen, y);
    }
    return LargeForm(ax, QuarterPi8, J0LargeP, J0LargeQ, false);
}

double J1Core(double x)
{
    const double ax = std::fabs(x);
    if (ax < 8.0) {
        const double y = x * x;
        return x * Poly(J1SmallNum, y) / Poly(J1SmallDen, y);
    }
    const double ans = LargeForm(ax, ThreeQuarterPi8, J1LargeP, J1LargeQ, false);
    return x < 0.0 ? -ans : ans;
}

double Y0Core(double x)
{
    if (x < 8.0) {
        const double y = x * x;
        return Poly(Y0SmallNum, y) / Poly(Y0SmallDen, y) + TwoOverPi8 * J0Core(x) * std::log(x);
    }
    return LargeForm(x, QuarterPi8, J0LargeP, Y0LargeQ, true);
}

double Y1Core(double x)
{
    if (x < 8.0) {
        const double y = x * x;
        return x * Poly(Y1SmallNum, y) / Poly(Y1SmallDen, y) +
               TwoOverPi8 * (J1Core(x) * std::log(x) - 1.0 / x);
    }
    return LargeForm(x, ThreeQuarterPi8, J1LargeP, J1LargeQ, true);
}

double I0Core(double x)
{
    const double ax = std::fabs(x);
    if (ax < 3.75) {
        const double y = (x / 3.75) * (x / 3.75);
        return Poly(I0Small, y);
    }
    return std::exp(ax) / std::sqrt(ax) * Poly(I0Large, 3.75 / ax);
}

double K0Core(double x)
{
    if (x <= 2.0)
        return -std::log(x / 2.0) * I0Core(x) + Poly(K0Small, x * x / 4.0);
    return std::exp(-x) / std::sqrt(x) * Poly(K0Large, 2.0 / x);
}

double K1Core(double x)
{
    if (x <= 2.0)
        return std::log(x / 2.0) * BesselI1(x) + Poly(K1Small, x * x / 4.0) / x;
    return std::exp(-x) / std::sqrt(x) * Poly(K1Large, 2.0 / x);
}

// --- Integer orders n >= 2 --------------------------------------------------------------------

constexpr double ACC = 40.0;
constexpr double BIGNO = 1.0e10;
constexpr double BIGNI = 1.0e-10;

// Start of the downward recurrences: n + trunc(sqrt(ACC n)), in 64 bits so that no order overflows.
std::int64_t MillerStart(int n)
{
    return static_cast<std::int64_t>(n) + static_cast<std::int64_t>(std::sqrt(ACC * n));
}

// Upper bound of ln|Jn(x)| from |Jn(x)| <= (|x|/2)^n/n! and n! >= (n/e)^n; In(x) adds at most
// x^2/(4(n+1)). Below ln of the smallest double the result underflows to 0, which spares the
// recurrences of the largest orders their billions of steps.
constexpr double kLogUnderflow = -750.0;

double LogBoundJn(double n, double ax) { return n * std::log(2.718281828459045 * ax / (2.0 * n)); }

double JnCore(int n, double x)
{
    const double ax = std::fabs(x);
    if (ax == 0.0)
        return 0.0;
    const double tox = 2.0 / ax;
    double ans;
    if (ax > n) {
        double bjm = J0Core(ax), bj = J1Core(ax);
        for (int j = 1; j < n; ++j) {
            const double bjp = j * tox * bj - bjm;
            bjm = bj;
            bj = bjp;
        }
        ans = bj;
    } else if (LogBoundJn(n, ax) < kLogUnderflow) {
        ans = 0.0;
    } else {
        // Miller's algorithm: downward from an order well above n, normalised by
        // J0 + 2 J2 + 2 J4 + ... = 1 and rescaled whenever the values grow too large.
        const std::int64_t m = 2 * (MillerStart(n) / 2);
        bool jsum = false;
        double bjp = 0.0, sum = 0.0, bj = 1.0;
        ans = 0.0;
        for (std::int64_t j = m; j > 0; --j) {
            const double bjm = static_cast<double>(j) * tox * bj - bjp;
            bjp = bj;
            bj = bjm;
            if (std::fabs(bj) > BIGNO) {
                bj *= BIGNI;
                bjp *= BIGNI;
                ans *= BIGNI;
                sum *= BIGNI;
            }
            if (jsum)
                sum += bj;
            jsum = !jsum;
            if (j == n)
                ans = bjp;
        }
        sum = 2.0 * sum - bj;
        ans /= sum;
    }
    return (x < 0.0 && (n & 1)) ? -ans : ans;
}

double YnCore(int n, double x)
{
    const double tox = 2.0 / x;
    double by = Y1Core(x), bym = Y0Core(x);
    // Once Y overflows the next step would subtract infinities; the overflow is the answer.
    for (int j = 1; j < n && std::isfinite(by); ++j) {
        const double byp = j * tox * by - bym;
        bym = by;
        by = byp;
    }
    return by;
}

double KnCore(int n, double x)
{
    const double tox = 2.0 / x;
    double bkm = K0Core(x), bk = K1Core(x);
    // K0 and K1 underflow to 0 from about x = 705; the recurrence then only repeats zeros.
    for (int j = 1; j < n && std::isfinite(bk) && (bk != 0.0 || bkm != 0.0); ++j) {
        const double bkp = bkm + j * tox * bk;
        bkm = bk;
        bk = bkp;
    }
    return bk;
}

double InCore(int n, double x)
{
    if (x == 0.0)
        return 0.0;
    if (LogBoundJn(n, std::fabs(x)) + x * x / (4.0 * (n + 1.0)) < kLogUnderflow)
        return 0.0;
    const double tox = 2.0 / std::fabs(x);
    double bip = 0.0, ans = 0.0, bi = 1.0;
    // The downward recurrence must start well above both n and |x|: started near n alone it
    // leaves errors of whole percents once |x| exceeds n (beyond 1e6 the result overflows anyway).
    const double reach = std::fmin(std::fmax(static_cast<double>(n), std::fabs(x)), 1.0e6);
    const std::int64_t start =
        2 * (static_cast<std::int64_t>(n) + static_cast<std::int64_t>(std::sqrt(ACC * reach)));
    double ansAtN = 0.0;
    std::int64_t rescalesAfterN = 0;
    for (std::int64_t j = start; j > 0; --j) {
        const double bim = bip + static_cast<double>(j) * tox * bi;
        bip = bi;
        bi = bim;
        if (std::fabs(bi) > BIGNO) {
            ans *= BIGNI;
            bi *= BIGNI;
            bip *= BIGNI;
            if (j < n)
                ++rescalesAfterN;
        }
        if (j == n)
            ans = ansAtN = bip;
    }
    const double i0 = I0Core(x);
    if (std::isfinite(i0) && ans / bi >= DBL_MIN) {
        ans *= i0 / bi;
    } else {
        // In/I0 below the normal range, or I0 overflowing (from |x| = 713), while In itself
        // may be a double: the ratio and I0 are joined as logarithms instead.
        const double ax = std::fabs(x);
        const double logI0 = std::isfinite(i0)
                                 ? std::log(i0)
                                 : ax + std::log(Poly(I0Large, 3.75 / ax) / std::sqrt(ax));
        const double logRatio =
            std::log(ansAtN) - std::log(bi) - static_cast<double>(rescalesAfterN) * std::log(BIGNO);
        ans = std::exp(logRatio + logI0);
    }
    return (x < 0.0 && (n & 1)) ? -ans : ans;
}

} // namespace

double BesselJ0(double x)
{
    const int saved = ErrnoEnter();
    return ErrnoLeave(saved, std::isfinite(x) ? J0Core(x) : Reject());
}

double BesselJ1(double x)
{
    const int saved = ErrnoEnter();
    return ErrnoLeave(saved, std::isfinite(x) ? J1Core(x) : Reject());
}

// Y and K have logarithmic poles at 0 and no real values below it; the runtime's own domain
// error would be lost to the errno discipline, so the library reports its own.
double BesselY0(double x)
{
    const int saved = ErrnoEnter();
    return ErrnoLeave(saved, x > 0.0 && std::isfinite(x) ? Y0Core(x) : Reject());
}

double BesselY1(double x)
{
    const int saved = ErrnoEnter();
    return ErrnoLeave(saved, x > 0.0 && std::isfinite(x) ? Y1Core(x) : Reject());
}

double BesselI0(double x)
{
    const int saved = ErrnoEnter();
    return ErrnoLeave(saved, std::isfinite(x) ? I0Core(x) : Reject());
}

double BesselK0(double x)
{
    const int saved = ErrnoEnter();
    return ErrnoLeave(saved, x > 0.0 && std::isfinite(x) ? K0Core(x) : Reject());
}

double BesselK1(double x)
{
    const int saved = ErrnoEnter();
    return ErrnoLeave(saved, x > 0.0 && std::isfinite(x) ? K1Core(x) : Reject());
}

double BesselJn(int n, double x)
{
    const int saved = ErrnoEnter();
    return ErrnoLeave(saved, n >= 2 && std::isfinite(x) ? JnCore(n, x) : Reject());
}

double BesselYn(int n, double x)
{
    const int saved = ErrnoEnter();
    return ErrnoLeave(saved, n >= 2 && x > 0.0 && std::isfinite(x) ? YnCore(n, x) : Reject());
}

double BesselKn(int n, double x)
{
    const int saved = ErrnoEnter();
    return ErrnoLeave(saved, n >= 2 && x > 0.0 && std::isfinite(x) ? KnCore(n, x) : Reject());
}

double BesselIn(int n, double x)
{
    const int saved = ErrnoEnter();
    return ErrnoLeave(saved, n >= 2 && std::isfinite(x) ? InCore(n, x) : Reject());
}

// --- Real orders nu >= 0 ----------------------------------------------------------------------

namespace {

constexpr double EPS = 1.0e-10;
constexpr double FPMIN = 1.0e-30;
constexpr int MAXIT = 10000;
constexpr double XMIN = 2.0;
constexpr double PI = 3.141592653589793;
// Orders from here on would need more than 2^31 recurrence steps.
constexpr double NU_LIMIT = 2147483648.0;

bool BadFractionalArguments(double x, double nu)
{
    return !(x > 0.0) || !std::isfinite(x) || !(nu >= 0.0) || !(nu < NU_LIMIT);
}

// The four values at order mu = nu - nl, and mu itself, from which the recurrences start.
struct OrderMu {
    double mu;
    double value;      // J_mu or I_mu (not yet known after the first fraction)
    double second;     // Y_mu or K_mu
    double secondNext; // Y_mu+1 or K_mu+1
};

// Outcome of the first continued fraction and the downward recurrence to order mu.
struct Downward {
    double h;                // J'_nu/J_nu (or I'_nu/I_nu)
    int isign;               // sign of J_nu relative to the recurrence's start
    double rl, rpl;          // value and derivative after the recurrence (unnormalised)
    double rl1, rp1;         // value and derivative at order nu (unnormalised)
    double f;                // ratio derivative/value at order mu
    std::int64_t scaled = 0; // times rl and rpl were multiplied by kRescale
};

// Far above x the downward recurrence grows past the double range; it is then scaled down by a
// power of two, and the value at order nu (which underflows) is scaled back at the end.
constexpr double kRescaleAbove = 0x1p+200;
constexpr double kRescale = 0x1p-200;

double Unscale(double v, std::int64_t scaled)
{
    for (; scaled > 0 && v != 0.0; --scaled)
        v *= kRescale;
    return v;
}

// Recurrence upward from Z_mu, Z_mu+1 to Z_nu and Z'_nu: sign -1 for Y, +1 for K. Once the values
// overflow, Z_nu is that infinity and Z'_nu the opposite one, instead of infinity minus infinity.
void Upward(double mu, double nu, double x, std::int64_t nl, double z, double z1, double sign,
            double* value, double* derivative)
{
    const double xi = 1.0 / x, xi2 = 2.0 * xi;
    for (std::int64_t i = 1; i <= nl; ++i) {
        const double t = (mu + static_cast<double>(i)) * xi2 * z1 + sign * z;
        z = z1;
        z1 = t;
        if (!std::isfinite(z1) && i < nl) {
            *value = z1;
            *derivative = -z1;
            return;
        }
    }
    *value = z;
    *derivative = nu * xi * z - z1;
}

// Writes the four results unless one of them is NaN, which the recurrences can still produce at
// the very edge of the double range; a NaN is never handed out as a success.
bool WriteFour(const double (&r)[4], double* a, double* b, double* c, double* d)
{
    for (double v : r)
        if (std::isnan(v))
            return false;
    *a = r[0];
    *b = r[1];
    *c = r[2];
    *d = r[3];
    return true;
}

// J'_nu/J_nu by the modified Lentz method; false when MAXIT steps do not converge.
bool JyFirstFraction(double x, double nu, Downward& dw)
{
    const double xi = 1.0 / x, xi2 = 2.0 * xi;
    double h = nu * xi;
    if (h < FPMIN)
        h = FPMIN;
    double b = xi2 * nu, d = 0.0, c = h;
    int isign = 1;
    for (int i = 1; i <= MAXIT; ++i) {
        b += xi2;
        d = b - d;
        if (std::fabs(d) < FPMIN)
            d = FPMIN;
        c = b - 1.0 / c;
        if (std::fabs(c) < FPMIN)
            c = FPMIN;
        d = 1.0 / d;
        const double del = c * d;
        h = del * h;
        if (d < 0.0)
            isign = -isign;
        if (std::fabs(del - 1.0) < EPS) {
            dw.h = h;
            dw.isign = isign;
            return true;
        }
    }
    return false;
}

void JyDownward(double x, double nu, std::int64_t nl, Downward& dw)
{
    const double xi = 1.0 / x;
    double rjl = dw.isign * FPMIN;
    double rjpl = dw.h * rjl;
    dw.rl1 = rjl;
    dw.rp1 = rjpl;
    double fact = nu * xi;
    for (std::int64_t l = nl; l >= 1; --l) {
        const double t = fact * rjl + rjpl;
        fact -= xi;
        rjpl = fact * t - rjl;
        rjl = t;
        if (std::fabs(rjl) > kRescaleAbove) {
            rjl *= kRescale;
            rjpl *= kRescale;
            ++dw.scaled;
        }
    }
    if (rjl == 0.0)
        rjl = EPS;
    dw.rl = rjl;
    dw.rpl = rjpl;
    dw.f = rjpl / rjl;
}

// The sine and hyperbolic-sine factors of Temme's series, each 1 near its removable zero.
double PiMuOverSin(double pimu) { return std::fabs(pimu) < EPS ? 1.0 : pimu / std::sin(pimu); }
double SinhOverArg(double e) { return std::fabs(e) < EPS ? 1.0 : std::sinh(e) / e; }

// Temme's series for Y_mu, Y_mu+1 and then J_mu (x < 2); false when it does not converge.
bool JyTemme(double x, const Downward& dw, OrderMu& om)
{
    const double mu = om.mu, xi = 1.0 / x, xi2 = 2.0 * xi, w = xi2 / PI;
    const double x2 = 0.5 * x, pimu = PI * mu;
    const double fact = PiMuOverSin(pimu);
    double d = -std::log(x2);
    double e = mu * d;
    const double fact2 = SinhOverArg(e);
    double gam1, gam2, gampl, gammi;
    GammaChebyshev(mu, &gam1, &gam2, &gampl, &gammi);
    double ff = 2.0 / PI * fact * (gam1 * std::cosh(e) + gam2 * fact2 * d);
    e = std::exp(e);
    double p = e / (gampl * PI);
    double q = 1.0 / (e * PI * gammi);
    const double pimu2 = 0.5 * pimu;
    const double fact3 = std::fabs(pimu2) < EPS ? 1.0 : std::sin(pimu2) / pimu2;
    const double r = PI * pimu2 * fact3 * fact3;
    double c = 1.0;
    d = -x2 * x2;
    double sum = ff + r * q, sum1 = p;
    for (int i = 1; i <= MAXIT; ++i) {
        ff = (i * ff + p + q) / (i * static_cast<double>(i) - mu * mu);
        c *= d / i;
        p /= i - mu;
        q /= i + mu;
        const double del = c * (ff + r * q);
        sum += del;
        sum1 += c * p - i * del;
        if (std::fabs(del) < (1.0 + std::fabs(sum)) * EPS) {
            om.second = -sum;
            om.secondNext = -sum1 * xi2;
            const double ymup = mu * xi * om.second - om.secondNext;
            om.value = w / (ymup - dw.f * om.second);
            return true;
        }
    }
    return false;
}

// Steed's second continued fraction p + iq for x >= 2, then J_mu, Y_mu, Y_mu+1.
bool JySteed(double x, const Downward& dw, OrderMu& om)
{
    const double mu = om.mu, xi = 1.0 / x, w = 2.0 * xi / PI;
    double a = 0.25 - mu * mu;
    double p = -0.5 * xi, q = 1.0;
    const double br = 2.0 * x;
    double bi = 2.0;
    double fact = a * xi / (p * p + q * q);
    double cr = br + q * fact, ci = bi + p * fact;
    double den = br * br + bi * bi;
    double dr = br / den, di = -bi / den;
    double dlr = cr * dr - ci * di, dli = cr * di + ci * dr;
    double t = p * dlr - q * dli;
    q = p * dli + q * dlr;
    p = t;
    int i = 2;
    for (; i <= MAXIT; ++i) {
        a += 2 * (i - 1);
        bi += 2.0;
        dr = a * dr + br;
        di = a * di + bi;
        if (std::fabs(dr) + std::fabs(di) < FPMIN)
            dr = FPMIN;
        fact = a / (cr * cr + ci * ci);
        cr = br + cr * fact;
        ci = bi - ci * fact;
        if (std::fabs(cr) + std::fabs(ci) < FPMIN)
            cr = FPMIN;
        den = dr * dr + di * di;
        dr /= den;
        di /= -den;
        dlr = cr * dr - ci * di;
        dli = cr * di + ci * dr;
        t = p * dlr - q * dli;
        q = p * dli + q * dlr;
        p = t;
        if (std::fabs(dlr - 1.0) + std::fabs(dli) < EPS)
            break;
    }
    if (i > MAXIT)
        return false;
    const double gam = (p - dw.f) / q;
    const double jmu = std::sqrt(w / ((p - dw.f) * gam + q));
    om.value = dw.rl < 0.0 ? -jmu : jmu;
    om.second = om.value * gam;
    const double ymup = om.second * (p + q / gam);
    om.secondNext = mu * xi * om.second - ymup;
    return true;
}

bool JyCore(double x, double nu, double* rj, double* ry, double* rjp, double* ryp)
{
    // Where J underflows, J Y' - Y J' = 2/(pi x) makes Y overflow (for any order below 2^31).
    if (nu > 0.0 && LogBoundJn(nu, x) < kLogUnderflow)
        return WriteFour({0.0, -INFINITY, 0.0, INFINITY}, rj, ry, rjp, ryp);
    // Steed's fraction serves orders below about x, so above XMIN only the excess is recurred.
    const double excess = nu - x + 1.5;
    const std::int64_t nl = x < XMIN       ? static_cast<std::int64_t>(nu + 0.5)
                            : excess > 0.0 ? static_cast<std::int64_t>(excess)
                                           : 0;
    OrderMu om{nu - static_cast<double>(nl), 0.0, 0.0, 0.0};
    Downward dw{};
    if (!JyFirstFraction(x, nu, dw))
        return false;
    JyDownward(x, nu, nl, dw);
    if (!(x < XMIN ? JyTemme(x, dw, om) : JySteed(x, dw, om)))
        return false;
    const double fact = om.value / dw.rl;
    double r[4];
    r[0] = Unscale(dw.rl1 * fact, dw.scaled);
    r[2] = Unscale(dw.rp1 * fact, dw.scaled);
    Upward(om.mu, nu, x, nl, om.second, om.secondNext, -1.0, &r[1], &r[3]);
    return WriteFour(r, rj, ry, rjp, ryp);
}

// I'_nu/I_nu by the continued fraction, then the downward recurrence to order mu.
bool IkDownward(double x, double nu, std::int64_t nl, Downward& dw)
{
    const double xi = 1.0 / x, xi2 = 2.0 * xi;
    double h = nu * xi;
    if (h < FPMIN)
        h = FPMIN;
    double b = xi2 * nu, d = 0.0, c = h;
    int i = 1;
    for (; i <= MAXIT; ++i) {
        b += xi2;
        d = 1.0 / (b + d);
        c = b + 1.0 / c;
        const double del = c * d;
        h = del * h;
        if (std::fabs(del - 1.0) < EPS)
            break;
    }
    if (i > MAXIT)
        return false;
    double ril = FPMIN, ripl = h * ril;
    dw.rl1 = ril;
    dw.rp1 = ripl;
    double fact = nu * xi;
    for (std::int64_t l = nl; l >= 1; --l) {
        const double t = fact * ril + ripl;
        fact -= xi;
        ripl = fact * t + ril;
        ril = t;
        if (ril > kRescaleAbove) {
            ril *= kRescale;
            ripl *= kRescale;
            ++dw.scaled;
        }
    }
    dw.rl = ril;
    dw.rpl = ripl;
    dw.f = ripl / ril;
    return true;
}

// Temme's series for K_mu and K_mu+1 (x < 2).
bool IkTemme(double x, OrderMu& om)
{
    const double mu = om.mu, xi2 = 2.0 / x;
    const double x2 = 0.5 * x, pimu = PI * mu;
    const double fact = PiMuOverSin(pimu);
    double d = -std::log(x2);
    double e = mu * d;
    const double fact2 = SinhOverArg(e);
    double gam1, gam2, gampl, gammi;
    GammaChebyshev(mu, &gam1, &gam2, &gampl, &gammi);
    double ff = fact * (gam1 * std::cosh(e) + gam2 * fact2 * d);
    double sum = ff;
    e = std::exp(e);
    double p = 0.5 * e / gampl;
    double q = 0.5 / (e * gammi);
    double c = 1.0;
    d = x2 * x2;
    double sum1 = p;
    for (int i = 1; i <= MAXIT; ++i) {
        ff = (i * ff + p + q) / (i * static_cast<double>(i) - mu * mu);
        c *= d / i;
        p /= i - mu;
        q /= i + mu;
        const double del = c * ff;
        sum += del;
        sum1 += c * (p - i * ff);
        if (std::fabs(del) < std::fabs(sum) * EPS) {
            om.second = sum;
            om.secondNext = sum1 * xi2;
            return true;
        }
    }
    return false;
}

// Steed's algorithm with Temme's normalisation for K_mu and K_mu+1 (x >= 2).
bool IkSteed(double x, OrderMu& om)
{
    const double mu = om.mu;
    double b = 2.0 * (1.0 + x);
    double d = 1.0 / b;
    double h = d, delh = d;
    double q1 = 0.0, q2 = 1.0;
    const double a1 = 0.25 - mu * mu;
    double q = a1, c = a1, a = -a1;
    double s = 1.0 + q * delh;
    int i = 2;
    for (; i <= MAXIT; ++i) {
        a -= 2 * (i - 1);
        c = -a * c / i;
        const double qnew = (q1 - b * q2) / a;
        q1 = q2;
        q2 = qnew;
        q += c * qnew;
        b += 2.0;
        d = 1.0 / (b + a * d);
        delh = (b * d - 1.0) * delh;
        h += delh;
        const double dels = q * delh;
        s += dels;
        if (std::fabs(dels / s) < EPS)
            break;
    }
    if (i > MAXIT)
        return false;
    h = a1 * h;
    om.second = std::sqrt(PI / (2.0 * x)) * std::exp(-x) / s;
    om.secondNext = om.second * (mu + x + 0.5 - h) * (1.0 / x);
    return true;
}

bool IkCore(double x, double nu, double* ri, double* rk, double* rip, double* rkp)
{
    // Where I underflows, I K' - I' K = -1/x makes K overflow.
    if (nu > 0.0 && LogBoundJn(nu, x) + x * x / (4.0 * (nu + 1.0)) < kLogUnderflow)
        return WriteFour({0.0, INFINITY, 0.0, -INFINITY}, ri, rk, rip, rkp);
    const std::int64_t nl = static_cast<std::int64_t>(nu + 0.5);
    OrderMu om{nu - static_cast<double>(nl), 0.0, 0.0, 0.0};
    Downward dw{};
    if (!IkDownward(x, nu, nl, dw))
        return false;
    if (!(x < XMIN ? IkTemme(x, om) : IkSteed(x, om)))
        return false;
    const double xi = 1.0 / x;
    const double kmup = om.mu * xi * om.second - om.secondNext;
    const double imu = xi / (dw.f * om.second - kmup);
    double r[4];
    r[0] = Unscale(imu * dw.rl1 / dw.rl, dw.scaled);
    r[2] = Unscale(imu * dw.rp1 / dw.rl, dw.scaled);
    Upward(om.mu, nu, x, nl, om.second, om.secondNext, 1.0, &r[1], &r[3]);
    return WriteFour(r, ri, rk, rip, rkp);
}

} // namespace

void BesselJY(double x, double nu, double* rj, double* ry, double* rjp, double* ryp)
{
    const int saved = ErrnoEnter();
    if (BadFractionalArguments(x, nu) || !JyCore(x, nu, rj, ry, rjp, ryp))
        SetMathErrno(NumericBadArgument);
    ErrnoLeave(saved);
}

void BesselIK(double x, double nu, double* ri, double* rk, double* rip, double* rkp)
{
    const int saved = ErrnoEnter();
    if (BadFractionalArguments(x, nu) || !IkCore(x, nu, ri, rk, rip, rkp))
        SetMathErrno(NumericBadArgument);
    ErrnoLeave(saved);
}

void SphericalBessel(int n, double x, double* sj, double* sy, double* sjp, double* syp)
{
    const int saved = ErrnoEnter();
    // After a failed BesselJY the outputs are meaningless; NaN says so to any careless caller.
    double j = NAN, y = NAN, jp = NAN, yp = NAN;
    if (n < 0 || !(x > 0.0) || !std::isfinite(x)) {
        SetMathErrno(NumericBadArgument);
        ErrnoLeave(saved);
        return;
    }
    if (!JyCore(x, n + 0.5, &j, &y, &jp, &yp))
        SetMathErrno(NumericBadArgument);
    const double factor = 1.2533141 / std::sqrt(x); // sqrt(pi/2) to eight digits
    *sj = factor * j;
    *sy = factor * y;
    *sjp = factor * jp - *sj / (2.0 * x);
    *syp = factor * yp - *sy / (2.0 * x);
    ErrnoLeave(saved);
}
