// The main window as the user meets it: its bars, status panes and splitters; the four panes
// arranged for every view mask; the explorer shown and hidden; the window placement kept
// between runs; the context menus by kind; the tab bar's tabs and caption.
#include "app/DataTreeView.h"
#include "app/ItemTypes.h"
#include "app/PaneArrangement.h"
#include "framework/core/ProfileStore.h"
#include "framework/win/CCmdUI.h"
#include "framework/win/CDC.h"
#include "framework/win/CRecentFileList.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/RegistryProfileStore.h"
#include "res/resource.h"
#include "tests/app_win/ShellTestApp.h"
#include "ui/SubclassWnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <set>

namespace {

// Records what an update handler asked for.
class CRecordingCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override { m_nEnabled = bOn ? 1 : 0; }
    void SetCheck(int nCheck) override { m_nChecked = nCheck; }
    int m_nEnabled = -1;
    int m_nChecked = -1;
};

CRecordingCmdUI UpdateState(CCmdTarget* pTarget, UINT nID)
{
    CRecordingCmdUI ui;
    ui.m_nID = nID;
    ui.DoUpdate(pTarget, FALSE);
    return ui;
}

CRect WindowRect(CWnd* pWnd)
{
    CRect rect;
    pWnd->GetWindowRect(&rect);
    return rect;
}

