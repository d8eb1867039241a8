// Dragging cells between grids: the drop target fed directly through IDropTarget, and real
// drags through the OLE loop (under Wine the loop drops at once where the cursor is when the
// button is already up; Ctrl comes from the keyboard state). Sorting rows closes the file.
#include "framework/win/COleDataSource.h"
#include "framework/win/GlobalMemory.h"
#include "tests/grid/GridWinTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// A grid whose drop target the test can reach.
class CDropGrid : public CGridCtrl {
public:
    IDropTarget* DropTarget() { return m_DropTarget.GetDropTarget(); }
    BOOL IsRegistered() const { return m_DropTarget.IsRegistered(); }
};

COleDataSource* TextSource(const char* text)
{
    const SIZE_T n = std::strlen(text) + 1;
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, n);
    std::memcpy(::GlobalLock(h), text, n);
    ::GlobalUnlock(h);
    auto* pSource = new COleDataSource;
    pSource->CacheGlobalData(CF_TEXT, h);
    return pSource;
}

POINTL ScreenPoint(CGridCtrl& grid, int nRow, int nCol)
{
    CPoint point = CellCentre(grid, nRow, nCol);
    grid.ClientToScreen(&point);
    return {point.x, point.y};
}

BOOL DropHighlighted(CGridCtrl& grid, int nRow, int nCol)
{
    return (grid.GetItemState(nRow, nCol) & CellState::kDropTarget) != 0;
}

TEST(GridDropTarget, EnterOverLeaveAndDropThroughOle)
{
    AfxOleInit();
    CGridHost host;
    CDropGrid grid;
    MakeGrid(grid, host, 8, 6, 1, 1);
    grid.EnableDragAndDrop(TRUE);
    ASSERT_TRUE(grid.IsRegistered()) << "registered on the first WM_SIZE";
    grid.SetItemState(4, 4, grid.GetItemState(4, 4) | CellState::kReadOnly);
    COleDataSource* pSource = TextSource("a\tb");
    IDropTarget* p = grid.DropTarget();

    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    p->DragEnter(pSource->GetDataObject(), MK_LBUTTON, ScreenPoint(grid, 2, 2), &effect);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_MOVE));
    EXPECT_TRUE(DropHighlighted(grid, 2, 2));
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    p->DragOver(MK_LBUTTON | MK_CONTROL, ScreenPoint(grid, 3, 3), &effect);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_COPY)) << "Ctrl copies";
    EXPECT_FALSE(DropHighlighted(grid, 2, 2));
    EXPECT_TRUE(DropHighlighted(grid, 3, 3));
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    p->DragOver(MK_LBUTTON, ScreenPoint(grid, 4, 4), &effect);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_NONE)) << "a read-only cell takes nothing";
    p->DragLeave();
    EXPECT_FALSE(DropHighlighted(grid, 3, 3));
    EXPECT_EQ(Texts(grid, 3, 3, 3, 4), "3,3|3,4");

    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    p->DragEnter(pSource->GetDataObject(), MK_LBUTTON, ScreenPoint(grid, 5, 2), &effect);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    p->Drop(pSource->GetDataObject(), MK_CONTROL, ScreenPoint(grid, 5, 2), &effect);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_COPY));
    EXPECT_EQ(Texts(grid, 5, 2, 5, 3), "a|b");
    EXPECT_FALSE(DropHighlighted(grid, 5, 2));

    grid.EnableDragAndDrop(FALSE);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    p->DragEnter(pSource->GetDataObject(), MK_LBUTTON, ScreenPoint(grid, 6, 2), &effect);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_NONE));
    p->DragLeave();
    pSource->InternalRelease();

    grid.DestroyWindow();
    EXPECT_FALSE(grid.IsRegistered()) << "the window's going revokes the target";
}

