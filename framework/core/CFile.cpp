#include "framework/core/CFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace {

int SeekStream(std::FILE* f, LONGLONG off, int origin)
{
#ifdef _WIN32
    return _fseeki64(f, off, origin);
#else
    return fseeko(f, off_t(off), origin);
#endif
}

LONGLONG TellStream(std::FILE* f)
{
#ifdef _WIN32
    return _ftelli64(f);
#else
    return LONGLONG(ftello(f));
#endif
}

bool IsDirectory(const char* path)
{
    struct stat st {};
    return ::stat(path, &st) == 0 && (st.st_mode & S_IFMT) == S_IFDIR;
}

std::FILE* OpenStream(const char* path, UINT flags)
{
    const UINT access = flags & 3;
    if (access == CFile::modeRead)
        return std::fopen(path, "rb");
    if ((flags & CFile::modeCreate) && !(flags & CFile::modeNoTruncate))
        return std::fopen(path, access == CFile::modeWrite ? "wb" : "w+b");
    std::FILE* f = std::fopen(path, "r+b");
    if (!f && errno == ENOENT && (flags & CFile::modeCreate))
        f = std::fopen(path, "w+b");
    return f;
}

} // namespace

CFile::CFile(const char* lpszFileName, UINT nOpenFlags)
{
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error))
        throw error;
}

CFile::~CFile()
{
    if (m_pStream)
        std::fclose(m_pStream);
}

BOOL CFile::Open(const char* lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    Abort();
    m_strFileName = lpszFileName;
    int err = 0;
    if (!lpszFileName || !*lpszFileName)
        err = ENOENT;
    else if (IsDirectory(lpszFileName))
        err = EACCES;
    else {
        errno = 0;
        m_pStream = OpenStream(lpszFileName, nOpenFlags);
        if (!m_pStream)
            err = errno ? errno : EIO;
    }
    if (err == 0)
        return TRUE;
    if (pError)
        *pError = CFileException(CFileException::ErrnoToCause(err), err, lpszFileName);
    return FALSE;
}

void CFile::ThrowErrno(int nErrno) const
{
    throw CFileException(CFileException::ErrnoToCause(nErrno ? nErrno : EIO), nErrno,
                         m_strFileName);
}

void CFile::SwitchTo(LastOp op)
{
    if (m_lastOp != LastOp::none && m_lastOp != op)
        SeekStream(m_pStream, 0, SEEK_CUR);
    m_lastOp = op;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (!m_pStream)
        throw CFileException(CFileException::invalidFile, -1, m_strFileName);
    if (nCount == 0)
        return 0;
    SwitchTo(LastOp::read);
    errno = 0;
    const std::size_t n = std::fread(lpBuf, 1, nCount, m_pStream);
    if (n < nCount && std::ferror(m_pStream)) {
        const int err = errno;
        std::clearerr(m_pStream);
        ThrowErrno(err);
    }
    return UINT(n);
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (!m_pStream)
        throw CFileException(CFileException::invalidFile, -1, m_strFileName);
    if (nCount == 0)
        return;
    SwitchTo(LastOp::write);
    errno = 0;
    if (std::fwrite(lpBuf, 1, nCount, m_pStream) != nCount) {
        const int err = errno;
        std::clearerr(m_pStream);
        ThrowErrno(err ? err : ENOSPC);
    }
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
    if (!m_pStream)
        throw CFileException(CFileException::invalidFile, -1, m_strFileName);
    const int origin = nFrom == begin ? SEEK_SET : nFrom == current ? SEEK_CUR : SEEK_END;
    errno = 0;
    if (SeekStream(m_pStream, lOff, origin) != 0)
        throw CFileException(CFileException::badSeek, errno, m_strFileName);
    m_lastOp = LastOp::none;
    return GetPosition();
}

ULONGLONG CFile::GetPosition() const
{
    if (!m_pStream)
        throw CFileException(CFileException::invalidFile, -1, m_strFileName);
    const LONGLONG pos = TellStream(m_pStream);
    if (pos < 0)
        throw CFileException(CFileException::badSeek, errno, m_strFileName);
    return ULONGLONG(pos);
}