TEST(MainFrame, BarsStatusPanesAndSplitters)
{
    CMainFrame* pFrame = MainFrame();
    ASSERT_NE(pFrame, nullptr);

    // Seven menu-bar buttons, the tool bar below them.
    CKxMenuBar& menuBar = pFrame->GetMenuBar();
    EXPECT_EQ(menuBar.GetCount(), 7);
    EXPECT_EQ(::GetMenu(pFrame->m_hWnd), nullptr);
    EXPECT_GE(WindowRect(&pFrame->GetToolBar()).top, WindowRect(&menuBar).bottom - 1);
    EXPECT_EQ(pFrame->GetToolBar().GetItemID(0), UINT(IDM_FILE_NEW));

    // Seven status panes; the coordinates are as wide as a read-out in the frame's font.
    CStatusBar& status = pFrame->GetStatusBar();
    ASSERT_EQ(status.GetCount(), 7);
    const UINT ids[] = {ID_SEPARATOR,       IDS_INDICATOR_COORDINATES, IDS_INDICATOR_ANGLE,
                        IDS_INDICATOR_BASE, ID_INDICATOR_CAPS,         ID_INDICATOR_NUM,
                        ID_INDICATOR_SCRL};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(status.GetItemID(i), ids[i]) << i;
    UINT nID = 0, nStyle = 0;
    int cxWidth = 0;
    status.GetPaneInfo(1, nID, nStyle, cxWidth);
    CClientDC dc(pFrame);
    EXPECT_EQ(cxWidth, dc.GetTextExtent(" x = -1.23, y = +1.23 ").cx);
    EXPECT_STREQ(status.GetPaneText(2), " DEG ");
    EXPECT_STREQ(status.GetPaneText(3), " DEC ");

    // Side bar | (tab row over (explorer | 2 x 2 panes)), as many rows and columns showing: the
    // side bar's column is hidden, and so are the other three panes.
    const int shapes[4][2] = {{1, 1}, {2, 1}, {1, 2}, {1, 1}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(pFrame->GetSplitter(i).GetRowCount(), shapes[i][0]) << i;
        EXPECT_EQ(pFrame->GetSplitter(i).GetColumnCount(), shapes[i][1]) << i;
    }
    EXPECT_EQ(pFrame->GetSplitter(4).GetSafeHwnd(), nullptr);
    EXPECT_EQ(pFrame->GetSplitter(5).GetSafeHwnd(), nullptr);
    EXPECT_EQ(pFrame->GetSplitter(0).GetHiddenColumn(), 0);
    // The hidden side bar holds its pager and the empty list the pager scrolls.
    HWND hPager = nullptr;
    ::EnumChildWindows(
        pFrame->m_hWnd,
        [](HWND hWnd, LPARAM lParam) {
            char name[32] = {};
            ::GetClassNameA(hWnd, name, sizeof name);
            if (std::strcmp(name, "SysPager") == 0)
                *reinterpret_cast<HWND*>(lParam) = hWnd;
            return TRUE;
        },
        LPARAM(&hPager));
    ASSERT_NE(hPager, nullptr);
    EXPECT_EQ(::GetDlgCtrlID(hPager), 101);
    EXPECT_NE(dynamic_cast<COutlookBarView*>(CWnd::FromHandlePermanent(::GetParent(hPager))),
              nullptr);
    EXPECT_FALSE(::IsWindowVisible(hPager));
    const HWND hList = ::GetDlgItem(hPager, 102);
    ASSERT_NE(hList, nullptr);
    EXPECT_EQ(::SendMessageA(hList, LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(WindowRect(CWnd::FromHandle(hList)).Height(), 575);
    EXPECT_EQ(pFrame->GetTabBar().GetParent(), &pFrame->GetSplitter(1));
    int cyTabRow = 0, cyMin = 0;
    pFrame->GetSplitter(1).GetRowInfo(0, cyTabRow, cyMin);
    EXPECT_EQ(cyTabRow, 32);
    EXPECT_EQ(pFrame->GetExplorerView()->GetParent(), &pFrame->GetSplitter(2));
    for (UINT bit : {View2DPlot, View3DPlot, ViewWorkspace, ViewGrid})
        EXPECT_EQ(pFrame->GetPaneView(bit)->GetParent(), &pFrame->GetSplitter(3)) << bit;

    // At first the workspace shows alone and is the active view; the caption names the program.
    EXPECT_EQ(pFrame->GetViewLayout()[ViewLayout::Mask], DWORD(ViewWorkspace));
    EXPECT_EQ(pFrame->GetActiveView(), pFrame->GetWorkspaceView());
    EXPECT_STREQ(pFrame->GetTabBar().GetCaption(), "Zivra Shell Tests");

    // The tool windows exist, hidden, owned by the frame.
    for (const char* caption : {"Unit Converter", "Finance Box"}) {
        HWND hTool = ::FindWindowA(nullptr, caption);
        ASSERT_NE(hTool, nullptr) << caption;
        EXPECT_FALSE(::IsWindowVisible(hTool)) << caption;
        EXPECT_EQ(::GetWindow(hTool, GW_OWNER), pFrame->m_hWnd) << caption;
    }
}

// Puts the layout of a mask in the frame and checks every view against its cell.
void CheckLayout(CMainFrame* pFrame, const ViewLayout& layout)
{
    pFrame->SetViewLayout(layout);
    COutlookSplitterWnd& panes = pFrame->GetSplitter(3);
    CRect client;
    panes.GetClientRect(&client);
    const PaneArrangement a = ArrangePanes(layout, client.Width(), client.Height());
    const UINT mask = layout[ViewLayout::Mask];
    std::set<UINT> placed;
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 2; ++col) {
            if (!a.cells[row][col])
                continue;
            CView* pView = pFrame->GetPaneView(a.cells[row][col]);
            placed.insert(a.cells[row][col]);
            EXPECT_TRUE(pView->IsWindowVisible()) << "mask " << mask;
            EXPECT_EQ(pView->GetDlgCtrlID(), panes.IdFromRowCol(row, col)) << "mask " << mask;
        }
    }
    for (UINT bit : {View2DPlot, View3DPlot, ViewWorkspace, ViewGrid})
        EXPECT_TRUE(placed.count(bit) || !pFrame->GetPaneView(bit)->IsWindowVisible())
            << "mask " << mask << " view " << bit;
    if (a.nPanes == 2) {
        // The upper view's window is exactly as high as its height word, so the height it
        // reports when it is resized brings back the same arrangement.
        const CRect upper = WindowRect(pFrame->GetPaneView(a.cells[0][0]));
        const int room = client.Height() - 2 * panes.GetPaneBorder().cy;
        EXPECT_EQ(upper.Height(), std::min(a.cyRow0, room)) << "mask " << mask;
    }
    // No two children of the splitter share an id.
    std::set<int> childIds;
    int nChildren = 0;
    for (CWnd* pChild = panes.GetWindow(GW_CHILD); pChild;
         pChild = pChild->GetWindow(GW_HWNDNEXT)) {
        childIds.insert(pChild->GetDlgCtrlID());
        ++nChildren;
    }
    EXPECT_EQ(int(childIds.size()), nChildren) << "mask " << mask;
}

