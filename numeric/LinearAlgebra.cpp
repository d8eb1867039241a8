#include "numeric/LinearAlgebra.h"

#include "numeric/NumericCore.h"

#include <cmath>
#include <cstdint>
#include <utility>

namespace {

constexpr double kTinyPivot = 1.0e-20;
constexpr int kMaxSweeps = 50;

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

// The rotation of one pair of elements by the angle with sine s and tau = s/(1 + c).
void Rotate(double& x, double& y, double s, double tau)
{
    const double u = x;
    const double w = y;
    x = u - s * (w + u * tau);
    y = w + s * (u - w * tau);
}

double OffDiagonalSum(double* const* a, int n)
{
    double sm = 0.0;
    for (int p = 1; p <= n - 1; ++p)
        for (int q = p + 1; q <= n; ++q)
            sm += std::fabs(a[p][q]);
    return sm;
}

// Annihilates a[p][q] by one rotation, updating d, z, the upper triangle of a and v.
void RotatePair(double** a, int n, int p, int q, double* d, double* z, double** v)
{
    const double g = 100.0 * std::fabs(a[p][q]);
    double h = d[q] - d[p];
    double t;
    if (std::fabs(h) + g == std::fabs(h)) {
        t = a[p][q] / h;
    } else {
        const double theta = 0.5 * h / a[p][q];
        t = 1.0 / (std::fabs(theta) + std::sqrt(1.0 + theta * theta));
        if (theta < 0.0)
            t = -t;
    }
    const double c = 1.0 / std::sqrt(1 + t * t);
    const double s = t * c;
    const double tau = s / (1.0 + c);
    h = t * a[p][q];
    z[p] -= h;
    z[q] += h;
    d[p] -= h;
    d[q] += h;
    a[p][q] = 0.0;
    for (int j = 1; j <= p - 1; ++j)
        Rotate(a[j][p], a[j][q], s, tau);
    for (int j = p + 1; j <= q - 1; ++j)
        Rotate(a[p][j], a[j][q], s, tau);
    for (int j = q + 1; j <= n; ++j)
        Rotate(a[p][j], a[q][j], s, tau);
    for (int j = 1; j <= n; ++j)
        Rotate(v[j][p], v[j][q], s, tau);
}

// One sweep over the upper triangle; returns the rotations made.
int JacobiSweep(double** a, int n, int sweep, double threshold, double* d, double* z, double** v)
{
    int rotations = 0;
    for (int p = 1; p <= n - 1; ++p) {
        for (int q = p + 1; q <= n; ++q) {
            const double g = 100.0 * std::fabs(a[p][q]);
            if (sweep > 4 && std::fabs(d[p]) + g == std::fabs(d[p]) &&
                std::fabs(d[q]) + g == std::fabs(d[q])) {
                a[p][q] = 0.0;
            } else if (std::fabs(a[p][q]) > threshold) {
                RotatePair(a, n, p, q, d, z, v);
                ++rotations;
            }
        }
    }
    return rotations;
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

void JacobiEigen(double** a, int n, double* d, double** v, int* nrot)
{
    double* b = AllocVector(1, n);
    if (!b)
        return;
    double* z = AllocVector(1, n);
    if (!z) {
        FreeVector(b, 1, n);
        return;
    }
    const int saved = ErrnoEnter();
    for (int p = 1; p <= n; ++p) {
        for (int q = 1; q <= n; ++q)
            v[p][q] = 0.0;
        v[p][p] = 1.0;
        b[p] = d[p] = a[p][p];
        z[p] = 0.0;
    }
    *nrot = 0;
    const double nSquared = static_cast<double>(static_cast<std::int64_t>(n) * n);
    bool converged = false;
    for (int sweep = 1; sweep <= kMaxSweeps; ++sweep) {
        const double sm = OffDiagonalSum(a, n);
        if (sm == 0.0) {
            converged = true;
            break;
        }
        const double threshold = sweep < 4 ? 0.2 * sm / nSquared : 0.0;
        *nrot += JacobiSweep(a, n, sweep, threshold, d, z, v);
        for (int p = 1; p <= n; ++p) {
            b[p] += z[p];
            d[p] = b[p];
            z[p] = 0.0;
        }
    }
    FreeVector(z, 1, n);
    FreeVector(b, 1, n);
    if (!converged) {
        SetMathErrno(NumericIterationLimit);
        return;
    }
    ErrnoLeave(saved);
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
