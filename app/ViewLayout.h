#pragma once
#include "app/ItemTypes.h"

#include <array>

// Bits of a view mask: which of the four working panes show.
enum ViewMaskBit : UINT {
    View2DPlot = 1,
    View3DPlot = 2,
    ViewWorkspace = 4,
    ViewGrid = 8,
    ViewExplorer = 16, // only as the sender of a size; never part of a mask
};

// How one item kind arranges the panes: the mask, the four pane heights and the widths of the
// first grid columns.
struct ViewLayout {
    enum Word {
        Mask = 0,
        WorkspaceHeight = 1,
        Plot2DHeight = 2,
        GridHeight = 3,
        Plot3DHeight = 4,
        GridColumnCount = 5,
        FirstColumnWidth = 6, // words 6..10: grid columns 1..5
    };
    static constexpr int WordCount = 11;
    static constexpr UINT Bytes = WordCount * 4;

    DWORD words[WordCount] = {};

    DWORD& operator[](int i) { return words[i]; }
    DWORD operator[](int i) const { return words[i]; }
    // The 44 stored bytes (little-endian words) and back.
    void ToBytes(BYTE* bytes) const;
    static ViewLayout FromBytes(const BYTE* bytes);
    // Stored words that make no sense are taken from fallback: the mask keeps its four pane
    // bits, the column count is limited to 0..5, heights and widths outside 0..32767 default.
    ViewLayout Sanitized(const ViewLayout& fallback) const;
};

using ViewLayouts = std::array<ViewLayout, ItemTypeCount>;

// The layouts before any stored one is read: pane heights are 5/11 of the screen height, the
// 2-D plot of a 2-D graph and the 3-D plot of a 3-D graph 1.3 times that.
ViewLayouts DefaultViewLayouts(int screenHeight);

// The kinds that share the pane words of a kind's layout (itself included), e.g. all
// user-defined tables; a kind outside the groups shares with none but itself.
int GetLayoutSiblings(int kind, int siblings[3]);
