#include "framework/core/Exceptions.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

CString NameOrDefault(const char* name)
{
    return (name && *name) ? CString(name) : CString("the file");
}

CString ArchiveText(int cause, const char* name)
{
    const CString file = NameOrDefault(name);
    switch (cause) {
    case CArchiveException::endOfFile:
        return "Unexpected end of file while reading " + file + ".";
    case CArchiveException::readOnly:
        return "Tried to write to " + file + ", which was opened for reading.";
    case CArchiveException::writeOnly:
        return "Tried to read from " + file + ", which was opened for writing.";
    case CArchiveException::badIndex:
    case CArchiveException::badClass:
    case CArchiveException::badSchema:
    case CArchiveException::genericException:
        return "Unexpected file format in " + file + ".";
    default:
        return "An unknown error occurred while accessing " + file + ".";
    }
}

CString FileText(int cause, const char* name)
{
    const CString file = NameOrDefault(name);
    switch (cause) {
    case CFileException::fileNotFound:
        return file + " was not found.";
    case CFileException::badPath:
        return "All or part of the path " + file + " is invalid.";
    case CFileException::tooManyOpenFiles:
        return "Too many files are open to open " + file + ".";
    case CFileException::accessDenied:
        return "Access to " + file + " was denied.";
    case CFileException::invalidFile:
        return "An invalid file handle was used with " + file + ".";
    case CFileException::badSeek:
        return "An error occurred while setting the position in " + file + ".";
    case CFileException::hardIO:
        return "A hardware error occurred while accessing " + file + ".";
    case CFileException::sharingViolation:
        return "A sharing violation occurred while accessing " + file + ".";
    case CFileException::lockViolation:
        return "A locking violation occurred while accessing " + file + ".";
    case CFileException::diskFull:
        return "The disk is full while accessing " + file + ".";
    case CFileException::endOfFile:
        return "An attempt was made to access " + file + " past its end.";
    default:
        return "An unexpected error occurred while accessing " + file + ".";
    }
}

} // namespace

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    if (!lpszError || nMaxError == 0)
        return FALSE;
    const std::size_t n = std::min<std::size_t>(std::size_t(m_text.GetLength()), nMaxError - 1);
    std::memcpy(lpszError, m_text.GetString(), n);
    lpszError[n] = '\0';
    return TRUE;
}

CArchiveException::CArchiveException(int cause, const char* lpszArchiveName)
    : CException(ArchiveText(cause, lpszArchiveName)), m_cause(cause),
      m_strFileName(lpszArchiveName)
{
}

CFileException::CFileException(int cause, LONG lOsError, const char* lpszFileName)
    : CException(FileText(cause, lpszFileName)), m_cause(cause), m_lOsError(lOsError),
      m_strFileName(lpszFileName)
{
}

int CFileException::ErrnoToCause(int nErrno)
{
    switch (nErrno) {
    case 0:
        return none;
    case ENOENT:
        return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
        return badPath;
    case EMFILE:
    case ENFILE:
        return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
        return accessDenied;
    case EBADF:
        return invalidFile;
    case ESPIPE:
        return badSeek;
    case EIO:
        return hardIO;
    case ENOSPC:
    case EFBIG:
        return diskFull;
    default:
        return genericException;
    }
}

CMemoryException::CMemoryException() : CException("Out of memory.") {}

CResourceException::CResourceException(const char* lpszWhat)
    : CException((lpszWhat && *lpszWhat)
                     ? CString("A required resource was unavailable: ") + lpszWhat + "."
                     : CString("A required resource was unavailable."))
{
}
