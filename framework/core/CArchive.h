#pragma once
#include "framework/core/CFile.h"
#include "framework/core/CString.h"
#include "framework/core/Exceptions.h"

#include <algorithm>
#include <bit>
#include <concepts>
#include <cstring>
#include <type_traits>
#include <vector>

// Scalars with the same width in every build: long is left out (4 bytes on Windows, 8 here),
// so a stored field can never change size between the two builds.
template <class T>
concept ArchiveScalar = (std::is_arithmetic_v<T> && !std::is_same_v<T, bool> &&
                         !std::is_same_v<T, long> && !std::is_same_v<T, unsigned long>) ||
                        (std::is_same_v<T, long> && sizeof(long) == 4) ||
                        (std::is_same_v<T, unsigned long> && sizeof(unsigned long) == 4);

// A buffered, one-direction stream of the file format's primitives over a CFile: scalars
// little-endian at their own width, strings and element counts in their counted forms.
// Reading never trusts the file: a read past the end, or a count or length larger than the
// bytes left, throws CArchiveException (by value) before anything is allocated or assigned.
// Over a stream without a length (a pipe) the bytes left are not known in advance: a count or
// length is then checked by reading its bytes ahead into the buffer, which grows in bounded
// steps as they arrive, so memory follows the bytes really there and never a stored number.
class CArchive {
public:
    enum Mode : UINT { store = 0, load = 1, bNoFlushOnDelete = 2 };

    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
    // Flushes a storing archive that was not closed; errors are swallowed here, so call Close.
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    CFile* GetFile() const { return m_pFile; }

    // Storing: writes the buffer to the file. Loading: gives back the unread buffered bytes,
    // so the file position is the archive's position.
    void Flush();
    void Close();
    void Abort();

    // Raw bytes. Read returns fewer than nMax only at the end of the file; it never throws
    // for that, so a caller can read "what is there".
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);

    // Bytes between the read position and the end of the file (for a stream without a
    // length, an upper bound that no count reaches).
    ULONGLONG GetBytesLeft() const;
    // Throws the end-of-file exception unless nCount elements of at least nElementBytes each
    // can still be read. Callers of plain i32 counts use it before sizing a table.
    void CheckCount(ULONGLONG nCount, ULONGLONG nElementBytes = 1);

    // A collection's count stored as a plain i32: a negative one, or more elements of at least
    // nElementBytes each than the file still holds, throws the archive exception.
    int ReadCollectionCount(ULONGLONG nElementBytes);

    // Element count: u16, or 0xFFFF and a u32 from 65535 on.
    void WriteCount(DWORD_PTR dwCount);
    // Checked against the bytes left (each element takes at least one byte).
    DWORD_PTR ReadCount();

    template <ArchiveScalar T> CArchive& operator<<(T value)
    {
        BYTE bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        if constexpr (std::endian::native == std::endian::big)
            std::reverse(bytes, bytes + sizeof(T));
        Write(bytes, sizeof(T));
        return *this;
    }

    template <ArchiveScalar T> CArchive& operator>>(T& value)
    {
        BYTE bytes[sizeof(T)];
        ReadExactly(bytes, sizeof(T));
        if constexpr (std::endian::native == std::endian::big)
            std::reverse(bytes, bytes + sizeof(T));
        std::memcpy(&value, bytes, sizeof(T));
        return *this;
    }

    // n scalars one after the other, each in the form operator<< gives it; where the memory
    // order is already the file's, moved as whole blocks (a long column costs one copy).
    template <ArchiveScalar T> void WriteArray(const T* p, std::size_t n)
    {
        if constexpr (std::endian::native == std::endian::little) {
            const BYTE* bytes = reinterpret_cast<const BYTE*>(p);
            for (std::size_t left = n * sizeof(T); left > 0;) {
                const UINT chunk = UINT(std::min<std::size_t>(left, kArrayChunk));
                Write(bytes, chunk);
                bytes += chunk;
                left -= chunk;
            }
        } else {
            for (std::size_t i = 0; i < n; ++i)
                *this << p[i];
        }
    }
    // Reads n scalars written by WriteArray; throws the end-of-file exception, before touching
    // p, when fewer than n are left.
    template <ArchiveScalar T> void ReadArray(T* p, std::size_t n)
    {
        CheckCount(n, sizeof(T));
        if constexpr (std::endian::native == std::endian::little) {
            BYTE* bytes = reinterpret_cast<BYTE*>(p);
            for (std::size_t left = n * sizeof(T); left > 0;) {
                const UINT chunk = UINT(std::min<std::size_t>(left, kArrayChunk));
                ReadExactly(bytes, chunk);
                bytes += chunk;
                left -= chunk;
            }
        } else {
            for (std::size_t i = 0; i < n; ++i)
                *this >> p[i];
        }
    }

    // String: length below 255 in one byte; up to 65533 as 0xFF and a u16; longer as 0xFF,
    // the u16 0xFFFF and a u32; then the bytes without terminator.
    CArchive& operator<<(const CString& s);
    CArchive& operator<<(const char* psz) { return *this << CString(psz); }
    CArchive& operator>>(CString& s);

private:
    static constexpr std::size_t kArrayChunk = std::size_t(1) << 26;

    void ReadExactly(void* lpBuf, UINT nCount);
    // Buffers nBytes unread bytes, growing the buffer as they arrive; end of file otherwise.
    void ReadAhead(ULONGLONG nBytes);
    void CheckLoading() const;
    void CheckStoring() const;
    [[noreturn]] void ThrowArchive(int cause) const;

    CFile* m_pFile;
    UINT m_nMode;
    std::vector<BYTE> m_buffer;
    std::size_t m_nCur = 0; // next byte to read in the buffer
    std::size_t m_nMax = 0; // bytes held in the buffer
    // Loading: where the file's unbuffered part starts and ends, taken once at construction
    // since the file does not change under a loading archive.
    ULONGLONG m_nFilePos = 0;
    ULONGLONG m_nFileEnd = ~ULONGLONG(0);
    bool m_bLengthKnown = false;
    bool m_bClosed = false;
};
