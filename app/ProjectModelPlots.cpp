// The plot panes' side of the project: the pointer's read-out, the marking of a graph that
// failed to draw, and graphs sampled again when what their values depend on changed.
#include "app/ProjectModel.h"

#include "engine/LocaleSeparators.h"
#include "engine/NumberText.h"

namespace {

// The explorer's image of a graph that failed to draw.
constexpr int kFailedGraphImage = 19;

} // namespace

CString ProjectModel::SetLastPointer(double x, double y)
{
    m_Settings.dLastPointerX = x;
    m_Settings.dLastPointerY = y;
    const LocaleSeparators& separators = GetLocaleSeparators();
    return " x = " + numtext::Fixed(x, 2, separators.chDecimal) + separators.chList +
           " y = " + numtext::Fixed(y, 2, separators.chDecimal);
}

void ProjectModel::FlagFailedGraph(int index)
{
    if (index < 0 || index >= m_FunctionPlot.GetItemCount())
        return;
    Windows().SetExplorerItemImage(Item2DGraph, m_FunctionPlot.GetItem(index)->GetLabel(),
                                   kFailedGraphImage);
}

void ProjectModel::ResampleChangedGraphs()
{
    BOOL b2D = FALSE, b3D = FALSE;
    for (const CPlot2D* plot : {&m_FunctionPlot, &m_DataPlot})
        for (int i = 0; i < plot->GetItemCount(); ++i)
            b2D |= plot->GetItem(i)->MarkIfInputsChanged();
    for (int i = 0; i < m_Scene.GetSurfaceCount(); ++i)
        b3D |= m_Scene.GetSurface(i)->MarkIfInputsChanged();
    if (b2D)
        Windows().ShowPlotForSelection();
    if (b3D)
        Windows().RedrawPlot3D();
}
