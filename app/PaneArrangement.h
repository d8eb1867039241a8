#pragma once
#include "app/ViewLayout.h"

// Where the main frame puts the four working panes for a layout record. The frame's 2 x 2
// splitter shows one pane (row 1 and column 1 hidden), two stacked panes (column 1 hidden) or
// all four.
struct PaneArrangement {
    int nPanes = 4; // 1, 2 or 4
    // The view (by its mask bit) in each cell of the splitter, row by row; 0 for a hidden cell.
    UINT cells[2][2] = {};
    // Height of row 0 and width of column 0 in pixels.
    int cyRow0 = 0;
    int cxCol0 = 0;
};

// The arrangement for the layout's mask in a splitter whose client area is cx x cy: one pane
// alone; two panes one above the other in the order 2-D plot, 3-D plot, workspace, grid, the
// upper as high as its height word (within the splitter); any other count all four, each
// quarter at least 10 pixels.
PaneArrangement ArrangePanes(const ViewLayout& layout, int cx, int cy);

// Two panes a command put side by side for the user to use both (a graph made in the
// workspace, a report beside the grid it came from) each keep at least a third of the panes'
// height cy: the upper pane's height word held within a third and two thirds of it. Any other
// layout is returned as it is.
ViewLayout WithBothPanesInSight(const ViewLayout& layout, int cy);

// The pane whose height word a view bit uses (ViewLayout::Plot2DHeight for View2DPlot ...).
int HeightWordOfView(UINT viewBit);

// The keyboard's next pane (F6, or Shift+F6 for the previous) in a round of nCount panes from
// pane nCurrent, wrapping round; from outside the round (-1) the first, or the last going
// back. -1 for an empty round.
int NextPaneInRound(int nCount, int nCurrent, BOOL bPrevious);
