#include "framework/core/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

bool IsSeparator(char c)
{
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

bool FolderExists(const char* lpszFolder)
{
    struct stat st {};
    return ::stat(lpszFolder, &st) == 0 && (st.st_mode & S_IFMT) == S_IFDIR;
}

#ifdef _WIN32

CFileException LastErrorException(const char* lpszPath)
{
    const DWORD dwError = ::GetLastError();
    int nCause = CFileException::genericException;
    switch (dwError) {
    case ERROR_FILE_NOT_FOUND:
        nCause = CFileException::fileNotFound;
        break;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DIRECTORY:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
        nCause = CFileException::badPath;
        break;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        nCause = CFileException::accessDenied;
        break;
    case ERROR_SHARING_VIOLATION:
        nCause = CFileException::sharingViolation;
        break;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        nCause = CFileException::diskFull;
        break;
    default:
        break;
    }
    return CFileException(nCause, LONG(dwError), lpszPath);
}

bool IsReadOnly(const char* lpszPath)
{
    const DWORD dwAttrib = ::GetFileAttributesA(lpszPath);
    return dwAttrib != INVALID_FILE_ATTRIBUTES && (dwAttrib & FILE_ATTRIBUTE_READONLY);
}

// A new empty file in the folder; its name goes into strTemp.
void MakeTempFile(const CString& strFolder, const char* lpszTarget, CString& strTemp)
{
    char szTemp[MAX_PATH];
    if (!::GetTempFileNameA(strFolder.IsEmpty() ? "." : strFolder.GetString(), "zv", 0, szTemp))
        throw LastErrorException(lpszTarget);
    strTemp = szTemp;
}

void SyncFile(const CString& strTemp, const char* lpszTarget)
{
    HANDLE h = ::CreateFileA(strTemp, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        throw LastErrorException(lpszTarget);
    const BOOL bOk = ::FlushFileBuffers(h);
    CFileException fe = LastErrorException(lpszTarget);
    ::CloseHandle(h);
    if (!bOk)
        throw fe;
}

void MoveOver(const CString& strTemp, const char* lpszTarget)
{
    if (!::MoveFileExA(strTemp, lpszTarget, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        throw LastErrorException(lpszTarget);
}

void RemoveQuietly(const CString& strTemp) { ::DeleteFileA(strTemp); }

bool MakeOneFolder(const char* lpszFolder)
{
    return ::CreateDirectoryA(lpszFolder, nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS;
}

#else

CFileException ErrnoException(int nErrno, const char* lpszPath)
{
    return CFileException(CFileException::ErrnoToCause(nErrno ? nErrno : EIO), nErrno, lpszPath);
}

bool IsReadOnly(const char* lpszPath)
{
    struct stat st {};
    return ::stat(lpszPath, &st) == 0 && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

void MakeTempFile(const CString& strFolder, const char* lpszTarget, CString& strTemp)
{
    std::string name =
        std::string(strFolder.IsEmpty() ? "./" : strFolder.GetString()) + ".zvXXXXXX";
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        throw ErrnoException(errno, lpszTarget);
    ::close(fd);
    strTemp = name.c_str();
}

void SyncFile(const CString& strTemp, const char* lpszTarget)
{
    const int fd = ::open(strTemp, O_RDONLY);
    if (fd < 0)
        throw ErrnoException(errno, lpszTarget);
    const int rc = ::fsync(fd);
    const int err = errno;
    ::close(fd);
    if (rc != 0)
        throw ErrnoException(err, lpszTarget);
}

void MoveOver(const CString& strTemp, const char* lpszTarget)
{
    if (std::rename(strTemp, lpszTarget) != 0)
        throw ErrnoException(errno, lpszTarget);
}

void RemoveQuietly(const CString& strTemp) { std::remove(strTemp); }

bool MakeOneFolder(const char* lpszFolder)
{
    return ::mkdir(lpszFolder, 0777) == 0 || errno == EEXIST;
}

#endif

} // namespace

CString FolderOfPath(const char* lpszPath)
{
    const std::string path = lpszPath ? lpszPath : "";
    for (std::size_t i = path.size(); i > 0; --i)
        if (IsSeparator(path[i - 1]))
            return CString(path.c_str(), int(i));
    return CString();
}

BOOL CreateFolderPath(const char* lpszFolder)
{
    std::string folder = lpszFolder ? lpszFolder : "";
    while (!folder.empty() && IsSeparator(folder.back()))
        folder.pop_back();
    if (folder.empty() || FolderExists(folder.c_str()))
        return TRUE;
    // Each prefix that ends before a separator, from the root down; existing ones are skipped.
    for (std::size_t i = 1; i <= folder.size(); ++i) {
        if (i < folder.size() && !IsSeparator(folder[i]))
            continue;
        const std::string prefix = folder.substr(0, i);
        if (prefix.back() == ':' || FolderExists(prefix.c_str()))
            continue; // a drive letter is no folder to make
        if (!MakeOneFolder(prefix.c_str()))
            return FALSE;
    }
    return FolderExists(folder.c_str());
}

void ReplaceFileAtomically(const char* lpszPath, const std::function<void(CFile&)>& write,
                           BOOL bCreateFolder)
{
    const CString strFolder = FolderOfPath(lpszPath);
    if (bCreateFolder && !strFolder.IsEmpty() && !CreateFolderPath(strFolder))
        throw CFileException(CFileException::badPath, -1, lpszPath);
    if (IsReadOnly(lpszPath))
        throw CFileException(CFileException::accessDenied, -1, lpszPath);

    CString strTemp;
    MakeTempFile(strFolder, lpszPath, strTemp);
    try {
        CFile file;
        CFileException fe;
        if (!file.Open(strTemp, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive, &fe))
            throw CFileException(fe.m_cause, fe.m_lOsError, lpszPath);
        try {
            write(file);
            file.Close();
        } catch (...) {
            file.Abort();
            throw;
        }
        SyncFile(strTemp, lpszPath);
        MoveOver(strTemp, lpszPath);
    } catch (const CFileException& e) {
        RemoveQuietly(strTemp);
        // The temporary file's name means nothing to the user: name the target.
        throw CFileException(e.m_cause, e.m_lOsError, lpszPath);
    } catch (...) {
        RemoveQuietly(strTemp);
        throw;
    }
}
