#include "numeric/ExponentialIntegrals.h"

#include "numeric/ComplexValue.h"
#include "numeric/NumericCore.h"

#include <cmath>

namespace {

constexpr int kMaxIterations = 100;
constexpr double kFpMin = 1e-30;
// Single-precision constants of the series below: their accuracy is about 1e-7 anyway.
constexpr double kEulerShort = 0.57721566;
constexpr double kSeriesEps = 6e-8;
constexpr double kHalfPiShort = 1.5707963; // the limit of Si, to the series' precision

bool LentzConverged(ComplexValue del)
{
    return std::fabs(del.re - 1) + std::fabs(del.im) < kSeriesEps;
}

// E_n by its continued fraction (x > 1); false when it does not converge.
bool ExponentialIntegralFraction(int n, double x, double* result)
{
    constexpr double kBig = 1e30;
    constexpr double kEps = 1e-7;
    double b = x + n;
    double c = kBig;
    double d = 1 / b;
    double h = d;
    for (int i = 1; i <= kMaxIterations; ++i) {
        const double an = -i * (n - 1.0 + i);
        b += 2;
        d = 1 / (an * d + b);
        c = b + an / c;
        const double del = c * d;
        h *= del;
        if (std::fabs(del - 1) < kEps) {
            *result = h * std::exp(-x);
            return true;
        }
    }
    return false;
}

// E_n by its power series (x <= 1); false when it does not converge.
bool ExponentialIntegralSeries(int n, double x, double* result)
{
    constexpr double kEuler = 0.5772156649;
    constexpr double kEps = 1e-7;
    double ans = n != 1 ? 1 / (n - 1.0) : -std::log(x) - kEuler;
    double fact = 1;
    for (int i = 1; i <= kMaxIterations; ++i) {
        fact *= -x / i;
        double del;
        if (i != n - 1) {
            del = -fact / (i - n + 1.0);
        } else {
            double psi = -kEuler;
            for (int k = 1; k <= n - 1; ++k)
                psi += 1.0 / k;
            del = fact * (-std::log(x) + psi);
        }
        ans += del;
        if (std::fabs(del) < std::fabs(ans) * kEps) {
            *result = ans;
            return true;
        }
    }
    return false;
}

// S and C together by their power series (|x| <= 1.5); false when it does not converge.
bool FresnelSeries(double t, double* s, double* c)
{
    constexpr double kHalfPi = 1.57079635;
    double sum = 0;
    double sums = 0;
    double sumc = t;
    double sign = 1;
    const double fact = kHalfPi * t * t;
    bool odd = true;
    double term = t;
    int n = 3;
    for (int k = 1; k <= kMaxIterations; ++k) {
        term *= fact / k;
        sum += sign * term / n;
        const double test = std::fabs(sum) * kSeriesEps;
        if (odd) {
            sign = -sign;
            sums = sum;
            sum = sumc;
        } else {
            sumc = sum;
            sum = sums;
        }
        if (term < test) {
            *s = sums;
            *c = sumc;
            return true;
        }
        odd = !odd;
        n += 2;
    }
    return false;
}

// S and C by the complex continued fraction of erfc (|x| > 1.5); false without convergence.
bool FresnelFraction(double t, double* s, double* c)
{
    constexpr double kPi = 3.1415927;
    const ComplexValue one = MakeComplex(1, 0);
    const double pix2 = kPi * t * t;
    ComplexValue b = MakeComplex(1, -pix2);
    ComplexValue cc = MakeComplex(1 / kFpMin, 0);
    ComplexValue d = ComplexDivide(one, b);
    ComplexValue h = d;
    for (int k = 2; k <= kMaxIterations; ++k) {
        const double a = -(2.0 * k - 3) * (2.0 * k - 2);
        b = ComplexAdd(b, MakeComplex(4, 0));
        d = ComplexDivide(one, ComplexAdd(ComplexScale(a, d), b));
        cc = ComplexAdd(b, ComplexDivide(MakeComplex(a, 0), cc));
        const ComplexValue del = ComplexMultiply(cc, d);
        h = ComplexMultiply(h, del);
        if (LentzConverged(del)) {
            h = ComplexMultiply(MakeComplex(t, -t), h);
            const ComplexValue phase = MakeComplex(std::cos(0.5 * pix2), std::sin(0.5 * pix2));
            const ComplexValue cs = ComplexMultiply(
                MakeComplex(0.5, 0.5), ComplexSubtract(one, ComplexMultiply(phase, h)));
            *c = cs.re;
            *s = cs.im;
            return true;
        }
    }
    return false;
}

// Ci and Si through the continued fraction of E1(it) (t > 2); false without convergence.
bool CosineSineFraction(double t, double* ci, double* si)
{
    const ComplexValue one = MakeComplex(1, 0);
    ComplexValue b = MakeComplex(1, t);
    ComplexValue c = MakeComplex(1 / kFpMin, 0);
    ComplexValue d = ComplexDivide(one, b);
    ComplexValue h = d;
    for (int i = 2; i <= kMaxIterations; ++i) {
        const double a = -(i - 1.0) * (i - 1.0);
        b = ComplexAdd(b, MakeComplex(2, 0));
        d = ComplexDivide(one, ComplexAdd(ComplexScale(a, d), b));
        c = ComplexAdd(b, ComplexDivide(MakeComplex(a, 0), c));
        const ComplexValue del = ComplexMultiply(c, d);
        h = ComplexMultiply(h, del);
        if (LentzConverged(del)) {
            h = ComplexMultiply(MakeComplex(std::cos(t), -std::sin(t)), h);
            *ci = -h.re;
            *si = kHalfPiShort + h.im;
            return true;
        }
    }
    return false;
}

// Ci − ln t − γ and Si by their power series (t <= 2); false without convergence.
bool CosineSineSeries(double t, double* sumcOut, double* sumsOut)
{
    double sum = 0;
    double sums = 0;
    double sumc = 0;
    double sign = 1;
    double fact = 1;
    bool odd = true;
    for (int k = 1; k <= kMaxIterations; ++k) {
        fact *= t / k;
        const double term = fact / k;
        sum += sign * term;
        const double err = term / std::fabs(sum);
        if (odd) {
            sign = -sign;
            sums = sum;
            sum = sumc;
        } else {
            sumc = sum;
            sum = sums;
        }
        if (err < kSeriesEps) {
            *sumcOut = sumc;
            *sumsOut = sums;
            return true;
        }
        odd = !odd;
    }
    return false;
}

} // namespace

