// The document's tool commands: the two tool windows of the main frame, shown and hidden, with
// their menu items checked while they show, and Insert Function.
#include "app/InsertFunctionDlg.h"
#include "app/MainFrame.h"
#include "app/MyDocument.h"
#include "app/RichWorkspace.h"
#include "framework/win/CCmdUI.h"

namespace {

int CheckIfShowing(CWnd& tool) { return tool.GetSafeHwnd() && tool.IsWindowVisible() ? 1 : 0; }

} // namespace

void CMyDocument::OnToolsUnitConverter()
{
    if (CMainFrame* pFrame = GetMainFrame())
        pFrame->GetUnitConverter().Toggle(m_Model.m_Engine.m_dLastAnswer);
}

void CMyDocument::OnUpdateToolsUnitConverter(CCmdUI* pCmdUI)
{
    CMainFrame* pFrame = GetMainFrame();
    pCmdUI->SetCheck(pFrame ? CheckIfShowing(pFrame->GetUnitConverter()) : 0);
}

void CMyDocument::OnToolsFinanceBox()
{
    if (CMainFrame* pFrame = GetMainFrame())
        pFrame->GetFinanceBox().Toggle();
}

void CMyDocument::OnUpdateToolsFinanceBox(CCmdUI* pCmdUI)
{
    CMainFrame* pFrame = GetMainFrame();
    pCmdUI->SetCheck(pFrame ? CheckIfShowing(pFrame->GetFinanceBox()) : 0);
}

// The chosen name is typed at the workspace's caret and becomes the first favourite.
void CMyDocument::OnInsertFunction()
{
    CInsertFunctionDlg dialog(m_Model.m_FavoriteFunctions);
    if (dialog.DoModal() != IDOK || dialog.m_strFunction.IsEmpty())
        return;
    if (CRichWorkspace* pWorkspace = GetWorkspaceView())
        pWorkspace->TypeText(dialog.m_strFunction);
    m_Model.AddFavoriteFunction(dialog.m_strFunction);
}

void CMyDocument::OnUpdateInsertFunction(CCmdUI* pCmdUI)
{
    const CMainFrame* pFrame = GetMainFrame();
    pCmdUI->Enable(pFrame && (pFrame->GetViewLayout()[ViewLayout::Mask] & ViewWorkspace));
}
