// Copy, cut and paste through the real clipboard: the text form, what other programs put
// there, hidden and read-only cells, growth, refusals, and text that outlives its grid.
#include "engine/LocaleSeparators.h"
#include "framework/win/CCmdUI.h"
#include "framework/win/COleDataObject.h"
#include "framework/win/COleDataSource.h"
#include "framework/win/FrameworkIds.h"
#include "tests/grid/GridWinTestSupport.h"
#include "tests/support/ScriptedModalHook.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

class GridClipboard : public ::testing::Test {
protected:
    void SetUp() override
    {
        AfxOleInit();
        MakeGrid(grid, host, 8, 7, 1, 1);
        Click(grid, CellCentre(grid, 2, 2));
        host.Clear();
    }
    void PasteText(const char* text, SIZE_T nBytes = SIZE_T(-1))
    {
        SetClipboardText(text, nBytes);
        CKeysHeld ctrl({VK_CONTROL});
        Press(grid, 'V');
    }
    BOOL Enabled(UINT nID)
    {
        struct CProbe : CCmdUI {
            BOOL enabled = -1;
            void Enable(BOOL bOn) override { enabled = bOn; }
        } probe;
        probe.m_nID = nID;
        probe.DoUpdate(&grid, FALSE);
        return probe.enabled;
    }
    CGridHost host;
    CGridCtrl grid;
};

TEST_F(GridClipboard, CopiedTextSkipsHiddenCellsAndLeavesUnselectedOnesEmpty)
{
    grid.SetColumnWidth(4, 0);
    grid.SetRowHeight(3, 0);
    grid.SetSelectedRange(2, 2, 4, 5);
    grid.SetItemState(4, 3, grid.GetItemState(4, 3) & ~CellState::kSelected);
    EXPECT_TRUE(Enabled(ID_EDIT_COPY));
    grid.SendMessage(WM_COMMAND, ID_EDIT_COPY);
    EXPECT_EQ(GetClipboardText(), "2,2\t2,3\t2,5\r\n4,2\t\t4,5");
    grid.ResetSelectedRange();
    EXPECT_FALSE(Enabled(ID_EDIT_COPY)) << "nothing selected";
    EXPECT_FALSE(Enabled(ID_EDIT_CUT));
}

TEST_F(GridClipboard, PastedTextSplitsAtTabsCommasAndAnyLineEnd)
{
    EXPECT_TRUE(Enabled(ID_EDIT_PASTE) || GetClipboardText() == "<none>");
    PasteText("a,b\r\nc\td,\r\n");
    EXPECT_EQ(Texts(grid, 2, 2, 4, 4), "a|b|2,4/c|d|/4,2|4,3|4,4")
        << "the comma at a line's end ends an empty field";
    EXPECT_EQ(host.Count(GridNotify::kBeginEdit), 5) << "each cell is asked for";
    EXPECT_EQ(host.Count(GridNotify::kEndEdit), 0) << "a paste sends no per-cell end";
    EXPECT_TRUE(grid.GetModified(3, 3));

    PasteText("x\ry");
    EXPECT_EQ(Texts(grid, 2, 2, 3, 2), "x/y") << "a lone CR ends a line";
    PasteText("\n\n");
    EXPECT_EQ(Texts(grid, 2, 2, 3, 2), "x/y") << "empty lines paste nothing";

    UseCommaSeparators();
    PasteText("1,5;2\t3");
    UseDotSeparators();
    EXPECT_EQ(Texts(grid, 2, 2, 2, 4), "1,5|2|3") << "a decimal comma stays in its number";

    // A block without its NUL (the system clipboard would terminate it: it comes as a drop).
    HGLOBAL hBlock = ::GlobalAlloc(GMEM_MOVEABLE, 2);
    std::memcpy(::GlobalLock(hBlock), "ab", 2);
    ::GlobalUnlock(hBlock);
    auto* pSource = new COleDataSource;
    pSource->CacheGlobalData(CF_TEXT, hBlock);
    COleDataObject data;
    data.Attach(pSource->GetDataObject(), FALSE);
    EXPECT_TRUE(grid.PasteTextToGrid(CCellPos(2, 2), &data));
    pSource->InternalRelease();
    EXPECT_EQ(Texts(grid, 2, 2, 2, 3), "ab|2");
}

