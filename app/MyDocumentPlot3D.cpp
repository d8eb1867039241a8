// The 3D Plot menu's commands: adding a 3-D graph, its properties, the plot options and the
// axis, projection, rotation, style, resolution and view items with their check marks.
#include "app/MyDocument.h"
#include "framework/win/CCmdUI.h"
#include "res/resource.h"

void CMyDocument::OnPlot3DCommand(UINT nID)
{
    if (m_Model.ApplyPlot3DCommand(nID))
        SetModifiedFlag(TRUE);
}

void CMyDocument::OnUpdatePlot3DCommand(CCmdUI* pCmdUI)
{
    const int state = m_Model.GetPlot3DCommandState(pCmdUI->m_nID);
    pCmdUI->Enable(state >= 0);
    pCmdUI->SetCheck(state > 0);
}

void CMyDocument::OnUpdateNeeds3DGraph(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_Model.GetSelectedSurface() != nullptr);
}
