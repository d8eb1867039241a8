#pragma once
// The program's own floor, ceil and ldexp, worked on the binary64 layout so that every build
// rounds alike. They carry the names NumericFloor, NumericCeil and NumericLdexp: floor, ceil and
// ldexp themselves are the C runtime's reserved symbols, which other libraries keep using.

// Largest whole number <= x; |x| < 1 gives -1 or 0 (-0 gives +0); infinities and NaN pass.
double NumericFloor(double x);

// Smallest whole number >= x, as NumericFloor(x) raised by one when below x.
double NumericCeil(double x);

// x * 2^n by exponent arithmetic; overflow gives infinity with the sign of x, a result below
// the smallest denormal gives +0, and infinities and NaN pass unchanged.
double NumericLdexp(double x, int n);