ViewLayout LayoutOf(UINT mask, DWORD heightBase)
{
    ViewLayout layout;
    layout[ViewLayout::Mask] = mask;
    layout[ViewLayout::WorkspaceHeight] = heightBase;
    layout[ViewLayout::Plot2DHeight] = heightBase + 30;
    layout[ViewLayout::GridHeight] = heightBase + 60;
    layout[ViewLayout::Plot3DHeight] = heightBase + 90;
    return layout;
}

TEST(MainFrame, EveryMaskPutsEachPaneInItsCell)
{
    CMainFrame* pFrame = MainFrame();
    for (UINT mask = 0; mask < 16; ++mask)
        CheckLayout(pFrame, LayoutOf(mask, 100));
    // Heights beyond the splitter (stored words are unsigned) leave the lower pane nothing.
    CheckLayout(pFrame, LayoutOf(ViewWorkspace | ViewGrid, 0xFFFFFF00));
    pFrame->SetViewMask(ViewWorkspace);
}

TEST(MainFrame, TheSameRecordTwiceChangesNothing)
{
    CMainFrame* pFrame = MainFrame();
    const ViewLayout layout = LayoutOf(View2DPlot | ViewGrid, 120);
    pFrame->SetViewLayout(layout);
    CView* pGrid = pFrame->GetGridView();
    pGrid->ShowWindow(SW_HIDE); // what a second arrangement would undo
    pFrame->SetViewLayout(layout);
    EXPECT_FALSE(pGrid->IsWindowVisible());
    pFrame->SetViewMask(View2DPlot | ViewGrid); // the same record again
    EXPECT_FALSE(pGrid->IsWindowVisible());
    pFrame->SetViewMask(ViewWorkspace);
}

TEST(MainFrame, RandomMaskSequencesKeepEveryPaneInPlace)
{
    CMainFrame* pFrame = MainFrame();
    std::mt19937 random(20240611);
    for (int step = 0; step < 150; ++step) {
        const UINT mask = random() % 16;
        CheckLayout(pFrame, LayoutOf(mask, 40 + random() % 400));
        if (::testing::Test::HasFailure()) {
            ADD_FAILURE() << "at step " << step;
            break;
        }
    }
    pFrame->SetViewMask(ViewWorkspace);
}

TEST(MainFrame, ExplorerShownAndHiddenAcrossRuns)
{
    CMainFrame* pFrame = MainFrame();
    CDataTreeView* pExplorer = pFrame->GetExplorerView();
    const int cxBefore = WindowRect(pExplorer).Width();
    EXPECT_EQ(UpdateState(pFrame, ID_VIEW_PROJECT_EXPLORER).m_nChecked, 1);

    // The explorer's close button hides it, through View/Project Explorer.
    pExplorer->SendMessage(WM_COMMAND, IDC_EXPLORER_CLOSE);
    Pump();
    EXPECT_FALSE(pExplorer->IsWindowVisible());
    EXPECT_EQ(pFrame->GetSplitter(2).GetHiddenColumn(), 0);
    EXPECT_EQ(UpdateState(pFrame, ID_VIEW_PROJECT_EXPLORER).m_nChecked, 0);

    // The next run starts without it, and the command brings it back at its old width.
    CloseMainFrame();
    CRegistryProfileStore store(&TestApp());
    EXPECT_EQ(store.GetInt("Layout", "TreeVisible", -1), 0);
    pFrame = MainFrame();
    pExplorer = pFrame->GetExplorerView();
    EXPECT_FALSE(pExplorer->IsWindowVisible());
    pFrame->SendMessage(WM_COMMAND, ID_VIEW_PROJECT_EXPLORER);
    EXPECT_TRUE(pExplorer->IsWindowVisible());
    EXPECT_NEAR(WindowRect(pExplorer).Width(), cxBefore, 2);
    CloseMainFrame();
    EXPECT_EQ(store.GetInt("Layout", "TreeVisible", -1), 1);
}

