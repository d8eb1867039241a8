// The grid's geometry without a window: hit tests and origins over hidden rows, the scroll-bar
// decision, wheel steps, key navigation and the selected-cell set.
#include "grid/GridAxis.h"
#include "grid/GridNavigation.h"
#include "grid/SelectedCellSet.h"
#include "tests/grid/GridAxisOf.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(GridSelection, CellsFarApartNeverShareAKey)
{
    // 70,000 and 4,464 agree in their low 16 bits; columns 1 and 65,537 likewise.
    CSelectedCellSet set;
    set.Add(4464, 1);
    set.Add(70000, 1);
    set.Add(3, 65537);
    EXPECT_EQ(set.GetCount(), 3u);
    EXPECT_TRUE(set.Contains(70000, 1));
    EXPECT_FALSE(set.Contains(3, 1));
    set.Remove(4464, 1);
    EXPECT_TRUE(set.Contains(70000, 1)) << "removing one cell keeps the other";
    EXPECT_EQ(set.GetBoundingBlock(), CCellBlock(3, 1, 70000, 65537));

    for (const CCellPos& cell : set.GetCells()) // changing the set while walking a snapshot
        set.Remove(cell.row, cell.col);
    EXPECT_TRUE(set.IsEmpty());
    EXPECT_FALSE(set.GetBoundingBlock().IsValid());
}

// Rows: one fixed header of 20, then 10, hidden, 30, 15, hidden, 25.
const CGridAxis kRows = Axis({20, 10, 0, 30, 15, 0, 25}, 1);

TEST(GridGeometry, OriginsAndHitTestsPassOverHiddenRows)
{
    struct Case {
        int nTopLeft;
        int nRow;
        BOOL bOk;
        int nOrigin;
    };
    const Case origins[] = {
        {1, 0, TRUE, 0},  {1, 1, TRUE, 20}, {1, 2, TRUE, 30},  {1, 3, TRUE, 30},
        {1, 4, TRUE, 60}, {1, 6, TRUE, 75}, {3, 1, FALSE, 0},  {3, 3, TRUE, 20},
        {3, 0, TRUE, 0},  {1, 7, FALSE, 0}, {1, -1, FALSE, 0},
    };
    for (const Case& c : origins) {
        int nOrigin = -99;
        EXPECT_EQ(kRows.GetOrigin(c.nRow, c.nTopLeft, &nOrigin), c.bOk)
            << "row " << c.nRow << " top " << c.nTopLeft;
        if (c.bOk) {
            EXPECT_EQ(nOrigin, c.nOrigin) << "row " << c.nRow << " top " << c.nTopLeft;
        }
    }

    struct Hit {
        int y;
        BOOL bAllowFixed;
        int nRow;
    };
    const Hit hits[] = {
        {-1, TRUE, -1}, {0, TRUE, 0},  {19, TRUE, 0},   {19, FALSE, -1}, {20, TRUE, 1},
        {29, TRUE, 1},  {30, TRUE, 3}, {59, TRUE, 3},   {60, TRUE, 4},   {74, TRUE, 4},
        {75, TRUE, 6},  {99, TRUE, 6}, {100, TRUE, -1},
    };
    for (const Hit& h : hits)
        EXPECT_EQ(kRows.IndexAt(h.y, 1, h.bAllowFixed), h.nRow) << "y " << h.y;
    EXPECT_EQ(kRows.IndexAt(25, 3, TRUE), 3) << "scrolled: row 3 follows the header";
}

