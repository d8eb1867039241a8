#pragma once
#include "framework/core/CString.h"

// Loads string nID of the string table of the resource module into rString, converted to the
// ANSI code page. FALSE (and an empty string) when the table has no such string.
BOOL AfxLoadString(UINT nID, CString& rString);
