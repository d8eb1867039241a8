// The document's tool commands: the two tool windows of the main frame, shown and hidden, with
// their menu items checked while they show.
#include "app/MainFrame.h"
#include "app/MyDocument.h"
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
