// The program's grid with its owner view, virtual mode, the drag image, the platform grid
// wrapper and a failed OLE start.
#include "framework/win/CImageList.h"
#include "framework/win/COleDataSource.h"
#include "grid/CDataGridCtrl.h"
#include "grid/CMsDgridCtrl.h"
#include "res/resource.h"
#include "tests/grid/GridWinTestSupport.h"
#include "tests/support/ScriptedModalHook.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <thread>

namespace {

// A data view as the grid sees it: answers as told and records what it was told.
class CRecordingView : public IGridOwnerView {
public:
    BOOL bEditable = TRUE;
    BOOL bValid = TRUE;
    BOOL bAcceptDrop = TRUE;
    std::vector<CCellBlock> drops;
    const CGridCtrl* pGrid = nullptr; // whose texts editors start with
    BOOL IsCellEditable(int, int) override { return bEditable; }
    BOOL ValidateEdit(int, int, LPCTSTR) override { return bValid; }
    CString GetEditText(int nRow, int nCol) override
    {
        return pGrid ? pGrid->GetItemText(nRow, nCol) : CString();
    }
    BOOL CanAcceptDrop() override { return bAcceptDrop; }
    void OnCellsDropped(const CCellBlock& block) override { drops.push_back(block); }
    BOOL bTakeEmptied = FALSE;
    std::vector<std::vector<CCellPos>> emptied;
    BOOL EmptyCells(const std::vector<CCellPos>& cells) override
    {
        emptied.push_back(cells);
        return bTakeEmptied;
    }
};

class CDropDataGrid : public CDataGridCtrl {
public:
    IDropTarget* DropTarget() { return m_DropTarget.GetDropTarget(); }
};

class GridProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        AfxOleInit();
        MakeGrid(grid, host, 8, 5, 1, 1);
        Click(grid, CellCentre(grid, 2, 2));
        host.Clear();
        view.pGrid = &grid;
    }
    CGridHost host;
    CDropDataGrid grid;
    CRecordingView view;
};

TEST_F(GridProgram, WithoutAnOwnerViewNothingIsEdited)
{
    Type(grid, "x");
    EXPECT_EQ(grid.GetDlgItem(IDC_GRID_INPLACE_EDIT), nullptr);
    Press(grid, VK_DELETE);
    EXPECT_STREQ(grid.GetItemText(2, 2), "2,2");
    EXPECT_EQ(host.Count(GridNotify::kBeginEdit), 0);

    grid.SetOwnerView(&view);
    view.bValid = FALSE;
    Type(grid, "x\r");
    EXPECT_STREQ(grid.GetItemText(2, 2), "2,2") << "the view refused the text";
    EXPECT_FALSE(grid.GetModified());
    view.bValid = TRUE;
    view.bEditable = FALSE;
    Type(grid, "y");
    EXPECT_EQ(grid.GetDlgItem(IDC_GRID_INPLACE_EDIT), nullptr);
    view.bEditable = TRUE;
    Type(grid, "y\r");
    EXPECT_STREQ(grid.GetItemText(2, 2), "y");

    EXPECT_TRUE(grid.SetItemString(3, 3, "s"));
    EXPECT_TRUE(grid.SetItemInt(3, 4, -42));
    EXPECT_STREQ(grid.GetItemText(3, 4), "-42");
    EXPECT_FALSE(grid.GetModified(3, 3)) << "the program's writes are no user edits";
    EXPECT_FALSE(grid.GetModified(3, 4));
}

