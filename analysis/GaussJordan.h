#pragma once
// Gauss-Jordan elimination for the least-squares fits, on 1-based matrices. Results are engine
// error codes: 0 success, 17 "Result too large", 34 "Singular matrix encountered".

// Full-pivoting elimination of a[1..n][1..n] with the right-hand sides b[1..n][1..m]: on success a
// holds its inverse and b the solutions. A pivot whose magnitude is not above minPivot (or no
// pivot at all, as with NaN elements) gives 34 and leaves a and b part-reduced; n < 1 gives 0.
int GaussJordan(double** a, int n, double** b, int m, double minPivot = 0.0);

// Smallest pivot of the unit-diagonal normal matrix that still counts as independent: below it
// the columns agree to about 14 digits and the solution would be rounding noise.
constexpr double kScaledPivotLimit = 1e-14;

// Solves the symmetric positive system a x = b of normal equations scaled to unit diagonal, so
// the pivot test does not depend on the units of the parameters; on success a holds the inverse
// (the covariance of a fit) and b the solutions. A non-finite element gives 17; a diagonal
// element that is not positive, or a scaled pivot below kScaledPivotLimit, gives 34.
int SolveNormalEquations(double** a, int n, double** b, int m);
