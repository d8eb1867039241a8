#include "app/ProjectHeader.h"

#include "framework/core/AsciiText.h"
#include "framework/core/CArchive.h"

#include <cstddef>
#include <cstring>

namespace {

static_assert(offsetof(ProjectHeader, szProduct) == 4);
static_assert(offsetof(ProjectHeader, szAuthor) == 84);
static_assert(offsetof(ProjectHeader, szExtension) == 124);
static_assert(offsetof(ProjectHeader, padding) == 134);
static_assert(offsetof(ProjectHeader, nFlag) == 136);

constexpr ProjectHeader kHeader = {
    144, "Zivra", "1.00", "2002", "Quellmarch", "Velmorandix", "1.00", "zvp", "zvp", {0, 0}, 1, 0,
};

// A field equals a text when, read as a NUL-terminated text that cannot run past its own
// width, it is the same text without regard to case.
bool FieldIs(const char (&field)[20], const char* text)
{
    const std::size_t n = ::strnlen(field, sizeof field);
    return n == std::strlen(text) && ascii::CompareNoCase(field, text, n) == 0;
}

void PutWord(BYTE* bytes, DWORD value)
{
    for (int i = 0; i < 4; ++i)
        bytes[i] = BYTE(value >> (8 * i));
}

DWORD GetWord(const BYTE* bytes)
{
    return DWORD(bytes[0]) | DWORD(bytes[1]) << 8 | DWORD(bytes[2]) << 16 | DWORD(bytes[3]) << 24;
}

} // namespace

const ProjectHeader& GetConstantProjectHeader() { return kHeader; }

BOOL IsValidProjectHeader(const ProjectHeader& header)
{
    return FieldIs(header.szAuthor, "Velmorandix") && FieldIs(header.szMaker, "Quellmarch") &&
           FieldIs(header.szProduct, "Zivra");
}

void WriteProjectHeader(CArchive& ar, const ProjectHeader& header)
{
    BYTE bytes[ProjectHeaderSize];
    std::memcpy(bytes, &header, ProjectHeaderSize);
    PutWord(bytes + offsetof(ProjectHeader, nHeaderSize), header.nHeaderSize);
    PutWord(bytes + offsetof(ProjectHeader, nFlag), header.nFlag);
    PutWord(bytes + offsetof(ProjectHeader, nReserved), header.nReserved);
    ar.Write(bytes, ProjectHeaderSize);
}

BOOL ReadProjectHeader(CArchive& ar, ProjectHeader& header)
{
    BYTE bytes[ProjectHeaderSize];
    std::memcpy(bytes, &header, ProjectHeaderSize);
    const UINT n = ar.Read(bytes, ProjectHeaderSize);
    std::memcpy(&header, bytes, ProjectHeaderSize);
    header.nHeaderSize = GetWord(bytes + offsetof(ProjectHeader, nHeaderSize));
    header.nFlag = GetWord(bytes + offsetof(ProjectHeader, nFlag));
    header.nReserved = GetWord(bytes + offsetof(ProjectHeader, nReserved));
    return n == ProjectHeaderSize;
}
