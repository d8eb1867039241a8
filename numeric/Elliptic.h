#pragma once
// Elliptic integrals in Carlson's symmetric forms (duplication algorithm, relative error about
// 1e-7), Legendre's incomplete integrals through them, and the Jacobi elliptic functions.
//
// Argument meanings: the Legendre forms take the angle phi in radians (not reduced) and the
// modulus k (not the parameter m = k^2); LegendreEllipticPi takes the characteristic n before k
// and adds it: Pi(phi, n, k) = integral of 1/((1 + n sin^2 t) sqrt(1 - k^2 sin^2 t)) from 0 to
// phi. JacobiEllipticSnCnDn takes the complementary parameter mc = 1 - k^2.
// Rejected arguments (NaN included) store NumericBadArgument (103) in errno.

// RF(x, y, z); x, y, z >= 0 with at most one of them 0, none above 3e37; else 103 and 0.
double CarlsonRF(double x, double y, double z);

// RD(x, y, z); x, y >= 0 not both 0, z > 0, none above 4.5e21; else 103 and 0.
double CarlsonRD(double x, double y, double z);

// RJ(x, y, z, p); x, y, z >= 0 (at most one 0), p != 0, within [2.5e-13, 9e11]; p < 0 gives
// the Cauchy principal value; else 103 and 0.
double CarlsonRJ(double x, double y, double z, double p);

// RC(x, y); x >= 0, y != 0; y < 0 gives the Cauchy principal value; else 103 and 0.
double CarlsonRC(double x, double y);

// F(phi, k) for |k sin phi| <= 1; 103 when an inner Carlson call rejects its arguments.
double LegendreEllipticF(double phi, double k);

// E(phi, k) for |k sin phi| <= 1; 103 as for LegendreEllipticF.
double LegendreEllipticE(double phi, double k);

// Pi(phi, n, k) with + n (see above); 103 as for LegendreEllipticF, and when 1 + n sin^2 phi = 0.
double LegendreEllipticPi(double phi, double n, double k);

// Writes sn(u), cn(u), dn(u) for the complementary parameter mc = 1 - k^2 (mc < 0 means
// k^2 > 1). A NaN or infinite u or mc stores 103 and leaves the outputs unwritten.
void JacobiEllipticSnCnDn(double u, double mc, double* sn, double* cn, double* dn);
