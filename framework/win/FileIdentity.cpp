#include "framework/win/FileIdentity.h"

#include "framework/core/AsciiText.h"
#include "framework/core/PathNames.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

// The names of a path between its backslashes (a double-byte letter's second byte may look
// like one, and is none).
std::vector<CString> SplitAtBackslashes(const CString& strPath)
{
    std::vector<CString> names(1);
    for (int i = 0; i < strPath.GetLength(); ++i) {
        const char ch = strPath[i];
        if (ch == '\\') {
            names.emplace_back();
        } else {
            names.back() += ch;
            if (::IsDBCSLeadByte(BYTE(ch)) && i + 1 < strPath.GetLength())
                names.back() += strPath[++i];
        }
    }
    return names;
}

// A name as the code page holds it; FALSE where it holds no letter of it exactly (the ANSI
// functions would hand over '?' or a look-alike letter, a name that no longer opens).
BOOL ExactAnsiName(const std::wstring& name, CString& strName)
{
    if (name.empty()) {
        strName.Empty();
        return TRUE;
    }
    BOOL bLost = FALSE;
    const int n = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.c_str(),
                                        int(name.size()), nullptr, 0, nullptr, &bLost);
    if (n <= 0 || bLost)
        return FALSE;
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.c_str(), int(name.size()),
                          strName.GetBufferSetLength(n), n, nullptr, nullptr);
    strName.ReleaseBuffer(n);
    return TRUE;
}

// The long spelling of an existing path, name by name: where the code page cannot hold a long
// name, the name given (a short one) stays.
BOOL LongPathName(const CString& strPath, CString& strLong)
{
    wchar_t szGiven[MAX_PATH], szLong[MAX_PATH];
    if (::MultiByteToWideChar(CP_ACP, 0, strPath, -1, szGiven, MAX_PATH) == 0)
        return FALSE;
    const DWORD n = ::GetLongPathNameW(szGiven, szLong, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return FALSE;
    const std::vector<CString> given = SplitAtBackslashes(strPath);
    std::vector<std::wstring> longNames{std::wstring()};
    for (const wchar_t* p = szLong; *p; ++p)
        if (*p == L'\\')
            longNames.emplace_back();
        else
            longNames.back() += *p;
    if (given.size() != longNames.size()) {
        strLong = strPath; // it opens as it was given
        return TRUE;
    }
    strLong.Empty();
    for (std::size_t i = 0; i < given.size(); ++i) {
        CString strName;
        strLong += (ExactAnsiName(longNames[i], strName) ? strName : given[i]) +
                   (i + 1 < given.size() ? "\\" : "");
    }
    return TRUE;
}

BOOL IsSameIdentity(const FileIdentity& a, const FileIdentity& b)
{
    return a.dwVolume == b.dwVolume && a.nIndex == b.nIndex;
}

// The short name of the one entry of the folder whose name, as the code page gives it, is
// strName; empty when none or several are so named or it has no usable short name.
CString ShortNameOfEntry(const CString& strFolder, const CString& strName)
{
    WIN32_FIND_DATAA found = {};
    HANDLE hFind = ::FindFirstFileA(strFolder + strName, &found); // each '?' matches one letter
    if (hFind == INVALID_HANDLE_VALUE)
        return CString();
    CString strShort;
    int nSame = 0;
    do {
        if (std::strcmp(found.cFileName, strName) == 0 && ++nSame == 1)
            strShort = found.cAlternateFileName;
    } while (::FindNextFileA(hFind, &found));
    ::FindClose(hFind);
    return nSame == 1 && !HasUnusableName(strShort) ? strShort : CString();
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

namespace {

// The full path with each name that lost characters spelt by its short name; one without a
// short name stays as it is when bKeepUnknown, else the path comes back empty.
CString WithShortNames(const char* lpszPath, BOOL bKeepUnknown)
{
    const CString strFull = FullPathName(lpszPath);
    // "\\?\" before a long path is no name to look for.
    const int nSkip = strFull.Left(4) == CString("\\\\?\\") ? 4 : 0;
    const std::vector<CString> names = SplitAtBackslashes(strFull.Mid(nSkip));
    CString strPath = strFull.Left(nSkip);
    for (std::size_t i = 0; i < names.size(); ++i) {
        CString strName = names[i];
        if (HasUnusableName(strName)) {
            const CString strShort = ShortNameOfEntry(strPath, strName);
            if (strShort.IsEmpty() && !bKeepUnknown)
                return CString();
            if (!strShort.IsEmpty())
                strName = strShort;
        }
        strPath += strName + (i + 1 < names.size() ? "\\" : "");
    }
    return strPath;
}

} // namespace

CString ShortSpelling(const char* lpszPath) { return WithShortNames(lpszPath, FALSE); }

CString UsableSpelling(const char* lpszPath)
{
    return HasUnusableName(lpszPath) ? WithShortNames(lpszPath, TRUE) : CString(lpszPath);
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
