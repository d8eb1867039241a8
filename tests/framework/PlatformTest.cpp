#include "framework/core/Platform.h"

#include <gtest/gtest.h>

#include <cstddef>

namespace {

// Stored fields use these types: their widths must match the Windows build's.
static_assert(sizeof(BYTE) == 1 && sizeof(WORD) == 2 && sizeof(DWORD) == 4 && sizeof(LONG) == 4);
static_assert(sizeof(UINT) == 4 && sizeof(BOOL) == 4 && sizeof(COLORREF) == 4 &&
              sizeof(ULONG) == 4);
static_assert(sizeof(INT_PTR) == sizeof(void*) && sizeof(LPARAM) == sizeof(void*));
static_assert(sizeof(POINT) == 8 && sizeof(SIZE) == 8 && sizeof(RECT) == 16);
static_assert(sizeof(LOGFONTA) == 60 && offsetof(LOGFONTA, lfFaceName) == 28);

TEST(Platform, ColourAndWordMacros)
{
    const COLORREF c = RGB(0x12, 0x34, 0x56);
    EXPECT_EQ(c, 0x00563412u);
    EXPECT_EQ(GetRValue(c), 0x12);
    EXPECT_EQ(GetGValue(c), 0x34);
    EXPECT_EQ(GetBValue(c), 0x56);
    EXPECT_EQ(RGB(255, 255, 255), 0x00FFFFFFu);

    const DWORD l = DWORD(MAKELONG(0xFFFE, 0x8001));
    EXPECT_EQ(l, 0x8001FFFEu);
    EXPECT_EQ(LOWORD(l), 0xFFFE);
    EXPECT_EQ(HIWORD(l), 0x8001);
    EXPECT_EQ(MAKEWORD(0x34, 0x12), 0x1234);
    // A negative coordinate packed into an LPARAM keeps its 16 bits.
    const LPARAM lp = MAKELONG(-5, 7);
    EXPECT_EQ(short(LOWORD(lp)), -5);
    EXPECT_EQ(short(HIWORD(lp)), 7);
}

} // namespace
