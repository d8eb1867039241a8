// Button cells in a grid: layout and hits, refused set-ups, radio groups and check boxes,
// inactive buttons, tip texts, and presses by mouse, space and mnemonic that notify a click.
#include "grid/CGridBtnCell.h"
#include "tests/grid/GridWinTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace GridButtonKind;

class GridButtons : public ::testing::Test {
protected:
    void SetUp() override
    {
        MakeGrid(grid, host, 6, 4, 1, 1);
        grid.SetColumnWidth(2, 120);
        store.SetGrid(&grid);
    }
    CGridBtnCell* MakeButtonCell(int nRow, int nCol)
    {
        EXPECT_TRUE(grid.SetCellType(nRow, nCol, RUNTIME_CLASS(CGridBtnCell)));
        auto* pCell = static_cast<CGridBtnCell*>(grid.GetCell(nRow, nCol));
        pCell->SetBtnDataBase(&store);
        return pCell;
    }
    CPoint Relative(int nRow, int nCol, CPoint point)
    {
        CRect rect;
        grid.GetCellRect(nRow, nCol, rect);
        return CPoint(point.x - rect.left, point.y - rect.top);
    }
    CGridHost host;
    CGridCtrl grid;
    CGridBtnCellStore store;
};

TEST_F(GridButtons, SpinPairStacksBesideTheTextAndIsHitByHalves)
{
    CGridBtnCell* pCell = MakeButtonCell(2, 2); // x 100..219, y 40..59
    EXPECT_STREQ(pCell->GetText(), "2,2") << "the old cell's text came over";
    ASSERT_TRUE(pCell->SetUpButton(0, kScroll, 0, 2, 0, FALSE, nullptr));
    ASSERT_TRUE(pCell->SetUpButton(1, kScroll, kScrollDown, 2, 0, FALSE, nullptr));
    CRect rects[16];
    CRect cell;
    grid.GetCellRect(2, 2, cell);
    ASSERT_TRUE(pCell->CalcButtonRects(rects, 16, cell));
    EXPECT_EQ(rects[0].left, rects[1].left) << "one column";
    EXPECT_EQ(rects[0].bottom, rects[1].top) << "up above down";
    EXPECT_EQ(rects[0].right, cell.right);
    EXPECT_TRUE(pCell->HasTextArea());
    EXPECT_EQ(pCell->HitTestButton(Relative(2, 2, CPoint(rects[0].left + 2, rects[0].top + 2))), 0);
    EXPECT_EQ(pCell->HitTestButton(Relative(2, 2, CPoint(rects[1].left + 2, rects[1].bottom - 1))),
              1);
    EXPECT_EQ(pCell->HitTestButton(Relative(2, 2, CPoint(cell.left + 5, cell.top + 5))), -1);
    const CDibImage image = AfxPrintClientToDib(&grid);
    EXPECT_EQ(image.Pixel(rects[0].CenterPoint().x, rects[0].CenterPoint().y),
              ::GetSysColor(COLOR_BTNFACE));
}

TEST_F(GridButtons, FixedWidthsOnlyAndRefusedButtons)
{
    CGridBtnCell* pCell = MakeButtonCell(2, 2);
    ASSERT_TRUE(pCell->SetUpButton(0, kButton, kPush, 1, 30, FALSE, "A"));
    ASSERT_TRUE(pCell->SetUpButton(1, kButton, kPush, 1, 40, FALSE, "B"));
    EXPECT_FALSE(pCell->SetUpButton(2, kButton, kPush, 0, 0, FALSE, "whole")) << "only the first";
    EXPECT_FALSE(pCell->SetUpButton(4, kButton, kPush, 1, 0, FALSE, "fifth"));
    EXPECT_FALSE(pCell->SetUpButton(2, kButton, kPush, 3, 0, FALSE, "placement"));
    EXPECT_EQ(pCell->GetButtonCount(), 2);
    CRect rects[16], cell;
    grid.GetCellRect(2, 2, cell);
    ASSERT_TRUE(pCell->CalcButtonRects(rects, 16, cell));
    EXPECT_EQ(rects[0].Width(), 30);
    EXPECT_EQ(rects[1].Width(), 40);
    EXPECT_EQ(rects[2].left, cell.left + 70) << "the text area follows";

    CGridBtnCellBase bare; // no store: no grid, nothing drawn, nothing to hit
    EXPECT_EQ(bare.GetGrid(), nullptr);
    EXPECT_FALSE(bare.Draw(nullptr, 0, 0, cell));
    EXPECT_FALSE(bare.SetUpButton(0, kButton, kPush, 0, 0, FALSE, "x")) << "no buttons at all";
}

