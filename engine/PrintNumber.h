#pragma once
#include "framework/core/CString.h"

// A number as expression text with 15 significant digits in the shortest of fixed and exponent
// form (as %.15g), with the engine's decimal point; +infinity and -infinity as INF and NINF.
CString FormatSignificant15(double value);

// A number as expression text: the shortest text that reads back as the same double, laid out
// as %.15g lays out its digits, with the engine's decimal point; +infinity and -infinity as INF
// and NINF.
CString FormatRoundTrip(double value);

// A number node's text: FormatRoundTrip, bracketed when the value is negative so that the sign
// cannot join an operator before it.
CString PrintNumberValue(double value);
