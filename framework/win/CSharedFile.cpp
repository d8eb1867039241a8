#include "framework/win/CSharedFile.h"

#include "framework/win/GlobalMemory.h"

#include <algorithm>
#include <cstring>

CSharedFile::CSharedFile(UINT nAllocFlags, UINT nGrowBytes)
    : m_nAllocFlags(nAllocFlags | GMEM_MOVEABLE), m_nGrowBytes(nGrowBytes ? nGrowBytes : 4096)
{
}

CSharedFile::~CSharedFile() { CSharedFile::Close(); }

HGLOBAL CSharedFile::Detach()
{
    HGLOBAL hGlobal = m_hGlobal;
    if (hGlobal && m_nFileSize != m_nBufferSize) {
        // Shrinking a block never fails in practice; keep the larger one if it does.
        if (HGLOBAL hSmaller = ::GlobalReAlloc(hGlobal, m_nFileSize ? m_nFileSize : 1, 0))
            hGlobal = hSmaller;
    }
    m_hGlobal = nullptr;
    m_nBufferSize = m_nFileSize = m_nPosition = 0;
    return hGlobal;
}

void CSharedFile::SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow)
{
    Close();
    m_hGlobal = hGlobalMemory;
    m_nBufferSize = m_nFileSize = hGlobalMemory ? ::GlobalSize(hGlobalMemory) : 0;
    m_bAllowGrow = bAllowGrow;
}

BOOL CSharedFile::Open(const char*, UINT, CFileException* pError)
{
    if (pError)
        *pError = CFileException(CFileException::genericException, -1, nullptr);
    return FALSE;
}

UINT CSharedFile::Read(void* lpBuf, UINT nCount)
{
    if (m_nPosition >= m_nFileSize || nCount == 0)
        return 0;
    const SIZE_T n = std::min<SIZE_T>(nCount, m_nFileSize - m_nPosition);
    CGlobalLock lock(m_hGlobal);
    if (!lock.Data())
        return 0;
    std::memcpy(lpBuf, static_cast<const BYTE*>(lock.Data()) + m_nPosition, n);
    m_nPosition += n;
    return UINT(n);
}

void CSharedFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    const SIZE_T nEnd = m_nPosition + nCount;
    if (nEnd > m_nBufferSize)
        GrowTo(nEnd);
    CGlobalLock lock(m_hGlobal);
    if (!lock.Data())
        throw CMemoryException();
    BYTE* pData = static_cast<BYTE*>(lock.Data());
    if (m_nPosition > m_nFileSize) // a seek past the end leaves zeros behind
        std::memset(pData + m_nFileSize, 0, m_nPosition - m_nFileSize);
    std::memcpy(pData + m_nPosition, lpBuf, nCount);
    m_nPosition = nEnd;
    m_nFileSize = std::max(m_nFileSize, nEnd);
}

ULONGLONG CSharedFile::Seek(LONGLONG lOff, UINT nFrom)
{
    const LONGLONG base = nFrom == begin     ? 0
                          : nFrom == current ? LONGLONG(m_nPosition)
                                             : LONGLONG(m_nFileSize);
    const LONGLONG target = base + lOff;
    if (target < 0)
        throw CFileException(CFileException::badSeek, -1, nullptr);
    m_nPosition = SIZE_T(target);
    return m_nPosition;
}

void CSharedFile::SetLength(ULONGLONG dwNewLen)
{
    if (dwNewLen > m_nBufferSize)
        GrowTo(SIZE_T(dwNewLen));
    if (dwNewLen > m_nFileSize) {
        CGlobalLock lock(m_hGlobal);
        std::memset(static_cast<BYTE*>(lock.Data()) + m_nFileSize, 0,
                    SIZE_T(dwNewLen) - m_nFileSize);
    }
    m_nFileSize = SIZE_T(dwNewLen);
    m_nPosition = std::min(m_nPosition, m_nFileSize);
}

void CSharedFile::Close()
{
    if (m_hGlobal)
        ::GlobalFree(m_hGlobal);
    m_hGlobal = nullptr;
    m_nBufferSize = m_nFileSize = m_nPosition = 0;
}

void CSharedFile::GrowTo(SIZE_T nNewSize)
{
    if (!m_bAllowGrow)
        throw CMemoryException();
    const SIZE_T nSteps = (nNewSize + m_nGrowBytes - 1) / m_nGrowBytes;
    const SIZE_T nBytes = nSteps * m_nGrowBytes;
    HGLOBAL hNew = m_hGlobal ? ::GlobalReAlloc(m_hGlobal, nBytes, GMEM_MOVEABLE)
                             : ::GlobalAlloc(m_nAllocFlags, nBytes);
    if (!hNew)
        throw CMemoryException();
    m_hGlobal = hNew;
    m_nBufferSize = nBytes;
}