TEST(MainFrame, PlacementKeptBetweenRuns)
{
    CMainFrame* pFrame = MainFrame();
    pFrame->ShowWindow(SW_RESTORE);
    pFrame->MoveWindow(50, 60, 700, 500);
    CloseMainFrame();
    CRegistryProfileStore store(&TestApp());
    std::vector<BYTE> stored;
    ASSERT_TRUE(store.GetBinary("Layout", "MainFrame", stored));
    EXPECT_EQ(stored.size(), 44u);

    TestApp().m_nCmdShow = SW_SHOWNORMAL;
    pFrame = MainFrame();
    EXPECT_FALSE(pFrame->IsZoomed());
    EXPECT_TRUE(WindowRect(pFrame) == CRect(50, 60, 750, 560));
    CloseMainFrame();

    // A record of another length is no placement: the window opens maximised.
    const BYTE shortRecord[40] = {40};
    store.WriteBinary("Layout", "MainFrame", shortRecord, sizeof shortRecord);
    TestApp().m_nCmdShow = SW_SHOWNORMAL;
    pFrame = MainFrame();
    EXPECT_TRUE(pFrame->IsZoomed());
    CloseMainFrame();
    TestApp().m_nCmdShow = SW_SHOWNORMAL;
}

TEST(MainFrame, ContextMenusByKind)
{
    CMainFrame* pFrame = MainFrame();
    const UINT firstCommands[ItemTypeCount] = {
        ID_DATA_ANALYZE_TABLE,
        ID_DATA_ANALYZE_LIST,
        ID_MATRIX_DETERMINANT,
        ID_PLOT2D_ANALYZE,
        ID_VIEW_PROPERTIES,
        UINT(-1),
        UINT(-1),
        UINT(-1),
        UINT(-1),
        UINT(-1),
        UINT(-1),
        UINT(-1),
        UINT(-1),
        UINT(-1),
        UINT(-1),
        ID_PLOT3D_GRAPH_PROPERTIES,
    };
    for (int kind = 0; kind < ItemTypeCount; ++kind) {
        CMenu* pPopup = pFrame->GetContextMenuForType(kind);
        ASSERT_NE(pPopup, nullptr) << kind;
        EXPECT_EQ(pPopup->GetMenuItemID(0), firstCommands[kind]) << kind;
        // The last item is "Toggle Views", whose items carry the tool bar's images.
        CMenu* pToggle = pPopup->GetSubMenu(int(pPopup->GetMenuItemCount()) - 1);
        ASSERT_NE(pToggle, nullptr) << kind;
        EXPECT_EQ(pToggle->GetMenuItemID(0), UINT(ID_VIEW_TOGGLE_WORKSPACE)) << kind;
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_DATA;
        pToggle->GetMenuItemInfo(0, &info, TRUE);
        const CMenuItemData* pRecord = CMenuItemData::FromItemData(info.dwItemData);
        ASSERT_NE(pRecord, nullptr) << kind;
        EXPECT_GE(pRecord->m_nImageIndex, 0) << kind;
    }
    EXPECT_EQ(pFrame->GetContextMenuForType(ItemNone), nullptr);
    EXPECT_EQ(pFrame->GetContextMenuForType(-1), nullptr);
}

