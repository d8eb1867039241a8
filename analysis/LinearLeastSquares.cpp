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

// The term sum over j of weight(j) basis(j)(x); a basis value that is not finite, with a weight,
// is the term's value, so that it is reported as such.
BasisFunction CombinedTerm(const std::vector<BasisFunction>& basis, std::vector<double> weights)
{
    return [&basis, weights](double x) {
        double sum = 0.0;
        for (std::size_t j = 1; j < weights.size(); ++j) {
            if (weights[j] == 0.0)
                continue;
            const double v = basis[j - 1](x);
            if (!std::isfinite(v))
                return v;
            sum += weights[j] * v;
        }
        return sum;
    };
}

// The equations of the held points over the fitted parameters index[0..]: the basis values at
// each, and y less what the parameters that are not fitted give there.
int HeldPointEquations(const FitSample& data, const double* a, const std::vector<int>& fitted,
                       const std::vector<int>& index, const std::vector<BasisFunction>& basis,
                       OneBasedMatrix& equation, std::vector<double>& rhs)
{
    const int h = int(data.held.size());
    const std::size_t m = fitted.size() - 1;
    equation.Resize(h, int(index.size()));
    rhs.assign(std::size_t(h) + 1, 0.0);
    std::vector<double> f(m + 1, 0.0);
    for (int i = 1; i <= h; ++i) {
        const std::size_t p = std::size_t(data.held[std::size_t(i - 1)]);
        if (const int code = EvaluateBasis(basis, data.x[p], f))
            return code;
        rhs[std::size_t(i)] = data.y[p];
        for (std::size_t j = 1; j <= m; ++j)
            if (!fitted[j])
                rhs[std::size_t(i)] -= a[j] * f[j];
        for (std::size_t k = 1; k <= index.size(); ++k)
            equation[i][int(k)] = f[std::size_t(index[k - 1])];
    }
    return 0;
}

// The curve through the held points: their equations give some fitted parameters as a constant
// plus a combination of the free ones, and the other points fit the free ones by a model whose
// terms carry what each adds through those parameters.
int HeldLeastSquares(const FitSample& data, double* a, const std::vector<int>& index, int m,
                     double** covar, const std::vector<BasisFunction>& basis,
                     HeldPointsOutcome& outcome)
{
    std::vector<int> fitted(std::size_t(m) + 1, 0);
    for (const int j : index)
        fitted[std::size_t(j)] = 1;
    OneBasedMatrix equation;
    std::vector<double> rhs;
    if (const int code = HeldPointEquations(data, a, fitted, index, basis, equation, rhs))
        return code;
    const HeldEquations held(equation, rhs);
    outcome.points = int(data.held.size());
    outcome.fixed = held.Rank();
    if (!held.Consistent())
        return outcome.failure = ErrNoSolutions;
    if (held.Rank() == int(index.size()))
        return outcome.failure = ErrTooFewParameters;

    // The model left: one term kept at 1, of what the parameters that are not fitted and the
    // solved parameters' constants add, then a term per free parameter.
    const OneBasedMatrix dependence = held.Dependence();
    const int nfree = dependence.ColumnCount();
    std::vector<double> kept(std::size_t(m) + 1, 0.0);
    for (int j = 1; j <= m; ++j)
        kept[std::size_t(j)] = fitted[std::size_t(j)] ? 0.0 : a[j];
    for (int k = 1; k <= held.Rank(); ++k)
        kept[std::size_t(index[std::size_t(held.Pivots()[std::size_t(k - 1)] - 1)])] =
            held.Constant(k);
    std::vector<BasisFunction> terms{CombinedTerm(basis, kept)};
    std::vector<double> values(std::size_t(nfree) + 2, 0.0);
    std::vector<int> termFitted(std::size_t(nfree) + 2, 1);
    values[1] = 1.0;
    termFitted[1] = 0;
    for (int f = 1; f <= nfree; ++f) {
        std::vector<double> weights(std::size_t(m) + 1, 0.0);
        for (std::size_t k = 1; k <= index.size(); ++k)
            weights[std::size_t(index[k - 1])] = dependence[int(k)][f];
        terms.push_back(CombinedTerm(basis, std::move(weights)));
    }
    OneBasedMatrix termCovariance(nfree + 1, nfree + 1);
    if (const int code = LinearLeastSquares(PointsNotHeld(data), values.data(), termFitted.data(),
                                            nfree + 1, termCovariance.Rows(), terms))
        return code;

    OneBasedMatrix freeCovariance(nfree, nfree);
    for (int f = 1; f <= nfree; ++f)
        for (int g = 1; g <= nfree; ++g)
            freeCovariance[f][g] = termCovariance[f + 1][g + 1];
    for (std::size_t k = 1; k <= index.size(); ++k) {
        double value = kept[std::size_t(index[k - 1])];
        for (int f = 1; f <= nfree; ++f)
            value += dependence[int(k)][f] * values[std::size_t(f) + 1];
        a[index[k - 1]] = value;
    }
    SpreadHeldCovariance(dependence, freeCovariance, index, m, covar);
    return 0;
}

} // namespace

int LinearLeastSquares(const FitSample& data, double* a, const int* fitted, int m, double** covar,
                       const std::vector<BasisFunction>& basis, HeldPointsOutcome* held)
{
    if (held)
        *held = HeldPointsOutcome{};
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
    if (!data.held.empty()) {
        HeldPointsOutcome outcome;
        const int code = HeldLeastSquares(data, a, index, m, covar, basis, outcome);
        if (held)
            *held = outcome;
        return code;
    }

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
