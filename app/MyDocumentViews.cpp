// The document's view commands: the tab bar's pane arrangements, the "Toggle Views" commands
// that show or hide a pane for the selected kind of item, and the status bar's angle and base.
#include "app/MyDocument.h"
#include "app/StatusIndicators.h"
#include "app/ViewToggles.h"
#include "framework/win/CCmdUI.h"
#include "res/resource.h"

void CMyDocument::OnViewShow(UINT nID)
{
    m_Model.ShowViewsByCommand(ViewMaskOfShowCommand(nID), nID == ID_VIEW_SHOW_WORKSPACE);
}

void CMyDocument::OnToggleView(UINT nID) { ToggleView(ViewBitOfToggle(nID)); }

void CMyDocument::OnUpdateToggleView(CCmdUI* pCmdUI)
{
    const ViewToggleState state = GetViewToggleState(
        m_Model.m_ViewLayouts, m_Model.GetSelectedKind(), ViewBitOfToggle(pCmdUI->m_nID));
    pCmdUI->Enable(state.bEnable);
    pCmdUI->SetCheck(state.bCheck);
}

void CMyDocument::OnUpdateAngleIndicator(CCmdUI* pCmdUI)
{
    pCmdUI->SetText(AngleModeIndicator(m_Model.m_Engine.m_nAngleMode));
}

void CMyDocument::OnUpdateBaseIndicator(CCmdUI* pCmdUI)
{
    pCmdUI->SetText(NumberBaseIndicator(m_Model.m_Engine.m_nNumberBase));
}
