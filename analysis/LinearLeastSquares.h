#pragma once
#include "analysis/FitSample.h"
#include "analysis/HeldPoints.h"

#include <functional>
#include <vector>

// One term of a linear model: the function of x that a parameter multiplies.
using BasisFunction = std::function<double(double)>;

// Weighted linear least squares of y = sum over j of a(j) basis(j)(x), each point weighted by
// 1/s^2. Parameters whose fitted flag (fitted[1..m]) is 0 keep their value in a[1..m]; the others
// receive the solution, and covar[1..m][1..m] its covariance (zero in the rows and columns of
// held parameters). The curve passes through the sample's held points, and the others are
// fitted by their weights; held tells what they did. Results: 0; 15 nothing to fit; 52 fewer
// points than fitted parameters (not counting held points and the parameters they fix); 13 a
// point that is not finite or a basis value that is NaN; 17 an infinite basis value or normal
// matrix; 34 bases that the points cannot tell apart; the held points' failure.
int LinearLeastSquares(const FitSample& data, double* a, const int* fitted, int m, double** covar,
                       const std::vector<BasisFunction>& basis, HeldPointsOutcome* held = nullptr);
