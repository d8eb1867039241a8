#pragma once
// Where a line of text breaks to fit a width, as printed text wraps: each piece takes as many
// characters as fit and ends after the last blank or operator among them (not after a sign: an
// exponent's, or a + or - that follows a blank, an operator or "("), else at the last character
// that fits; a piece always takes at least one character, so the breaking ends
// whatever the width.
#include "framework/core/CString.h"

#include <functional>
#include <vector>

// Characters after which printed text may break: blanks and the operators of expressions.
extern const char kLineBreakAfter[];

// The first character of each piece of the line (0 first; a line that fits is one piece).
// fits(start) is how many characters from start fit the width; breakAfter lists the characters
// after which a piece may end.
std::vector<int> BreakLine(const CString& line, const std::function<int(int)>& fits,
                           const char* breakAfter = kLineBreakAfter);
