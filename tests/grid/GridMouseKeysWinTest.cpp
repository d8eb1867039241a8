// The grid driven by the mouse and the keyboard as a user does: clicks with Ctrl and Shift,
// keys over hidden cells, selecting by dragging past the edge, resizing a column, a click that
// jitters.
#include "framework/win/CDC.h"
#include "tests/grid/GridWinTestSupport.h"

#include <gtest/gtest.h>

namespace {

std::vector<CCellPos> SelectedCells(CGridCtrl& grid)
{
    std::vector<CCellPos> cells;
    for (int r = 0; r < grid.GetRowCount(); ++r)
        for (int c = 0; c < grid.GetColumnCount(); ++c)
            if (grid.IsCellSelected(r, c))
                cells.emplace_back(r, c);
    return cells;
}

TEST(GridMouse, CtrlAndShiftClicksBuildTheSelection)
{
    CGridHost host;
    CGridCtrl grid;
    MakeGrid(grid, host, 10, 6, 1, 1);
    Click(grid, CellCentre(grid, 2, 2));
    EXPECT_EQ(SelectedCells(grid), std::vector<CCellPos>{CCellPos(2, 2)});
    EXPECT_EQ(grid.GetFocusCell(), CCellPos(2, 2));
    EXPECT_EQ(host.Codes(),
              (std::vector<int>{GridNotify::kSelChanging, GridNotify::kSelChanged, int(NM_CLICK)}));
    AfxPumpPendingMessages();
    ASSERT_EQ(host.commands.size(), 1u);
    EXPECT_EQ(host.commands[0], WPARAM(115)) << "the release posts the grid's command";

    Click(grid, CellCentre(grid, 4, 3), MK_SHIFT);
    EXPECT_EQ(grid.GetSelectedCellRange(), CCellBlock(2, 2, 4, 3));
    EXPECT_EQ(grid.GetSelectedCount(), 6);
    Click(grid, CellCentre(grid, 6, 1), MK_CONTROL);
    EXPECT_EQ(grid.GetSelectedCount(), 7) << "Ctrl adds a block and keeps the others";
    Click(grid, CellCentre(grid, 3, 3), MK_CONTROL);
    EXPECT_FALSE(grid.IsCellSelected(3, 3)) << "Ctrl on a selected cell deselects it";
    EXPECT_EQ(grid.GetSelectedCount(), 6);
    EXPECT_EQ(grid.GetFocusCell(), CCellPos(3, 3));

    // A header click selects the whole column; the corner selects everything.
    Click(grid, CellCentre(grid, 0, 4));
    EXPECT_EQ(grid.GetSelectedCellRange(), CCellBlock(1, 4, 9, 4));
    Click(grid, CellCentre(grid, 0, 0));
    EXPECT_EQ(grid.GetSelectedCount(), 9 * 5);
    host.Clear();
    grid.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(390, 290));
    EXPECT_EQ(host.notices.back().code, int(NM_RCLICK));
    EXPECT_EQ(host.notices.back().row, -1) << "a right click outside the cells";
}

TEST(GridKeys, ArrowsTabAndEndPassHiddenCells)
{
    CGridHost host;
    CGridCtrl grid;
    MakeGrid(grid, host, 8, 7, 1, 1);
    grid.SetColumnWidth(3, 0);
    grid.SetColumnWidth(6, 0);
    grid.SetRowHeight(4, 0);
    Click(grid, CellCentre(grid, 3, 2));
    struct Step {
        UINT key;
        std::initializer_list<int> held;
        CCellPos focus;
    };
    const Step steps[] = {
        {VK_RIGHT, {}, {3, 4}},
        {VK_DOWN, {}, {5, 4}},
        {VK_UP, {}, {3, 4}},
        {VK_LEFT, {}, {3, 2}},
        {VK_END, {}, {3, 5}},
        {VK_TAB, {}, {5, 1}},
        {VK_TAB, {VK_SHIFT}, {3, 5}},
        {VK_HOME, {}, {3, 1}},
        {VK_END, {VK_CONTROL}, {7, 5}},
        {VK_TAB, {}, {7, 5}},
        {VK_HOME, {VK_CONTROL}, {1, 1}},
        {VK_TAB, {VK_SHIFT}, {1, 1}},
    };
    for (const Step& step : steps) {
        CKeysHeld held(step.held);
        Press(grid, step.key);
        EXPECT_EQ(grid.GetFocusCell(), step.focus)
            << "key " << step.key << " gave " << grid.GetFocusCell().row << ","
            << grid.GetFocusCell().col;
        EXPECT_EQ(SelectedCells(grid), std::vector<CCellPos>{step.focus})
            << "plain movement selects the new cell alone";
    }
    {
        CKeysHeld shift({VK_SHIFT});
        Press(grid, VK_DOWN);
        Press(grid, VK_RIGHT);
    }
    EXPECT_EQ(grid.GetSelectedCellRange(), CCellBlock(1, 1, 2, 2)) << "Shift extends";
}

