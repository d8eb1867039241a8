#include "numeric/LinearAlgebra.h"

#include "numeric/NumericCore.h"

#include <cmath>
#include <utility>

namespace {

constexpr double kTinyPivot = 1.0e-20;

// Reciprocal of each row's largest magnitude; false (104) for a row of zeros.
bool RowScales(double* const* a, int n, double* vv)
{
    for (int i = 1; i <= n; ++i) {
        double big = 0.0;
        for (int j = 1; j <= n; ++j) {
            const double temp = std::fabs(a[i][j]);
            if (temp > big)
                big = temp;
        }
        if (big == 0.0) {
            SetMathErrno(NumericSingularMatrix);
            return false;
        }
        vv[i] = 1.0 / big;
    }
    return true;
}

// Column j of Crout's method: returns the pivot row (the last of equal candidates).
int CroutColumn(double** a, int n, int j, const double* vv)
{
    for (int i = 1; i < j; ++i) {
        double sum = a[i][j];
        for (int k = 1; k < i; ++k)
            sum -= a[i][k] * a[k][j];
        a[i][j] = sum;
    }
    double big = 0.0;
    int imax = j; // stays valid even when every candidate is NaN
    for (int i = j; i <= n; ++i) {
        double sum = a[i][j];
        for (int k = 1; k < j; ++k)
            sum -= a[i][k] * a[k][j];
        a[i][j] = sum;
        const double dum = vv[i] * std::fabs(sum);
        if (dum >= big) {
            big = dum;
            imax = i;
        }
    }
    return imax;
}

} // namespace

void LuDecompose(double** a, int n, int* indx, double* d, int* replaced)
{
    *d = 1.0;
    if (replaced)
        *replaced = 0;
    double* vv = AllocVector(1, n);
    if (!vv)
        return;
    const int saved = ErrnoEnter();
    if (!RowScales(a, n, vv)) {
        FreeVector(vv, 1, n);
        return;
    }
    for (int j = 1; j <= n; ++j) {
        const int imax = CroutColumn(a, n, j, vv);
        if (imax != j) {
            for (int k = 1; k <= n; ++k)
                std::swap(a[imax][k], a[j][k]);
            *d = -*d;
            vv[imax] = vv[j];
        }
        indx[j] = imax;
        if (a[j][j] == 0.0) {
            a[j][j] = kTinyPivot;
            if (replaced)
                ++*replaced;
        }
        if (j != n) {
            const double dum = 1.0 / a[j][j];
            for (int i = j + 1; i <= n; ++i)
                a[i][j] *= dum;
        }
    }
    FreeVector(vv, 1, n);
    ErrnoLeave(saved);
}

void LuBackSubstitute(double** a, int n, const int* indx, double* b)
{
    int firstNonZero = 0;
    for (int i = 1; i <= n; ++i) {
        const int ip = indx[i];
        double sum = b[ip];
        b[ip] = b[i];
        if (firstNonZero) {
            for (int j = firstNonZero; j <= i - 1; ++j)
                sum -= a[i][j] * b[j];
        } else if (sum != 0.0) {
            firstNonZero = i;
        }
        b[i] = sum;
    }
    for (int i = n; i >= 1; --i) {
        double sum = b[i];
        for (int j = i + 1; j <= n; ++j)
            sum -= a[i][j] * b[j];
        b[i] = sum / a[i][i];
    }
}

void ExpandCovariance(double** covar, int ma, const int* ia, int mfit)
{
    for (int i = mfit + 1; i <= ma; ++i)
        for (int j = 1; j <= i; ++j)
            covar[i][j] = covar[j][i] = 0.0;
    int k = mfit;
    for (int j = ma; j >= 1; --j) {
        if (ia[j]) {
            for (int i = 1; i <= ma; ++i)
                std::swap(covar[i][k], covar[i][j]);
            for (int i = 1; i <= ma; ++i)
                std::swap(covar[k][i], covar[j][i]);
            --k;
        }
    }
}
