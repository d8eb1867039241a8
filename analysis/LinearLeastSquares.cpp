#include "analysis/LinearLeastSquares.h"

#include "analysis/GaussJordan.h"
#include "analysis/OneBasedMatrix.h"
#include "engine/EngineErrors.h"
#include "numeric/LinearAlgebra.h"

#include <cmath>

namespace {

// The basis values at x into values[1..m]: 0, 13 for NaN, 17 for an infinite value.
int EvaluateBasis(const std::vector<BasisFunction>& basis, double x, std::vector<double>& values)
{
    for (std::size_t j = 1; j < values.size(); ++j) {
        const double v = basis[j - 1](x);
        if (!std::isfinite(v))
            return std::isnan(v) ? ErrBadArgument : ErrResultTooLarge;
        values[j] = v;
    }
    return 0;
}

} // namespace

int LinearLeastSquares(const FitSample& data, double* a, const int* fitted, int m, double** covar,
                       const std::vector<BasisFunction>& basis)
{
    std::vector<int> index; // fitted parameter numbers in order
    for (int j = 1; j <= m; ++j)
        if (fitted[j])
            index.push_back(j);
    const int mfit = int(index.size());
    if (mfit == 0 || int(basis.size()) < m)
        return ErrInvalidData;
    const int n = data.Count();
    if (n < mfit)
        return ErrTooFewDataPoints;
    if (const int code = CheckSampleFinite(data))
        return code;

    for (int j = 1; j <= mfit; ++j)
        for (int k = 1; k <= mfit; ++k)
            covar[j][k] = 0.0;
    OneBasedMatrix rhs(mfit, 1);
    std::vector<double> f(std::size_t(m) + 1, 0.0);
    for (int i = 1; i <= n; ++i) {
        if (const int code = EvaluateBasis(basis, data.x[std::size_t(i)], f))
            return code;
        double ym = data.y[std::size_t(i)];
        for (int j = 1; j <= m; ++j)
            if (!fitted[j])
                ym -= a[j] * f[std::size_t(j)];
        const double si = data.s[std::size_t(i)];
        const double w = 1.0 / (si * si);
        for (int j = 1; j <= mfit; ++j) {
            const double wt = f[std::size_t(index[std::size_t(j - 1)])] * w;
            double* row = covar[j];
            for (int k = 1; k <= j; ++k)
                row[k] += wt * f[std::size_t(index[std::size_t(k - 1)])];
            rhs[j][1] += ym * wt;
        }
    }
    for (int j = 2; j <= mfit; ++j)
        for (int k = 1; k < j; ++k)
            covar[k][j] = covar[j][k];

    if (const int code = SolveNormalEquations(covar, mfit, rhs.Rows(), 1))
        return code;
    for (int j = 1; j <= mfit; ++j)
        a[index[std::size_t(j - 1)]] = rhs[j][1];
    ExpandCovariance(covar, m, fitted, mfit);
    return 0;
}