// The File menu as the menu bar opens it, read at its first idle: each item's text ("-" for a
// separator, a leading "~" for a disabled one), and the recent-file entry drawn as the menu
// draws it and under other texts.
class FileMenuAtIdle : public CSubclassWnd {
public:
    explicit FileMenuAtIdle(const std::vector<std::wstring>& otherTexts) : m_otherTexts(otherTexts)
    {
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_INITMENUPOPUP && !m_hFile)
            m_hFile = HMENU(wParam);
        if (message == WM_ENTERIDLE && wParam == MSGF_MENU) {
            if (texts.empty())
                Read();
            ::EndMenu();
        }
        return CSubclassWnd::WindowProc(message, wParam, lParam);
    }
    std::vector<std::string> texts;
    CDibImage recentDrawn;
    std::vector<CDibImage> recentAs; // under each of the other texts

private:
    void Read()
    {
        auto* pLevel = dynamic_cast<COwnerDrawMenu*>(CMenu::FromHandlePermanent(m_hFile));
        if (!pLevel)
            return;
        for (std::size_t i = 0; i < pLevel->GetRecords().size(); ++i) {
            CMenuItemData* pRecord = pLevel->GetRecords()[i];
            const BOOL bGrayed = ::GetMenuState(m_hFile, UINT(i), MF_BYPOSITION) & MF_GRAYED;
            texts.push_back((pRecord->m_nFlags & MF_SEPARATOR)
                                ? std::string("-")
                                : (bGrayed ? "~" : "") + std::string(pRecord->GetAnsiText()));
            if (pRecord->m_nID != ID_FILE_MRU_FILE1)
                continue;
            recentDrawn = Draw(pLevel, pRecord, bGrayed);
            const std::wstring shown = pRecord->m_strText;
            for (const std::wstring& text : m_otherTexts) {
                pRecord->m_strText = text;
                recentAs.push_back(Draw(pLevel, pRecord, bGrayed));
            }
            pRecord->m_strText = shown;
        }
    }
    static CDibImage Draw(COwnerDrawMenu* pLevel, CMenuItemData* pRecord, BOOL bGrayed)
    {
        DRAWITEMSTRUCT draw = {};
        draw.CtlType = ODT_MENU;
        draw.itemID = UINT(pRecord->m_nID);
        draw.itemState = bGrayed ? ODS_GRAYED : 0;
        draw.itemData = ULONG_PTR(pRecord);
        draw.rcItem = {0, 0, 160, 20};
        return AfxDrawToDib(160, 20, [&](CDC& dc) {
            draw.hDC = dc.m_hDC;
            pLevel->DrawItem(&draw);
        });
    }
    HMENU m_hFile = nullptr;
    std::vector<std::wstring> m_otherTexts;
};

// The columns and rows in which two drawings differ; left -1 when they are alike.
struct Difference {
    int left = -1, right = -1, rows = 0;
};

Difference DifferenceOf(const CDibImage& a, const CDibImage& b)
{
    Difference d;
    for (int y = 0; y < a.height; ++y) {
        bool bRow = false;
        for (int x = 0; x < a.width; ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y)) {
                d.left = d.left < 0 ? x : std::min(d.left, x);
                d.right = std::max(d.right, x);
                bRow = true;
            }
        d.rows += bRow;
    }
    return d;
}

