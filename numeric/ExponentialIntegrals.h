#pragma once
// Exponential integrals E_n and Ei, the Fresnel integrals and the cosine and sine integrals, each
// to the single-precision accuracy of its series and continued fractions (about 1e-7).
// Failures store a NumericErrorCode in errno; other errno values are left as the caller set them.

// E_n(x) for n >= 0, x >= 0 (+infinity gives 0); n < 0, x < 0, NaN, x = 0 with n <= 1, or no
// convergence give 0 with errno 103.
double ExponentialIntegralEn(int n, double x);

// Ei(x) for x > 0 (+infinity gives +infinity); x <= 0 or NaN give 0 with errno 103, a series
// without convergence 0 with 100.
double ExponentialIntegralEi(double x);

// s = S(x), c = C(x), the Fresnel integrals of sin and cos(πt²/2); NaN sets 103 and no
// convergence sets 100, both leaving s and c unwritten. Infinite x gives the limits ±1/2.
void FresnelIntegrals(double x, double* s, double* c);

// ci = Ci(x), si = Si(x); x = 0 gives ci = -1e30, si = 0; infinite x gives ci = 0 and
// si = ±π/2; errors as FresnelIntegrals.
void CosineSineIntegrals(double x, double* ci, double* si);
