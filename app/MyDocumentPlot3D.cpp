// The 3D Plot menu's commands: adding a 3-D graph, its properties, the plot options and the
// axis, projection, rotation, style, resolution and view items with their check marks.
#include "app/MainFrame.h"
#include "app/MyDocument.h"
#include "framework/win/CCmdUI.h"
#include "framework/win/CPropertySheet.h"
#include "plot/Plot3DPages.h"
#include "res/resource.h"

namespace {

void PresetDialog(CAdd3DGraphDlg& dlg, const SurfaceValues& v)
{
    dlg.m_strExpression = v.strExpression;
    dlg.m_dXMin = v.dXMin;
    dlg.m_dXMax = v.dXMax;
    dlg.m_dYMin = v.dYMin;
    dlg.m_dYMax = v.dYMax;
    dlg.m_dZMin = v.dZMin;
    dlg.m_dZMax = v.dZMax;
    dlg.m_bAutoSize = v.bAutoSize;
    dlg.m_crLine = v.crLine;
    dlg.m_crFill = v.crFill;
    dlg.m_crLight = v.crLight;
    dlg.m_nFillStyle = v.nFillStyle;
    dlg.m_nResolution = v.nResolution;
    dlg.m_dViewTheta = v.dViewTheta;
    dlg.m_dViewPhi = v.dViewPhi;
    dlg.m_dViewMu = v.dViewMu;
    dlg.m_dLightTheta = v.dLightTheta;
    dlg.m_dLightPhi = v.dLightPhi;
    dlg.m_dLightMu = v.dLightMu;
}

SurfaceValues DialogValues(const CAdd3DGraphDlg& dlg)
{
    return {dlg.m_strExpression, dlg.m_dXMin,      dlg.m_dXMax,    dlg.m_dYMin,
            dlg.m_dYMax,         dlg.m_dZMin,      dlg.m_dZMax,    dlg.m_bAutoSize,
            dlg.m_crLine,        dlg.m_crFill,     dlg.m_crLight,  dlg.m_nFillStyle,
            dlg.m_nResolution,   dlg.m_dViewTheta, dlg.m_dViewPhi, dlg.m_dViewMu,
            dlg.m_dLightTheta,   dlg.m_dLightPhi,  dlg.m_dLightMu};
}

} // namespace

void CMyDocument::OnAdd3DGraph()
{
    CAdd3DGraphDlg dlg(this, GetMainFrame());
    SurfaceValues values = GetSurfaceValues(m_Model.m_Default3DGraph);
    values.strExpression.Empty();
    PresetDialog(dlg, values);
    if (dlg.DoModal() != IDOK)
        return;
    m_Model.Add3DGraph(DialogValues(dlg));
}

void CMyDocument::On3DGraphProperties()
{
    CSurfacePlot* pSurface = m_Model.GetSelectedSurface();
    if (!pSurface)
        return;
    CAdd3DGraphDlg dlg(this, GetMainFrame());
    PresetDialog(dlg, GetSurfaceValues(*pSurface));
    if (dlg.DoModal() != IDOK)
        return;
    m_Model.Update3DGraph(*pSurface, DialogValues(dlg));
    SetModifiedFlag(TRUE);
}

void CMyDocument::On3DPlotOptions()
{
    CPropertySheet sheet("Plot Options", GetMainFrame());
    C3DPlotPage page(this);
    sheet.AddPage(&page);
    if (sheet.DoModal() == IDOK)
        RefreshPlot3D(TRUE);
}

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
