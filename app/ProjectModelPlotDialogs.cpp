// What the graph dialogs start from and what their answers do to the project: a 2-D graph's
// properties, the function chooser's presets and options, and a 3-D graph's values.
#include "app/ProjectModel.h"

#include "framework/core/AsciiText.h"
#include "plot/NiceNumbers.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kDegree = M_PI / 180;

} // namespace

void ProjectModel::UpdateGraph(int kind, CFunctionPlot& graph, const GraphDefinition* pDefinition,
                               COLORREF colour, int style, int width)
{
    const CString oldLabel = graph.GetLabel();
    if (pDefinition)
        graph.SetDefinition(pDefinition->strFirst, pDefinition->strSecond, pDefinition->nForm,
                            pDefinition->dMin, pDefinition->dMax);
    graph.SetColour(colour);
    graph.SetPenStyle(style);
    graph.SetPenWidth(width);
    graph.m_bResample = TRUE; // OK draws the graph afresh as the engine reads it now
    if (graph.GetLabel() != oldLabel)
        RelabelItem(kind, oldLabel, graph.GetLabel());
    RefreshPlot2D(TRUE);
    RefreshGraphGrid();
    m_bModified = TRUE;
}

ChooserPreset ProjectModel::PresetChooser(int kind) const
{
    ChooserPreset preset;
    const CFunctionPlot* graph = GetSelectedGraph();
    if (graph && graph->m_nForm == GraphRectangular)
        preset.strFirst = graph->GetExpression();
    preset.dMin = m_FunctionPlot.m_dXMin;
    preset.dMax = m_FunctionPlot.m_dXMax;
    preset.dSteps = m_Engine.m_nSolverSteps;
    preset.dAccuracy = m_Engine.m_SolverFormat.m_nDecimals;
    preset.dPoint = LeadingDigitValue(m_Settings.dLastPointerX);
    if (kind == AnalysisValueTable) {
        preset.dSteps = m_Settings.nValueTableRows;
        preset.strTableName = MakeUniqueTableName("Value table %d");
    }
    if (AnalysisDialogOf(kind) == DialogTwoCurve) {
        preset.strSecond = kXAxisText;
        const int next = m_nSelectedIndex + 1;
        if (kind == AnalysisIntersections && graph && next < m_FunctionPlot.GetItemCount())
            preset.strSecond = m_FunctionPlot.GetItem(next)->GetExpression();
    }
    return preset;
}

void ProjectModel::TakeChooserOptions(int kind, double steps, double accuracy)
{
    // Clamped as doubles first: a huge value must not overflow the conversion.
    if (kind == AnalysisValueTable) {
        m_Settings.nValueTableRows = int(std::clamp(std::trunc(steps), 2.0, 10000.0));
        return;
    }
    m_Engine.m_nSolverSteps = int(std::clamp(std::trunc(steps), 1.0, 10000.0));
    double decimals = std::trunc(accuracy);
    if (!(decimals >= 0 && decimals <= 16))
        decimals = 2;
    m_Engine.m_SolverFormat.SetDecimals(int(decimals));
    ResampleChangedGraphs(); // graphs of FINT, FZERO, ... follow the solver's accuracy
}

CString ProjectModel::ChooserCurve(const CString& text)
{
    return ascii::EqualNoCase(text, kXAxisText) ? CString("0") : text;
}

SurfaceValues GetSurfaceValues(const CSurfacePlot& s)
{
    return {s.GetExpression(),
            s.m_dXMin,
            s.m_dXMax,
            s.m_dYMin,
            s.m_dYMax,
            s.m_dZMin,
            s.m_dZMax,
            s.m_bAutoSize,
            s.m_crColour,
            s.m_crFillColour,
            s.m_crLight,
            s.m_nFillStyle,
            s.GetResolution(),
            s.m_dViewTheta / kDegree,
            s.m_dViewPhi / kDegree,
            s.m_dViewMu,
            s.m_dLightTheta / kDegree,
            s.m_dLightPhi / kDegree,
            s.m_dLightMu};
}

void ApplySurfaceValues(CSurfacePlot& s, const SurfaceValues& v)
{
    s.SetExpression(v.strExpression);
    s.SetXRange(v.dXMin, v.dXMax);
    s.SetYRange(v.dYMin, v.dYMax);
    s.SetZRange(v.dZMin, v.dZMax);
    s.SetColour(v.crLine);
    if (s.m_crFillColour != v.crFill) {
        s.m_crFillColour = v.crFill;
        s.m_bModified = s.m_bRedraw = TRUE;
    }
    if (s.m_crLight != v.crLight) {
        s.m_crLight = v.crLight;
        s.m_bReshade = s.m_bModified = TRUE;
    }
    s.SetFillStyle(v.nFillStyle);
    s.SetResolution(v.nResolution);
    if (s.m_bAutoSize != int(v.bAutoSize)) {
        s.m_bAutoSize = v.bAutoSize;
        s.m_bRebuild = s.m_bModified = TRUE;
    }
    s.SetView(v.dViewTheta * kDegree, v.dViewPhi * kDegree, v.dViewMu);
    s.SetLight(v.dLightTheta * kDegree, v.dLightPhi * kDegree, v.dLightMu);
}

void ProjectModel::Add3DGraph(const SurfaceValues& values)
{
    auto surface = std::make_unique<CSurfacePlot>();
    ApplySurfaceValues(*surface, values);
    AddResultItem(Item3DGraph, surface.release());
}

void ProjectModel::Update3DGraph(CSurfacePlot& surface, const SurfaceValues& values)
{
    const CString oldLabel = surface.GetEquationText();
    ApplySurfaceValues(surface, values);
    surface.m_bRebuild = TRUE; // OK draws the surface afresh as the engine reads it now
    if (surface.GetEquationText() != oldLabel)
        RelabelItem(Item3DGraph, oldLabel, surface.GetEquationText());
    RefreshPlot3D(TRUE);
    RefreshGraphGrid();
}
