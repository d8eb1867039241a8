#pragma once
#include "framework/core/CFile.h"

// A memory file whose bytes live in one moveable global block, ready to hand to the clipboard
// or a data source without copying. The block grows in steps of nGrowBytes while written;
// Detach shrinks it to the length written and gives it to the caller. A block that cannot
// grow throws CMemoryException.
class CSharedFile : public CFile {
public:
    explicit CSharedFile(UINT nAllocFlags = GMEM_MOVEABLE | GMEM_SHARE, UINT nGrowBytes = 4096);
    ~CSharedFile() override;

    // The block with exactly the written bytes (caller frees it), or nullptr when nothing was
    // ever written; the file is empty afterwards.
    HGLOBAL Detach();
    // Works on hGlobalMemory (the file owns it from now on); its whole size counts as
    // written. Without bAllowGrow, writing past its size throws.
    void SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow = TRUE);

    BOOL Open(const char*, UINT, CFileException* pError = nullptr) override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetPosition() const override { return m_nPosition; }
    ULONGLONG GetLength() const override { return m_nFileSize; }
    void SetLength(ULONGLONG dwNewLen);
    void Flush() override {}
    void Close() override;
    void Abort() override { Close(); }

private:
    void GrowTo(SIZE_T nNewSize);

    UINT m_nAllocFlags;
    UINT m_nGrowBytes;
    BOOL m_bAllowGrow = TRUE;
    HGLOBAL m_hGlobal = nullptr;
    SIZE_T m_nBufferSize = 0;
    SIZE_T m_nFileSize = 0;
    SIZE_T m_nPosition = 0;
};