ULONGLONG CFile::GetLength() const
{
    const LONGLONG pos = LONGLONG(GetPosition());
    if (SeekStream(m_pStream, 0, SEEK_END) != 0)
        throw CFileException(CFileException::badSeek, errno, m_strFileName);
    const LONGLONG length = TellStream(m_pStream);
    SeekStream(m_pStream, pos, SEEK_SET);
    return ULONGLONG(std::max<LONGLONG>(length, 0));
}

void CFile::Flush()
{
    if (m_pStream && std::fflush(m_pStream) != 0)
        ThrowErrno(errno);
    m_lastOp = LastOp::none;
}

void CFile::Close()
{
    if (!m_pStream)
        return;
    std::FILE* f = m_pStream;
    m_pStream = nullptr;
    m_lastOp = LastOp::none;
    errno = 0;
    // Buffered bytes reach the disk here: a failure means the file is incomplete.
    if (std::fclose(f) != 0)
        ThrowErrno(errno);
}

void CFile::Abort()
{
    if (m_pStream)
        std::fclose(m_pStream);
    m_pStream = nullptr;
    m_lastOp = LastOp::none;
}

CString CFile::GetFileName() const
{
    const int slash = std::max(m_strFileName.ReverseFind('/'), m_strFileName.ReverseFind('\\'));
    return m_strFileName.Mid(slash + 1);
}

void CFile::Rename(const char* lpszOldName, const char* lpszNewName)
{
    errno = 0;
    if (std::rename(lpszOldName, lpszNewName) != 0) {
        const int err = errno ? errno : EIO;
        throw CFileException(CFileException::ErrnoToCause(err), err, lpszOldName);
    }
}

void CFile::Remove(const char* lpszFileName)
{
    errno = 0;
    if (std::remove(lpszFileName) != 0) {
        const int err = errno ? errno : EIO;
        throw CFileException(CFileException::ErrnoToCause(err), err, lpszFileName);
    }
}

// --- CMemFile -------------------------------------------------------------------------------

CMemFile::CMemFile(UINT) {}

CMemFile::CMemFile(const BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
{
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

BOOL CMemFile::Open(const char*, UINT, CFileException* pError)
{
    // A memory file has no path to open.
    if (pError)
        *pError = CFileException(CFileException::genericException, -1, nullptr);
    return FALSE;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (m_nPosition >= m_data.size() || nCount == 0)
        return 0;
    const std::size_t n = std::min<std::size_t>(nCount, m_data.size() - m_nPosition);
    std::memcpy(lpBuf, m_data.data() + m_nPosition, n);
    m_nPosition += n;
    return UINT(n);
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (m_nPosition + nCount > m_data.size())
        m_data.resize(m_nPosition + nCount);
    std::memcpy(m_data.data() + m_nPosition, lpBuf, nCount);
    m_nPosition += nCount;
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom)
{
    const LONGLONG base = nFrom == begin     ? 0
                          : nFrom == current ? LONGLONG(m_nPosition)
                                             : LONGLONG(m_data.size());
    const LONGLONG target = base + lOff;
    if (target < 0)
        throw CFileException(CFileException::badSeek, -1, nullptr);
    m_nPosition = std::size_t(target);
    return m_nPosition;
}

void CMemFile::SetLength(ULONGLONG dwNewLen)
{
    m_data.resize(std::size_t(dwNewLen));
    m_nPosition = std::min<std::size_t>(m_nPosition, m_data.size());
}

void CMemFile::Close()
{
    m_data.clear();
    m_nPosition = 0;
}

void CMemFile::Attach(const BYTE* lpBuffer, UINT nBufferSize, UINT)
{
    m_data.assign(lpBuffer, lpBuffer + (lpBuffer ? nBufferSize : 0));
    m_nPosition = 0;
}

std::vector<BYTE> CMemFile::Detach()
{
    std::vector<BYTE> data;
    data.swap(m_data);
    m_nPosition = 0;
    return data;
}
