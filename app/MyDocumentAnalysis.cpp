// The document's statistics and comparisons of lists and table columns, shown in the results
// dialog.
#include "analysis/TwoSampleTestDlg.h"
#include "app/MainFrame.h"
#include "app/MyDocument.h"
#include "framework/win/CCmdUI.h"
#include "res/resource.h"

void CMyDocument::AnalyzeSelection()
{
    if (m_Model.GetSelectedKind() == Item2DGraph) {
        OnGraphAnalyze();
        return;
    }
    CAnalysisResult result;
    if (m_Model.BuildStatisticsReport(result))
        ShowResults(result);
}

void CMyDocument::OnAnalyze() { AnalyzeSelection(); }

void CMyDocument::OnUpdateAnalyze(CCmdUI* pCmdUI)
{
    const int kind = m_Model.GetSelectedKind();
    pCmdUI->Enable(kind == ItemDataTable || kind == ItemList || kind == Item2DGraph);
}

void CMyDocument::OnCompareLists()
{
    BOOL bFixed = FALSE;
    const std::vector<CDataColumn*> lists = m_Model.GetComparisonLists(bFixed);
    if (lists.empty())
        return;
    CTwoSampleTestDlg dlg(lists, bFixed, GetMainFrame());
    if (dlg.DoModal() != IDOK)
        return;
    CAnalysisResult result;
    if (m_Model.BuildComparisonReport(*dlg.m_pList1, *dlg.m_pList2, dlg.m_Tests, result))
        ShowResults(result);
}

void CMyDocument::OnUpdateCompareLists(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_Model.GetSelectedKind() == ItemList);
}

void CMyDocument::OnUpdateCompareColumns(CCmdUI* pCmdUI)
{
    const CDataTable* table = m_Model.GetSelectedTable();
    pCmdUI->Enable(table && table->GetColumnCount() >= 2);
}

void CMyDocument::OnUpdateFitTableCommand(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_Model.GetFitTable() != nullptr);
}
