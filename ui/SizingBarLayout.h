#pragma once
// The arithmetic of resizable docking panes: how the panes of one side share its length, how
// far a side's splitter edge may be dragged, and the state a pane keeps in the settings.
#include "framework/core/ProfileStore.h"

#include <vector>

// The narrowest a side of panes may be made by its edge, and the edge's width.
constexpr int kSizingEdge = 4;

// The lengths of a side's visible panes along a side of nLength: each wants its length (at
// least nMinimum, its caption); the last takes what is left; one that would not fit while
// panes follow is cut by a quarter at a time until it does (or is down to nMinimum). With
// nMaximised >= 0 that pane takes all the others leave at their minimum.
std::vector<int> LayoutSizingBars(int nLength, const std::vector<int>& wanted, int nMaximised,
                                  int nMinimum);

// The size across a side after its edge was dragged by nDelta from nStart: never below
// kSizingEdge, and never above nMax (the room the frame has).
int TrackedSideSize(int nStart, int nDelta, int nMax);

// What a pane keeps: its docked size, whether it floats, and the side it docks on (one
// alignment bit: 0x1000 left, 0x2000 top, 0x4000 right, 0x8000 bottom).
struct SizingBarState {
    int cx = 200;
    int cy = 200;
    int nFloating = 0;
    int nStyle = 0x1000;
};

// Writes the pane's values "CX", "CY", "Floating" and "Style" into section.
BOOL SaveSizingBarState(CProfileStore& store, const char* section, const SizingBarState& state);
// Reads them back. A value missing or out of range (a size below kSizingEdge or above 32767,
// a floating flag other than 0 or 1, a style other than one side) leaves state as it was and
// answers FALSE.
BOOL LoadSizingBarState(CProfileStore& store, const char* section, SizingBarState& state);
