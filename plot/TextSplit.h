#pragma once
#include "framework/core/CString.h"

// Splits text at the first ch into its two sides, each trimmed of blanks. Without ch: FALSE,
// left the whole trimmed text and right empty.
BOOL SplitAtChar(const CString& text, char ch, CString& left, CString& right);

// As SplitAtChar, but only a ch outside round and square brackets splits, so the argument
// separator of max(a;b) stays inside its call.
BOOL SplitAtCharOutsideBrackets(const CString& text, char ch, CString& left, CString& right);