TEST_F(GridClipboard, PastedCellsLeaveTheSelection)
{
    grid.SetSelectedRange(2, 2, 3, 4);
    PasteText("a\tb");
    EXPECT_FALSE(grid.IsCellSelected(2, 2));
    EXPECT_FALSE(grid.IsCellSelected(2, 3));
    EXPECT_TRUE(grid.IsCellSelected(2, 4));
    EXPECT_EQ(grid.GetSelectedCount(), 4) << "the set follows the cells";
}

TEST_F(GridClipboard, HiddenAndReadOnlyCellsKeepTheirTexts)
{
    grid.SetColumnWidth(3, 0);
    grid.SetItemState(2, 5, grid.GetItemState(2, 5) | CellState::kReadOnly);
    PasteText("a\tb\tc\td");
    EXPECT_EQ(Texts(grid, 2, 2, 2, 6), "a|2,3|b|2,5|d")
        << "the hidden column is stepped over, the read-only cell refuses";
}

TEST_F(GridClipboard, PastingPastTheEndGrowsTheGrid)
{
    grid.SetFocusCell(7, 6);
    PasteText("x,y");
    EXPECT_EQ(grid.GetColumnCount(), 12) << "column 7 + 5";
    EXPECT_EQ(grid.GetRowCount(), 8);
    PasteText("p\nq");
    EXPECT_EQ(grid.GetRowCount(), 108) << "row 8 + 100";
    EXPECT_EQ(Texts(grid, 7, 6, 8, 7), "p|y/q|");
}

TEST_F(GridClipboard, CutClearsOnlyTheSelectedCellsAndTellsTheOwner)
{
    grid.SetSelectedRange(2, 2, 3, 3);
    grid.SetItemState(2, 3, grid.GetItemState(2, 3) & ~CellState::kSelected);
    {
        CKeysHeld ctrl({VK_CONTROL});
        Press(grid, 'X');
    }
    EXPECT_EQ(GetClipboardText(), "2,2\t\r\n3,2\t3,3");
    EXPECT_EQ(Texts(grid, 2, 2, 3, 3), "|2,3/|");
    EXPECT_EQ(host.Count(GridNotify::kEndEdit), 3);
}

TEST_F(GridClipboard, OversizedTextIsRefusedBeforeAnyChange)
{
    ScriptedModalHook hook;
    std::string text = "new\t" + std::string(32768, 'x');
    PasteText(text.c_str());
    ASSERT_EQ(hook.messages.size(), 1u);
    EXPECT_STREQ(hook.messages[0], "The clipboard text is too large to paste into the grid.");
    EXPECT_EQ(Texts(grid, 2, 2, 2, 2), "2,2") << "not even the first field";

    text.clear();
    for (int i = 0; i < 1048577; ++i)
        text += "1\n";
    PasteText(text.c_str());
    EXPECT_EQ(hook.messages.size(), 2u);
    EXPECT_EQ(grid.GetRowCount(), 8);
    EXPECT_EQ(Texts(grid, 2, 2, 2, 2), "2,2");
}

TEST(GridClipboardLife, CopiedTextOutlivesTheGrid)
{
    AfxOleInit();
    CGridHost host;
    {
        CGridCtrl grid;
        MakeGrid(grid, host, 4, 4, 1, 1);
        grid.SetSelectedRange(1, 1, 1, 2);
        grid.OnEditCopy();
    }
    EXPECT_EQ(GetClipboardText(), "1,1\t1,2");
}

} // namespace