double ExponentialIntegralEn(int n, double x)
{
    if (std::isnan(x) || n < 0 || x < 0 || (x == 0 && (n == 0 || n == 1))) {
        SetMathErrno(NumericBadArgument);
        return 0;
    }
    const int saved = ErrnoEnter();
    // At infinity the fraction would multiply 0 by infinity; the limit is 0.
    if (std::isinf(x))
        return 0.0;
    if (n == 0)
        return ErrnoLeave(saved, std::exp(-x) / x);
    if (x == 0)
        return 1 / (n - 1.0);
    double result = 0;
    const bool ok = x > 1 ? ExponentialIntegralFraction(n, x, &result)
                          : ExponentialIntegralSeries(n, x, &result);
    if (!ok) {
        SetMathErrno(NumericBadArgument);
        return 0;
    }
    return ErrnoLeave(saved, result);
}

double ExponentialIntegralEi(double x)
{
    if (std::isnan(x) || x <= 0) {
        SetMathErrno(NumericBadArgument);
        return 0;
    }
    if (std::isinf(x))
        return x; // the asymptotic form would divide infinity by infinity
    const int saved = ErrnoEnter();
    if (x < kFpMin)
        return ErrnoLeave(saved, std::log(x) + kEulerShort);
    if (x <= -std::log(kSeriesEps)) {
        double sum = 0;
        double fact = 1;
        for (int k = 1; k <= kMaxIterations; ++k) {
            fact *= x / k;
            const double term = fact / k;
            sum += term;
            if (term < kSeriesEps * sum)
                return ErrnoLeave(saved, sum + std::log(x) + kEulerShort);
        }
        SetMathErrno(NumericIterationLimit);
        return 0;
    }
    double sum = 0;
    double term = 1;
    for (int k = 1; k <= kMaxIterations; ++k) {
        const double prev = term;
        term *= k / x;
        if (term < kSeriesEps)
            break;
        if (term < prev) {
            sum += term;
        } else {
            sum -= prev;
            break;
        }
    }
    return ErrnoLeave(saved, std::exp(x) * (1 + sum) / x);
}

void FresnelIntegrals(double x, double* s, double* c)
{
    if (std::isnan(x)) {
        SetMathErrno(NumericBadArgument);
        return;
    }
    const int saved = ErrnoEnter();
    const double t = std::fabs(x);
    double sv;
    double cv;
    if (std::isinf(t)) {
        // The limits; the continued fraction cannot start from an infinite argument.
        sv = 0.5;
        cv = 0.5;
    } else if (t < std::sqrt(kFpMin)) {
        sv = 0;
        cv = t;
    } else if (!(t <= 1.5 ? FresnelSeries(t, &sv, &cv) : FresnelFraction(t, &sv, &cv))) {
        SetMathErrno(NumericIterationLimit);
        return;
    }
    *s = x < 0 ? -sv : sv;
    *c = x < 0 ? -cv : cv;
    ErrnoLeave(saved);
}

void CosineSineIntegrals(double x, double* ci, double* si)
{
    if (std::isnan(x)) {
        SetMathErrno(NumericBadArgument);
        return;
    }
    const int saved = ErrnoEnter();
    const double t = std::fabs(x);
    if (t == 0) {
        *si = 0;
        *ci = -1e30;
        return;
    }
    double civ;
    double siv;
    if (std::isinf(t)) {
        // The limits; the continued fraction cannot start from an infinite argument.
        civ = 0;
        siv = kHalfPiShort;
    } else if (t > 2) {
        if (!CosineSineFraction(t, &civ, &siv)) {
            SetMathErrno(NumericIterationLimit);
            return;
        }
    } else {
        double sumc = 0;
        double sums = t;
        if (t >= std::sqrt(kFpMin) && !CosineSineSeries(t, &sumc, &sums)) {
            SetMathErrno(NumericIterationLimit);
            return;
        }
        civ = sumc + std::log(t) + kEulerShort;
        siv = sums;
    }
    *ci = civ;
    *si = x < 0 ? -siv : siv;
    ErrnoLeave(saved);
}
