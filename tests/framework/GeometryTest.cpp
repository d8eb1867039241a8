#include "framework/core/Geometry.h"

#include <gtest/gtest.h>

#include <cstddef>

namespace {

// The same layout as the Win32 structures, so a CRect passes wherever a RECT is expected.
static_assert(sizeof(CPoint) == 8 && sizeof(CSize) == 8 && sizeof(CRect) == 16);
static_assert(offsetof(RECT, left) == 0 && offsetof(RECT, top) == 4 && offsetof(RECT, right) == 8 &&
              offsetof(RECT, bottom) == 12);

TEST(CRect, IntersectAndUnion)
{
    struct Case {
        CRect a, b;
        bool intersects;
        CRect common;
        CRect both;
    };
    const Case cases[] = {
        {{0, 0, 10, 10}, {5, 5, 15, 15}, true, {5, 5, 10, 10}, {0, 0, 15, 15}},
        {{0, 0, 10, 10},
         {10, 0, 20, 10},
         false,
         {},
         {0, 0, 20, 10}}, // touching edges share nothing
        {{0, 0, 10, 10}, {2, 2, 4, 4}, true, {2, 2, 4, 4}, {0, 0, 10, 10}},
        {{0, 0, 10, 10}, {20, 20, 20, 30}, false, {}, {0, 0, 10, 10}}, // empty one is ignored
        {{0, 0, 0, 0}, {0, 0, 0, 0}, false, {}, {}},
    };
    for (const Case& c : cases) {
        CRect r;
        EXPECT_EQ(bool(r.IntersectRect(&c.a, &c.b)), c.intersects) << c.a.left << "," << c.b.left;
        EXPECT_TRUE(r == c.common) << c.b.left << "," << c.b.top;
        EXPECT_TRUE((c.a & c.b) == c.common);
        CRect u;
        u.UnionRect(&c.a, &c.b);
        EXPECT_TRUE(u == c.both) << c.b.left << "," << c.b.top;
        EXPECT_TRUE((c.a | c.b) == c.both);
    }
}

TEST(CRect, PointsSizesAndAdjustments)
{
    CRect r(10, 20, 30, 60);
    EXPECT_EQ(r.Width(), 20);
    EXPECT_EQ(r.Height(), 40);
    EXPECT_TRUE(r.CenterPoint() == CPoint(20, 40));
    EXPECT_TRUE(r.TopLeft() == CPoint(10, 20));
    EXPECT_TRUE(r.BottomRight() == CPoint(30, 60));
    EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(r.PtInRect(CPoint(30, 20))); // right edge lies outside
    EXPECT_FALSE(r.PtInRect(CPoint(10, 60)));

    r.InflateRect(1, 2);
    EXPECT_TRUE(r == CRect(9, 18, 31, 62));
    r.DeflateRect(1, 2, 3, 4);
    EXPECT_TRUE(r == CRect(10, 20, 28, 58));
    r.OffsetRect(-10, CSize(0, 0).cy);
    EXPECT_TRUE(r == CRect(0, 20, 18, 58));
    r += CPoint(1, 1);
    EXPECT_TRUE(r == CRect(1, 21, 19, 59));

    CRect flipped(30, 40, 10, 20);
    EXPECT_TRUE(flipped.IsRectEmpty());
    flipped.NormalizeRect();
    EXPECT_TRUE(flipped == CRect(10, 20, 30, 40));
    EXPECT_FALSE(flipped.IsRectEmpty());

    const CSize d = CPoint(5, 7) - CPoint(2, 3);
    EXPECT_TRUE(d == CSize(3, 4));
    EXPECT_TRUE(CPoint(1, 1) + d == CPoint(4, 5));
    const CRect rc(1, 2, 3, 4);
    const RECT* raw = rc;
    EXPECT_EQ(raw->bottom, 4);
}

} // namespace
