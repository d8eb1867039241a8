#pragma once
#include "framework/core/CString.h"

#include <string_view>

// The engine's own number scanning and printing: no C locale, no runtime-specific printf, so
// every build reads and writes the same text. The decimal point is passed in.
namespace numtext {

// Decimal literal: digits [point digits] or point digits, optional exponent e/E/d/D with
// optional sign; optional leading sign. The whole text must match and the value be finite.
bool ScanDecimal(std::string_view text, char decimalPoint, double& value);
// Integer in base 2..36 with optional sign; the whole text must match and fit 32 bits.
bool ScanInteger(std::string_view text, int base, int& value);

// printf "%.<decimals>f".
CString Fixed(double x, int decimals, char decimalPoint);
// printf "%.<decimals>e" (or E), exponent with at least three digits.
CString Exponent(double x, int decimals, char decimalPoint, bool upper = false);
// printf "%.<precision>g" (or G), exponent with at least three digits.
CString General(double x, int precision, char decimalPoint, bool upper = false);
// The shortest decimal text that reads back as exactly x, laid out as "%.15g" lays out its
// digits: exponent form below 1e-4 and from 1e15, exponent with at least three digits.
CString Shortest(double x, char decimalPoint);
// One printf conversion for a double (%f, %e, %E, %g, %G with optional precision) with the
// literal text around it; an unusable format is read as "%g".
CString Printf(const char* format, double x, char decimalPoint);
// A printed negative value that rounds to zero at its precision ("-0.00000", "-0", "-0.0e+000")
// loses its sign.
void DropSignOfZero(CString& text);
// printf "%d", or "%+d" when plus.
CString Integer(long long v, bool plus = false);
// Digits of v in base 2..36, lower-case: a minus sign in base 10, the unsigned 32-bit
// pattern in other bases.
CString IntegerInBase(int v, int base);
// The significant digits of |x| rounded to count digits, and the decimal exponent of the
// first one (x finite, non-zero).
void Digits(double x, int count, CString& digits, int& exponent);

} // namespace numtext
