#pragma once
// Windows paths with a name that the program's ANSI code page cannot hold (Chinese characters
// under a Western code page, say): the system hands such a name over with '?' for each character
// it could not convert, and '?' is never part of a real file or folder name.
#include "framework/core/CString.h"

// Whether a folder or file name of the path lost characters ("\\?\" before a long path aside).
BOOL HasUnusableName(const char* lpszPath);

// What the user reads when a file cannot be opened (bSaving: saved) under such a path: which
// folder, or the file's own name, holds the characters, and what name to use instead, or the
// spelling of short names that reaches it (lpszShort, when there is one).
CString UnusableNameMessage(const char* lpszPath, BOOL bSaving, const char* lpszShort = nullptr);
