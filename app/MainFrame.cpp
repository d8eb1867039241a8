// The main frame's creation and end: placement, bars, splitters and panes, tool windows and
// context menus.
#include "app/MainFrame.h"

#include "app/DataTreeView.h"
#include "app/ItemTypes.h"
#include "app/MyDocument.h"
#include "app/OtherWindows.h"
#include "app/StartupRules.h"
#include "app/StartupTiming.h"
#include "framework/win/CCmdUI.h"
#include "framework/win/CCreateContext.h"
#include "framework/win/CDC.h"
#include "framework/win/CWinApp.h"
#include "framework/win/MessageCrackers.h"
#include "framework/win/RegistryProfileStore.h"
#include "res/resource.h"

IMPLEMENT_DYNCREATE(CMainFrame, CKxFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CKxFrameWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_COMMAND(ID_VIEW_PROJECT_EXPLORER, &CMainFrame::OnViewProjectExplorer)
ON_UPDATE_COMMAND_UI(ID_VIEW_PROJECT_EXPLORER, &CMainFrame::OnUpdateViewProjectExplorer)
ON_COMMAND_RANGE(ID_NEXT_PANE, ID_PREV_PANE, &CMainFrame::OnNextPane)
ON_UPDATE_COMMAND_UI_RANGE(ID_NEXT_PANE, ID_PREV_PANE, &CMainFrame::OnUpdateNextPane)
ON_MESSAGE(WM_USER + 1, &CMainFrame::OnSideBarNotify)
ON_MESSAGE(WM_COPYDATA, &CMainFrame::OnCopyData)
END_MESSAGE_MAP()

namespace {

const char kLayout[] = "Layout";
constexpr int kSideBarWidth = 175;
constexpr int kTabRowHeight = 32;
constexpr int kLeftPaneWidth = 200;
const char kCoordinateSample[] = " x = -1.23, y = +1.23 ";

// clang-format off
constexpr UINT kIndicators[] = {
    ID_SEPARATOR, IDS_INDICATOR_COORDINATES, IDS_INDICATOR_ANGLE, IDS_INDICATOR_BASE,
    ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL,
};
// The working panes by cell of the 2 x 2 splitter.
constexpr UINT kPaneCells[2][2] = {{View3DPlot, View2DPlot}, {ViewWorkspace, ViewGrid}};
// clang-format on

CSize ScreenSize()
{
    return CSize(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
}

} // namespace

CMainFrame* GetMainFrame() { return dynamic_cast<CMainFrame*>(AfxGetMainWnd()); }

CMainFrame::CMainFrame() = default;

CMainFrame::~CMainFrame()
{
    // Another window may have shown or hidden its explorer since: only a change of this one's
    // goes back.
    if (m_bTreeVisible != m_bTreeVisibleAtStart)
        CRegistryProfileStore().WriteInt(kLayout, "TreeVisible", m_bTreeVisible ? 1 : 0);
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CKxFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.style = WS_OVERLAPPEDWINDOW;
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    std::vector<BYTE> stored;
    CRegistryProfileStore().GetBinary(kLayout, "MainFrame", stored);
    const FramePlacement placement = ChooseFramePlacement(stored, ScreenSize());
    if (placement.bUseRect) {
        cs.x = placement.rect.left;
        cs.y = placement.rect.top;
        cs.cx = placement.rect.Width();
        cs.cy = placement.rect.Height();
    }
    // Without a usable placement, or after a run that ended maximised, the frame opens
    // maximised; the usual show command would restore it.
    if (placement.bMaximize) {
        cs.style |= WS_MAXIMIZE;
        if (CWinApp* pApp = AfxGetApp();
            pApp && (pApp->m_nCmdShow == SW_SHOWNORMAL || pApp->m_nCmdShow == SW_SHOWDEFAULT ||
                     pApp->m_nCmdShow == SW_SHOW))
            pApp->m_nCmdShow = SW_SHOWMAXIMIZED;
    }
    return TRUE;
}

BOOL CMainFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    COutlookSplitterWnd& sideBar = m_wndSplitter[0];
    COutlookSplitterWnd& tabRow = m_wndSplitter[1];
    COutlookSplitterWnd& explorer = m_wndSplitter[2];
    const DWORD dwInner = WS_CHILD | WS_VISIBLE | WS_BORDER;
    if (!sideBar.CreateStatic(this, 1, 2) ||
        !sideBar.CreateView(0, 0, RUNTIME_CLASS(COutlookBarView), CSize(kSideBarWidth, 0),
                            pContext) ||
        !tabRow.CreateStatic(&sideBar, 2, 1, dwInner, sideBar.IdFromRowCol(0, 1)) ||
        !m_wndTabBar.Create(&tabRow, tabRow.IdFromRowCol(0, 0)))
        return FALSE;
    tabRow.SetRowInfo(0, kTabRowHeight, kTabRowHeight);
    tabRow.SetFlags(PSF_NODRAG | PSF_THINBARS);

    CRegistryProfileStore store;
    m_bTreeVisible = store.GetInt(kLayout, "TreeVisible", 1) != 0;
    m_bTreeVisibleAtStart = m_bTreeVisible;
    const int cxTree = ChooseTreeWidth(
        store.GetInt(kLayout, "TreeViewWidth", kDefaultExplorerWidth), ScreenSize().cx);
    if (!explorer.CreateStatic(&tabRow, 1, 2, dwInner, tabRow.IdFromRowCol(1, 0)) ||
        !explorer.CreateView(0, 0, RUNTIME_CLASS(CDataTreeView), CSize(cxTree, 0), pContext))
        return FALSE;
    m_pExplorerView = dynamic_cast<CDataTreeView*>(explorer.GetPane(0, 0));
    return CreateWorkingPanes(pContext);
}

BOOL CMainFrame::CreateWorkingPanes(CCreateContext* pContext)
{
    COutlookSplitterWnd& explorer = m_wndSplitter[2];
    COutlookSplitterWnd& panes = m_wndSplitter[3];
    if (!panes.CreateStatic(&explorer, 2, 2, WS_CHILD | WS_VISIBLE | WS_BORDER,
                            explorer.IdFromRowCol(0, 1)))
        return FALSE;
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 2; ++col) {
            const PaneClass& pane = GetPaneClass(kPaneCells[row][col]);
            const CSize size(col == 0 ? kLeftPaneWidth : 0, 0);
            if (!panes.CreateView(row, col, pane.pClass, size, pContext))
                return FALSE;
            auto* pView = dynamic_cast<CView*>(panes.GetPane(row, col));
            if (auto* pPlaceholder = dynamic_cast<CPaneView*>(pView))
                pPlaceholder->SetPane(pane.viewBit, pane.pszName);
            switch (pane.viewBit) {
            case View2DPlot:
                m_p2DPlotView = pView;
                break;
            case View3DPlot:
                m_p3DPlotView = pView;
                break;
            case ViewGrid:
                m_pGridView = pView;
                break;
            default:
                m_pWorkspaceView = pView;
                break;
            }
        }
    }
    return m_pWorkspaceView && m_p2DPlotView && m_p3DPlotView && m_pGridView && m_pExplorerView;
}