TEST(GridMouse, DraggingPastTheBottomScrollsAndExtends)
{
    CGridHost host;
    CGridCtrl grid;
    MakeGrid(grid, host, 60, 6, 1, 1);
    Click(grid, CellCentre(grid, 1, 1)); // a first click only moves the focus here
    const CPoint start = CellCentre(grid, 2, 2);
    grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(start.x, start.y));
    CRect client;
    grid.GetClientRect(client);
    CPoint below(start.x, client.bottom + 30);
    grid.ClientToScreen(&below);
    ::SetCursorPos(below.x, below.y);
    for (int i = 0; i < 20; ++i)
        grid.SendMessage(WM_TIMER, 513, 0);
    EXPECT_GT(grid.GetTopleftNonFixedCell().row, 1) << "the grid scrolled down";
    const CCellBlock selected = grid.GetSelectedCellRange();
    EXPECT_EQ(selected.GetMinRow(), 2);
    EXPECT_GE(grid.GetFocusCell().row, 20) << "each tick moved the focus down";
    EXPECT_GE(selected.GetMaxRow(), grid.GetFocusCell().row) << "to the bottom edge";
    grid.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(start.x, client.bottom - 1));
    EXPECT_FALSE(grid.KillTimer(513)) << "the release stopped the timer";
}

TEST(GridMouse, ResizingAColumnReportsItsWidthAndKeepsItsMinimum)
{
    CGridHost host;
    CGridCtrl grid;
    MakeGrid(grid, host, 10, 6, 1, 1);
    // Column 1 spans 50..99: its right border is at 99.
    const auto drag = [&](int xFrom, int xTo) {
        host.Clear();
        grid.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(xFrom, 10));
        grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(xFrom, 10));
        grid.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(xTo, 10));
        grid.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(xTo, 10));
    };
    drag(99, 130);
    EXPECT_EQ(grid.GetColumnWidth(1), 80);
    ASSERT_EQ(host.Count(GridNotify::kColumnResized), 1);
    EXPECT_EQ(host.notices.back().row, 80) << "the row field carries the width";
    EXPECT_EQ(host.notices.back().col, 1);

    drag(129, 129);
    EXPECT_EQ(grid.GetColumnWidth(1), 80) << "a release where it began changes nothing";
    EXPECT_EQ(host.Count(GridNotify::kColumnResized), 0);

    grid.EnableColumnHide(FALSE);
    drag(129, 20);
    EXPECT_EQ(grid.GetColumnWidth(1), 1) << "no hiding by resizing: one pixel is left";
    grid.EnableColumnHide(TRUE);
    drag(51, 20); // the border after the one-pixel column
    EXPECT_EQ(grid.GetColumnWidth(1), 0);
    EXPECT_EQ(grid.GetColumnWidth(0), 50);
}

TEST(GridMouse, DoubleClickOnABorderFitsTheColumnToItsTexts)
{
    CGridHost host;
    CGridCtrl grid;
    MakeGrid(grid, host, 6, 4, 1, 1);
    grid.SetItemText(3, 2, "a much longer text than the others");
    // Column 2 spans 100..149: its right border is at 149.
    grid.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(149, 10));
    grid.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(149, 10));
    CClientDC dc(&grid);
    CFont* pOld = dc.SelectObject(grid.GetDefaultCell(FALSE, FALSE)->GetFontObject());
    const int nText = dc.GetTextExtent("a much longer text than the others").cx;
    dc.SelectObject(pOld);
    EXPECT_GE(grid.GetColumnWidth(2), nText) << "the widest text fits";
    EXPECT_EQ(grid.GetColumnWidth(1), 50) << "its neighbour keeps its width";
    EXPECT_TRUE(grid.AutoSizeRow(3));
    EXPECT_GT(grid.GetRowHeight(3), 0);
    grid.SetColumnWidth(3, 0);
    EXPECT_FALSE(grid.AutoSizeColumn(3)) << "a hidden column stays hidden";
}

