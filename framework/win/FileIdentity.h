#pragma once
// Whether two paths name one file however they are spelt: through another drive that reaches
// the same folder, by 8.3 short names, in other case or with "." and "..". A file that exists is
// known by its volume serial number and file index; one not there yet, by its name in its folder.
#include "framework/core/CString.h"
#include "framework/core/Platform.h"

// The full path of a relative one, as the system completes it; the path as given when it cannot.
CString FullPathName(const char* lpszPath);
// A path spelt the one way the program keeps it: full, with the long names of the folders and
// the file as far as they exist, except a long name the code page cannot hold, which keeps the
// spelling given (a short name). A path that cannot be resolved comes back as it was given.
CString NormalPathName(const char* lpszPath);
// A path whose names lost characters to the code page ('?'), spelt instead with the short
// name of the one folder or file that each such name stands for; empty when a name stands for
// none or for several, or has no short name that the code page holds.
CString ShortSpelling(const char* lpszPath);
// A path as a file dialog hands it over, spelt as the user could have typed it: each name that
// lost characters (a folder browsed into, a file chosen there) by its short name as above, and
// one that has none (a file to be saved) as given.
CString UsableSpelling(const char* lpszPath);

// The volume serial number and index of a file or folder; bKnown is FALSE when it cannot be
// opened (no such file, no access). It is opened for its attributes only and shared every way,
// so that no other program's use of it is ever disturbed.
struct FileIdentity {
    BOOL bKnown = FALSE;
    DWORD dwVolume = 0;
    ULONGLONG nIndex = 0;
};
FileIdentity IdentityOfFile(const char* lpszPath);

// Two paths name the same file: by identity where both files are known; else (a file to be
// saved) by the same name, without regard to case, in the same folder. Empty paths name no file.
BOOL IsSameFile(const char* lpszA, const char* lpszB);
