#pragma once
// A file that reads like a pipe: its bytes in order, but no length, no position and no
// seeking, so an archive over it cannot check a count against the bytes left in advance.
#include "framework/core/CFile.h"

#include <vector>

class CStreamFile : public CMemFile {
public:
    explicit CStreamFile(const std::vector<BYTE>& bytes)
        : CMemFile(bytes.data(), UINT(bytes.size()))
    {
    }
    ULONGLONG GetLength() const override { throw CFileException(CFileException::badSeek); }
    ULONGLONG GetPosition() const override { throw CFileException(CFileException::badSeek); }
    ULONGLONG Seek(LONGLONG, UINT) override { throw CFileException(CFileException::badSeek); }
};
