#include "analysis/GaussJordan.h"

#include "engine/EngineErrors.h"

#include <cmath>
#include <utility>
#include <vector>

namespace {

void SwapRows(double** a, int r1, int r2, int columns)
{
    for (int l = 1; l <= columns; ++l)
        std::swap(a[r1][l], a[r2][l]);
}

// Subtracts multiples of the pivot row from every other row, clearing the pivot column.
void EliminateColumn(double** a, int n, double** b, int m, int pivot)
{
    for (int row = 1; row <= n; ++row) {
        if (row == pivot)
            continue;
        const double factor = a[row][pivot];
        a[row][pivot] = 0.0;
        for (int l = 1; l <= n; ++l)
            a[row][l] -= a[pivot][l] * factor;
        for (int l = 1; l <= m; ++l)
            b[row][l] -= b[pivot][l] * factor;
    }
}

// a[i][j] *= scale(i) scale(j), b[i][j] *= scale(i); false when a result is not finite. Each
// product is formed from the element outwards, so scales of very unequal size cannot overflow.
bool ApplyScale(double** a, int n, double** b, int m, const std::vector<double>& scale)
{
    bool finite = true;
    for (int i = 1; i <= n; ++i) {
        const double si = scale[std::size_t(i)];
        for (int j = 1; j <= n; ++j) {
            a[i][j] = a[i][j] * si * scale[std::size_t(j)];
            finite = finite && std::isfinite(a[i][j]);
        }
        for (int j = 1; j <= m; ++j) {
            b[i][j] *= si;
            finite = finite && std::isfinite(b[i][j]);
        }
    }
    return finite;
}

} // namespace

int GaussJordan(double** a, int n, double** b, int m, double minPivot)
{
    if (n < 1)
        return 0;
    std::vector<int> pivotColumn(std::size_t(n) + 1, 0);
    std::vector<int> pivotRow(std::size_t(n) + 1, 0);
    std::vector<int> used(std::size_t(n) + 1, 0);
    for (int pass = 1; pass <= n; ++pass) {
        double big = 0.0;
        int irow = 0;
        int icol = 0;
        for (int j = 1; j <= n; ++j) {
            if (used[std::size_t(j)] == 1)
                continue;
            for (int k = 1; k <= n; ++k) {
                if (used[std::size_t(k)] == 0) {
                    if (std::fabs(a[j][k]) >= big) {
                        big = std::fabs(a[j][k]);
                        irow = j;
                        icol = k;
                    }
                } else if (used[std::size_t(k)] > 1) {
                    return ErrSingularMatrix;
                }
            }
        }
        // NaN elements never compare, so no candidate may have been found.
        if (irow == 0)
            return ErrSingularMatrix;
        ++used[std::size_t(icol)];
        if (irow != icol) {
            SwapRows(a, irow, icol, n);
            SwapRows(b, irow, icol, m);
        }
        pivotRow[std::size_t(pass)] = irow;
        pivotColumn[std::size_t(pass)] = icol;
        const double pivot = a[icol][icol];
        if (!(std::fabs(pivot) > minPivot))
            return ErrSingularMatrix;
        const double inverse = 1.0 / pivot;
        a[icol][icol] = 1.0;
        for (int l = 1; l <= n; ++l)
            a[icol][l] *= inverse;
        for (int l = 1; l <= m; ++l)
            b[icol][l] *= inverse;
        EliminateColumn(a, n, b, m, icol);
    }
    for (int l = n; l >= 1; --l) {
        const int r = pivotRow[std::size_t(l)];
        const int c = pivotColumn[std::size_t(l)];
        if (r != c)
            for (int k = 1; k <= n; ++k)
                std::swap(a[k][r], a[k][c]);
    }
    return 0;
}

int SolveNormalEquations(double** a, int n, double** b, int m)
{
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j)
            if (!std::isfinite(a[i][j]))
                return ErrResultTooLarge;
        for (int j = 1; j <= m; ++j)
            if (!std::isfinite(b[i][j]))
                return ErrResultTooLarge;
    }
    std::vector<double> scale(std::size_t(n) + 1, 0.0);
    for (int i = 1; i <= n; ++i) {
        if (!(a[i][i] > 0.0))
            return ErrSingularMatrix;
        scale[std::size_t(i)] = 1.0 / std::sqrt(a[i][i]);
    }
    ApplyScale(a, n, b, m, scale);
    const int code = GaussJordan(a, n, b, m, kScaledPivotLimit);
    if (code != 0)
        return code;
    // The inverse of the scaled matrix carries the same scale on both sides.
    return ApplyScale(a, n, b, m, scale) ? 0 : ErrResultTooLarge;
}
