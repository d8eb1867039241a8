// The 2-D plot menus' commands: adding a graph, graph properties, plot options, the axis
// styles and grids, the derivative, tangent and value table, and the function chooser that
// these and the analysis commands share.
#include "app/MainFrame.h"
#include "app/MyDocument.h"
#include "app/RichWorkspace.h"
#include "framework/win/CCmdUI.h"
#include "framework/win/CPropertySheet.h"
#include "plot/Graph2DDialogs.h"
#include "plot/PlotPages.h"
#include "res/resource.h"

namespace {

// The interval, steps and accuracy of the function and two-curve dialogs.
template <class Dialog> void PresetInterval(Dialog& dlg, const ChooserPreset& preset)
{
    dlg.m_strExpression = preset.strFirst;
    dlg.m_dMin = preset.dMin;
    dlg.m_dMax = preset.dMax;
    dlg.m_dSteps = preset.dSteps;
    dlg.m_dAccuracy = preset.dAccuracy;
}

template <class Dialog> void TakeInterval(const Dialog& dlg, double& a, double& b)
{
    a = dlg.m_dMin;
    b = dlg.m_dMax;
}

} // namespace

// ---- adding and editing graphs --------------------------------------------------------------

void CMyDocument::OnAdd2DGraph()
{
    const CFunctionPlot& defaults = m_Model.m_Default2DGraph;
    CAdd2DGraphDlg dlg(this, &m_Model.m_Default2DGraph, GetMainFrame());
    dlg.m_dMin = defaults.m_dDomainMin;
    dlg.m_dMax = defaults.m_dDomainMax;
    dlg.m_crColour = defaults.m_crColour;
    dlg.m_style.SetLineStyle(defaults.m_nPenStyle);
    dlg.m_width.SetLineStyle(defaults.m_nPenWidth);
    // The form the user last set as default: Set As Default stores the form it shows.
    dlg.m_nForm = defaults.m_nForm >= GraphRectangular && defaults.m_nForm <= GraphParametric
                      ? defaults.m_nForm
                      : GraphRectangular;
    dlg.m_bAnalyze = m_bAnalyzeAutomatically;
    if (dlg.DoModal() != IDOK)
        return;
    m_bAnalyzeAutomatically = dlg.m_bAnalyze;
    const BOOL bParametric = dlg.m_nForm == GraphParametric;
    CreateFunctionGraph(bParametric ? dlg.m_strXt : dlg.m_strExpression,
                        bParametric ? dlg.m_strYt : CString(), dlg.m_nForm, dlg.m_dMin, dlg.m_dMax,
                        int(dlg.m_crColour), dlg.m_style.GetLineStyle(),
                        dlg.m_width.GetLineStyle());
}

void CMyDocument::DoGraphProperties(CFunctionPlot* pGraph)
{
    if (!pGraph)
        return;
    const int kind = m_Model.GetSelectedKind();
    CFunctionPlot& defaults =
        kind == Item2DGraph ? m_Model.m_Default2DGraph : m_Model.m_DefaultDataGraph;
    CAdd2DGraphDlg dlg(this, &defaults, GetMainFrame());
    dlg.m_bProperties = TRUE;
    // A graph of a table's data keeps its definition: only its pen can change.
    dlg.m_bEditable = pGraph->GetDataTable() == nullptr;
    dlg.m_nForm = pGraph->m_nForm;
    if (pGraph->m_nForm == GraphParametric) {
        dlg.m_strXt = pGraph->GetExpression();
        dlg.m_strYt = pGraph->GetSecondExpression();
    } else {
        dlg.m_strExpression = pGraph->GetExpression();
    }
    dlg.m_dMin = pGraph->m_dDomainMin;
    dlg.m_dMax = pGraph->m_dDomainMax;
    dlg.m_crColour = pGraph->m_crColour;
    dlg.m_style.SetLineStyle(pGraph->m_nPenStyle);
    dlg.m_width.SetLineStyle(pGraph->m_nPenWidth);
    if (dlg.DoModal() != IDOK)
        return;
    GraphDefinition definition{dlg.m_nForm, dlg.m_strExpression, CString(), dlg.m_dMin, dlg.m_dMax};
    if (dlg.m_nForm == GraphParametric) {
        definition.strFirst = dlg.m_strXt;
        definition.strSecond = dlg.m_strYt;
    }
    m_Model.UpdateGraph(kind, *pGraph, dlg.m_bEditable ? &definition : nullptr, dlg.m_crColour,
                        dlg.m_style.GetLineStyle(), dlg.m_width.GetLineStyle());
}

void CMyDocument::OnGraphProperties() { DoGraphProperties(m_Model.GetSelectedGraph()); }

void CMyDocument::OnDataGraphProperties()
{
    const int index = m_Model.GetSelectedIndex();
    if (m_Model.GetSelectedKind() == ItemDataGraph && index >= 0 &&
        index < m_Model.m_DataPlot.GetItemCount())
        DoGraphProperties(m_Model.m_DataPlot.GetItem(index));
}

void CMyDocument::OnViewProperties()
{
    switch (m_Model.GetSelectedKind()) {
    case Item2DGraph:
        OnGraphProperties();
        break;
    case ItemDataGraph:
        OnDataGraphProperties();
        break;
    case Item3DGraph:
        On3DGraphProperties();
        break;
    default:
        break;
    }
}

