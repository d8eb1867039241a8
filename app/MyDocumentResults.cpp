// Where analysis reports go: the results dialog, then (when logging is on) the workspace; and
// the report of solving a solver model, found or not, which goes straight to the workspace
// shown beside the model's grid.
#include "analysis/ResultsDlg.h"
#include "app/MainFrame.h"
#include "app/MyDocument.h"
#include "app/RichWorkspace.h"
#include "framework/win/RegistryProfileStore.h"
#include "res/resource.h"

void CMyDocument::ShowResults(CAnalysisResult& result, CNumberFormat* pFormat)
{
    result.SetNumberFormat(pFormat ? pFormat : m_Model.m_pResultFormat);
    CResultsDlg dlg(result, GetMainFrame());
    dlg.m_bLog = m_Model.m_Settings.nLogOutput ? 1 : 0;
    if (dlg.DoModal() != IDOK)
        return;
    m_Model.m_Settings.nLogOutput = dlg.m_bLog;
    CRegistryProfileStore store;
    WriteDataAnalysisSettings(store, m_Model.m_Settings);
    if (dlg.m_bLog)
        LogToWorkspace(result);
}

void CMyDocument::LogToWorkspace(const CAnalysisResult& result)
{
    if (CRichWorkspace* pWorkspace = GetWorkspaceView()) {
        const CRichEditView::UndoGroup step(*pWorkspace);
        result.PrintToWorkspace(*pWorkspace, TRUE);
    }
    CMainFrame* pFrame = GetMainFrame();
    if (pFrame && !(pFrame->GetViewLayout()[ViewLayout::Mask] & ViewWorkspace))
        pFrame->PostMessage(WM_COMMAND, ID_VIEW_SHOW_WORKSPACE);
}

CString CMyDocument::ShowSolverSolution(int variable)
{
    CAnalysisResult report;
    report.SetNumberFormat(m_Model.m_pResultFormat);
    const int code = m_Model.SolveForVariable(variable, report);
    // A solve that finds nothing says why where a solve that succeeds lists its solutions,
    // beside the model's grid, whose buttons stay in reach for the next solve.
    if (report.GetItemCount() > 0) {
        if (CRichWorkspace* pWorkspace = GetWorkspaceView()) {
            const CRichEditView::UndoGroup step(*pWorkspace);
            report.PrintToWorkspace(*pWorkspace, TRUE);
        }
        m_Model.ShowWorkspaceBesideShownPanes();
    }
    return code != 0 ? m_Model.SolverFailureText(code) : CString();
}
