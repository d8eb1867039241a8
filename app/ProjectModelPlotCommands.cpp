// The 2-D plot menus' commands on the project: axis styles and grids, the derivative and
// tangent graphs and the value table.
#include "app/ProjectModel.h"

#include "engine/EngineErrors.h"
#include "engine/EngineNames.h"
#include "engine/EvaluationWork.h"
#include "engine/LocaleSeparators.h"
#include "engine/NumberText.h"
#include "res/PlotIds.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

enum AxisAction { SetAxisType, ToggleBoxed, ToggleGrid };

struct AxisCommand {
    UINT id;
    bool bDataPlot;
    AxisAction action;
    int axisType;
};

// clang-format off
const AxisCommand kAxisCommands[] = {
    {ID_PLOT2D_AXES_NORMAL,   false, SetAxisType, AxisTypeNormal},
    {ID_PLOT2D_AXES_FRAME,    false, SetAxisType, AxisTypeFrame},
    {ID_PLOT2D_AXES_NONE,     false, SetAxisType, AxisTypeNone},
    {ID_PLOT2D_AXES_BOXED,    false, ToggleBoxed, 0},
    {ID_PLOT2D_SHOW_GRID,     false, ToggleGrid,  0},
    {ID_DATAPLOT_AXES_NORMAL, true,  SetAxisType, AxisTypeNormal},
    {ID_DATAPLOT_AXES_FRAME,  true,  SetAxisType, AxisTypeFrame},
    {ID_DATAPLOT_AXES_NONE,   true,  SetAxisType, AxisTypeNone},
    {ID_DATAPLOT_AXES_BOXED,  true,  ToggleBoxed, 0},
    {ID_DATAPLOT_SHOW_GRID,   true,  ToggleGrid,  0},
};
// clang-format on

const AxisCommand* FindAxisCommand(UINT id)
{
    for (const AxisCommand& row : kAxisCommands)
        if (row.id == id)
            return &row;
    return nullptr;
}

// The data plot's commands serve a selected data graph and a selected table's preview alike.
bool AxisCommandEnabled(const AxisCommand& row, int kind)
{
    return row.bDataPlot ? kind == ItemDataGraph || kind == ItemDataTable : kind == Item2DGraph;
}

// "a*x+b" or "a*x-b" with the decimal point in use, so the text reads back as the same line.
// Twelve digits leave out the last digits' noise of the numerical slope, and an intercept that
// is only the cancellation of f(x0) - a*x0 reads as 0.
CString TangentText(double slope, double intercept, double x0)
{
    const double scale = std::fabs(slope * x0) + std::fabs(intercept + slope * x0);
    if (std::fabs(intercept) <= 1e-12 * scale)
        intercept = 0;
    const char point = GetLocaleSeparators().chDecimal;
    return numtext::General(slope, 12, point) + (intercept < 0 ? "*x-" : "*x+") +
           numtext::General(std::fabs(intercept), 12, point);
}

} // namespace

CFunctionPlot* ProjectModel::GetSelectedGraph() const
{
    if (m_nSelectedKind != Item2DGraph || m_nSelectedIndex < 0 ||
        m_nSelectedIndex >= m_FunctionPlot.GetItemCount())
        return nullptr;
    return m_FunctionPlot.GetItem(m_nSelectedIndex);
}

BOOL ProjectModel::ApplyPlotAxisCommand(UINT id)
{
    const AxisCommand* row = FindAxisCommand(id);
    if (!row || !AxisCommandEnabled(*row, m_nSelectedKind))
        return FALSE;
    // The data plot decides a toggle; the preview follows it, so the two never drift apart.
    CPlotAxes& first = row->bDataPlot ? m_DataPlot.m_axes : m_FunctionPlot.m_axes;
    const BOOL boxed = !first.m_bBoxed;
    const BOOL grid = !first.m_bShowGrid;
    std::vector<CPlotAxes*> targets{&first};
    if (row->bDataPlot)
        targets.push_back(&m_PreviewPlot.m_axes);
    for (CPlotAxes* axes : targets) {
        if (row->action == SetAxisType)
            axes->m_nAxisType = row->axisType;
        else if (row->action == ToggleBoxed)
            axes->m_bBoxed = boxed;
        else
            axes->m_bShowGrid = grid;
    }
    RefreshPlot2D(TRUE);
    m_bModified = TRUE;
    return TRUE;
}

