#include "framework/win/FileIdentity.h"

#include "framework/core/AsciiText.h"

namespace {

BOOL LongPathName(const CString& strPath, CString& strLong)
{
    char szLong[MAX_PATH];
    const DWORD n = ::GetLongPathNameA(strPath, szLong, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return FALSE;
    strLong = szLong;
    return TRUE;
}

BOOL IsSameIdentity(const FileIdentity& a, const FileIdentity& b)
{
    return a.dwVolume == b.dwVolume && a.nIndex == b.nIndex;
}

} // namespace

CString FullPathName(const char* lpszPath)
{
    char szFull[MAX_PATH];
    const DWORD n = ::GetFullPathNameA(lpszPath, MAX_PATH, szFull, nullptr);
    return n > 0 && n < MAX_PATH ? CString(szFull) : CString(lpszPath);
}

CString NormalPathName(const char* lpszPath)
{
    if (!lpszPath || !*lpszPath)
        return CString();
    const CString strFull = FullPathName(lpszPath);
    // The names that do not exist yet (a file to be saved, a folder to be made) stay as given
    // after the long spelling of the deepest folder that does.
    int nCut = strFull.GetLength();
    while (nCut > 0) {
        CString strLong;
        if (LongPathName(strFull.Left(nCut), strLong))
            return strLong + strFull.Mid(nCut);
        nCut = strFull.Left(nCut).ReverseFind('\\');
    }
    return strFull;
}

FileIdentity IdentityOfFile(const char* lpszPath)
{
    FileIdentity identity;
    if (!lpszPath || !*lpszPath)
        return identity;
    // A drive without its medium answers with an error, never with a dialog box.
    DWORD dwOldMode = 0;
    ::SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &dwOldMode);
    HANDLE hFile = ::CreateFileA(lpszPath, FILE_READ_ATTRIBUTES,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ::SetThreadErrorMode(dwOldMode, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return identity;
    BY_HANDLE_FILE_INFORMATION info = {};
    if (::GetFileInformationByHandle(hFile, &info)) {
        identity.bKnown = TRUE;
        identity.dwVolume = info.dwVolumeSerialNumber;
        identity.nIndex = (ULONGLONG(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    }
    ::CloseHandle(hFile);
    return identity;
}

BOOL IsSameFile(const char* lpszA, const char* lpszB)
{
    if (!lpszA || !lpszB || !*lpszA || !*lpszB)
        return FALSE;
    const FileIdentity a = IdentityOfFile(lpszA), b = IdentityOfFile(lpszB);
    if (a.bKnown && b.bKnown)
        return IsSameIdentity(a, b);
    // A file not there yet (one to be saved) is known by its folder and its name.
    const CString strA = NormalPathName(lpszA), strB = NormalPathName(lpszB);
    const int nA = strA.ReverseFind('\\'), nB = strB.ReverseFind('\\');
    if (nA >= 0 && nB >= 0 && ascii::EqualNoCase(strA.Mid(nA + 1), strB.Mid(nB + 1))) {
        const FileIdentity folderA = IdentityOfFile(strA.Left(nA + 1));
        const FileIdentity folderB = IdentityOfFile(strB.Left(nB + 1));
        if (folderA.bKnown && folderB.bKnown)
            return IsSameIdentity(folderA, folderB);
    }
    return ascii::EqualNoCase(strA, strB);
}
