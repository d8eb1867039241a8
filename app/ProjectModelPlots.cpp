// The plot panes' side of the project: the pointer's read-out and the marking of a graph that
// failed to draw.
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
