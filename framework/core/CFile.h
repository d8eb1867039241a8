#pragma once
#include "framework/core/CObject.h"
#include "framework/core/CString.h"
#include "framework/core/Exceptions.h"

#include <cstdio>
#include <vector>

// A binary file. Failures throw CFileException (by value) carrying the cause and the path,
// except Open, which reports through its result and optional exception record.
class CFile : public CObject {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000, // accepted; files are always binary
        typeBinary = 0x8000,
    };
    enum SeekPosition : UINT { begin = 0, current = 1, end = 2 };

    CFile() = default;
    // Opens at once; throws CFileException on failure.
    CFile(const char* lpszFileName, UINT nOpenFlags);
    ~CFile() override;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // FALSE on failure, with the cause in *pError when given.
    virtual BOOL Open(const char* lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
    // Bytes read; fewer than asked only at the end of the file.
    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    virtual void Flush();
    virtual void Close();
    // Closes without throwing, for clean-up after a failure.
    virtual void Abort();

    BOOL IsOpen() const { return m_pStream != nullptr; }
    CString GetFilePath() const { return m_strFileName; }
    CString GetFileName() const;

    static void Rename(const char* lpszOldName, const char* lpszNewName);
    static void Remove(const char* lpszFileName);

protected:
    [[noreturn]] void ThrowErrno(int nErrno) const;

private:
    enum class LastOp { none, read, write };
    // The C stream needs a seek between a write and a following read, and the other way round.
    void SwitchTo(LastOp op);

    std::FILE* m_pStream = nullptr;
    LastOp m_lastOp = LastOp::none;
    CString m_strFileName;
};

// A growable file in memory (tests, clipboard text). Reading past the end returns fewer bytes.
class CMemFile : public CFile {
public:
    explicit CMemFile(UINT nGrowBytes = 1024);
    // A file that starts with a copy of the given bytes, positioned at the beginning.
    CMemFile(const BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);

    BOOL Open(const char*, UINT, CFileException* pError = nullptr) override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetPosition() const override { return m_nPosition; }
    ULONGLONG GetLength() const override { return m_data.size(); }
    void SetLength(ULONGLONG dwNewLen);
    void Flush() override {}
    void Close() override;
    void Abort() override { Close(); }

    // Replaces the contents with a copy of the bytes, positioned at the beginning.
    void Attach(const BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    // Hands the contents over and leaves the file empty.
    std::vector<BYTE> Detach();
    const BYTE* GetData() const { return m_data.data(); }

private:
    std::vector<BYTE> m_data;
    std::size_t m_nPosition = 0;
};