// Whatever the recent-file list holds, each item of File shows a letter to choose it by, the
// greyed "Recent File" of an empty list as much as the rest: in its text and underlined under
// its letter where the menu draws it.
TEST(MainFrame, EveryItemOfTheFileMenuShowsItsLetterTheEmptyRecentFileEntryToo)
{
    CMainFrame* pFrame = MainFrame();
    CRecentFileList& recent = *TestApp().m_pRecentFileList;
    while (recent.GetCount() > 0)
        recent.Remove(0);
    const std::string project = TestFolder() + "letters.zvp";
    for (int nFiles : {0, 1, 0}) {
        if (nFiles > 0)
            recent.Add(project.c_str());
        else if (recent.GetCount() > 0)
            recent.Remove(0);
        FileMenuAtIdle menu({L"Recent File", L"Recent F", L"Recent "});
        menu.AttachHook(pFrame->m_hWnd);
        pFrame->GetMenuBar().OpenButtonPopup(0);
        menu.AttachHook(nullptr);
        ASSERT_FALSE(menu.texts.empty()) << nFiles;
        for (const std::string& text : menu.texts) {
            const std::size_t amp = text.find('&');
            EXPECT_TRUE(text == "-" ||
                        (amp != std::string::npos && amp + 1 < text.size() && text[amp + 1] != '&'))
                << "no letter in \"" << text << "\" with " << nFiles << " recent files";
        }
        const std::string recentText = nFiles > 0 ? "&1 " : "~Recent &File";
        EXPECT_EQ(std::count_if(menu.texts.begin(), menu.texts.end(),
                                [&](const std::string& text) {
                                    return text.substr(0, recentText.size()) == recentText;
                                }),
                  1)
            << recentText;
        if (nFiles > 0)
            continue;
        // Against the text without the '&': a line of at most two rows (a greyed text is drawn
        // twice, one pixel apart) under the F, as "Recent F" differs from "Recent ".
        ASSERT_EQ(menu.recentAs.size(), 3u);
        const Difference line = DifferenceOf(menu.recentDrawn, menu.recentAs[0]);
        const Difference letter = DifferenceOf(menu.recentAs[1], menu.recentAs[2]);
        ASSERT_GE(line.left, 0) << "no underline";
        EXPECT_LE(line.rows, 2);
        EXPECT_GE(line.left, letter.left - 1);
        EXPECT_LE(line.right, letter.right + 2);
    }
}

TEST(TabBar, TabsPostTheirCommandsAndTheCaptionNamesTheItem)
{
    CMainFrame* pFrame = MainFrame();
    Pump();
    CViewTabBar& bar = pFrame->GetTabBar();
    CTabCtrl& tabs = bar.GetTabs();
    ASSERT_EQ(tabs.GetItemCount(), 5);
    const UINT commands[] = {ID_VIEW_SHOW_WORKSPACE, ID_VIEW_SHOW_PLOT2D, ID_VIEW_SHOW_PLOT3D,
                             ID_VIEW_SHOW_GRID, ID_VIEW_SHOW_ALL};
    for (int i = 0; i < 5; ++i) {
        tabs.SetCurSel(i);
        NMHDR hdr = {tabs.m_hWnd, UINT_PTR(IDC_VIEW_TABS), UINT(NM_CLICK)};
        bar.SendMessage(WM_NOTIFY, IDC_VIEW_TABS, LPARAM(&hdr));
        MSG msg;
        ASSERT_TRUE(::PeekMessageA(&msg, pFrame->m_hWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE)) << i;
        EXPECT_EQ(LOWORD(msg.wParam), commands[i]) << i;
    }
    // The tabs sit at the right end, the caption takes the rest.
    CRect rcBar, rcTabs;
    bar.GetClientRect(&rcBar);
    tabs.GetWindowRect(&rcTabs);
    bar.ScreenToClient(&rcTabs);
    EXPECT_EQ(rcTabs.right, rcBar.right);
    EXPECT_EQ(rcTabs.Width(), bar.GetTabAreaWidth());

    pFrame->SetItemCaption("Table: T1", GetItemTypeImage(ItemDataTable));
    EXPECT_STREQ(bar.GetCaption(), "Table: T1");
}

