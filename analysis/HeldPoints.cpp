#include "analysis/HeldPoints.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Largest magnitude of row i over the given columns.
double RowSize(const OneBasedMatrix& a, int i, const std::vector<int>& columns)
{
    double size = 0.0;
    for (const int j : columns)
        size = std::max(size, std::fabs(a[i][j]));
    return size;
}

// Subtracts multiples of row `pivot` (whose pivot column holds 1) from every other row.
void EliminateColumn(OneBasedMatrix& a, int pivot, int column)
{
    for (int i = 1; i <= a.RowCount(); ++i) {
        const double factor = a[i][column];
        if (i == pivot || factor == 0.0)
            continue;
        for (int j = 1; j <= a.ColumnCount(); ++j)
            a[i][j] -= factor * a[pivot][j];
        a[i][column] = 0.0;
    }
}

} // namespace

HeldEquations::HeldEquations(const OneBasedMatrix& coefficients, const std::vector<double>& rhs,
                             const std::vector<int>& candidates)
{
    const int rows = coefficients.RowCount();
    const int columns = coefficients.ColumnCount();
    std::vector<int> open = candidates;
    if (open.empty())
        for (int j = 1; j <= columns; ++j)
            open.push_back(j);

    // Each column in units of its largest coefficient, each row likewise, so that the rank
    // does not depend on the units of x or of the parameters.
    m_columnScale.assign(std::size_t(columns) + 1, 1.0);
    m_reduced.Resize(rows, columns + 1);
    for (int j = 1; j <= columns; ++j) {
        double size = 0.0;
        for (int i = 1; i <= rows; ++i)
            size = std::max(size, std::fabs(coefficients[i][j]));
        if (size > 0.0 && std::isfinite(size))
            m_columnScale[std::size_t(j)] = size;
    }
    double rhsSize = 0.0;
    for (int i = 1; i <= rows; ++i) {
        for (int j = 1; j <= columns; ++j)
            m_reduced[i][j] = coefficients[i][j] / m_columnScale[std::size_t(j)];
        m_reduced[i][columns + 1] = rhs[std::size_t(i)];
        const double size = RowSize(m_reduced, i, open);
        if (size > 0.0)
            for (int j = 1; j <= columns + 1; ++j)
                m_reduced[i][j] /= size;
        rhsSize = std::max(rhsSize, std::fabs(m_reduced[i][columns + 1]));
    }

    for (int row = 1; row <= rows && !open.empty(); ++row) {
        int bestRow = 0;
        std::size_t bestColumn = 0;
        double best = kHeldRankLimit;
        for (int i = row; i <= rows; ++i)
            for (std::size_t c = 0; c < open.size(); ++c)
                if (std::fabs(m_reduced[i][open[c]]) > best) {
                    best = std::fabs(m_reduced[i][open[c]]);
                    bestRow = i;
                    bestColumn = c;
                }
        if (bestRow == 0)
            break;
        const int column = open[bestColumn];
        open.erase(open.begin() + std::ptrdiff_t(bestColumn));
        for (int j = 1; j <= columns + 1; ++j)
            std::swap(m_reduced[row][j], m_reduced[bestRow][j]);
        const double pivot = m_reduced[row][column];
        for (int j = 1; j <= columns + 1; ++j)
            m_reduced[row][j] /= pivot;
        m_reduced[row][column] = 1.0;
        EliminateColumn(m_reduced, row, column);
        m_pivots.push_back(column);
    }
    for (int j = 1; j <= columns; ++j)
        if (std::find(m_pivots.begin(), m_pivots.end(), j) == m_pivots.end())
            m_free.push_back(j);
    // What the repeating rows leave of their right-hand sides is rounding, or a contradiction.
    for (int i = Rank() + 1; i <= rows; ++i)
        if (!(std::fabs(m_reduced[i][columns + 1]) <= kHeldRankLimit * rhsSize))
            m_consistent = false;
}

double HeldEquations::Constant(int k) const
{
    const int column = m_pivots[std::size_t(k - 1)];
    return m_reduced[k][m_reduced.ColumnCount()] / m_columnScale[std::size_t(column)];
}

double HeldEquations::Slope(int k, int column) const
{
    const int pivot = m_pivots[std::size_t(k - 1)];
    return -m_reduced[k][column] * m_columnScale[std::size_t(column)] /
           m_columnScale[std::size_t(pivot)];
}

OneBasedMatrix HeldEquations::Dependence() const
{
    OneBasedMatrix dependence(m_reduced.ColumnCount() - 1, int(m_free.size()));
    for (int f = 1; f <= int(m_free.size()); ++f) {
        const int column = m_free[std::size_t(f - 1)];
        dependence[column][f] = 1.0;
        for (int k = 1; k <= Rank(); ++k)
            dependence[m_pivots[std::size_t(k - 1)]][f] = Slope(k, column);
    }
    return dependence;
}

void SpreadHeldCovariance(const OneBasedMatrix& dependence, const OneBasedMatrix& freeCovariance,
                          const std::vector<int>& index, int m, double** covar)
{
    for (int i = 1; i <= m; ++i)
        for (int j = 1; j <= m; ++j)
            covar[i][j] = 0.0;
    const int nfree = dependence.ColumnCount();
    for (int r = 1; r <= dependence.RowCount(); ++r)
        for (int s = 1; s <= dependence.RowCount(); ++s) {
            double sum = 0.0;
            for (int f = 1; f <= nfree; ++f)
                for (int g = 1; g <= nfree; ++g)
                    sum += dependence[r][f] * freeCovariance[f][g] * dependence[s][g];
            covar[index[std::size_t(r - 1)]][index[std::size_t(s - 1)]] = sum;
        }
}
