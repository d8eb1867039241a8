#pragma once
// Airy functions from the Bessel functions of orders 1/3 and 2/3. Eight-digit constants bound
// the agreement with the exact functions at about 1e-8 relative.

// Writes Ai(x), Bi(x), Ai'(x), Bi'(x). Sets no code of its own: a NaN x, or x below about -604
// (the Bessel continued fraction is exhausted), leaves 103 from the Bessel routine and NaN
// outputs. For large positive x, Ai underflows to 0 and Bi overflows to infinity without an error.
void AiryFunctions(double x, double* ai, double* bi, double* aip, double* bip);
