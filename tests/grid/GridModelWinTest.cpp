// The grid's model and geometry in a real window: counts and header bits, the focus when rows
// go, selection keys, hit tests over hidden cells, scroll bars, the wheel, EnsureVisible.
#include "tests/grid/GridWinTestSupport.h"

#include <gtest/gtest.h>

#include <new>

namespace {

TEST(GridModel, CountsHeaderBitsAndTheFocus)
{
    CGridHost host;
    CGridCtrl grid;
    MakeGrid(grid, host, 5, 4, 1, 1);
    const UINT kRowBits = CellState::kFixed | CellState::kFixedRow;
    const UINT kColBits = CellState::kFixed | CellState::kFixedCol;
    EXPECT_EQ(grid.GetItemState(0, 0), kRowBits | kColBits);
    EXPECT_EQ(grid.GetItemState(0, 2), kRowBits);
    EXPECT_EQ(grid.GetItemState(2, 0), kColBits);
    EXPECT_EQ(grid.GetItemState(2, 2), 0u);

    ASSERT_TRUE(grid.SetFixedRowCount(2));
    EXPECT_EQ(grid.GetItemState(1, 2), kRowBits);
    ASSERT_TRUE(grid.SetFixedRowCount(1));
    EXPECT_EQ(grid.GetItemState(1, 0), kColBits) << "still fixed as part of the fixed column";
    EXPECT_EQ(grid.GetItemState(1, 2), 0u);

    grid.SetFocusCell(3, 2);
    EXPECT_TRUE(grid.GetItemState(3, 2) & CellState::kFocused);
    ASSERT_TRUE(grid.SetRowCount(3));
    EXPECT_EQ(grid.GetFocusCell(), CCellPos(-1, -1)) << "the focus row went";
    grid.SetFocusCell(2, 3);
    ASSERT_TRUE(grid.SetFixedColumnCount(3));
    EXPECT_EQ(grid.GetFocusCell(), CCellPos(-1, -1)) << "the focus column became fixed";
    grid.SetFocusCell(0, 0);
    EXPECT_EQ(grid.GetFocusCell(), CCellPos(1, 3)) << "a focus in the headers moves out";

    ASSERT_TRUE(grid.SetFixedRowCount(3));
    ASSERT_TRUE(grid.SetRowCount(2));
    EXPECT_EQ(grid.GetFixedRowCount(), 2) << "fewer rows than fixed ones";
    EXPECT_TRUE(grid.SetRowCount(2)) << "the same count";
    EXPECT_EQ(grid.GetRowHeight(-1), -1);
    EXPECT_EQ(grid.GetColumnWidth(grid.GetColumnCount()), -1);
    EXPECT_FALSE(grid.SetRowHeight(1, -1));
    EXPECT_EQ(grid.GetRowHeight(1), 20);
    EXPECT_FALSE(grid.SetItemText(5, 0, "x"));

    CGridCtrl fresh(2, 2, 1, 1);
    const CGridDefaultCell* pDefault = fresh.GetDefaultCell(FALSE, FALSE);
    const CGridDefaultCell* pFixedCol = fresh.GetDefaultCell(FALSE, TRUE);
    EXPECT_EQ(fresh.GetRowHeight(1), pDefault->GetHeight());
    EXPECT_EQ(fresh.GetColumnWidth(1), pFixedCol->GetWidth());
    EXPECT_EQ(pDefault->GetFormat(),
              UINT(DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS));
    EXPECT_TRUE(pDefault->GetState() & CellState::kReadOnly);
    EXPECT_TRUE(fresh.GetFrameFocusCell()) << "the switches drawing reads exist and are on";
    EXPECT_TRUE(fresh.GetShadedPrintOut());
}

TEST(GridModel, CellsFarApartAreSelectedApart)
{
    CGridHost host;
    CGridCtrl grid;
    MakeGrid(grid, host, 70001, 2, 0, 0);
    ASSERT_EQ(grid.GetRowCount(), 70001);
    grid.SetItemState(4464, 1, CellState::kSelected);
    grid.SetItemState(70000, 1, CellState::kSelected);
    EXPECT_TRUE(grid.IsCellSelected(4464, 1));
    EXPECT_TRUE(grid.IsCellSelected(70000, 1));
    EXPECT_EQ(grid.GetSelectedCount(), 2);
    EXPECT_EQ(grid.GetSelectedCellRange(), CCellBlock(4464, 1, 70000, 1));
    grid.SetItemState(4464, 1, 0);
    EXPECT_TRUE(grid.IsCellSelected(70000, 1)) << "deselecting one keeps the other";
    EXPECT_EQ(grid.GetSelectedCount(), 1);
}

// A grid whose memory runs out after a number of new cells.
class CStarvedGrid : public CGridCtrl {
public:
    int m_nBudget = 1000000;

protected:
    CGridCellBase* CreateCell(int nRow, int nCol) override
    {
        if (m_nBudget-- <= 0)
            throw std::bad_alloc();
        return CGridCtrl::CreateCell(nRow, nCol);
    }
};

TEST(GridModel, GrowthThatRunsOutOfMemoryKeepsWholeRows)
{
    CStarvedGrid grid;
    ASSERT_TRUE(grid.SetColumnCount(3));
    grid.m_nBudget = 3 * 4 + 2; // four whole rows and part of a fifth
    EXPECT_FALSE(grid.SetRowCount(10));
    ASSERT_EQ(grid.GetRowCount(), 4);
    EXPECT_EQ(grid.GetRowHeight(4), -1) << "heights only for rows that exist";
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_NE(grid.GetCell(r, c), nullptr) << r << "," << c;
    grid.m_nBudget = 4 + 2;
    EXPECT_FALSE(grid.SetColumnCount(5));
    EXPECT_EQ(grid.GetColumnCount(), 4);
    EXPECT_NE(grid.GetCell(3, 3), nullptr);
}

TEST(GridGeometryWin, HiddenCellsAreNeverHit)
{
    CGridHost host;
    CGridCtrl grid;
    MakeGrid(grid, host, 10, 6, 1, 1);
    grid.SetColumnWidth(2, 0);
    grid.SetRowHeight(3, 0);
    // Column 1 spans x 50..99; column 2 is hidden; column 3 starts at 100.
    EXPECT_EQ(grid.GetCellFromPt(CPoint(99, 30)), CCellPos(1, 1));
    EXPECT_EQ(grid.GetCellFromPt(CPoint(100, 30)), CCellPos(1, 3));
    EXPECT_EQ(grid.GetCellFromPt(CPoint(100, 60)), CCellPos(4, 3)) << "row 3 is hidden";
    EXPECT_EQ(grid.GetCellFromPt(CPoint(10, 10), FALSE), CCellPos(-1, -1));
    CRect rect;
    ASSERT_TRUE(grid.GetCellRect(4, 3, rect));
    EXPECT_EQ(rect, CRect(100, 60, 149, 79));
}

TEST(GridGeometryWin, ScrollBarsShowOnlyWhenNeededVerticalFirst)
{
    CGridHost host;
    CGridCtrl grid;
    MakeGrid(grid, host, 4, 4, 1, 1);
    CRect client;
    grid.GetClientRect(client);
    ASSERT_EQ(grid.GetScrollBarState(), 0);

    // Exactly the client height, a little too wide: the horizontal bar then needs the vertical.
    grid.SetRowHeight(3, client.Height() - 60);
    grid.SetColumnWidth(3, client.Width() - 150 + 10);
    EXPECT_EQ(grid.GetScrollBarState(), 3);
    // Room for the horizontal bar's height: only it shows.
    grid.SetRowHeight(3, client.Height() - 60 - 30);
    EXPECT_EQ(grid.GetScrollBarState(), 1);
    EXPECT_EQ(::GetWindowLongA(grid.m_hWnd, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), WS_HSCROLL)
        << "the bits follow the window";
    // Fixed columns wider than the client: no bars at all.
    grid.SetColumnWidth(0, client.Width() + 50);
    EXPECT_EQ(grid.GetScrollBarState(), 0);
}

TEST(GridGeometryWin, WheelPostsLineScrollsAndEnsureVisibleScrolls)
{
    CGridHost host;
    CGridCtrl grid;
    MakeGrid(grid, host, 100, 20, 1, 1);
    AfxPumpPendingMessages();
    UINT nLines = 3;
    ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &nLines, 0);
    grid.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-120)), MAKELPARAM(10, 10));
    MSG msg;
    UINT nPosted = 0;
    while (::PeekMessageA(&msg, grid.m_hWnd, WM_VSCROLL, WM_VSCROLL, PM_REMOVE)) {
        EXPECT_EQ(LOWORD(msg.wParam), SB_LINEDOWN);
        ++nPosted;
    }
    EXPECT_EQ(nPosted, nLines);

    EXPECT_FALSE(grid.IsCellVisible(80, 15));
    grid.EnsureVisible(80, 15);
    EXPECT_TRUE(grid.IsCellVisible(80, 15));
    CRect client, rect;
    grid.GetClientRect(client);
    ASSERT_TRUE(grid.GetCellRect(80, 15, rect));
    EXPECT_LE(rect.bottom, client.bottom);
    EXPECT_LE(rect.right, client.right);
    EXPECT_FALSE(grid.IsCellVisible(1, 1));
    grid.EnsureVisible(1, 1);
    EXPECT_EQ(grid.GetTopleftNonFixedCell(), CCellPos(1, 1));
}

} // namespace
