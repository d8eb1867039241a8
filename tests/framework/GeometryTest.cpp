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

TEST(CRect, CentredInTheWorkArea)
{
    const CRect work(0, 0, 1024, 740); // a screen of 1024 x 768 less its task bar
    struct Case {
        const char* what;
        CSize size;
        CRect owner;
        CPoint topLeft;
    } cases[] = {
        {"centred on a large owner", {200, 100}, {100, 50, 900, 650}, {400, 300}},
        {"an odd pixel goes left and up", {201, 101}, {0, 0, 400, 300}, {99, 99}},
        {"owner near the right edge", {300, 200}, {900, 100, 1300, 400}, {724, 150}},
        {"owner above the top edge", {300, 200}, {100, -300, 500, 100}, {150, 0}},
        {"owner past the bottom", {300, 200}, {100, 700, 500, 900}, {150, 540}},
        {"owner off the left", {300, 200}, {-900, 100, -100, 400}, {0, 150}},
        {"larger than the work area", {1200, 900}, {0, 0, 1024, 740}, {0, 0}},
    };
    for (const Case& c : cases) {
        const CPoint got = CenteredInWorkArea(c.size, c.owner, work);
        EXPECT_TRUE(got == c.topLeft) << c.what << ": " << got.x << "," << got.y;
    }
    // Inside a second monitor's work area on the left of the first.
    EXPECT_TRUE(CenteredInWorkArea({300, 200}, {-100, 0, 200, 300}, {-1280, 0, 0, 1000}) ==
                CPoint(-300, 50));
}

} // namespace
