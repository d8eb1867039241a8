#pragma once
#include "analysis/OneBasedMatrix.h"

#include <vector>

// A fit holds its curve through the points whose weight would be infinite (IsHeldPoint): the
// curve's equation at each such point restricts the parameters, and chi-square, the covariance
// and the degrees of freedom come from the other points alone.

// What the held points did to the last fit.
struct HeldPointsOutcome {
    int points = 0; // points the curve was held through
    int fixed = 0;  // parameters their equations fixed: each held point removes one unless it
                    // repeats what the others already say
    // 0, or the code with which they stopped the fit: ErrNoSolutions when no curve of the model
    // passes through them all, ErrTooFewParameters when they fix every fitted parameter.
    int failure = 0;
};

// Equations sum over j of coefficient(i, j) u(j) = rhs(i) (i = 1..rows, j = 1..columns), solved
// for as many unknowns (pivots, chosen among the candidate columns) as they fix, in terms of the
// free others: u(pivot k) = Constant(k) + sum over free f of Slope(k, f) u(f). Rows and columns
// are scaled to a largest coefficient of 1 and reduced with full pivoting; a row whose largest
// remaining coefficient falls below kHeldRankLimit repeats the others.
class HeldEquations {
public:
    // candidates: 1-based columns that may be solved for; empty for all.
    HeldEquations(const OneBasedMatrix& coefficients, const std::vector<double>& rhs,
                  const std::vector<int>& candidates = {});

    int Rank() const { return int(m_pivots.size()); }
    // The column solved from each of the first Rank() equations; the columns left free.
    const std::vector<int>& Pivots() const { return m_pivots; }
    const std::vector<int>& FreeColumns() const { return m_free; }
    double Constant(int k) const;
    double Slope(int k, int column) const;
    // Each column as a combination of the free ones (columns by free count): a free column is
    // itself, a pivot its slopes.
    OneBasedMatrix Dependence() const;
    // False when a repeating row's right-hand side contradicts the others beyond rounding.
    bool Consistent() const { return m_consistent; }

private:
    OneBasedMatrix m_reduced; // scaled coefficients, right-hand side in the last column
    std::vector<double> m_columnScale;
    std::vector<int> m_pivots;
    std::vector<int> m_free;
    bool m_consistent = true;
};

// The covariance covar[1..m][1..m] of parameters index[k - 1] (k = 1..dependence rows) that
// depend on free ones as dependence says, from the free ones' covariance; zero for the others.
void SpreadHeldCovariance(const OneBasedMatrix& dependence, const OneBasedMatrix& freeCovariance,
                          const std::vector<int>& index, int m, double** covar);

// Below this part of a row's largest coefficient, what elimination leaves of the row is taken
// for rounding: the held point says nothing the others do not.
constexpr double kHeldRankLimit = 1e-10;
