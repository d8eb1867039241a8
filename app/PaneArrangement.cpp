#include "app/PaneArrangement.h"

#include <algorithm>

namespace {

constexpr UINT kViewOrder[] = {View2DPlot, View3DPlot, ViewWorkspace, ViewGrid};
constexpr int kMinQuarter = 10;

} // namespace

int HeightWordOfView(UINT viewBit)
{
    switch (viewBit) {
    case View2DPlot:
        return ViewLayout::Plot2DHeight;
    case View3DPlot:
        return ViewLayout::Plot3DHeight;
    case ViewGrid:
        return ViewLayout::GridHeight;
    default:
        return ViewLayout::WorkspaceHeight;
    }
}

PaneArrangement ArrangePanes(const ViewLayout& layout, int cx, int cy)
{
    UINT shown[4] = {};
    int n = 0;
    for (UINT bit : kViewOrder)
        if (layout[ViewLayout::Mask] & bit)
            shown[n++] = bit;

    PaneArrangement a;
    if (n == 1) {
        a.nPanes = 1;
        a.cells[0][0] = shown[0];
        a.cyRow0 = std::max(cy, 0);
        a.cxCol0 = std::max(cx, 0);
    } else if (n == 2) {
        a.nPanes = 2;
        a.cells[0][0] = shown[0];
        a.cells[1][0] = shown[1];
        // A stored height is an unsigned word: anything beyond the splitter leaves the lower
        // pane nothing, so it is held inside.
        const DWORD height = layout[HeightWordOfView(shown[0])];
        a.cyRow0 = int(std::min<DWORD>(height, DWORD(std::max(cy, 0))));
        a.cxCol0 = std::max(cx, 0);
    } else {
        a.cells[0][0] = ViewWorkspace;
        a.cells[0][1] = View2DPlot;
        a.cells[1][0] = ViewGrid;
        a.cells[1][1] = View3DPlot;
        a.cyRow0 = std::max(cy / 2, kMinQuarter);
        a.cxCol0 = std::max(cx / 2, kMinQuarter);
    }
    return a;
}

ViewLayout WithBothPanesInSight(const ViewLayout& layout, int cy)
{
    UINT upper = 0;
    int n = 0;
    for (UINT bit : kViewOrder)
        if ((layout[ViewLayout::Mask] & bit) && n++ == 0)
            upper = bit;
    if (n != 2 || cy <= 0)
        return layout;
    ViewLayout held = layout;
    DWORD& height = held[HeightWordOfView(upper)];
    height = std::clamp<DWORD>(height, DWORD(cy / 3), DWORD(cy - cy / 3));
    return held;
}

int NextPaneInRound(int nCount, int nCurrent, BOOL bPrevious)
{
    if (nCount <= 0)
        return -1;
    if (nCurrent < 0 || nCurrent >= nCount)
        return bPrevious ? nCount - 1 : 0;
    return (nCurrent + (bPrevious ? nCount - 1 : 1)) % nCount;
}
