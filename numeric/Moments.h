#pragma once
// Descriptive moments of a sample and polynomial interpolation through tabulated points.

// ave, adev, sdev, var, skew and curt (excess kurtosis) of data[1..n] by two passes; n < 2
// sets 103 and writes nothing; equal values give zero spread, skew and curt without an error.
void ComputeMoments(const double* data, int n, double* ave, double* adev, double* sdev, double* var,
                    double* skew, double* curt);

// y = value at x of the polynomial of degree n − 1 through (xa[i], ya[i]), i = 1..n (Neville),
// dy = the last correction added (not written for n = 1). Two equal abscissae set 108 with y
// holding the partial value; n < 1 sets 103 and a missing work vector 105.
void PolynomialInterpolate(const double* xa, const double* ya, int n, double x, double* y,
                           double* dy);