TEST(GridGeometry, ScrollPositionsAndTheVisibleEnd)
{
    EXPECT_EQ(kRows.TopLeftAt(0), 1);
    EXPECT_EQ(kRows.TopLeftAt(10), 3) << "the hidden row 2 is passed";
    EXPECT_EQ(kRows.TopLeftAt(40), 4);
    EXPECT_EQ(kRows.TopLeftAt(1000), 6) << "never past the last row";
    int nEnd = 0;
    EXPECT_EQ(kRows.LastVisible(1, 45, &nEnd), 3) << "a partly shown row counts";
    EXPECT_EQ(nEnd, 45);
    EXPECT_EQ(kRows.LastVisible(1, 500, &nEnd), 6);
    EXPECT_EQ(nEnd, 100);
    EXPECT_EQ(kRows.GetTotal(), 100);
    EXPECT_EQ(kRows.GetFixedExtent(), 20);

    // The position that brings a row into a client of the given height.
    struct Showing {
        int nRow, nTopLeft, nClient, nPos, nExpected;
    };
    const Showing showing[] = {
        {0, 4, 60, 40, 40}, // a header row scrolls nothing
        {4, 1, 100, 0, 0},  // shown already
        {6, 1, 60, 0, 40},  // least scrolling: rows 4 to 6 fill the 40 pixels
        {1, 4, 60, 40, 0},  // above: it comes first
        {3, 1, 40, 0, 10},  // taller than the room: it comes first
        {6, 4, 60, 40, 40}, // shown already, scrolled
        {9, 1, 60, 0, 0},   // no such row
    };
    for (const Showing& c : showing)
        EXPECT_EQ(kRows.PositionShowing(c.nRow, c.nTopLeft, c.nClient, c.nPos), c.nExpected)
            << "row " << c.nRow << " top " << c.nTopLeft << " client " << c.nClient;
}

TEST(GridGeometry, ScrollBarsAreDecidedVerticalFirst)
{
    struct Case {
        const char* what;
        int nWidth, nHeight;
        std::vector<int> cols, rows;
        GridScrollBars expected; // horz shown, vert shown, horz max, vert max, pages
    };
    const std::vector<int> tenRows(10, 20); // 1 fixed + 9 x 20 = 180 scrollable
    const Case cases[] = {
        {"fixed columns wider than the client", 100, 400, {120, 50}, tenRows, {}},
        {"everything fits", 300, 300, {50, 100, 100}, tenRows, {}},
        {"rows overflow", 300, 150, {50, 100, 100}, tenRows, {FALSE, TRUE, 0, 179, 0, 130}},
        {"columns overflow", 200, 300, {50, 100, 100}, tenRows, {TRUE, FALSE, 199, 0, 150, 0}},
        // 200 rows high exactly fits 1 + 9 rows, but the horizontal bar then takes 16.
        {"horizontal bar makes vertical",
         200,
         200,
         {50, 100, 100},
         tenRows,
         {TRUE, TRUE, 199, 179, 150, 164}},
        // The vertical bar's 16 pixels make the columns overflow.
        {"vertical bar makes horizontal",
         260,
         150,
         {50, 100, 100},
         tenRows,
         {TRUE, TRUE, 199, 179, 194, 114}},
    };
    for (const Case& c : cases) {
        const GridScrollBars bars =
            ComputeGridScrollBars(c.nWidth, c.nHeight, Axis(c.rows, 1), Axis(c.cols, 1), 16, 16);
        EXPECT_EQ(bars.bShowHorz, c.expected.bShowHorz) << c.what;
        EXPECT_EQ(bars.bShowVert, c.expected.bShowVert) << c.what;
        EXPECT_EQ(bars.nHorzMax, c.expected.nHorzMax) << c.what;
        EXPECT_EQ(bars.nVertMax, c.expected.nVertMax) << c.what;
        EXPECT_EQ(bars.nHorzPage, c.expected.nHorzPage) << c.what;
        EXPECT_EQ(bars.nVertPage, c.expected.nVertPage) << c.what;
    }
}

