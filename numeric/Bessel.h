#pragma once
// Bessel functions: orders 0 and 1 by published polynomial and rational approximations (J and Y
// within about 5e-8 of their envelope, I and K about 5e-7 relative), integer orders n >= 2 by
// recurrence from them (Miller's downward recurrence keeps about 5e-7 where x is near n), real
// orders nu >= 0 with first derivatives by continued fractions and Temme's series (about 1e-8),
// and spherical Bessel functions. Every failure stores NumericBadArgument (103) in errno: a NaN or
// infinite argument, an argument outside the domain, or an exhausted iteration.

// J0(x), J1(x) for finite x.
double BesselJ0(double x);
double BesselJ1(double x);

// Y0(x), Y1(x) for finite x > 0; x <= 0 gives 103 and 0.
double BesselY0(double x);
double BesselY1(double x);

// I0(x) for finite x (I1 is BesselI1 of the gamma family).
double BesselI0(double x);

// K0(x), K1(x) for finite x > 0; x <= 0 gives 103 and 0.
double BesselK0(double x);
double BesselK1(double x);

// Jn(x), In(x) for n >= 2 and finite x; n < 2 gives 103 and 0.
double BesselJn(int n, double x);
double BesselIn(int n, double x);

// Yn(x), Kn(x) for n >= 2 and finite x > 0; otherwise 103 and 0.
double BesselYn(int n, double x);
double BesselKn(int n, double x);

// Writes J_nu(x), Y_nu(x), J'_nu(x), Y'_nu(x) for x > 0 and 0 <= nu < 2^31. Bad arguments and
// exhausted iterations (x above about 9,900) store 103 and leave the outputs unwritten. Far above
// x, J and J' underflow to 0 and Y, Y' overflow to -/+ infinity without an error.
void BesselJY(double x, double nu, double* rj, double* ry, double* rjp, double* ryp);

// Writes I_nu(x), K_nu(x), I'_nu(x), K'_nu(x) for x > 0 and 0 <= nu < 2^31; failures as BesselJY.
// Underflow and overflow (K = 0 and I infinite for large x, the reverse for large nu) are no error.
void BesselIK(double x, double nu, double* ri, double* rk, double* rip, double* rkp);

// Writes jn(x), yn(x), j'n(x), y'n(x) for n >= 0 and x > 0; 103 otherwise (outputs unwritten), or
// 103 left by BesselJY (outputs meaningless).
void SphericalBessel(int n, double x, double* sj, double* sy, double* sjp, double* syp);
