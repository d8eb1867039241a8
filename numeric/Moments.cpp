#include "numeric/Moments.h"

#include "numeric/NumericCore.h"

#include <cmath>

void ComputeMoments(const double* data, int n, double* ave, double* adev, double* sdev, double* var,
                    double* skew, double* curt)
{
    if (n < 2) {
        SetMathErrno(NumericBadArgument);
        return;
    }
    const int saved = ErrnoEnter();
    double sum = 0.0;
    for (int j = 1; j <= n; ++j)
        sum += data[j];
    const double mean = sum / n;
    double absDev = 0.0;
    double variance = 0.0;
    double third = 0.0;
    double fourth = 0.0;
    for (int j = 1; j <= n; ++j) {
        const double d = data[j] - mean;
        absDev += std::fabs(d);
        const double d2 = d * d;
        variance += d2;
        third += d2 * d;
        fourth += d2 * d2;
    }
    variance /= n - 1;
    const double deviation = std::sqrt(variance);
    *ave = mean;
    *adev = absDev / n;
    *var = variance;
    *sdev = deviation;
    if (variance != 0.0) {
        *skew = third / (n * variance * deviation);
        *curt = fourth / (n * variance * variance) - 3.0;
    } else {
        *skew = 0.0;
        *curt = 0.0;
    }
    ErrnoLeave(saved);
}

void PolynomialInterpolate(const double* xa, const double* ya, int n, double x, double* y,
                           double* dy)
{
    if (n < 1) {
        SetMathErrno(NumericBadArgument);
        return;
    }
    double* c = AllocVector(1, n);
    if (!c)
        return;
    double* d = AllocVector(1, n);
    if (!d) {
        FreeVector(c, 1, n);
        return;
    }
    int ns = 1;
    double dif = std::fabs(x - xa[1]);
    for (int i = 1; i <= n; ++i) {
        const double dift = std::fabs(x - xa[i]);
        if (dift < dif) {
            ns = i;
            dif = dift;
        }
        c[i] = ya[i];
        d[i] = ya[i];
    }
    *y = ya[ns--];
    for (int m = 1; m < n; ++m) {
        for (int i = 1; i <= n - m; ++i) {
            const double ho = xa[i] - x;
            const double hp = xa[i + m] - x;
            const double w = c[i + 1] - d[i];
            double den = ho - hp;
            if (den == 0.0) {
                FreeVector(d, 1, n);
                FreeVector(c, 1, n);
                SetMathErrno(NumericEqualAbscissae);
                return;
            }
            den = w / den;
            d[i] = hp * den;
            c[i] = ho * den;
        }
        *dy = 2 * ns < n - m ? c[ns + 1] : d[ns--];
        *y += *dy;
    }
    FreeVector(d, 1, n);
    FreeVector(c, 1, n);
}