// Delete and Cut empty the selection (Delete only the focus cell when it lies outside): the
// owner view is offered the cells first, and the grid empties them itself when it declines.
TEST_F(GridProgram, DeleteEmptiesTheSelectionThenPostsDeleteItemToTheParent)
{
    EXPECT_TRUE(grid.GetDragAndDrop()) << "the program's grids take drops";
    grid.SetOwnerView(&view);
    Click(grid, CellCentre(grid, 3, 3), MK_SHIFT);
    Press(grid, VK_DELETE);
    const std::vector<CCellPos> block = {{2, 2}, {2, 3}, {3, 2}, {3, 3}};
    ASSERT_EQ(view.emptied.size(), 1u);
    EXPECT_EQ(view.emptied[0], block) << "in reading order";
    EXPECT_EQ(Texts(grid, 2, 2, 3, 4), "||2,4/||3,4") << "the grid's own Delete first";
    EXPECT_TRUE(host.commands.empty()) << "the command comes later";

    view.bTakeEmptied = TRUE;
    grid.SetItemString(2, 2, "kept");
    {
        CKeysHeld ctrl({VK_CONTROL});
        Press(grid, 'X');
    }
    ASSERT_EQ(view.emptied.size(), 2u);
    EXPECT_EQ(view.emptied[1], block);
    EXPECT_STREQ(grid.GetItemText(2, 2), "kept") << "the view took the cells";
    grid.SetFocusCell(4, 4);
    Press(grid, VK_DELETE);
    ASSERT_EQ(view.emptied.size(), 3u);
    EXPECT_EQ(view.emptied[2], std::vector<CCellPos>{CCellPos(4, 4)});
    AfxPumpPendingMessages();
    std::vector<WPARAM> deletes;
    for (WPARAM w : host.commands)
        if (LOWORD(w) == ID_GRID_DELETE_ITEM)
            deletes.push_back(w);
    EXPECT_EQ(deletes.size(), 2u) << "one for each Delete";
}

// A grid inside a pane inside the frame: Delete Item goes to the pane, the entry command to
// the frame.
TEST(GridProgramPane, CommandsGoToTheParentAndTheFrame)
{
    class CPane : public CWnd {
    public:
        std::vector<WPARAM> commands;

    protected:
        BOOL OnCommand(WPARAM wParam, LPARAM) override
        {
            commands.push_back(wParam);
            return TRUE;
        }
    };
    CGridHost frame;
    CPane pane;
    pane.Create(AfxRegisterWndClass(0), "pane", WS_CHILD | WS_VISIBLE, CRect(0, 0, 500, 350),
                &frame, 200);
    CDataGridCtrl grid;
    grid.Create(CRect(0, 0, 400, 300), &pane, 115);
    grid.SetRowCount(5);
    grid.SetColumnCount(4);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    CRecordingView view;
    grid.SetOwnerView(&view);
    grid.SetFocusCell(2, 2);
    Press(grid, VK_DELETE);
    const CPoint point = CellCentre(grid, 2, 2);
    grid.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    AfxPumpPendingMessages();
    ASSERT_FALSE(pane.commands.empty());
    EXPECT_EQ(LOWORD(pane.commands[0]), ID_GRID_DELETE_ITEM);
    ASSERT_FALSE(frame.commands.empty());
    EXPECT_EQ(LOWORD(frame.commands[0]), ID_GRID_INSERT_ENTRY);
    for (WPARAM w : frame.commands)
        EXPECT_NE(LOWORD(w), ID_GRID_DELETE_ITEM);
}

TEST_F(GridProgram, DoubleClickSendsTheInsertCommandOnlyWithAView)
{
    const CPoint point = CellCentre(grid, 3, 3);
    grid.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    EXPECT_TRUE(host.commands.empty());
    grid.SetOwnerView(&view);
    host.Clear();
    grid.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    ASSERT_FALSE(host.commands.empty());
    EXPECT_EQ(LOWORD(host.commands[0]), ID_GRID_INSERT_ENTRY);
    EXPECT_EQ(host.Count(int(NM_DBLCLK)), 1) << "then the grid's own double click";
}

TEST_F(GridProgram, DropsAskTheViewAndEndInOneCall)
{
    grid.SetOwnerView(&view);
    const char text[] = "p\tq\nr\ts";
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, sizeof text);
    std::memcpy(::GlobalLock(h), text, sizeof text);
    ::GlobalUnlock(h);
    auto* pSource = new COleDataSource;
    pSource->CacheGlobalData(CF_TEXT, h);
    CPoint at = CellCentre(grid, 4, 2);
    grid.ClientToScreen(&at);
    const POINTL point = {at.x, at.y};
    IDropTarget* p = grid.DropTarget();

    view.bAcceptDrop = FALSE;
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    p->DragEnter(pSource->GetDataObject(), MK_LBUTTON, point, &effect);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_NONE)) << "the view refuses drops";
    p->DragLeave();

    view.bAcceptDrop = TRUE;
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    p->DragEnter(pSource->GetDataObject(), MK_LBUTTON, point, &effect);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_MOVE));
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    p->Drop(pSource->GetDataObject(), 0, point, &effect);
    pSource->InternalRelease();
    EXPECT_EQ(Texts(grid, 4, 2, 5, 3), "p|q/r|s");
    ASSERT_EQ(view.drops.size(), 1u);
    EXPECT_EQ(view.drops[0], CCellBlock(4, 2, 5, 3));
    EXPECT_EQ(host.Count(GridNotify::kEndEdit), 0) << "no notice per cell";
}

