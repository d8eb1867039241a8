// The selection: which item the explorer shows as selected, the panes that follow it, the
// refreshes after changes and the pane sizes each kind remembers.
#include "app/ProjectModel.h"

#include "app/ExplorerRules.h"
#include "app/PaneArrangement.h"
#include "app/ViewToggles.h"

#include <cstring>

void ProjectModel::OnSelectItem(int kind, const CString& label, ExplorerNode node)
{
    if (node != 0 && node == m_SelectedNode)
        return;
    CString text = label;
    text.Trim();
    if (text.IsEmpty())
        return; // an item without a name cannot be selected
    if (kind < 0 || kind >= ItemTypeCount) {
        // A folder without a kind: no pane may go on showing the item selected before.
        ClearSelection();
        ShowNoSelection(text);
        return;
    }
    m_nSelectedKind = kind;
    m_SelectedNode = node;
    m_nSelectedIndex = FindProjectItem(kind, text);
    m_pSelectedObject = GetItemObject(kind, m_nSelectedIndex);
    m_bLayoutByCommand = FALSE;

    ViewLayout& layout = m_ViewLayouts[std::size_t(kind)];
    if (layout[ViewLayout::Mask] == 0)
        layout[ViewLayout::Mask] = ViewWorkspace;
    ViewLayout shown = layout;
    if (m_bWorkspaceLine) {
        // As by a view command: the kind's record keeps its arrangement and its pane sizes.
        shown[ViewLayout::Mask] = ViewMaskBesideWorkspace(layout[ViewLayout::Mask]);
        shown = WithBothPanesInSight(shown, Windows().GetPaneAreaHeight());
        m_bLayoutByCommand = std::memcmp(shown.words, layout.words, sizeof shown.words) != 0;
    }
    Windows().ApplyViewLayout(shown);

    if (kind == Item3DGraph)
        m_Scene.m_nCurrent = m_nSelectedIndex;
    RefreshSelectedItem();
    if (kind != ItemDataTable && kind != Item2DGraph && kind != ItemDataGraph)
        Windows().ShowPlotForSelection(); // the function plot, not a table or data graph
    Windows().SetItemCaption(FormatItemCaption(kind, text), GetItemTypeImage(kind));
}

void ProjectModel::ShowNoSelection(const CString& caption)
{
    Windows().FillGrid();
    Windows().ShowPlotForSelection();
    Windows().SetItemCaption(caption, GetItemTypeImage(ItemNone));
}

std::vector<ExplorerLeaf> ProjectModel::GetExplorerLeaves() const
{
    // In the folders' order, so that a rebuilt tree reads as one built item by item.
    std::vector<ExplorerLeaf> leaves;
    for (int slot = 0; slot < ExplorerSlotCount; ++slot) {
        const int kind = GetExplorerFolder(slot).nLeafKind;
        if (kind == ItemNone)
            continue;
        for (int i = 0; i < GetItemCount(kind); ++i)
            leaves.push_back({kind, GetItemName(kind, i)});
    }
    return leaves;
}

void ProjectModel::ShowProjectAnew()
{
    const int kind = m_nSelectedKind;
    const CString name = GetItemName(kind, m_nSelectedIndex);
    ClearSelection();
    Windows().RebuildExplorer(GetExplorerLeaves());
    Windows().RedrawPlot3D();
    if (!name.IsEmpty())
        ForceSelectItemByName(kind, name);
    if (m_nSelectedKind != ItemNone)
        return;
    // As at start-up: the workspace alone, taking the keys, instead of the last item's panes.
    Windows().ApplyViewMask(ViewWorkspace);
    Windows().FocusWorkspace();
    ShowNoSelection(CString());
}

void ProjectModel::RelabelItem(int kind, const CString& oldLabel, const CString& newLabel)
{
    Windows().RenameExplorerItem(kind, oldLabel, newLabel);
    if (kind == m_nSelectedKind && GetItemName(kind, m_nSelectedIndex) == newLabel)
        Windows().SetItemCaption(FormatItemCaption(kind, newLabel), GetItemTypeImage(kind));
}

void ProjectModel::SelectItemByIndex(int kind, int index)
{
    SelectItemByName(kind, GetItemName(kind, index));
}

void ProjectModel::SelectItemByName(int kind, const CString& name)
{
    const ExplorerNode node = Windows().FindExplorerItem(kind, name);
    if (node && node != Windows().GetSelectedExplorerItem())
        Windows().SelectExplorerItem(node);
}

void ProjectModel::ForceSelectItemByName(int kind, const CString& name)
{
    if (const ExplorerNode node = Windows().FindExplorerItem(kind, name))
        Windows().SelectExplorerItem(node);
}

