#pragma once
#include "framework/core/CString.h"

// A number as expression text: 15 significant digits in the shortest of fixed and exponent form
// (as %.15g), with the engine's decimal point; +infinity and -infinity as INF and NINF.
CString FormatSignificant15(double value);

// A number node's text: FormatSignificant15, bracketed when the value is negative so that the
// sign cannot join an operator before it.
CString PrintNumberValue(double value);
