// The main frame's pane arrangements and the project's window side: explorer, caption and
// panes as the project reaches them.
#include "analysis/GridView.h"
#include "app/DataTreeView.h"
#include "app/MainFrame.h"
#include "app/PaneArrangement.h"
#include "app/ViewToggles.h"
#include "framework/win/CCmdUI.h"
#include "framework/win/CWaitCursor.h"
#include "plot/Plot3DView.h"
#include "plot/PlotView.h"

#include <cstring>

CView* CMainFrame::GetPaneView(UINT mask) const
{
    switch (mask) {
    case View2DPlot:
        return m_p2DPlotView;
    case View3DPlot:
        return m_p3DPlotView;
    case ViewGrid:
        return m_pGridView;
    default:
        return m_pWorkspaceView;
    }
}

void CMainFrame::SetViewLayout(const ViewLayout& layout)
{
    if (std::memcmp(layout.words, m_CurrentLayout.words, sizeof layout.words) == 0)
        return;
    const CWaitCursor wait; // a workspace of many lines takes seconds to lay out anew
    COutlookSplitterWnd& panes = m_wndSplitter[3];
    CRect client;
    panes.GetClientRect(&client);
    const PaneArrangement a = ArrangePanes(layout, client.Width(), client.Height());
    panes.ShowRow(FALSE);
    panes.ShowColumn(FALSE);
    // Views move between cells by exchanging their pane ids with the view there.
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 2; ++col)
            if (a.cells[row][col] && (a.nPanes < 4 || row + col < 2))
                panes.SwapView(row, col, GetPaneView(a.cells[row][col]), FALSE);
    if (a.nPanes == 1)
        panes.HideRow(1, FALSE);
    if (a.nPanes < 4) {
        panes.HideColumn(1, FALSE);
        // A stored height is the view's window height, as the view reports it when resized:
        // the row also holds the border round it, or each arrangement would lose it again.
        panes.SetRowInfo(0, a.cyRow0 + 2 * panes.GetPaneBorder().cy, 0);
    } else {
        panes.SetRowInfo(0, a.cyRow0, 10);
        panes.SetColumnInfo(0, a.cxCol0, 10);
    }
    panes.RecalcLayout();
    m_CurrentLayout = layout;
    m_wndTabBar.HighlightTab(ShowCommandOfViewMask(layout[ViewLayout::Mask]));
    KeepFocusInSight();
}

int CMainFrame::GetPaneAreaHeight()
{
    CRect client;
    m_wndSplitter[3].GetClientRect(&client);
    return client.Height();
}

void CMainFrame::SetViewMask(UINT mask)
{
    ViewLayout layout = m_CurrentLayout;
    layout[ViewLayout::Mask] = mask;
    SetViewLayout(layout);
}

// ---- the keyboard's round of the panes -------------------------------------------------------

