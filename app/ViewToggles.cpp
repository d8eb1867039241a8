#include "app/ViewToggles.h"

namespace {

constexpr UINT kToggleBits[] = {ViewWorkspace, View2DPlot, View3DPlot, ViewGrid};

struct ShowCommand {
    UINT nID;
    UINT mask;
};
constexpr ShowCommand kShowCommands[] = {
    {121, ViewWorkspace},
    {122, ViewGrid},
    {123, View2DPlot},
    {136, View3DPlot},
    {127, View2DPlot | View3DPlot | ViewWorkspace | ViewGrid},
};

bool IsKind(int kind) { return kind >= 0 && kind < ItemTypeCount; }

int CountPanes(UINT mask)
{
    int panes = 0;
    for (UINT bit : kToggleBits)
        panes += (mask & bit) ? 1 : 0;
    return panes;
}

} // namespace

UINT ViewBitOfToggle(UINT nID)
{
    return nID >= kFirstViewToggle && nID <= kLastViewToggle ? kToggleBits[nID - kFirstViewToggle]
                                                             : 0;
}

BOOL ToggleViewBit(ViewLayouts& layouts, int kind, UINT bit)
{
    if (!IsKind(kind))
        return FALSE;
    DWORD& mask = layouts[std::size_t(kind)][ViewLayout::Mask];
    mask ^= bit;
    if (mask == 0)
        mask = ViewWorkspace;
    int siblings[3];
    const int n = GetLayoutSiblings(kind, siblings);
    for (int i = 0; i < n; ++i)
        layouts[std::size_t(siblings[i])][ViewLayout::Mask] = mask;
    return TRUE;
}

ViewToggleState GetViewToggleState(const ViewLayouts& layouts, int kind, UINT bit)
{
    ViewToggleState state;
    if (IsKind(kind)) {
        state.bEnable = TRUE;
        state.bCheck = (layouts[std::size_t(kind)][ViewLayout::Mask] & bit) != 0;
    }
    return state;
}

UINT ViewMaskOfShowCommand(UINT nID)
{
    for (const ShowCommand& c : kShowCommands)
        if (c.nID == nID)
            return c.mask;
    return 0;
}

UINT ShowCommandOfViewMask(UINT mask)
{
    const int panes = CountPanes(mask);
    if (panes == 2)
        return 0;
    if (panes != 1)
        return std::end(kShowCommands)[-1].nID; // none, three or four: all four show
    for (const ShowCommand& c : kShowCommands)
        if (c.mask == (mask & c.mask))
            return c.nID;
    return 0;
}

UINT ViewMaskWithWorkspace(UINT mask)
{
    const int panes = CountPanes(mask);
    return panes >= 1 && panes <= 2 ? mask | ViewWorkspace : mask;
}

UINT ViewMaskBesideWorkspace(UINT mask)
{
    const int panes = CountPanes(mask);
    if ((mask & ViewWorkspace) || panes < 1 || panes > 2)
        return mask; // three or four panes show as all four, the workspace among them
    for (UINT bit : {View2DPlot, View3DPlot, ViewGrid})
        if (mask & bit)
            return bit | ViewWorkspace;
    return mask;
}
