// In-place editing as the user does it: typing starts an edit with the typed character,
// Escape puts the text back, Tab goes on to the next cell, the owner may veto or refuse, and
// the editor grows with its text up to the grid's edge.
#include "tests/grid/GridWinTestSupport.h"

#include <gtest/gtest.h>

namespace {

class GridEdit : public ::testing::Test {
protected:
    void SetUp() override
    {
        MakeGrid(grid, host, 10, 6, 1, 1);
        Click(grid, CellCentre(grid, 2, 2));
        host.Clear();
    }
    CGridHost host;
    CGridCtrl grid;
};

TEST_F(GridEdit, TypedCharactersStartAnEditAndAreKept)
{
    // Each of these shares its code with a navigation key; typed, it is text.
    for (const char* typed : {"(", "%", " ", "!x", "&'#$\""}) {
        Type(grid, typed);
        EXPECT_STREQ(EditorText(grid), typed) << "typed " << typed;
        Type(grid, "\r");
        EXPECT_EQ(grid.GetDlgItem(IDC_GRID_INPLACE_EDIT), nullptr) << "Enter ends the edit";
        EXPECT_STREQ(grid.GetItemText(2, 2), typed);
        EXPECT_EQ(grid.GetFocusCell(), CCellPos(2, 2)) << "Enter leaves the focus";
    }
    EXPECT_TRUE(grid.GetModified(2, 2));
    EXPECT_EQ(host.Count(GridNotify::kEndEdit), 5);
    EXPECT_EQ(host.notices.back().text, "&'#$\"");
}

TEST_F(GridEdit, EscapeRestoresTheTextAndTellsNoOne)
{
    Press(grid, VK_F2);
    EXPECT_STREQ(EditorText(grid), "2,2") << "F2 keeps the text";
    Type(grid, "zz");
    EXPECT_STREQ(EditorText(grid), "2,2zz");
    Type(grid, "\x1b");
    EXPECT_EQ(grid.GetDlgItem(IDC_GRID_INPLACE_EDIT), nullptr);
    EXPECT_STREQ(grid.GetItemText(2, 2), "2,2");
    EXPECT_EQ(host.Count(GridNotify::kEndEdit), 0);
    EXPECT_FALSE(grid.GetModified());
}

TEST_F(GridEdit, TabMovesTheEditOnAndBackspaceKeepsTheRest)
{
    Type(grid, "a\t");
    EXPECT_STREQ(grid.GetItemText(2, 2), "a");
    EXPECT_EQ(grid.GetFocusCell(), CCellPos(2, 3));
    EXPECT_STREQ(EditorText(grid), "2,3") << "the next cell's editor selects its text";
    Type(grid, "b\r");
    EXPECT_STREQ(grid.GetItemText(2, 3), "b");
    Type(grid, "\b\r");
    EXPECT_STREQ(grid.GetItemText(2, 3), "") << "Backspace removes the last character";
    EXPECT_EQ(
        host.Codes({GridNotify::kBeginEdit, GridNotify::kEndEdit}),
        (std::vector<int>{GridNotify::kBeginEdit, GridNotify::kEndEdit, GridNotify::kBeginEdit,
                          GridNotify::kEndEdit, GridNotify::kBeginEdit, GridNotify::kEndEdit}));
}

TEST_F(GridEdit, OwnerVetoesAndRefusals)
{
    host.reply = [](NMHDR* p) { return int(p->code) == GridNotify::kBeginEdit ? -1 : 0; };
    Type(grid, "x");
    EXPECT_EQ(grid.GetDlgItem(IDC_GRID_INPLACE_EDIT), nullptr) << "the veto keeps the editor shut";
    Press(grid, VK_DELETE);
    EXPECT_STREQ(grid.GetItemText(2, 2), "2,2") << "nor may Delete change the cell";

    // A refused end puts the old text back and marks nothing.
    host.reply = [](NMHDR* p) { return int(p->code) == GridNotify::kEndEdit ? -1 : 0; };
    Type(grid, "y\r");
    EXPECT_STREQ(grid.GetItemText(2, 2), "2,2");
    EXPECT_FALSE(grid.GetModified(2, 2));
    EXPECT_FALSE(grid.GetModified());
    Press(grid, VK_DELETE);
    EXPECT_STREQ(grid.GetItemText(2, 2), "2,2");
    EXPECT_FALSE(grid.GetModified());

    host.reply = nullptr;
    host.Clear();
    Press(grid, VK_DELETE);
    EXPECT_STREQ(grid.GetItemText(2, 2), "");
    ASSERT_EQ(host.Count(GridNotify::kEndEdit), 1) << "Delete tells the owner";
    EXPECT_TRUE(grid.GetModified(2, 2));

    grid.SetItemState(3, 3, CellState::kReadOnly);
    Click(grid, CellCentre(grid, 3, 3));
    Type(grid, "z");
    EXPECT_EQ(grid.GetDlgItem(IDC_GRID_INPLACE_EDIT), nullptr) << "a read-only cell";
}

TEST_F(GridEdit, TheEditorGrowsWithItsTextUpToTheGridsEdge)
{
    Click(grid, CellCentre(grid, 2, 5)); // x 250..299 of a 400-wide grid
    Type(grid, "1");
    CWnd* pEdit = grid.GetDlgItem(IDC_GRID_INPLACE_EDIT);
    ASSERT_NE(pEdit, nullptr);
    CRect before;
    pEdit->GetWindowRect(before);
    Type(grid, "234567890");
    CRect grown;
    pEdit->GetWindowRect(grown);
    EXPECT_GT(grown.Width(), before.Width());
    Type(grid, "1234567890123456789012345678901234567890");
    CRect widest, client;
    pEdit->GetWindowRect(widest);
    grid.ScreenToClient(widest);
    grid.GetClientRect(client);
    EXPECT_EQ(widest.right, client.right) << "never past the grid's edge";
    EXPECT_EQ(widest.Height(), before.Height()) << "never taller";
}

TEST(GridEditNoWindow, AnEditorThatCannotBeMadeLeavesNoEdit)
{
    // A grid whose window has just gone: the editor has no parent to live in.
    const HWND hGone = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                         nullptr, nullptr);
    ::DestroyWindow(hGone);
    CGridCtrl grid(3, 3, 0, 0);
    grid.m_hWnd = hGone;
    CGridCellBase* pCell = grid.GetCell(1, 1);
    ASSERT_NE(pCell, nullptr);
    EXPECT_FALSE(pCell->Edit(1, 1, CRect(0, 0, 50, 20), CPoint(-1, -1), IDC_GRID_INPLACE_EDIT, 'a',
                             GridEditStart::Typed));
    EXPECT_FALSE(pCell->IsEditing());
    EXPECT_EQ(pCell->GetEditWnd(), nullptr);
    grid.m_hWnd = nullptr;
}

} // namespace