BOOL CMainFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The round crosses the splitters, so the frame takes it before the active view does.
    if ((nID == ID_NEXT_PANE || nID == ID_PREV_PANE) &&
        CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CKxFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

std::vector<CView*> CMainFrame::GetPaneRound()
{
    std::vector<CView*> round;
    if (m_bTreeVisible && m_pExplorerView && m_pExplorerView->IsWindowVisible())
        round.push_back(m_pExplorerView);
    COutlookSplitterWnd& panes = m_wndSplitter[3];
    for (int row = 0; row < panes.GetRowCount(); ++row)
        for (int col = 0; col < panes.GetColumnCount(); ++col)
            if (auto* pView = dynamic_cast<CView*>(panes.GetPane(row, col));
                pView && pView->IsWindowVisible())
                round.push_back(pView);
    return round;
}

void CMainFrame::ActivateNextPane(BOOL bPrevious)
{
    const std::vector<CView*> round = GetPaneRound();
    const HWND hFocus = ::GetFocus();
    int current = -1;
    for (std::size_t i = 0; i < round.size(); ++i)
        if (hFocus && (round[i]->m_hWnd == hFocus || ::IsChild(round[i]->m_hWnd, hFocus)))
            current = int(i);
    const int next = NextPaneInRound(int(round.size()), current, bPrevious);
    if (next < 0)
        return;
    SetActiveView(round[std::size_t(next)]);
    round[std::size_t(next)]->SetFocus();
}

void CMainFrame::OnNextPane(UINT nID) { ActivateNextPane(nID == ID_PREV_PANE); }

void CMainFrame::OnUpdateNextPane(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }

void CMainFrame::KeepFocusInSight()
{
    // Only a focus among the panes: bars, tools and dialogs keep theirs.
    const HWND hFocus = ::GetFocus();
    if (!hFocus || !::IsChild(m_wndSplitter[0].m_hWnd, hFocus))
        return;
    const std::vector<CView*> round = GetPaneRound();
    for (CView* pView : round)
        if (hFocus == pView->m_hWnd || ::IsChild(pView->m_hWnd, hFocus))
            return;
    CView* pTarget = GetActiveView();
    if (!pTarget || !pTarget->IsWindowVisible()) {
        pTarget = nullptr; // the first working pane shown, else the explorer
        for (CView* pView : round)
            if (!pTarget || pTarget == m_pExplorerView)
                pTarget = pView;
    }
    if (pTarget) {
        SetActiveView(pTarget);
        pTarget->SetFocus();
    }
}

void CMainFrame::SetItemCaption(const CString& text, int nImage)
{
    if (text.IsEmpty())
        m_wndTabBar.SetCaption(AfxGetAppName(), -1);
    else
        m_wndTabBar.SetCaption(text, nImage);
}

// ---- the project's window side -------------------------------------------------------------

ExplorerNode CMainFrame::InsertExplorerItem(int kind, const CString& name, BOOL bSelect)
{
    return ExplorerNode(m_pExplorerView->InsertItem(kind, name, bSelect));
}

ExplorerNode CMainFrame::FindExplorerItem(int kind, const CString& name)
{
    return ExplorerNode(m_pExplorerView->FindItem(kind, name));
}

void CMainFrame::RenameExplorerItem(int kind, const CString& oldName, const CString& newName)
{
    m_pExplorerView->RenameItem(kind, oldName, newName);
}

void CMainFrame::DeleteExplorerItem(ExplorerNode node)
{
    if (node)
        m_pExplorerView->GetTree().DeleteItem(HTREEITEM(node));
}

ExplorerNode CMainFrame::GetSelectedExplorerItem()
{
    return ExplorerNode(m_pExplorerView->GetTree().GetSelectedItem());
}

void CMainFrame::SelectExplorerItem(ExplorerNode node)
{
    m_pExplorerView->GetTree().SelectItem(HTREEITEM(node));
}

void CMainFrame::EditExplorerLabel(ExplorerNode node)
{
    if (!node)
        return;
    m_pExplorerView->GetTree().SetFocus();
    m_pExplorerView->GetTree().EditLabel(HTREEITEM(node));
}

void CMainFrame::SetExplorerItemImage(int kind, const CString& name, int image)
{
    m_pExplorerView->SetItemImageByName(kind, name, image);
}

void CMainFrame::RebuildExplorer(const std::vector<ExplorerLeaf>& leaves)
{
    m_pExplorerView->RebuildItems(leaves);
}

void CMainFrame::FocusWorkspace()
{
    SetActiveView(m_pWorkspaceView);
    m_pWorkspaceView->SetFocus();
}

void CMainFrame::FillGrid()
{
    if (auto* pGridView = dynamic_cast<CGridView*>(m_pGridView))
        pGridView->FillGrid();
}

void CMainFrame::ShowPlotForSelection()
{
    if (auto* pView = dynamic_cast<CPlotView*>(m_p2DPlotView))
        pView->ShowPlotForSelection();
}

void CMainFrame::RedrawPlot3D()
{
    if (auto* pView = dynamic_cast<CPlot3DView*>(m_p3DPlotView))
        pView->Refresh();
}
