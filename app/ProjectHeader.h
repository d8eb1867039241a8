#pragma once
#include "framework/core/Platform.h"

class CArchive;

// The fixed 144-byte header at the start of a project file: texts NUL-padded to their fields.
struct ProjectHeader {
    DWORD nHeaderSize;
    char szProduct[20];
    char szVersion[20];
    char szYear[20];
    char szMaker[20];
    char szAuthor[20];
    char szFileVersion[20];
    char szExtension[5];
    char szExtension2[5];
    BYTE padding[2];
    DWORD nFlag;
    DWORD nReserved;
};
static_assert(sizeof(ProjectHeader) == 144);

constexpr UINT ProjectHeaderSize = 144;

// The header every saved project starts with.
const ProjectHeader& GetConstantProjectHeader();

// TRUE when the product, maker and author fields name this program (case-insensitive, each
// field compared within its own 20 bytes).
BOOL IsValidProjectHeader(const ProjectHeader& header);

// The header's bytes in file order (little-endian words).
void WriteProjectHeader(CArchive& ar, const ProjectHeader& header);
// Reads up to 144 bytes into header; FALSE when the file ends before all of them (the bytes
// that were there are kept).
BOOL ReadProjectHeader(CArchive& ar, ProjectHeader& header);
