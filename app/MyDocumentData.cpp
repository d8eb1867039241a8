// The document's data commands: adding, renaming and removing items, and filling,
// transforming, sorting, transposing and resizing the selected table, list or matrix, each with
// the rule that enables it.
#include "analysis/AddMatrixDlg.h"
#include "analysis/FillDataDlg.h"
#include "analysis/SortDlg.h"
#include "app/MainFrame.h"
#include "app/MyDocument.h"
#include "framework/win/CCmdUI.h"
#include "res/resource.h"

#include <initializer_list>

namespace {

BOOL IsOneOfKinds(int kind, std::initializer_list<int> kinds)
{
    for (int each : kinds)
        if (each == kind)
            return TRUE;
    return FALSE;
}

} // namespace

void CMyDocument::OnAddTable() { m_Model.AddNewItem(ItemDataTable); }

void CMyDocument::OnAddList() { m_Model.AddNewItem(ItemList); }

void CMyDocument::OnAddEmptyMatrix() { m_Model.AddNewItem(ItemMatrix); }

void CMyDocument::OnAddMatrix()
{
    CAddMatrixDlg dlg(FALSE, GetMainFrame());
    dlg.m_strName = m_Model.MakeUniqueMatrixName("Matrix%d");
    if (dlg.DoModal() == IDOK)
        m_Model.AddMatrix(dlg.m_strName, dlg.m_nRows, dlg.m_nColumns);
}

void CMyDocument::OnRename() { m_Model.EditSelectedItemLabel(); }

void CMyDocument::OnUpdateRename(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsOneOfKinds(m_Model.GetSelectedKind(), {ItemDataTable, ItemList, ItemMatrix,
                                                            ItemDataGraph, ItemSolverModel}));
}

void CMyDocument::OnRemove() { m_Model.RemoveSelectedItem(); }

void CMyDocument::OnUpdateRemove(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(
        IsOneOfKinds(m_Model.GetSelectedKind(), {ItemDataTable, ItemList, ItemMatrix, Item2DGraph,
                                                 ItemDataGraph, ItemSolverModel, Item3DGraph}));
}

void CMyDocument::OnTransform()
{
    if (!IsDataItemKind(m_Model.GetSelectedKind()))
        return;
    CTransformDlg dlg(m_Model.m_Engine, GetMainFrame());
    if (dlg.DoModal() == IDOK)
        m_Model.ApplyExpressionToSelection(
            dlg.m_strExpression,
            "This will replace the existing data with the transformed data.  Continue?");
}

void CMyDocument::OnFill()
{
    if (!IsDataItemKind(m_Model.GetSelectedKind()))
        return;
    CFillDataDlg dlg(m_Model.m_Engine, GetMainFrame());
    if (dlg.DoModal() == IDOK)
        m_Model.ApplyExpressionToSelection(
            dlg.m_strExpression,
            "This will replace the existing data values with the specified value.  Continue?");
}

void CMyDocument::OnUpdateDataValues(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsDataItemKind(m_Model.GetSelectedKind()));
}

void CMyDocument::OnSort(UINT nID)
{
    if (m_Model.GetSelectedList()) {
        m_Model.SortSelectedList(nID == ID_DATA_SORT_ASCENDING ? 0 : 1);
        return;
    }
    const CDataTable* table = m_Model.GetSelectedTable();
    if (!table)
        return;
    // The dialog opens at the command's order; the order chosen there holds.
    std::vector<CString> names;
    for (int c = 0; c < table->GetColumnCount(); ++c)
        names.push_back(table->GetColumnName(c));
    CSortDlg dlg(names, GetMainFrame());
    dlg.m_nOrder = nID == ID_DATA_SORT_ASCENDING ? 0 : 1;
    if (dlg.DoModal() == IDOK)
        m_Model.SortSelectedTable(dlg.m_nOrder, dlg.m_nKey, dlg.m_bColumnOnly);
}

void CMyDocument::OnUpdateSort(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsOneOfKinds(m_Model.GetSelectedKind(), {ItemDataTable, ItemList}));
}

void CMyDocument::OnTransposeMatrix() { m_Model.TransposeSelectedMatrix(); }

void CMyDocument::OnResizeMatrix()
{
    const CMatrixObject* matrix = m_Model.GetSelectedMatrix();
    if (!matrix)
        return;
    CAddMatrixDlg dlg(TRUE, GetMainFrame());
    dlg.m_strName = matrix->GetName();
    dlg.m_nRows = matrix->GetRowCount();
    dlg.m_nColumns = matrix->GetColumnCount();
    if (dlg.DoModal() == IDOK)
        m_Model.ResizeSelectedMatrix(dlg.m_nRows, dlg.m_nColumns);
}

void CMyDocument::OnUpdateMatrix(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_Model.GetSelectedKind() == ItemMatrix);
}

void CMyDocument::OnErrorColumn() { m_Model.ToggleErrorColumn(); }

void CMyDocument::OnUpdateErrorColumn(CCmdUI* pCmdUI)
{
    const CDataTable* table = m_Model.GetSelectedTable();
    pCmdUI->Enable(m_Model.GetSelectedKind() == ItemDataTable);
    pCmdUI->SetCheck(table && table->GetLayout() == TableLayoutXYSig);
}

void CMyDocument::OnAcceptedCommand(UINT) {}

void CMyDocument::OnDataAnalysisOptions() { DoOptionsSheet(OptionsDataAnalysis); }