// Clicks a tab the way the user does: the selection moves, then the click is reported.
void ClickTab(CViewTabBar& bar, int nTab)
{
    bar.GetTabs().SetCurSel(nTab);
    NMHDR hdr = {bar.GetTabs().m_hWnd, UINT_PTR(IDC_VIEW_TABS), UINT(NM_CLICK)};
    bar.SendMessage(WM_NOTIFY, IDC_VIEW_TABS, LPARAM(&hdr));
    Pump();
}

TEST(ViewCommands, TabsAndToggleViewsThroughTheDocument)
{
    CMainFrame* pFrame = MainFrame();
    CDataTreeView* pExplorer = pFrame->GetExplorerView();
    CMyDocument* pDoc = MainDocument();
    ProjectModel& model = pDoc->GetModel();
    pExplorer->GetTree().SelectItem(pExplorer->GetFolder(SlotVariables));
    Pump();
    const auto mask = [&] { return pFrame->GetViewLayout()[ViewLayout::Mask]; };
    EXPECT_EQ(mask(), DWORD(ViewWorkspace | ViewGrid));

    // A tab shows its panes whatever is selected; the kind's own layout stays as it was.
    ClickTab(pFrame->GetTabBar(), 4);
    EXPECT_EQ(mask(), 15u);
    ClickTab(pFrame->GetTabBar(), 0);
    EXPECT_EQ(mask(), DWORD(ViewWorkspace));
    EXPECT_EQ(pFrame->GetActiveView(), pFrame->GetWorkspaceView());
    EXPECT_EQ(model.m_ViewLayouts[ItemVariables][ViewLayout::Mask],
              DWORD(ViewWorkspace | ViewGrid));

    // Toggling the grid of variables: expression variables follow, the menu item unchecks.
    EXPECT_EQ(UpdateState(pFrame, ID_VIEW_TOGGLE_GRID).m_nChecked, 1);
    pFrame->SendMessage(WM_COMMAND, ID_VIEW_TOGGLE_GRID);
    EXPECT_EQ(mask(), DWORD(ViewWorkspace));
    EXPECT_EQ(model.m_ViewLayouts[ItemExpressionVariables][ViewLayout::Mask], DWORD(ViewWorkspace));
    const CRecordingCmdUI grid = UpdateState(pFrame, ID_VIEW_TOGGLE_GRID);
    EXPECT_EQ(grid.m_nEnabled, 1);
    EXPECT_EQ(grid.m_nChecked, 0);
    pFrame->SendMessage(WM_COMMAND, ID_VIEW_TOGGLE_GRID);
    EXPECT_EQ(mask(), DWORD(ViewWorkspace | ViewGrid));

    // A folder without a kind: the toggles are off and do nothing.
    pExplorer->GetTree().SelectItem(pExplorer->GetFolder(SlotPredefined));
    Pump();
    const ViewLayouts before = model.m_ViewLayouts;
    const CRecordingCmdUI none = UpdateState(pFrame, ID_VIEW_TOGGLE_PLOT2D);
    EXPECT_EQ(none.m_nEnabled, 0);
    EXPECT_EQ(none.m_nChecked, 0);
    pFrame->SendMessage(WM_COMMAND, ID_VIEW_TOGGLE_PLOT2D);
    EXPECT_EQ(std::memcmp(&before, &model.m_ViewLayouts, sizeof before), 0);
}

TEST(ViewCommands, StatusBarShowsAngleModeAndBase)
{
    CMainFrame* pFrame = MainFrame();
    CCalcEngine& engine = MainDocument()->GetModel().m_Engine;
    const int angle = engine.m_nAngleMode, base = engine.m_nNumberBase;
    engine.m_nAngleMode = AngleGradians;
    engine.m_nNumberBase = 16;
    pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    EXPECT_STREQ(pFrame->GetStatusBar().GetPaneText(2), "GRAD");
    EXPECT_STREQ(pFrame->GetStatusBar().GetPaneText(3), "HEX");
    engine.m_nAngleMode = angle;
    engine.m_nNumberBase = base;
}

} // namespace