void CMyDocument::OnUpdateViewProperties(CCmdUI* pCmdUI)
{
    const int kind = m_Model.GetSelectedKind();
    pCmdUI->Enable(kind == Item2DGraph || kind == ItemDataGraph || kind == Item3DGraph);
}

// ---- plot options, axes and grids -------------------------------------------------------------

void CMyDocument::DoPlotOptions(CPlot2D& plot, int startPage)
{
    CPropertySheet sheet("Plot Options", GetMainFrame(), UINT(startPage));
    CPlotPage plotPage(&plot, this);
    CAxisPage axisPage(&plot, this);
    sheet.AddPage(&plotPage);
    sheet.AddPage(&axisPage);
    // The pages apply themselves on OK and Apply, the grid's domains included.
    if (sheet.DoModal() == IDOK)
        RefreshPlot2D(TRUE);
}

void CMyDocument::SetPlotModified()
{
    SetModifiedFlag(TRUE);
    if (CMainFrame* pFrame = GetMainFrame()) {
        pFrame->ShowPlotForSelection();
        pFrame->RedrawPlot3D();
    }
}

void CMyDocument::OnPlotOptions() { DoPlotOptions(m_Model.m_FunctionPlot, 0); }

void CMyDocument::OnDataPlotOptions() { DoPlotOptions(m_Model.m_DataPlot, 0); }

void CMyDocument::OnPlotAxes(UINT nID)
{
    if (m_Model.ApplyPlotAxisCommand(nID))
        SetModifiedFlag(TRUE);
}

void CMyDocument::OnUpdatePlotAxes(CCmdUI* pCmdUI)
{
    const int state = m_Model.GetPlotAxisCommandState(pCmdUI->m_nID);
    pCmdUI->Enable(state >= 0);
    pCmdUI->SetCheck(state > 0);
}

void CMyDocument::OnUpdateNeeds2DGraph(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_Model.GetSelectedKind() == Item2DGraph);
}

void CMyDocument::OnUpdateNeedsDataGraph(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_Model.GetSelectedKind() == ItemDataGraph);
}

// ---- the plot as a picture in the workspace ------------------------------------------------

void CMyDocument::OnInsertPlot2D()
{
    CMainFrame* pFrame = GetMainFrame();
    CRichWorkspace* pWorkspace = GetWorkspaceView();
    if (!pFrame || !pFrame->Get2DPlotView() || !pWorkspace)
        return;
    // The shown plot goes through the clipboard as a bitmap, as the user's own copy would.
    pFrame->Get2DPlotView()->SendMessage(WM_COMMAND, ID_PLOT2D_COPY_BITMAP);
    if (::IsClipboardFormatAvailable(CF_BITMAP))
        pWorkspace->SendMessage(WM_COMMAND, ID_WORKSPACE_PASTE);
}

// ---- derivative, tangent and value table ----------------------------------------------------

void CMyDocument::OnDrawDerivative() { m_Model.DrawDerivative(); }

void CMyDocument::OnDrawTangent()
{
    CString f, g, name;
    double x0 = 0, b = 0;
    if (ChooseFunction(AnalysisTangent, f, g, x0, b, name))
        m_Model.AddTangentLine(f, x0);
}

void CMyDocument::OnValueTable()
{
    CString f, g, name;
    double a = 0, b = 0;
    if (ChooseFunction(AnalysisValueTable, f, g, a, b, name))
        m_Model.AddValueTable(f, a, b, name, m_Model.m_Settings.nValueTableRows);
}

// ---- the function chooser ---------------------------------------------------------------------

int CMyDocument::ChooseFunction(int kind, CString& f, CString& g, double& a, double& b,
                                CString& tableName)
{
    const AnalysisDialog dialog = AnalysisDialogOf(kind);
    if (dialog == DialogNone)
        return 0;
    const ChooserPreset preset = m_Model.PresetChooser(kind);
    CWnd* pParent = GetMainFrame();
    if (dialog == DialogDifferentiate) {
        CDifferentiateDlg dlg(this, kind, pParent);
        dlg.m_strExpression = preset.strFirst;
        dlg.m_dX = preset.dPoint;
        if (dlg.DoModal() != IDOK)
            return 0;
        f = dlg.m_strExpression;
        a = dlg.m_dX;
        return 1;
    }
    if (dialog == DialogTwoCurve) {
        CTwoCurveAnalysisDlg dlg(this, kind, pParent);
        PresetInterval(dlg, preset);
        dlg.m_strExpression2 = preset.strSecond;
        if (dlg.DoModal() != IDOK)
            return 0;
        m_Model.TakeChooserOptions(kind, dlg.m_dSteps, dlg.m_dAccuracy);
        f = ProjectModel::ChooserCurve(dlg.m_strExpression);
        g = ProjectModel::ChooserCurve(dlg.m_strExpression2);
        TakeInterval(dlg, a, b);
        return 1;
    }
    CFunctionAnalysisDlg dlg(this, kind, pParent);
    PresetInterval(dlg, preset);
    dlg.m_strTableName = preset.strTableName;
    if (dlg.DoModal() != IDOK)
        return 0;
    m_Model.TakeChooserOptions(kind, dlg.m_dSteps, dlg.m_dAccuracy);
    f = dlg.m_strExpression;
    TakeInterval(dlg, a, b);
    if (kind == AnalysisValueTable)
        tableName = dlg.m_strTableName;
    return 1;
}
