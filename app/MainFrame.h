#pragma once
#include "app/ExplorerMenus.h"
#include "app/FinanceBoxDlg.h"
#include "app/PaneViews.h"
#include "app/ProjectWindows.h"
#include "app/UnitConverterDlg.h"
#include "app/ViewLayout.h"
#include "app/ViewTabBar.h"
#include "framework/win/CDialog.h"
#include "framework/win/CStatusBar.h"
#include "ui/GfxOutBarCtrl.h"
#include "ui/KxFrameWnd.h"
#include "ui/KxToolBar.h"
#include "ui/OwnerDrawMenu.h"

class CDataTreeView;
class CMyDocument;

// The program's main window: menu bar, tool bar and status bar around nested splitters, the
// side bar | (tab bar over (explorer | the 2 x 2 working panes)). It arranges the four panes for
// the selected kind of item, keeps a context menu per kind, hosts the two tool windows and
// keeps its placement. It is the project's window side: explorer, layouts, caption, panes.
class CMainFrame : public CKxFrameWnd, public IProjectWindows, public IExplorerMenus {
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // Shows the panes of an 11-word layout (nothing happens for the record shown already); the
    // tab bar highlights the tab of that arrangement, or none.
    void SetViewLayout(const ViewLayout& layout);
    // The layout shown, with another mask.
    void SetViewMask(UINT mask);
    const ViewLayout& GetViewLayout() const { return m_CurrentLayout; }

    // The pane of a mask bit: 1 2-D plot, 2 3-D plot, 8 grid, anything else the workspace.
    CView* GetPaneView(UINT mask) const;
    CView* GetWorkspaceView() const { return m_pWorkspaceView; }
    CView* Get3DPlotView() const { return m_p3DPlotView; }
    CView* Get2DPlotView() const { return m_p2DPlotView; }
    CView* GetGridView() const { return m_pGridView; }
    CDataTreeView* GetExplorerView() const { return m_pExplorerView; }

    // The caption strip of the tab bar shows text with an image of the small image list; an
    // empty text shows the program's name and icon.
    void SetItemCaption(const CString& text, int nImage) override;
    CMenu* GetContextMenuForType(int kind) override;
    // The panes F6 goes round, in its order: the explorer when it shows, then the working
    // panes shown, row by row.
    std::vector<CView*> GetPaneRound();
    // The pane F6 and Shift+F6 lead to from the one with the focus; it becomes the active
    // view and takes the focus.
    void ActivateNextPane(BOOL bPrevious);

    CStatusBar& GetStatusBar() { return m_wndStatusBar; }
    // The two tool windows, made hidden with the frame.
    CUnitConverterDlg& GetUnitConverter() { return m_wndUnitConverter; }
    CFinanceBoxDlg& GetFinanceBox() { return m_wndFinanceBox; }
    CKxToolBar& GetToolBar() { return m_wndToolBar; }
    CKxMenuBar& GetMenuBar() { return m_wndMenuBar; }
    CViewTabBar& GetTabBar() { return m_wndTabBar; }
    BOOL IsExplorerVisible() const { return m_bTreeVisible; }
    // Splitters: 0 side bar | rest, 1 tab row over the rest, 2 explorer | panes, 3 the panes.
    COutlookSplitterWnd& GetSplitter(int i) { return m_wndSplitter[i]; }

    // The explorer and the panes, as the project reaches them.
    ExplorerNode InsertExplorerItem(int kind, const CString& name, BOOL bSelect) override;
    ExplorerNode FindExplorerItem(int kind, const CString& name) override;
    void RenameExplorerItem(int kind, const CString& oldName, const CString& newName) override;
    void DeleteExplorerItem(ExplorerNode node) override;
    ExplorerNode GetSelectedExplorerItem() override;
    void SelectExplorerItem(ExplorerNode node) override;
    void EditExplorerLabel(ExplorerNode node) override;
    void SetExplorerItemImage(int kind, const CString& name, int image) override;
    void RebuildExplorer(const std::vector<ExplorerLeaf>& leaves) override;
    void ApplyViewLayout(const ViewLayout& layout) override { SetViewLayout(layout); }
    void ApplyViewMask(UINT mask) override { SetViewMask(mask); }
    ViewLayout GetShownLayout() override { return m_CurrentLayout; }
    int GetPaneAreaHeight() override;
    void FocusWorkspace() override;
    void FillGrid() override;
    void ShowPlotForSelection() override;
    void RedrawPlot3D() override;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    BOOL CreateWorkingPanes(CCreateContext* pContext);
    BOOL CreateBars();
    BOOL CreateStatusBar();
    void LoadContextMenus();
    CMyDocument* GetProject();

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnViewProjectExplorer();
    void OnUpdateViewProjectExplorer(CCmdUI* pCmdUI);
    void OnNextPane(UINT nID);
    void OnUpdateNextPane(CCmdUI* pCmdUI);
    // A focus left in a pane that went out of sight goes to the active view, or the first
    // pane of the round.
    void KeepFocusInSight();
    LRESULT OnSideBarNotify(WPARAM wParam, LPARAM lParam);
    // Another run of the program asks whether this window holds a project file.
    LRESULT OnCopyData(WPARAM wParam, LPARAM lParam);

    CUnitConverterDlg m_wndUnitConverter;
    CFinanceBoxDlg m_wndFinanceBox;
    CStatusBar m_wndStatusBar;
    CKxToolBar m_wndToolBar;
    CViewTabBar m_wndTabBar;
    CGfxOutBarCtrl m_wndOutBar;           // a folder bar the frame holds but never shows
    COutlookSplitterWnd m_wndSplitter[6]; // the last two are never created
    BOOL m_bTreeVisible = TRUE;
    BOOL m_bTreeVisibleAtStart = TRUE; // written back only when the run changed it
    CView* m_pGridView = nullptr;
    CView* m_p2DPlotView = nullptr;
    CView* m_p3DPlotView = nullptr;
    CView* m_pWorkspaceView = nullptr;
    CDataTreeView* m_pExplorerView = nullptr;
    ViewLayout m_CurrentLayout;
    COwnerDrawMenu m_ContextMenus[ItemTypeCount];

    DECLARE_MESSAGE_MAP()
};

// The program's main window, when it is one.
CMainFrame* GetMainFrame();