TEST(GridMouse, AClickThatJittersStillEditsAndARealMoveDrags)
{
    CGridHost host;
    CGridCtrl grid;
    MakeGrid(grid, host, 10, 6, 1, 1);
    grid.EnableDragAndDrop(TRUE);
    Click(grid, CellCentre(grid, 2, 2));
    ASSERT_EQ(grid.GetFocusCell(), CCellPos(2, 2));
    CRect rect;
    grid.GetCellRect(2, 2, rect);
    const CPoint text(rect.left + 5, rect.top + 10);
    grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(text.x, text.y));
    grid.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(text.x + 1, text.y + 1));
    grid.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(text.x + 1, text.y + 1));
    AfxPumpPendingMessages();
    CWnd* pEdit = grid.GetDlgItem(IDC_GRID_INPLACE_EDIT);
    ASSERT_NE(pEdit, nullptr) << "the click opened an editor";
    CString value;
    pEdit->GetWindowText(value);
    EXPECT_STREQ(value, "2,2");
    grid.SetFocus(); // ends the edit unchanged
    AfxPumpPendingMessages();
    EXPECT_EQ(grid.GetDlgItem(IDC_GRID_INPLACE_EDIT), nullptr);
    EXPECT_EQ(host.Count(GridNotify::kEndEdit), 0);
}

TEST(GridMouse, AClickOnTheSelectionWithoutADragSelectsThatCell)
{
    CGridHost host;
    CGridCtrl grid;
    MakeGrid(grid, host, 10, 6, 1, 1);
    grid.EnableDragAndDrop(TRUE);
    Click(grid, CellCentre(grid, 2, 2));
    {
        CKeysHeld shift({VK_SHIFT});
        Click(grid, CellCentre(grid, 3, 3), MK_SHIFT);
    }
    ASSERT_EQ(grid.GetSelectedCount(), 4);
    Click(grid, CellCentre(grid, 3, 2)); // selected, not the focus: a drag could start here
    EXPECT_EQ(SelectedCells(grid), std::vector<CCellPos>{CCellPos(3, 2)});
    EXPECT_EQ(grid.GetFocusCell(), CCellPos(3, 2));
}

TEST(GridMouse, HeaderClicksActWhenTheButtonGoesDown)
{
    CGridHost host;
    CGridCtrl grid;
    MakeGrid(grid, host, 10, 6, 1, 1);
    const CPoint header = CellCentre(grid, 0, 3);
    grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(header.x, header.y));
    EXPECT_EQ(grid.GetSelectedCellRange(), CCellBlock(1, 3, 9, 3));
    grid.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(header.x, header.y));
    EXPECT_EQ(grid.GetSelectedCellRange(), CCellBlock(1, 3, 9, 3));
}

TEST(GridMouse, TitleTipShowsWhatACellCutsOffAndGoesWhenTheMouseLeaves)
{
    CGridHost host;
    CGridCtrl grid;
    MakeGrid(grid, host, 6, 4, 1, 1);
    grid.SetItemText(2, 1, "a text far too long for fifty pixels");
    grid.SetFocus();
    const CPoint shortCell = CellCentre(grid, 3, 2);
    grid.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(shortCell.x, shortCell.y));
    const HWND hTip = ::FindWindowA("ZTitleTip", nullptr);
    EXPECT_TRUE(!hTip || !::IsWindowVisible(hTip)) << "a text that fits needs no tip";
    const CPoint longCell = CellCentre(grid, 2, 1);
    grid.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(longCell.x, longCell.y));
    CWnd* pTip = CWnd::FromHandle(::FindWindowA("ZTitleTip", nullptr));
    ASSERT_NE(pTip, nullptr);
    EXPECT_TRUE(pTip->IsWindowVisible());
    CRect tip;
    pTip->GetWindowRect(tip);
    EXPECT_GT(tip.Width(), 50) << "wide enough for the whole text";
    // Leaving the cell hides the tip and hands the move to the grid.
    CPoint away = shortCell;
    grid.ClientToScreen(&away);
    pTip->ScreenToClient(&away);
    pTip->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(away.x, away.y));
    EXPECT_FALSE(pTip->IsWindowVisible());
    AfxPumpPendingMessages();
}

} // namespace