void ProjectModel::RefreshPlot2D(BOOL bSetModified)
{
    if (m_nSelectedKind == ItemNone || m_nSelectedIndex < 0)
        return;
    if (m_nSelectedKind == ItemDataTable) {
        auto* table = static_cast<CDataTable*>(m_pSelectedObject);
        CFunctionPlot* preview = PreviewGraph();
        if (table && preview &&
            (table->GetLayout() == TableLayoutXY || table->GetLayout() == TableLayoutXYSig)) {
            preview->AttachDataTable(table);
            m_PreviewPlot.AutoRange();
        }
    } else if (m_nSelectedKind == ItemDataGraph) {
        m_DataPlot.ShowSingleItem(m_nSelectedIndex);
        m_DataPlot.AutoRange();
    }
    Windows().ShowPlotForSelection();
    if (bSetModified)
        m_bModified = TRUE;
}

void ProjectModel::RefreshPlot3D(BOOL bSetModified)
{
    Windows().RedrawPlot3D();
    if (bSetModified)
        m_bModified = TRUE;
}

void ProjectModel::RefreshGrid()
{
    if (m_nSelectedKind != ItemNone)
        Windows().FillGrid();
}

void ProjectModel::RefreshSelectedItem()
{
    RefreshGrid();
    if (m_nSelectedKind == ItemDataTable || m_nSelectedKind == Item2DGraph ||
        m_nSelectedKind == ItemDataGraph)
        RefreshPlot2D(FALSE);
    else if (m_nSelectedKind == Item3DGraph)
        RefreshPlot3D(FALSE);
}

void ProjectModel::RefreshGraphGrid()
{
    if (m_nSelectedKind == Item2DGraph || m_nSelectedKind == Item3DGraph)
        RefreshGrid();
}

void ProjectModel::StorePaneSize(UINT viewBit, int width, int height)
{
    if (viewBit == ViewExplorer) {
        if (width > 0)
            m_nTreeWidth = width;
        return;
    }
    if (m_nSelectedKind < 0 || m_nSelectedKind >= ItemTypeCount || m_bLayoutByCommand)
        return;
    ViewLayout& layout = m_ViewLayouts[std::size_t(m_nSelectedKind)];
    const DWORD mask = layout[ViewLayout::Mask];
    int shown = 0;
    for (UINT bit : {View2DPlot, View3DPlot, ViewWorkspace, ViewGrid})
        shown += (mask & bit) ? 1 : 0;
    if (shown != 2 || !(mask & viewBit) || height < 0)
        return;
    switch (viewBit) {
    case View2DPlot:
        layout[ViewLayout::Plot2DHeight] = DWORD(height);
        break;
    case View3DPlot:
        layout[ViewLayout::Plot3DHeight] = DWORD(height);
        break;
    case ViewWorkspace:
        layout[ViewLayout::WorkspaceHeight] = DWORD(height);
        break;
    case ViewGrid:
        layout[ViewLayout::GridHeight] = DWORD(height);
        break;
    default:
        return;
    }
    int siblings[3];
    const int n = GetLayoutSiblings(m_nSelectedKind, siblings);
    for (int i = 0; i < n; ++i)
        for (int w = ViewLayout::Mask; w <= ViewLayout::Plot3DHeight; ++w)
            m_ViewLayouts[std::size_t(siblings[i])][w] = layout[w];
}

void ProjectModel::ToggleView(UINT bit)
{
    if (!ToggleViewBit(m_ViewLayouts, m_nSelectedKind, bit))
        return;
    const ViewLayout& layout = m_ViewLayouts[std::size_t(m_nSelectedKind)];
    Windows().ApplyViewLayout(layout);
    // The workspace switched on is where the user types next.
    if (bit == ViewWorkspace && (layout[ViewLayout::Mask] & ViewWorkspace))
        Windows().FocusWorkspace();
}

void ProjectModel::ShowViewsByCommand(UINT mask, BOOL bFocusWorkspace)
{
    m_bLayoutByCommand = TRUE;
    Windows().ApplyViewMask(mask);
    if (bFocusWorkspace)
        Windows().FocusWorkspace();
}

void ProjectModel::ShowWorkspaceBesideShownPanes()
{
    ViewLayout shown = Windows().GetShownLayout();
    const UINT mask = ViewMaskWithWorkspace(shown[ViewLayout::Mask]);
    if (mask == shown[ViewLayout::Mask])
        return;
    shown[ViewLayout::Mask] = mask;
    m_bLayoutByCommand = TRUE;
    Windows().ApplyViewLayout(WithBothPanesInSight(shown, Windows().GetPaneAreaHeight()));
}
