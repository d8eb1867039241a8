#pragma once
// Round numbers for tick steps and ranges, from the decimal split x = m * 10^e, 1 <= |m| < 10
// (SplitMantissaExponent of the engine). Zero gives 0 for the roundings and 1 for the step;
// infinities and NaN come back unchanged.

// 1, 2 or 5 times the decade of x (by m below 1.5, below 3.5, else), with the sign of x.
double NiceStep(double x);
// x rounded to a tenth of its decade toward minus infinity: 12.3 -> 12, -12.3 -> -13.
double RoundDownTenth(double x);
// x rounded to a tenth of its decade toward plus infinity: 12.3 -> 13, -12.3 -> -12.
double RoundUpTenth(double x);
// The leading digit of x in its decade, with the sign of x: 345 -> 300, -0.07 -> -0.07.
double LeadingDigitValue(double x);