TEST_F(GridButtons, RadioGroupsCheckBoxesAndInactiveButtons)
{
    CGridBtnCell* pCell = MakeButtonCell(2, 2);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(pCell->SetUpButton(i, kButton, kPush, 1, 0, TRUE, "r"));
    ASSERT_TRUE(pCell->SetUpButton(3, kButton, 0, 2, 0, FALSE, nullptr)); // a check box
    const auto press = [&](int i) {
        pCell->ProcessButtonClick(WM_LBUTTONDOWN, i);
        return pCell->ProcessButtonClick(WM_LBUTTONUP, i);
    };
    press(1);
    EXPECT_EQ(pCell->GetButtonState(1) & (kChecked | kPushed), kChecked | kPushed)
        << "a group member latches";
    press(2);
    EXPECT_EQ(pCell->GetButtonState(1) & (kChecked | kPushed), 0);
    EXPECT_EQ(pCell->GetButtonState(2) & kChecked, kChecked);
    EXPECT_EQ(pCell->GetLastClickedButton(), 2);
    press(3);
    EXPECT_TRUE(pCell->GetButtonState(3) & kChecked);
    press(3);
    EXPECT_FALSE(pCell->GetButtonState(3) & kChecked) << "a check box toggles";
    EXPECT_TRUE(pCell->GetButtonState(2) & kChecked) << "and leaves the group alone";

    pCell->SetButtonState(0, WORD(kPush | kInactive));
    EXPECT_FALSE(press(0));
    EXPECT_EQ(pCell->GetButtonState(0), WORD(kPush | kInactive));
}

TEST_F(GridButtons, TipTextJoinsCaptionsWithoutTheirAmpersands)
{
    CGridBtnCell* pCell = MakeButtonCell(2, 2);
    ASSERT_TRUE(pCell->SetUpButton(0, kButton, kPush, 1, 0, FALSE, "&Up"));
    ASSERT_TRUE(pCell->SetUpButton(1, kButton, kPush, 1, 0, FALSE, "Do&&wn"));
    EXPECT_FALSE(pCell->HasTextArea());
    EXPECT_STREQ(pCell->GetTipText(), "Up Do&wn");
    CGridBtnCell* pWithText = MakeButtonCell(3, 2);
    ASSERT_TRUE(pWithText->SetUpButton(0, kButton, kPush, 1, 30, FALSE, "&Go"));
    EXPECT_STREQ(pWithText->GetTipText(), "3,2") << "a cell with text shows its text";
}

TEST_F(GridButtons, ClicksSpaceAndMnemonicsPressAndNotify)
{
    CGridBtnCell* pCalculate = MakeButtonCell(2, 2);
    ASSERT_TRUE(pCalculate->SetUpButton(0, kButton, kPush, 0, 0, FALSE, "Calculate"));
    Click(grid, CellCentre(grid, 2, 2));
    EXPECT_EQ(host.Count(int(NM_CLICK)), 1);
    EXPECT_EQ(pCalculate->GetButtonState(0) & kPushed, 0) << "released again";
    EXPECT_EQ(pCalculate->GetLastClickedButton(), 0);

    host.Clear();
    Type(grid, " ");
    EXPECT_EQ(host.Count(int(NM_CLICK)), 1) << "space presses the one button";
    EXPECT_EQ(grid.GetDlgItem(IDC_GRID_INPLACE_EDIT), nullptr) << "no editor for a button";

    CGridBtnCell* pPair = MakeButtonCell(3, 2);
    ASSERT_TRUE(pPair->SetUpButton(0, kButton, kPush, 2, 0, FALSE, "&Add"));
    ASSERT_TRUE(pPair->SetUpButton(1, kButton, kPush, 2, 0, FALSE, "&Remove"));
    grid.SetFocusCell(3, 2);
    host.Clear();
    Type(grid, "r");
    EXPECT_EQ(host.Count(int(NM_CLICK)), 1);
    EXPECT_EQ(pPair->GetLastClickedButton(), 1);
    host.Clear();
    Type(grid, "x");
    EXPECT_EQ(host.Count(int(NM_CLICK)), 0) << "no button answers x";
}

TEST_F(GridButtons, ASelectionDraggedOffAButtonPressesNothing)
{
    CGridBtnCell* pCalculate = MakeButtonCell(2, 2);
    ASSERT_TRUE(pCalculate->SetUpButton(0, kButton, kPush, 0, 0, FALSE, "Calculate"));
    host.Clear();
    const CPoint from = CellCentre(grid, 2, 2);
    const CPoint to = CellCentre(grid, 4, 3);
    grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    EXPECT_TRUE(pCalculate->GetButtonState(0) & kPushed);
    grid.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    grid.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    EXPECT_EQ(host.Count(int(NM_CLICK)), 0) << "the press ended elsewhere";
    EXPECT_FALSE(pCalculate->GetButtonState(0) & kPushed) << "the button came up";
    EXPECT_EQ(grid.GetSelectedCellRange(), CCellBlock(2, 2, 4, 3));
}

TEST_F(GridButtons, OnlyASpaceOrAButtonPressesTheFirstButton)
{
    CGridBtnCell* pCell = MakeButtonCell(2, 2);
    ASSERT_TRUE(pCell->SetUpButton(0, kButton, kPush, 1, 30, FALSE, "A"));
    ASSERT_TRUE(pCell->SetUpButton(1, kButton, kPush, 1, 30, FALSE, "B"));
    grid.SetFocusCell(2, 2);
    grid.SetFocus();
    host.Clear();
    Type(grid, "x");
    EXPECT_EQ(host.Count(int(NM_CLICK)), 0) << "a letter is text, not a press";
    EXPECT_STREQ(EditorText(grid), "x");
    grid.SetFocus();
    AfxPumpPendingMessages();
    // A cell that has no place in the grid has no text area either.
    CGridBtnCell loose;
    loose.SetBtnDataBase(&store);
    ASSERT_TRUE(loose.SetUpButton(0, kButton, kPush, 1, 10, FALSE, "A"));
    EXPECT_FALSE(loose.HasTextArea());
}

} // namespace
