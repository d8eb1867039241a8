#include "app/ViewLayout.h"

namespace {

struct DefaultLayoutRow {
    DWORD mask;
    DWORD columns[6]; // word 5, then words 6..10
};

// clang-format off
constexpr DefaultLayoutRow kDefaults[ItemTypeCount] = {
    {9, {3, 100, 100, 100, 100, 300}},
    {12, {1, 100, 100, 300, 4, 5}},
    {12, {0, 100, 2, 3, 4, 5}},
    {9, {2, 100, 300, 300, 4, 5}},
    {9, {2, 150, 300, 3, 4, 5}},
    {12, {2, 100, 300, 3, 4, 5}},
    {12, {3, 100, 300, 300, 4, 5}},
    {12, {4, 300, 100, 100, 100, 5}},
    {12, {2, 300, 300, 3, 4, 5}},
    {12, {3, 100, 100, 300, 4, 5}},
    {12, {2, 300, 300, 3, 4, 5}},
    {12, {5, 100, 250, 100, 100, 100}},
    {12, {4, 300, 100, 100, 100, 5}},
    {12, {3, 100, 300, 300, 4, 5}},
    {12, {3, 100, 100, 300, 4, 5}},
    {10, {5, 100, 300, 100, 100, 300}},
};
// clang-format on

constexpr DWORD kMaxPixels = 32767;
constexpr DWORD kMaxGridColumns = 5;

} // namespace

void ViewLayout::ToBytes(BYTE* bytes) const
{
    for (int w = 0; w < WordCount; ++w)
        for (int i = 0; i < 4; ++i)
            bytes[4 * w + i] = BYTE(words[w] >> (8 * i));
}

ViewLayout ViewLayout::FromBytes(const BYTE* bytes)
{
    ViewLayout layout;
    for (int w = 0; w < WordCount; ++w)
        for (int i = 0; i < 4; ++i)
            layout.words[w] |= DWORD(bytes[4 * w + i]) << (8 * i);
    return layout;
}

ViewLayout ViewLayout::Sanitized(const ViewLayout& fallback) const
{
    ViewLayout layout = *this;
    layout[Mask] &= View2DPlot | View3DPlot | ViewWorkspace | ViewGrid;
    if (layout[GridColumnCount] > kMaxGridColumns)
        layout[GridColumnCount] = kMaxGridColumns;
    for (int w = WorkspaceHeight; w < WordCount; ++w)
        if (w != GridColumnCount && layout[w] > kMaxPixels)
            layout[w] = fallback[w];
    return layout;
}

ViewLayouts DefaultViewLayouts(int screenHeight)
{
    const DWORD h = DWORD(screenHeight > 0 ? screenHeight * 5 / 11 : 0);
    ViewLayouts layouts;
    for (int kind = 0; kind < ItemTypeCount; ++kind) {
        ViewLayout& layout = layouts[std::size_t(kind)];
        layout[ViewLayout::Mask] = kDefaults[kind].mask;
        for (int w = ViewLayout::WorkspaceHeight; w <= ViewLayout::Plot3DHeight; ++w)
            layout[w] = h;
        for (int w = 0; w < 6; ++w)
            layout[ViewLayout::GridColumnCount + w] = kDefaults[kind].columns[w];
    }
    layouts[Item2DGraph][ViewLayout::Plot2DHeight] = DWORD(double(h) * 1.3);
    layouts[Item3DGraph][ViewLayout::Plot3DHeight] = DWORD(double(h) * 1.3);
    return layouts;
}

int GetLayoutSiblings(int kind, int siblings[3])
{
    static constexpr int kGroups[3][3] = {{5, 6, -1}, {7, 8, 9}, {12, 13, 14}};
    for (const auto& group : kGroups) {
        for (int member : group) {
            if (member != kind)
                continue;
            int n = 0;
            for (int each : group)
                if (each >= 0)
                    siblings[n++] = each;
            return n;
        }
    }
    siblings[0] = kind;
    return 1;
}
