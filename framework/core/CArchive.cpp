#include "framework/core/CArchive.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace {

constexpr BYTE kLongString = 0xFF;
constexpr WORD kWideString = 0xFFFE; // a marker other writers use; no string of ours has it
constexpr WORD kLongCount = 0xFFFF;

} // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void*)
    : m_pFile(pFile), m_nMode(nMode), m_buffer(std::size_t(std::max(nBufSize, 128)))
{
    ASSERT(pFile != nullptr);
    if (IsLoading()) {
        try {
            m_nFilePos = m_pFile->GetPosition();
            m_nFileEnd = m_pFile->GetLength();
            m_bLengthKnown = true;
        } catch (const CFileException&) {
            // A file without a length: reads still stop cleanly at its end.
            m_nFilePos = 0;
            m_nFileEnd = ~ULONGLONG(0);
        }
    }
}

CArchive::~CArchive()
{
    if (!m_bClosed && IsStoring() && !(m_nMode & bNoFlushOnDelete)) {
        try {
            Flush();
        } catch (const CException&) {
            // A destructor must not throw; Close reports the failure to callers that care.
        }
    }
}

void CArchive::ThrowArchive(int cause) const
{
    throw CArchiveException(cause, m_pFile ? m_pFile->GetFilePath().GetString() : nullptr);
}

void CArchive::CheckLoading() const
{
    if (!IsLoading())
        ThrowArchive(CArchiveException::writeOnly);
}

void CArchive::CheckStoring() const
{
    if (!IsStoring())
        ThrowArchive(CArchiveException::readOnly);
}

void CArchive::Flush()
{
    if (m_bClosed)
        return;
    if (IsStoring()) {
        if (m_nMax > 0) {
            const UINT n = UINT(m_nMax);
            m_nMax = 0;
            m_pFile->Write(m_buffer.data(), n);
        }
        m_pFile->Flush();
    } else if (m_nCur < m_nMax) {
        const ULONGLONG unread = m_nMax - m_nCur;
        m_nCur = m_nMax = 0;
        m_nFilePos -= unread;
        if (m_bLengthKnown) {
            m_pFile->Seek(-LONGLONG(unread), CFile::current);
        } else {
            try {
                m_pFile->Seek(-LONGLONG(unread), CFile::current);
            } catch (const CFileException&) {
                // A stream cannot take bytes back: what was read ahead is dropped.
            }
        }
    }
}

void CArchive::Close()
{
    Flush();
    m_bClosed = true;
}

void CArchive::Abort()
{
    m_nCur = m_nMax = 0;
    m_bClosed = true;
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    CheckLoading();
    BYTE* out = static_cast<BYTE*>(lpBuf);
    UINT done = 0;
    while (done < nMax) {
        if (m_nCur < m_nMax) {
            const std::size_t n = std::min<std::size_t>(nMax - done, m_nMax - m_nCur);
            std::memcpy(out + done, m_buffer.data() + m_nCur, n);
            m_nCur += n;
            done += UINT(n);
            continue;
        }
        const UINT want = nMax - done;
        if (want >= m_buffer.size()) {
            // Large reads go straight to the caller's memory.
            const UINT got = m_pFile->Read(out + done, want);
            m_nFilePos += got;
            done += got;
            if (got < want)
                break;
            continue;
        }
        m_nCur = 0;
        m_nMax = m_pFile->Read(m_buffer.data(), UINT(m_buffer.size()));
        m_nFilePos += m_nMax;
        if (m_nMax == 0)
            break;
    }
    return done;
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    CheckStoring();
    const BYTE* in = static_cast<const BYTE*>(lpBuf);
    if (m_nMax + nMax > m_buffer.size()) {
        Flush();
        if (nMax >= m_buffer.size()) {
            m_pFile->Write(in, nMax);
            return;
        }
    }
    std::memcpy(m_buffer.data() + m_nMax, in, nMax);
    m_nMax += nMax;
}

