#pragma once
// Beta-function family: binomial coefficient, beta function, regularised incomplete beta and
// Dawson's integral. Failures store errno 103; other errno values are left as the caller set them.

// n over k as a whole number: exact whenever the result is below 2^53, otherwise to about ten
// digits; k < 0 or k > n give 0 with errno 103.
double BinomialCoefficient(int n, int k);

// B(z, w) for z, w > 0 (not checked), to about 1e-10 relative.
double BetaFunction(double z, double w);

// I_x(a, b) for a, b > 0 (not checked) and 0 <= x <= 1; x outside [0, 1] or any NaN give 0 with
// errno 103; a continued fraction without convergence gives 0 or 1 with errno 103.
double IncompleteBeta(double a, double b, double x);

// The continued fraction of the incomplete beta function (modified Lentz, 100 steps, 3e-7);
// no convergence or a NaN argument gives 0 with errno 103.
double IncompleteBetaContinuedFraction(double a, double b, double x);

// Dawson's integral F(x) = exp(−x²)·∫₀ˣ exp(t²) dt, to about 2e-7 relative; NaN gives 0 with
// errno 103.
double DawsonIntegral(double x);