// Two grids side by side in one window; drags start in the first.
class GridDrag : public ::testing::Test {
protected:
    void SetUp() override
    {
        AfxOleInit();
        MakeGrid(source, host, 8, 6, 1, 1, CRect(0, 0, 300, 300), 115);
        MakeGrid(target, host, 8, 6, 1, 1, CRect(310, 0, 610, 300), 116);
        source.EnableDragAndDrop(TRUE);
        target.EnableDragAndDrop(TRUE);
        source.SetItemText(2, 2, "a"); // no commas: the drop would split at them
        source.SetItemText(2, 3, "b");
        source.SetSelectedRange(2, 2, 2, 3);
    }
    // Drags the selection from (2, 2) and lets go over (row, col) of grid.
    void DragTo(CGridCtrl& grid, int nRow, int nCol, BOOL bCtrl)
    {
        const POINTL at = ScreenPoint(grid, nRow, nCol);
        ::SetCursorPos(at.x, at.y);
        CKeysHeld keys = bCtrl ? CKeysHeld({VK_CONTROL}) : CKeysHeld({});
        const CPoint from = CellCentre(source, 2, 2) + CPoint(0, 3);
        source.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
        source.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(from.x + 12, from.y + 6));
        source.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(from.x + 12, from.y + 6));
        AfxPumpPendingMessages();
    }
    CGridHost host{620, 310};
    CDropGrid source;
    CDropGrid target;
};

TEST_F(GridDrag, CtrlCopiesAndTheSourceKeepsItsCells)
{
    DragTo(target, 3, 3, TRUE);
    EXPECT_EQ(Texts(target, 3, 3, 3, 4), "a|b");
    EXPECT_EQ(Texts(source, 2, 2, 2, 3), "a|b");
    EXPECT_EQ(host.Count(GridNotify::kBeginDrag), 1);
}

TEST_F(GridDrag, AMoveClearsTheSource)
{
    DragTo(target, 3, 3, FALSE);
    EXPECT_EQ(Texts(target, 3, 3, 3, 4), "a|b");
    EXPECT_EQ(Texts(source, 2, 2, 2, 3), "|");
}

TEST_F(GridDrag, AMoveInsideOneGridPastesThenClears)
{
    DragTo(source, 5, 2, FALSE);
    EXPECT_EQ(Texts(source, 5, 2, 5, 3), "a|b");
    EXPECT_EQ(Texts(source, 2, 2, 2, 3), "|");
}

TEST_F(GridDrag, APartlyRefusedDropKeepsTheSource)
{
    target.SetItemState(3, 4, target.GetItemState(3, 4) | CellState::kReadOnly);
    DragTo(target, 3, 3, FALSE);
    EXPECT_EQ(Texts(target, 3, 3, 3, 4), "a|3,4");
    EXPECT_EQ(Texts(source, 2, 2, 2, 3), "a|b") << "the move became a copy";
}

TEST(GridSorting, ByteOrderHeaderClicksAndLargeGrids)
{
    CGridHost host;
    CGridCtrl grid;
    MakeGrid(grid, host, 4, 2, 1, 1);
    const char* texts[] = {"b", "a", "B"};
    for (int r = 1; r <= 3; ++r)
        grid.SetItemText(r, 1, texts[r - 1]);
    grid.SetHeaderSort(TRUE);
    Click(grid, CellCentre(grid, 0, 1));
    EXPECT_EQ(Texts(grid, 0, 1, 3, 1), "0,1/B/a/b") << "upper case first; the header stays";
    EXPECT_EQ(Texts(grid, 1, 0, 3, 0), "3,0/2,0/1,0") << "whole rows move";
    EXPECT_EQ(grid.GetSortColumn(), 1);
    Click(grid, CellCentre(grid, 0, 1));
    EXPECT_EQ(Texts(grid, 1, 1, 3, 1), "b/a/B") << "a second click sorts the other way";
    grid.SetItemText(1, 1, "c");
    EXPECT_EQ(grid.GetSortColumn(), -1) << "a change forgets the order";

    const int n = 100000;
    CGridCtrl large;
    MakeGrid(large, host, n + 1, 1, 1, 0);
    for (int r = 1; r <= n; ++r) {
        char text[16];
        const int key = r <= n / 2 ? r : n + 1 - r; // organ pipe
        std::snprintf(text, sizeof text, "%06d", key);
        large.SetItemText(r, 0, text);
    }
    ASSERT_TRUE(large.SortTextItems(0, TRUE));
    BOOL bSorted = TRUE;
    for (int r = 2; r <= n && bSorted; ++r)
        bSorted = large.GetItemText(r - 1, 0).Compare(large.GetItemText(r, 0)) <= 0;
    EXPECT_TRUE(bSorted);
    EXPECT_STREQ(large.GetItemText(n, 0), "050000");
}

} // namespace
