#pragma once
// Where the focus cell goes for a navigation key, skipping hidden rows and columns.
#include "grid/CellRange.h"
#include "grid/GridAxis.h"

enum class GridMove {
    Down,
    Up,
    Right,
    Left,
    Tab,     // right, wrapping to the first column of the next row
    BackTab, // left, wrapping to the last column of the previous row
    Home,    // first column of the row
    End,     // last column of the row
    CtrlHome,
    CtrlEnd,
};

struct GridMoveResult {
    CCellPos next;            // the new focus cell (the old one when nothing moves)
    BOOL bLineChange = FALSE; // Tab or Shift+Tab wrapped to another row
    BOOL bHandled = TRUE;     // FALSE: a wrap past the grid's first or last row
};

// The new focus for a move from focus (a non-fixed cell of the grid).
GridMoveResult GridMoveFocus(GridMove move, CCellPos focus, const CGridAxis& rows,
                             const CGridAxis& cols);
