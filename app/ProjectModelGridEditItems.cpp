// Typing into the data view's definition of a 2-D graph, a solver model or a 3-D graph: the
// expressions, domains, ranges, view and solver settings, with the checks each one needs.
#include "app/ProjectModel.h"

#include "engine/EngineStartup.h"
#include "engine/SolverModel.h"

#include <algorithm>

namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr int kMaxSolverSteps = 10000;
constexpr int kMaxSolverDecimals = 16;
constexpr int kFallbackSolverDecimals = 2;

} // namespace

int ProjectModel::Edit2DGraphCell(CellEdit& edit)
{
    CFunctionPlot* graph = SelectedGraph();
    if (edit.column == 2) {
        const BOOL bFirst = edit.row == 2;
        CFunctionPlot scratch;
        scratch.m_nForm = graph->m_nForm;
        scratch.m_strExpression = bFirst ? edit.text : graph->m_strExpression;
        scratch.m_strSecondExpression = bFirst ? graph->m_strSecondExpression : edit.text;
        // Another graph with the new label; the graph itself keeps its own.
        const int other = m_FunctionPlot.FindItem(scratch.BuildLabel());
        if (other >= 0 && other != m_nSelectedIndex)
            return ErrNameExists;
        if (const int code = ValidateCurveExpression(scratch.m_nForm, scratch.m_strExpression,
                                                     scratch.m_strSecondExpression))
            return code;
        const CString oldLabel = graph->GetLabel();
        if (bFirst)
            graph->SetExpression(edit.text);
        else
            graph->SetSecondExpression(edit.text);
        RelabelItem(Item2DGraph, oldLabel, graph->GetLabel());
        RefreshPlot2D(FALSE);
        return 0;
    }
    if (const int code = ReadCellNumber(edit))
        return code;
    const BOOL bMinimum = edit.row == 2;
    if (bMinimum ? !(edit.value < graph->m_dDomainMax) : !(edit.value > graph->m_dDomainMin))
        return ErrInvalidRange;
    if (bMinimum)
        graph->SetDomain(edit.value, graph->m_dDomainMax);
    else
        graph->SetDomain(graph->m_dDomainMin, edit.value);
    // A polar or parametric graph's domain is one of t, no place on the x axis.
    if (graph->m_nForm == GraphRectangular)
        m_FunctionPlot.SetRanges(bMinimum ? edit.value : m_FunctionPlot.m_dXMin,
                                 bMinimum ? m_FunctionPlot.m_dXMax : edit.value,
                                 m_FunctionPlot.m_dYMin, m_FunctionPlot.m_dYMax);
    RefreshPlot2D(FALSE);
    return 0;
}

int ProjectModel::EditSolverModelCell(CellEdit& edit)
{
    CSolverModel* model = SelectedSolverModel();
    if (const int code = ReadCellNumber(edit))
        return code;
    const double value = edit.value;
    if (edit.column == 2) {
        const int i = edit.row - 3;
        model->SetVariable(i, model->GetVariableName(i), value);
        return 0;
    }
    switch (edit.row) {
    case 3:
        if (!(value < model->m_dMaximum))
            return ErrInvalidRange;
        model->m_dMinimum = value;
        return 0;
    case 4:
        if (!(value > model->m_dMinimum))
            return ErrInvalidRange;
        model->m_dMaximum = value;
        return 0;
    case 5:
        // Limited before truncation: a huge count has no integer to truncate to.
        model->m_nSolverSteps = int(std::clamp(value, 1.0, double(kMaxSolverSteps)));
        edit.value = model->m_nSolverSteps;
        return 0;
    default: {
        const int decimals =
            value > -1 && value < kMaxSolverDecimals + 1 ? int(value) : kFallbackSolverDecimals;
        // The rounding unit of the solver format is the tolerance of the roots.
        model->m_SolverFormat.SetDecimals(decimals);
        edit.value = decimals;
        return 0;
    }
    }
}

int ProjectModel::Edit3DGraphCell(CellEdit& edit)
{
    CSurfacePlot* surface = SelectedSurface();
    int result = 0;
    if (edit.column == 2 && edit.row == 2) {
        const int other = m_Scene.FindSurface("z = " + edit.text);
        if (other >= 0 && other != m_nSelectedIndex)
            result = ErrNameExists;
        else
            result = ValidateSurfaceExpression(edit.text);
        if (result == 0) {
            const CString oldLabel = surface->GetEquationText();
            surface->SetExpression(edit.text);
            RelabelItem(Item3DGraph, oldLabel, surface->GetEquationText());
        }
    } else if ((result = ReadCellNumber(edit)) == 0) {
        const double v = edit.value;
        CSurfacePlot& s = *surface;
        const double theta = s.m_dViewTheta, phi = s.m_dViewPhi, mu = s.m_dViewMu;
        // Cells by column and row: ranges in column 2, the view in column 4.
        switch (edit.column * 10 + edit.row) {
        case 24:
            result = v < s.m_dXMax ? 0 : ErrInvalidRange;
            if (result == 0)
                s.SetXRange(v, s.m_dXMax);
            break;
        case 25:
            result = v > s.m_dXMin ? 0 : ErrInvalidRange;
            if (result == 0)
                s.SetXRange(s.m_dXMin, v);
            break;
        case 26:
            result = v < s.m_dYMax ? 0 : ErrInvalidRange;
            if (result == 0)
                s.SetYRange(v, s.m_dYMax);
            break;
        case 27:
            result = v > s.m_dYMin ? 0 : ErrInvalidRange;
            if (result == 0)
                s.SetYRange(s.m_dYMin, v);
            break;
        case 44:
            s.SetView(v * kRadiansPerDegree, phi, mu);
            break;
        case 45:
            s.SetView(theta, v * kRadiansPerDegree, mu);
            break;
        default:
            // The eye stands in front of the scene: a distance of 0 or less has no view.
            result = v > 0 ? 0 : ErrInvalidParameter;
            if (result == 0)
                s.SetView(theta, phi, v);
            break;
        }
    }
    RefreshPlot3D(TRUE);
    return result;
}