int ProjectModel::GetPlotAxisCommandState(UINT id) const
{
    const AxisCommand* row = FindAxisCommand(id);
    if (!row || !AxisCommandEnabled(*row, m_nSelectedKind))
        return -1;
    const CPlotAxes& axes = row->bDataPlot ? m_DataPlot.m_axes : m_FunctionPlot.m_axes;
    if (row->action == SetAxisType)
        return axes.m_nAxisType == row->axisType;
    return row->action == ToggleBoxed ? axes.m_bBoxed != 0 : axes.m_bShowGrid != 0;
}

void ProjectModel::DrawDerivative()
{
    const CFunctionPlot* source = GetSelectedGraph();
    if (!source || source->m_nForm != GraphRectangular)
        return;
    // A scratch engine: the derivative must not replace the project's current expression. In
    // the project's angle mode, so that the graph is the slope of the curve as it is drawn.
    CCalcEngine engine;
    engine.m_nAngleMode = m_Engine.m_nAngleMode;
    engine.SetExpression(source->GetExpression());
    if (const int code = engine.DeriveSymbolic("x")) {
        // A derivative nested too deeply to be read back is the parser's "Overflow".
        Prompts().ShowMessage(code == ErrOverflow ? GetErrorText(code)
                                                  : CString("The function is not differentiable"));
        return;
    }
    auto graph = std::make_unique<CFunctionPlot>();
    graph->CopyFrom(*source);
    // Named after its own expression: the source's name would make it replace the source.
    graph->SetName("");
    graph->SetDefinition(engine.GetText(), "", GraphRectangular, source->m_dDomainMin,
                         source->m_dDomainMax);
    graph->SetPenStyle(PlotPenDot);
    AddResultItem(Item2DGraph, graph.release());
}

void ProjectModel::AddTangentLine(const CString& expression, double x0)
{
    m_Engine.SetExpression(expression);
    double slope = 0, intercept = 0;
    const int code = AsOneCommand([&] { return m_Engine.GetTangentLine(x0, slope, intercept); });
    if (code != 0) {
        Prompts().ShowMessage(GetErrorText(code));
        return;
    }
    auto graph = std::make_unique<CFunctionPlot>();
    graph->SetDefinition(TangentText(slope, intercept, x0), "", GraphRectangular,
                         m_FunctionPlot.m_dXMin, m_FunctionPlot.m_dXMax);
    graph->m_crColour = kAutomaticColour;
    graph->m_nPenStyle = kAutomatic;
    graph->m_nPenWidth = kAutomatic;
    AddResultItem(Item2DGraph, graph.release());
}

void ProjectModel::AddValueTable(const CString& expression, double dMin, double dMax,
                                 const CString& name, int rows)
{
    m_Engine.SetExpression(expression);
    if (const int code = m_Engine.Parse()) {
        Prompts().ShowMessage(GetErrorText(code));
        return;
    }
    rows = std::clamp(rows, 2, 10000);
    const double h = (dMax - dMin) / (rows - 1);
    std::vector<std::pair<double, double>> points;
    int lastError = 0;
    const CommandWork command; // one budget in time for the whole table
    for (int i = 0; i < rows && !CommandWork::Spent(); ++i) {
        const double x = dMin + i * h;
        g_IndependentVariables[0].dValue = x;
        const double y = m_Engine.Evaluate();
        if (m_Engine.GetErrorCode() == 0 && std::isfinite(y))
            points.emplace_back(x, y);
        else
            lastError = m_Engine.GetErrorCode();
    }
    // A table cut short by the budget would look complete: none is made.
    if (CommandWork::Spent()) {
        Prompts().ShowMessage(GetErrorText(ErrMaxIterations));
        return;
    }
    if (points.empty()) {
        Prompts().ShowMessage(lastError ? GetErrorText(lastError)
                                        : CString("The function has no value in this interval"));
        return;
    }
    auto table = std::make_unique<CDataTable>();
    table->Create(TableLayoutXY, 2, int(points.size()));
    table->SetName(name);
    for (std::size_t i = 0; i < points.size(); ++i) {
        table->SetCell(0, int(i), points[i].first);
        table->SetCell(1, int(i), points[i].second);
    }
    AddResultItem(ItemDataTable, table.release());
}
