#pragma once
#include "framework/core/CString.h"

// An expression text written under the stored decimal convention (flag 1 dot, 0 comma) in the
// current one: parsed under the stored separators and printed under the current ones. A text
// that does not parse under the stored convention comes back unchanged, never half-converted.
CString ReencodeExpression(const CString& text, int storedFlag);
