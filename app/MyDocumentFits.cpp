// The document's fit commands: the seven linear fits, the nonlinear fit of a model chosen in
// the regression-model dialog, and the recent fits, each on the selected data table.
#include "analysis/InitialValuesDlg.h"
#include "analysis/LinearFit.h"
#include "analysis/NonlinearFit.h"
#include "analysis/RegressionModelDlg.h"
#include "app/MainFrame.h"
#include "app/MyDocument.h"
#include "framework/win/CCmdUI.h"
#include "res/resource.h"
#include "ui/MenuTemplate.h"

#include <algorithm>
#include <string>
#include <vector>

void CMyDocument::OnLinearFit(UINT nID)
{
    const int model = nID == ID_FIT_LINE ? 0 : int(nID - ID_FIT_STRAIGHT_LINE);
    m_Model.LinearFitSelection(model);
}

void CMyDocument::OnUpdateFitCommand(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_Model.GetSelectedKind() == ItemDataTable);
}

void CMyDocument::OnNonlinearFit()
{
    if (!m_Model.CheckFitRows())
        return;
    CNonlinearFit fit;
    fit.SetMaxIterations(m_Model.m_Settings.nMaxIterations);
    CRegressionModelDlg dlg(m_Model.m_PredefinedModels, m_Model.m_UserDefinitions.GetUserModels(),
                            m_Model.m_FavoriteModels, fit, GetMainFrame());
    if (dlg.DoModal() != IDOK)
        return;
    // The run keeps the start values, flags and limit given in the dialog.
    RunNonlinearFit(dlg.GetSelectedModel(), fit);
}

void CMyDocument::EditRegressionModels(CWnd* pParent)
{
    // Only the user's library matters here; the fit the dialog configures is dropped.
    CNonlinearFit fit;
    CRegressionModelDlg dlg(m_Model.m_PredefinedModels, m_Model.m_UserDefinitions.GetUserModels(),
                            m_Model.m_FavoriteModels, fit, pParent);
    dlg.DoModal();
}

void CMyDocument::RunNonlinearFit(const ModelRecord& model, CNonlinearFit& fit)
{
    if (!m_Model.SetFitModel(model, fit))
        return;
    if (m_Model.m_Settings.nPrompt) {
        CInitialValuesDlg dlg(fit, GetMainFrame());
        if (dlg.DoModal() != IDOK)
            return;
    }
    m_Model.RunNonlinearFit(model, fit);
}

void CMyDocument::OnRecentFit(UINT nID)
{
    const int i = int(nID - ID_RECENT_FIT_FIRST);
    if (i < 0 || i >= m_Model.m_RecentFits.GetModelCount())
        return;
    // A copy: the run reorders the list.
    const ModelRecord model = m_Model.m_RecentFits.GetModel(i);
    CNonlinearFit fit;
    fit.SetMaxIterations(m_Model.m_Settings.nMaxIterations);
    RunNonlinearFit(model, fit);
}

// The recent fits' pop-up is built from the list each time it opens, most recent first, each
// name with a letter of its own to choose it by, with a disabled "(none)" while the list is
// empty; a fit runs on the selected table only.
void CMyDocument::OnUpdateRecentFits(CCmdUI* pCmdUI)
{
    const BOOL bTable = m_Model.GetSelectedKind() == ItemDataTable;
    CMenu* pMenu = pCmdUI->m_pMenu;
    if (!pMenu || pCmdUI->m_pSubMenu) {
        pCmdUI->Enable(bTable); // the pop-up's own item in the menu above it
        return;
    }
    for (UINT nID = ID_RECENT_FIT_FIRST; nID <= ID_RECENT_FIT_LAST; ++nID)
        pMenu->DeleteMenu(nID, MF_BYCOMMAND);
    const int count = std::min(m_Model.m_RecentFits.GetModelCount(),
                               int(ID_RECENT_FIT_LAST - ID_RECENT_FIT_FIRST + 1));
    UINT nIndex = pCmdUI->m_nIndex;
    if (count == 0)
        pMenu->InsertMenu(nIndex, MF_BYPOSITION | MF_STRING | MF_GRAYED, ID_RECENT_FIT_FIRST,
                          "(&none)");
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i)
        names.emplace_back(m_Model.m_RecentFits.GetModel(i).strName.GetString());
    const std::vector<std::string> texts = MarkMnemonics(names);
    for (int i = 0; i < count; ++i)
        pMenu->InsertMenu(nIndex + UINT(i), MF_BYPOSITION | MF_STRING | (bTable ? 0 : MF_GRAYED),
                          ID_RECENT_FIT_FIRST + UINT(i), texts[std::size_t(i)].c_str());
    // The menu's update goes on after the last item put in.
    pCmdUI->m_nIndex = nIndex + UINT(std::max(count, 1)) - 1;
    pCmdUI->m_nIndexMax = UINT(pMenu->GetMenuItemCount());
}
