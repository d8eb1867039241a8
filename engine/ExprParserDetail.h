#pragma once
// Character classes and separators shared by the parser's source files.
#include "engine/LocaleSeparators.h"

#include <string_view>

namespace parser {

inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }
inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }
inline bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
inline bool IsNameStart(char c) { return IsLetter(c) || c == '_'; }
inline bool IsNameChar(char c) { return IsLetter(c) || IsDigit(c) || c == '_'; }
inline char ListSeparator() { return GetLocaleSeparators().chList; }
inline char DecimalPoint() { return GetLocaleSeparators().chDecimal; }

// Index of the ")" closing the "(" at open, skipping string literals; -1 when none.
int FindClosingParenthesis(std::string_view text, int open);
// 1 + the separators at parenthesis depth 0 outside string literals.
int CountArguments(std::string_view text, char separator);
// Adds length characters of expanded expression-variable text to the outermost parse's total;
// false once it passes MaxExpandedText.
bool ChargeExpansion(int length);

} // namespace parser
