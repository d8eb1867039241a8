#pragma once
#include "framework/core/CString.h"

// Display modes of CNumberFormat.
enum NumberFormatMode : int {
    FormatModeGeneral = 0,     // 15 significant digits
    FormatModeNumber = 1,      // fixed decimals
    FormatModeStandard = 2,    // fixed decimals, exponent form beyond 1e15
    FormatModeScientific = 3,  // m.mmE+e
    FormatModeEngineering = 4, // exponent a multiple of 3
    FormatModeCurrency = 5,    // two decimals with thousands separators
};

// Turns a double into display text in one of six modes, with the program's separators. The
// text is the same on every runtime (the engine formats numbers itself).
class CNumberFormat {
public:
    CNumberFormat() = default;
    virtual ~CNumberFormat() = default;

    // The display text of x; infinities and NaN give "INF", "-INF" and "NAN".
    CString Format(double x);
    // "(x = <x>" list separator " y = <y>)".
    CString FormatPoint(double x, double y);
    // Sets the decimals and the rounding unit 10^-decimals with them.
    void SetDecimals(int decimals);

    CString m_strFormat = "%g"; // printf-style format of modes 0, 1, 2 and 5
    int m_nMode = FormatModeNumber;
    int m_nDecimals = 2;
    double m_dRoundingUnit = 0.01;
};

// The formatter's separators follow the engine's (one setting); kept for the start-up order.
void InitNumberFormatSeparators();

// log10|x| split into a mantissa and a decimal exponent: x = m * 10^e with 1 <= |m| < 10.
// Unlike a bare logarithm it is exact at powers of ten; 0 gives m = 0, e = 0, and a
// non-finite x gives m = x, e = 0.
double SplitMantissaExponent(double x, int& e);
