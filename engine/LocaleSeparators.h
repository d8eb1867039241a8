#pragma once
#include "framework/core/CString.h"

// The three characters that decide how numbers and argument lists are written in expression
// text. One program-wide setting, read by the parser, the printer and the number format.
struct LocaleSeparators {
    char chList;      // between function arguments: ',' or ';'
    char chDecimal;   // decimal point: '.' or ','
    char chThousands; // thousands separator: ',' or '.'
};

// The current separators (dot convention until start-up decides).
const LocaleSeparators& GetLocaleSeparators();

// Chooses the convention from the user's locale: comma when its decimal point is ",",
// else dot. The C runtime's locale is never switched.
void InitLocaleSeparators();
// Dot convention: , . ,
void UseDotSeparators();
// Comma convention: ; , .
void UseCommaSeparators();
// 1 when the current decimal point is '.', else 0 (the flag of stored expression sections).
int GetDecimalPointFlag();

// The user's decimal point text as the operating system reports it (used once at start-up).
CString QueryUserDecimalPoint();