void CArchive::ReadExactly(void* lpBuf, UINT nCount)
{
    if (Read(lpBuf, nCount) != nCount)
        ThrowArchive(CArchiveException::endOfFile);
}

ULONGLONG CArchive::GetBytesLeft() const
{
    const ULONGLONG inFile = m_nFileEnd > m_nFilePos ? m_nFileEnd - m_nFilePos : 0;
    return (m_nMax - m_nCur) + inFile;
}

void CArchive::CheckCount(ULONGLONG nCount, ULONGLONG nElementBytes)
{
    CheckLoading();
    if (nElementBytes == 0)
        return;
    if (m_bLengthKnown) {
        if (nCount > GetBytesLeft() / nElementBytes)
            ThrowArchive(CArchiveException::endOfFile);
        return;
    }
    if (nCount > ~ULONGLONG(0) / nElementBytes)
        ThrowArchive(CArchiveException::endOfFile);
    ReadAhead(nCount * nElementBytes);
}

void CArchive::ReadAhead(ULONGLONG nBytes)
{
    // The first step covers every ordinary record; later ones double what has arrived.
    constexpr std::size_t kFirstStep = 1 << 16;
    while (m_nMax - m_nCur < nBytes) {
        if (m_nCur > 0) {
            std::memmove(m_buffer.data(), m_buffer.data() + m_nCur, m_nMax - m_nCur);
            m_nMax -= m_nCur;
            m_nCur = 0;
        }
        if (m_nMax == m_buffer.size())
            m_buffer.resize(std::max(kFirstStep, 2 * m_buffer.size()));
        const std::size_t room = std::min<std::size_t>(m_buffer.size() - m_nMax, 0x7FFFFFFF);
        const UINT got = m_pFile->Read(m_buffer.data() + m_nMax, UINT(room));
        if (got == 0)
            ThrowArchive(CArchiveException::endOfFile);
        m_nMax += got;
        m_nFilePos += got;
    }
}

int CArchive::ReadCollectionCount(ULONGLONG nElementBytes)
{
    std::int32_t count = 0;
    *this >> count;
    if (count < 0)
        ThrowArchive(CArchiveException::genericException);
    CheckCount(ULONGLONG(count), nElementBytes);
    return count;
}

void CArchive::WriteCount(DWORD_PTR dwCount)
{
    if (ULONGLONG(dwCount) > 0xFFFFFFFFull)
        ThrowArchive(CArchiveException::badIndex);
    if (dwCount < kLongCount) {
        *this << WORD(dwCount);
    } else {
        *this << kLongCount;
        *this << DWORD(dwCount);
    }
}

DWORD_PTR CArchive::ReadCount()
{
    WORD w = 0;
    *this >> w;
    DWORD_PTR count = w;
    if (w == kLongCount) {
        DWORD d = 0;
        *this >> d;
        count = d;
    }
    CheckCount(count);
    return count;
}

CArchive& CArchive::operator<<(const CString& s)
{
    const ULONGLONG n = ULONGLONG(s.GetLength());
    if (n < kLongString) {
        *this << BYTE(n);
    } else if (n < kWideString) {
        *this << kLongString;
        *this << WORD(n);
    } else {
        *this << kLongString;
        *this << kLongCount;
        *this << DWORD(n);
    }
    Write(s.GetString(), UINT(n));
    return *this;
}

CArchive& CArchive::operator>>(CString& s)
{
    BYTE b = 0;
    *this >> b;
    DWORD length = b;
    if (b == kLongString) {
        WORD w = 0;
        *this >> w;
        length = w;
        if (w == kWideString)
            ThrowArchive(CArchiveException::genericException);
        if (w == kLongCount)
            *this >> length;
    }
    CheckCount(length);
    // CString lengths are int: a longer text cannot be one of ours.
    if (length > 0x7FFFFFFFu)
        ThrowArchive(CArchiveException::genericException);
    std::string text(length, '\0');
    ReadExactly(text.data(), length);
    s = CString(std::string_view(text));
    return *this;
}
