// The main frame's pane arrangements and the project's window side: explorer, caption and
// panes as the project reaches them.
#include "analysis/GridView.h"
#include "app/DataTreeView.h"
#include "app/MainFrame.h"
#include "app/PaneArrangement.h"
#include "app/ViewToggles.h"
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
        // A stored height is the view's client height, as the view reports it when resized:
        // the row also holds the border round it, or each arrangement would lose it again.
        panes.SetRowInfo(0, a.cyRow0 + 2 * panes.GetPaneBorder().cy, 0);
    } else {
        panes.SetRowInfo(0, a.cyRow0, 10);
        panes.SetColumnInfo(0, a.cxCol0, 10);
    }
    panes.RecalcLayout();
    m_CurrentLayout = layout;
    m_wndTabBar.HighlightTab(ShowCommandOfViewMask(layout[ViewLayout::Mask]));
}

void CMainFrame::SetViewMask(UINT mask)
{
    ViewLayout layout = m_CurrentLayout;
    layout[ViewLayout::Mask] = mask;
    SetViewLayout(layout);
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
