#pragma once
// Gamma-function family: log-gamma and log-factorial, the regularised incomplete gamma functions
// and the error functions built on them, Chebyshev evaluation and the gamma combinations and
// modified Bessel I1 that the Bessel routines use. Failures store a NumericErrorCode in errno;
// every other errno value is left as the caller set it.

// ln Γ(x) for x > 0 (not checked), to about 1e-10 relative.
double LogGamma(double x);

// ln n!; n < 0 gives 0 with errno 103. Values up to 100 are cached for the whole run.
double LogFactorial(int n);

// Regularised lower incomplete gamma P(a, x); x < 0, a <= 0 or NaN give 0 with errno 103; no
// convergence gives 0 with errno 100.
double IncompleteGammaP(double a, double x);

// Q(a, x) = 1 - P(a, x); errors as IncompleteGammaP.
double IncompleteGammaQ(double a, double x);

// gamser = P(a, x) by its series (for x < a + 1), gln = ln Γ(a); x < 0 or NaN sets 103 and 100
// terms without convergence set 100, both leaving gamser unwritten.
void IncompleteGammaSeries(double* gamser, double a, double x, double* gln);

// gammcf = Q(a, x) by its continued fraction (for x >= a + 1), gln = ln Γ(a); NaN sets 103 and
// 100 steps without convergence set 100, both leaving gammcf unwritten.
void IncompleteGammaContinuedFraction(double* gammcf, double a, double x, double* gln);

// erf x and erfc x through P(1/2, x²) and Q(1/2, x²); NaN gives 0 with errno 103.
double ErrorFunction(double x);
double ComplementaryErrorFunction(double x);

// Σ c[k]·T_k(y) − c[0]/2 with y mapping [a, b] onto [−1, 1], over c[0..m−1]; x outside [a, b]
// or NaN gives 0 with errno 103.
double ChebyshevEvaluate(double a, double b, const double* c, int m, double x);

// For |x| <= 1/2: gam1 = (1/Γ(1−x) − 1/Γ(1+x))/(2x), gam2 = (1/Γ(1−x) + 1/Γ(1+x))/2,
// gampl = 1/Γ(1+x), gammi = 1/Γ(1−x); used by the fractional-order Bessel functions.
void GammaChebyshev(double x, double* gam1, double* gam2, double* gampl, double* gammi);

// Modified Bessel function I1(x) by polynomial approximation, to about 2e-7 relative; a NaN or
// infinite x gives 0 with errno 103.
double BesselI1(double x);