// Tool bar, menu bar (in place of the frame's own menu) and status bar; the tool bar and the
// menu bar dock on any side.
BOOL CMainFrame::CreateBars()
{
    StartupTiming::MenuWork work;
    const DWORD dwBarStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS |
                             CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
    // Two bars, two ids: the menu bar takes the one after the tool bar's.
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, dwBarStyle) ||
        !m_wndToolBar.LoadToolBar(IDR_MENUBAR) ||
        !m_wndMenuBar.CreateEx(this, TBSTYLE_FLAT, dwBarStyle, CRect(0, 0, 0, 0),
                               AFX_IDW_TOOLBAR + 1) ||
        !m_wndMenuBar.LoadMenu(IDR_MENUBAR) || !CreateStatusBar())
        return FALSE;
    m_wndMenuBar.EnableDocking(CBRS_ALIGN_ANY);
    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    if (!EnableDocking(CBRS_ALIGN_ANY))
        return FALSE;
    DockControlBar(&m_wndMenuBar);
    DockControlBar(&m_wndToolBar);
    return TRUE;
}

BOOL CMainFrame::CreateStatusBar()
{
    if (!m_wndStatusBar.Create(this) ||
        !m_wndStatusBar.SetIndicators(kIndicators, int(std::size(kIndicators))))
        return FALSE;
    // The coordinate pane is as wide as a typical read-out in the frame's own font.
    CClientDC dc(this);
    const CSize size = dc.GetTextExtent(kCoordinateSample);
    UINT nID = 0, nStyle = 0;
    int cxWidth = 0;
    m_wndStatusBar.GetPaneInfo(1, nID, nStyle, cxWidth);
    m_wndStatusBar.SetPaneInfo(1, nID, nStyle, size.cx);
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpcs)
{
    StartupTiming::Mark(StartupTiming::Document);
    if (CKxFrameWnd::OnCreate(lpcs) == -1 || !CreateBars())
        return -1;

    m_wndSplitter[0].HideColumn(0); // the side bar never shows
    SetFocus();
    SetViewMask(ViewWorkspace);
    if (!m_bTreeVisible)
        m_wndSplitter[2].HideColumn(0);
    SetActiveView(m_pWorkspaceView);
    m_pWorkspaceView->SetFocus();

    auto* pContext = static_cast<CCreateContext*>(lpcs->lpCreateParams);
    auto* pDoc = dynamic_cast<CMyDocument*>(pContext ? pContext->m_pCurrentDoc : nullptr);
    if (pDoc)
        pDoc->SetProjectWindows(this);

    m_wndUnitConverter.m_pDocument = pDoc;
    m_wndUnitConverter.Create(IDD_UNIT_CONVERTER, this);
    m_wndFinanceBox.Create(IDD_FINANCE_BOX, this);
    LoadContextMenus();
    RecalcLayout();
    MarkProgramWindow(m_hWnd);
    StartupTiming::Mark(StartupTiming::Frame);
    return 0;
}