// Virtual mode: the owner holds the texts; the grid asks for them and reports changes.
BOOL CALLBACK VirtualText(GridDispInfo* pDispInfo, LPARAM lParam)
{
    const auto* pTexts = reinterpret_cast<std::map<std::pair<int, int>, CString>*>(lParam);
    GridItemInfo& item = pDispInfo->item;
    const auto found = pTexts->find({item.row, item.col});
    item.strText = found != pTexts->end() ? found->second : CString("v");
    return TRUE;
}

TEST(GridVirtual, CacheHintsAroundPaintsAndChangesGoToTheOwner)
{
    AfxOleInit();
    std::map<std::pair<int, int>, CString> texts; // the owner's data outlives its grid
    CGridHost host;
    CGridCtrl grid;
    grid.Create(CRect(0, 0, 400, 300), &host, 115);
    grid.SetVirtualMode(TRUE);
    grid.SetCallbackFunc(VirtualText, LPARAM(&texts));
    grid.SetRowCount(100000);
    grid.SetColumnCount(10);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    EXPECT_FALSE(grid.SetItemText(2, 2, "x")) << "virtual mode stores no text";
    host.reply = [&](NMHDR* pHdr) -> LRESULT {
        if (int(pHdr->code) == GridNotify::kEndEdit) {
            const GridItemInfo& item = reinterpret_cast<GridDispInfo*>(pHdr)->item;
            texts[{item.row, item.col}] = item.strText;
        }
        return 0;
    };

    host.Clear();
    AfxPrintClientToDib(&grid);
    const std::vector<int> hints = host.Codes({GridNotify::kCacheHint});
    ASSERT_EQ(hints.size(), 2u);
    EXPECT_EQ(host.notices[0].row, 1) << "the first visible row";
    EXPECT_GT(host.notices[0].col, 5) << "the last visible row";
    EXPECT_EQ(host.notices[1].row, -1) << "then the empty hint";

    Click(grid, CellCentre(grid, 2, 2));
    Type(grid, "typed\r");
    EXPECT_STREQ(grid.GetItemText(2, 2), "typed") << "the owner kept it";
    SetClipboardText("a\tb");
    grid.SetFocusCell(3, 3);
    host.Clear();
    grid.OnEditPaste();
    EXPECT_EQ(host.Count(GridNotify::kEndEdit), 2) << "pasted cells are reported too";
    EXPECT_EQ(Texts(grid, 3, 3, 3, 4), "a|b");
}

TEST(GridProgramMisc, DragImagePlatformGridAndOleFailure)
{
    CGridHost host;
    CGridCtrl grid;
    MakeGrid(grid, host, 5, 5, 1, 1);
    CPoint hotSpot;
    EXPECT_EQ(grid.CreateDragImage(&hotSpot), nullptr) << "no focus cell";
    grid.SetFocusCell(2, 2);
    CImageList* pImage = grid.CreateDragImage(&hotSpot);
    ASSERT_NE(pImage, nullptr);
    EXPECT_EQ(pImage->GetImageCount(), 1);
    EXPECT_EQ(hotSpot, CPoint(50, 20));
    delete pImage;

    CMsDgridCtrl platformGrid;
    EXPECT_FALSE(platformGrid.Create(nullptr, "grid", WS_VISIBLE, CRect(0, 0, 100, 100), &host, 7));
    EXPECT_EQ(platformGrid.m_hWnd, nullptr);
    EXPECT_EQ(::GetDlgItem(host.m_hWnd, 7), nullptr);

    // A thread whose COM is already multi-threaded cannot start OLE: the user is told once.
    std::vector<CString> messages;
    std::thread([&] {
        ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        ScriptedModalHook hook;
        {
            CGridCtrl first;
            CGridCtrl second;
        }
        messages = hook.messages;
        ::CoUninitialize();
    }).join();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_STREQ(
        messages[0],
        "OLE initialization failed. Make sure that the OLE libraries are the correct version");
}

} // namespace