TEST(GridGeometry, WheelStepsTruncateTowardZero)
{
    struct Case {
        int nDelta;
        UINT nLines;
        int nSteps;
        BOOL bPages;
    };
    const Case cases[] = {
        {120, 3, 3, FALSE}, {-120, 3, -3, FALSE}, {60, 3, 1, FALSE},        {30, 3, 0, FALSE},
        {240, 1, 2, FALSE}, {120, 0, 0, FALSE},   {120, UINT(-1), 1, TRUE}, {60, UINT(-1), 0, TRUE},
    };
    for (const Case& c : cases) {
        BOOL bPages = -1;
        EXPECT_EQ(GridWheelSteps(c.nDelta, c.nLines, &bPages), c.nSteps)
            << c.nDelta << " " << c.nLines;
        EXPECT_EQ(bPages, c.bPages) << c.nDelta << " " << c.nLines;
    }
}

TEST(GridNavigationTest, KeysPassHiddenRowsAndColumns)
{
    // Columns: fixed 0; 1 shown, 2 hidden, 3 shown, 4 hidden. Rows as kRows: 2 and 5 hidden.
    const CGridAxis cols = Axis({30, 40, 0, 40, 0}, 1);
    struct Case {
        GridMove move;
        CCellPos from;
        CCellPos to;
        BOOL bLineChange;
        BOOL bHandled;
    };
    const Case cases[] = {
        {GridMove::Down, {1, 1}, {3, 1}, FALSE, TRUE},
        {GridMove::Down, {6, 1}, {6, 1}, FALSE, TRUE},
        {GridMove::Up, {3, 1}, {1, 1}, FALSE, TRUE},
        {GridMove::Up, {1, 1}, {1, 1}, FALSE, TRUE}, // never into the header row
        {GridMove::Right, {1, 1}, {1, 3}, FALSE, TRUE},
        {GridMove::Right, {1, 3}, {1, 3}, FALSE, TRUE},
        {GridMove::Left, {1, 3}, {1, 1}, FALSE, TRUE},
        {GridMove::Left, {1, 1}, {1, 1}, FALSE, TRUE},
        {GridMove::Tab, {1, 1}, {1, 3}, FALSE, TRUE},
        {GridMove::Tab, {1, 3}, {3, 1}, TRUE, TRUE},
        {GridMove::Tab, {6, 3}, {6, 3}, FALSE, FALSE}, // the last cell: nothing
        {GridMove::BackTab, {3, 1}, {1, 3}, TRUE, TRUE},
        {GridMove::BackTab, {1, 1}, {1, 1}, FALSE, FALSE},
        {GridMove::Home, {4, 3}, {4, 1}, FALSE, TRUE},
        {GridMove::End, {4, 1}, {4, 3}, FALSE, TRUE},
        {GridMove::CtrlHome, {6, 3}, {1, 1}, FALSE, TRUE},
        {GridMove::CtrlEnd, {1, 1}, {6, 3}, FALSE, TRUE},
    };
    for (const Case& c : cases) {
        const GridMoveResult r = GridMoveFocus(c.move, c.from, kRows, cols);
        const int nMove = int(c.move);
        EXPECT_EQ(r.next, c.to) << "move " << nMove << " from " << c.from.row << "," << c.from.col
                                << " gave " << r.next.row << "," << r.next.col;
        EXPECT_EQ(r.bLineChange, c.bLineChange) << "move " << nMove;
        EXPECT_EQ(r.bHandled, c.bHandled) << "move " << nMove;
    }
}

TEST(GridNavigationTest, EndStopsAtTheFirstNonFixedColumn)
{
    // Every column but the first non-fixed one is hidden: End must still land on column 1.
    const CGridAxis cols = Axis({30, 40, 0, 0}, 1);
    const CGridAxis rows = Axis({20, 20, 20, 0}, 1);
    EXPECT_EQ(GridMoveFocus(GridMove::End, {1, 1}, rows, cols).next, CCellPos(1, 1));
    EXPECT_EQ(GridMoveFocus(GridMove::CtrlEnd, {1, 1}, rows, cols).next, CCellPos(2, 1));
}

} // namespace