void CMainFrame::LoadContextMenus()
{
    StartupTiming::MenuWork work;
    // The fuller tool bar holds every button of the menu bar's, so its images serve all menus.
    for (int kind = 0; kind < ItemTypeCount; ++kind)
        if (m_ContextMenus[kind].LoadMenu(GetItemTypeInfo(kind)->nMenu))
            m_ContextMenus[kind].LoadToolBarImages(IDR_MAINFRAME);
}

CMenu* CMainFrame::GetContextMenuForType(int kind)
{
    if (kind < 0 || kind >= ItemTypeCount || !m_ContextMenus[kind].GetSafeHmenu())
        return nullptr;
    return m_ContextMenus[kind].GetSubMenu(0);
}

CMyDocument* CMainFrame::GetProject()
{
    return m_pWorkspaceView ? dynamic_cast<CMyDocument*>(m_pWorkspaceView->GetDocument()) : nullptr;
}

void CMainFrame::OnDestroy()
{
    // The project outlives its windows by a moment: it must not reach them any more.
    if (CMyDocument* pDoc = GetProject())
        pDoc->SetProjectWindows(nullptr);
    WriteWindowPlacement(kLayout, "MainFrame");
    UnmarkProgramWindow(m_hWnd);
    CKxFrameWnd::OnDestroy();
}

void CMainFrame::OnViewProjectExplorer()
{
    m_bTreeVisible = !m_bTreeVisible;
    if (m_bTreeVisible) {
        m_wndSplitter[2].ShowColumn();
        // Shown from the menu or the keyboard, it is where the user goes next.
        SetActiveView(m_pExplorerView);
        m_pExplorerView->SetFocus();
    } else {
        m_wndSplitter[2].HideColumn(0);
        KeepFocusInSight();
    }
}

void CMainFrame::OnUpdateViewProjectExplorer(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_bTreeVisible); }

LRESULT CMainFrame::OnSideBarNotify(WPARAM, LPARAM) { return 0; }

LRESULT CMainFrame::OnCopyData(WPARAM, LPARAM lParam)
{
    CMyDocument* pDoc = GetProject();
    return AnswerProjectQuestion(m_hWnd, reinterpret_cast<const COPYDATASTRUCT*>(lParam),
                                 pDoc ? pDoc->GetPathName() : CString());
}
